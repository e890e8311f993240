// SPDX-License-Identifier: MIT
// The code page 932 mapping as two lookup tables. Microsoft's table defines every single byte
// 0x00-0x7F and 0xA1-0xDF, and the double-byte codes of JIS X 0208, NEC row 13, the NEC-selected and
// IBM extensions and the user-defined area (to the private use area). 0x80, 0xA0, 0xFD-0xFF and every
// other double-byte code are undefined.
#pragma once

#include <cstdint>

#include "core/text/cp932.h"

namespace rn::cp932 {

inline constexpr char16_t kNoChar = 0xFFFF;  // a noncharacter: never the target of a code
inline constexpr uint16_t kNoCode = 0xFFFF;  // lead byte 0xFF: never a code

struct Tables {
    char16_t single[256];           // kNoChar: undefined (lead bytes included)
    char16_t pair[256][256];        // [lead][trail]; kNoChar: undefined
    uint16_t fromUnicode[0x10000];  // a single byte, lead << 8 | trail, or kNoCode
};

// Built once, on first use.
const Tables& TablesInstance();

}  // namespace rn::cp932
