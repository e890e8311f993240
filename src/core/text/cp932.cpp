#include "core/text/cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace rn {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per thread: opening a converter costs far more than a short conversion.
UConverter* Converter() {
    thread_local ConverterPtr conv = [] {
        UErrorCode err = U_ZERO_ERROR;
        ConverterPtr c(ucnv_open("windows-31j", &err));
        if (U_FAILURE(err) || !c) throw std::runtime_error("ICU converter windows-31j is not available");
        return c;
    }();
    ucnv_reset(conv.get());
    return conv.get();
}

char32_t CodePointAt(std::u16string_view s, std::size_t i) {
    char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size()) {
        char16_t d = s[i + 1];
        if (d >= 0xDC00 && d <= 0xDFFF) return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(d) - 0xDC00);
    }
    return c;
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
        t.pairs.resize(60 * 256);
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
    if (pos < s.size() && IsSjisLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size()) return 2;
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
    if (bytes.empty()) return {};
    UConverter* conv = Converter();
    std::u16string out(bytes.size() + 1, u'\0');
    UErrorCode err = U_ZERO_ERROR;
    int32_t n = ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                              bytes.data(), static_cast<int32_t>(bytes.size()), &err);
    if (err == U_BUFFER_OVERFLOW_ERROR) {
        out.assign(static_cast<std::size_t>(n) + 1, u'\0');
        err = U_ZERO_ERROR;
        n = ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), bytes.data(),
                          static_cast<int32_t>(bytes.size()), &err);
    }
    if (U_FAILURE(err)) return {};
    out.resize(static_cast<std::size_t>(n));
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
    EncodeResult r;
    if (text.empty()) return r;
    UConverter* conv = Converter();
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
    err = U_ZERO_ERROR;
    r.bytes.resize(text.size() * 2 + 16);
    char* target = r.bytes.data();
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    const UChar* sourceEnd = source + text.size();
    ucnv_fromUnicode(conv, &target, r.bytes.data() + r.bytes.size(), &source, sourceEnd, nullptr, true, &err);
    std::size_t written = static_cast<std::size_t>(target - r.bytes.data());
    if (U_FAILURE(err)) {
        r.ok = false;
        // The source pointer stands after the offending character, which the converter keeps.
        UChar bad[8];
        int8_t badLen = 8;
        UErrorCode e2 = U_ZERO_ERROR;
        ucnv_getInvalidUChars(conv, bad, &badLen, &e2);
        std::size_t consumed = static_cast<std::size_t>(source - reinterpret_cast<const UChar*>(text.data()));
        std::size_t len = U_SUCCESS(e2) && badLen > 0 ? static_cast<std::size_t>(badLen) : 1;
        r.firstBadAt = consumed >= len ? consumed - len : 0;
        r.firstBad = r.firstBadAt < text.size() ? CodePointAt(text, r.firstBadAt) : 0;
    }
    r.bytes.resize(written);
    UErrorCode reset = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &reset);
    return r;
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

std::string Sjis(std::string_view utf8) {
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
