// SPDX-License-Identifier: MIT
// The Tree file: one line per node in pre-order, the level as leading tabs (or blanks), CP932 bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/outline/outline.h"

namespace rn {

struct TreeLines {
    std::vector<std::string_view> lines;
    // True when a NUL byte ended the text before the end of the data and something other than NUL
    // bytes followed it: reading would silently drop that part.
    bool dataAfterNul = false;
};

// Splits file bytes into lines: CR LF, CR or LF ends a line, a final line end makes no extra line,
// and a NUL byte ends the text.
TreeLines SplitTreeLines(std::string_view bytes);

struct TreeParseResult {
    bool ok = true;
    std::string error;  // UTF-8 message when not ok
};

// Reads lines into an empty outline. Stops at a line more than one level deeper than the line before,
// with the error "アイテム "<text>" の階層 (<level>) が不正です"; the nodes before it stay.
TreeParseResult ParseTreeLines(const std::vector<std::string_view>& lines, Outline& out);

// A Tree file read into an outline without changing anything on disk.
struct TreeFileRead {
    bool ok = false;
    std::string error;          // UTF-8, when not ok: the file cannot be opened, has data after a NUL,
                                // or a line is too deep
    bool hasTrashLine = false;  // a line that is exactly the trash text
    std::string rewritten;      // without a trash line: the lines as read, each ending in CR LF
};
TreeFileRead ReadTreeFile(const std::string& path, Outline& out);
// The same for bytes already read from `path` (named in the messages). A file that is not CP932
// text (UTF-8 text, or a byte without a character) is refused.
TreeFileRead ParseTreeFile(const std::string& path, std::string_view bytes, Outline& out);

// The conversion of an old Tree file: a node whose "<text>.TXT" names a body file in `treeDir` gets
// that ending.
void AppendTxtWhereBodiesExist(Outline& outline, const std::string& treeDir);

// The whole outline as Tree file bytes (level x TAB, text, CR LF per node). With `without`, that
// node's branch is left out: the Tree file as it will be once the branch is removed.
std::string SerializeOutline(const Outline& outline, const Node* without = nullptr);

// The body file format: every line end (CR LF, CR, LF) becomes CR LF; a double-byte character is
// stepped over as one unit; nothing is added at the end. A NUL byte ends the text.
struct BodyText {
    std::string bytes;
    bool dataAfterNul = false;
    // Offset in the file of the first byte that does not convert to Unicode (FirstUndefinedCp932), or
    // npos. Such a body is shown read-only and never written: its text cannot be stored again.
    std::size_t undefinedAt = std::string::npos;
};
BodyText NormalizeBody(std::string_view raw);
// The same, taking the bytes over without a copy when they are already in that form.
BodyText TakeNormalizedBody(std::string&& raw);
// The message for a body with undefined bytes (UTF-8).
std::string ReadOnlyBodyMessage(const std::string& path, std::size_t undefinedAt);
// Whether the bytes are already in that form: no NUL, every CR followed by LF, every LF after a CR.
bool IsNormalBody(std::string_view raw);

}  // namespace rn
