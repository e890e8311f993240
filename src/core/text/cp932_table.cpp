// SPDX-License-Identifier: MIT
#include "core/text/cp932_table.h"

#include <unicode/ucnv.h>

#include <memory>
#include <stdexcept>

namespace rn::cp932 {
namespace {

// ICU's "ibm-943_P15A-2003" (also known as windows-31j) holds Microsoft's double-byte table and the
// half-width katakana, but it swaps the control bytes 0x1A, 0x1C and 0x7F and has no entry for the
// single bytes Microsoft leaves undefined. Its double-byte part is taken; the rest is fixed here.
constexpr const char* kIcuName = "ibm-943_P15A-2003";

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

char16_t DecodeOne(UConverter* conv, const char* bytes, int length) {
    UChar out[4];
    UChar* target = out;
    const char* source = bytes;
    UErrorCode err = U_ZERO_ERROR;
    ucnv_reset(conv);
    ucnv_toUnicode(conv, &target, out + 4, &source, bytes + length, nullptr, true, &err);
    if (U_FAILURE(err) || target != out + 1 || source != bytes + length) return kNoChar;
    // The converter's own substitutes are no mapping.
    if (out[0] == 0x1A || out[0] == 0xFFFD || (out[0] >= 0xD800 && out[0] <= 0xDFFF)) return kNoChar;
    return out[0];
}

std::unique_ptr<Tables> Build() {
    auto t = std::make_unique<Tables>();
    for (auto& c : t->single)
        c = kNoChar;
    for (auto& row : t->pair)
        for (auto& c : row)
            c = kNoChar;
    for (auto& c : t->fromUnicode)
        c = kNoCode;

    UErrorCode err = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> conv(ucnv_open(kIcuName, &err));
    if (U_FAILURE(err) || !conv) throw std::runtime_error(std::string("ICU converter ") + kIcuName + " is missing");
    ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);

    for (unsigned b = 0; b < 0x80; ++b)
        t->single[b] = static_cast<char16_t>(b);  // controls included: every one stands for itself
    for (unsigned b = 0xA1; b <= 0xDF; ++b)
        t->single[b] = static_cast<char16_t>(0xFF61 + (b - 0xA1));  // half-width katakana
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsSjisLeadByte(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsSjisTrailByte(static_cast<unsigned char>(trail))) continue;
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            t->pair[lead][trail] = DecodeOne(conv.get(), bytes, 2);
        }
    }

    // Encoding takes the first code of a character in code order, except that the NEC-selected IBM
    // extensions (lead 0xED, 0xEE) yield to the IBM extensions: Windows never writes them.
    for (unsigned b = 0; b < 256; ++b)
        if (t->single[b] != kNoChar) t->fromUnicode[t->single[b]] = static_cast<uint16_t>(b);
    auto addRow = [&t](unsigned lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            char16_t u = t->pair[lead][trail];
            if (u != kNoChar && t->fromUnicode[u] == kNoCode)
                t->fromUnicode[u] = static_cast<uint16_t>(lead << 8 | trail);
        }
    };
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
        if (IsSjisLeadByte(static_cast<unsigned char>(lead)) && lead != 0xED && lead != 0xEE) addRow(lead);
    addRow(0xED);
    addRow(0xEE);
    return t;
}

}  // namespace

const Tables& TablesInstance() {
    static const std::unique_ptr<Tables> tables = Build();
    return *tables;
}

}  // namespace rn::cp932
