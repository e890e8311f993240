// SPDX-License-Identifier: MIT
// One body line cut into the cells it takes on a page of squares, with the ruby writers type in it.
//
// Ruby: "|親文字《るび》" (the bar may be full-width) makes the text between the bar and 《 the base;
// without a bar the base is the run of kanji right before 《. Only the base takes cells; the markers
// and the ruby take none. "|《" writes a plain 《. A 《 without a base or without a 》 after it on the
// line, and 《》 with nothing inside, are plain text.
//
// In vertical writing a run of one or two half-width digits between non-digits stands upright in one
// cell (縦中横); longer runs take a cell per digit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rn {

struct Cell {
    char32_t first = 0;
    char32_t second = 0;   // the second of two digits set side by side; 0 for a cell of one character
    bool upright = false;  // 縦中横: one or two half-width digits standing upright in vertical writing

    bool Hanging() const;
    bool operator==(const Cell&) const = default;
};

struct RubySpan {
    std::size_t firstCell = 0;
    std::size_t cellCount = 0;
    std::u32string text;

    bool operator==(const RubySpan&) const = default;
};

struct CutLine {
    std::vector<Cell> cells;
    std::vector<RubySpan> ruby;
    std::int64_t characters = 0;  // of the base text: a cell of two digits is two
};

// Cuts `line` (no line end in it) into `out`, replacing what it held; its buffers are reused.
void CutBodyLine(std::u32string_view line, bool vertical, CutLine& out);

}  // namespace rn
