// SPDX-License-Identifier: MIT
#include "core/text/cp932.h"

#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/text/cp932_table.h"

namespace rn {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

char32_t CodePointAt(std::u16string_view s, std::size_t i) {
    char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size()) {
        char16_t d = s[i + 1];
        if (d >= 0xDC00 && d <= 0xDFFF) return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(d) - 0xDC00);
    }
    return c;
}

// The character at `pos`: its code point (kNoChar when undefined) and its length in bytes. An undefined
// double-byte code is one unit of two bytes; a lead byte without a trail byte is one unit of one byte,
// so that a line end after it stays a line end.
struct Unit {
    char16_t c;
    std::size_t length;
};

Unit UnitAt(const cp932::Tables& t, std::string_view s, std::size_t pos) {
    const auto b = static_cast<unsigned char>(s[pos]);
    if (IsSjisLeadByte(b)) {
        if (pos + 1 < s.size() && IsSjisTrailByte(static_cast<unsigned char>(s[pos + 1])))
            return {t.pair[b][static_cast<unsigned char>(s[pos + 1])], 2};
        return {cp932::kNoChar, 1};
    }
    return {t.single[b], 1};
}

// The UTF-8 spelling of every CP932 byte and double-byte code, taken once from the converter itself:
// decoding through a table is several times faster than the converter, which matters for long lists.
struct Utf8Table {
    struct Entry {
        unsigned char size = 0;
        char bytes[7] = {};  // at most two characters of three bytes (an undefined code's substitutes)
    };
    static std::size_t LeadRow(unsigned char lead) { return lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31u; }

    std::array<Entry, 256> single;  // each byte alone, a lead byte without its trail byte included
    std::vector<Entry> pairs;       // LeadRow(lead) * 256 + trail
};

const Utf8Table& Utf8Tables() {
    static const Utf8Table table = [] {
        Utf8Table t;
        auto fill = [](Utf8Table::Entry& e, std::string_view bytes) {
            const std::string utf8 = Utf16ToUtf8(Cp932ToUtf16(bytes));
            e.size = static_cast<unsigned char>(std::min(utf8.size(), sizeof e.bytes));
            std::memcpy(e.bytes, utf8.data(), e.size);
        };
        for (unsigned b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            fill(t.single[b], std::string_view(&c, 1));
        }
        t.pairs.resize(std::size_t{60} * 256);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsSjisLeadByte(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (!IsSjisTrailByte(static_cast<unsigned char>(trail))) continue;
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                fill(t.pairs[Utf8Table::LeadRow(static_cast<unsigned char>(lead)) * 256 + trail],
                     std::string_view(pair, 2));
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

std::size_t SjisCharLength(std::string_view s, std::size_t pos) {
    if (pos + 1 < s.size() && IsSjisLeadByte(static_cast<unsigned char>(s[pos])) &&
        IsSjisTrailByte(static_cast<unsigned char>(s[pos + 1])))
        return 2;
    return 1;
}

std::size_t SjisFind(std::string_view s, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= s.size() ? from : std::string_view::npos;
    // Find candidates with the fast byte search, then keep only those on a character boundary. The
    // boundary walk moves forward only, so the whole search stays linear.
    std::size_t boundary = from;
    std::size_t pos = s.find(needle, from);
    while (pos != std::string_view::npos) {
        while (boundary < pos)
            boundary += SjisCharLength(s, boundary);
        if (boundary == pos) return pos;
        pos = s.find(needle, pos + 1);
    }
    return std::string_view::npos;
}

std::size_t SjisCharCount(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += SjisCharLength(s, i))
        ++n;
    return n;
}

bool AsciiEqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::string SjisAsciiUpper(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size();) {
        std::size_t len = SjisCharLength(out, i);
        if (len == 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
        i += len;
    }
    return out;
}

std::u16string Cp932ToUtf16(std::string_view bytes) {
    const cp932::Tables& t = cp932::TablesInstance();
    std::u16string out;
    out.resize(bytes.size());
    char16_t* p = out.data();
    // The same reading as UnitAt, with raw pointers: this runs over whole bodies.
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = s + bytes.size();
    while (s < end) {
        const unsigned b = *s;
        char16_t c;
        if (b < 0x80) {
            c = static_cast<char16_t>(b);
            ++s;
        } else if (IsSjisLeadByte(static_cast<unsigned char>(b)) && end - s > 1 && IsSjisTrailByte(s[1])) {
            c = t.pair[b][s[1]];
            s += 2;
        } else {
            c = t.single[b];
            ++s;
        }
        *p++ = c == cp932::kNoChar ? kReplacement : c;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return out;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    std::string out(Utf8Room(bytes.size()), '\0');
    out.resize(Cp932ToUtf8Into(bytes, out.data()));
    return out;
}

std::size_t Cp932ToUtf8Into(std::string_view bytes, char* out) {
    const Utf8Table& table = Utf8Tables();
    char* to = out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const Utf8Table::Entry* e;
        if (IsSjisLeadByte(*p) && p + 1 < end && IsSjisTrailByte(p[1])) {
            e = &table.pairs[Utf8Table::LeadRow(*p) * 256 + p[1]];
            p += 2;
        } else {
            e = &table.single[*p];
            ++p;
        }
        // The whole entry is copied (Utf8Room leaves room for it): one fixed-size copy is faster.
        std::memcpy(to, e->bytes, sizeof e->bytes);
        to += e->size;
    }
    return static_cast<std::size_t>(to - out);
}

EncodeResult Utf16ToCp932(std::u16string_view text) {
    const cp932::Tables& t = cp932::TablesInstance();
    EncodeResult r;
    r.bytes.resize(text.size() * 2);
    char* p = r.bytes.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const uint16_t code = t.fromUnicode[text[i]];
        if (code == cp932::kNoCode) {
            // Surrogates and U+FFFF have no code either, so this also stops at every character
            // outside the BMP.
            r.ok = false;
            r.firstBad = CodePointAt(text, i);
            r.firstBadAt = i;
            break;
        }
        if (code > 0xFF) *p++ = static_cast<char>(code >> 8);
        *p++ = static_cast<char>(code & 0xFF);
    }
    r.bytes.resize(static_cast<std::size_t>(p - r.bytes.data()));
    return r;
}

std::size_t FirstUndefinedCp932(std::string_view bytes) {
    const cp932::Tables& t = cp932::TablesInstance();
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        Unit u = UnitAt(t, bytes, i);
        if (u.c == cp932::kNoChar) return i;
        i += u.length;
    }
    return std::string_view::npos;
}

std::string DropUndefinedCp932(std::string_view bytes) {
    const cp932::Tables& t = cp932::TablesInstance();
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out += bytes[i++];
            continue;
        }
        Unit u = UnitAt(t, bytes, i);
        if (u.c != cp932::kNoChar) out.append(bytes.substr(i, u.length));
        i += u.length;
    }
    return out;
}

bool RoundTripsCp932(std::string_view bytes) {
    const cp932::Tables& t = cp932::TablesInstance();
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        Unit u = UnitAt(t, bytes, i);
        if (u.c == cp932::kNoChar) return false;
        // A duplicate code (NEC row 13 beside JIS X 0208, the NEC-selected extensions) comes back as
        // the character's first code.
        const uint16_t code = u.length == 2 ? static_cast<uint16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                                                    static_cast<unsigned char>(bytes[i + 1]))
                                            : static_cast<unsigned char>(bytes[i]);
        if (t.fromUnicode[u.c] != code) return false;
        i += u.length;
    }
    return true;
}

EncodeResult Utf8ToCp932(std::string_view utf8) {
    return Utf16ToCp932(Utf8ToUtf16(utf8));
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t n = 0;
    UErrorCode err = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &n, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &err);
    if (U_FAILURE(err)) return {};
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    if (text.empty()) return {};
    std::string out(text.size() * 3 + 1, '\0');
    int32_t n = 0;
    UErrorCode err = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &n, reinterpret_cast<const UChar*>(text.data()),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &err);
    if (U_FAILURE(err)) return {};
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string Cp932Literal(std::string_view utf8) {
    std::u16string u = Utf8ToUtf16(utf8);
    std::string out;
    std::size_t start = 0;
    while (start < u.size()) {
        EncodeResult r = Utf16ToCp932(std::u16string_view(u).substr(start));
        out += r.bytes;
        if (r.ok) break;
        out += '?';
        start += r.firstBadAt + (r.firstBad > 0xFFFF ? 2 : 1);
    }
    return out;
}

}  // namespace rn
