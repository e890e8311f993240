// SPDX-License-Identifier: MIT
// Where top-level windows go. Positions are those of the window's outer frame, sizes those of its
// client area: the window manager tells the frame only after the window is on screen, so a frame
// position is handed to the window system before the window first appears, and then it places the
// frame itself.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace rn::gui {

// The main window's built-in place: its frame's top-left corner and its client size.
inline constexpr QPoint kMainWindowFramePos{684, 221};
inline constexpr QSize kMainWindowSize{449, 461};

// The main window's place at start: its frame's top-left corner and its client size.
struct StartPlacement {
    QPoint framePos;
    QSize size;
    bool operator==(const StartPlacement&) const = default;
};

// Fits a stored position and client size (missing values are -1) to the screens' available areas:
// the size at most what the screen can show and not smaller than the narrowest usable window; the
// position only when the title bar would be reachable on one of the screens (a screen left of or
// above the primary one has negative coordinates); otherwise `defaultPos` when that is reachable on
// the primary screen, else centred on it.
StartPlacement fitToScreens(int left, int top, int width, int height, QPoint defaultPos, QSize defaultSize,
                            const QList<QRect>& available, const QRect& primary);

// The same against the screens connected now.
StartPlacement fitToConnectedScreens(int left, int top, int width, int height, QPoint defaultPos, QSize defaultSize);

// The outline pane's width within a window of client width `windowWidth`: at least 100, and leaving
// the editor room.
int fitPanelWidth(int width, int windowWidth);

// Puts the frame's top-left corner of a top-level window at `framePos`.
void moveFrameTo(QWidget& window, QPoint framePos);

}  // namespace rn::gui
