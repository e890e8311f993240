// SPDX-License-Identifier: MIT
// Qt first: Xlib defines macros (Bool, Status, None) that Qt's headers must not see.
#include <QGuiApplication>

#include "platform/lock_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace rn {

LockKeyState CurrentLockKeys() {
    LockKeyState state;
    if (!qGuiApp || QGuiApplication::platformName() != QStringLiteral("xcb")) return state;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return state;
    auto named = [display](const char* name) {
        Atom atom = XInternAtom(display, name, 1);
        int on = 0;
        if (atom == 0 || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
        return on != 0;
    };
    state.capsLock = named("Caps Lock");
    state.numLock = named("Num Lock");
    return state;
}

}  // namespace rn
