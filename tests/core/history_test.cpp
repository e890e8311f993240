// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/settings/history.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;
using Items = std::vector<std::string>;

class TreeHistoryTest : public ::testing::Test {
protected:
    // Existing Tree files in the temp directory.
    Items Trees(std::initializer_list<const char*> names) {
        Items out;
        for (const char* name : names) {
            out.push_back(dir / name);
            WriteAll(out.back(), "");
        }
        return out;
    }
    static std::string Lines(const Items& paths) {
        std::string out;
        for (const auto& p : paths)
            out += S(p) + "\r\n";
        return out;
    }
    Items Loaded(const std::string& fileText, int32_t cap) {
        WriteAll(file, fileText);
        TreeHistory h;
        EXPECT_TRUE(h.LoadTreeHistory(file, cap, "NULL"));
        return h.Items();
    }

    test::WithNotices notices;
    test::TempDir dir;
    std::string file = dir / "Rnote履歴.Ini";
};

TEST_F(TreeHistoryTest, AFirstRunCreatesTheFileAndTheFirstOpenReplacesLatest) {
    TreeHistory h;
    const Items a = Trees({"前回.Rnote"});
    ASSERT_TRUE(h.LoadTreeHistory(file, 8, a[0]));
    EXPECT_EQ(ReadAll(file), S(a[0]) + "\r\n");
    EXPECT_EQ(h.Items(), Items{"最新"});
    h.AddTreeHistory(a[0], 8);
    EXPECT_EQ(h.Items(), (Items{a[0], "最新"}));
    TreeHistory one;
    one.AddTreeHistory(a[0], 1);
    EXPECT_EQ(one.Items(), Items{a[0]});
}

TEST_F(TreeHistoryTest, MissingFilesTakeNoPlaceAndTheCapNeverDropsTheFirst) {
    const Items t = Trees({"1.Rnote", "2.Rnote", "3.Rnote", "4.Rnote", "5.Rnote", "6.Rnote"});
    EXPECT_EQ(Loaded(Lines(t), 4), (Items{t[0], t[1], t[2], t[3]}));
    EXPECT_EQ(Loaded(Lines({t[0], dir / "gone.Rnote", t[1], t[2], t[3], t[4]}), 4), (Items{t[0], t[1], t[2], t[3]}));
    EXPECT_EQ(Loaded(Lines({dir / "gone.Rnote", "", dir.path()}), 4), Items{"最新"});
    EXPECT_EQ(Loaded(Lines(t), 0), Items{t[0]});
    EXPECT_EQ(Loaded(Lines(t), -1), Items{t[0]});
}

TEST_F(TreeHistoryTest, LinesEndAtLfOrCrLfAndTheFileAt0x1A) {
    const Items t = Trees({"甲.Rnote", "乙.Rnote", "丙.Rnote"});
    EXPECT_EQ(Loaded(S(t[0]) + "\n" + S(t[1]) + "\r\n" + S(t[2]), 8), t);
    EXPECT_EQ(Loaded(S(t[0]) + "\r\n" + S(t[1]) + "\x1A\r\n" + S(t[2]) + "\r\n", 8), (Items{t[0], t[1]}));
}

TEST_F(TreeHistoryTest, OpeningMovesThePathToTheTop) {
    const Items t = Trees({"A.Rnote", "B.Rnote", "C.Rnote", "D.Rnote", "E.Rnote"});
    WriteAll(file, Lines({t[0], t[1], t[2], t[3]}));
    TreeHistory h;
    ASSERT_TRUE(h.LoadTreeHistory(file, 4, "NULL"));
    h.AddTreeHistory(t[4], 4);
    EXPECT_EQ(h.Items(), (Items{t[4], t[0], t[1], t[2]}));
    h.AddTreeHistory(t[2], 4);
    EXPECT_EQ(h.Items(), (Items{t[2], t[4], t[0], t[1]}));
    h.AddTreeHistory(t[2], 4);
    EXPECT_EQ(h.Items(), (Items{t[2], t[4], t[0], t[1]}));
    h.AddTreeHistory(h.Items()[3], 4);  // a caption of the list itself
    EXPECT_EQ(h.Items(), (Items{t[1], t[2], t[4], t[0]}));
    h.AddTreeHistory(t[3], 2);  // a lower cap drops only the last caption
    EXPECT_EQ(h.Items(), (Items{t[3], t[1], t[2], t[4]}));
}

TEST_F(TreeHistoryTest, PathsAreComparedByteForByteAndTheLastEqualOneMoves) {
    const Items t = Trees({"doc.Rnote", "DOC.Rnote", "b.Rnote"});
    TreeHistory h;
    h.AddTreeHistory(t[0], 8);
    h.AddTreeHistory(t[1], 8);
    EXPECT_EQ(h.Items(), (Items{t[1], t[0], "最新"}));
    WriteAll(file, Lines({t[0], t[2], t[0]}));
    ASSERT_TRUE(h.LoadTreeHistory(file, 8, "NULL"));
    h.AddTreeHistory(t[0], 8);
    EXPECT_EQ(h.Items(), (Items{t[0], t[0], t[2]}));
}

TEST_F(TreeHistoryTest, SavingWritesEveryItemAsCp932WithCrLf) {
    const Items t = Trees({"小説.Rnote", "\U0001F4D6.Rnote"});
    TreeHistory h;
    h.AddTreeHistory(t[0], 8);
    ASSERT_TRUE(h.SaveTreeHistory(file));
    EXPECT_EQ(ReadAll(file), S(t[0]) + "\r\n" + S("最新") + "\r\n");
    EXPECT_TRUE(notices.recorder.log.empty());
    // A path CP932 cannot hold is reported and left out.
    h.AddTreeHistory(t[1], 8);
    ASSERT_TRUE(h.SaveTreeHistory(file));
    EXPECT_EQ(ReadAll(file), S(t[0]) + "\r\n" + S("最新") + "\r\n");
    ASSERT_EQ(notices.recorder.Of("message").size(), 1u);
    EXPECT_NE(notices.recorder.Of("message")[0].find(t[1]), std::string::npos);
}

TEST_F(TreeHistoryTest, AFileThatCannotBeWrittenIsReported) {
    const std::string missing = dir / "Res/Rnote履歴.Ini";
    TreeHistory h;
    EXPECT_FALSE(h.SaveTreeHistory(missing));
    EXPECT_FALSE(h.LoadTreeHistory(missing, 8, "NULL"));
    auto errors = notices.recorder.Of("error");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].rfind("ファイル \"" + missing + "\" を作成できません。", 0), 0u);
}

}  // namespace
}  // namespace rn
