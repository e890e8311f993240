#include "gui/mainwin/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace rn::gui {
namespace {

constexpr int kSize = 16;

QPixmap Blank() {
    QPixmap p(kSize, kSize);
    p.fill(Qt::transparent);
    return p;
}

QPixmap Folder(bool open) {
    QPixmap pm = Blank();
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

QPixmap Page(bool selected) {
    QPixmap pm = Blank();
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

QPixmap Bin() {
    QPixmap pm = Blank();
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

QPixmap Letter(const QString& text, const QColor& colour) {
    QPixmap pm = Blank();
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

QPixmap Overlay(QPixmap base, const QString& mark, const QColor& colour) {
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

QIcon NodeIcon(rn::NodeKind kind) {
    static const QIcon text = [] {
        QIcon i(Page(false));
        i.addPixmap(Page(true), QIcon::Selected);
        return i;
    }();
    static const QIcon folder = [] {
        QIcon i(Folder(false));
        i.addPixmap(Folder(true), QIcon::Selected);
        return i;
    }();
    static const QIcon trash = [] {
        QIcon i(Bin());
        i.addPixmap(Bin(), QIcon::Selected);
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

QIcon MakeToolIcon(ToolIcon which) {
    const QColor green(30, 140, 60), red(200, 40, 40), blue(30, 80, 200);
    switch (which) {
        case ToolIcon::Add:
            return QIcon(Overlay(Page(false), QStringLiteral("+"), green));
        case ToolIcon::AddChild:
            return QIcon(Overlay(Folder(false), QStringLiteral("+"), green));
        case ToolIcon::Insert:
            return QIcon(Overlay(Page(false), QStringLiteral("↑"), blue));
        case ToolIcon::Delete:
            return QIcon(Overlay(Page(false), QStringLiteral("×"), red));
        case ToolIcon::Print:
            return QIcon(Letter(QStringLiteral("印"), QColor(60, 60, 60)));
        case ToolIcon::NewTree:
            return QIcon(Overlay(Folder(false), QStringLiteral("+"), blue));
        case ToolIcon::OpenTree:
            return QIcon(Folder(true));
        case ToolIcon::Tab:
            return QIcon(Letter(QStringLiteral("TAB"), blue));
        case ToolIcon::Wrap:
            return QIcon(Letter(QStringLiteral("↵"), blue));
        case ToolIcon::Split:
            return QIcon(Letter(QStringLiteral("⊟"), blue));
        case ToolIcon::Search:
            return QIcon(Letter(QStringLiteral("検"), QColor(60, 60, 60)));
        case ToolIcon::Settings:
            return QIcon(Letter(QStringLiteral("設"), QColor(60, 60, 60)));
        case ToolIcon::App:
            break;
    }
    QPixmap pm = Page(true);
    return QIcon(Overlay(pm, QStringLiteral("R"), blue));
}

}  // namespace rn::gui
