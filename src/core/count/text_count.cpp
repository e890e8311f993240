// SPDX-License-Identifier: MIT
#include "core/count/text_count.h"

namespace rn {

void LineCounter::Line(std::u32string_view line) {
    CutBodyLine(line, kManuscriptGrid.vertical, cut_);
    count_.characters += cut_.characters;
    for (const Cell& cell : cut_.cells)
        if (filler_.Put(cell.Hanging()).startsLine) ++count_.rows;
    if (filler_.EndLine()) ++count_.rows;
}

TextCount BodyCounter::Finish() {
    reader_.Finish();
    const TextCount count = lines_.Count();
    lines_ = LineCounter();
    return count;
}

TextCount CountBody(std::string_view cp932) {
    BodyCounter counter;
    counter.Feed(cp932);
    return counter.Finish();
}

TextCount CountBody(std::u16string_view text) {
    LineCounter lines;
    ForEachBodyLine(text, [&](std::u32string_view line) { lines.Line(line); });
    return lines.Count();
}

std::string SheetsText(std::int64_t rows) {
    std::string text = std::to_string(rows / kRowsPerSheet) + "枚";
    if (rows % kRowsPerSheet != 0) text += "と" + std::to_string(rows % kRowsPerSheet) + "行";
    return text;
}

std::string SheetsDecimal(std::int64_t rows) {
    static_assert(100 % kRowsPerSheet == 0, "a row must be a whole number of hundredths of a sheet");
    const std::int64_t hundredths = rows % kRowsPerSheet * (100 / kRowsPerSheet);
    return std::to_string(rows / kRowsPerSheet) + (hundredths < 10 ? ".0" : ".") + std::to_string(hundredths);
}

}  // namespace rn
