// SPDX-License-Identifier: MIT
// CP932 (Microsoft Shift-JIS) text: conversion to and from Unicode, and byte helpers that respect
// double-byte characters. Everything the program stores is CP932; Unicode exists only at the GUI
// boundary and in native (UTF-8) paths.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rn {

// True for a byte that starts a double-byte CP932 character.
constexpr bool IsSjisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// True for a byte that can end a double-byte CP932 character. A lead byte followed by anything else
// (a line end, a digit) stands alone, as when a body is read.
constexpr bool IsSjisTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// Length in bytes of the character that starts at `pos` (1 or 2; 1 for a lead byte at the very end
// or before a byte that cannot follow it, as the converter reads it).
std::size_t SjisCharLength(std::string_view s, std::size_t pos);

// Position of the first occurrence of `needle` at or after `from` that starts on a character boundary,
// or npos. `from` must itself be a character boundary; boundaries are counted from there, so the trail
// byte of a double-byte character never begins a match. An empty needle matches at `from`.
std::size_t SjisFind(std::string_view s, std::string_view needle, std::size_t from = 0);

// Number of characters (a double-byte character counts one).
std::size_t SjisCharCount(std::string_view s);

// Byte-for-byte equality with ASCII letters compared without regard to case (INI names, colour names).
bool AsciiEqualsNoCase(std::string_view a, std::string_view b);

// Plain ASCII upper-casing; double-byte characters are left whole.
std::string SjisAsciiUpper(std::string_view s);

// Outcome of encoding Unicode text to CP932.
struct EncodeResult {
    std::string bytes;           // the encoded text up to the first character CP932 cannot hold
    bool ok = true;              // false when some character has no CP932 code
    char32_t firstBad = 0;       // that character
    std::size_t firstBadAt = 0;  // its index in UTF-16 code units of the input
};

// The conversion follows Microsoft's code page 932 table exactly: every control byte stands for the
// same code point, and a byte or double-byte code the table leaves undefined is never turned into
// another character.

// CP932 bytes to UTF-16. Each undefined unit (an undefined single byte or double-byte code, a lead
// byte without a trail byte) becomes U+FFFD: such text must not be encoded back (see below).
std::u16string Cp932ToUtf16(std::string_view bytes);
// CP932 bytes to UTF-8 (for messages and native paths), exactly as through UTF-16.
std::string Cp932ToUtf8(std::string_view bytes);
// Room Cp932ToUtf8Into needs for `size` CP932 bytes.
constexpr std::size_t Utf8Room(std::size_t size) {
    return size * 3 + 8;
}
// The same into `out`, which has room for Utf8Room(bytes.size()) bytes; returns the UTF-8 length.
std::size_t Cp932ToUtf8Into(std::string_view bytes, char* out);

// Offset of the first byte of the first undefined unit, or npos when all of `bytes` converts to
// Unicode without loss (it may still hold a duplicate code that is written back as its twin).
std::size_t FirstUndefinedCp932(std::string_view bytes);
// The bytes without their undefined units (a lead byte with no trail byte, an undefined code): text
// read from a settings file that a careless hand or a broken program left half a character in.
std::string DropUndefinedCp932(std::string_view bytes);
// True when the bytes convert to Unicode and back to exactly the same bytes.
bool RoundTripsCp932(std::string_view bytes);

// UTF-16 to CP932; stops at the first character CP932 cannot hold and reports it.
EncodeResult Utf16ToCp932(std::u16string_view text);
// UTF-8 to CP932; as above. Invalid UTF-8 is reported as U+FFFD.
EncodeResult Utf8ToCp932(std::string_view utf8);

// UTF-8 <-> UTF-16 without CP932 in between.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

// Encodes text that is known to be CP932-safe (program messages, ASCII keys). Characters CP932
// cannot hold become '?'. Use only for the program's own literals.
std::string Cp932Literal(std::string_view utf8);

}  // namespace rn
