// SPDX-License-Identifier: MIT
// The title-bar buttons of the program's dialogs.
#pragma once

class QDialog;

namespace rn::gui {

enum class TitleBarButtons { None, CloseOnly };

// Gives `dialog` a title bar with these buttons and no others: the window flags for Qt, and the whole
// set of window functions for window managers that read them. A window manager that offers to
// minimise or maximise the dialog all the same is undone at once: a minimised modal dialog would
// take the whole program off the screen, and a maximised one would open stretched the next time.
void setTitleBarButtons(QDialog& dialog, TitleBarButtons buttons);

}  // namespace rn::gui
