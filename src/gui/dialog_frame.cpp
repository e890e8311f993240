// SPDX-License-Identifier: MIT
#include "gui/dialog_frame.h"

#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include "platform/window_functions.h"

namespace rn::gui {
namespace {

class TitleBarGuard : public QObject {
public:
    TitleBarGuard(QDialog& dialog, bool closeBox) : QObject(&dialog), dialog_(dialog), closeBox_(closeBox) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &dialog_) return false;
        if (event->type() == QEvent::Show) {
            // Before the window appears: window managers read the hints when it does.
            rn::DeclareWindowFunctions(dialog_.windowHandle(), {.move = true, .resize = true, .close = closeBox_});
        } else if (event->type() == QEvent::WindowStateChange &&
                   (dialog_.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
            QTimer::singleShot(0, &dialog_, [this] {
                dialog_.setWindowState(Qt::WindowNoState);
                if (dialog_.isVisible()) dialog_.showNormal();
            });
        }
        return false;
    }

private:
    QDialog& dialog_;
    bool closeBox_;
};

}  // namespace

void setTitleBarButtons(QDialog& dialog, TitleBarButtons buttons) {
    const bool closeBox = buttons == TitleBarButtons::CloseOnly;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeBox) flags |= Qt::WindowCloseButtonHint;
    dialog.setWindowFlags(flags);
    dialog.installEventFilter(new TitleBarGuard(dialog, closeBox));
}

}  // namespace rn::gui
