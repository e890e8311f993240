// SPDX-License-Identifier: MIT
#include "core/outline/node_names.h"

#include <algorithm>

#include "core/notices.h"
#include "core/outline/outline.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "core/text/text_entry.h"

namespace rn {
namespace {

NameCheck StayOpen(bool clear = false) {
    return {NameOutcome::StayOpen, {}, clear};
}

bool RefuseTrashName(std::string_view name) {
    if (name != kTrashText) return false;
    notices().WarningBox("ノード名\"ゴミ箱\"は利用できません。");
    return true;
}

// The Tree file reads leading blanks and tabs as levels and ends a line at CR, LF or NUL: a name
// holding them would come back as another outline, or not at all.
bool StripUnstorableChars(std::string& name) {
    const std::size_t size = name.size();
    name.erase(0, name.find_first_not_of(" \t"));
    std::erase_if(name, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    return name.size() != size;
}

bool IsNodeMode(NameMode mode) {
    return mode != NameMode::Search && mode != NameMode::NarrowSearch;
}

}  // namespace

bool LacksExtension(std::string_view name) {
    std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot + 1 == name.size();
}

NameCheck ConfirmNodeName(NameMode mode, const std::string& typedUtf8, std::string_view oldExtension, bool textNode) {
    EncodeResult encoded = EncodeEntry(typedUtf8);
    if (!encoded.ok) {
        // A name is never changed behind the user's back: it is refused and can be corrected.
        notices().WarningBox("[ " + typedUtf8 + " ]の中に Shift-JIS で保存できない文字 [" +
                             CharacterName(encoded.firstBad) + "] があります。別の文字にして下さい。");
        return StayOpen();
    }
    std::string name = std::move(encoded.bytes);
    if (name.empty()) return {};
    if (RefuseTrashName(name)) return StayOpen(true);
    if (mode == NameMode::Rename && LacksExtension(name) && !oldExtension.empty()) {
        if (name.back() != '.') name += '.';
        name += oldExtension;
    }
    const bool stripped = StripFileNameChars(name);
    if (StripUnstorableChars(name) || stripped) {
        if (!notices().AskYesCancel("[ " + typedUtf8 + " ]の中にファイル名と利用できない文字があります\r[ " +
                                    Cp932ToUtf8(name) + " ]に変更しました。\rよろしいですか"))
            return StayOpen();
        // What is left must still be a usable name.
        if (name.empty()) return StayOpen();
        if (RefuseTrashName(name)) return StayOpen(true);
    }
    if (NamesNewNode(mode) && textNode && LacksExtension(name)) name += ".TXT";
    if (IsNodeMode(mode) && IsTemporaryFileName(name)) {
        // The form of the program's own temporary files: a stale one is removed at the next opening.
        notices().WarningBox("ノード名\"" + name + "\"は利用できません。");
        return StayOpen();
    }
    return {NameOutcome::Confirmed, std::move(name), false};
}

}  // namespace rn
