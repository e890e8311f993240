// Moving nodes by dragging, the outline view's keys and its pop-up menu.
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "core/notices.h"
#include "gui/mainwin/body_editor.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/node_commands.h"
#include "gui/mainwin/outline_model.h"
#include "gui/mainwin/outline_view.h"

namespace rn::gui {

DropTarget NodeCommands::classifyDrop(const QPoint& pos) const {
    OutlineView* view = window_.outlineView();
    if (!view->viewport()->rect().contains(pos)) return {};
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid()) {
        // Below the last shown node there is room to drop a new last root.
        const QModelIndex last = view->lastVisibleIndex();
        if (!last.isValid() || pos.y() > view->visualRect(last).bottom()) return {DropPlace::LastRoot, nullptr};
        return {};
    }
    rn::Node* node = window_.outlineModel()->nodeAt(index);
    const QRect item = view->visualRect(index);
    if (pos.x() < item.left()) return {DropPlace::Before, node};
    if (pos.x() <= view->labelRight(index)) return {DropPlace::LastChild, node};
    return {};
}

bool NodeCommands::acceptsDragAt(const QPoint& pos, bool fromThisView) {
    rn::ClearStatus();
    window_.closeSearchResults();
    dragRefused_ = false;
    rn::Node* selected = window_.selectedNode();
    if (selected && selected->text == rn::kTrashText) {
        rn::ShowStatus("ゴミ箱は移動できません");
        dragRefused_ = true;
        return false;
    }
    return fromThisView && selected && classifyDrop(pos).place != DropPlace::Refused;
}

void NodeCommands::dropAt(const QPoint& pos) {
    if (dragRefused_) return;
    rn::ClearStatus();
    rn::Document& doc = window_.doc();
    rn::Node* selected = window_.selectedNode();
    const DropTarget target = classifyDrop(pos);
    if (!selected || target.place == DropPlace::Refused) return;
    rn::Node* parent = nullptr;
    int row = 0;
    switch (target.place) {
        case DropPlace::LastChild:
            parent = target.node;
            row = parent->ChildCount();
            break;
        case DropPlace::Before:
            parent = target.node->parent;
            row = target.node->row;
            break;
        default:
            parent = doc.outline.Root();
            row = parent->ChildCount();
            break;
    }
    // Body files never move.
    switch (moveAndSave(selected, parent, row)) {
        case MoveOutcome::IntoItself:
            rn::ShowStatus("ノード自身とその子ノードの中へは移動できません");
            return;
        case MoveOutcome::AlreadyThere:
            rn::ShowStatus("ノードは移動しませんでした");
            return;
        case MoveOutcome::NotSaved:
            return;
        case MoveOutcome::Moved:
            break;
    }
    if (parent != doc.outline.Root()) window_.outlineView()->expand(window_.outlineModel()->indexOf(parent));
    selectQuietly(selected);
    window_.bodyEditor().onCurrentNodeChanged(selected);
    rn::ShowStatus("ノードを移動しました");
}

NodeCommands::MoveOutcome NodeCommands::moveAndSave(rn::Node* node, rn::Node* parent, int row) {
    AppState& s = window_.state();
    rn::Document& doc = window_.doc();
    rn::Node* oldParent = node->parent;
    const int oldRow = node->row;
    ++s.selectionQuiet;
    const bool movable = doc.outline.Move(node, parent, row);
    --s.selectionQuiet;
    if (!movable) return MoveOutcome::IntoItself;
    if (node->parent == oldParent && node->row == oldRow) return MoveOutcome::AlreadyThere;
    if (doc.SaveTreeFile()) return MoveOutcome::Moved;
    ++s.selectionQuiet;
    doc.outline.MoveBack(node, oldParent, oldRow);
    --s.selectionQuiet;
    selectQuietly(node);
    return MoveOutcome::NotSaved;
}

bool NodeCommands::handleOutlineKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control) {
        ctrlArmed_ = true;
        return false;
    }
    // Armed by the Ctrl key-down, disarmed by the next key-down of any other key.
    const bool armed = ctrlArmed_;
    ctrlArmed_ = false;
    if (armed && event->key() == Qt::Key_Down) {
        addSiblingNode();
        return true;
    }
    if (armed && event->key() == Qt::Key_Right) {
        addChildNode();
        return true;
    }
    if (event->key() == Qt::Key_Insert) {
        insertNodeBefore();
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        deleteNode();
        return true;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 0x20 && !(event->modifiers() & Qt::ControlModifier))
        rn::ClearStatus();  // typing in the outline clears the message panel
    return false;
}

void NodeCommands::collapseAll() {
    OutlineView* view = window_.outlineView();
    view->collapseAll();
    // A selection hidden by the collapse moves to its visible ancestor, as for any collapse.
    rn::Node* selected = window_.selectedNode();
    rn::Node* root = selected;
    while (root && root->parent && root->parent->parent)
        root = root->parent;
    if (root && root != selected) window_.SelectNode(root);
}

void NodeCommands::expandAll() {
    window_.outlineView()->expandAll();
}

}  // namespace rn::gui
