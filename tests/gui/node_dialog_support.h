// SPDX-License-Identifier: MIT
// Answering the modal node-name dialog from a test: the script runs inside the dialog's own event
// loop, on the real widgets, as soon as the dialog is shown.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "gui/tree/node_dialog.h"

namespace rn::test {

// Arms `script` for the next showing of the dialog.
inline void OnNodeDialog(rn::gui::NodeNameDialog& dialog, std::function<void(rn::gui::NodeNameDialog&)> script) {
    QTimer::singleShot(0, &dialog, [&dialog, script] {
        if (!dialog.isVisible()) qFatal("the node dialog was not shown");
        script(dialog);
        // Whatever the script did, the dialog must not stay open and block the test.
        if (dialog.isVisible()) qFatal("the node dialog is still open after the script");
    });
}

// Types `name`, picks the kind and confirms.
inline void AnswerNodeDialog(rn::gui::NodeNameDialog& dialog, const QString& name, bool textNode = true) {
    OnNodeDialog(dialog, [name, textNode](rn::gui::NodeNameDialog& d) {
        d.nameEdit()->setText(name);
        (textNode ? d.textNodeButton() : d.folderNodeButton())->setChecked(true);
        d.okButton()->click();
    });
}

// Confirms as the dialog stands (deletion, rename to the shown name).
inline void ConfirmNodeDialog(rn::gui::NodeNameDialog& dialog) {
    OnNodeDialog(dialog, [](rn::gui::NodeNameDialog& d) { d.okButton()->click(); });
}

inline void CancelNodeDialog(rn::gui::NodeNameDialog& dialog) {
    OnNodeDialog(dialog, [](rn::gui::NodeNameDialog& d) { d.cancelButton()->click(); });
}

}  // namespace rn::test
