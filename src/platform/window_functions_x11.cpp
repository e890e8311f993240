// SPDX-License-Identifier: MIT
// Qt first: Xlib defines macros (Bool, Status, None) that Qt's headers must not see.
#include <QGuiApplication>
#include <QWindow>

#include "platform/window_functions.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace rn {
namespace {

// The Motif window manager hints (_MOTIF_WM_HINTS): flags, functions, decorations, input mode, status.
constexpr unsigned long kHintFunctions = 1UL << 0;
constexpr unsigned long kHintDecorations = 1UL << 1;
constexpr unsigned long kFunctionResize = 1UL << 1;
constexpr unsigned long kFunctionMove = 1UL << 2;
constexpr unsigned long kFunctionMinimize = 1UL << 3;
constexpr unsigned long kFunctionMaximize = 1UL << 4;
constexpr unsigned long kFunctionClose = 1UL << 5;
constexpr unsigned long kDecorBorder = 1UL << 1;
constexpr unsigned long kDecorResizeHandle = 1UL << 2;
constexpr unsigned long kDecorTitle = 1UL << 3;
constexpr unsigned long kDecorMenu = 1UL << 4;
constexpr unsigned long kDecorMinimize = 1UL << 5;
constexpr unsigned long kDecorMaximize = 1UL << 6;

}  // namespace

void DeclareWindowFunctions(QWindow* window, const WindowFunctions& f) {
    if (!window || !qGuiApp || QGuiApplication::platformName() != QStringLiteral("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return;
    unsigned long functions = 0, decorations = kDecorBorder | kDecorTitle;
    if (f.move) functions |= kFunctionMove;
    if (f.resize) {
        functions |= kFunctionResize;
        decorations |= kDecorResizeHandle;
    }
    if (f.minimize) {
        functions |= kFunctionMinimize;
        decorations |= kDecorMinimize;
    }
    if (f.maximize) {
        functions |= kFunctionMaximize;
        decorations |= kDecorMaximize;
    }
    if (f.close) {
        functions |= kFunctionClose;
        decorations |= kDecorMenu;
    }
    long hints[5] = {static_cast<long>(kHintFunctions | kHintDecorations), static_cast<long>(functions),
                     static_cast<long>(decorations), 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", 0);
    XChangeProperty(display, static_cast<Window>(window->winId()), motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    XFlush(display);
}

}  // namespace rn
