// SPDX-License-Identifier: MIT
#include "core/outline/treefile.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;

std::string Data(const std::string& name) {
    return ReadAll(std::string(RN_TEST_DATA_DIR) + "/" + name);
}

std::string Describe(const Outline& o) {
    std::string out;
    for (const Node* n : o.Preorder())
        out += std::to_string(Outline::LevelOf(n)) + ":" + n->text + "|";
    return out;
}

TEST(TreeFile, WritesLevelsAsTabsWithCrLf) {
    Outline o;
    Node* a = o.AppendChild(nullptr, "A");
    o.AppendChild(a, "B");
    o.AppendChild(nullptr, std::string(kTrashText));
    EXPECT_EQ(SerializeOutline(o), Data("outline_a_b_trash.Rnote"));
    Outline empty;
    EXPECT_EQ(SerializeOutline(empty), "");
}

TEST(TreeFile, ReadsTabsBlanksAndEveryLineEnd) {
    const std::string input = Data("levels_input.Rnote");
    TreeLines lines = SplitTreeLines(input);
    Outline o;
    TreeParseResult parsed = ParseTreeLines(lines.lines, o);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(SerializeOutline(o), Data("levels_output.Rnote"));
    // The first node whose text is the trash text, at any depth; a trailing blank makes another text.
    EXPECT_EQ(FindTrashNode(o), o.At(6));

    for (const char* text : {"A\r\n\tB", "A\n\tB\n", "A\r\tB\r", "A\r\n\tB\r\n"}) {
        Outline x;
        ASSERT_TRUE(ParseTreeLines(SplitTreeLines(text).lines, x).ok);
        EXPECT_EQ(Describe(x), "0:A|1:B|") << text;
    }
}

TEST(TreeFile, ALineBackUpALevelJoinsTheParentAtThatLevel) {
    Outline o;
    ASSERT_TRUE(ParseTreeLines(SplitTreeLines("a\r\n\tb\r\n\t\tc\r\n\td\r\n").lines, o).ok);
    EXPECT_EQ(Describe(o), "0:a|1:b|2:c|1:d|");
    Node* a = o.At(0);
    ASSERT_EQ(a->ChildCount(), 2);
    EXPECT_EQ(o.At(3)->parent, a);
    EXPECT_EQ(o.At(2)->parent, o.At(1));
    EXPECT_EQ(o.At(1)->ChildCount(), 1);
}

TEST(TreeFile, FirstLineIsARootWhateverItsIndentAndBlankLinesAreRoots) {
    Outline o;
    ASSERT_TRUE(ParseTreeLines(SplitTreeLines("\t\tX\n\tY\nZ\n\n\t\n\t W").lines, o).ok);
    EXPECT_EQ(Describe(o), "0:X|1:Y|0:Z|0:|1:|2:W|");
    // The full-width blank is text, not a level.
    Outline w;
    ASSERT_TRUE(ParseTreeLines(SplitTreeLines(S("　全角")).lines, w).ok);
    EXPECT_EQ(w.At(0)->text, S("　全角"));
}

TEST(TreeFile, TooDeepALineStopsWithTheLevelError) {
    Outline o;
    TreeParseResult r = ParseTreeLines(SplitTreeLines(S("章\n    深い\n次")).lines, o);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "アイテム \"深い\" の階層 (4) が不正です");
    EXPECT_EQ(Describe(o), S("0:章|"));
    Outline ok;
    EXPECT_TRUE(ParseTreeLines(SplitTreeLines("a\n\tb\n\t\tc\n\t\t\td\n    e").lines, ok).ok);
    EXPECT_EQ(Describe(ok), "0:a|1:b|2:c|3:d|4:e|");
}

TEST(TreeFile, NulEndsTheTextAndSaysWhetherSomethingFollowed) {
    // The lines are views into the bytes, which must outlive them.
    const std::string trailingBytes("A\r\nB\r\n\0\0", 8), lostBytes("A\r\nB\0C\r\n", 8);
    TreeLines trailing = SplitTreeLines(trailingBytes);
    EXPECT_EQ(trailing.lines.size(), 2u);
    EXPECT_FALSE(trailing.dataAfterNul);
    TreeLines lost = SplitTreeLines(lostBytes);
    EXPECT_EQ(lost.lines.size(), 2u);
    EXPECT_EQ(lost.lines[1], "B");
    EXPECT_TRUE(lost.dataAfterNul);
}

TEST(TreeFile, HugeFilesAndLongLines) {
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += (i % 2 ? "\tchild\r\n" : "root\r\n");
    Outline o;
    ASSERT_TRUE(ParseTreeLines(SplitTreeLines(big).lines, o).ok);
    EXPECT_EQ(o.Count(), 100000);
    EXPECT_EQ(SerializeOutline(o), big);

    std::string longLine(1 << 20, '\x82');
    for (std::size_t i = 1; i < longLine.size(); i += 2)
        longLine[i] = '\xA0';
    Outline l;
    ASSERT_TRUE(ParseTreeLines(SplitTreeLines(longLine).lines, l).ok);
    EXPECT_EQ(l.At(0)->text.size(), std::size_t(1) << 20);

    // A staircase thousands of levels deep is read and written back.
    std::string stairs;
    for (int i = 0; i < 3000; ++i)
        stairs += std::string(static_cast<std::size_t>(i), '\t') + "s\r\n";
    Outline deep;
    ASSERT_TRUE(ParseTreeLines(SplitTreeLines(stairs).lines, deep).ok);
    EXPECT_EQ(Outline::LevelOf(deep.At(2999)), 2999);
    EXPECT_EQ(SerializeOutline(deep), stairs);
}

TEST(OutlineModel, AVeryDeepBranchIsIndexedAndFreedWithoutExhaustingTheStack) {
    auto deep = std::make_unique<Outline>();
    Node* n = nullptr;
    for (int i = 0; i < 300000; ++i)
        n = deep->AppendChild(n, "s");
    EXPECT_EQ(deep->IndexOf(n), 299999);
    deep.reset();
}

TEST(BodyFormat, LineEndsBecomeCrLfAndDoubleByteCharactersStayWhole) {
    EXPECT_EQ(NormalizeBody(Data("body_input.TXT")).bytes, Data("body_output.TXT"));
    EXPECT_EQ(NormalizeBody("").bytes, "");
    EXPECT_EQ(NormalizeBody("a\nb").bytes, "a\r\nb");
    EXPECT_EQ(NormalizeBody("a\r\n").bytes, "a\r\n");
    // A lead byte followed by a line end is not a pair: the line end survives.
    EXPECT_EQ(NormalizeBody("\x83\nx").bytes, "\x83\r\nx");
    // Bytes already in that form are taken as they are; anything else goes through the full pass.
    EXPECT_TRUE(IsNormalBody("a\r\nb"));
    EXPECT_FALSE(IsNormalBody("a\nb"));
    EXPECT_FALSE(IsNormalBody("a\r"));
    EXPECT_FALSE(IsNormalBody("\nb"));
    EXPECT_EQ(TakeNormalizedBody(std::string("x\r\ny")).bytes, "x\r\ny");
    EXPECT_EQ(TakeNormalizedBody(std::string("x\ry")).bytes, "x\r\ny");
    BodyText nul = NormalizeBody(std::string("ab\0cd", 5));
    EXPECT_EQ(nul.bytes, "ab");
    EXPECT_TRUE(nul.dataAfterNul);
}

TEST(BodyFormat, TellsWhereTheFirstByteWithoutACharacterIsInTheFile) {
    // Offsets count in the file, before line ends are made CR LF.
    EXPECT_EQ(NormalizeBody("a\nb\x80").undefinedAt, 3u);
    EXPECT_EQ(TakeNormalizedBody(std::string("a\r\n\x82\xA0\xFF")).undefinedAt, 5u);
    EXPECT_EQ(NormalizeBody("a\nb").undefinedAt, std::string::npos);
    EXPECT_EQ(ReadOnlyBodyMessage("/d/x.TXT", 26),
              "ファイル \"/d/x.TXT\" はオフセット 26 (0x1A) に Shift-JIS "
              "で表せないバイトがあるため、読み取り専用で表示します");
}

TEST(OutlineModel, IndexesLevelsMovesAndTrash) {
    Outline o;
    Node* a = o.AppendChild(nullptr, "A");
    Node* b = o.AppendChild(a, "B");
    Node* c = o.AppendChild(nullptr, "C");
    Node* trash = o.AppendChild(nullptr, std::string(kTrashText));
    Node* t = o.AppendChild(trash, "T");
    EXPECT_EQ(o.IndexOf(c), 2);
    EXPECT_EQ(o.At(4), t);
    EXPECT_EQ(o.At(5), nullptr);
    int index = 0;
    EXPECT_EQ(FindTrashNode(o, &index), trash);
    EXPECT_EQ(index, 3);
    EXPECT_TRUE(IsInTrash(trash));
    EXPECT_TRUE(IsInTrash(t));
    EXPECT_FALSE(IsInTrash(b));

    EXPECT_FALSE(o.Move(a, b, 0));  // into its own branch
    EXPECT_TRUE(o.Move(a, trash, trash->ChildCount()));
    EXPECT_EQ(Describe(o), S("0:C|0:ゴミ箱|1:T|1:A|2:B|"));
    EXPECT_TRUE(IsInTrash(b));
    EXPECT_TRUE(o.Move(a, nullptr, 0));
    EXPECT_EQ(Describe(o), S("0:A|1:B|0:C|0:ゴミ箱|1:T|"));
    // Back to where it was, from a later or an earlier row of the same parent or another parent.
    for (auto [parent, row] : {std::pair<Node*, int>{o.Root(), 3}, {o.Root(), 0}, {trash, 1}}) {
        o.Move(a, parent, row);
        o.MoveBack(a, o.Root(), 0);
        EXPECT_EQ(Describe(o), S("0:A|1:B|0:C|0:ゴミ箱|1:T|"));
    }
    o.Move(c, o.Root(), 0);
    o.MoveBack(c, o.Root(), 1);
    EXPECT_EQ(Describe(o), S("0:A|1:B|0:C|0:ゴミ箱|1:T|"));
    Node* x = o.InsertBefore(c, "X");
    EXPECT_EQ(x->row, 1);
    EXPECT_EQ(c->row, 2);
    o.Remove(a);
    EXPECT_EQ(Describe(o), S("0:X|0:C|0:ゴミ箱|1:T|"));
    EXPECT_EQ(o.IndexOf(t), 3);
}

}  // namespace
}  // namespace rn
