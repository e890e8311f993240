// SPDX-License-Identifier: MIT
#include "core/storage/ini.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::WriteAll;

class IniTest : public ::testing::Test {
protected:
    test::WithNotices n;
    test::TempDir dir;
    std::string ini = dir / "設定 ファイル.Ini";
};

TEST_F(IniTest, ReadsValuesTrimmedUnquotedAndWithoutRegardToCase) {
    WriteAll(ini,
             "; comment\r\n[Form]\r\n  Top = 12 \r\nname=\"  quoted  \"\r\nsingle='x'\r\nhalf=\"x\r\n"
             "noequals\r\n[OTHER]\nTop=99\n");
    EXPECT_EQ(IniReadInt(ini, "form", "TOP"), 12);
    EXPECT_EQ(IniReadString(ini, "Form", "Name"), "  quoted  ");
    EXPECT_EQ(IniReadString(ini, "Form", "single"), "x");
    EXPECT_EQ(IniReadString(ini, "Form", "half"), "\"x");
    EXPECT_EQ(IniReadString(ini, "Form", "noequals"), "");
    EXPECT_EQ(IniReadInt(ini, "Other", "top"), 99);
    EXPECT_TRUE(n.recorder.Boxes().empty());
}

TEST_F(IniTest, IntegerAndFlagRules) {
    WriteAll(ini,
             "[S]\r\nhex=0x1F\r\ndollar=$ff\r\nneg=-7\r\nabc=abc\r\ntwo=2\r\nzero=0\r\nbig=99999999999\r\n"
             "full=$FFFFFFFF\r\n");
    EXPECT_EQ(IniReadInt(ini, "S", "hex"), 31);
    EXPECT_EQ(IniReadInt(ini, "S", "dollar"), 255);
    EXPECT_EQ(IniReadInt(ini, "S", "neg"), -7);
    EXPECT_EQ(IniReadInt(ini, "S", "abc"), -1);
    EXPECT_EQ(IniReadInt(ini, "S", "missing"), -1);
    EXPECT_EQ(IniReadInt(ini, "S", "big"), -1);
    EXPECT_EQ(IniReadInt(ini, "S", "full"), -1);
    EXPECT_TRUE(IniReadBool(ini, "S", "two"));
    EXPECT_FALSE(IniReadBool(ini, "S", "zero"));
    EXPECT_FALSE(IniReadBool(ini, "S", "abc"));
    EXPECT_FALSE(IniReadBool(ini, "S", "missing"));  // not -1 read as yes
    EXPECT_FALSE(IniReadBool(dir / "none.ini", "S", "two"));
}

TEST_F(IniTest, ValuesAreCutAt2047BytesOnACharacterBoundary) {
    std::string longValue(3000, 'v');
    std::string dbcs;
    for (int i = 0; i < 1100; ++i)
        dbcs += "\x82\xA0";  // "あ" x 1100 = 2200 bytes
    WriteAll(ini, "[S]\r\nlong=" + longValue + "\r\nkana=" + dbcs + "\r\n");
    EXPECT_EQ(IniReadString(ini, "S", "long").size(), 2047u);
    EXPECT_EQ(IniReadString(ini, "S", "kana").size(), 2046u);
}

TEST_F(IniTest, DuplicateSectionsUseTheFirst) {
    WriteAll(ini, "[S]\r\na=1\r\n[S]\r\na=2\r\nb=3\r\n");
    EXPECT_EQ(IniReadInt(ini, "S", "a"), 1);
    EXPECT_EQ(IniReadInt(ini, "S", "b"), -1);
    ASSERT_TRUE(IniWriteInt(ini, "s", "A", 5));
    EXPECT_EQ(ReadAll(ini), "[S]\r\nA=5\r\n[S]\r\na=2\r\nb=3\r\n");
}

TEST_F(IniTest, WritesKeepOtherLinesAndAddKeysAndSections) {
    WriteAll(ini, "; keep me\n[Form]\nTop=1\nGarbage \x83\x5C\xFF line\n\n[Memo]\r\nTabSize=4\r\n");
    ASSERT_TRUE(IniWriteInt(ini, "FORM", "top", -3));
    ASSERT_TRUE(IniWriteString(ini, "Form", "Left", "x y"));
    ASSERT_TRUE(IniWriteBool(ini, "Others", "Flag", true));
    EXPECT_EQ(ReadAll(ini),
              "; keep me\n[Form]\ntop=-3\nGarbage \x83\x5C\xFF line\nLeft=x y\r\n\n[Memo]\r\nTabSize=4\r\n"
              "[Others]\r\nFlag=1\r\n");
    EXPECT_EQ(IniReadInt(ini, "Form", "Top"), -3);
    EXPECT_TRUE(IniReadBool(ini, "Others", "flag"));
}

TEST_F(IniTest, CreatesAMissingFileAndRoundTripsCp932) {
    const std::string value = test::S("．全角　ブランク");
    ASSERT_TRUE(IniWriteString(ini, "OUTLINE", "KUGIRI", value));
    EXPECT_EQ(ReadAll(ini), "[OUTLINE]\r\nKUGIRI=" + value + "\r\n");
    EXPECT_EQ(IniReadString(ini, "OUTLINE", "KUGIRI"), value);
    // A single ASCII blank is written but reads back empty.
    ASSERT_TRUE(IniWriteString(ini, "OUTLINE", "KUGIRI", " "));
    EXPECT_EQ(IniReadString(ini, "OUTLINE", "KUGIRI"), "");
}

TEST_F(IniTest, EmptyNamesShowTheOperationsOwnBox) {
    EXPECT_EQ(IniReadString(ini, "", "k"), "");
    EXPECT_EQ(IniReadInt(ini, "S", ""), -1);
    EXPECT_FALSE(IniWriteBool(ini, "", "k", true));
    EXPECT_EQ(n.recorder.Of("abort"), (std::vector<std::string>{"Fini_SGet Section Null Error [" + ini + "]",
                                                                "Fini_IGet Key Null Error [" + ini + "]",
                                                                "Fini_BPut Section Null Error [" + ini + "]"}));
    EXPECT_FALSE(test::Exists(ini));
}

TEST_F(IniTest, AWriteThatFailsSaysSoAndKeepsTheFile) {
    std::string missing = dir / "無い/x.ini";
    EXPECT_FALSE(IniWriteString(missing, "S", "k", "v"));
    WriteAll(ini, "[S]\r\nk=old\r\n");
    chmod(ini.c_str(), 0444);
    EXPECT_FALSE(IniWriteString(ini, "S", "k", "new"));
    EXPECT_EQ(n.recorder.Of("error"),
              (std::vector<std::string>{missing + " に書き込めません。ファイルまたはフォルダがありません",
                                        ini + " に書き込めません。アクセスが拒否されました"}));
    EXPECT_EQ(ReadAll(ini), "[S]\r\nk=old\r\n");
}

TEST(IniParse, IntegerForms) {
    EXPECT_EQ(ParseIniInteger("0X10"), 16);
    EXPECT_EQ(ParseIniInteger("$80000000"), INT32_MIN);
    EXPECT_EQ(ParseIniInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseIniInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseIniInteger("$"), std::nullopt);
    EXPECT_EQ(ParseIniInteger("12a"), std::nullopt);
    EXPECT_EQ(ParseIniInteger(""), std::nullopt);
}

}  // namespace
}  // namespace rn
