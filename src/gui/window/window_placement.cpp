// SPDX-License-Identifier: MIT
#include "gui/window/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace rn::gui {
namespace {

// Room for a title bar and borders, which are not yet known when the window is placed.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 32;
// The smallest client area in which the outline, the editor and the status bar can be used.
constexpr int kMinWidth = 240;
constexpr int kMinHeight = 160;
// How much of the title bar must be on one screen for the user to take hold of the window.
constexpr int kGrip = 64;
constexpr int kMinPanelWidth = 100;
constexpr int kMinEditorWidth = 60;

bool reachable(QPoint framePos, int width, const QRect& screen) {
    const QRect titleBar(framePos, QSize(width + kFrameWidth, kFrameHeight / 2));
    const QRect shown = titleBar.intersected(screen);
    return shown.height() == titleBar.height() && shown.width() >= qMin(kGrip, titleBar.width());
}

}  // namespace

StartPlacement fitToScreens(int left, int top, int width, int height, QPoint defaultPos, QSize defaultSize,
                            const QList<QRect>& available, const QRect& primary) {
    const QSize size = width > 0 && height > 0 ? QSize(width, height) : defaultSize;
    // The screen the window goes on sets the largest size; the primary one when it goes nowhere.
    const QRect* screen = nullptr;
    if (!(left == -1 && top == -1)) {  // -1 and -1: both keys missing
        for (const QRect& s : available) {
            if (reachable(QPoint(left, top), qMin(size.width(), s.width()), s)) {
                screen = &s;
                break;
            }
        }
    }
    const QRect& area = screen ? *screen : primary;
    StartPlacement p;
    const int maxWidth = area.width() - kFrameWidth;
    const int maxHeight = area.height() - kFrameHeight;
    p.size = QSize(qMax(qMin(kMinWidth, maxWidth), qMin(size.width(), maxWidth)),
                   qMax(qMin(kMinHeight, maxHeight), qMin(size.height(), maxHeight)));
    if (screen) {
        p.framePos = QPoint(left, top);
    } else if (reachable(defaultPos, p.size.width(), primary)) {
        p.framePos = defaultPos;
    } else {
        p.framePos = QPoint(primary.left() + (primary.width() - p.size.width() - kFrameWidth) / 2,
                            primary.top() + (primary.height() - p.size.height() - kFrameHeight) / 2);
    }
    return p;
}

StartPlacement fitToConnectedScreens(int left, int top, int width, int height, QPoint defaultPos, QSize defaultSize) {
    QList<QRect> available;
    for (const QScreen* s : QGuiApplication::screens())
        available << s->availableGeometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect primaryArea = primary ? primary->availableGeometry() : QRect(0, 0, 1024, 768);
    if (available.isEmpty()) available << primaryArea;
    return fitToScreens(left, top, width, height, defaultPos, defaultSize, available, primaryArea);
}

int fitPanelWidth(int width, int windowWidth) {
    return qMax(kMinPanelWidth, qMin(width, windowWidth - kMinEditorWidth));
}

void moveFrameTo(QWidget& window, QPoint framePos) {
    // Before the window exists on screen, a move gives the window system the frame's position. Once
    // it exists, the widget would turn the position into a client position with a frame it may not
    // know yet; the window handle passes the frame position on as it is.
    if (window.testAttribute(Qt::WA_WState_Created) && window.windowHandle()) {
        window.windowHandle()->setFramePosition(framePos);
    } else {
        window.move(framePos);
    }
}

}  // namespace rn::gui
