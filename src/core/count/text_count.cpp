#include "core/count/text_count.h"

#include "core/text/cp932.h"

namespace rn {
namespace {

constexpr bool IsTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// The hanging marks in CP932 all have the lead byte 0x81; these are their second bytes.
constexpr bool IsHangingSecondByte(unsigned char c) {
    switch (c) {
        case 0x41:  // 、
        case 0x42:  // 。
        case 0x43:  // ，
        case 0x44:  // ．
        case 0x48:  // ？
        case 0x49:  // ！
        case 0x6A:  // ）
        case 0x6C:  // 〕
        case 0x72:  // 〉
        case 0x74:  // 》
        case 0x76:  // 」
        case 0x78:  // 』
        case 0x7A:  // 】
            return true;
        default:
            return false;
    }
}

constexpr bool IsHanging(char16_t c) {
    switch (c) {
        case u'、':
        case u'。':
        case u'，':
        case u'．':
        case u'」':
        case u'』':
        case u'）':
        case u'】':
        case u'〕':
        case u'〉':
        case u'》':
        case u'？':
        case u'！':
            return true;
        default:
            return false;
    }
}

}  // namespace

void BodyCounter::Feed(std::string_view bytes) {
    if (ended_) return;
    // The state lives in locals while the loop runs: stores through the byte pointer could otherwise
    // alias it and keep it out of registers.
    RowFiller f = rows_;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    if (p < end && pendingLead_ >= 0) {
        if (IsTrailByte(*p)) {
            f.Character(pendingLead_ == 0x81 && IsHangingSecondByte(*p));
            ++p;
        } else {
            f.Character(false);
        }
        pendingLead_ = -1;
    }
    if (p < end && afterCr_) {
        afterCr_ = false;
        if (*p == '\n') ++p;
    }
    while (p < end) {
        const unsigned char c = *p++;
        if (IsSjisLeadByte(c)) {
            if (p == end) {
                pendingLead_ = c;
                break;
            }
            if (IsTrailByte(*p)) {
                f.Character(c == 0x81 && IsHangingSecondByte(*p));
                ++p;
            } else {
                f.Character(false);  // a lone lead byte stands for itself
            }
        } else if (c > '\r') {
            f.Character(false);
        } else if (c == '\r') {
            f.Break();
            if (p == end) {
                afterCr_ = true;
            } else if (*p == '\n') {
                ++p;
            }
        } else if (c == '\n') {
            f.Break();
        } else if (c == '\0') {
            ended_ = true;
            break;
        } else {
            f.Character(false);
        }
    }
    rows_ = f;
}

TextCount BodyCounter::Finish() {
    if (pendingLead_ >= 0) rows_.Character(false);
    TextCount count = rows_.count;
    *this = BodyCounter();
    return count;
}

TextCount CountBody(std::string_view cp932) {
    BodyCounter counter;
    counter.Feed(cp932);
    return counter.Finish();
}

TextCount CountBody(std::u16string_view text) {
    RowFiller f;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\0') break;
        if (c == u'\r' || c == u'\n') {
            f.Break();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
        f.Character(IsHanging(c));
    }
    return f.count;
}

std::string SheetsText(std::int64_t rows) {
    std::string text = std::to_string(rows / kRowsPerSheet) + "枚";
    if (rows % kRowsPerSheet != 0) text += "と" + std::to_string(rows % kRowsPerSheet) + "行";
    return text;
}

std::string SheetsDecimal(std::int64_t rows) {
    static_assert(100 % kRowsPerSheet == 0, "a row must be a whole number of hundredths of a sheet");
    const std::int64_t hundredths = rows % kRowsPerSheet * (100 / kRowsPerSheet);
    return std::to_string(rows / kRowsPerSheet) + (hundredths < 10 ? ".0" : ".") + std::to_string(hundredths);
}

}  // namespace rn
