// The commands that change the outline: add, child add, insert, rename, move by dragging, delete
// (into the trash and out of it for good), and the outline view's keys and pop-up menu.
#pragma once

#include <QObject>
#include <QPoint>

class QKeyEvent;
class QMenu;

namespace rn {
struct Node;
}

namespace rn::gui {

class TFormTree;

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
    explicit NodeCommands(TFormTree& window);

    void ToolButtonCAddClick();
    void ToolButtonAddClick();
    void ToolButtonInsClick();
    // Creates the node `DialogNodeName` at placement 1 (after the last sibling), 2 (last child) or
    // 3 (before the selected node).
    bool AddNode(int placement);
    void MenuNodeReNameClick();
    void ToolButtonDelClick();

    // Drag and drop, by positions in the outline view's viewport.
    DropTarget ClassifyDrop(const QPoint& pos) const;
    bool TreeView1DragOver(const QPoint& pos, bool fromThisView);
    void TreeView1DragDrop(const QPoint& pos);

    // Keys of the outline view; true when the key was consumed.
    bool TreeView1KeyDown(QKeyEvent* event);
    void TreeView1KeyPress();
    bool CtrlArmed() const { return ctrlArmed_; }

    void TPM_Item1Click();
    void TPM_Item2Click();
    QMenu* PopupTreeMenu() const { return popup_; }

private:
    void AddCommand(int mode, int placement, const char* noSelection, const char* inTrash, const char* cancelled);
    // The selected node, or null after telling the user `noSelection`.
    rn::Node* SelectedOrSay(const char* noSelection);
    // Selects `node` without the selection change running (the command runs it itself afterwards).
    void SelectQuietly(rn::Node* node);

    TFormTree& w_;
    QMenu* popup_ = nullptr;
    bool ctrlArmed_ = false;
    bool dragRefused_ = false;
};

}  // namespace rn::gui
