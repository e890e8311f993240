// SPDX-License-Identifier: MIT
#include "core/text/text_entry.h"

#include <cstdio>

namespace rn {
namespace {

constexpr std::size_t kNamedCharacters = 5;

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool ShowsNothing(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xD800 && c <= 0xDFFF);
}

}  // namespace

char16_t Cp932FormOf(char16_t c) {
    switch (c) {
        case u'\u301C':  // WAVE DASH
            return u'\uFF5E';
        case u'\u2016':  // DOUBLE VERTICAL LINE
            return u'\u2225';
        case u'\u2212':  // MINUS SIGN
            return u'\uFF0D';
        case u'\u00A2':  // CENT SIGN
            return u'\uFFE0';
        case u'\u00A3':  // POUND SIGN
            return u'\uFFE1';
        case u'\u00AC':  // NOT SIGN
            return u'\uFFE2';
        case u'\u2014':  // EM DASH
            return u'\u2015';
        default:
            return c;
    }
}

void MapToCp932Forms(std::u16string& text) {
    for (char16_t& c : text)
        c = Cp932FormOf(c);
}

EncodeResult EncodeEntry(std::string_view utf8) {
    std::u16string wide = Utf8ToUtf16(utf8);
    MapToCp932Forms(wide);
    return Utf16ToCp932(wide);
}

std::vector<char32_t> DropUnstorable(std::u16string& text, bool dropNul) {
    MapToCp932Forms(text);
    std::vector<char32_t> dropped;
    EncodeResult whole = Utf16ToCp932(text);
    const std::size_t nul = dropNul ? text.find(u'\0') : std::u16string::npos;
    if (whole.ok && nul == std::u16string::npos) return dropped;
    // Character by character from the first one that cannot stay.
    std::size_t from = whole.ok ? nul : std::min(nul, whole.firstBadAt);
    std::u16string kept(text, 0, from);
    for (std::size_t i = from; i < text.size();) {
        const std::size_t length =
            IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
        const std::u16string_view one(text.data() + i, length);
        EncodeResult r = Utf16ToCp932(one);
        if (!r.ok) {
            dropped.push_back(r.firstBad);
        } else if (dropNul && one[0] == u'\0') {
            dropped.push_back(U'\0');
        } else {
            kept.append(one);
        }
        i += length;
    }
    text.swap(kept);
    return dropped;
}

std::string CharacterName(char32_t c) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    if (ShowsNothing(c)) return code;
    std::u16string wide;
    if (c > 0xFFFF) {
        wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        wide += static_cast<char16_t>(c);
    }
    return Utf16ToUtf8(wide) + " " + code;
}

std::string UnstorableMessage(const std::vector<char32_t>& chars) {
    std::string text =
        chars.size() == 1 ? "この文字はShift-JISで保存できません" : "これらの文字はShift-JISで保存できません";
    for (std::size_t i = 0; i < chars.size() && i < kNamedCharacters; ++i)
        text += " [" + CharacterName(chars[i]) + "]";
    if (chars.size() > kNamedCharacters) text += " ほか " + std::to_string(chars.size() - kNamedCharacters) + " 文字";
    return text;
}

}  // namespace rn
