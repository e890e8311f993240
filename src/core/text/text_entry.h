// SPDX-License-Identifier: MIT
// Text the user enters (typed, pasted, committed by an input method, given on the command line) on its
// way into CP932. Japanese input methods on this system produce a few signs under code points that
// CP932 holds elsewhere; every entry takes them as CP932's own: 〜 U+301C as ～, − U+2212 as －,
// ‖ U+2016 as ∥, ¢ £ ¬ as ￠ ￡ ￢, — U+2014 as ―.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text/cp932.h"

namespace rn {

// The code point CP932 holds the sign under; `c` itself for every other character.
char16_t Cp932FormOf(char16_t c);
void MapToCp932Forms(std::u16string& text);

// Entry text (UTF-8) mapped as above and encoded; stops at the first character CP932 cannot hold.
EncodeResult EncodeEntry(std::string_view utf8);

// Maps `text` as above and removes every character CP932 cannot hold (and NUL, which ends a body,
// when `dropNul`). Returns the removed characters in order; the rest of the text stays.
std::vector<char32_t> DropUnstorable(std::u16string& text, bool dropNul);

// "ゔ U+3094"; a character that shows nothing (a control) by its code alone, "U+0007".
std::string CharacterName(char32_t c);

// The status text for characters left out: "この文字はShift-JISで保存できません [ゔ U+3094]" for one;
// for several every one (up to five, then how many more).
std::string UnstorableMessage(const std::vector<char32_t>& chars);

}  // namespace rn
