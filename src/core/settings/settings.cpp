// SPDX-License-Identifier: MIT
#include "core/settings/settings.h"

#include <algorithm>
#include <cstdint>

#include "core/notices.h"
#include "core/outline/document.h"
#include "core/storage/files.h"
#include "core/storage/ini.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

// Every number is brought into a range the program can use before anything uses it; a missing key
// keeps the fallback -1, which every user of the value understands as "not set".
constexpr int32_t kUnset = -1;
constexpr int32_t kMaxListPosition = 255;

// Half a character (a value cut short by hand or by a broken program) would come back at every exit
// as a text that cannot be stored: the broken bytes are dropped when the value is read.
std::string GetText(const IniValues& ini, const char* section, const char* key) {
    return Cp932ToUtf8(DropUndefinedCp932(ini.Text(section, key)));
}

int32_t GetNumber(const IniValues& ini, const char* section, const char* key, int32_t lo, int32_t hi) {
    return ini.Clamped(section, key, lo, hi, kUnset);
}

// A size of 0 or less is no size: "not set", not the smallest one (a record of zeros would otherwise
// come back as tiny fonts and one-character tabs).
int32_t GetSize(const IniValues& ini, const char* section, const char* key, int32_t lo, int32_t hi) {
    const int32_t stored = ini.Clamped(section, key, INT32_MIN, INT32_MAX, kUnset);
    return stored <= 0 ? kUnset : std::clamp(stored, lo, hi);
}

void ReadPaneFont(const IniValues& ini, const char* section, PaneFontSettings& pane) {
    pane.FontName = GetText(ini, section, "FontName");
    pane.FontSize = GetSize(ini, section, "FontSize", kMinFontSize, kMaxFontSize);
    pane.FontColor = GetText(ini, section, "FontColor");
    pane.FontColorI = GetNumber(ini, section, "FontColorI", kUnset, kMaxListPosition);
    pane.FontBColor = GetText(ini, section, "FontBColor");
    pane.FontBColorI = GetNumber(ini, section, "FontBColorI", kUnset, kMaxListPosition);
}

// Writes in a fixed order into one replacement of the file. A text CP932 cannot hold would come back
// mangled: the user is told, and what the file has is kept, or `replacement` written when there is one.
class Writer {
public:
    explicit Writer(const std::string& ini) : write_(ini) {}

    void Int(const char* section, const char* key, int32_t value) { write_.Int(section, key, value); }
    void Flag(const char* section, const char* key, bool value) { write_.Flag(section, key, value); }
    void Text(const char* section, const char* key, const std::string& utf8, const char* replacement = nullptr) {
        EncodeResult encoded = Utf8ToCp932(utf8);
        if (!encoded.ok) {
            notices().MessageBox(
                UnencodableTextMessage(std::string(kSettingsFileName) + " [" + section + "] " + key, utf8));
            if (!replacement) return;
            encoded.bytes = replacement;
        }
        write_.Text(section, key, encoded.bytes);
    }
    void PaneFont(const char* section, const PaneFontSettings& pane) {
        Text(section, "FontName", pane.FontName);
        Int(section, "FontSize", pane.FontSize);
        Text(section, "FontColor", pane.FontColor);
        Int(section, "FontColorI", pane.FontColorI);
        Text(section, "FontBColor", pane.FontBColor);
        Int(section, "FontBColorI", pane.FontBColorI);
    }
    bool Commit() { return write_.Commit(); }

private:
    IniWrite write_;
};

}  // namespace

std::string UnencodableTextMessage(const std::string& where, const std::string& text) {
    return "「" + text + "」は Shift-JIS で表せない文字を含むため、" + where + " に保存できません。";
}

WindowGeometry ReadSettings(const std::string& path, Settings& s) {
    std::string text, reason;
    // Read once for all keys. A file that cannot be read gives every key its fallback.
    if (!ReadIniFile(path, text, &reason)) ReportOpenError(path, reason);
    const IniValues ini(text);

    WindowGeometry g;
    g.Top = GetNumber(ini, "Form", "Top", -kMaxWindowExtent, kMaxWindowExtent);
    g.Left = GetNumber(ini, "Form", "Left", -kMaxWindowExtent, kMaxWindowExtent);
    g.Width = GetNumber(ini, "Form", "Width", 0, kMaxWindowExtent);
    g.Height = GetNumber(ini, "Form", "Height", 0, kMaxWindowExtent);
    g.PanelTreeWidth = GetNumber(ini, "PanelTree", "Width", kMinTreePanelWidth, kMaxWindowExtent);
    if (g.PanelTreeWidth <= kMinTreePanelWidth) g.PanelTreeWidth = kMinTreePanelWidth;

    s.Ramblenote.User = GetText(ini, "Ramblenote", "User");
    s.Ramblenote.ExePConSW = ini.Flag("Ramblenote", "ExePConSW");
    s.Ramblenote.TreeHistory = GetNumber(ini, "Ramblenote", "TreeHistory", 1, kMaxTreeHistory);

    s.Start.TreeOpen = ini.Flag("Start", "TreeOpen");
    s.Start.DocMovement = ini.Flag("Start", "DocMovement");
    s.Start.TreeFileName = GetText(ini, "Start", "TreeFileName");
    s.Start.NodeNo = GetNumber(ini, "Start", "NodeNo", kUnset, INT32_MAX);

    s.Tree.Width = GetNumber(ini, "Tree", "Width", kUnset, kMaxWindowExtent);
    s.Tree.Root = ini.Flag("Tree", "Root");
    s.Tree.Line = ini.Flag("Tree", "Line");
    s.Tree.Button = ini.Flag("Tree", "Button");
    ReadPaneFont(ini, "Tree", s.Tree);

    ReadPaneFont(ini, "Memo", s.Memo);
    s.Memo.TabSize = GetSize(ini, "Memo", "TabSize", kMinTabSize, kMaxTabSize);
    s.Memo.TabIn = ini.Flag("Memo", "TabIn");
    s.Memo.WordWrap = ini.Flag("Memo", "WordWrap");

    ReadPaneFont(ini, "AddMemo", s.AddMemo);
    s.AddMemo.ILSW = ini.Flag("AddMemo", "ILSW");

    s.Others.PrintName = GetText(ini, "Others", "PrintName");
    return g;
}

bool WriteSettings(const std::string& ini, Settings& s, const WindowGeometry& g, const std::string& currentTreeFile) {
    Writer w(ini);
    w.Int("Form", "Top", g.Top);
    w.Int("Form", "Left", g.Left);
    w.Int("Form", "Width", g.Width);
    w.Int("Form", "Height", g.Height);
    w.Int("PanelTree", "Width", g.PanelTreeWidth);

    w.Text("Ramblenote", "User", s.Ramblenote.User);
    w.Int("Ramblenote", "TreeHistory", s.Ramblenote.TreeHistory);
    w.Flag("Ramblenote", "ExePConSW", s.Ramblenote.ExePConSW);

    w.Flag("Start", "TreeOpen", s.Start.TreeOpen);
    w.Flag("Start", "DocMovement", s.Start.DocMovement);
    s.Start.TreeFileName = s.Start.TreeOpen ? currentTreeFile : kNoTreeFile;
    // A path that cannot be stored must not leave an older document to be reopened instead.
    w.Text("Start", "TreeFileName", s.Start.TreeFileName, kNoTreeFile);
    w.Int("Start", "NodeNo", s.Start.NodeNo);

    w.Int("Tree", "Width", s.Tree.Width);
    w.Flag("Tree", "Root", s.Tree.Root);
    w.Flag("Tree", "Line", s.Tree.Line);
    w.Flag("Tree", "Button", s.Tree.Button);
    w.PaneFont("Tree", s.Tree);

    w.PaneFont("Memo", s.Memo);
    w.Int("Memo", "TabSize", s.Memo.TabSize);
    w.Flag("Memo", "TabIn", s.Memo.TabIn);
    w.Flag("Memo", "WordWrap", s.Memo.WordWrap);

    w.PaneFont("AddMemo", s.AddMemo);
    w.Flag("AddMemo", "ILSW", s.AddMemo.ILSW);

    w.Text("Others", "PrintName", s.Others.PrintName);
    return w.Commit();
}

}  // namespace rn
