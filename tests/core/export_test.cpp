// SPDX-License-Identifier: MIT
// The headless export: the in-memory reading of the Tree file, and whole runs of the built program.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/batchout/export_source.h"
#include "core/version.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::Snapshot;
using test::WriteAll;

std::string Golden(const std::string& name) {
    return ReadAll(std::string(RN_TEST_DATA_DIR) + "/" + name);
}

std::string Levels(const std::vector<OutputNode>& nodes) {
    std::string out;
    for (const OutputNode& n : nodes)
        out += std::to_string(n.level) + ":" + Cp932ToUtf8(n.text) + "|";
    return out;
}

class ExportTest : public ::testing::Test {
protected:
    using Result = test::ProgramRun;

    Result Run(const std::vector<std::string>& args, const std::string& program = RN_BIN_DIR "/ramblenote") {
        return test::RunProgram(program, args, work.path());
    }

    // The worked example's document in `doc`, with its settings in `doc`/s.ini.
    void WorkedExample() {
        WriteAll(doc / "文書.Rnote",
                 S("はじめに.TXT\r\n第一部\r\n\t概要.TXT\r\n\t詳細\r\n\t\t項目A.TXT\r\nゴミ箱\r\n"));
        WriteAll(doc / "はじめに.TXT", S("本文1行目\r\n本文2行目\r\n"));
        WriteAll(doc / "概要.TXT", S("概要です\r\n"));
        WriteAll(doc / "項目A.TXT", S("A\r\n"));
        WriteAll(work / "s.ini",
                 "[OUTLINE]\r\nOUTLIN=2\r\nKUGISW=1\r\nINDSW=1\r\nINDADDSW=1\r\nPAGE=1\r\nPAGEL=0\r\n"
                 "MOKUJI=0\r\nSEPA0=1\r\nSEPA1=----\r\n");
    }

    test::WithNotices n;
    test::TempDir doc;   // the document's directory: nothing in it may change
    test::TempDir work;  // outputs, settings, captured streams
};

// ---- reading the Tree file in memory ----

TEST_F(ExportTest, ReadsAnRnoteFileAsOpeningWouldAndAppendsTheTrash) {
    WriteAll(doc / "a.Rnote", S("一\r\n\t二\r\n\t\t三\r\n四\r\n\tゴミ箱\r\n"));
    std::string error;
    auto src = LoadExportSource(doc / "a.Rnote", error);
    ASSERT_TRUE(src) << error;
    EXPECT_EQ(Levels(src->nodes), "1:一|2:二|3:三|1:四|2:ゴミ箱|1:ゴミ箱|");
    EXPECT_EQ(src->treeDir, doc.path() + "/");
    EXPECT_EQ(src->treeFile, doc / "a.Rnote");
    EXPECT_EQ(ReadAll(doc / "a.Rnote"), S("一\r\n\t二\r\n\t\t三\r\n四\r\n\tゴミ箱\r\n"));
}

// ---- the command ----

TEST_F(ExportTest, WritesTheWorkedExampleAndChangesNothingElse) {
    WorkedExample();
    WriteAll(work / "出力.TXT", "old content that is replaced");
    const auto before = Snapshot(doc.path());
    Result r = Run(
        {"--export", work / "出力.TXT", "--toc", work / "目次.TXT", "--settings", work / "s.ini", doc / "文書.Rnote"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadAll(work / "出力.TXT"), Golden("batchout_example_all.TXT"));
    EXPECT_EQ(ReadAll(work / "目次.TXT"), Golden("batchout_example_all_toc.TXT"));
    EXPECT_EQ(Snapshot(doc.path()), before);
    EXPECT_FALSE(test::Exists(work / "BTxtOut.Ini"));
}

TEST_F(ExportTest, StartNodeFromTheCommandLineAndNoTableOfContentsWithoutToc) {
    WorkedExample();
    WriteAll(work / "s.ini", ReadAll(work / "s.ini") + "MOKUJI=1\r\n");  // --toc alone decides
    Result r =
        Run({"--start", "第一部", "--settings=" + (work / "s.ini"), "--export", work / "枝.TXT", doc / "文書.Rnote"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadAll(work / "枝.TXT"), Golden("batchout_example_branch.TXT"));
    EXPECT_EQ(r.err, "");
}

TEST_F(ExportTest, FailuresPrintTheirMessageAndWriteNothing) {
    WorkedExample();
    WriteAll(work / "出力.TXT", "keep");
    WriteAll(doc / "bad.Rnote", S("一\r\n\t\t深すぎ\r\n"));
    WriteAll(doc / "nul.Rnote", std::string("a\r\n\0b\r\n", 6));
    WriteAll(doc / "x.txt", "a\r\n");
    const auto before = Snapshot(doc.path());
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::string out = work / "出力.TXT";
    std::vector<Case> cases = {
        {{"--export", out, doc / "無い.Rnote"}, "Treeファイルが有りません\n"},
        {{"--export", out, doc / "bad.Rnote"}, "アイテム \"深すぎ\" の階層 (2) が不正です\n"},
        {{"--export", out, doc / "x.txt"}, "Treeﾌｧｲﾙ[ x.txt ]拡張子エラー\n"},
        {{"--export", out, doc / "nul.Rnote"},
         "ファイル \"" + (doc / "nul.Rnote") + "\" は開けません。途中に NUL バイトがあり、その後ろを読み込めません\n"},
        {{"--export", out, "--start", "無いノード", doc / "文書.Rnote"}, "出力ノード[無いノード]が有りません\n"},
        {{"--export", out, "--start", "😀", doc / "文書.Rnote"}, "出力ノード[😀]が有りません\n"},
        {{"--export", out, "--settings", work / "無い.ini", doc / "文書.Rnote"},
         "設定ファイル[" + (work / "無い.ini") + "]が有りません\n"},
        {{"--export", out, "--toc", doc / "文書.Rnote", doc / "文書.Rnote"},
         "目次ファイルにTreeファイル[" + (doc / "文書.Rnote") + "]は指定できません\n"},
    };
    for (const Case& c : cases) {
        Result r = Run(c.args);
        EXPECT_EQ(r.code, 1) << c.message;
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(ReadAll(out), "keep") << c.message;
    }
    EXPECT_EQ(Snapshot(doc.path()), before);
}

// The document's own files are refused as files, whatever the path that names them.
TEST_F(ExportTest, OutputsThatAreTheDocumentsOwnFilesAreRefusedBeforeAnythingIsWritten) {
    WorkedExample();
    WriteAll(doc / "文書.Rnote", ReadAll(doc / "文書.Rnote") + S("未作成.TXT\r\n"));  // a folder until its file exists
    std::filesystem::create_symlink(doc / "概要.TXT", work / "link.TXT");
    std::filesystem::create_symlink(doc / "未作成.TXT", work / "dangling.TXT");
    std::filesystem::create_hard_link(doc / "項目A.TXT", work / "hard.TXT");
    std::filesystem::create_hard_link(doc / "文書.Rnote", work / "hard.Rnote");
    const auto before = Snapshot(doc.path());
    const std::string docName = std::filesystem::path(doc.path()).filename().string();
    const std::string body = "ファイルにノード[", tree = "ファイルにTreeファイル[";
    const std::pair<std::string, std::string> cases[] = {
        {doc / "./概要.TXT", body + "概要.TXT]の本文ファイル["},
        {doc / ("../" + docName + "/はじめに.TXT"), body + "はじめに.TXT]の本文ファイル["},
        {work / "link.TXT", body + "概要.TXT]の本文ファイル["},
        {work / "dangling.TXT", body + "未作成.TXT]の本文ファイル["},
        {doc / "未作成.TXT", body + "未作成.TXT]の本文ファイル["},
        {work / "hard.TXT", body + "項目A.TXT]の本文ファイル["},
        {work / "hard.Rnote", tree},
    };
    for (const auto& [path, message] : cases) {
        for (bool asToc : {false, true}) {
            const std::string out = asToc ? work / "出力.TXT" : path;
            std::vector<std::string> args = {"--export", out, doc / "文書.Rnote"};
            if (asToc) args.insert(args.begin(), {"--toc", path});
            Result r = Run(args);
            EXPECT_EQ(r.code, 1) << path;
            EXPECT_EQ(r.err, (asToc ? "目次" : "出力") + message + path + "]は指定できません\n");
            EXPECT_FALSE(test::Exists(work / "出力.TXT"));
        }
    }
    EXPECT_EQ(Snapshot(doc.path()), before);
    EXPECT_FALSE(test::Exists(doc / "未作成.TXT"));
    // A table of contents that cannot be created leaves no output behind.
    Result r = Run({"--export", work / "出力.TXT", "--toc", work / "無い/目次.TXT", doc / "文書.Rnote"});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(test::Exists(work / "出力.TXT"));
}

// Files that are no regular files would make the run wait for ever; texts are shown, never obeyed.
TEST_F(ExportTest, SpecialFilesAreRefusedAndControlCharactersEscaped) {
    WorkedExample();
    ASSERT_EQ(::mkfifo((work / "fifo.Rnote").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((work / "fifo.ini").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", work / "zero.Rnote");
    const std::string out = work / "出力.TXT", notRegular = "\" は開けません。通常のファイルではありません\n";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--export", out, work / "fifo.Rnote"}, "ファイル \"" + (work / "fifo.Rnote") + notRegular},
        {{"--export", out, work / "zero.Rnote"}, "ファイル \"" + (work / "zero.Rnote") + notRegular},
        {{"--export", out, "--settings", work / "fifo.ini", doc / "文書.Rnote"},
         "ファイル \"" + (work / "fifo.ini") + notRegular},
        {{"--export", out, "--start", "\x1B]0;title\x07", doc / "文書.Rnote"},
         "出力ノード[\\x1B]0;title\\x07]が有りません\n"},
        // An output that is a pipe or a device could keep the command waiting for a reader.
        {{"--export", work / "fifo.ini", doc / "文書.Rnote"},
         "出力ファイル[" + (work / "fifo.ini") + "]は通常のファイルではありません\n"},
        {{"--export", out, "--toc", "/dev/null", doc / "文書.Rnote"},
         "目次ファイル[/dev/null]は通常のファイルではありません\n"},
    };
    for (const auto& [args, message] : cases) {
        Result r = Run(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, message);
        EXPECT_FALSE(test::Exists(out));
    }
}

TEST_F(ExportTest, AnOutputThatCannotBeWrittenFails) {
    WorkedExample();
    const std::string out = work / "無い/出力.TXT";
    Result r = Run({"--export", out, doc / "文書.Rnote"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "ファイル \"" + out + "\" を作成できません。ファイルまたはフォルダがありません\n");
}

TEST_F(ExportTest, ABodyThatIsAPipeIsNamedAndLeftOut) {
    WorkedExample();
    std::filesystem::remove(doc / "項目A.TXT");
    ASSERT_EQ(::mkfifo((doc / "項目A.TXT").c_str(), 0600), 0);
    Result r = Run({"--export", work / "o.TXT", "--settings", work / "s.ini", doc / "文書.Rnote"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("ファイル \"" + (doc / "項目A.TXT") + "\" は開けません。通常のファイルではありません"),
              std::string::npos)
        << r.err;
    std::string expected = Golden("batchout_example_all.TXT");
    expected.erase(expected.find("\t\t\tA\r\n\f----\r\n"), 13);
    EXPECT_EQ(ReadAll(work / "o.TXT"), expected);
}

TEST_F(ExportTest, UsageErrors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--export", "o.TXT"}, {"--export", "o.TXT", "a", "b"}, {"--export", "o.TXT", "--bogus", "a"}}) {
        Result r = Run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find("usage: ramblenote --export OUTPUT"), std::string::npos);
    }
}

TEST_F(ExportTest, HelpVersionAndUnknownOptions) {
    Result r = Run({"--help"});
    EXPECT_EQ(r.code, 0);
    for (const char* usage :
         {"ramblenote [--] [TREEFILE]\n", "ramblenote --export OUTPUT [--toc TOCFILE]",
          "ramblenote --count [--start NODETEXT] TREEFILE\n", "ramblenote --help\n", "ramblenote --version\n"})
        EXPECT_NE(r.out.find(usage), std::string::npos) << usage;
    r = Run({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string("ramblenote ") + ProgramVersion() + "\n");
    r = Run({"--bogus", "a.Rnote"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("ramblenote: unknown option --bogus\nusage: ramblenote [--] [TREEFILE]\n", 0), 0u) << r.err;
}

TEST_F(ExportTest, TheProgramsOwnSettingsFileIsTheDefaultAndIsNeverWritten) {
    WorkedExample();
    // A copy of the program in a directory of its own, so that its BTxtOut.Ini is this test's.
    const std::string program = work / "ramblenote";
    std::filesystem::copy_file(RN_BIN_DIR "/ramblenote", program);
    Result r = Run({"--export", work / "既定.TXT", doc / "文書.Rnote"}, program);
    EXPECT_EQ(r.code, 0) << r.err;
    // Defaults: style 2, no separator, no indentation, no page breaks, no separator lines.
    EXPECT_EQ(ReadAll(work / "既定.TXT"),
              S("第1章はじめに.TXT\r\n本文1行目\r\n本文2行目\r\n第2章第一部\r\n第1節概要.TXT\r\n"
                "概要です\r\n第2節詳細\r\n第1項項目A.TXT\r\nA\r\n第3章ゴミ箱\r\n"));
    EXPECT_FALSE(test::Exists(work / "BTxtOut.Ini"));

    const std::string ini = ReadAll(work / "s.ini") + "OUTLINE1=0\r\n";  // 0 is not written back here
    WriteAll(work / "BTxtOut.Ini", ini);
    r = Run({"--export", work / "既定.TXT", doc / "文書.Rnote"}, program);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadAll(work / "既定.TXT"), Golden("batchout_example_all.TXT"));
    EXPECT_EQ(ReadAll(work / "BTxtOut.Ini"), ini);
}

TEST_F(ExportTest, AnOldTreeFileIsExportedWithoutBeingConverted) {
    WriteAll(doc / "古い.Tree", S("序\r\n\t本文\r\nゴミ箱\r\n"));
    WriteAll(doc / "本文.TXT", S("中身\r\n"));
    WriteAll(doc / "ゴミ箱.TXT", "");  // the trash named like a text node is no longer the trash
    const auto before = Snapshot(doc.path());
    Result r = Run({"--export", work / "o.TXT", doc / "古い.Tree"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadAll(work / "o.TXT"), S("第1章序\r\n第1節本文.TXT\r\n中身\r\n第2章ゴミ箱.TXT\r\n第3章ゴミ箱\r\n"));
    EXPECT_EQ(Snapshot(doc.path()), before);
}

}  // namespace
}  // namespace rn
