// SPDX-License-Identifier: MIT
#include "core/outline/document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "core/outline/treefile.h"
#include "core/storage/files.h"
#include "test_support.h"

namespace rn {
namespace {

using test::Exists;
using test::ReadAll;
using test::S;
using test::WriteAll;

std::string Data(const std::string& name) {
    return ReadAll(std::string(RN_TEST_DATA_DIR) + "/" + name);
}

class RecordingView : public DocumentView {
public:
    void SelectNode(Node* node) override { selected = node; }
    void FocusOutline() override { ++focus; }
    void SetCaption(const std::string& c) override { caption = c; }
    void SetDialogDirectory(const std::string& d) override { dialogDir = d; }
    void TreeFileChangedElsewhere() override { ++changedElsewhere; }
    Node* selected = nullptr;
    int changedElsewhere = 0;
    int focus = 0;
    std::string caption = "Ramblenote";
    std::string dialogDir;
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() {
        doc.SetView(&view);
        doc.onOpened = [this](const std::string& p) { opened.push_back(p); };
    }
    std::string Texts() const {
        std::string out;
        for (const Node* n : doc.outline.Preorder()) {
            out += std::to_string(Outline::LevelOf(n)) + ":" + Cp932ToUtf8(n->text);
            out += n->kind == NodeKind::Text ? "(T)" : n->kind == NodeKind::Trash ? "(G)" : "";
            out += "|";
        }
        return out;
    }
    // Opens a well-formed document to check that failures leave it alone.
    void OpenPrevious() {
        WriteAll(dir / "prev.Rnote", S("前\r\nゴミ箱\r\n"));
        ASSERT_EQ(doc.OpenTreeFile(dir / "prev.Rnote"), kOpenDone);
    }
    void ExpectPreviousStillOpen() {
        EXPECT_EQ(doc.treeFile, dir / "prev.Rnote");
        EXPECT_EQ(doc.treeDir, dir.path() + "/");
        EXPECT_EQ(view.caption, "Ramblenote：" + (dir / "prev.Rnote"));
        EXPECT_EQ(Texts(), "0:前|0:ゴミ箱(G)|");
    }

    test::WithNotices n;
    test::TempDir dir;
    RecordingView view;
    Document doc;
    std::vector<std::string> opened;
};

TEST_F(DocumentTest, OpensWorksOutKindsSelectsTheFirstNodeAndTellsTheHistory) {
    WriteAll(dir / "本 文.Rnote", S("はじめに.TXT\r\n第一部\r\n\t無い.TXT\r\n\t箱.TXT\r\nゴミ箱\r\n"));
    WriteAll(dir / "はじめに.TXT", "x");
    std::filesystem::create_directory(dir / "箱.TXT");  // a directory is no body file
    EXPECT_EQ(doc.OpenTreeFile(dir / "本 文.Rnote"), kOpenDone);
    EXPECT_EQ(Texts(), "0:はじめに.TXT(T)|0:第一部|1:無い.TXT|1:箱.TXT|0:ゴミ箱(G)|");
    EXPECT_EQ(doc.treeFile, dir / "本 文.Rnote");
    EXPECT_EQ(doc.treeDir, dir.path() + "/");
    EXPECT_EQ(view.caption, "Ramblenote：" + (dir / "本 文.Rnote"));
    EXPECT_EQ(view.dialogDir, dir.path() + "/");
    EXPECT_EQ(view.selected, doc.outline.At(0));
    EXPECT_EQ(view.focus, 1);
    EXPECT_FALSE(doc.loadingOutline);
    EXPECT_EQ(opened, std::vector<std::string>{dir / "本 文.Rnote"});
    EXPECT_EQ(OpenResultMessage(kOpenDone, doc, ""), (dir / "本 文.Rnote") + " を開きました");
    // Opening again with unchanged content leaves the file byte for byte.
    EXPECT_EQ(ReadAll(dir / "本 文.Rnote"), S("はじめに.TXT\r\n第一部\r\n\t無い.TXT\r\n\t箱.TXT\r\nゴミ箱\r\n"));
}

TEST_F(DocumentTest, MissingFileWrongExtensionAndDeclinedConversionChangeNothing) {
    OpenPrevious();
    EXPECT_EQ(doc.OpenTreeFile(dir / "無い.Rnote"), kOpenNoFile);
    EXPECT_EQ(OpenResultMessage(kOpenNoFile, doc, dir / "無い.Rnote"),
              "Treeﾌｧｲﾙ[" + (dir / "無い.Rnote") + "]がありません｡");
    ExpectPreviousStillOpen();

    WriteAll(dir / "notes.txt", "x\r\n");
    n.recorder.Clear();
    EXPECT_EQ(doc.OpenTreeFile(dir / "notes.txt"), kOpenBadExtension);
    EXPECT_EQ(n.recorder.status, " Treeﾌｧｲﾙ[ notes.txt ]拡張子エラー");
    EXPECT_EQ(n.recorder.beeps, 1);
    ExpectPreviousStillOpen();

    WriteAll(dir / "old.Tree", "a\r\n");
    n.recorder.answers = {false};
    EXPECT_EQ(doc.OpenTreeFile(dir / "old.Tree"), kOpenConversionDeclined);
    EXPECT_EQ(n.recorder.Of("yesno"),
              std::vector<std::string>{"Tree   File [ old.Tree ]を\rRnote File [ old.Rnote ] に､コンバードしますか?"});
    EXPECT_EQ(ReadAll(dir / "old.Tree"), "a\r\n");
    EXPECT_FALSE(Exists(dir / "old.Rnote"));
    ExpectPreviousStillOpen();
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(DocumentTest, ConvertsAnOldTreeFile) {
    WriteAll(dir / "old.Tree", Data("old_input.Tree"));
    WriteAll(dir / "はじめに.TXT", "");
    WriteAll(dir / "memo.TXT", "m");
    n.recorder.answers = {true};
    EXPECT_EQ(doc.OpenTreeFile(dir / "old.Tree"), kOpenConverted);
    EXPECT_FALSE(Exists(dir / "old.Tree"));
    EXPECT_EQ(ReadAll(dir / "old.Rnote"), Data("old_converted.Rnote"));
    EXPECT_EQ(doc.treeFile, dir / "old.Rnote");
    EXPECT_EQ(Texts(), "0:はじめに.TXT(T)|0:第一部|1:memo.TXT(T)|1:メモ２|0:おわり|0:ゴミ箱(G)|");
    EXPECT_EQ(OpenResultMessage(kOpenConverted, doc, ""), (dir / "old.Rnote") + " をコンバート／開きました");
}

TEST_F(DocumentTest, ConversionOntoAnExistingRnoteOpensThatFileAndReportsTheFailure) {
    WriteAll(dir / "old.Tree", "memo\r\n");
    WriteAll(dir / "memo.TXT", "");
    WriteAll(dir / "old.Rnote", S("既存\r\n"));
    n.recorder.answers = {true};
    EXPECT_EQ(doc.OpenTreeFile(dir / "old.Tree"), kOpenRenameFailed);
    EXPECT_EQ(n.recorder.Of("message"),
              std::vector<std::string>{"ReName = " + (dir / "old.Rnote") + " は､既にあります"});
    EXPECT_EQ(ReadAll(dir / "old.Tree"), "memo.TXT\r\n");
    EXPECT_EQ(ReadAll(dir / "old.Rnote"), S("既存\r\nゴミ箱\r\n"));
    EXPECT_EQ(doc.treeFile, dir / "old.Rnote");
    EXPECT_EQ(OpenResultMessage(kOpenRenameFailed, doc, ""), "コンバート処理に失敗しました");
}

TEST_F(DocumentTest, TrashLineIsAppendedWhenMissingAndWrittenBack) {
    WriteAll(dir / "empty.Rnote", "");
    EXPECT_EQ(doc.OpenTreeFile(dir / "empty.Rnote"), kOpenDone);
    EXPECT_EQ(ReadAll(dir / "empty.Rnote"), S("ゴミ箱\r\n"));
    EXPECT_EQ(Texts(), "0:ゴミ箱(G)|");
    EXPECT_EQ(view.selected, doc.outline.At(0));

    // Lines are written back as they were read, only their line ends made CR LF.
    WriteAll(dir / "indented.Rnote", S("a\n b\n\tゴミ箱\rゴミ箱 "));
    EXPECT_EQ(doc.OpenTreeFile(dir / "indented.Rnote"), kOpenDone);
    EXPECT_EQ(ReadAll(dir / "indented.Rnote"), S("a\r\n b\r\n\tゴミ箱\r\nゴミ箱 \r\nゴミ箱\r\n"));
    EXPECT_EQ(Texts(), "0:a|1:b|1:ゴミ箱(G)|0:ゴミ箱 |0:ゴミ箱(G)|");
    // The kind goes by the text alone; the first trash text in document order is the destination.
    EXPECT_EQ(FindTrashNode(doc.outline), doc.outline.At(2));
}

TEST_F(DocumentTest, ExtensionMatchesInAnyCase) {
    WriteAll(dir / "DOC.rnote", S("ゴミ箱\r\n"));
    EXPECT_EQ(doc.OpenTreeFile(dir / "DOC.rnote"), kOpenDone);
}

TEST_F(DocumentTest, AnUnreadableTreeFileIsNotOpenedAndNotTouched) {
    OpenPrevious();
    const std::string bad = S("章\n\t\t深すぎる\n");
    WriteAll(dir / "bad.Rnote", bad);
    EXPECT_EQ(doc.OpenTreeFile(dir / "bad.Rnote"), kOpenUnreadable);
    EXPECT_EQ(n.recorder.Of("error"), std::vector<std::string>{"アイテム \"深すぎる\" の階層 (2) が不正です"});
    // The open document stays open as it was.
    ExpectPreviousStillOpen();
    EXPECT_FALSE(doc.loadingOutline);
    EXPECT_EQ(ReadAll(dir / "bad.Rnote"), bad);
    EXPECT_TRUE(doc.SaveTreeFile());
    EXPECT_EQ(ReadAll(dir / "bad.Rnote"), bad);
    EXPECT_EQ(ReadAll(dir / "prev.Rnote"), S("前\r\nゴミ箱\r\n"));

    // Data after a NUL, bytes without a character, UTF-8 text: refused before anything changes.
    const std::pair<const char*, std::string> refused[] = {
        {"nul.Rnote", std::string("A\r\n\0B\r\n", 7)},
        {"odd.Rnote", "ok\r\n\x81\x20\xFF\r\n"},
        {"utf8.Rnote", "第1章\r\n\tメモ.TXT\r\n"},
    };
    for (const auto& [file, bytes] : refused) {
        WriteAll(dir / file, bytes);
        n.recorder.Clear();
        EXPECT_EQ(doc.OpenTreeFile(dir / file), kOpenUnreadable) << file;
        ASSERT_EQ(n.recorder.Of("error").size(), 1u);
        EXPECT_EQ(n.recorder.Of("error")[0].rfind("ファイル \"" + (dir / file) + "\" は開けません。", 0), 0u);
        EXPECT_EQ(ReadAll(dir / file), bytes);
        ExpectPreviousStillOpen();
    }
    EXPECT_EQ(n.recorder.Of("error")[0], "ファイル \"" + (dir / "utf8.Rnote") +
                                             "\" は開けません。Shift-JIS (CP932) のテキストファイルではありません");

    WriteAll(dir / "bad.Tree", bad);
    n.recorder.answers = {true};
    EXPECT_EQ(doc.OpenTreeFile(dir / "bad.Tree"), kOpenUnreadable);
    EXPECT_EQ(ReadAll(dir / "bad.Tree"), bad);
    EXPECT_FALSE(Exists(dir / "bad.Rnote.Rnote"));
    ExpectPreviousStillOpen();
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(DocumentTest, HostileNodeTextsNeverReachOutsideTheTreeDirectory) {
    std::filesystem::create_directory(dir / "doc");
    std::filesystem::create_directory(dir / "doc/sub");
    WriteAll(dir / "outside.TXT", "secret");
    WriteAll(dir / "doc/sub/x.TXT", "inner");
    WriteAll(dir / "doc/evil.Rnote", "../outside.TXT\r\n" + S(dir / "outside.TXT") +
                                         "\r\nsub/x.TXT\r\nsub\\x.TXT\r\n..\r\n.\r\n" + S("ゴミ箱") + "\r\n");
    ASSERT_EQ(doc.OpenTreeFile(dir / "doc/evil.Rnote"), kOpenDone);
    for (const Node* node : doc.outline.Preorder()) {
        if (node->kind == NodeKind::Trash) continue;
        EXPECT_NE(node->kind, NodeKind::Text) << node->text;
        EXPECT_FALSE(doc.BodyPath(node->text).has_value()) << node->text;
    }
    std::string body;
    EXPECT_FALSE(doc.LoadBody("../outside.TXT", body));
    EXPECT_FALSE(doc.SaveBody("../outside.TXT", "overwritten"));
    EXPECT_FALSE(doc.SaveBody("sub/x.TXT", "overwritten"));
    EXPECT_EQ(ReadAll(dir / "outside.TXT"), "secret");
    EXPECT_EQ(ReadAll(dir / "doc/sub/x.TXT"), "inner");
    // ソ ends in the byte 0x5C but is no separator.
    EXPECT_EQ(doc.BodyPath(S("ソ.TXT")), (dir / "doc/") + "ソ.TXT");
}

// Texts whose bytes do not come back from Unicode unchanged would share a file with another text.
TEST_F(DocumentTest, OnlyTextsThatConvertBackExactlyNameABodyFile) {
    doc.treeDir = dir.path() + "/";
    const std::pair<std::string, const char*> cases[] = {
        {"\x1A.TXT", "\x1A.TXT"},  {"\x7F.TXT", "\x7F.TXT"}, {"\x81\xE0.TXT", "≒.TXT"},
        {"\x80.TXT", nullptr},     {"\xA0.TXT", nullptr},    {"\xFD.TXT", nullptr},
        {"\x85\x40.TXT", nullptr}, {"a\x81", nullptr},       {"\x87\x90.TXT", nullptr},  // the NEC spelling of ≒
        {"\xED\x40.TXT", nullptr},  // the NEC-selected spelling of 纊
    };
    for (const auto& [text, name] : cases) {
        auto path = doc.BodyPath(text);
        if (name) {
            EXPECT_EQ(path, dir / name) << testing::PrintToString(text);
        } else {
            EXPECT_FALSE(path.has_value()) << testing::PrintToString(text);
        }
    }
}

TEST_F(DocumentTest, OpeningRemovesTemporaryFilesThatAKilledSaveLeftBehindButNoBody) {
    // A hand-edited Tree file may name a body in the temporaries' form: it is a body.
    WriteAll(dir / "d.Rnote", S("本.TXT\r\n.rn-Body01\r\n.plot.rn-draft1\r\nゴミ箱\r\n"));
    for (const char* name : {".rn-a1B2c3", ".rn-Body01", ".plot.rn-draft1", ".rn-fresh1"})
        WriteAll(dir / name, "x");
    for (const char* name : {".rn-a1B2c3", ".rn-Body01", ".plot.rn-draft1"})
        std::filesystem::last_write_time(dir / name,
                                         std::filesystem::file_time_type::clock::now() - std::chrono::seconds(61));
    ASSERT_EQ(doc.OpenTreeFile(dir / "d.Rnote"), kOpenDone);
    EXPECT_FALSE(Exists(dir / ".rn-a1B2c3"));
    for (const char* name : {".rn-Body01", ".plot.rn-draft1", ".rn-fresh1"})
        EXPECT_TRUE(Exists(dir / name)) << name;
}

TEST_F(DocumentTest, BodiesAreReadNormalisedAndWrittenReplacing) {
    WriteAll(dir / "d.Rnote", S("本.TXT\r\nゴミ箱\r\n"));
    WriteAll(dir / "本.TXT", Data("body_input.TXT"));
    ASSERT_EQ(doc.OpenTreeFile(dir / "d.Rnote"), kOpenDone);
    std::string body;
    ASSERT_TRUE(doc.LoadBody(S("本.TXT"), body));
    EXPECT_EQ(body, Data("body_output.TXT"));
    ASSERT_TRUE(doc.SaveBody(S("本.TXT"), ""));
    EXPECT_EQ(ReadAll(dir / "本.TXT"), "");
    std::filesystem::remove(dir / "本.TXT");
    n.recorder.Clear();
    EXPECT_FALSE(doc.LoadBody(S("本.TXT"), body));
    ASSERT_EQ(n.recorder.Of("error").size(), 1u);
    EXPECT_EQ(n.recorder.Of("error")[0].rfind("ファイル \"" + (dir / "本.TXT") + "\" は開けません。", 0), 0u);
}

TEST_F(DocumentTest, SaveTreeFileReportsAReadOnlyFileAndKeepsIt) {
    WriteAll(dir / "ro.Rnote", S("a\r\nゴミ箱\r\n"));
    ASSERT_EQ(doc.OpenTreeFile(dir / "ro.Rnote"), kOpenDone);
    doc.outline.AppendChild(nullptr, "b");
    chmod((dir / "ro.Rnote").c_str(), 0444);
    EXPECT_FALSE(doc.SaveTreeFile());
    ASSERT_EQ(n.recorder.Of("error").size(), 1u);
    EXPECT_EQ(n.recorder.Of("error")[0].rfind("ファイル \"" + (dir / "ro.Rnote") + "\" を作成できません。", 0), 0u);
    EXPECT_EQ(ReadAll(dir / "ro.Rnote"), S("a\r\nゴミ箱\r\n"));
    chmod((dir / "ro.Rnote").c_str(), 0644);
    EXPECT_TRUE(doc.SaveTreeFile());
    EXPECT_EQ(ReadAll(dir / "ro.Rnote"), S("a\r\nゴミ箱\r\nb\r\n"));
}

TEST_F(DocumentTest, TheTreeFileIsWrittenOnlyWhenTheOutlineChangedAndNeverOverAnotherProgramsChange) {
    WriteAll(dir / "d.Rnote", S("a\nゴミ箱\n"));  // LF line ends stay until something changes
    ASSERT_EQ(doc.OpenTreeFile(dir / "d.Rnote"), kOpenDone);
    EXPECT_FALSE(doc.readOnly);
    chmod((dir / "d.Rnote").c_str(), 0444);
    EXPECT_TRUE(doc.SaveTreeFile());  // nothing changed: nothing to write, no error
    chmod((dir / "d.Rnote").c_str(), 0644);
    EXPECT_EQ(ReadAll(dir / "d.Rnote"), S("a\nゴミ箱\n"));

    // Another program replaces the file: the change is kept unless the user says otherwise.
    WriteAll(dir / "d.Rnote", S("other\r\nゴミ箱\r\n"));
    doc.outline.AppendChild(nullptr, "b");
    EXPECT_FALSE(doc.SaveTreeFile());
    EXPECT_EQ(n.recorder.Of("yesno"),
              std::vector<std::string>{"ファイル \"" + (dir / "d.Rnote") +
                                       "\" は他のプログラムで変更されています。上書きしますか？"});
    EXPECT_EQ(view.changedElsewhere, 1);
    EXPECT_EQ(ReadAll(dir / "d.Rnote"), S("other\r\nゴミ箱\r\n"));
    n.recorder.answers = {true};
    EXPECT_TRUE(doc.SaveTreeFile());
    EXPECT_EQ(ReadAll(dir / "d.Rnote"), S("a\r\nゴミ箱\r\nb\r\n"));
    // Touched, or the same size within the clock's resolution: the content decides.
    std::filesystem::last_write_time(dir / "d.Rnote", std::filesystem::file_time_type::clock::now());
    doc.outline.AppendChild(nullptr, "c");
    EXPECT_TRUE(doc.SaveTreeFile());
    WriteAll(dir / "d.Rnote", S("x\r\nゴミ箱\r\nb\r\nc\r\n"));
    doc.outline.SetText(doc.outline.At(3), "d");
    EXPECT_FALSE(doc.SaveTreeFile());
    EXPECT_EQ(n.recorder.Of("yesno").size(), 3u);
    // Left out: the branch about to be removed.
    n.recorder.answers = {true};
    EXPECT_TRUE(doc.SaveTreeFile(doc.outline.At(0)));
    EXPECT_EQ(ReadAll(dir / "d.Rnote"), S("ゴミ箱\r\nb\r\nd\r\n"));
}

// A kill at any moment of a rename leaves the body under the name the Tree file lists.
TEST_F(DocumentTest, ARenamedBodyHasBothNamesWhileTheTreeFileIsWritten) {
    class LookingNotices : public test::RecordingNotices {
    public:
        explicit LookingNotices(const test::TempDir& dir) : dir_(dir) {}
        // Asked just before the Tree file is written.
        bool AskYesNo(const std::string& text) override {
            bothNames = Exists(dir_ / "旧.TXT") && Exists(dir_ / "新.TXT");
            return RecordingNotices::AskYesNo(text);
        }
        bool bothNames = false;

    private:
        const test::TempDir& dir_;
    } looking(dir);
    ScopedNotices scope(&looking);
    WriteAll(dir / "d.Rnote", S("旧.TXT\r\nゴミ箱\r\n"));
    WriteAll(dir / "旧.TXT", "body");
    ASSERT_EQ(doc.OpenTreeFile(dir / "d.Rnote"), kOpenDone);
    // Another program's change to the Tree file makes its write ask first: the moment to look.
    const std::string other = S("旧.TXT\r\nゴミ箱\r\n章\r\n");
    WriteAll(dir / "d.Rnote", other);
    EXPECT_EQ(doc.RenameNode(doc.outline.At(0), S("新.TXT")), RenameOutcome::NotSaved);
    EXPECT_TRUE(looking.bothNames);
    EXPECT_EQ(Texts(), "0:旧.TXT(T)|0:ゴミ箱(G)|");
    EXPECT_EQ(ReadAll(dir / "旧.TXT"), "body");
    EXPECT_FALSE(Exists(dir / "新.TXT"));
    EXPECT_EQ(ReadAll(dir / "d.Rnote"), other);

    looking.bothNames = false;
    looking.answers = {true};
    EXPECT_EQ(doc.RenameNode(doc.outline.At(0), S("新.TXT")), RenameOutcome::Renamed);
    EXPECT_TRUE(looking.bothNames);
    EXPECT_FALSE(Exists(dir / "旧.TXT"));
    EXPECT_EQ(ReadAll(dir / "新.TXT"), "body");
    EXPECT_EQ(ReadAll(dir / "d.Rnote"), S("新.TXT\r\nゴミ箱\r\n"));
}

TEST_F(DocumentTest, ReadOnlyTreeFileOpensWithTheTrashInMemoryOnly) {
    WriteAll(dir / "ro.Rnote", S("a\r\n"));
    chmod((dir / "ro.Rnote").c_str(), 0444);
    ASSERT_EQ(doc.OpenTreeFile(dir / "ro.Rnote"), kOpenDone);
    EXPECT_TRUE(n.recorder.Boxes().empty());
    EXPECT_EQ(Texts(), "0:a|0:ゴミ箱(G)|");
    EXPECT_TRUE(doc.readOnly);
    EXPECT_EQ(OpenResultMessage(kOpenDone, doc, ""), (dir / "ro.Rnote") + " を読み取り専用で開きました");
    EXPECT_TRUE(doc.SaveTreeFile());
    EXPECT_EQ(ReadAll(dir / "ro.Rnote"), S("a\r\n"));
    chmod((dir / "ro.Rnote").c_str(), 0644);
}

TEST_F(DocumentTest, NoTwoNodesNameOneBodyFile) {
    WriteAll(dir / "d.Rnote", S("f\r\nX.TXT\r\nゴミ箱\r\n"));
    WriteAll(dir / "file.TXT", "");
    ASSERT_EQ(doc.OpenTreeFile(dir / "d.Rnote"), kOpenDone);
    Node* folder = doc.outline.At(0);
    EXPECT_FALSE(doc.NameTaken("file.TXT", false, folder));  // a folder takes up a file no node names
    EXPECT_TRUE(doc.NameTaken("d.Rnote", false, folder));    // but never the Tree file
    EXPECT_TRUE(doc.NameTaken("file.TXT", true, nullptr));   // a text node no existing file
    EXPECT_TRUE(doc.NameTaken("X.TXT", true, nullptr));      // another node has it
    EXPECT_FALSE(doc.NameTaken("X.TXT", true, doc.outline.At(1)));
    EXPECT_FALSE(doc.NameTaken("f", false, nullptr));  // folders may share a text
    EXPECT_TRUE(doc.NameTaken("f", true, nullptr));
}

TEST_F(DocumentTest, CreateTreeFile) {
    doc.CreateTreeFile(dir / "doc");
    EXPECT_EQ(doc.treeFile, dir / "doc.RNOTE");
    EXPECT_EQ(ReadAll(dir / "doc.RNOTE"), S("ゴミ箱\r\n"));
    EXPECT_EQ(n.recorder.status, " " + (dir / "doc.RNOTE") + " 新規作成しました");
    EXPECT_EQ(Texts(), "0:ゴミ箱(G)|");

    doc.CreateTreeFile(dir / "doc.txt");
    EXPECT_EQ(n.recorder.status, " Treeﾌｧｲﾙ[ doc.txt ]拡張子エラー");
    EXPECT_FALSE(Exists(dir / "doc.txt"));

    doc.CreateTreeFile(dir / "doc.RNOTE");
    EXPECT_EQ(n.recorder.status, " Treeﾌｧｲﾙ[" + (dir / "doc.RNOTE") + "]は既に作成されています｡");
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(DocumentTest, RefreshNodeKindsFollowsTheDisk) {
    WriteAll(dir / "d.Rnote", S("memo.TXT\r\nゴミ箱\r\n"));
    ASSERT_EQ(doc.OpenTreeFile(dir / "d.Rnote"), kOpenDone);
    EXPECT_EQ(doc.outline.At(0)->kind, NodeKind::Folder);
    WriteAll(dir / "memo.TXT", "");
    view.selected = nullptr;
    doc.RefreshNodeKinds(0);
    EXPECT_EQ(doc.outline.At(0)->kind, NodeKind::Text);
    EXPECT_EQ(view.selected, doc.outline.At(0));
    std::filesystem::remove(dir / "memo.TXT");
    doc.RefreshNodeKinds(-1);
    EXPECT_EQ(doc.outline.At(0)->kind, NodeKind::Folder);
    EXPECT_EQ(doc.FindNodeByText("memo.TXT"), 0);
    EXPECT_EQ(doc.FindNodeByText("MEMO.TXT"), -1);
}

}  // namespace
}  // namespace rn
