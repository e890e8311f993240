#include "core/settings/settings.h"

#include "core/text/cp932.h"
#include "core/tree/document.h"
#include "core/tree/ini.h"
#include "core/tree/notices.h"

namespace rn {
namespace {

std::string GetText(const std::string& ini, const char* section, const char* key) {
    return Cp932ToUtf8(IniReadString(ini, section, key));
}

void ReadPaneFont(const std::string& ini, const char* section, PaneFontSettings& pane) {
    pane.FontName = GetText(ini, section, "FontName");
    pane.FontSize = IniReadInt(ini, section, "FontSize");
    pane.FontColor = GetText(ini, section, "FontColor");
    pane.FontColorI = IniReadInt(ini, section, "FontColorI");
    pane.FontBColor = GetText(ini, section, "FontBColor");
    pane.FontBColorI = IniReadInt(ini, section, "FontBColorI");
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

WindowGeometry ReadSettings(const std::string& ini, Settings& s) {
    WindowGeometry g;
    g.Top = IniReadInt(ini, "Form", "Top");
    g.Left = IniReadInt(ini, "Form", "Left");
    g.Width = IniReadInt(ini, "Form", "Width");
    g.Height = IniReadInt(ini, "Form", "Height");
    g.PanelTreeWidth = IniReadInt(ini, "PanelTree", "Width");
    if (g.PanelTreeWidth <= kMinTreePanelWidth) g.PanelTreeWidth = kMinTreePanelWidth;

    s.Ramblenote.User = GetText(ini, "Ramblenote", "User");
    s.Ramblenote.ExePConSW = IniReadBool(ini, "Ramblenote", "ExePConSW");
    s.Ramblenote.TreeHistory = IniReadInt(ini, "Ramblenote", "TreeHistory");

    s.Start.TreeOpen = IniReadBool(ini, "Start", "TreeOpen");
    s.Start.DocMovement = IniReadBool(ini, "Start", "DocMovement");
    s.Start.TreeFileName = GetText(ini, "Start", "TreeFileName");
    s.Start.NodeNo = IniReadInt(ini, "Start", "NodeNo");

    s.Tree.Width = IniReadInt(ini, "Tree", "Width");
    s.Tree.Root = IniReadBool(ini, "Tree", "Root");
    s.Tree.Line = IniReadBool(ini, "Tree", "Line");
    s.Tree.Button = IniReadBool(ini, "Tree", "Button");
    ReadPaneFont(ini, "Tree", s.Tree);

    ReadPaneFont(ini, "Memo", s.Memo);
    s.Memo.TabSize = IniReadInt(ini, "Memo", "TabSize");
    s.Memo.TabIn = IniReadBool(ini, "Memo", "TabIn");
    s.Memo.WordWrap = IniReadBool(ini, "Memo", "WordWrap");

    ReadPaneFont(ini, "AddMemo", s.AddMemo);
    s.AddMemo.ILSW = IniReadBool(ini, "AddMemo", "ILSW");

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
