// The node-name dialog: every command that needs a node name, a search key or the
// confirmation of a deletion asks through it. It lives for the whole run and keeps its position and
// the kind choice between showings.
#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rn::gui {

struct AppState;

class NodeNameDialog : public QDialog {
    Q_OBJECT
public:
    NodeNameDialog(QWidget* owner, AppState& state);

    // Shows the dialog modally in the mode `nameDialog.mode`; afterwards `nameDialog.name` holds the
    // confirmed name (empty when cancelled) and `nameDialog.textNode` the kind choice.
    void showModal();

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
    void applyMode(int mode);

    AppState& state_;
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
