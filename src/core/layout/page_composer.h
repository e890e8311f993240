// SPDX-License-Identifier: MIT
// Body lines and headings laid out in pages of squares, one page at a time.
//
// Body lines fill lines of squares as LineFiller places them. A heading is a line of its own
// followed by one empty line; a level-1 heading begins a new page. An empty line that would open a
// page, or end the document, is left out.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/layout/grid.h"
#include "core/layout/line_cutter.h"
#include "core/layout/line_filler.h"

namespace rn {

struct PlacedCell {
    Cell cell;
    int column = 0;  // 0 .. squares-1; squares for a mark hung after the last square

    bool operator==(const PlacedCell&) const = default;
};

// Ruby over squares firstColumn .. firstColumn+columns-1 of its line. A base that runs on into the next
// line takes its share of the ruby along.
struct PlacedRuby {
    int firstColumn = 0;
    int columns = 1;
    std::u32string text;

    bool operator==(const PlacedRuby&) const = default;
};

struct PageLine {
    std::vector<PlacedCell> cells;
    std::vector<PlacedRuby> ruby;
    bool heading = false;
};

struct Page {
    int number = 1;
    std::vector<PageLine> lines;  // at most Grid::lines
};

// Gets every finished page in order; false stops the composition.
using PageSink = std::function<bool(const Page& page)>;

class PageComposer {
public:
    PageComposer(const Grid& grid, PageSink sink) : grid_(grid), sink_(std::move(sink)), filler_(grid.squares) {}

    void BodyLine(std::u32string_view line);
    void Heading(std::u32string_view text, int level);
    // Hands over the last page; a document with nothing in it still has one (empty) page. False when
    // the sink stopped the composition.
    bool Finish();

    bool Stopped() const { return stopped_; }
    int PagesDone() const { return pagesDone_; }

private:
    void Place(const CutLine& cut, bool heading);
    void StartLine();
    void EmitPage();
    void CloseRuby(std::size_t endCell);

    Grid grid_;
    PageSink sink_;
    LineFiller filler_;
    CutLine cut_;
    Page page_;
    int pagesDone_ = 0;
    bool stopped_ = false;
    bool blankPending_ = false;  // the empty line after a heading, put in before the next line

    // The ruby whose base is being placed, and the part of it on the current line.
    const RubySpan* ruby_ = nullptr;
    std::size_t segmentFirstCell_ = 0;
    int segmentFirstColumn_ = 0;
    int lastColumn_ = 0;
};

}  // namespace rn
