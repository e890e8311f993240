// SPDX-License-Identifier: MIT
#include "gui/outline/outline_view.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "gui/outline/outline_model.h"

namespace rn::gui {

rn::Node* OutlineView::selectedNode() const {
    const auto* outline = qobject_cast<const OutlineModel*>(model());
    return outline ? outline->nodeAt(currentIndex()) : nullptr;
}

void OutlineView::selectNode(rn::Node* node) {
    const auto* outline = qobject_cast<const OutlineModel*>(model());
    const QModelIndex index = outline ? outline->indexOf(node) : QModelIndex();
    if (!index.isValid()) return;
    // A node inside collapsed branches is shown by opening them.
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        expand(p);
    setCurrentIndex(index);
    scrollTo(index);
}

void OutlineView::expandNode(rn::Node* node) {
    if (const auto* outline = qobject_cast<const OutlineModel*>(model())) expand(outline->indexOf(node));
}

void OutlineView::focusOutline() {
    setFocus();
}

OutlineView::OutlineView(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setUniformRowHeights(true);
    // A long node name scrolls sideways instead of being cut short with an ellipsis.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    header()->setResizeContentsPrecision(0);
    setCursor(Qt::PointingHandCursor);
    viewport()->setCursor(Qt::PointingHandCursor);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAutoScroll(true);
    setExpandsOnDoubleClick(true);
    setAnimated(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setDefaultDropAction(Qt::MoveAction);
    // A collapse that hides the selected node selects the node that was collapsed.
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& collapsedIndex) {
        for (QModelIndex p = currentIndex().parent(); p.isValid(); p = p.parent()) {
            if (p == collapsedIndex) {
                setCurrentIndex(collapsedIndex);
                break;
            }
        }
    });
    // The selection stays visible when the view loses the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

void OutlineView::resizeEvent(QResizeEvent* event) {
    // The column is never narrower than the view, so the selection bar of a short name still runs
    // across the whole panel.
    header()->setMinimumSectionSize(viewport()->width());
    QTreeView::resizeEvent(event);
}

void OutlineView::setShowLines(bool on) {
    showLines_ = on;
    viewport()->update();
}

void OutlineView::setShowButtons(bool on) {
    showButtons_ = on;
    viewport()->update();
}

void OutlineView::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    const int indent = indentation();
    if (indent <= 0) return;
    // Each column of the indentation belongs to one ancestor level; the last one to the item itself.
    const int columns = rect.width() / indent;
    if (columns <= 0) return;
    const int midY = rect.top() + rect.height() / 2;
    auto columnLeft = [&](int c) { return rect.left() + c * indent; };
    auto hasNextSibling = [this](const QModelIndex& i) { return i.sibling(i.row() + 1, 0).isValid(); };

    painter->save();
    if (showLines_) {
        QPen pen(palette().color(QPalette::Mid));
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        const int own = columns - 1;
        const int cx = columnLeft(own) + indent / 2;
        painter->drawLine(cx, midY, columnLeft(own) + indent - 2, midY);
        const bool first = !index.parent().isValid() && index.row() == 0;
        painter->drawLine(cx, first ? midY : rect.top(), cx, hasNextSibling(index) ? rect.bottom() : midY);
        QModelIndex ancestor = index.parent();
        for (int c = own - 1; c >= 0 && ancestor.isValid(); --c, ancestor = ancestor.parent()) {
            if (!hasNextSibling(ancestor)) continue;
            const int ax = columnLeft(c) + indent / 2;
            painter->drawLine(ax, rect.top(), ax, rect.bottom());
        }
    }
    if (showButtons_ && model()->hasChildren(index)) {
        const int cx = columnLeft(columns - 1) + indent / 2;
        const QRect box(cx - 4, midY - 4, 8, 8);
        painter->setPen(palette().color(QPalette::Dark));
        painter->setBrush(palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(palette().color(QPalette::Text));
        painter->drawLine(box.left() + 2, midY, box.right() - 2, midY);
        if (!isExpanded(index)) painter->drawLine(cx, box.top() + 2, cx, box.bottom() - 2);
    }
    painter->restore();
}

QModelIndex OutlineView::lastVisibleIndex() const {
    if (!model()) return {};
    const int rows = model()->rowCount();
    if (rows == 0) return {};
    QModelIndex last = model()->index(rows - 1, 0);
    while (isExpanded(last) && model()->rowCount(last) > 0)
        last = model()->index(model()->rowCount(last) - 1, 0, last);
    return last;
}

int OutlineView::labelRight(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.index = index;
    option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.icon = index.data(Qt::DecorationRole).value<QIcon>();
    option.text = index.data(Qt::DisplayRole).toString();
    option.decorationSize = iconSize().isValid() ? iconSize() : QSize(16, 16);
    const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    return text.left() + fontMetrics().horizontalAdvance(option.text) + 4;
}

void OutlineView::dragEnterEvent(QDragEnterEvent* event) {
    // Only a drag that started here is taken; the decision per position comes with every move.
    if (event->source() == this) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void OutlineView::dragMoveEvent(QDragMoveEvent* event) {
    const bool accepted = dragOver && dragOver(event->position().toPoint(), event->source() == this);
    if (accepted) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void OutlineView::dropEvent(QDropEvent* event) {
    if (drop) drop(event->position().toPoint());
    // The move is done; the view must not remove anything itself afterwards.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void OutlineView::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    emit keyDown(event, handled);
    if (handled) {
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

}  // namespace rn::gui
