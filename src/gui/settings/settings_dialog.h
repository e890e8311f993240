// SPDX-License-Identifier: MIT
// The settings dialog "Ramblenote環境設定": edits the settings record on six pages chosen from a page
// list. Appearance changes are previewed on the main window while it is open; OK copies every control
// into the record and applies it, Cancel shows the unchanged record again. The settings file is
// written only when the program ends. The dialog lives for the whole run and keeps its page.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPalette>
#include <functional>

#include "core/settings/settings.h"

class QCheckBox;
class QComboBox;
class QValidator;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace rn::gui {

class BodyTextEdit;
class ColorListBox;
class OutlineView;
class Prompts;
class ReleaseCheckBox;
class SteppedNumberField;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Edits `settings`; previews on the outline and the two editor panes of `owner`, the main window;
    // `applySettings` applies the record to them (OK).
    SettingsDialog(QWidget* owner, rn::Settings& settings, Prompts& prompts, OutlineView& outline, BodyTextEdit& editor,
                   BodyTextEdit& lowerPane, const QString& dialogDirectory, std::function<void()> applySettings);

    // "環境設定": empties the message panel, loads the controls from the record and shows the dialog
    // modally, centred on the main window.
    void showModal();
    // OK (also Enter).
    void confirm();
    // ｷｬﾝｾﾙ (also Esc).
    void reject() override;

    // Index of the page shown (0 to 5; 6 and 7 are never shown).
    int currentPage() const;

private:
    // The controls of one pane's font and colours.
    struct PaneControls {
        QComboBox* font = nullptr;
        SteppedNumberField* size = nullptr;
        ColorListBox* color = nullptr;
        ColorListBox* background = nullptr;
        QWidget* target = nullptr;  // the main window's widget they preview on
    };

    void buildPageList();
    // A validator for a text field stored as CP932: what CP932 cannot hold is left out, with a box.
    QValidator* storableText();
    QWidget* addPage(const char* name, const QString& title, QGridLayout*& grid);
    void buildUserPage();
    void buildStartPage();
    void buildTreePage();
    void buildMemoPage();
    void buildLowerPage();
    void buildOthersPage();
    // objectNames of a pane's controls.
    struct PaneNames {
        const char* font;
        const char* size;
        const char* arrows;
        const char* color;
        const char* background;
    };
    // Font, size and the two colour lists of a pane, in rows `row` and `row` + 1 of the page's grid.
    void addPaneControls(QGridLayout* grid, int row, PaneControls& pane, const PaneNames& names, bool systemColors);
    QCheckBox* addCheckBox(QGridLayout* grid, int row, const char* name, const QString& caption);
    void showPageOf(QTreeWidgetItem* entry);

    void loadFromRecord();
    void storeIntoRecord();
    void loadPane(PaneControls& pane, const rn::PaneFontSettings& from);
    static void storePane(const PaneControls& pane, rn::PaneFontSettings& into);
    void choosePrintProgram();

    // The previews (settings_previews.cpp): each writes a control's value straight into the main
    // window's widget, never into the record.
    void connectPreviews();
    void connectPanePreviews(const PaneControls& pane);
    void previewTabInput();
    void previewWrap();
    void previewTabWidth();
    // What the previews may change on the main window, as it was when the dialog opened: Cancel puts
    // it back exactly (applying the record again would not, while the record holds no values yet).
    struct ShownBefore {
        struct Pane {
            QFont font;
            QPalette palette;
            qreal tabStops = 0;
            bool tabChangesFocus = false;
            Qt::ScrollBarPolicy horizontal = Qt::ScrollBarAsNeeded;
        };
        Pane tree, editor, lower;
        bool rootDecorated = false, lines = false, buttons = false;
    };
    void rememberShown();
    void restoreShown();

    rn::Settings& settings_;
    Prompts& prompts_;
    OutlineView& outline_;
    BodyTextEdit& editor_;
    BodyTextEdit& lowerPane_;
    const QString& dialogDirectory_;
    std::function<void()> applySettings_;
    ShownBefore shownBefore_;
    bool loading_ = false;  // controls are being loaded: nothing is previewed

    QTreeWidget* pageList_ = nullptr;
    QStackedWidget* pages_ = nullptr;

    QLineEdit* userName_ = nullptr;
    SteppedNumberField* historyCount_ = nullptr;
    QCheckBox* treeOpen_ = nullptr;
    QCheckBox* docMovement_ = nullptr;
    QCheckBox* resident_ = nullptr;
    QCheckBox* rootButtons_ = nullptr;
    QCheckBox* treeLines_ = nullptr;
    QCheckBox* expandButtons_ = nullptr;
    PaneControls tree_;
    PaneControls memo_;
    PaneControls lower_;
    SteppedNumberField* tabWidth_ = nullptr;
    ReleaseCheckBox* tabInput_ = nullptr;
    ReleaseCheckBox* wordWrap_ = nullptr;
    ReleaseCheckBox* followEditor_ = nullptr;
    QLineEdit* printProgram_ = nullptr;
};

}  // namespace rn::gui
