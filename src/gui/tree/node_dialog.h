// SPDX-License-Identifier: MIT
// The node-name dialog: every command that needs a node name, a search key or the
// confirmation of a deletion asks through it. It lives for the whole run and keeps its position and
// the kind choice between showings.
#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>
#include <string>
#include <string_view>

#include "core/outline/node_names.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rn::gui {

// What the user confirmed in the dialog.
struct NameAnswer {
    std::string name;      // CP932: the node name or search key after the name checks
    bool textNode = true;  // the kind chosen for a new node
};

class NodeNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit NodeNameDialog(QWidget* owner);

    // Shows the dialog modally in `mode`; the rename and delete modes show `current` (the selected
    // node's text, CP932). Nothing when the user cancelled.
    std::optional<NameAnswer> ask(rn::NameMode mode, std::string_view current = {});

    QLabel* promptLabel() const { return promptLabel_; }
    QLineEdit* nameEdit() const { return nameEdit_; }
    QRadioButton* textNodeButton() const { return textNodeButton_; }
    QRadioButton* folderNodeButton() const { return folderNodeButton_; }
    QLabel* styleLabel() const { return styleLabel_; }
    QLabel* detailLabel() const { return detailLabel_; }
    QComboBox* styleCombo() const { return styleCombo_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    void confirm();
    void cancel();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void prepareToShow();
    void applyMode();

    rn::NameMode mode_ = rn::NameMode::Add;
    std::string current_;
    std::optional<NameAnswer> answer_;
    QLabel* promptLabel_;
    QLineEdit* nameEdit_;
    QRadioButton* textNodeButton_;
    QRadioButton* folderNodeButton_;
    QLabel* detailLabel_;
    QLabel* styleLabel_;
    QComboBox* styleCombo_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;

    // Puts the dialog where it was last closed, or centred on the main window.
    void place();

    // Where the dialog's client area was when it was last closed, per coordinate; none where its
    // frame was at 0.
    std::optional<int> rememberedLeft_;
    std::optional<int> rememberedTop_;
    // The client area's offset within the frame, as last seen.
    std::optional<QPoint> frameOffset_;
    std::string oldExtension_;
};

}  // namespace rn::gui
