#include "gui/mainwin/outline_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace rn::gui {

OutlineView::OutlineView(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setUniformRowHeights(true);
    setCursor(Qt::PointingHandCursor);
    viewport()->setCursor(Qt::PointingHandCursor);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAutoScroll(true);
    setExpandsOnDoubleClick(true);
    setAnimated(false);
    // The selection stays visible when the view loses the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

void OutlineView::SetShowLines(bool on) {
    showLines_ = on;
    viewport()->update();
}

void OutlineView::SetShowButtons(bool on) {
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
