// SPDX-License-Identifier: MIT
// Every save of the core against a disk that fails part-way (write_fault.h): the files keep their old
// bytes and no temporary file is left, the error names the file and the system's reason, and the
// caller is not told the save went through. Once the fault is spent, the same save succeeds.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "app/export_command.h"
#include "core/batchout/batch_output.h"
#include "core/batchout/btxtout_settings.h"
#include "core/outline/document.h"
#include "core/settings/history.h"
#include "core/settings/settings.h"
#include "core/storage/files.h"
#include "core/storage/rescue_file.h"
#include "core/storage/write_fault.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;

struct FaultPoint {
    const char* name;
    WriteFault fault;
};

// Where a save can fail, for a save whose file is the `nth` written.
std::vector<FaultPoint> FaultPoints(int nth = 1, bool rename = true) {
    std::vector<FaultPoint> points = {
        {"first write", {WriteStep::kWrite, nth, ENOSPC, 0}},
        {"mid-write", {WriteStep::kWrite, nth, ENOSPC, 3}},
        {"fsync", {WriteStep::kFsync, nth, EIO}},
    };
    if (rename) points.push_back({"rename", {WriteStep::kRename, nth, EIO}});
    return points;
}

// One save, run in a directory of its own with the old files in place.
struct Scene {
    test::TempDir dir;
    test::TempDir capture;  // stderr of the export, outside the directory compared
    test::WithNotices n;
    Document doc;
    TreeHistory history;

    std::string Errors() const {
        std::string all;
        for (const std::string& e : n.recorder.Of("error"))
            all += e + "\n";
        return all;
    }
    // The export in this process (where the fault is set), with stderr caught. Exit status and stderr.
    std::pair<int, std::string> Export(std::vector<std::string> args) {
        const std::string file = capture / "stderr";
        std::fflush(stderr);
        const int saved = ::dup(STDERR_FILENO);
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
        const int code = app::RunExportCommand(args);
        std::fflush(stderr);
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
        return {code, ReadAll(file)};
    }
    void OpenDocument() {
        WriteAll(dir / "doc.Rnote", S("a.TXT\r\n第一部\r\nゴミ箱\r\n"));
        WriteAll(dir / "a.TXT", S("古い本文\r\n"));
        ASSERT_EQ(doc.OpenTreeFile(dir / "doc.Rnote"), kOpenDone);
    }
    BatchOutputRequest DialogRun() {
        BatchOutputRequest r;
        r.treeFile = dir / "doc.Rnote";
        r.treeDir = dir.path() + "/";
        r.nodes = FlattenOutline(doc.outline);
        r.outputPath = dir / "出力.TXT";
        r.tocPath = dir / "目次.TXT";
        r.settings.MOKUJI = true;
        return r;
    }
};

struct SavePath {
    const char* name;
    std::function<void(Scene&)> prepare;  // old files, state
    // Runs the save; true when it told its caller (or the user) that it went through. `message`
    // gets what the user was shown.
    std::function<bool(Scene&, std::string& message)> save;
    std::function<std::string(Scene&)> file;  // the file the message must name
    std::vector<FaultPoint> points = FaultPoints();
};

// The dialog's run over a document whose output and table of contents exist already.
void OpenWithOldOutputs(Scene& s) {
    s.OpenDocument();
    WriteAll(s.dir / "出力.TXT", "old output\r\n");
    WriteAll(s.dir / "目次.TXT", "old toc\r\n");
}

bool RunTheDialog(Scene& s, std::string& m) {
    BatchOutputResult result = RunBatchOutput(s.DialogRun());
    m = s.Errors();
    return result == BatchOutputResult::kDone || s.n.recorder.status == BatchFinishedText();
}

const std::vector<SavePath>& SavePaths() {
    static const std::vector<SavePath> paths = {
        {"Tree file after a change", [](Scene& s) { s.OpenDocument(); },
         [](Scene& s, std::string& m) {
             s.doc.outline.AppendChild(nullptr, S("新しいノード"));
             bool ok = s.doc.SaveTreeFile();
             m = s.Errors();
             return ok;
         },
         [](Scene& s) { return s.dir / "doc.Rnote"; }},
        {"Tree file with the trash added at opening", [](Scene& s) { WriteAll(s.dir / "doc.Rnote", S("a.TXT\r\n")); },
         [](Scene& s, std::string& m) {
             // The document opens (trash in memory); only the write must not count as done.
             s.doc.OpenTreeFile(s.dir / "doc.Rnote");
             m = s.Errors();
             return m.empty();
         },
         [](Scene& s) { return s.dir / "doc.Rnote"; }},
        {"Tree file converted from the old format", [](Scene& s) { WriteAll(s.dir / "old.Tree", S("a.TXT\r\n")); },
         [](Scene& s, std::string& m) {
             s.n.recorder.answers = {true};
             const int result = s.doc.OpenTreeFile(s.dir / "old.Tree");
             m = s.Errors();
             return result == kOpenConverted;
         },
         [](Scene& s) { return s.dir / "old.Tree"; }},
        {"body", [](Scene& s) { s.OpenDocument(); },
         [](Scene& s, std::string& m) {
             bool ok = s.doc.SaveBody(S("a.TXT"), S("新しい本文\r\n"));
             m = s.Errors();
             return ok;
         },
         [](Scene& s) { return s.dir / "a.TXT"; }},
        {"settings file", [](Scene& s) { WriteAll(s.dir / "Ramblenote.Ini", "[Form]\r\nTop=1\r\n"); },
         [](Scene& s, std::string& m) {
             Settings settings;
             bool ok = WriteSettings(s.dir / "Ramblenote.Ini", settings, WindowGeometry{}, kNoTreeFile);
             m = s.Errors();
             return ok;
         },
         [](Scene& s) { return s.dir / "Ramblenote.Ini"; }},
        {"history file", [](Scene& s) { WriteAll(s.dir / "TreeHis.txt", "old.Rnote\r\n"); },
         [](Scene& s, std::string& m) {
             s.history.AddTreeHistory(s.dir / "new.Rnote", 10);
             bool ok = s.history.SaveTreeHistory(s.dir / "TreeHis.txt");
             m = s.Errors();
             return ok;
         },
         [](Scene& s) { return s.dir / "TreeHis.txt"; }},
        {"history file made at the first start", [](Scene&) {},
         [](Scene& s, std::string& m) {
             bool ok = s.history.LoadTreeHistory(s.dir / "TreeHis.txt", 10, s.dir / "doc.Rnote");
             m = s.Errors();
             return ok;
         },
         [](Scene& s) { return s.dir / "TreeHis.txt"; }},
        {"BTxtOut.Ini", [](Scene& s) { WriteAll(s.dir / "BTxtOut.Ini", "[OUTLINE]\r\nOUTLIN=3\r\n"); },
         [](Scene& s, std::string& m) {
             bool ok = WriteBatchOutputSettings(s.dir / "BTxtOut.Ini", BatchOutputSettings{});
             m = s.Errors();
             return ok;
         },
         [](Scene& s) { return s.dir / "BTxtOut.Ini"; }},
        {"export OUTPUT",
         [](Scene& s) {
             s.OpenDocument();
             WriteAll(s.dir / "出力.TXT", "old output\r\n");
         },
         [](Scene& s, std::string& m) {
             auto [code, err] = s.Export({"--export", s.dir / "出力.TXT", s.dir / "doc.Rnote"});
             m = err;
             return code == 0;
         },
         [](Scene& s) { return s.dir / "出力.TXT"; }},
        // The output is written first; the table of contents fails after it, and the output must
        // not have been replaced either. (A rename failing between the two cannot be undone.)
        {"export TOC",
         [](Scene& s) {
             s.OpenDocument();
             WriteAll(s.dir / "出力.TXT", "old output\r\n");
             WriteAll(s.dir / "目次.TXT", "old toc\r\n");
         },
         [](Scene& s, std::string& m) {
             auto [code, err] =
                 s.Export({"--export", s.dir / "出力.TXT", "--toc", s.dir / "目次.TXT", s.dir / "doc.Rnote"});
             m = err;
             return code == 0;
         },
         [](Scene& s) { return s.dir / "目次.TXT"; }, FaultPoints(2, false)},
        // The dialog's run appends in place: its bytes go out when it ends (write 1 the output, write 2
        // the table of contents), and a failure cuts both files back to their old lengths.
        {"batch output dialog run",
         OpenWithOldOutputs,
         RunTheDialog,
         [](Scene& s) { return s.dir / "出力.TXT"; },
         {{"first write", {WriteStep::kWrite, 1, ENOSPC, 0}},
          {"mid-write", {WriteStep::kWrite, 1, ENOSPC, 3}},
          {"fsync", {WriteStep::kFsync, 1, EIO}}}},
        {"batch output dialog run, table of contents",
         OpenWithOldOutputs,
         RunTheDialog,
         [](Scene& s) { return s.dir / "目次.TXT"; },
         {{"first write", {WriteStep::kWrite, 2, ENOSPC, 0}},
          {"mid-write", {WriteStep::kWrite, 2, ENOSPC, 3}},
          {"fsync", {WriteStep::kFsync, 2, EIO}}}},
        {"rescue file", [](Scene& s) { std::filesystem::create_directory(s.dir / "rescue"); },
         [](Scene& s, std::string& m) {
             return !WriteRescueFile(s.dir / "rescue", S("a.TXT"), S("救う本文"), m).empty();
         },
         [](Scene& s) { return s.dir / "rescue/a.TXT "; }},
    };
    return paths;
}

class FailingWritesTest : public ::testing::Test {
protected:
    void TearDown() override { InjectWriteFault(std::nullopt); }
};

TEST_F(FailingWritesTest, EverySaveKeepsTheOldFileAndSaysWhichFileAndWhy) {
    int cases = 0;
    for (const SavePath& path : SavePaths()) {
        for (const FaultPoint& point : path.points) {
            SCOPED_TRACE(std::string(path.name) + ", " + point.name);
            Scene scene;
            path.prepare(scene);
            const auto before = test::Snapshot(scene.dir.path());
            scene.n.recorder.Clear();
            InjectWriteFault(point.fault);
            std::string message;
            const bool reported = path.save(scene, message);
            ASSERT_TRUE(WriteFaultHappened()) << "the save never reached the failing step";
            InjectWriteFault(std::nullopt);
            ++cases;

            EXPECT_FALSE(reported);
            EXPECT_EQ(test::Snapshot(scene.dir.path()), before);  // old bytes, no temporary file
            EXPECT_NE(message.find(path.file(scene)), std::string::npos) << message;
            EXPECT_NE(message.find(ReasonText(point.fault.error)), std::string::npos) << message;
            EXPECT_LE(std::count(message.begin(), message.end(), '\n'), 1) << "one message: " << message;

            // Nothing was marked as saved that was not: the same save goes through now.
            scene.n.recorder.Clear();
            message.clear();
            EXPECT_TRUE(path.save(scene, message)) << message;
        }
    }
    EXPECT_EQ(cases, 49);
}

}  // namespace
}  // namespace rn
