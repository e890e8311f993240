// SPDX-License-Identifier: MIT
#include "core/text/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>

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
    EXPECT_EQ(Cp932Literal("a😀b"), "a?b");
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
    // A lead byte before a byte that cannot follow it stands alone, as the converter reads it.
    EXPECT_EQ(SjisCharCount("\x83\n\x83\x20"), 4u);
    EXPECT_EQ(SjisFind("\x83\nx", "\n"), 1u);
    // The trail byte 0x61 ('a') of 0x8861 must not be upper-cased.
    EXPECT_EQ(SjisAsciiUpper("rnote\x88\x61x"), "RNOTE\x88\x61X");
}

// The C library's own code page 932 converter: an independent spelling of Microsoft's table, used
// as the reference for every code.
class LibcCp932 {
public:
    LibcCp932() : decode_(iconv_open("UTF-16LE", "CP932")), encode_(iconv_open("CP932", "UTF-16LE")) {}
    ~LibcCp932() {
        if (available()) {
            iconv_close(decode_);
            iconv_close(encode_);
        }
    }
    bool available() const { return decode_ != kNone && encode_ != kNone; }
    // The one character the bytes stand for, or nullopt.
    std::optional<char16_t> Decode(std::string bytes) {
        char16_t out[4];
        return Run(decode_, bytes.data(), bytes.size(), reinterpret_cast<char*>(out), sizeof out) == 2
                   ? std::optional<char16_t>(out[0])
                   : std::nullopt;
    }
    std::optional<std::string> Encode(char16_t c) {
        char out[8];
        std::size_t n = Run(encode_, reinterpret_cast<char*>(&c), 2, out, sizeof out);
        return n == 0 ? std::nullopt : std::optional<std::string>(std::string(out, n));
    }

private:
    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
    static std::size_t Run(iconv_t cd, char* in, std::size_t inLeft, char* out, std::size_t outSize) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* o = out;
        std::size_t outLeft = outSize;
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) return 0;
        return outSize - outLeft;
    }
    iconv_t decode_;
    iconv_t encode_;
};

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

// Every single byte and every lead byte with every following byte: the same character as the
// reference or, where the reference has none, reported as undefined at offset 0. Encoding gives the
// reference's code, which is the code itself except for the duplicates.
TEST(Cp932, EveryCodeFollowsMicrosoftsTable) {
    LibcCp932 ref;
    if (!ref.available()) GTEST_SKIP() << "the C library has no CP932 converter";
    int singles = 0, pairs = 0, duplicates = 0;
    auto check = [&](const std::string& code) {
        std::optional<char16_t> expected = ref.Decode(code);
        std::u16string got = Cp932ToUtf16(code);
        if (!expected) {
            EXPECT_EQ(FirstUndefinedCp932(code), 0u) << testing::PrintToString(code);
            EXPECT_FALSE(RoundTripsCp932(code));
            EXPECT_EQ(got[0], u'\xFFFD');
            return;
        }
        ++(code.size() == 1 ? singles : pairs);
        ASSERT_EQ(got, std::u16string(1, *expected)) << testing::PrintToString(code);
        EXPECT_EQ(FirstUndefinedCp932(code), std::string::npos);
        EncodeResult back = Utf16ToCp932(got);
        ASSERT_TRUE(back.ok);
        EXPECT_EQ(back.bytes, ref.Encode(*expected).value_or("?")) << testing::PrintToString(code);
        EXPECT_EQ(RoundTripsCp932(code), back.bytes == code);
        if (back.bytes != code) {
            ++duplicates;
            EXPECT_EQ(Cp932ToUtf16(back.bytes), got);
        }
    };
    for (int b = 0; b < 256; ++b)
        check(Bytes({b}));
    for (int lead = 0; lead < 256; ++lead) {
        if (!IsSjisLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0; trail < 256; ++trail)
            check(Bytes({lead, trail}));
    }
    // 0x00-0x7F and the half-width katakana; JIS X 0208, NEC row 13 and the two IBM extension sets;
    // the user-defined area.
    EXPECT_EQ(singles, 128 + 63);
    EXPECT_EQ(pairs, 6879 + 83 + 374 + 388 + 1880);
    EXPECT_EQ(duplicates, 398);
}

// Nothing outside the table is written: no best-fit substitutes, no silently dropped characters.
TEST(Cp932, EncodesOnlyCharactersThatComeBack) {
    std::map<char16_t, std::string> known = {
        {u'\\', "\x5C"},     {u'~', "\x7E"},          {u'\x1A', "\x1A"},       {u'\x1C', "\x1C"},   {u'\x7F', "\x7F"},
        {u'＼', "\x81\x5F"}, {u'～', "\x81\x60"},     {u'∥', "\x81\x61"},      {u'－', "\x81\x7C"}, {u'￠', "\x81\x91"},
        {u'￡', "\x81\x92"}, {u'￢', "\x81\xCA"},     {u'≒', "\x81\xE0"},      {u'Ⅰ', "\x87\x54"},  {u'ⅰ', "\xFA\x40"},
        {u'纊', "\xFA\x5C"}, {u'\xE000', "\xF0\x40"}, {u'\xE757', "\xF9\xFC"},
    };
    for (const auto& [c, bytes] : known) {
        EncodeResult r = Utf16ToCp932(std::u16string(1, c));
        EXPECT_TRUE(r.ok) << int(c);
        EXPECT_EQ(r.bytes, bytes) << int(c);
    }
    for (char16_t c : {u'\x80', u'¢', u'£', u'¬', u'¥', u'‾', u'−', u'〜', u'‖', u'\x200B', u'\xFFFD', u'\xF8F0'}) {
        EncodeResult r = Utf16ToCp932(u"a" + std::u16string(1, c));
        EXPECT_FALSE(r.ok) << int(c);
        EXPECT_EQ(r.firstBad, c);
        EXPECT_EQ(r.firstBadAt, 1u);
        EXPECT_EQ(r.bytes, "a");
    }
}

TEST(Cp932, ReportsTheFirstUndefinedByteAndDropsEveryUndefinedUnit) {
    struct Case {
        std::string bytes;
        std::size_t at;
        std::string repaired;
    };
    const Case cases[] = {
        {"plain\r\n", std::string::npos, "plain\r\n"},
        {"ab\x80", 2, "ab"},
        {"\xA0", 0, ""},
        {"x\xFD\xFE\xFF", 1, "x"},
        {"\x82\xA0\x85\x40x", 2, "\x82\xA0x"},                        // an undefined double-byte code
        {"abc\x81", 3, "abc"},                                        // a lead byte at the end
        {"\x81\r\n", 0, "\r\n"},                                      // a lead byte before a line end
        {"\x82\xA0\xFC\x4B\xFC\x4C", 4, "\x82\xA0\xFC\x4B"},          // the last IBM extension, then nothing
        {"\x87\x90\xED\x40", std::string::npos, "\x87\x90\xED\x40"},  // duplicates still convert
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FirstUndefinedCp932(c.bytes), c.at) << testing::PrintToString(c.bytes);
        EXPECT_EQ(DropUndefinedCp932(c.bytes), c.repaired) << testing::PrintToString(c.bytes);
    }
    // A lead byte without a trail byte stands alone, so the line end after it is kept.
    EXPECT_EQ(Cp932ToUtf16("\x81\nA"), u"\xFFFD\nA");
    EXPECT_EQ(Cp932ToUtf16("\x85\x40"
                           "A"),
              u"\xFFFD"
              "A");
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
