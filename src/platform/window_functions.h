// SPDX-License-Identifier: MIT
// What the window manager may offer on a window's title bar and menu. Qt says only part of it (on
// X11 it leaves the functions out of the Motif hints unless a close box is asked for): this says all
// of it, to window managers that listen.
#pragma once

#include <cstdint>

class QWindow;

namespace rn {

struct WindowFunctions {
    bool move = true;
    bool resize = true;
    bool minimize = false;
    bool maximize = false;
    bool close = false;
};

// Declares `functions` for the native window, which must exist and should not be shown yet (window
// managers read the hints when a window appears). Does nothing where there is no such hint.
void DeclareWindowFunctions(QWindow* window, const WindowFunctions& functions);

}  // namespace rn
