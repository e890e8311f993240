// SPDX-License-Identifier: MIT
#include "gui/window/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace rn::gui {
namespace {

constexpr int kSize = 16;

QPixmap blankPixmap() {
    QPixmap p(kSize, kSize);
    p.fill(Qt::transparent);
    return p;
}

QPixmap folderPixmap(bool open) {
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.drawRect(QRectF(1.5, 2.5, 5, 2));
    if (open) {
        QPainterPath lid;
        lid.moveTo(3.5, 7.5);
        lid.lineTo(15.5, 7.5);
        lid.lineTo(13.5, 13.5);
        lid.lineTo(1.5, 13.5);
        lid.closeSubpath();
        p.setBrush(QColor(255, 230, 140));
        p.drawPath(lid);
    }
    return pm;
}

QPixmap pagePixmap(bool selected) {
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 10, 13));
    p.setPen(selected ? QColor(30, 90, 220) : QColor(150, 150, 150));
    for (int y = 4; y <= 12; y += 2)
        p.drawLine(4, y, 11, y);
    if (selected) {
        p.setPen(QPen(QColor(200, 60, 30), 2));
        p.drawLine(9, 14, 14, 9);
    }
    return pm;
}

QPixmap trashPixmap() {
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(70, 70, 70));
    p.setBrush(QColor(190, 190, 200));
    p.drawRect(QRectF(3.5, 4.5, 9, 10));
    p.drawRect(QRectF(2.5, 2.5, 11, 2));
    p.drawLine(QPointF(6, 6.5), QPointF(6, 13));
    p.drawLine(QPointF(8, 6.5), QPointF(8, 13));
    p.drawLine(QPointF(10, 6.5), QPointF(10, 13));
    return pm;
}

QPixmap letterPixmap(const QString& text, const QColor& colour) {
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f = p.font();
    f.setPixelSize(text.size() > 1 ? 8 : 12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
    return pm;
}

QPixmap withMark(QPixmap base, const QString& mark, const QColor& colour) {
    QPainter p(&base);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(8, 8, 8, 8));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(8);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(8, 8, 8, 8), Qt::AlignCenter, mark);
    return base;
}

}  // namespace

QIcon nodeIcon(rn::NodeKind kind) {
    static const QIcon text = [] {
        QIcon i(pagePixmap(false));
        i.addPixmap(pagePixmap(true), QIcon::Selected);
        return i;
    }();
    static const QIcon folder = [] {
        QIcon i(folderPixmap(false));
        i.addPixmap(folderPixmap(true), QIcon::Selected);
        return i;
    }();
    static const QIcon trash = [] {
        QIcon i(trashPixmap());
        i.addPixmap(trashPixmap(), QIcon::Selected);
        return i;
    }();
    switch (kind) {
        case rn::NodeKind::Text:
            return text;
        case rn::NodeKind::Trash:
            return trash;
        case rn::NodeKind::Folder:
            break;
    }
    return folder;
}

QIcon makeToolIcon(ToolIcon which) {
    const QColor green(30, 140, 60), red(200, 40, 40), blue(30, 80, 200);
    switch (which) {
        case ToolIcon::Add:
            return QIcon(withMark(pagePixmap(false), QStringLiteral("+"), green));
        case ToolIcon::AddChild:
            return QIcon(withMark(folderPixmap(false), QStringLiteral("+"), green));
        case ToolIcon::Insert:
            return QIcon(withMark(pagePixmap(false), QStringLiteral("↑"), blue));
        case ToolIcon::Delete:
            return QIcon(withMark(pagePixmap(false), QStringLiteral("×"), red));
        case ToolIcon::Print:
            return QIcon(letterPixmap(QStringLiteral("印"), QColor(60, 60, 60)));
        case ToolIcon::NewTree:
            return QIcon(withMark(folderPixmap(false), QStringLiteral("+"), blue));
        case ToolIcon::OpenTree:
            return QIcon(folderPixmap(true));
        case ToolIcon::Tab:
            return QIcon(letterPixmap(QStringLiteral("TAB"), blue));
        case ToolIcon::Wrap:
            return QIcon(letterPixmap(QStringLiteral("↵"), blue));
        case ToolIcon::Split:
            return QIcon(letterPixmap(QStringLiteral("⊟"), blue));
        case ToolIcon::Search:
            return QIcon(letterPixmap(QStringLiteral("検"), QColor(60, 60, 60)));
        case ToolIcon::Settings:
            return QIcon(letterPixmap(QStringLiteral("設"), QColor(60, 60, 60)));
        case ToolIcon::App:
            break;
    }
    QPixmap pm = pagePixmap(true);
    return QIcon(withMark(pm, QStringLiteral("R"), blue));
}

}  // namespace rn::gui
