// TNodeF, the node-name dialog: every command that needs a node name, a search key or the
// confirmation of a deletion asks through it. It lives for the whole run and keeps its position and
// the kind choice between showings.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rn::gui {

struct AppState;

class TNodeF : public QDialog {
    Q_OBJECT
public:
    TNodeF(QWidget* owner, AppState& state);

    // Shows the dialog modally in the mode `NodeDialogMode`; afterwards `DialogNodeName` holds the
    // confirmed name (empty when cancelled) and `DialogTextNode` the kind choice.
    void ShowModal();

    QLabel* Label1() const { return label1_; }
    QLineEdit* EditNM() const { return editNM_; }
    QRadioButton* RadioButton1() const { return radio1_; }
    QRadioButton* RadioButton2() const { return radio2_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QComboBox* ComboBox2() const { return combo2_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }

    void Button1Click();
    void Button2Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void FormActivate();
    void ApplyMode(int mode);

    AppState& state_;
    QLabel* label1_;
    QLineEdit* editNM_;
    QRadioButton* radio1_;
    QRadioButton* radio2_;
    QLabel* label3_;
    QLabel* label2_;
    QComboBox* combo2_;
    QPushButton* button1_;
    QPushButton* button2_;

    int rememberedTop_ = 0;
    int rememberedLeft_ = 0;
    std::string oldExtension_;
};

}  // namespace rn::gui
