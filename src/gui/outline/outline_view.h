// SPDX-License-Identifier: MIT
// The outline view: a plain Qt tree view with the program's look; the commands that react
// to its keys, drags and selection live elsewhere and connect to its signals.
#pragma once

#include <QTreeView>
#include <functional>

#include "gui/outline/outline_selection.h"

namespace rn::gui {

class OutlineView : public QTreeView, public OutlineSelection {
    Q_OBJECT
public:
    explicit OutlineView(QWidget* parent = nullptr);

    // OutlineSelection (the model is an OutlineModel)
    rn::Node* selectedNode() const override;
    void selectNode(rn::Node* node) override;
    void expandNode(rn::Node* node) override;
    void focusOutline() override;

    // Dotted lines between nodes and the [+]/[-] expand buttons, each shown or not.
    void setShowLines(bool on);
    void setShowButtons(bool on);
    bool showLines() const { return showLines_; }
    bool showButtons() const { return showButtons_; }

    // The last node shown (its ancestors expanded), or an invalid index for an empty outline.
    QModelIndex lastVisibleIndex() const;
    // Right edge of a node's label (icon and text), in viewport coordinates.
    int labelRight(const QModelIndex& index) const;

    // Drag and drop are decided by the node commands: `dragOver` answers whether a drop at a point is
    // accepted (and whether the drag started in this view), `drop` carries it out.
    std::function<bool(const QPoint&, bool)> dragOver;
    std::function<void(const QPoint&)> drop;

signals:
    // Every key-down; set `handled` to consume the key.
    void keyDown(QKeyEvent* event, bool& handled);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool showLines_ = true;
    bool showButtons_ = true;
};

}  // namespace rn::gui
