// SPDX-License-Identifier: MIT
// Lays the cells of body lines into lines of squares. Each body line starts a new line of squares and
// fills it, one cell to a square; an empty body line takes a line of its own. A mark that may hang
// (Cell::Hanging) and would begin a line stays at the end of the line before instead, outside its
// last square: one mark per line at most.
#pragma once

namespace rn {

class LineFiller {
public:
    explicit LineFiller(int squares) : squares_(squares) {}

    struct Place {
        int column;       // 0 .. squares-1, or squares for a mark hung after the last square
        bool startsLine;  // the cell begins a new line of squares
    };
    Place Put(bool hanging) {
        if (column_ < squares_) {
            const bool starts = column_ == 0;
            return {column_++, starts};
        }
        if (hanging && !hung_) {
            hung_ = true;
            return {squares_, false};
        }
        column_ = 1;
        hung_ = false;
        return {0, true};
    }
    // Ends a body line; true when it took no square and so needs a line of its own.
    bool EndLine() {
        const bool empty = column_ == 0;
        column_ = 0;
        hung_ = false;
        return empty;
    }

private:
    int squares_;
    int column_ = 0;  // squares filled in the current line; 0 before a body line's first cell
    bool hung_ = false;
};

}  // namespace rn
