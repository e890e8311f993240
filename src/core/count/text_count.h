// SPDX-License-Identifier: MIT
// Writer's counts of one body: characters, and lines of the 原稿用紙 20×20 vertical layout (a
// 400-character manuscript sheet holds 20 of them). Both come from the page layout, so that a body
// takes as many sheets in the counts as pages on paper: the characters are those of the base text
// (ruby and its markers take no square), and two upright digits share one square but count as two.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/layout/body_lines.h"
#include "core/layout/grid.h"
#include "core/layout/line_cutter.h"
#include "core/layout/line_filler.h"

namespace rn {

inline constexpr int kSquaresPerRow = kManuscriptGrid.squares;
inline constexpr int kRowsPerSheet = kManuscriptGrid.lines;

struct TextCount {
    std::int64_t characters = 0;  // line ends not included
    std::int64_t rows = 0;

    TextCount& operator+=(const TextCount& o) {
        characters += o.characters;
        rows += o.rows;
        return *this;
    }
    bool operator==(const TextCount&) const = default;
};

// Counts the lines of a body one after the other.
class LineCounter {
public:
    void Line(std::u32string_view line);
    const TextCount& Count() const { return count_; }

private:
    CutLine cut_;
    LineFiller filler_{kManuscriptGrid.squares};
    TextCount count_;
};

// Counts CP932 bytes given piece by piece (a file read in blocks).
class BodyCounter {
public:
    BodyCounter() : reader_([this](std::u32string_view line) { lines_.Line(line); }) {}
    BodyCounter(const BodyCounter&) = delete;
    BodyCounter& operator=(const BodyCounter&) = delete;

    void Feed(std::string_view bytes) { reader_.Feed(bytes); }
    // The count of everything fed; the counter is then ready for another body.
    TextCount Finish();

private:
    LineCounter lines_;
    Cp932LineReader reader_;
};

// A whole body in CP932 bytes (a body file's raw bytes or the editor's text), read as the editor reads
// it: every line end (CR LF, CR, LF) is one break and a NUL byte ends the text.
TextCount CountBody(std::string_view cp932);
// A whole body in UTF-16 (the editor's current text, characters CP932 cannot hold included); a
// surrogate pair is one character.
TextCount CountBody(std::u16string_view text);

// Sheets for display, UTF-8: "N枚" when the rows fill whole sheets, else "N枚とM行".
std::string SheetsText(std::int64_t rows);
// Sheets as rows / 20 with exactly two decimals ("12.35"); a twentieth is always exact in two.
std::string SheetsDecimal(std::int64_t rows);

}  // namespace rn
