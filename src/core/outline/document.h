// SPDX-License-Identifier: MIT
// The one open document: its Tree file, its directory and the outline. Opening, converting,
// creating and saving Tree files live here, and the node operations (node_operations.cpp).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/outline/outline.h"
#include "core/storage/file_stamp.h"

namespace rn {

inline constexpr const char* kNoTreeFile = "NULL";

// Result codes of OpenTreeFile.
enum OpenResult : int {
    kOpenConverted = 1,
    kOpenDone = 0,
    kOpenBadExtension = -1,
    kOpenConversionDeclined = -2,
    kOpenRenameFailed = -3,
    kOpenNoFile = -4,
    kOpenUnreadable = -5,  // the file could not be read completely; no document is open
};

// What the body editor holds: nothing, a body it edits, or a body in the trash it only shows. The
// search writes the code into its result lines.
enum EditorState : int { kNoBody = 0, kEditing = 1, kTrashView = 2 };

// What opening a document does to the window around it. The core knows no window.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // Hide the outline view while every node's kind is worked out, and show it again.
    virtual void SetOutlineUpdating(bool /*updating*/) {}
    // Select `node` in the outline view (the selection change runs as for any other selection).
    virtual void SelectNode(Node* /*node*/) {}
    virtual void FocusOutline() {}
    // Main window caption, UTF-8.
    virtual void SetCaption(const std::string& /*caption*/) {}
    // Initial directory of the open and save dialogs.
    virtual void SetDialogDirectory(const std::string& /*directory*/) {}
    // The user chose not to overwrite a Tree file that another program changed: once the command
    // that wanted to write it has ended, the document is read again.
    virtual void TreeFileChangedElsewhere() {}
};

// Where a new node goes, relative to a node of the outline.
enum class NodePlace { AfterSiblings, LastChild, Before };

enum class AddOutcome {
    Added,
    NameTaken,       // another node names that file, or (a folder) it is the Tree file
    TextNodeExists,  // a text node's file exists, or another text node has the name
    NotSaved,        // a write failed (the box has told why); nothing changed
};
struct AddResult {
    AddOutcome outcome = AddOutcome::NotSaved;
    Node* node = nullptr;  // the new node, when added
};

enum class RenameOutcome { Renamed, NameTaken, NotSaved };
enum class MoveOutcome { Moved, IntoItself, AlreadyThere, NotSaved };
enum class TrashMove {
    Moved,
    HoldsTheTrash,  // the first trash node lies in the branch itself (a hand-edited Tree file)
    NotSaved,
};

// What deleting a branch out of the trash did.
struct TrashDeletion {
    bool saved = false;                 // false: the Tree file could not be written; nothing changed
    int removedNodes = 0;               // nodes that left the outline
    int keptFiles = 0;                  // body files left because a node outside the branch names them
    std::vector<std::string> failures;  // files that could not be deleted (UTF-8); their nodes stayed
};

class Document {
public:
    Document();

    // ---- state ----
    std::string treeFile = kNoTreeFile;  // native path, or "NULL"
    std::string treeDir;                 // directory of the Tree file with a trailing "/"
    bool loadingOutline = false;         // while the outline is filled (selection changes do nothing)
    bool readOnly = false;               // the Tree file or its directory cannot be written
    Outline outline;

    bool IsOpen() const { return !treeFile.empty() && treeFile != kNoTreeFile; }

    void SetView(DocumentView* view) { view_ = view ? view : &noView_; }
    // Told of every completed open (the history puts the path at its top).
    std::function<void(const std::string& path)> onOpened;

    // ---- operations ----
    int OpenTreeFile(const std::string& path);
    void CreateTreeFile(std::string path);
    // Writes the outline to treeFile unless no document is open or the file already holds it. With
    // `without`, that node's branch is left out (it is about to be removed). A file that another
    // program changed since it was read or written is overwritten only when the user says so. False
    // after an error box or when the user declined: the outline's change must then be undone.
    bool SaveTreeFile(const Node* without = nullptr);
    // ---- node operations (node_operations.cpp) ----
    // Each does its file work, changes the outline and writes the Tree file, in the order that keeps
    // every body named by the Tree file on disk, whenever the program is killed; when a write fails
    // it undoes itself, and the outline and the disk are as they were. New and renamed nodes get
    // their kind from the disk.
    //
    // Adds the node `name` after the last sibling of `at`, as its last child, or before it. A text
    // node's empty body file exists before the node does.
    AddResult AddNode(Node* at, NodePlace place, const std::string& name, bool textNode);
    // Gives `node` the text `name`; a text node's body file takes the new name with it: it gets the
    // new name as a second link before the Tree file changes and loses the old one after (without
    // hard links it is renamed first). A folder may take up an existing file (see NameTaken).
    RenameOutcome RenameNode(Node* node, const std::string& name);
    // Moves `node` with its branch before child `row` of `parent` (the child count: last). Body
    // files never move.
    MoveOutcome MoveNode(Node* node, Node* parent, int row);
    // Moves `node` with its branch to the end of the trash.
    TrashMove MoveToTrash(Node* node);
    // Deletes `branch` (a node in the trash) with its body files for good: the Tree file first, then
    // the files, then the outline. A file that a node outside the branch also names is kept; a node
    // whose file cannot be deleted stays, with the nodes above it. `beforeRemoval` hears of each node
    // about to leave the outline with its branch.
    TrashDeletion DeleteFromTrash(Node* branch, const std::function<void(Node*)>& beforeRemoval = {});
    // index -1: every node's kind from the disk; otherwise that node's kind, then select it.
    void RefreshNodeKinds(int index);
    int FindNodeByText(std::string_view text) const;

    // ---- body files ----
    // Path of the body file a node text names in this document, or nullopt when the text cannot
    // name a file (a path separator, ".", "..", empty, or bytes that do not convert to Unicode and
    // back to themselves).
    std::optional<std::string> BodyPath(std::string_view nodeText) const;
    // Reads a body (line ends made CR LF). False after an error box or when the text names no file.
    bool LoadBody(std::string_view nodeText, std::string& bytes) const;
    // Writes a body, replacing the file. False after an error box.
    bool SaveBody(std::string_view nodeText, std::string_view bytes) const;
    // Whether the node text names an existing body file.
    bool BodyExists(std::string_view nodeText) const;
    // Kind of a node with this text from the disk.
    NodeKind KindFromDisk(std::string_view nodeText) const;
    // Whether `text` may not be given to a node (`self`, or null for a new one) because two nodes
    // would then name one body file. A text node may take no name of an existing file and none that
    // another node has; a folder may take the name of an existing file (and becomes a text node on
    // it) unless another node names that file or it is the Tree file.
    bool NameTaken(std::string_view text, bool textNode, const Node* self) const;

private:
    bool LoadOutlineFrom(const std::string& path, const std::string& dir);

    // What the Tree file holds: the outline as last read or written, and the file's stamp then.
    std::string treeSaved_;
    FileStamp treeStamp_;

    DocumentView noView_;
    DocumentView* view_ = &noView_;
};

// The status message the open command shows for a result of OpenTreeFile (empty for none).
std::string OpenResultMessage(int result, const Document& doc, const std::string& chosenPath);

// Body path for a tree directory and node text (see Document::BodyPath).
std::optional<std::string> BodyPathIn(const std::string& treeDir, std::string_view nodeText);

}  // namespace rn
