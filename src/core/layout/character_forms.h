// SPDX-License-Identifier: MIT
// How a character stands on a page of squares: which marks may hang at a line end, which characters
// form the base of ruby written without a bar, and how each character is set in vertical writing.
#pragma once

namespace rn {

// 、。，．」』）】〕〉》？！: a mark that would begin a line hangs at the end of the line before.
bool IsHangingMark(char32_t c);

// A kanji (or 々〆ヶ): a run of them right before 《 is the base of the ruby that follows.
bool IsRubyBaseCharacter(char32_t c);

bool IsHalfWidthDigit(char32_t c);

// How a character is set in a square of a vertical line.
enum class VerticalForm : unsigned char {
    kUpright,     // as in horizontal writing
    kRotated,     // turned 90° clockwise: half-width Latin text, brackets, dashes, the long vowel mark
    kUpperRight,  // 、。，．: moved into the upper right quarter
    kSmallKana,   // shifted toward the upper right
};
VerticalForm VerticalFormOf(char32_t c);

// The Unicode vertical presentation form (U+FE10–FE19, U+FE30–FE4F) of a character set rotated, or 0
// when there is none. A font that has it draws it upright instead of the rotated glyph.
char32_t VerticalPresentationForm(char32_t c);

}  // namespace rn
