// SPDX-License-Identifier: MIT
#include "core/text/terminal_text.h"

#include <cstdio>

namespace rn {
namespace {

void AppendEscape(std::string& out, const char* format, unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    out += buffer;
}

// Length of the valid UTF-8 sequence at `i`, or 0.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 0;
    if (n == 0 || b > 0xF4 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    const auto second = static_cast<unsigned char>(s[i + 1]);
    // Overlong forms, surrogates and code points beyond U+10FFFF.
    if ((b == 0xE0 && second < 0xA0) || (b == 0xED && second > 0x9F) || (b == 0xF0 && second < 0x90) ||
        (b == 0xF4 && second > 0x8F))
        return 0;
    return n;
}

}  // namespace

std::string EscapeControls(std::string_view s, std::string_view kept) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b < 0x20 || b == 0x7F) && kept.find(static_cast<char>(b)) == std::string_view::npos) {
            AppendEscape(out, "\\x%02X", b);
            ++i;
        } else if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
        } else if (std::size_t n = SequenceLength(s, i); n == 0) {
            AppendEscape(out, "\\x%02X", b);
            ++i;
        } else if (b == 0xC2 && static_cast<unsigned char>(s[i + 1]) <= 0x9F) {
            AppendEscape(out, "\\u%04X", static_cast<unsigned char>(s[i + 1]));
            i += 2;
        } else {
            out.append(s.substr(i, n));
            i += n;
        }
    }
    return out;
}

}  // namespace rn
