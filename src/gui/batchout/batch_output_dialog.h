// SPDX-License-Identifier: MIT
// The batch output dialog: the output and table-of-contents files, the branch to write, numbering,
// separator, indentation, page breaks and separator lines, and the button that starts a run. It is
// created for each use, shown modally and destroyed when it closes; its settings are read from
// BTxtOut.Ini when it opens and written back, all keys at once, however it is closed.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/batchout/batch_output.h"
#include "core/batchout/btxtout_settings.h"
#include "core/outline/outline.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;
class QToolButton;

namespace rn {
class Document;
class Notices;
class ScopedNotices;
}  // namespace rn

namespace rn::gui {

class BodyTextEdit;
class OutlineModel;
class OutlineView;
class ProgressStatusBar;
class Prompts;
class SteppedNumberField;

class BatchOutputDialog : public QDialog {
    Q_OBJECT
public:
    struct Source {
        const rn::Document* doc = nullptr;         // Tree file, its directory and the outline to copy
        const OutlineView* outlineView = nullptr;  // the main window's tree: expansion and look (optional)
        std::string settingsPath;                  // BTxtOut.Ini
    };

    BatchOutputDialog(QWidget* owner, Prompts& prompts, const Source& source);
    ~BatchOutputDialog() override;

    const rn::BatchOutputSettings& settings() const { return settings_; }
    // The separator lines as they stand in Memo1 (CP932).
    std::vector<std::string> separatorLines() const;
    bool busy() const { return busy_; }
    QString statusText() const;

    OutlineView* treeView() const { return treeView_; }
    ProgressStatusBar* statusBar() const { return statusBar_; }
    QProgressBar* progressBar() const;

    // "テキスト一括出力": one run with the dialog as it stands.
    void runOutput();

protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class BatchRunProgress;

    void buildWidgets();
    QWidget* buildControls(QWidget* parent);
    void connectHandlers();
    void copyOutline(const rn::Outline& from, const OutlineView* fromView);
    void loadSettings();
    void saveSettings();
    void refreshLists();

    void onTreeSelectionChanged();
    void onAllToggled(bool checked);
    void setStartNode(const rn::Node* node);
    void chooseOutputFile();
    void chooseTocFile();
    void prepareOutputField(QLineEdit* field, rn::OutputField which);
    void onPageBreaksToggled(bool checked);
    void onPageLengthEdited();
    void onTocToggled(bool checked);
    void setStatus(const QString& text);

    void setBusy(bool busy);
    bool isInputForThisDialog(QObject* watched, QEvent* event) const;

    Prompts& prompts_;
    std::unique_ptr<rn::Notices> notices_;
    std::unique_ptr<rn::ScopedNotices> noticesScope_;

    std::string treeFile_;  // as the document had it when the dialog opened ("NULL" when none)
    std::string treeDir_;
    bool documentOpen_ = false;
    std::string settingsPath_;
    rn::BatchOutputSettings settings_;
    rn::Outline outline_;                        // the dialog's own copy
    std::vector<rn::OutputNode> nodes_;          // the same in document order, for the run
    std::vector<std::string> loadedSeparators_;  // SEPA as read, so unchanged lines keep their bytes
    std::optional<rn::StartNode> start_;         // the node chosen while "ALL" is off
    QString saveDirectory_;                      // where the save dialog starts
    bool busy_ = false;
    bool closing_ = false;
    bool settingsSaved_ = false;

    QSplitter* splitter_ = nullptr;
    OutlineModel* treeModel_ = nullptr;
    OutlineView* treeView_ = nullptr;
    ProgressStatusBar* statusBar_ = nullptr;

    QLabel* inputLabel_ = nullptr;         // Label1
    QLabel* outputLabel_ = nullptr;        // Label2
    QLineEdit* outputEdit_ = nullptr;      // Edit1
    QToolButton* outputButton_ = nullptr;  // Button1
    QCheckBox* allCheck_ = nullptr;        // CheckBox1
    QLabel* startLabel_ = nullptr;         // Label3
    QLineEdit* startEdit_ = nullptr;       // Edit2
    QLabel* styleLabel_ = nullptr;         // Label4
    QComboBox* styleCombo_ = nullptr;      // ComboBox1
    QComboBox* levelCombo_ = nullptr;      // ComboBox2
    QComboBox* formatCombo_ = nullptr;     // ComboBox3
    QGroupBox* deeperGroup_ = nullptr;     // RadioGroup1
    QButtonGroup* deeperButtons_ = nullptr;
    QCheckBox* separatorCheck_ = nullptr;       // CheckBox5
    QLabel* separatorLabel_ = nullptr;          // Label7
    QLineEdit* separatorEdit_ = nullptr;        // Edit3
    QCheckBox* indentCheck_ = nullptr;          // CheckBox4
    QLabel* indentLabel_ = nullptr;             // Label5
    QLineEdit* indentEdit_ = nullptr;           // Edit4
    QLabel* indentHint_ = nullptr;              // Label6
    QLabel* indentMaxLabel_ = nullptr;          // Label9
    SteppedNumberField* indentMax_ = nullptr;   // SpinEdit2 with UpDown1
    QLineEdit* indentMaxEdit_ = nullptr;        // SpinEdit2
    QCheckBox* bodyIndentCheck_ = nullptr;      // CheckBox6
    QCheckBox* pageCheck_ = nullptr;            // CheckBox2
    QLabel* pageLabel_ = nullptr;               // Label8
    SteppedNumberField* pageLength_ = nullptr;  // SpinEdit1 with UpDown2
    QLineEdit* pageEdit_ = nullptr;             // SpinEdit1
    BodyTextEdit* separatorMemo_ = nullptr;     // Memo1
    QCheckBox* tocCheck_ = nullptr;             // CheckBox3
    QLineEdit* tocEdit_ = nullptr;              // Edit5
    QToolButton* tocButton_ = nullptr;          // Button2
    QPushButton* runButton_ = nullptr;          // Edit
    QPushButton* cancelButton_ = nullptr;       // Button3
};

}  // namespace rn::gui
