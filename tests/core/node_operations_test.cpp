// SPDX-License-Identifier: MIT
// The document's node operations: what each does to the outline, the Tree file and the body files,
// and that a failed write leaves both exactly as they were.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/outline/document.h"
#include "core/outline/treefile.h"
#include "core/storage/write_fault.h"
#include "test_support.h"

namespace rn {
namespace {

using test::Exists;
using test::ReadAll;
using test::S;
using test::WriteAll;

// 0 序.TXT / 1 章 / 2   節.TXT / 3 ゴミ箱 / 4   古.TXT
const char* const kTree = "序.TXT\r\n章\r\n\t節.TXT\r\nゴミ箱\r\n\t古.TXT\r\n";

class NodeOperationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* body : {"序.TXT", "節.TXT", "古.TXT", "残り.TXT"})
            WriteAll(dir / body, S(body));
        WriteAll(dir / "d.Rnote", S(kTree));
        ASSERT_EQ(doc.OpenTreeFile(dir / "d.Rnote"), kOpenDone);
    }
    Node* At(int index) const { return doc.outline.At(index); }
    std::string Tree() const { return Cp932ToUtf8(ReadAll(dir / "d.Rnote")); }
    std::string Outline() const { return Cp932ToUtf8(SerializeOutline(doc.outline)); }

    test::WithNotices n;
    test::TempDir dir;
    Document doc;
};

TEST_F(NodeOperationsTest, AddPlacesTheNodeAndMakesATextNodesBody) {
    struct Case {
        int at;
        NodePlace place;
        const char* name;
        bool textNode;
        AddOutcome outcome;
        const char* tree;  // after the operation (or as before)
    };
    const Case cases[] = {
        {1, NodePlace::LastChild, "新.TXT", true, AddOutcome::Added, "序.TXT|章|\t節.TXT|\t新.TXT|ゴミ箱|\t古.TXT|"},
        {0, NodePlace::Before, "前", false, AddOutcome::Added, "前|序.TXT|章|\t節.TXT|\t新.TXT|ゴミ箱|\t古.TXT|"},
        {2, NodePlace::AfterSiblings, "後", false, AddOutcome::Added,
         "前|序.TXT|章|\t節.TXT|\t新.TXT|ゴミ箱|\t古.TXT|後|"},
        // A folder takes up a file no node names; a text node never lands on one.
        {0, NodePlace::Before, "残り.TXT", false, AddOutcome::Added,
         "残り.TXT|前|序.TXT|章|\t節.TXT|\t新.TXT|ゴミ箱|\t古.TXT|後|"},
        {0, NodePlace::Before, "序.TXT", true, AddOutcome::TextNodeExists, nullptr},
        {0, NodePlace::Before, "序.TXT", false, AddOutcome::NameTaken, nullptr},
        {0, NodePlace::Before, "d.Rnote", false, AddOutcome::NameTaken, nullptr},
    };
    std::string tree = Tree();
    for (const Case& c : cases) {
        const AddResult r = doc.AddNode(At(c.at), c.place, S(c.name), c.textNode);
        EXPECT_EQ(r.outcome, c.outcome) << c.name;
        if (c.tree) {
            tree = c.tree;
            for (std::size_t at = tree.find('|'); at != std::string::npos; at = tree.find('|', at + 2))
                tree.replace(at, 1, "\r\n");
            ASSERT_TRUE(r.node);
            EXPECT_EQ(r.node->IsText(), c.textNode || std::string(c.name) == "残り.TXT") << c.name;
        }
        EXPECT_EQ(Tree(), tree) << c.name;
    }
    EXPECT_EQ(ReadAll(dir / "新.TXT"), "");
    EXPECT_EQ(ReadAll(dir / "残り.TXT"), S("残り.TXT"));
}

TEST_F(NodeOperationsTest, RenameTakesTheBodyWithItAndRefusesASecondNameForAFile) {
    EXPECT_EQ(doc.RenameNode(At(0), S("始め.TXT")), RenameOutcome::Renamed);
    EXPECT_EQ(ReadAll(dir / "始め.TXT"), S("序.TXT"));
    EXPECT_FALSE(Exists(dir / "序.TXT"));
    EXPECT_EQ(doc.RenameNode(At(1), S("残り.TXT")), RenameOutcome::Renamed);  // a folder takes up the file
    EXPECT_TRUE(At(1)->IsText());
    for (const char* taken : {"節.TXT", "d.Rnote"})
        EXPECT_EQ(doc.RenameNode(At(0), S(taken)), RenameOutcome::NameTaken) << taken;
    EXPECT_EQ(Tree(), "始め.TXT\r\n残り.TXT\r\n\t節.TXT\r\nゴミ箱\r\n\t古.TXT\r\n");
}

TEST_F(NodeOperationsTest, MovesAndTheTrash) {
    EXPECT_EQ(doc.MoveNode(At(1), At(2), 0), MoveOutcome::IntoItself);
    EXPECT_EQ(doc.MoveNode(At(0), doc.outline.Root(), 0), MoveOutcome::AlreadyThere);
    EXPECT_EQ(doc.MoveNode(At(0), At(1), 1), MoveOutcome::Moved);
    EXPECT_EQ(Tree(), "章\r\n\t節.TXT\r\n\t序.TXT\r\nゴミ箱\r\n\t古.TXT\r\n");
    EXPECT_EQ(doc.MoveToTrash(At(0)), TrashMove::Moved);
    EXPECT_EQ(Tree(), "ゴミ箱\r\n\t古.TXT\r\n\t章\r\n\t\t節.TXT\r\n\t\t序.TXT\r\n");
    // Body files never move.
    EXPECT_EQ(ReadAll(dir / "序.TXT"), S("序.TXT"));
    EXPECT_EQ(doc.MoveToTrash(At(0)), TrashMove::HoldsTheTrash);
}

TEST_F(NodeOperationsTest, DeletingOutOfTheTrashRemovesTheBranchAndItsBodies) {
    std::vector<Node*> leaving;
    const TrashDeletion done = doc.DeleteFromTrash(At(4), [&](Node* node) { leaving.push_back(node); });
    EXPECT_TRUE(done.saved);
    EXPECT_EQ(done.removedNodes, 1);
    EXPECT_EQ(leaving.size(), 1u);
    EXPECT_FALSE(Exists(dir / "古.TXT"));
    EXPECT_EQ(Tree(), "序.TXT\r\n章\r\n\t節.TXT\r\nゴミ箱\r\n");
}

// Every operation against a disk that fails: the Tree file and the bodies keep their bytes, the
// outline is as it was, and the outcome says it was not saved.
TEST_F(NodeOperationsTest, AFailedWriteUndoesEveryOperation) {
    const struct {
        const char* what;
        std::function<bool(Document&)> notSaved;
        WriteFault fault;
    } operations[] = {
        {"add text, body",
         [](Document& d) {
             return d.AddNode(d.outline.At(0), NodePlace::Before, S("新.TXT"), true).outcome == AddOutcome::NotSaved;
         },
         {WriteStep::kRename, 1, EIO}},
        {"add text, Tree file",
         [](Document& d) {
             return d.AddNode(d.outline.At(0), NodePlace::Before, S("新.TXT"), true).outcome == AddOutcome::NotSaved;
         },
         {WriteStep::kRename, 2, EIO}},
        {"add folder",
         [](Document& d) {
             return d.AddNode(d.outline.At(1), NodePlace::LastChild, S("新"), false).outcome == AddOutcome::NotSaved;
         },
         {WriteStep::kWrite, 1, ENOSPC, 3}},
        {"rename",
         [](Document& d) { return d.RenameNode(d.outline.At(0), S("始め.TXT")) == RenameOutcome::NotSaved; },
         {WriteStep::kFsync, 1, EIO}},
        {"move",
         [](Document& d) { return d.MoveNode(d.outline.At(0), d.outline.At(1), 0) == MoveOutcome::NotSaved; },
         {WriteStep::kWrite, 1, ENOSPC}},
        {"into the trash",
         [](Document& d) { return d.MoveToTrash(d.outline.At(1)) == TrashMove::NotSaved; },
         {WriteStep::kRename, 1, EIO}},
        {"out of the trash",
         [](Document& d) { return !d.DeleteFromTrash(d.outline.At(4)).saved; },
         {WriteStep::kWrite, 1, ENOSPC}},
    };
    const auto disk = test::Snapshot(dir.path());
    const std::string outline = Outline();
    for (const auto& op : operations) {
        InjectWriteFault(op.fault);
        EXPECT_TRUE(op.notSaved(doc)) << op.what;
        EXPECT_TRUE(WriteFaultHappened()) << op.what;
        InjectWriteFault(std::nullopt);
        EXPECT_EQ(test::Snapshot(dir.path()), disk) << op.what;
        EXPECT_EQ(Outline(), outline) << op.what;
        EXPECT_EQ(n.recorder.Of("error").size(), 1u) << op.what;
        n.recorder.Clear();
    }
}

}  // namespace
}  // namespace rn
