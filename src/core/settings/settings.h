// SPDX-License-Identifier: MIT
// The settings record and the settings file "Ramblenote.Ini". The record has one field per key,
// grouped and named as in the file (settings.Memo.TabSize is key TabSize of section [Memo]).
// Texts in the record are UTF-8 and paths are native; the file holds them as CP932. The window's
// position and size and the outline pane's width are not kept in the record: they go between the
// file and the main window as a WindowGeometry.
#pragma once

#include <cstdint>
#include <string>

namespace rn {

inline constexpr const char* kSettingsFileName = "Ramblenote.Ini";

// Narrowest outline pane; a stored width up to this becomes this.
inline constexpr int32_t kMinTreePanelWidth = 100;
// Ranges that stored numbers are brought into when they are read. Window positions and sizes are
// only made sane here; fitting them to the screen is the window's business.
inline constexpr int32_t kMaxWindowExtent = 16384;
inline constexpr int32_t kMinFontSize = 6;
inline constexpr int32_t kMaxFontSize = 32;
inline constexpr int32_t kMinTabSize = 1;
inline constexpr int32_t kMaxTabSize = 8;
inline constexpr int32_t kMaxTreeHistory = 1000;

// Keys shared by the outline view [Tree], the editor [Memo] and the lower pane [AddMemo].
struct PaneFontSettings {
    std::string FontName;
    int32_t FontSize = 0;
    std::string FontColor;   // colour text (see colors.h)
    int32_t FontColorI = 0;  // position in the settings dialog's colour list
    std::string FontBColor;
    int32_t FontBColorI = 0;
    bool operator==(const PaneFontSettings&) const = default;
};

struct Settings {
    struct RamblenoteSection {
        std::string User;
        bool ExePConSW = false;   // closing the window keeps the program resident
        int32_t TreeHistory = 0;  // entries of the Tree history
        bool operator==(const RamblenoteSection&) const = default;
    } Ramblenote;

    struct StartSection {
        bool TreeOpen = false;     // reopen the last Tree file
        bool DocMovement = false;  // and select node NodeNo again
        std::string TreeFileName;  // native path of the Tree file open at exit, or "NULL"
        int32_t NodeNo = 0;        // absolute index of the node selected last
        bool operator==(const StartSection&) const = default;
    } Start;

    struct TreeSection : PaneFontSettings {
        int32_t Width = 0;  // kept for the file only
        bool Root = false;
        bool Line = false;
        bool Button = false;
        bool operator==(const TreeSection&) const = default;
    } Tree;

    struct MemoSection : PaneFontSettings {
        int32_t TabSize = 0;
        bool TabIn = false;
        bool WordWrap = false;
        bool operator==(const MemoSection&) const = default;
    } Memo;

    struct AddMemoSection : PaneFontSettings {
        bool ILSW = false;  // the lower pane follows the editor while the screen is split
        bool operator==(const AddMemoSection&) const = default;
    } AddMemo;

    struct OthersSection {
        std::string PrintName;  // native path of the print program; empty when none
        bool operator==(const OthersSection&) const = default;
    } Others;

    bool operator==(const Settings&) const = default;
};

// [Form] Top, Left, Width, Height and [PanelTree] Width.
struct WindowGeometry {
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t PanelTreeWidth = 0;
    bool operator==(const WindowGeometry&) const = default;
};

// Reads every key of `iniPath` (read once) into `settings` and returns the window geometry to apply.
// Missing keys give -1, empty texts and no; the outline pane is never narrower than kMinTreePanelWidth.
// Stored numbers are brought into their ranges: font sizes kMinFontSize..kMaxFontSize, tab size
// kMinTabSize..kMaxTabSize, history 1..kMaxTreeHistory, positions and sizes within kMaxWindowExtent.
// A file that cannot be read (not a regular file, larger than kIniFileLimit) is reported in a box.
WindowGeometry ReadSettings(const std::string& iniPath, Settings& settings);

// Writes every key. `currentTreeFile` is the open document's native path or "NULL"; it becomes
// Start.TreeFileName, or "NULL" when Start.TreeOpen is off. A text that CP932 cannot hold is reported
// and not written ("NULL" for the Tree file). The file is replaced once, holding every key or, when the
// write fails (IniWriteErrorText has been shown), none: false.
bool WriteSettings(const std::string& iniPath, Settings& settings, const WindowGeometry& geometry,
                   const std::string& currentTreeFile);

// The box shown when a text cannot be stored because CP932 cannot hold one of its characters.
std::string UnencodableTextMessage(const std::string& where, const std::string& text);

}  // namespace rn
