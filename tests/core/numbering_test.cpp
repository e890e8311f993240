// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/batchout/heading_numberer.h"
#include "core/storage/files.h"
#include "test_support.h"

namespace rn {
namespace {

using test::S;

constexpr std::array<int, 5> kPlainFormats = {1, 2, 3, 4, 5};

std::vector<std::string> Labels(HeadingNumberer& numberer, const std::vector<int>& levels) {
    std::vector<std::string> out;
    for (int level : levels)
        out.push_back(numberer.Label(level));
    return out;
}

std::vector<std::string> LabelsOf(int style, std::array<int, 5> formats, int mode, const std::vector<int>& levels) {
    HeadingNumberer numberer;
    numberer.Begin(style, formats, mode);
    return Labels(numberer, levels);
}

// Rows of the golden file: "style/mode|label|label|..." in CP932.
std::vector<std::vector<std::string>> GoldenRows() {
    std::string bytes = test::ReadAll(std::string(RN_TEST_DATA_DIR) + "/batchout_numbering_example.TXT");
    std::vector<std::string> lines;
    SplitFields("\r\n", bytes, lines);
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : lines) {
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (;;) {
            std::size_t bar = line.find('|', from);
            fields.push_back(line.substr(from, bar == std::string::npos ? std::string::npos : bar - from));
            if (bar == std::string::npos) break;
            from = bar + 1;
        }
        rows.push_back(fields);
    }
    return rows;
}

TEST(HeadingNumbererTest, WorkedExampleEveryRow) {
    const std::vector<int> levels = {1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 2, 1, 2, 3};
    auto rows = GoldenRows();
    ASSERT_EQ(rows.size(), 7u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 15u);
        int style = row[0][0] - '0';
        int mode = row[0][2] - '0';
        std::array<int, 5> formats = style == 5 ? std::array<int, 5>{9, 10, 2, 4, 8} : kPlainFormats;
        std::vector<std::string> expected(row.begin() + 1, row.end());
        EXPECT_EQ(LabelsOf(style, formats, mode, levels), expected) << "row " << row[0];
    }
}

TEST(HeadingNumbererTest, NumberTextBytesAtTheEndsOfEachRange) {
    struct Case {
        int kind;
        long long n;
        std::string text;
    };
    for (const Case& c : std::vector<Case>{{kKindNone, 1, ""},
                                           {kKindDecimal, 1, "1"},
                                           {kKindDecimal, 1000, "1000"},
                                           {kKindCircled, 1, "\x87\x40"},
                                           {kKindCircled, 20, "\x87\x53"},
                                           {kKindCircled, 21, ""},
                                           {kKindRoman, 1, "\x87\x54"},
                                           {kKindRoman, 10, "\x87\x5D"},
                                           {kKindRoman, 11, ""},
                                           {kKindLetter, 1, "A"},
                                           {kKindLetter, 26, "Z"},
                                           {kKindLetter, 27, "a"},
                                           {kKindLetter, 52, "z"},
                                           {kKindLetter, 53, ""},
                                           {kKindKatakana, 1, "\xB1"},
                                           {kKindKatakana, 44, "\xDC"},
                                           {kKindKatakana, 45, "\xDD"},
                                           {kKindKatakana, 46, ""},
                                           {6, 1, ""},
                                           {kKindDecimal, 0, ""}}) {
        EXPECT_EQ(NumberText(c.kind, c.n), c.text) << c.kind << " " << c.n;
    }
    EXPECT_EQ(NumberText(kKindCircled, 20), S("⑳"));
    EXPECT_EQ(NumberText(kKindKatakana, 45), S("ﾝ"));
}

// The n-th label of a run of `count` root nodes under user format `format` on level 1.
std::string NthRootLabel(int format, int count) {
    HeadingNumberer numberer;
    numberer.Begin(kStyleUser, {format, 2, 3, 4, 5}, 0);
    std::string last;
    for (int i = 0; i < count; ++i)
        last = numberer.Label(1);
    return last;
}

TEST(HeadingNumbererTest, LabelsPastTheRangeOfTheirKindAreEmpty) {
    EXPECT_EQ(NthRootLabel(5, 20), S("⑳"));
    EXPECT_EQ(NthRootLabel(5, 21), "");
    EXPECT_EQ(NthRootLabel(6, 11), "");
    EXPECT_EQ(NthRootLabel(7, 27), "a");
    EXPECT_EQ(NthRootLabel(7, 53), "");
    EXPECT_EQ(NthRootLabel(8, 46), "");
    EXPECT_EQ(NthRootLabel(12, 99), S("・"));
}

TEST(HeadingNumbererTest, RomanStyleChaptersStopAtTen) {
    std::vector<std::string> labels = LabelsOf(kStyleRoman, kPlainFormats, 0, std::vector<int>(11, 1));
    EXPECT_EQ(labels[0], S("Ⅰ"));
    EXPECT_EQ(labels[3], S("Ⅳ"));
    EXPECT_EQ(labels[9], S("Ⅹ"));
    EXPECT_EQ(labels[10], "");
}

TEST(HeadingNumbererTest, ParentPiecesReachOneLevelUpOnly) {
    HeadingNumberer numberer;
    numberer.Begin(kStyleUser, {2, 2, 2, 4, 5}, 0);
    // Chapter 1 with one section, chapter 2 with three sections, the third with four items.
    std::vector<int> levels = {1, 2, 1, 2, 2, 2, 3, 3, 3, 3};
    std::vector<std::string> labels = Labels(numberer, levels);
    EXPECT_EQ(labels[2], "2");    // chapter 2
    EXPECT_EQ(labels[5], "2-3");  // its third section
    EXPECT_EQ(labels[9], "3-4");  // the fourth item of that section
}

TEST(HeadingNumbererTest, NumbersStyleLevelFourReadsItsParentsClosedNumber) {
    EXPECT_EQ(LabelsOf(kStyleNumbers, kPlainFormats, 0, {1, 2, 3, 4, 4, 3, 4}),
              (std::vector<std::string>{"1", "1-1", "1)", "1)-1)", "1)-2)", "2)", "2)-1)"}));
}

TEST(HeadingNumbererTest, DeeperLevelsAreEmptyInModeZeroAndCountAlikeInModeOne) {
    std::vector<int> levels = {1, 2, 3, 4, 5, 6, 7, 7, 6, 8};
    std::vector<std::string> zero = LabelsOf(kStyleChapter, kPlainFormats, 0, levels);
    for (std::size_t i = 5; i < levels.size(); ++i)
        EXPECT_EQ(zero[i], "") << i;
    // Each deeper level counts by itself in the level-5 format n).
    std::vector<std::string> one = LabelsOf(kStyleChapter, kPlainFormats, 1, levels);
    EXPECT_EQ(std::vector<std::string>(one.begin() + 5, one.end()),
              (std::vector<std::string>{"1)", "1)", "2)", "2)", "1)"}));
}

TEST(HeadingNumbererTest, ReturningToAShallowerLevelRestartsTheDeeperOnes) {
    EXPECT_EQ(LabelsOf(kStyleNumbers, kPlainFormats, 0, {1, 2, 3, 4, 2, 3, 4}),
              (std::vector<std::string>{"1", "1-1", "1)", "1)-1)", "1-2", "1)", "1)-1)"}));
}

TEST(HeadingNumbererTest, StoredValuesOutsideTheChoicesFallBack) {
    // Style 0 or 9 is the default style 2.
    EXPECT_EQ(LabelsOf(0, kPlainFormats, 0, {1, 2}), LabelsOf(kStyleChapter, kPlainFormats, 0, {1, 2}));
    EXPECT_EQ(LabelsOf(9, kPlainFormats, 0, {1, 2}), LabelsOf(kStyleChapter, kPlainFormats, 0, {1, 2}));
    // A user format outside 1..13 is the level's own default: level k gets format k.
    EXPECT_EQ(LabelsOf(kStyleUser, {0, 99, -1, 14, 5}, 0, {1, 2, 3, 4, 5}),
              LabelsOf(kStyleUser, {1, 2, 3, 4, 5}, 0, {1, 2, 3, 4, 5}));
    // A deeper-level mode other than 1 is 0.
    EXPECT_EQ(LabelsOf(kStyleChapter, kPlainFormats, 2, {1, 2, 3, 4, 5, 6})[5], "");
}

TEST(HeadingNumbererTest, LevelsOutsideOneTo999GetEmptyLabelsAndLeaveTheCountersAlone) {
    HeadingNumberer numberer;
    numberer.Begin(kStyleNumbers, kPlainFormats, 1);
    EXPECT_EQ(numberer.Label(1), "1");
    EXPECT_EQ(numberer.Label(0), "");
    EXPECT_EQ(numberer.Label(1000), "");
    EXPECT_EQ(numberer.Label(1), "2");
    // The deepest supported level still counts (level-5 format ・ in mode 1).
    for (int level = 2; level <= 999; ++level)
        numberer.Label(level);
    EXPECT_EQ(numberer.Label(999), S("・"));
    EXPECT_EQ(numberer.Label(1000), "");
    EXPECT_EQ(numberer.Label(2), "2-2");
    numberer.Begin(kStyleNumbers, kPlainFormats, 1);  // a second run starts afresh
    EXPECT_EQ(numberer.Label(1), "1");
}

}  // namespace
}  // namespace rn
