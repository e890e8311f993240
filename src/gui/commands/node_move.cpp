// SPDX-License-Identifier: MIT
// Moving nodes by dragging, the outline view's keys and its pop-up menu.
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "core/notices.h"
#include "gui/commands/node_commands.h"
#include "gui/editor/body_editor.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"

namespace rn::gui {

DropTarget NodeCommands::classifyDrop(const QPoint& pos) const {
    const OutlineView* view = &outline_;
    if (!view->viewport()->rect().contains(pos)) return {};
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid()) {
        // Below the last shown node there is room to drop a new last root.
        const QModelIndex last = view->lastVisibleIndex();
        if (!last.isValid() || pos.y() > view->visualRect(last).bottom()) return {DropPlace::LastRoot, nullptr};
        return {};
    }
    rn::Node* node = static_cast<const OutlineModel*>(view->model())->nodeAt(index);
    const QRect item = view->visualRect(index);
    if (pos.x() < item.left()) return {DropPlace::Before, node};
    if (pos.x() <= view->labelRight(index)) return {DropPlace::LastChild, node};
    return {};
}

bool NodeCommands::acceptsDragAt(const QPoint& pos, bool fromThisView) {
    rn::ClearStatus();
    editor_.closeSearchResults();
    dragRefused_ = false;
    rn::Node* selected = outline_.selectedNode();
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
    rn::Node* selected = outline_.selectedNode();
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
            parent = doc_.outline.Root();
            row = parent->ChildCount();
            break;
    }
    rn::MoveOutcome moved = rn::MoveOutcome::NotSaved;
    {
        QuietSelection quiet(outline_);
        moved = doc_.MoveNode(selected, parent, row);
        if (moved == rn::MoveOutcome::NotSaved) outline_.selectNode(selected);
    }
    switch (moved) {
        case rn::MoveOutcome::IntoItself:
            rn::ShowStatus("ノード自身とその子ノードの中へは移動できません");
            return;
        case rn::MoveOutcome::AlreadyThere:
            rn::ShowStatus("ノードは移動しませんでした");
            return;
        case rn::MoveOutcome::NotSaved:
            return;
        case rn::MoveOutcome::Moved:
            break;
    }
    if (parent != doc_.outline.Root()) outline_.expandNode(parent);
    selectQuietly(outline_, selected);
    editor_.onCurrentNodeChanged(selected);
    rn::ShowStatus("ノードを移動しました");
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
    outline_.collapseAll();
    // A selection hidden by the collapse moves to its visible ancestor, as for any collapse.
    rn::Node* selected = outline_.selectedNode();
    rn::Node* root = selected;
    while (root && root->parent && root->parent->parent)
        root = root->parent;
    if (root && root != selected) outline_.selectNode(root);
}

void NodeCommands::expandAll() {
    outline_.expandAll();
}

}  // namespace rn::gui
