// SPDX-License-Identifier: MIT
// The page layout: cells of a body line (ruby, upright digits), lines and pages of squares, headings,
// and the pages of a body against the sheets the counts give.
#include <gtest/gtest.h>

#include <random>

#include "core/batchout/heading_numberer.h"
#include "core/count/text_count.h"
#include "core/layout/body_lines.h"
#include "core/layout/grid.h"
#include "core/layout/page_composer.h"
#include "core/manuscript/manuscript.h"
#include "core/outline/treefile.h"
#include "test_support.h"

namespace rn {
namespace {

using test::Repeat;
using test::S;

std::u32string U32(std::string_view utf8) {
    std::u32string out;
    for (char16_t c : Utf8ToUtf16(utf8))
        out += c;
    return out;
}

std::string Utf8(std::u32string_view text) {
    std::u16string u16;
    for (char32_t c : text)
        u16 += static_cast<char16_t>(c);
    return Utf16ToUtf8(u16);
}

// Cells as text with "/" between them; an upright cell of digits in brackets.
std::string CellsText(const std::vector<Cell>& cells) {
    std::string out;
    for (const Cell& c : cells) {
        if (!out.empty()) out += "/";
        const std::string text = Utf8(c.second ? std::u32string{c.first, c.second} : std::u32string{c.first});
        out += c.upright ? "[" + text + "]" : text;
    }
    return out;
}

TEST(LineCutterTest, RubyAndUprightDigits) {
    const struct {
        const char* line;
        bool vertical;
        const char* cells;
        std::vector<RubySpan> ruby;
        std::int64_t characters;
    } cases[] = {
        {"漢字《かんじ》です", true, "漢/字/で/す", {{0, 2, U"かんじ"}}, 4},
        {"私の名前《なまえ》", true, "私/の/名/前", {{2, 2, U"なまえ"}}, 4},
        {"|親文字《おやもじ》", true, "親/文/字", {{0, 3, U"おやもじ"}}, 3},
        {"あ｜ABC《えー》い", true, "あ/A/B/C/い", {{1, 3, U"えー"}}, 5},
        {"漢字《かん》字《じ》", true, "漢/字/字", {{0, 2, U"かん"}, {2, 1, U"じ"}}, 3},
        {"あ《い》", true, "あ/《/い/》", {}, 4},
        {"漢《かん", true, "漢/《/か/ん", {}, 4},
        {"漢《》", true, "漢/《/》", {}, 3},
        {"漢|《本》", true, "漢/《/本/》", {}, 4},
        {"a|b", true, "a/|/b", {}, 3},
        {"第12話", true, "第/[12]/話", {}, 4},
        {"第1話", true, "第/[1]/話", {}, 3},
        {"123", true, "1/2/3", {}, 3},
        {"a12", true, "a/[12]", {}, 3},
        {"第12話", false, "第/1/2/話", {}, 4},
        {"|12《じゅうに》", true, "[12]", {{0, 1, U"じゅうに"}}, 2},
    };
    CutLine out;
    for (const auto& c : cases) {
        CutBodyLine(U32(c.line), c.vertical, out);
        EXPECT_EQ(CellsText(out.cells), c.cells) << c.line;
        EXPECT_EQ(out.ruby, c.ruby) << c.line;
        EXPECT_EQ(out.characters, c.characters) << c.line;
    }
}

TEST(GridTest, LayoutNamesGoBothWays) {
    for (const char* name : {"genko", "a4-tate", "a4-yoko", "30x20-tate", "10x60-yoko"}) {
        const auto layout = ParseLayoutName(name);
        ASSERT_TRUE(layout) << name;
        EXPECT_EQ(LayoutName(*layout), name);
    }
    EXPECT_EQ(ParseLayoutName("30x20-tate")->grid, (Grid{30, 20, true}));
    for (const char* bad : {"", "genkou", "9x20-tate", "20x61-yoko", "20x-tate", "x20-tate", "20x20", "+20x20-tate"})
        EXPECT_FALSE(ParseLayoutName(bad)) << bad;
}

// Pages of a body in CP932, laid out whole.
std::vector<Page> PagesOf(std::string_view body, const Grid& grid) {
    std::vector<Page> pages;
    PageComposer composer(grid, [&](const Page& p) {
        pages.push_back(p);
        return true;
    });
    Cp932LineReader reader([&](std::u32string_view line) { composer.BodyLine(line); });
    reader.Feed(body);
    reader.Finish();
    composer.Finish();
    return pages;
}

std::string LineText(const PageLine& line) {
    std::string out;
    for (const PlacedCell& c : line.cells)
        out += Utf8(std::u32string{c.cell.first});
    return out;
}

TEST(PageComposerTest, LinesPagesAndHangingMarks) {
    const Grid grid{20, 20, true};
    const std::string k20 = Repeat("あ", 20);

    auto pages = PagesOf(S(k20 + "。" + k20 + "。。"), grid);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].lines.size(), 3u);
    EXPECT_EQ(pages[0].lines[0].cells.back().column, 20);  // hung after the last square
    EXPECT_EQ(pages[0].lines[1].cells.back().column, 20);
    EXPECT_EQ(LineText(pages[0].lines[2]), "。");

    pages = PagesOf(S(Repeat("a\r\n", 20) + "b\r\n"), grid);  // 21 lines: a page break
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1].number, 2);
    EXPECT_EQ(LineText(pages[1].lines.at(0)), "b");

    pages = PagesOf("", grid);  // nothing still makes one page
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].lines.empty());
}

TEST(PageComposerTest, RubyFollowsItsBaseAcrossALineEnd) {
    const auto pages = PagesOf(S(Repeat("あ", 18) + "|漢字文書《かんじぶんしょ》"), Grid{20, 20, true});
    ASSERT_EQ(pages.at(0).lines.size(), 2u);
    EXPECT_EQ(pages[0].lines[0].ruby, (std::vector<PlacedRuby>{{18, 2, U"かんじ"}}));
    EXPECT_EQ(pages[0].lines[1].ruby, (std::vector<PlacedRuby>{{0, 2, U"ぶんしょ"}}));
}

TEST(PageComposerTest, HeadingsOpenPagesAndLeaveAnEmptyLine) {
    std::vector<Page> pages;
    PageComposer composer(Grid{20, 4, false}, [&](const Page& p) {
        pages.push_back(p);
        return pages.size() < 3;  // the sink can stop the composition
    });
    composer.Heading(U"第1章", 1);  // the first page is still empty: no break
    composer.BodyLine(U"一");
    composer.Heading(U"1節", 2);  // the page's last line: the empty line after it would open a page
    composer.BodyLine(U"二");
    composer.Heading(U"第2章", 1);
    composer.Heading(U"第3章", 1);
    composer.BodyLine(U"ここで止まる");
    EXPECT_FALSE(composer.Finish());
    auto texts = [](const Page& page) {
        std::vector<std::string> out;
        for (const PageLine& line : page.lines)
            out.push_back((line.heading ? "#" : "") + LineText(line));
        return out;
    };
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(texts(pages[0]), (std::vector<std::string>{"#第1章", "", "一", "#1節"}));
    EXPECT_EQ(texts(pages[1]), (std::vector<std::string>{"二"}));
    EXPECT_EQ(texts(pages[2]), (std::vector<std::string>{"#第2章"}));
}

// The 20×20 manuscript pages of a body are its counted sheets, rounded up, whatever the body holds.
TEST(PageComposerTest, PagesAreTheCountedSheets) {
    const std::vector<std::string> pieces = {"あ", "漢", "字", "。", "、", "」",   "「",   "1",  "2",  "3",  "a", "ｱ",
                                             "\t", "《", "》", "|",  "｜", "\r\n", "\r\n", "\n", "\r", "ー", "…", "？"};
    std::mt19937 random(20261208);
    for (int round = 0; round < 300; ++round) {
        std::string body;
        const int length = static_cast<int>(random() % 1500);
        for (int i = 0; i < length; ++i) {
            // Long runs of one piece give full lines, many marks in a row and long digit runs.
            const std::string& piece = pieces[random() % pieces.size()];
            const int times = random() % 4 == 0 ? static_cast<int>(random() % 30) : 1;
            body += S(Repeat(piece, times));
        }
        const TextCount count = CountBody(body);
        const auto pages = PagesOf(body, kManuscriptGrid);
        const std::int64_t sheets = (count.rows + kRowsPerSheet - 1) / kRowsPerSheet;
        EXPECT_EQ(static_cast<std::int64_t>(pages.size()), std::max<std::int64_t>(sheets, 1)) << Cp932ToUtf8(body);
        std::int64_t characters = 0;
        for (const Page& page : pages)
            for (const PageLine& line : page.lines)
                for (const PlacedCell& cell : line.cells)
                    characters += cell.cell.second ? 2 : 1;
        EXPECT_EQ(characters, count.characters) << Cp932ToUtf8(body);
    }
}

TEST(ManuscriptTest, BranchHeadingsAreNumberedAndTheTrashIsLeftOut) {
    test::TempDir dir;
    test::WriteAll(dir / S("序.TXT"), S("はじめに"));
    test::WriteAll(dir / S("本.TXT"), S("本文"));
    const std::vector<OutputNode> nodes = {
        {1, S("序.TXT")}, {1, S("部")}, {2, S("本.TXT")}, {1, std::string(kTrashText)}, {2, S("本.TXT")}};
    ManuscriptRequest request;
    request.nodes = nodes;
    request.treeDir = dir.path() + "/";
    request.grid = Grid{20, 20, false};
    auto headings = [&] {
        std::vector<std::string> out;
        ManuscriptReport report;
        EXPECT_TRUE(ComposeManuscript(
            request,
            [&](const Page& page) {
                for (const PageLine& line : page.lines)
                    if (line.heading) out.push_back(std::to_string(page.number) + ":" + LineText(line));
                return true;
            },
            report));
        return out;
    };
    EXPECT_EQ(headings(), (std::vector<std::string>{"1:第1章序", "2:第2章部", "2:第1節本"}));
    request.scope = ManuscriptScope::kBranch;
    request.start = 1;
    request.numbering.OUTLIN = kStyleNone;
    EXPECT_EQ(headings(), (std::vector<std::string>{"1:部", "1:本"}));
    request.scope = ManuscriptScope::kNode;
    request.start = 0;
    EXPECT_EQ(headings(), std::vector<std::string>{});
}

}  // namespace
}  // namespace rn
