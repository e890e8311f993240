// SPDX-License-Identifier: MIT
#include "core/layout/body_lines.h"

#include "core/text/cp932.h"
#include "core/text/cp932_table.h"

namespace rn {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

char32_t Undefined(char16_t c) {
    return c == cp932::kNoChar ? kReplacement : c;
}

}  // namespace

void Cp932LineReader::Feed(std::string_view bytes) {
    if (ended_) return;
    const cp932::Tables& t = cp932::TablesInstance();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    if (p < end && pendingLead_ >= 0) {
        if (IsSjisTrailByte(*p)) {
            line_ += Undefined(t.pair[pendingLead_][*p]);
            ++p;
        } else {
            line_ += kReplacement;
        }
        pendingLead_ = -1;
    }
    if (p < end && afterCr_) {
        afterCr_ = false;
        if (*p == '\n') ++p;
    }
    while (p < end) {
        const unsigned char c = *p++;
        if (c >= 0x80) {
            if (IsSjisLeadByte(c)) {
                if (p == end) {
                    pendingLead_ = c;
                    break;
                }
                if (IsSjisTrailByte(*p)) {
                    line_ += Undefined(t.pair[c][*p]);
                    ++p;
                    continue;
                }
            }
            line_ += Undefined(t.single[c]);
        } else if (c > '\r') {
            line_ += c;
        } else if (c == '\r' || c == '\n') {
            sink_(line_);
            line_.clear();
            if (c == '\r') {
                if (p == end) {
                    afterCr_ = true;
                } else if (*p == '\n') {
                    ++p;
                }
            }
        } else if (c == '\0') {
            ended_ = true;
            break;
        } else {
            line_ += c;
        }
    }
}

void Cp932LineReader::Finish() {
    if (pendingLead_ >= 0) line_ += kReplacement;
    if (!line_.empty()) sink_(line_);
    line_.clear();
    pendingLead_ = -1;
    afterCr_ = false;
    ended_ = false;
}

void ForEachBodyLine(std::u16string_view text, const BodyLineSink& sink) {
    std::u32string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\0') break;
        if (c == u'\r' || c == u'\n') {
            sink(line);
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            line += static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
            continue;
        }
        line += c;
    }
    if (!line.empty()) sink(line);
}

}  // namespace rn
