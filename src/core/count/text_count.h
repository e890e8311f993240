// Writer's counts of one body: characters, and rows of a 400-character manuscript sheet (20 rows of
// 20 squares). The body is taken as the editor takes it: every line end (CR LF, CR, LF) is one break
// and a NUL byte ends the text.
//
// Rows: each line starts a new row and fills it left to right, 20 squares to a row; an empty line
// takes one row; a break at the very end of the body starts no row. One closing punctuation mark
// (、。，．」』）】〕〉》？！) that would begin a new row hangs at the end of the row before instead.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rn {

inline constexpr int kSquaresPerRow = 20;
inline constexpr int kRowsPerSheet = 20;

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

// Counts CP932 bytes given piece by piece (a file read in blocks), without decoding them: a lead byte
// followed by a trail byte is one character, every other byte one character, even across pieces.
// Lays characters and breaks into rows of squares.
struct RowFiller {
    TextCount count;
    int column = 0;     // squares filled in the current row; 0 before the line's first character
    bool hung = false;  // the current row already carries a hanging mark

    void Character(bool hanging) {
        ++count.characters;
        if (column < kSquaresPerRow) {
            if (column == 0) ++count.rows;
            ++column;
        } else if (hanging && !hung) {
            hung = true;
        } else {
            ++count.rows;
            column = 1;
            hung = false;
        }
    }
    void Break() {
        if (column == 0) ++count.rows;  // an empty line still takes its row
        column = 0;
        hung = false;
    }
};

// Counts CP932 bytes given piece by piece (a file read in blocks), without decoding them: a lead byte
// followed by a trail byte is one character, every other byte one character, even across pieces.
class BodyCounter {
public:
    void Feed(std::string_view bytes);
    // The count of everything fed; the counter is then ready for another body.
    TextCount Finish();

private:
    RowFiller rows_;
    int pendingLead_ = -1;  // a lead byte that ended the last piece
    bool afterCr_ = false;  // an LF right now belongs to the CR before it
    bool ended_ = false;    // a NUL was seen
};

// A whole body in CP932 bytes (a body file's raw bytes or the editor's text).
TextCount CountBody(std::string_view cp932);
// A whole body in UTF-16 (the editor's current text, characters CP932 cannot hold included); a
// surrogate pair is one character.
TextCount CountBody(std::u16string_view text);

// Sheets for display, UTF-8: "N枚" when the rows fill whole sheets, else "N枚とM行".
std::string SheetsText(std::int64_t rows);
// Sheets as rows / 20 with exactly two decimals ("12.35"); a twentieth is always exact in two.
std::string SheetsDecimal(std::int64_t rows);

}  // namespace rn
