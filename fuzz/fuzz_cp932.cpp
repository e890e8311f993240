// SPDX-License-Identifier: MIT
// CP932 both ways: defined bytes convert to Unicode and back to bytes that stand for the same text
// (the same bytes when RoundTripsCp932 says so); undefined bytes are reported at their first offset;
// Unicode is either encoded completely or refused at the first character without a code.
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace rn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::u16string text = Cp932ToUtf16(bytes);
    FUZZ_CHECK(Cp932ToUtf8(bytes) == Utf16ToUtf8(text));
    const std::size_t bad = FirstUndefinedCp932(bytes);
    if (bad == std::string::npos) {
        FUZZ_CHECK(text.find(u'\xFFFD') == std::u16string::npos);
        EncodeResult back = Utf16ToCp932(text);
        FUZZ_CHECK(back.ok);
        FUZZ_CHECK(Cp932ToUtf16(back.bytes) == text);
        FUZZ_CHECK(RoundTripsCp932(bytes) == (back.bytes == bytes));
        FUZZ_CHECK(RoundTripsCp932(back.bytes));
    } else {
        FUZZ_CHECK(bad < bytes.size());
        FUZZ_CHECK(!RoundTripsCp932(bytes));
        FUZZ_CHECK(text.find(u'\xFFFD') != std::u16string::npos);
        // Everything before it converts.
        FUZZ_CHECK(FirstUndefinedCp932(std::string_view(bytes).substr(0, bad)) == std::string::npos);
    }
    FUZZ_CHECK(SjisCharCount(bytes) <= bytes.size());

    // The same input as UTF-16 text.
    std::u16string wide(size / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    EncodeResult encoded = Utf16ToCp932(wide);
    FUZZ_CHECK(FirstUndefinedCp932(encoded.bytes) == std::string::npos);
    FUZZ_CHECK(RoundTripsCp932(encoded.bytes));
    if (encoded.ok) {
        FUZZ_CHECK(Cp932ToUtf16(encoded.bytes) == wide);
    } else {
        FUZZ_CHECK(encoded.firstBadAt < wide.size());
        FUZZ_CHECK(Cp932ToUtf16(encoded.bytes) == wide.substr(0, encoded.firstBadAt));
        FUZZ_CHECK(!Utf16ToCp932(wide.substr(encoded.firstBadAt, 1)).ok);
    }

    // Searching finds the needle only at character boundaries.
    if (size > 2) {
        const std::size_t cut = data[0] % size;
        const std::string_view hay(bytes), needle = hay.substr(cut, std::min<std::size_t>(3, size - cut));
        std::size_t boundary = 0;
        for (std::size_t at = SjisFind(hay, needle); at != std::string_view::npos;
             at = SjisFind(hay, needle, at + SjisCharLength(hay, at))) {
            while (boundary < at)
                boundary += SjisCharLength(hay, boundary);
            FUZZ_CHECK(boundary == at);
            FUZZ_CHECK(hay.substr(at, needle.size()) == needle);
            if (needle.empty()) break;
        }
    }
    return 0;
}
