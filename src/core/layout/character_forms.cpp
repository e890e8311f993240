// SPDX-License-Identifier: MIT
#include "core/layout/character_forms.h"

namespace rn {

bool IsHangingMark(char32_t c) {
    switch (c) {
        case U'、':
        case U'。':
        case U'，':
        case U'．':
        case U'」':
        case U'』':
        case U'）':
        case U'】':
        case U'〕':
        case U'〉':
        case U'》':
        case U'？':
        case U'！':
            return true;
        default:
            return false;
    }
}

bool IsRubyBaseCharacter(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c <= 0x3FFFF) || c == U'々' || c == U'〆' || c == U'ヶ';
}

bool IsHalfWidthDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

VerticalForm VerticalFormOf(char32_t c) {
    if (c > 0x20 && c < 0x7F) return VerticalForm::kRotated;
    switch (c) {
        case U'、':
        case U'。':
        case U'，':
        case U'．':
            return VerticalForm::kUpperRight;
        case U'ぁ':
        case U'ぃ':
        case U'ぅ':
        case U'ぇ':
        case U'ぉ':
        case U'っ':
        case U'ゃ':
        case U'ゅ':
        case U'ょ':
        case U'ゎ':
        case U'ァ':
        case U'ィ':
        case U'ゥ':
        case U'ェ':
        case U'ォ':
        case U'ッ':
        case U'ャ':
        case U'ュ':
        case U'ョ':
        case U'ヮ':
        case U'ヵ':
        case U'ヶ':
            return VerticalForm::kSmallKana;
        case U'ー':
        case U'～':
        case U'〜':
        case U'‐':
        case U'－':
        case U'＝':
            return VerticalForm::kRotated;
        default:
            return VerticalPresentationForm(c) != 0 ? VerticalForm::kRotated : VerticalForm::kUpright;
    }
}

char32_t VerticalPresentationForm(char32_t c) {
    switch (c) {
        case U'「':
            return 0xFE41;
        case U'」':
            return 0xFE42;
        case U'『':
            return 0xFE43;
        case U'』':
            return 0xFE44;
        case U'（':
            return 0xFE35;
        case U'）':
            return 0xFE36;
        case U'｛':
            return 0xFE37;
        case U'｝':
            return 0xFE38;
        case U'〔':
            return 0xFE39;
        case U'〕':
            return 0xFE3A;
        case U'【':
            return 0xFE3B;
        case U'】':
            return 0xFE3C;
        case U'《':
            return 0xFE3D;
        case U'》':
            return 0xFE3E;
        case U'〈':
            return 0xFE3F;
        case U'〉':
            return 0xFE40;
        case U'［':
            return 0xFE47;
        case U'］':
            return 0xFE48;
        case U'―':
        case U'—':
            return 0xFE31;
        case U'…':
            return 0xFE19;
        case U'‥':
            return 0xFE30;
        case U'：':
            return 0xFE13;
        case U'；':
            return 0xFE14;
        default:
            return 0;
    }
}

}  // namespace rn
