// SPDX-License-Identifier: MIT
// The commands that change the outline: add, child add, insert, rename, move by dragging, delete
// (into the trash and out of it for good), and the outline view's keys and pop-up menu. The rules
// and the files are the document's (rn::Document's node operations); these commands ask for the
// name, choose what is selected and shown, and say what happened.
#pragma once

#include <QObject>
#include <QPoint>

#include "core/outline/document.h"
#include "core/outline/node_names.h"

class QKeyEvent;
class QMenu;
class QWidget;

namespace rn::gui {

class BodyEditor;
class NodeNameDialog;
class OutlineView;

// Where a drop at a point of the outline view would put the dragged node.
enum class DropPlace {
    Refused,    // outside the view, right of a label
    LastChild,  // on a node's icon or label
    Before,     // on a node's expand button or indentation
    LastRoot,   // in the empty area below the last node
};

struct DropTarget {
    DropPlace place = DropPlace::Refused;
    rn::Node* node = nullptr;
};

class NodeCommands : public QObject {
    Q_OBJECT
public:
    NodeCommands(rn::Document& doc, OutlineView& outline, BodyEditor& editor, NodeNameDialog& dialog, QWidget* parent);

    void addSiblingNode();
    void addChildNode();
    void insertNodeBefore();
    void renameNode();
    void deleteNode();

    // Drag and drop, by positions in the outline view's viewport.
    DropTarget classifyDrop(const QPoint& pos) const;
    bool acceptsDragAt(const QPoint& pos, bool fromThisView);
    void dropAt(const QPoint& pos);

    // Keys of the outline view; true when the key was consumed.
    bool handleOutlineKey(QKeyEvent* event);
    bool ctrlArmed() const { return ctrlArmed_; }

    // The outline view's context menu.
    void collapseAll();
    void expandAll();
    QMenu* contextMenu() const { return contextMenu_; }

private:
    struct AddCommand {
        rn::NameMode mode;
        rn::NodePlace place;
        const char* noSelection;
        const char* inTrash;
        const char* cancelled;
    };
    void runAddCommand(const AddCommand& command);
    // The selected node, or null after telling the user `noSelection`.
    rn::Node* selectedOrTell(const char* noSelection);
    // After a node operation: the editor goes to `node` (the selection change runs for it).
    void showNode(rn::Node* node);
    void moveIntoTrash(rn::Node* node, const std::string& shownName);
    void deleteOutOfTrash(rn::Node* node, const std::string& shownName);

    rn::Document& doc_;
    OutlineView& outline_;
    BodyEditor& editor_;
    NodeNameDialog& dialog_;
    QMenu* contextMenu_ = nullptr;
    bool ctrlArmed_ = false;
    bool dragRefused_ = false;
};

}  // namespace rn::gui
