#include <gtest/gtest.h>

#include "core/settings/history.h"
#include "core/tree/program.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;
using Items = std::vector<std::string>;

class TreeHistoryTest : public ::testing::Test {
  protected:
    // Creates a Tree file in the temp directory and returns its path.
    std::string Tree(const std::string& name) {
        std::string path = dir / name;
        WriteAll(path, "");
        return path;
    }
    // History file text: the CP932 form of each path, one per line with CR LF.
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
        return h.items();
    }

    test::WithNotices notices;
    test::TempDir dir;
    std::string file = dir / "Rnote履歴.Ini";
};

TEST_F(TreeHistoryTest, StartsWithTheSingleItemLatest) {
    TreeHistory h;
    EXPECT_EQ(h.items(), Items{"最新"});
}

TEST_F(TreeHistoryTest, AMissingFileIsCreatedWithTheRememberedTreeFile) {
    TreeHistory h;
    const std::string remembered = dir / "前回.Rnote";
    ASSERT_TRUE(h.LoadTreeHistory(file, 8, remembered));
    EXPECT_EQ(ReadAll(file), S(remembered) + "\r\n");
    EXPECT_EQ(h.items(), Items{"最新"});

    std::filesystem::remove(file);
    ASSERT_TRUE(h.LoadTreeHistory(file, 8, "NULL"));
    EXPECT_EQ(ReadAll(file), "NULL\r\n");
    std::filesystem::remove(file);
    ASSERT_TRUE(h.LoadTreeHistory(file, 8, ""));
    EXPECT_EQ(ReadAll(file), "\r\n");
}

TEST_F(TreeHistoryTest, TheFirstOpenReplacesLatestOrPushesItDown) {
    const std::string a = Tree("a.Rnote");
    TreeHistory h;
    h.AddTreeHistory(a, 8);
    EXPECT_EQ(h.items(), (Items{a, "最新"}));

    TreeHistory one;
    one.AddTreeHistory(a, 1);
    EXPECT_EQ(one.items(), Items{a});
}

TEST_F(TreeHistoryTest, OnlyExistingFilesAreLoadedAndMissingOnesTakeNoPlace) {
    Items t = {Tree("A.Rnote"), Tree("B.Rnote"), Tree("C.Rnote"), Tree("D.Rnote"), Tree("E.Rnote")};
    EXPECT_EQ(Loaded(Lines({t[0], dir / "gone.Rnote", t[1], t[2], t[3], t[4]}), 4), (Items{t[0], t[1], t[2], t[3]}));
    EXPECT_EQ(Loaded(Lines({dir / "gone.Rnote", t[1]}), 4), Items{t[1]});
    EXPECT_EQ(Loaded(Lines({dir / "gone.Rnote", "", dir.path()}), 4), Items{"最新"});  // a directory is no Tree file
}

TEST_F(TreeHistoryTest, TheCapLimitsTheLoadedItemsButNeverTheFirst) {
    Items t = {Tree("1.Rnote"), Tree("2.Rnote"), Tree("3.Rnote"), Tree("4.Rnote"), Tree("5.Rnote"), Tree("6.Rnote")};
    EXPECT_EQ(Loaded(Lines(t), 4), (Items{t[0], t[1], t[2], t[3]}));
    EXPECT_EQ(Loaded(Lines(t), 32), t);
    EXPECT_EQ(Loaded(Lines(t), 1), Items{t[0]});
    EXPECT_EQ(Loaded(Lines(t), 0), Items{t[0]});
    EXPECT_EQ(Loaded(Lines(t), -1), Items{t[0]});
}

TEST_F(TreeHistoryTest, LinesEndAtLfOrCrLfAndTheFileAt0x1A) {
    Items t = {Tree("甲.Rnote"), Tree("乙.Rnote"), Tree("丙.Rnote")};
    EXPECT_EQ(Loaded(S(t[0]) + "\n" + S(t[1]) + "\r\n" + S(t[2]), 8), t);
    EXPECT_EQ(Loaded(S(t[0]) + "\r\n" + S(t[1]) + "\x1A\r\n" + S(t[2]) + "\r\n", 8), (Items{t[0], t[1]}));
    EXPECT_EQ(Loaded("\x1A" + Lines(t), 8), Items{"最新"});
}

TEST_F(TreeHistoryTest, LoadingAgainStartsFromLatest) {
    const std::string a = Tree("a.Rnote");
    TreeHistory h;
    h.AddTreeHistory(Tree("b.Rnote"), 8);
    WriteAll(file, Lines({a}));
    ASSERT_TRUE(h.LoadTreeHistory(file, 8, "NULL"));
    EXPECT_EQ(h.items(), Items{a});
}

TEST_F(TreeHistoryTest, OpeningMovesThePathToTheTop) {
    Items t = {Tree("A.Rnote"), Tree("B.Rnote"), Tree("C.Rnote"), Tree("D.Rnote")};
    const std::string e = Tree("E.Rnote");
    WriteAll(file, Lines(t));
    TreeHistory h;
    ASSERT_TRUE(h.LoadTreeHistory(file, 4, "NULL"));
    h.AddTreeHistory(e, 4);
    EXPECT_EQ(h.items(), (Items{e, t[0], t[1], t[2]}));
    h.AddTreeHistory(t[2], 4);
    EXPECT_EQ(h.items(), (Items{t[2], e, t[0], t[1]}));
    h.AddTreeHistory(t[2], 4);
    EXPECT_EQ(h.items(), (Items{t[2], e, t[0], t[1]}));
}

TEST_F(TreeHistoryTest, ANewPathAddsAnItemWhileThereIsRoom) {
    const std::string a = Tree("a.Rnote"), b = Tree("b.Rnote"), c = Tree("c.Rnote");
    TreeHistory h;
    h.AddTreeHistory(a, 4);
    h.AddTreeHistory(b, 4);
    EXPECT_EQ(h.items(), (Items{b, a, "最新"}));
    h.AddTreeHistory(c, 4);
    h.AddTreeHistory(a, 4);
    EXPECT_EQ(h.items(), (Items{a, c, b, "最新"}));
}

TEST_F(TreeHistoryTest, ALowerCapDropsOnlyOneCaptionPerOpen) {
    Items t = {Tree("A.Rnote"), Tree("B.Rnote"), Tree("C.Rnote"), Tree("D.Rnote")};
    WriteAll(file, Lines(t));
    TreeHistory h;
    ASSERT_TRUE(h.LoadTreeHistory(file, 8, "NULL"));
    const std::string e = Tree("E.Rnote");
    h.AddTreeHistory(e, 2);
    EXPECT_EQ(h.items(), (Items{e, t[0], t[1], t[2]}));
}

TEST_F(TreeHistoryTest, PathsDifferingInLetterCaseAreSeparate) {
    const std::string lower = Tree("doc.Rnote"), upper = Tree("DOC.Rnote");
    Items loaded = Loaded(Lines({lower, upper}), 8);
    EXPECT_EQ(loaded, (Items{lower, upper}));
    TreeHistory h;
    h.AddTreeHistory(lower, 8);
    h.AddTreeHistory(upper, 8);
    EXPECT_EQ(h.items(), (Items{upper, lower, "最新"}));
}

TEST_F(TreeHistoryTest, OfTwoEqualItemsTheLastOneMoves) {
    const std::string a = Tree("a.Rnote"), b = Tree("b.Rnote");
    WriteAll(file, Lines({a, b, a}));
    TreeHistory h;
    ASSERT_TRUE(h.LoadTreeHistory(file, 8, "NULL"));
    ASSERT_EQ(h.items(), (Items{a, b, a}));
    h.AddTreeHistory(a, 8);
    EXPECT_EQ(h.items(), (Items{a, a, b}));
}

TEST_F(TreeHistoryTest, AnItemCanBeAddedAgainByItsOwnCaption) {
    const std::string a = Tree("a.Rnote"), b = Tree("b.Rnote");
    TreeHistory h;
    h.AddTreeHistory(a, 8);
    h.AddTreeHistory(b, 8);
    h.AddTreeHistory(h.items()[1], 8);
    EXPECT_EQ(h.items(), (Items{a, b, "最新"}));
}

TEST_F(TreeHistoryTest, SavingWritesEveryItemAsCp932WithCrLf) {
    const std::string a = Tree("小説.Rnote");
    TreeHistory h;
    ASSERT_TRUE(h.SaveTreeHistory(file));
    EXPECT_EQ(ReadAll(file), S("最新") + "\r\n");
    h.AddTreeHistory(a, 8);
    ASSERT_TRUE(h.SaveTreeHistory(file));
    EXPECT_EQ(ReadAll(file), S(a) + "\r\n" + S("最新") + "\r\n");
    EXPECT_TRUE(notices.recorder.log.empty());
}

TEST_F(TreeHistoryTest, SavedOrderIsLoadedAgain) {
    Items t = {Tree("x.Rnote"), Tree("y.Rnote"), Tree("z.Rnote")};
    TreeHistory h;
    for (const auto& p : t)
        h.AddTreeHistory(p, 3);
    ASSERT_TRUE(h.SaveTreeHistory(file));
    TreeHistory next;
    ASSERT_TRUE(next.LoadTreeHistory(file, 3, "NULL"));
    EXPECT_EQ(next.items(), (Items{t[2], t[1], t[0]}));
}

TEST_F(TreeHistoryTest, APathCp932CannotHoldIsReportedAndLeftOut) {
    const std::string odd = Tree("\U0001F4D6.Rnote"), a = Tree("a.Rnote");
    TreeHistory h;
    h.AddTreeHistory(a, 8);
    h.AddTreeHistory(odd, 8);
    ASSERT_TRUE(h.SaveTreeHistory(file));
    EXPECT_EQ(ReadAll(file), S(a) + "\r\n" + S("最新") + "\r\n");
    auto boxes = notices.recorder.Of("message");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(odd), std::string::npos);
}

TEST_F(TreeHistoryTest, FilesThatCannotBeWrittenAreReported) {
    const std::string missing = dir / "Res/Rnote履歴.Ini";
    TreeHistory h;
    EXPECT_FALSE(h.SaveTreeHistory(missing));
    EXPECT_FALSE(h.LoadTreeHistory(missing, 8, "NULL"));
    auto errors = notices.recorder.Of("error");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].rfind("ファイル \"" + missing + "\" を作成できません。", 0), 0u);
    EXPECT_EQ(h.items(), Items{"最新"});
}

TEST_F(TreeHistoryTest, TheHistoryFileLiesInResDir) {
    const std::string saved = Program().directory;
    Program().directory = dir.path();
    EXPECT_EQ(HistoryFilePath(), dir / "Res/Rnote履歴.Ini");
    Program().directory = saved;
}

}  // namespace
}  // namespace rn
