// SPDX-License-Identifier: MIT
// Writer's counts: the rules on small bodies, branch and document totals, and the headless command.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/count/outline_count.h"
#include "core/count/text_count.h"
#include "core/outline/treefile.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;

using test::Repeat;

const std::string k20 = Repeat("あ", 20);

// ---- one body ----

struct BodyCase {
    const char* name;
    std::string utf8;  // the body as text; empty `raw` means: these characters in CP932
    std::int64_t characters;
    std::int64_t rows;
    std::string raw = {};  // bytes that are no clean CP932 text
};

TEST(BodyCountTest, Rules) {
    const std::vector<BodyCase> cases = {
        {"empty body", "", 0, 0},
        {"exactly 20 characters", k20, 20, 1},
        {"21 characters", k20 + "い", 21, 2},
        {"41 half-width characters", Repeat("a", 41), 41, 3},
        {"a full row and a hanging mark", k20 + "。", 21, 1},
        {"two hanging marks in a row", k20 + "。」", 22, 2},
        {"one hanging mark at each row end", k20 + "、" + k20 + "」", 42, 2},
        {"a mark that does not reach a row end", "。", 1, 1},
        {"an opening bracket never hangs", k20 + "「", 21, 2},
        {"empty lines", "a\r\n\r\n\r\nb", 2, 4},
        {"only a line break", "\r\n", 0, 1},
        {"a line break at the end", k20 + "\r\n", 20, 1},
        {"an empty line at the end", "a\r\n\r\n", 1, 2},
        {"CR, LF and CR LF are each one break", "a\rb\nc\r\nd", 4, 4},
        {"half-width katakana", Repeat("ｱ", 21), 21, 2},
        {"half-width punctuation does not hang", Repeat("ｱ", 20) + "｡", 21, 2},
        {"a tab is a character", "\ta", 2, 1},
        {"ruby takes no square", Repeat("あ", 18) + "漢字《かんじ》", 20, 1},
        {"ruby with a bar", "|ABC《えーびーしー》" + Repeat("あ", 17), 20, 1},
        {"a ruby without base is text", "あ《い》", 4, 1},
        {"two digits share a square", Repeat("あ", 19) + "12", 21, 1},
        {"three digits take three", Repeat("あ", 18) + "123", 21, 2},
        {"a NUL ends the text", "", 2, 1, std::string("ab\0\r\ncd", 7)},
        {"a lead byte without its second byte", "", 3, 2,
         "\x82\x0A"
         "A\x82"},
    };
    for (const BodyCase& c : cases) {
        const std::string bytes = c.raw.empty() ? S(c.utf8) : c.raw;
        const TextCount expected{c.characters, c.rows};
        EXPECT_EQ(CountBody(bytes), expected) << c.name;
        // Fed a byte at a time, as a file read in blocks may split a character or a CR LF.
        BodyCounter counter;
        for (char b : bytes)
            counter.Feed(std::string_view(&b, 1));
        EXPECT_EQ(counter.Finish(), expected) << c.name << " (byte by byte)";
        if (c.raw.empty()) {
            EXPECT_EQ(CountBody(Utf8ToUtf16(c.utf8)), expected) << c.name << " (UTF-16)";
        }
    }
}

TEST(BodyCountTest, EveryHangingMarkHangsAndTheEditorTextCountsEmojiOnce) {
    for (const char* mark : {"、", "。", "，", "．", "」", "』", "）", "】", "〕", "〉", "》", "？", "！"}) {
        EXPECT_EQ(CountBody(S(k20 + mark)), (TextCount{21, 1})) << mark;
        EXPECT_EQ(CountBody(Utf8ToUtf16(k20 + mark)), (TextCount{21, 1})) << mark;
    }
    EXPECT_EQ(CountBody(Utf8ToUtf16("😀a")), (TextCount{2, 1}));
}

TEST(BodyCountTest, Sheets) {
    const struct {
        std::int64_t rows;
        const char* text;
        const char* decimal;
    } cases[] = {
        {0, "0枚", "0.00"},       {5, "0枚と5行", "0.25"},      {20, "1枚", "1.00"},
        {41, "2枚と1行", "2.05"}, {399, "19枚と19行", "19.95"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SheetsText(c.rows), c.text);
        EXPECT_EQ(SheetsDecimal(c.rows), c.decimal);
    }
}

// ---- outline ----

class OutlineCountTest : public ::testing::Test {
protected:
    // A document with a nested text node in a branch and a text node in the trash.
    void SetUp() override {
        const std::string tree =
            S("はじめに.TXT\r\n第一部\r\n\t概要.TXT\r\n\t詳細\r\n\t\t項目A.TXT\r\nゴミ箱\r\n\t古い.TXT\r\n");
        WriteAll(doc / "文書.Rnote", tree);
        WriteAll(doc / "はじめに.TXT", S("本文1行目\r\n本文2行目\r\n"));  // 10 characters, 2 rows
        WriteAll(doc / "概要.TXT", S("概要です\r\n"));                    // 4, 1
        WriteAll(doc / "項目A.TXT", Repeat("A", 25));                     // 25, 2
        WriteAll(doc / "古い.TXT", S("捨てた本文"));                      // 5, 1
        ASSERT_TRUE(ParseTreeLines(SplitTreeLines(tree).lines, outline).ok);
    }

    CountReport Count(const char* selected, std::optional<EditedBody> edited = std::nullopt) {
        const Node* node = nullptr;
        if (selected)
            for (const Node* n : outline.Preorder())
                if (n->text == S(selected)) node = n;
        CountReport report;
        EXPECT_EQ(CountOutline(outline, doc.path() + "/", node, edited, report), CountResult::kDone);
        return report;
    }

    std::string Listed(const CountReport& r) {
        std::string out;
        for (const NodeCount& n : r.listed)
            out += std::to_string(n.level) + Cp932ToUtf8(outline.At(static_cast<int>(n.index))->text) + ":" +
                   std::to_string(n.own.characters) + "/" + std::to_string(n.own.rows) + " ";
        return out;
    }

    test::TempDir doc;
    Outline outline;
};

TEST_F(OutlineCountTest, BranchWithANestedTextNodeAndTheDocumentWithoutTheTrash) {
    CountReport r = Count("第一部");
    EXPECT_EQ(Listed(r), "1第一部:0/0 2概要.TXT:4/1 2詳細:0/0 3項目A.TXT:25/2 ");
    EXPECT_EQ(r.listedTotal, (TextCount{29, 3}));
    EXPECT_EQ(r.documentTotal, (TextCount{39, 5}));

    r = Count(nullptr);
    EXPECT_EQ(Listed(r), "1はじめに.TXT:10/2 1第一部:0/0 2概要.TXT:4/1 2詳細:0/0 3項目A.TXT:25/2 ");
    EXPECT_EQ(r.listedTotal, r.documentTotal);

    r = Count("ゴミ箱");  // chosen, the trash is counted
    EXPECT_EQ(Listed(r), "1ゴミ箱:0/0 2古い.TXT:5/1 ");
    EXPECT_EQ(r.documentTotal, (TextCount{39, 5}));
}

TEST_F(OutlineCountTest, TheBodyBeingEditedCountsWithItsCurrentText) {
    EditedBody edited{S("概要.TXT"), CountBody(Utf8ToUtf16(k20 + "。\n続き"))};
    CountReport r = Count("第一部", edited);
    EXPECT_EQ(r.listedTotal, (TextCount{25 + 23, 2 + 2}));
    EXPECT_EQ(r.documentTotal, (TextCount{10 + 25 + 23, 2 + 2 + 2}));
}

TEST_F(OutlineCountTest, ProgressCanStopTheCount) {
    CountReport report;
    std::size_t calls = 0;
    auto stopAtThird = [&](std::size_t, std::size_t) { return ++calls < 3; };
    EXPECT_EQ(CountOutline(outline, doc.path() + "/", nullptr, std::nullopt, report, stopAtThird),
              CountResult::kCancelled);
    EXPECT_EQ(calls, 3u);
}

// ---- the command ----

class CountCommandTest : public OutlineCountTest {
protected:
    test::ProgramRun Run(const std::vector<std::string>& args) {
        return test::RunProgram(RN_BIN_DIR "/ramblenote", args, work.path());
    }
    test::TempDir work;
};

TEST_F(CountCommandTest, PrintsTheCountsAndChangesNothing) {
    WriteAll(doc / "文書.Rnote", ReadAll(doc / "文書.Rnote") + S("最後.TXT\r\n"));
    WriteAll(doc / "最後.TXT", Repeat("x", 400));
    const auto before = test::Snapshot(doc.path());
    test::ProgramRun r = Run({"--count", doc / "文書.Rnote"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "1\tはじめに.TXT\t10\t2\t0.10\n"
              "1\t第一部\t0\t0\t0.00\n"
              "2\t概要.TXT\t4\t1\t0.05\n"
              "2\t詳細\t0\t0\t0.00\n"
              "3\t項目A.TXT\t25\t2\t0.10\n"
              "1\t最後.TXT\t400\t20\t1.00\n"
              "合計\t439\t25\t1.25\n");

    r = Run({"--start=詳細", "--count", "--", doc / "文書.Rnote"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "2\t詳細\t0\t0\t0.00\n3\t項目A.TXT\t25\t2\t0.10\n合計\t25\t2\t0.10\n");
    EXPECT_EQ(test::Snapshot(doc.path()), before);
}

TEST_F(CountCommandTest, ATreeFileWithoutTrashIsNotRewrittenAndATabInATextStaysInItsField) {
    WriteAll(doc / "無し.Rnote", S("概要.TXT\r\n章\t一\r\n"));
    const auto before = test::Snapshot(doc.path());
    test::ProgramRun r = Run({"--count", doc / "無し.Rnote"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "1\t概要.TXT\t4\t1\t0.05\n1\t章\\x09一\t0\t0\t0.00\n合計\t4\t1\t0.05\n");
    EXPECT_EQ(test::Snapshot(doc.path()), before);
}

TEST_F(CountCommandTest, BodiesThatCannotBeReadAreNamedAndCountedAsEmpty) {
    if (::access("/proc/self/mem", R_OK) != 0) GTEST_SKIP() << "no /proc/self/mem";
    std::filesystem::remove(doc / "概要.TXT");
    ASSERT_EQ(::mkfifo((doc / "概要.TXT").c_str(), 0600), 0);
    std::filesystem::remove(doc / "はじめに.TXT");
    std::filesystem::create_symlink("/proc/self/mem", doc / "はじめに.TXT");  // reading it fails
    test::ProgramRun r = Run({"--count", doc / "文書.Rnote"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out,
              "1\tはじめに.TXT\t0\t0\t0.00\n1\t第一部\t0\t0\t0.00\n2\t概要.TXT\t0\t0\t0.00\n"
              "2\t詳細\t0\t0\t0.00\n3\t項目A.TXT\t25\t2\t0.10\n合計\t25\t2\t0.10\n");
    EXPECT_EQ(r.err.rfind("ファイル \"" + (doc / "概要.TXT") +
                              "\" は開けません。通常のファイルではありません\n"
                              "ファイル \"" +
                              (doc / "はじめに.TXT") + "\" は開けません。",
                          0),
              0u)
        << r.err;
}

TEST_F(CountCommandTest, FailuresAsTheExport) {
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"--count", doc / "無い.Rnote"}, 1, "Treeファイルが有りません\n"},
        {{"--count", "--start", "無いノード", doc / "文書.Rnote"}, 1, "ノード[無いノード]が有りません\n"},
        {{"--count"}, 2, "ramblenote: TREEFILE is missing\nusage: ramblenote --count [--start NODETEXT] TREEFILE\n"},
        {{"--count", "--toc", "x", doc / "文書.Rnote"},
         2,
         "ramblenote: unknown option --toc\nusage: ramblenote --count [--start NODETEXT] TREEFILE\n"},
    };
    for (const auto& c : cases) {
        test::ProgramRun r = Run(c.args);
        EXPECT_EQ(r.code, c.code) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
}  // namespace rn
