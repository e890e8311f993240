// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/batchout/btxtout_settings.h"
#include "core/storage/ini.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;

class BatchOutputSettingsTest : public ::testing::Test {
protected:
    std::string Ini() const { return BatchOutputSettingsPath(dir.path()); }
    std::optional<std::string> Value(const std::string& key) const { return IniLookup(Ini(), "OUTLINE", key); }

    test::WithNotices n;
    test::TempDir dir;
};

TEST_F(BatchOutputSettingsTest, PathBesideTheProgram) {
    EXPECT_EQ(BatchOutputSettingsPath("/opt/rn"), "/opt/rn/BTxtOut.Ini");
    EXPECT_EQ(BatchOutputSettingsPath("/opt/rn/"), "/opt/rn/BTxtOut.Ini");
}

TEST_F(BatchOutputSettingsTest, FirstOpeningWithoutTheFileWritesTheMissingDefaults) {
    BatchOutputSettings s = ReadBatchOutputSettings(Ini(), true);
    EXPECT_EQ(s, BatchOutputSettings{});
    EXPECT_EQ(s.OUTLIN, 2);
    EXPECT_EQ(s.OUTLINE, (std::array<int, 5>{1, 2, 3, 4, 5}));
    EXPECT_EQ(s.KUGIRI, S("．"));
    EXPECT_EQ(s.INDENT, "TAB");
    EXPECT_EQ(s.INDMAX, 5);
    EXPECT_EQ(s.PAGEL, 0);
    EXPECT_FALSE(s.KUGISW || s.INDSW || s.INDADDSW || s.PAGE || s.MOKUJI);
    EXPECT_TRUE(s.SEPA.empty());
    EXPECT_EQ(ReadAll(Ini()), S("[OUTLINE]\r\nOUTLIN=2\r\nOUTLINE1=1\r\nOUTLINE2=2\r\nOUTLINE3=3\r\nOUTLINE4=4\r\n"
                                "OUTLINE5=5\r\nKUGIRI=．\r\nINDENT=TAB\r\n"));
    EXPECT_TRUE(n.recorder.log.empty());
}

TEST_F(BatchOutputSettingsTest, ReadingWithoutWriteBackLeavesTheDiskAlone) {
    EXPECT_EQ(ReadBatchOutputSettings(Ini(), false), BatchOutputSettings{});
    EXPECT_FALSE(test::Exists(Ini()));
    WriteAll(Ini(), "[OUTLINE]\r\nOUTLIN=0\r\n");
    EXPECT_EQ(ReadBatchOutputSettings(Ini(), false).OUTLIN, 2);
    EXPECT_EQ(ReadAll(Ini()), "[OUTLINE]\r\nOUTLIN=0\r\n");
}

TEST_F(BatchOutputSettingsTest, ZeroNonNumbersAndEmptyTextsAreWrittenBackOtherLinesKept) {
    WriteAll(Ini(), S("; 一括出力\r\n[OUTLINE]\r\nOUTLIN=0\r\nOUTLINE1=abc\r\nOUTLINE2=10\r\nOUTLINE3=0\r\n"
                      "OUTLINE4=4\r\nOUTLINE5=13\r\nKUGIRI=\r\nINDENT=　\r\n[OTHER]\r\nX=1\r\n"));
    BatchOutputSettings s = ReadBatchOutputSettings(Ini(), true);
    EXPECT_EQ(s.OUTLIN, 2);
    EXPECT_EQ(s.OUTLINE, (std::array<int, 5>{1, 10, 3, 4, 13}));
    EXPECT_EQ(s.KUGIRI, S("．"));
    EXPECT_EQ(s.INDENT, S("　"));  // a full-width blank is text, not blank
    EXPECT_EQ(ReadAll(Ini()), S("; 一括出力\r\n[OUTLINE]\r\nOUTLIN=2\r\nOUTLINE1=1\r\nOUTLINE2=10\r\nOUTLINE3=3\r\n"
                                "OUTLINE4=4\r\nOUTLINE5=13\r\nKUGIRI=．\r\nINDENT=　\r\n[OTHER]\r\nX=1\r\n"));
}

TEST_F(BatchOutputSettingsTest, NothingToWriteBackLeavesTheFileUntouched) {
    const std::string text =
        "[OUTLINE]\nOUTLIN=3\nOUTLINE1=1\nOUTLINE2=2\nOUTLINE3=3\nOUTLINE4=4\nOUTLINE5=5\n"
        "KUGIRI=:\nINDENT=TAB\n";
    WriteAll(Ini(), text);
    EXPECT_EQ(ReadBatchOutputSettings(Ini(), true).OUTLIN, 3);
    EXPECT_EQ(ReadAll(Ini()), text);  // not even its LF line ends are touched
}

TEST_F(BatchOutputSettingsTest, NonNumbersReadAsTheValueForAMissingKey) {
    WriteAll(Ini(),
             "[OUTLINE]\r\nOUTEDIT6=x\r\nKUGISW=yes\r\nINDSW=1\r\nINDMAX=five\r\nINDADDSW=$1\r\nPAGE=-1\r\n"
             "PAGEL=1e3\r\nMOKUJI=\r\nSEPA0=two\r\nSEPA1=never read\r\n");
    BatchOutputSettings s = ReadBatchOutputSettings(Ini(), false);
    EXPECT_EQ(s.OUTEDIT6, 0);
    EXPECT_FALSE(s.KUGISW);
    EXPECT_TRUE(s.INDSW);
    EXPECT_EQ(s.INDMAX, 5);
    EXPECT_TRUE(s.INDADDSW);
    EXPECT_TRUE(s.PAGE);
    EXPECT_EQ(s.PAGEL, 0);
    EXPECT_FALSE(s.MOKUJI);
    EXPECT_TRUE(s.SEPA.empty());
}

TEST_F(BatchOutputSettingsTest, StoredValuesOutsideTheChoices) {
    WriteAll(Ini(),
             "[OUTLINE]\r\nOUTLIN=9\r\nOUTLINE1=-2\r\nOUTLINE2=14\r\nOUTEDIT6=2\r\nINDMAX=-2147483648\r\n"
             "PAGEL=2147483647\r\n");
    BatchOutputSettings s = ReadBatchOutputSettings(Ini(), true);
    EXPECT_EQ(s.OUTLIN, 2);
    EXPECT_EQ(s.OUTLINE[0], 1);
    EXPECT_EQ(s.OUTLINE[1], 2);
    EXPECT_EQ(s.OUTEDIT6, 0);
    EXPECT_EQ(s.INDMAX, 0);  // no indentation, rather than 2^31 tabs on every line
    EXPECT_EQ(s.PAGEL, 1000);
    // Only missing and 0 values are written back; a stored 9 stays for the user to see.
    EXPECT_EQ(Value("OUTLIN"), "9");
    EXPECT_EQ(Value("OUTLINE2"), "14");
}

TEST_F(BatchOutputSettingsTest, HalfACharacterIsDroppedFromTexts) {
    // A lead byte at the end of a text would swallow the first byte of each heading after it.
    WriteAll(Ini(), S("[OUTLINE]\r\nKUGIRI=：") + "\x81\r\nINDENT=\x81\r\nSEPA0=1\r\nSEPA1=--\x9F\r\n");
    BatchOutputSettings s = ReadBatchOutputSettings(Ini(), false);
    EXPECT_EQ(s.KUGIRI, S("："));
    EXPECT_EQ(s.INDENT, "TAB");  // nothing left: the default
    EXPECT_EQ(s.SEPA, std::vector<std::string>{"--"});
}

TEST_F(BatchOutputSettingsTest, AnAsciiBlankSeparatorReadsBackEmptySoTheDefaultReturns) {
    BatchOutputSettings s;
    s.KUGIRI = " ";
    ASSERT_TRUE(WriteBatchOutputSettings(Ini(), s));
    EXPECT_NE(ReadAll(Ini()).find("KUGIRI= \r\n"), std::string::npos);
    EXPECT_EQ(ReadBatchOutputSettings(Ini(), true).KUGIRI, S("．"));
    EXPECT_EQ(Value("KUGIRI"), S("．"));
}

TEST_F(BatchOutputSettingsTest, ClosingWritesEveryKeyInOrder) {
    BatchOutputSettings s;
    s.OUTLIN = 5;
    s.OUTLINE = {9, 10, 11, 1, 3};
    s.OUTEDIT6 = 1;
    s.KUGISW = true;
    s.KUGIRI = S("：");
    s.INDSW = true;
    s.INDENT = "TABTAB";
    s.INDMAX = 3;
    s.INDADDSW = true;
    s.PAGE = true;
    s.PAGEL = 50;
    s.MOKUJI = true;
    s.SEPA = {"----", S("＝＝"), ""};
    ASSERT_TRUE(WriteBatchOutputSettings(Ini(), s));
    EXPECT_EQ(ReadAll(Ini()), S("[OUTLINE]\r\nOUTLIN=5\r\nOUTLINE1=9\r\nOUTLINE2=10\r\nOUTLINE3=11\r\nOUTLINE4=1\r\n"
                                "OUTLINE5=3\r\nOUTEDIT6=1\r\nKUGISW=1\r\nKUGIRI=：\r\nINDSW=1\r\nINDENT=TABTAB\r\n"
                                "INDMAX=3\r\nINDADDSW=1\r\nPAGE=1\r\nPAGEL=50\r\nMOKUJI=1\r\nSEPA1=----\r\n"
                                "SEPA2=＝＝\r\nSEPA3=\r\nSEPA0=3\r\n"));
    EXPECT_EQ(ReadBatchOutputSettings(Ini(), true), s);
}

TEST_F(BatchOutputSettingsTest, ClosingWithABuiltInStyleStoresZeroFormatsAndTheNextOpeningRestoresThem) {
    BatchOutputSettings s;
    s.OUTLIN = 2;
    s.OUTLINE = {9, 10, 11, 1, 3};
    ASSERT_TRUE(WriteBatchOutputSettings(Ini(), s));
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(Value("OUTLINE" + std::to_string(k)), "0");
    BatchOutputSettings again = ReadBatchOutputSettings(Ini(), true);
    EXPECT_EQ(again.OUTLINE, (std::array<int, 5>{1, 2, 3, 4, 5}));
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(Value("OUTLINE" + std::to_string(k)), std::to_string(k));
}

TEST_F(BatchOutputSettingsTest, AShorterSeparatorBlockLeavesTheOldKeysUnread) {
    BatchOutputSettings s;
    s.SEPA = {"a", "b", "c"};
    ASSERT_TRUE(WriteBatchOutputSettings(Ini(), s));
    s.SEPA = {"z"};
    ASSERT_TRUE(WriteBatchOutputSettings(Ini(), s));
    EXPECT_EQ(Value("SEPA0"), "1");
    EXPECT_EQ(Value("SEPA1"), "z");
    EXPECT_EQ(Value("SEPA2"), "b");
    EXPECT_EQ(Value("SEPA3"), "c");
    EXPECT_EQ(ReadBatchOutputSettings(Ini(), false).SEPA, (std::vector<std::string>{"z"}));
}

TEST_F(BatchOutputSettingsTest, SeparatorKeysAreReadLikeAnyOtherIniValue) {
    // Missing keys read as empty lines; names match without regard to case; values are trimmed and
    // unquoted; the first section of the name counts.
    WriteAll(Ini(),
             "[outline]\r\nsepa0 = 4\r\nSepa1 =  x y \r\nSEPA3=\"  q  \"\r\nSEPA1=second\r\nSEPA4=d\r\n"
             "[OUTLINE]\r\nSEPA2=other section\r\n");
    EXPECT_EQ(ReadBatchOutputSettings(Ini(), false).SEPA, (std::vector<std::string>{"x y", "", "  q  ", "d"}));
}

TEST_F(BatchOutputSettingsTest, ManySeparatorLinesAndAnAbsurdCount) {
    BatchOutputSettings s;
    for (int i = 0; i < 2000; ++i)
        s.SEPA.push_back(std::to_string(i));
    ASSERT_TRUE(WriteBatchOutputSettings(Ini(), s));
    EXPECT_EQ(ReadBatchOutputSettings(Ini(), false).SEPA, s.SEPA);
    WriteAll(Ini(), "[OUTLINE]\r\nSEPA0=2000000000\r\nSEPA1=a\r\n");
    auto sepa = ReadBatchOutputSettings(Ini(), false).SEPA;
    EXPECT_EQ(sepa.size(), static_cast<std::size_t>(kMaxSeparatorLines));
    EXPECT_EQ(sepa[0], "a");
    WriteAll(Ini(), "[OUTLINE]\r\nSEPA0=-3\r\nSEPA1=a\r\n");
    EXPECT_TRUE(ReadBatchOutputSettings(Ini(), false).SEPA.empty());
}

TEST_F(BatchOutputSettingsTest, AFileThatCannotBeWrittenShowsItsBox) {
    const std::string ini = BatchOutputSettingsPath(dir / "無いディレクトリ");
    EXPECT_FALSE(WriteBatchOutputSettings(ini, BatchOutputSettings{}));
    EXPECT_EQ(n.recorder.Of("error"),
              (std::vector<std::string>{ini + " に書き込めません。ファイルまたはフォルダがありません"}));
    n.recorder.Clear();
    ReadBatchOutputSettings(ini, true);
    EXPECT_EQ(n.recorder.Of("error"),
              (std::vector<std::string>{ini + " に書き込めません。ファイルまたはフォルダがありません"}));
}

}  // namespace
}  // namespace rn
