// SPDX-License-Identifier: MIT
#include "core/batchout/batch_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "core/storage/files.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;
using namespace std::string_literals;

std::string Golden(const std::string& name) {
    return ReadAll(std::string(RN_TEST_DATA_DIR) + "/" + name);
}

// Records what the dialog would show around a run.
class RecordingObserver : public BatchOutputObserver {
public:
    void SetBusy(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
    void ProgressStart(int total) override { calls.push_back("start " + std::to_string(total)); }
    void Progress(int k, int total, int level, std::string_view text) override {
        progress.push_back(std::to_string(k) + "/" + std::to_string(total) + " L" + std::to_string(level) + " " +
                           Cp932ToUtf8(text));
    }
    void ProgressEnd() override { calls.push_back("end"); }
    std::vector<std::string> calls;
    std::vector<std::string> progress;
};

class BatchOutputTest : public ::testing::Test {
protected:
    // A node with its body (UTF-8 text, written as CP932) or none.
    void Node(int level, const std::string& text, std::optional<std::string> body = std::nullopt) {
        request.nodes.push_back({level, S(text)});
        if (body) WriteAll(dir / text, S(*body));
    }

    // The outline of the worked example and its settings.
    void WorkedExample() {
        Node(1, "はじめに.TXT", "本文1行目\r\n本文2行目\r\n");
        Node(1, "第一部");
        Node(2, "概要.TXT", "概要です\r\n");
        Node(2, "詳細");
        Node(3, "項目A.TXT", "A\r\n");
        Node(1, "ゴミ箱");
        auto& s = request.settings;
        s.OUTLIN = 2;
        s.KUGISW = true;
        s.KUGIRI = S("．");
        s.INDSW = true;
        s.INDENT = "TAB";
        s.INDMAX = 5;
        s.INDADDSW = true;
        s.PAGE = true;
        s.PAGEL = 0;
        s.SEPA = {"----"};
        s.MOKUJI = true;
    }

    BatchOutputResult Write() { return WriteBatchOutput(request, &observer); }
    std::string Out() const { return ReadAll(request.outputPath); }
    std::string Toc() const { return ReadAll(request.tocPath); }

    void SetUp() override {
        WriteAll(dir / "本 文.Rnote", "");
        request.treeFile = dir / "本 文.Rnote";
        request.treeDir = dir.path() + "/";
        request.outputPath = dir / "出力 結果.TXT";
        request.tocPath = dir / "目次.TXT";
        WriteAll(request.outputPath, "");
        WriteAll(request.tocPath, "");
        request.settings = BatchOutputSettings{};
    }

    test::WithNotices n;
    test::TempDir dir;
    BatchOutputRequest request;
    RecordingObserver observer;
};

TEST_F(BatchOutputTest, WorkedExampleAllNodes) {
    WorkedExample();
    EXPECT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), Golden("batchout_example_all.TXT"));
    EXPECT_EQ(Toc(), Golden("batchout_example_all_toc.TXT"));
    EXPECT_TRUE(n.recorder.log.empty());
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"start 6", "end"}));
    EXPECT_EQ(observer.progress.front(), "1/6 L1 はじめに.TXT");
    EXPECT_EQ(observer.progress.back(), "6/6 L1 ゴミ箱");
}

TEST_F(BatchOutputTest, WorkedExampleFromTheFirstPart) {
    WorkedExample();
    request.start = StartNode{S("第一部"), 1};
    EXPECT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), Golden("batchout_example_branch.TXT"));
    EXPECT_EQ(Toc(), Golden("batchout_example_branch_toc.TXT"));
    // Every node is still handed to the progress, written or not.
    EXPECT_EQ(observer.progress.size(), 6u);
}

TEST_F(BatchOutputTest, TheDialogRunAppendsAfterItsBoxesAndReportsTheEnd) {
    WorkedExample();
    EXPECT_EQ(RunBatchOutput(request, &observer), BatchOutputResult::kDone);
    EXPECT_EQ(RunBatchOutput(request, &observer), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), Golden("batchout_example_all.TXT") + Golden("batchout_example_all.TXT"));
    EXPECT_EQ(Toc(), Golden("batchout_example_all_toc.TXT") + Golden("batchout_example_all_toc.TXT"));
    const std::string tocBox = "新規作成ファイル=" + request.tocPath + "既にあります。";
    const std::string outBox = "新規作成ファイル=" + request.outputPath + "既にあります。";
    EXPECT_EQ(n.recorder.Boxes(), (std::vector<std::string>{tocBox, outBox, tocBox, outBox}));
    EXPECT_EQ(n.recorder.status, "一括出力 終了");
    EXPECT_EQ(n.recorder.beeps, 0);
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"busy", "start 6", "end", "idle", "busy", "start 6", "end", "idle"}));
}

TEST_F(BatchOutputTest, ChecksInOrderWithTheirTextsAndNothingWritten) {
    WorkedExample();
    struct Case {
        std::function<void(BatchOutputRequest&)> change;
        BatchOutputResult result;
        std::string text;
    };
    std::vector<Case> cases = {
        {[&](BatchOutputRequest& r) { r.treeFile = dir / "無い.Rnote"; }, BatchOutputResult::kNoTreeFile,
         "Treeファイルが有りません"},
        {[](BatchOutputRequest& r) { r.outputPath.clear(); }, BatchOutputResult::kNoOutputName,
         "Outファイル(*.TXT)を指定して下さい"},
        {[&](BatchOutputRequest& r) { r.outputPath = dir / "無い.TXT"; }, BatchOutputResult::kNoOutputFile,
         "Outファイルが有りません"},
        {[](BatchOutputRequest& r) { r.tocPath.clear(); }, BatchOutputResult::kNoTocName,
         "目次ファイル(*.TXT)を指定して下さい"},
        {[&](BatchOutputRequest& r) { r.tocPath = dir / "無い/目次.TXT"; }, BatchOutputResult::kNoTocFile,
         "目次ファイルの指定Dirが有りません"},
        {[&](BatchOutputRequest& r) { r.outputPath = r.treeFile; }, BatchOutputResult::kDocumentFile,
         "出力ファイルにTreeファイル[" + (dir / "本 文.Rnote") + "]は指定できません"},
        {[&](BatchOutputRequest& r) { r.tocPath = dir / "./概要.TXT"; }, BatchOutputResult::kDocumentFile,
         "目次ファイルにノード[概要.TXT]の本文ファイル[" + (dir / "./概要.TXT") + "]は指定できません"},
    };
    for (const Case& c : cases) {
        BatchOutputRequest r = request;
        c.change(r);
        n.recorder.Clear();
        EXPECT_EQ(RunBatchOutput(r, &observer), c.result) << c.text;
        EXPECT_EQ(n.recorder.status, c.text);
        EXPECT_EQ(n.recorder.beeps, 1);
        EXPECT_TRUE(n.recorder.Boxes().empty());
    }
    EXPECT_TRUE(observer.calls.empty());
    EXPECT_EQ(Out(), "");
    EXPECT_EQ(Toc(), "");
    EXPECT_FALSE(test::Exists(dir / "無い.TXT"));
    // Without the table of contents its path is not looked at.
    request.settings.MOKUJI = false;
    request.tocPath.clear();
    n.recorder.Clear();
    EXPECT_EQ(RunBatchOutput(request, &observer), BatchOutputResult::kDone);
    EXPECT_EQ(n.recorder.Boxes().size(), 1u);
}

TEST_F(BatchOutputTest, SeparatorRule) {
    EXPECT_TRUE(SeparatorAdmitted(S("第1章")));
    EXPECT_TRUE(SeparatorAdmitted("1-2"));
    EXPECT_TRUE(SeparatorAdmitted("A"));
    EXPECT_FALSE(SeparatorAdmitted("1)"));
    EXPECT_FALSE(SeparatorAdmitted("1)-1)"));
    EXPECT_FALSE(SeparatorAdmitted("A "));
    EXPECT_FALSE(SeparatorAdmitted(S("・")));
    EXPECT_FALSE(SeparatorAdmitted(S("･")));
    EXPECT_FALSE(SeparatorAdmitted(""));
    EXPECT_TRUE(SeparatorAdmitted(S("・・")));

    // In a run: style 3 gives 1, 1-1, 1), 1)-1), ・; the separator is "--" (several characters).
    Node(1, "a");
    Node(2, "b");
    Node(3, "c");
    Node(4, "d");
    Node(5, "e");
    Node(6, "f");
    request.settings.OUTLIN = 3;
    request.settings.KUGISW = true;
    request.settings.KUGIRI = "--";
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("1--a\r\n1-1--b\r\n1)c\r\n1)-1)d\r\n・e\r\nf\r\n"));
}

TEST_F(BatchOutputTest, StyleOneWithTheSeparatorOnGivesIndentedTextsOnly) {
    Node(1, "一");
    Node(2, "二");
    request.settings.OUTLIN = 1;
    request.settings.KUGISW = true;
    request.settings.INDSW = true;
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("一\r\n\t二\r\n"));
}

TEST_F(BatchOutputTest, IndentationUnitTabTabAndFullWidthBlank) {
    EXPECT_EQ(IndentUnit("TAB"), "\t");
    EXPECT_EQ(IndentUnit("TABTAB"), "\t\t");
    EXPECT_EQ(IndentUnit("xTABy"), "x\ty");
    EXPECT_EQ(IndentUnit("tab"), "tab");
    EXPECT_EQ(IndentUnit(""), "");
    // 0x94 is a lead byte: "\x94T" is one double-byte character, so no TAB starts at its second byte.
    EXPECT_EQ(IndentUnit("\x94TAB"), "\x94TAB");

    Node(1, "一");
    Node(2, "二.TXT", "本文\r\n");
    Node(3, "三");
    request.settings.OUTLIN = 1;
    request.settings.INDSW = true;
    request.settings.INDADDSW = true;
    request.settings.INDENT = "TABTAB";
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("一\r\n\t\t二.TXT\r\n\t\t\t\t本文\r\n\t\t\t\t三\r\n"));

    WriteAll(request.outputPath, "");
    request.settings.INDENT = S("　");
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("一\r\n　二.TXT\r\n　　本文\r\n　　三\r\n"));

    // Indentation off: neither headings nor bodies are indented, whatever the step says.
    WriteAll(request.outputPath, "");
    request.settings.INDSW = false;
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("一\r\n二.TXT\r\n本文\r\n三\r\n"));
}

TEST_F(BatchOutputTest, LevelEightWithIndMaxFiveAndOne) {
    for (int level = 1; level <= 7; ++level)
        Node(level, "n" + std::to_string(level));
    Node(8, "八.TXT", "x\r\n");
    request.settings.OUTLIN = 1;
    request.settings.INDSW = true;
    request.settings.INDADDSW = true;
    request.settings.INDMAX = 5;
    request.start = StartNode{S("八.TXT"), 8};
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("\t\t\t\t八.TXT\r\n\t\t\t\t\tx\r\n"));

    WriteAll(request.outputPath, "");
    request.settings.INDMAX = 1;
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("八.TXT\r\n\tx\r\n"));  // only the body step is left

    // Values no dialog offers, from a hand-edited file: no overflow into billions of tabs.
    WriteAll(request.outputPath, "");
    request.settings.INDMAX = INT32_MIN;
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("八.TXT\r\n\tx\r\n"));
    EXPECT_EQ(HeadingIndentCount(INT32_MAX, true, INT32_MAX), INT32_MAX - 1);
}

TEST_F(BatchOutputTest, PageLengthTwoOverFiveLines) {
    Node(1, "p.TXT", "1\r\n2\r\n3\r\n4\r\n5\r\n");
    Node(1, "q.TXT", "6\r\n7\r\n");
    request.settings.OUTLIN = 1;
    request.settings.PAGE = true;
    request.settings.PAGEL = 2;
    request.settings.SEPA = {"==", ""};
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    // The count starts afresh for each body and counts neither headings nor separator lines.
    EXPECT_EQ(Out(), "p.TXT\r\n1\r\n2\r\n\f3\r\n4\r\n\f5\r\n\f==\r\n\r\nq.TXT\r\n6\r\n7\r\n\f==\r\n\r\n");
}

TEST_F(BatchOutputTest, EmptyBodyGivesTheHeadingThenTheFormFeedAndSeparators) {
    Node(1, "空.TXT", "");
    Node(1, "次");
    request.settings.OUTLIN = 1;
    request.settings.PAGE = true;
    request.settings.SEPA = {"----", "===="};
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("空.TXT\r\n\f----\r\n====\r\n次\r\n"));
}

TEST_F(BatchOutputTest, TableOfContentsNamingTheOutputItself) {
    WorkedExample();
    const std::string doubled =
        S("第1章．はじめに.TXT\r\n第1章．はじめに.TXT\r\n\t本文1行目\r\n\t本文2行目\r\n\f----\r\n"
          "第2章．第一部\r\n第2章．第一部\r\n\t第1節．概要.TXT\r\n\t第1節．概要.TXT\r\n\t\t概要です\r\n\f----\r\n"
          "\t第2節．詳細\r\n\t第2節．詳細\r\n\t\t第1項．項目A.TXT\r\n\t\t第1項．項目A.TXT\r\n\t\t\tA\r\n\f----\r\n"
          "第3章．ゴミ箱\r\n第3章．ゴミ箱\r\n");
    request.tocPath = request.outputPath;
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), doubled);
    // The same file under another name (a hard link) counts as well.
    WriteAll(request.outputPath, "");
    std::filesystem::create_hard_link(request.outputPath, dir / "link.TXT");
    request.tocPath = dir / "link.TXT";
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), doubled);
}

TEST_F(BatchOutputTest, BodyLinesLfCrLfLoneCrAndEndOfFileByte) {
    Node(1, "b.TXT");
    WriteAll(dir / "b.TXT", "one\ntwo\r\nth\rree\r\r\n\nlast");
    Node(1, "c.TXT");
    WriteAll(dir / "c.TXT", "x\r\ny\x1Aignored\r\nmore\r\n");
    Node(1, "d.TXT");
    WriteAll(dir / "d.TXT", "\r");  // nothing but a dropped CR: no line at all
    Node(1, "e.TXT");
    WriteAll(dir / "e.TXT", "\x1A\r\nz\r\n");
    Node(1, "f.TXT");
    WriteAll(dir / "f.TXT", std::string("a\0b\r\n", 5));  // NUL bytes are copied as they stand
    request.settings.OUTLIN = 1;
    request.settings.SEPA = {"-"};
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), std::string("b.TXT\r\none\r\ntwo\r\nthree\r\n\r\nlast\r\n-\r\n"
                                 "c.TXT\r\nx\r\ny\r\n-\r\n"
                                 "d.TXT\r\n-\r\n"
                                 "e.TXT\r\n-\r\n"
                                 "f.TXT\r\na\0b\r\n-\r\n"s));
}

TEST_F(BatchOutputTest, BodiesLargerThanTheBuffersAreStreamedWithoutChangingAByte) {
    // A CR LF split between two reads, and one line longer than the write buffer.
    std::string body(std::size_t{1} << 20, 'a');
    body[body.size() - 1] = '\r';
    body += "\nsecond\r\n";
    body += std::string((std::size_t{1} << 20) + 5, 'b');
    body += "\r\nend";
    Node(1, "big.TXT");
    WriteAll(dir / "big.TXT", body);
    request.settings.OUTLIN = 1;
    request.settings.INDSW = true;
    request.settings.INDADDSW = true;
    request.settings.PAGE = true;
    request.settings.PAGEL = 2;
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    std::string expected = "big.TXT\r\n\t" + std::string((std::size_t{1} << 20) - 1, 'a') + "\r\n\tsecond\r\n\f\t" +
                           std::string((std::size_t{1} << 20) + 5, 'b') + "\r\n\tend\r\n\f";
    EXPECT_EQ(Out(), expected);
}

TEST_F(BatchOutputTest, StartTextMatchingTwiceWritesBothBranches) {
    Node(1, "章");
    Node(2, "同じ");
    Node(3, "子1");
    Node(2, "別");
    Node(1, "章2");
    Node(2, "同じ");
    Node(3, "子2");
    Node(2, "後");
    request.settings.OUTLIN = 1;
    request.start = StartNode{S("同じ"), 2};
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    // Writing stops at 別 (level 2) and starts again at the second 同じ, up to 後.
    EXPECT_EQ(Out(), S("同じ\r\n子1\r\n同じ\r\n子2\r\n"));
}

TEST_F(BatchOutputTest, HeadingsKeepTheirNumbersFromTheWholeOutlineInABranchRun) {
    Node(1, "a");
    Node(1, "b");
    Node(2, "c");
    request.start = StartNode{"b", 1};
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("第2章b\r\n第1節c\r\n"));
}

TEST_F(BatchOutputTest, TrashAndItsDeletedNodesAreWrittenInAllMode) {
    Node(1, "本");
    Node(1, "ゴミ箱");
    Node(2, "消した.TXT", "古い\r\n");
    request.settings.OUTLIN = 3;
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), S("1本\r\n2ゴミ箱\r\n2-1消した.TXT\r\n古い\r\n"));
}

TEST_F(BatchOutputTest, NodeTextsThatCannotNameAFileHaveNoBody) {
    std::filesystem::create_directory(dir / "sub");
    WriteAll(dir / "sub/x.TXT", "secret\r\n");
    WriteAll(dir.path() + "/../outside.TXT", "");
    Node(1, "sub/x.TXT");
    Node(1, "..");
    Node(1, "sub");  // a directory is no body file
    request.settings.OUTLIN = 1;
    request.settings.SEPA = {"-"};
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    EXPECT_EQ(Out(), "sub/x.TXT\r\n..\r\nsub\r\n");
    std::filesystem::remove(dir.path() + "/../outside.TXT");
}

TEST_F(BatchOutputTest, ABodyThatIsTheOutputFileReadsWhatTheFileHeldBeforeTheRun) {
    Node(1, "a.TXT", "1\r\n");
    Node(1, "出力 結果.TXT");  // the output file itself
    WriteAll(request.outputPath, "old\r\n");
    request.settings.OUTLIN = 1;
    ASSERT_EQ(Write(), BatchOutputResult::kDone);
    // The body is read as long as it was when the run came to it, so it cannot feed on the lines the
    // run adds.
    EXPECT_EQ(Out(), S("old\r\na.TXT\r\n1\r\n出力 結果.TXT\r\nold\r\n"));
}

TEST_F(BatchOutputTest, TheRunRefusesWhatLeavingAPathFieldRefuses) {
    WorkedExample();
    ASSERT_EQ(::mkfifo((dir / "pipe.TXT").c_str(), 0600), 0);
    const std::string relative = "out/a.TXT";
    struct Case {
        std::string output, toc, status;
        BatchOutputResult result;
    };
    for (const Case& c : std::vector<Case>{
             {dir / "pipe.TXT", request.tocPath, "出力ファイルが通常のファイルではありません",
              BatchOutputResult::kBadOutputPath},
             {request.outputPath, "/dev/null", "目次ファイルが通常のファイルではありません",
              BatchOutputResult::kBadTocPath},
             {relative, request.tocPath, "不明なドライブが指定されています", BatchOutputResult::kBadOutputPath},
         }) {
        BatchOutputRequest r = request;
        r.outputPath = c.output;
        r.tocPath = c.toc;
        EXPECT_EQ(RunBatchOutput(r, &observer), c.result) << c.output;
        EXPECT_EQ(n.recorder.status, c.status);
    }
    EXPECT_TRUE(n.recorder.Boxes().empty());
    EXPECT_EQ(Out(), "");
}

TEST_F(BatchOutputTest, AnOutputThatCannotBeOpenedEndsTheRunBeforeAnythingElse) {
    WorkedExample();
    std::filesystem::create_directory(dir / "目次dir.TXT");
    request.tocPath = dir / "目次dir.TXT";
    EXPECT_EQ(Write(), BatchOutputResult::kFileError);
    ASSERT_EQ(n.recorder.Of("error").size(), 1u);
    EXPECT_EQ(n.recorder.Of("error")[0].rfind("ファイル \"" + request.tocPath + "\" は開けません。", 0), 0u);
    // Nothing went to the output either.
    EXPECT_EQ(Out(), "");
}

TEST_F(BatchOutputTest, ABodyThatFailsToReadStillGetsItsSeparatorsAndStopsTheRun) {
    // Reading the memory file of a process at offset 0 fails with an I/O error.
    if (::access("/proc/self/mem", R_OK) != 0) GTEST_SKIP() << "no /proc/self/mem";
    WorkedExample();
    std::filesystem::create_symlink("/proc/self/mem", dir / "壊れ.TXT");
    request.nodes.insert(request.nodes.begin() + 1, OutputNode{1, S("壊れ.TXT")});
    EXPECT_EQ(Write(), BatchOutputResult::kFileError);
    EXPECT_EQ(Out(), S("第1章．はじめに.TXT\r\n\t本文1行目\r\n\t本文2行目\r\n\f----\r\n第2章．壊れ.TXT\r\n\f----\r\n"));
    EXPECT_EQ(Toc(), S("第1章．はじめに.TXT\r\n第2章．壊れ.TXT\r\n"));
    ASSERT_EQ(n.recorder.Of("error").size(), 1u);
    EXPECT_EQ(n.recorder.Of("error")[0].rfind("ファイル \"" + (dir / "壊れ.TXT") + "\" を読み込めません。", 0), 0u);
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"start 7", "end"}));
}

TEST_F(BatchOutputTest, FlattenOutlineGivesLevelsFromOne) {
    Outline o;
    rn::Node* a = o.AppendChild(nullptr, "a");
    rn::Node* b = o.AppendChild(a, "b");
    o.AppendChild(b, "c");
    o.AppendChild(a, "d");
    o.AppendChild(nullptr, "e");
    EXPECT_EQ(FlattenOutline(o), (std::vector<OutputNode>{{1, "a"}, {2, "b"}, {3, "c"}, {2, "d"}, {1, "e"}}));
}

// ---- path preparation ----

TEST_F(BatchOutputTest, PreparingAPathCreatesOneDirectoryLevelAndAnEmptyFile) {
    const std::string path = dir / "新しい/出力.TXT";
    EXPECT_EQ(PrepareOutputPath(path, OutputField::kOutput), PrepareResult::kCreated);
    EXPECT_EQ(ReadAll(path), "");
    EXPECT_EQ(n.recorder.beeps, 0);
    WriteAll(path, "keep");
    EXPECT_EQ(PrepareOutputPath(path, OutputField::kToc), PrepareResult::kExisted);
    EXPECT_EQ(n.recorder.Boxes(), (std::vector<std::string>{"新規作成ファイル=" + path + "既にあります。"}));
    EXPECT_EQ(ReadAll(path), "keep");
    // Two missing levels: the directory is not made, and creating the file fails with its box.
    const std::string deep = dir / "無い/もっと無い/出力.TXT";
    EXPECT_EQ(PrepareOutputPath(deep, OutputField::kOutput), PrepareResult::kCreateFailed);
    EXPECT_EQ(n.recorder.Of("error").at(0).rfind("ファイル \"" + deep + "\" を作成できません。", 0), 0u);
}

TEST_F(BatchOutputTest, PreparingAPathRefusesShortRelativeAndEmptyPaths) {
    EXPECT_EQ(PrepareOutputPath("", OutputField::kOutput), PrepareResult::kEmpty);
    EXPECT_EQ(n.recorder.beeps, 0);
    EXPECT_EQ(PrepareOutputPath("/a.TXT", OutputField::kOutput), PrepareResult::kTooShort);
    EXPECT_EQ(n.recorder.status, "出力ファイルを正しく指定ください。");
    EXPECT_EQ(PrepareOutputPath("/tmp/a.", OutputField::kToc), PrepareResult::kTooShort);
    EXPECT_EQ(n.recorder.status, "目次ファイルを正しく指定ください。");
    EXPECT_EQ(PrepareOutputPath("relative/出力.TXT", OutputField::kOutput), PrepareResult::kUnknownDrive);
    EXPECT_EQ(n.recorder.status, "不明なドライブが指定されています");
    EXPECT_EQ(n.recorder.beeps, 3);
    EXPECT_FALSE(test::Exists("relative"));
}

}  // namespace
}  // namespace rn
