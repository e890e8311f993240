// SPDX-License-Identifier: MIT
// The checks a node name (or search key) passes when the user confirms the node-name dialog.
#pragma once

#include <string>
#include <string_view>

namespace rn {

// What the node-name dialog asks for.
enum class NameMode { Add, ChildAdd, Insert, Rename, Search, NarrowSearch, MoveToTrash, DeleteFromTrash };

// Whether a mode names a new node (and the dialog offers the choice of its kind).
constexpr bool NamesNewNode(NameMode mode) {
    return mode == NameMode::Add || mode == NameMode::ChildAdd || mode == NameMode::Insert;
}

enum class NameOutcome { Confirmed, Cancelled, StayOpen };

struct NameCheck {
    NameOutcome outcome = NameOutcome::Cancelled;
    std::string name;         // CP932, when confirmed
    bool clearField = false;  // the dialog empties its field (a refused "ゴミ箱")
};

// True when the name has no extension: no "." in it, or nothing after its last ".".
bool LacksExtension(std::string_view name);

// Runs the confirmation steps on the typed text (UTF-8): refuses text CP932 cannot hold and the
// trash name (boxes), keeps the old extension on a rename, removes characters file names cannot hold
// and those the Tree file cannot hold (leading blanks and tabs, line ends; after asking), appends
// ".TXT" to a new text node's name, and refuses the form of the program's temporary files. `oldExtension` is the
// upper-cased extension of the name before a rename.
NameCheck ConfirmNodeName(NameMode mode, const std::string& typedUtf8, std::string_view oldExtension, bool textNode);

}  // namespace rn
