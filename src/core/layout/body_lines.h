// SPDX-License-Identifier: MIT
// A body cut into lines of Unicode characters, as the editor reads it: every line end (CR LF, CR, LF)
// is one break, a NUL byte ends the text, and a break at the very end starts no further line.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace rn {

using BodyLineSink = std::function<void(std::u32string_view line)>;

// Reads CP932 bytes given piece by piece (a file read in blocks). Each undefined unit (an undefined
// code, a lead byte without its trail byte) is one character, U+FFFD.
class Cp932LineReader {
public:
    explicit Cp932LineReader(BodyLineSink sink) : sink_(std::move(sink)) {}
    void Feed(std::string_view bytes);
    // Hands over the last line when it is not empty; the reader is then ready for another body.
    void Finish();

private:
    BodyLineSink sink_;
    std::u32string line_;
    int pendingLead_ = -1;  // a lead byte that ended the last piece
    bool afterCr_ = false;  // an LF right now belongs to the CR before it
    bool ended_ = false;    // a NUL was seen
};

// The same for text in UTF-16 (the editor's); a surrogate pair is one character.
void ForEachBodyLine(std::u16string_view text, const BodyLineSink& sink);

}  // namespace rn
