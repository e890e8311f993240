// SPDX-License-Identifier: MIT
// Driving the modal batch output dialog from a test: opened through its menu item, with a script
// run inside the dialog's own event loop.
#pragma once

#include <QPushButton>
#include <QTimer>
#include <functional>

#include "gui/batchout/batch_output_dialog.h"
#include "gui_support.h"

namespace rn::test {

// Opens the dialog through its menu item and runs `script` inside the dialog's own event loop; the
// dialog is closed with "キャンセル" unless the script closed it.
inline void WithDialog(MainWindowFixture& f, const std::function<void(rn::gui::BatchOutputDialog&)>& script) {
    bool ran = false;
    QTimer::singleShot(0, &f.w(), [&] {
        auto* d = f.w().findChild<rn::gui::BatchOutputDialog*>(QStringLiteral("BTxtOutF"));
        if (!d || !d->isVisible() || !d->isModal()) qFatal("the batch output dialog is not shown modally");
        script(*d);
        ran = true;
        if (d->isVisible()) d->findChild<QPushButton*>(QStringLiteral("Button3"))->click();
    });
    f.Trigger("MenuToolBO");
    if (!ran) qFatal("the dialog script did not run");
    if (f.w().findChild<rn::gui::BatchOutputDialog*>(QStringLiteral("BTxtOutF"))) qFatal("the dialog outlived its use");
}

// The dialog's widget of that objectName.
template <typename T>
T* W(QWidget& d, const char* name) {
    T* w = d.findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("no widget %s", name);
    return w;
}

}  // namespace rn::test
