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

class MainWindow;

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
    explicit NodeCommands(MainWindow& window);

    void addSiblingNode();
    void addChildNode();
    void insertNodeBefore();
    // Creates the node `nameDialog.name` at placement 1 (after the last sibling), 2 (last child) or
    // 3 (before the selected node).
    bool addNode(int placement);
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
    enum class MoveOutcome { IntoItself, AlreadyThere, NotSaved, Moved };
    // Moves `node` with its branch before child `row` of `parent` and writes the Tree file; when the
    // write fails the node goes back to its place.
    MoveOutcome moveAndSave(rn::Node* node, rn::Node* parent, int row);
    void runAddCommand(int mode, int placement, const char* noSelection, const char* inTrash, const char* cancelled);
    // The selected node, or null after telling the user `noSelection`.
    rn::Node* selectedOrTell(const char* noSelection);
    // Selects `node` without the selection change running (the command runs it itself afterwards).
    void selectQuietly(rn::Node* node);
    // Shows the node-name dialog in `mode` for `node`, whatever an earlier showing left behind.
    // True when the user confirmed a name (in nameDialog.name).
    bool askNodeName(int mode, rn::Node* node);

    MainWindow& window_;
    QMenu* contextMenu_ = nullptr;
    bool ctrlArmed_ = false;
    bool dragRefused_ = false;
};

}  // namespace rn::gui
