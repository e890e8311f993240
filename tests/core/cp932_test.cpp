#include "core/text/cp932.h"

#include <gtest/gtest.h>

namespace rn {
namespace {

TEST(Cp932, DecodesTheVendorExtensionsAndBackslash) {
    // 0x5C is a backslash in CP932 (not a yen sign); 0x8740 is the circled one; 0xED40 and 0xFA5C are
    // NEC-selected and IBM extensions; 0x8790 is the NEC "≒".
    EXPECT_EQ(Cp932ToUtf8("\x5C"), "\\");
    EXPECT_EQ(Cp932ToUtf8("\x87\x40"), "①");
    EXPECT_EQ(Cp932ToUtf8("\x87\x54"), "Ⅰ");
    EXPECT_EQ(Cp932ToUtf8("\xED\x40"), "纊");
    EXPECT_EQ(Cp932ToUtf8("\x87\x90"), "≒");
    EXPECT_EQ(Cp932ToUtf8("\xB1"), "ｱ");
    EXPECT_EQ(Cp932ToUtf8("\x83\x53\x83\x7E\x94\xA0"), "ゴミ箱");
}

TEST(Cp932, EncodesAndReportsTheFirstCharacterItCannotHold) {
    EncodeResult ok = Utf8ToCp932("第1章．ソ");
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.bytes,
              "\x91\xE6"
              "1"
              "\x8F\xCD\x81\x44\x83\x5C");

    std::u16string text = Utf8ToUtf16("ab😀c🍣");
    EncodeResult bad = Utf16ToCp932(text);
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.firstBad, U'😀');
    EXPECT_EQ(bad.firstBadAt, 2u);
    EXPECT_EQ(bad.bytes, "ab");

    EncodeResult hangul = Utf8ToCp932("あ한");
    EXPECT_FALSE(hangul.ok);
    EXPECT_EQ(hangul.firstBad, U'한');
    EXPECT_EQ(hangul.firstBadAt, 1u);
}

TEST(Cp932, ConversionsAreReusableAfterAFailure) {
    EXPECT_FALSE(Utf8ToCp932("😀").ok);
    EncodeResult again = Utf8ToCp932("ゴミ箱");
    EXPECT_TRUE(again.ok);
    EXPECT_EQ(again.bytes, "\x83\x53\x83\x7E\x94\xA0");
    EXPECT_EQ(Sjis("a😀b"), "a?b");
}

TEST(Cp932, FindOnlyMatchesAtCharacterBoundaries) {
    // "ソ" is 0x83 0x5C: its trail byte is a backslash, which must not be found.
    const std::string s =
        "\x83\x5C"
        "a\\b";
    EXPECT_EQ(SjisFind(s, "\\"), 3u);
    // "\x5C\x83" spans the end of one character and the start of the next: no match.
    const std::string t = "\x83\x5C\x83\x5C";
    EXPECT_EQ(SjisFind(t, "\x5C\x83"), std::string::npos);
    EXPECT_EQ(SjisFind(t, "\x83\x5C", 1 + 1), 2u);
    EXPECT_EQ(SjisFind("aaaa", "aa", 1), 1u);
    EXPECT_EQ(SjisFind("abc", ""), 0u);
}

TEST(Cp932, CountsCharactersAndUpperCasesAsciiOnly) {
    EXPECT_EQ(SjisCharCount("a\x83\x5C"
                            "b"),
              3u);
    EXPECT_EQ(SjisCharCount("\x83"), 1u);  // a lone lead byte at the end is one character
    // The trail byte 0x61 ('a') of 0x8861 must not be upper-cased.
    EXPECT_EQ(SjisAsciiUpper("rnote\x88\x61x"), "RNOTE\x88\x61X");
}

TEST(Cp932, TheQuickUtf8DecodingAgreesWithTheConverterForEveryByteAndPair) {
    auto slow = [](std::string_view bytes) { return Utf16ToUtf8(Cp932ToUtf16(bytes)); };
    for (unsigned a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        ASSERT_EQ(Cp932ToUtf8(one), slow(one)) << a;
        for (unsigned b = 0; b < 256; ++b) {
            const std::string two = one + static_cast<char>(b);
            ASSERT_EQ(Cp932ToUtf8(two), slow(two)) << a << " " << b;
            // What follows a lead byte decides whether its next byte is taken with it or starts anew.
            if (IsSjisLeadByte(static_cast<unsigned char>(a))) {
                ASSERT_EQ(Cp932ToUtf8(two + "@"), slow(two + "@"));
            }
        }
    }
    char room[Utf8Room(3)];
    EXPECT_EQ(std::string_view(room, Cp932ToUtf8Into("\x82\xA0\xB1", room)), "あｱ");
}

}  // namespace
}  // namespace rn
