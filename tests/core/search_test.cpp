// SPDX-License-Identifier: MIT
// The body search: occurrences in one body, the result list of a document, and the headless command.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/search/body_search.h"
#include "core/search/node_search.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;

// "position,line:line text|" for every occurrence, in CP932.
std::string Hits(std::string_view body, std::string_view key) {
    SearchKey k(key);
    BodySearch search(k, body);
    BodyHit hit;
    std::string out;
    while (search.Next(hit))
        out += std::to_string(hit.position) + "," + std::to_string(hit.line) + ":" + std::string(hit.lineText) + "|";
    return out;
}

// ---- one body ----

TEST(BodySearch, Occurrences) {
    struct Case {
        std::string body, key, hits;
    };
    const std::vector<Case> cases = {
        {"aaaa", "aa", "0,1:aaaa|2,1:aaaa|"},        // never overlapping
        {"abc Abc", "Abc", "4,1:abc Abc|"},          // case-sensitive
        {S("ａbc abc"), "abc", S("5,1:ａbc abc|")},  // full-width is not half-width
        {"x ab ab\r\nab", "ab", "2,1:x ab ab|5,1:x ab ab|9,2:ab|"},
        {S("アA"), "A", S("2,1:アA|")},  // ア is 0x83 0x41: its second byte is no "A"
        {S("アb"), "Ab", ""},
        {S("日本a\r\n本日a"), "a", S("4,1:日本a|11,2:本日a|")},  // positions count bytes
        {"a\rb\rab", "b", "3,2:b|7,3:ab|"},                      // a lone CR stands for CR LF
        {"a\nb\nab", "b", "3,2:b|7,3:ab|"},                      // and so does a lone LF
        {"\r\n\n\r\rb", "b", "8,5:b|"},
        {std::string("ab\0ab", 5), "ab", "0,1:ab|"},  // a NUL ends the text
        {"a\nb", "a\r\nb", "0,1:a|"},                 // a key with a line end meets the CR LF form
        {"\x83\r\nA", "A", "3,2:A|"},                 // a lead byte before a line end stands alone
        {"\x83"
         "1",
         "1",
         "1,1:\x83"
         "1|"},
        {S("ぁぁ"), "\x9F\x82", ""},  // 82 9F 82 9F: the middle pair is no character
        {S("ぁぁ"), S("ぁ"), S("0,1:ぁぁ|2,1:ぁぁ|")},
        {"", "a", ""},
        {"ab", "abc", ""},
        {"ab", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hits(c.body, c.key), c.hits) << Cp932ToUtf8(c.body) << " / " << Cp932ToUtf8(c.key);
}

TEST(BodySearch, CharactersWithTwoCodesFindEachOther) {
    // ≒: row 2 0x81E0 and NEC row 13 0x8790; 髙: NEC-selected 0xEEE0 and IBM 0xFBFC; ∵ has three codes.
    const std::string nearly = "x\x87\x90y\x81\xE0";
    EXPECT_EQ(Hits(nearly, "\x81\xE0"), "1,1:" + nearly + "|4,1:" + nearly + "|");
    EXPECT_EQ(Hits("\x81\xE0", "\x87\x90"), "0,1:\x81\xE0|");
    const std::string taka = S("橋") + "\xEE\xE0" + S("橋");
    EXPECT_EQ(Hits(taka, "\xFB\xFC" + S("橋")), "2,1:" + taka + "|");
    const std::string because = "\xFA\x5B\x87\x9A\x81\xE6";
    EXPECT_EQ(Hits(because, "\x81\xE6"), "0,1:" + because + "|2,1:" + because + "|4,1:" + because + "|");
    // A key of twins only, with more spellings than are looked for at once.
    const std::string body = "\xEE\xE0\xFB\xFC\x81\xE0\x87\x90\xFA\x5B";
    EXPECT_EQ(Hits(body, "\xFB\xFC\xEE\xE0\x87\x90\x81\xE0\x87\x9A"), "0,1:" + body + "|");
    // Twins are compared only where a character starts.
    EXPECT_EQ(Hits("\x81\x87\x90", "\x87\x90"), "");
    EXPECT_EQ(TwinCodes(0x8740), std::vector<std::uint16_t>{});  // ① has one code
}

// ---- the result list of a document ----

class SearchListTest : public ::testing::Test {
protected:
    // 0 はじめに.TXT / 1 第一部 / 2 概要.TXT (lone LF) / 3 無い.TXT (no file) / 4 sub/x.TXT (names no
    // file) / 5 ゴミ箱 (with a file of that name) / 6 捨てた.TXT
    void SetUp() override {
        WriteAll(doc / "はじめに.TXT", S("abc abc\r\nアbc\r\n"));
        WriteAll(doc / "概要.TXT", "xabc\nabcd");
        std::filesystem::create_directory(doc / "sub");
        WriteAll(doc / "sub/x.TXT", "abc");
        WriteAll(doc / "ゴミ箱", "abc");
        WriteAll(doc / "捨てた.TXT", S("ゴミabc\r\nゴミ箱の中\r\n"));
        for (const char* text : {"はじめに.TXT", "第一部", "概要.TXT", "無い.TXT", "sub/x.TXT", "ゴミ箱", "捨てた.TXT"})
            texts.push_back(S(text));
        for (const std::string& t : texts)
            nodes.push_back({t, t != S("第一部")});
    }

    SearchScope Scope(SearchObserver* observer = nullptr) { return {nodes, doc.path() + "/", 1, observer}; }

    test::TempDir doc;
    std::vector<std::string> texts;
    std::vector<SearchNode> nodes;
};

TEST_F(SearchListTest, NewSearchGivesTheListText) {
    ResultList list = NewSearch(Scope(), "abc");
    EXPECT_EQ(list.found, 5u);
    EXPECT_EQ(list.Text(), ReadAll(RN_TEST_DATA_DIR "/search_list_abc.TXT"));
    EXPECT_EQ(list.DashLine(), "--------------");  // 検索文字=[abc] is 14 bytes
    EXPECT_TRUE(list.unreadable.empty());
}

TEST_F(SearchListTest, NarrowingSearchesTheListedNodesOnceInTheirWholeBody) {
    const std::string previous = NewSearch(Scope(), "abc").Text();
    EXPECT_EQ(ListedNodes(previous), (std::vector<int>{0, 0, 2, 2, 6}));
    ResultList list = NarrowSearch(Scope(), S("ゴミ"), ListedNodes(previous));
    EXPECT_EQ(list.found, 2u);
    EXPECT_EQ(list.Text(), S("絞り込み検索文字=[ゴミ] --- 2箇所検索\n-----------------------\n"
                             "6,1,0,1,捨てた.TXT:ゴミabc\n6,1,9,2,捨てた.TXT:ゴミ箱の中"));
    EXPECT_EQ(ListedNodes(list.Text()), (std::vector<int>{6, 6}));

    // Nothing found: the header keeps no count; out-of-range indexes are passed over.
    ResultList none = NarrowSearch(Scope(), "zzz", {0, 99, -1, 6});
    EXPECT_EQ(none.found, 0u);
    EXPECT_EQ(none.Text(), S("絞り込み検索文字=[zzz]\n----------------------"));
}

TEST_F(SearchListTest, ALongLineIsCutAfter200CharactersAndASinkTakesTheLinesInPieces) {
    // 150 double-byte and 100 single-byte characters on one line: every occurrence shows the first 200.
    const std::string line = test::Repeat(S("あ"), 150) + test::Repeat("a", 100);
    WriteAll(doc / "はじめに.TXT", line + "\r\n");
    const std::string shown = test::Repeat(S("あ"), 150) + test::Repeat("a", 50) + S("…");
    ResultList list = NewSearch(Scope(), "a");
    ASSERT_EQ(list.found, 100u + 3u);  // and three in the other bodies
    EXPECT_EQ(list.lines.substr(0, list.lines.find('\n')), "0,1,300,1," + S("はじめに.TXT:") + shown);
    std::string taken;
    std::size_t pieces = 0;
    ResultList sunk = NewSearch(Scope(), "a", [&](std::string& lines) {
        ++pieces;
        taken += lines;
        return true;
    });
    EXPECT_EQ(taken, list.lines);
    EXPECT_TRUE(sunk.lines.empty());
    EXPECT_EQ(pieces, 1u);
}

TEST_F(SearchListTest, AStoppedSearchKeepsWhatItFound) {
    // Stopped after the first node, and by a sink in the middle of a node.
    struct StopAfterFirst : SearchObserver {
        bool Stopped() override { return true; }
    } stop;
    ResultList list = NewSearch(Scope(&stop), "abc");
    EXPECT_TRUE(list.stopped);
    EXPECT_EQ(list.found, 2u);  // the two in はじめに.TXT
    WriteAll(doc / "はじめに.TXT", test::Repeat("abc\r\n", 200000));
    std::size_t pieces = 0;
    list = NewSearch(Scope(), "abc", [&](std::string&) { return ++pieces < 2; });
    EXPECT_TRUE(list.stopped);
    EXPECT_EQ(pieces, 2u);
    EXPECT_LT(list.found, 200000u);
}

TEST_F(SearchListTest, ResultLinesAreReadBackByTheirFirstAndFourthField) {
    EXPECT_EQ(ListedNodes("h\n--\n3,1,0,2,a:b\n\nx,1\n3,0,5,3,a,b:c,d\r\n12"), (std::vector<int>{3, 3, 12}));
    auto target = ParseResultLine("7,1,14,2,Plan.TXT:a,b");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->node, 7);
    EXPECT_EQ(target->line, 2);
    for (const char* line : {"", "--------------", "検索文字=[1,2,3,4]", "7,1,14", "7,1,14,0,x:", "-1,1,0,1,x:"})
        EXPECT_FALSE(ParseResultLine(line)) << line;
}

TEST_F(SearchListTest, ProgressReachesTheEndAndUnreadableBodiesAreReported) {
    struct Counter : SearchObserver {
        void Progress(std::size_t done, std::size_t total) override {
            EXPECT_EQ(done, ++calls);
            last = total;
        }
        std::size_t calls = 0, last = 0;
    } counter;
    NewSearch(Scope(&counter), "abc");
    EXPECT_EQ(counter.calls, nodes.size());
    EXPECT_EQ(counter.last, nodes.size());

    // A body that exists but cannot be read (a link to itself stops root, too) is named and passed over.
    std::filesystem::remove(doc / "概要.TXT");
    std::filesystem::create_symlink("概要.TXT", doc / "概要.TXT");
    ResultList list = NewSearch(Scope(), "abc");
    EXPECT_EQ(list.found, 3u);
    ASSERT_EQ(list.unreadable.size(), 1u);
    EXPECT_EQ(list.unreadable[0],
              "ファイル \"" + (doc / "概要.TXT") + "\" は開けません。シンボリックリンクが多すぎます");
}

// ---- the headless command ----

class SearchCommandTest : public SearchListTest {
protected:
    void SetUp() override {
        SearchListTest::SetUp();
        std::string tree;
        for (const char* line :
             {"はじめに.TXT", "第一部", "\t概要.TXT", "\t無い.TXT", "\tsub/x.TXT", "ゴミ箱", "\t捨てた.TXT"})
            tree += S(line) + "\r\n";
        WriteAll(doc / "検索.Rnote", tree);
    }
    test::ProgramRun Run(std::vector<std::string> args) {
        args.push_back(doc / "検索.Rnote");
        return test::RunProgram(RN_BIN_DIR "/ramblenote", args, work.path());
    }

    test::TempDir work;
};

TEST_F(SearchCommandTest, PrintsTheListInUtf8AndChangesNothing) {
    const auto before = test::Snapshot(doc.path());
    test::ProgramRun r = Run({"--search", "abc"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, ReadAll(RN_TEST_DATA_DIR "/search_stdout_abc.txt"));
    EXPECT_EQ(r.err, "");

    // Narrowing, with the characters file names cannot hold removed from the key.
    r = Run({"--search=a*bc", "--search", "ゴ|ミ"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "絞り込み検索文字=[ゴミ] --- 2箇所検索\n-----------------------\n"
              "6,0,0,1,捨てた.TXT:ゴミabc\n6,0,9,2,捨てた.TXT:ゴミ箱の中\n");
    EXPECT_EQ(test::Snapshot(doc.path()), before);
}

TEST_F(SearchCommandTest, ExitCodes) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;  // the start of stderr
    };
    const std::string usage = "usage: ramblenote --search KEY";
    const std::vector<Case> cases = {
        {{"--search", "zzz"}, 1, "検索文字 zzz は有りません\n"},
        {{"--search", "\x1B[2J\x07"}, 2, "ramblenote: the search key \"\\x1B[2J\\x07\" holds a control"},
        {{"--search", "a\r\nb"}, 2, "ramblenote: the search key \"a\\x0D\\x0Ab\" holds a control character\n"},
        {{"--search", "  zzz"}, 1, "検索文字 zzz は有りません\n"},  // leading blanks go, as in the dialog
        {{"--search", "abc", "--search", "x?y"}, 1, "検索文字 xy は有りません\n"},
        {{"--search", ""}, 2, "ramblenote: the search key is empty\n" + usage},
        {{"--search", "*?"}, 2, "ramblenote: the search key \"*?\" is empty"},
        {{"--search", "ゴミ箱"}, 2, "ramblenote: ノード名\"ゴミ箱\"は利用できません。\n" + usage},
        {{"--search", "ゴミ/箱"}, 2, "ramblenote: ノード名\"ゴミ箱\"は利用できません。\n"},
        {{"--search", "😀"}, 2, "ramblenote: [ 😀 ]の中に Shift-JIS で保存できない文字"},
        {{"--search", "abc", "--toc", "x"}, 2, "ramblenote: unknown option --toc\n" + usage},
        {{"--search", "abc", "more.Rnote"}, 2, "ramblenote: more than one TREEFILE\n"},
    };
    for (const Case& c : cases) {
        test::ProgramRun r = Run(c.args);
        EXPECT_EQ(r.code, c.code) << c.args[1];
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << r.err;
        EXPECT_EQ(r.out, "");
    }
    test::ProgramRun missing =
        test::RunProgram(RN_BIN_DIR "/ramblenote", {"--search", "a", doc / "無い.Rnote"}, work.path());
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "Treeファイルが有りません\n");
}

}  // namespace
}  // namespace rn
