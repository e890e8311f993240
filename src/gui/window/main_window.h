// SPDX-License-Identifier: MIT
// The main window: builds the widgets and wires their signals to the command families.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "core/outline/document.h"
#include "gui/gui_notices.h"
#include "gui/window/app_state.h"
#include "gui/window/startup_exit.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QSystemTrayIcon;
class QToolBar;

namespace rn::gui {

class BatchOutputCommands;
class BodyEditor;
class HistoryMenu;
class NodeCommands;
class SettingsDialog;
class NodeNameDialog;
class StartupExit;
class BodyTextEdit;
class OutlineModel;
class OutlineView;
class Prompts;
class ResidentMode;
class SearchCommands;
class StatusPanels;
class TreeFileCommands;
class HelpCommands;
class PrintCommands;

class MainWindow : public QMainWindow, public rn::DocumentView, public WindowFrame {
    Q_OBJECT
public:
    struct Options {
        Prompts* prompts = nullptr;  // null: the real boxes and dialogs
        QString programDirectory;    // empty: the executable's directory
        QStringList arguments;       // command-line arguments after the program name
    };

    explicit MainWindow(const Options& options);
    ~MainWindow() override;

    AppState& state() { return state_; }
    rn::Document& doc() { return state_.doc; }
    Prompts& prompts() { return *prompts_; }
    void setPrompts(Prompts* prompts);

    OutlineView* outlineView() const { return outlineView_; }
    OutlineModel* outlineModel() const { return outlineModel_; }
    BodyTextEdit* editor() const { return editor_; }
    BodyTextEdit* lowerPane() const { return lowerPane_; }
    StatusPanels* statusPanels() const { return statusPanels_; }
    QWidget* outlinePanel() const { return outlinePanel_; }
    QSplitter* mainSplitter() const { return mainSplitter_; }
    QSplitter* editorSplitter() const { return editorSplitter_; }
    QSystemTrayIcon* trayIcon() const;
    QMenu* treeMenu() const { return treeMenu_; }
    ResidentMode& residentMode() { return *residentMode_; }
    TreeFileCommands& treeFileCommands() { return *treeFileCommands_; }
    HelpCommands& helpCommands() { return *helpCommands_; }
    PrintCommands& printCommands() { return *printCommands_; }
    BatchOutputCommands& batchOutputCommands() { return *batchOutputCommands_; }
    BodyEditor& bodyEditor() { return *bodyEditor_; }
    HistoryMenu& historyMenu() { return *historyMenu_; }
    NodeCommands& nodeCommands() { return *nodeCommands_; }
    SearchCommands& searchCommands() { return *searchCommands_; }
    NodeNameDialog& nodeDialog() { return *nodeDialog_; }
    SettingsDialog& settingsDialog() { return *settingsDialog_; }
    StartupExit& startupExit() { return *startupExit_; }

    // Status panel 1 (messages) and the width rule of the four panels.
    void setMessage(const QString& text);
    void setOutlinePanelWidth(int width);
    // Where the frame's corner was when the window was last neither maximised nor minimised.
    QPoint normalFramePosition() const { return normalFramePos_; }

    // Whether a close request hides the program instead of ending it.
    bool residentModeOn() const { return state_.settings.Ramblenote.ExePConSW; }
    void setResidentModeOn(bool on) { state_.settings.Ramblenote.ExePConSW = on; }

    // Start-up (first activation) and the exit sequence.
    void runStartup();
    // False when the user chose to keep the program running (only asked when `mayStay`).
    bool runExit(bool mayStay = false);
    bool exitDone() const { return exitDone_; }
    // A later start of the program named this Tree file: it is opened as the open command would open
    // it (the body and the outline written first), and the window comes to the front. While a dialog
    // is open or a long command runs, the open waits for it.
    void openRequestedFile(const QString& path);
    // The exit for a termination signal: nobody may be there to answer a box, so what cannot be
    // saved goes to a rescue file and every problem is told on stderr. Then the window closes.
    void endOnSignal();

    // WindowFrame
    rn::WindowGeometry currentGeometry() const override;
    void applyGeometry(const rn::WindowGeometry& g) override;
    void applySettings() override;
    void setStatusPanelWidths() override;

    // rn::DocumentView
    void SetOutlineUpdating(bool updating) override;
    void SelectNode(rn::Node* node) override;
    void FocusOutline() override;
    void SetCaption(const std::string& caption) override;
    void SetDialogDirectory(const std::string& directory) override;
    void TreeFileChangedElsewhere() override;

    // The node currently selected in the outline view, or null.
    rn::Node* selectedNode() const;

    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setUp(const Options& options);
    void buildWidgets();
    void buildActions();
    template <typename F>
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, F handler);
    template <typename F>
    QAction* addToolButton(const char* name, const QString& hint, const QIcon& icon, F handler);

    AppState state_;
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts* prompts_ = nullptr;
    std::unique_ptr<GuiNotices> notices_;
    rn::Notices* previousNotices_ = nullptr;

    OutlineModel* outlineModel_ = nullptr;
    OutlineView* outlineView_ = nullptr;
    QWidget* outlinePanel_ = nullptr;
    QSplitter* mainSplitter_ = nullptr;
    QWidget* editorArea_ = nullptr;
    QWidget* editorPanel_ = nullptr;
    QSplitter* editorSplitter_ = nullptr;
    BodyTextEdit* editor_ = nullptr;
    BodyTextEdit* lowerPane_ = nullptr;
    StatusPanels* statusPanels_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* treeMenu_ = nullptr;

    std::unique_ptr<ResidentMode> residentMode_;
    std::unique_ptr<TreeFileCommands> treeFileCommands_;
    std::unique_ptr<HelpCommands> helpCommands_;
    std::unique_ptr<PrintCommands> printCommands_;
    std::unique_ptr<BatchOutputCommands> batchOutputCommands_;
    BodyEditor* bodyEditor_ = nullptr;
    HistoryMenu* historyMenu_ = nullptr;
    NodeCommands* nodeCommands_ = nullptr;
    SearchCommands* searchCommands_ = nullptr;
    NodeNameDialog* nodeDialog_ = nullptr;
    SettingsDialog* settingsDialog_ = nullptr;
    std::unique_ptr<StartupExit> startupExit_;

    QPoint normalFramePos_;
    bool shownOnce_ = false;
    int outlinePanelWidth_ = 185;
    bool startupPending_ = false;
    bool exitDone_ = false;
    bool reloadPending_ = false;
};

}  // namespace rn::gui
