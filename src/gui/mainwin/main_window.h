// TFormTree, the main window: builds the widgets and wires their signals to the command families.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "core/tree/document.h"
#include "gui/gui_notices.h"
#include "gui/mainwin/app_state.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QSystemTrayIcon;
class QToolBar;

namespace rn::gui {

class BodyEditor;
class HistoryMenu;
class NodeCommands;
class TEnvironmentF;
class TNodeF;
class StartupExit;
class MemoEdit;
class OutlineModel;
class OutlineView;
class Prompts;
class ResidentMode;
class StatusPanels;
class TreeFileCommands;

class TFormTree : public QMainWindow, public rn::DocumentView {
    Q_OBJECT
public:
    struct Options {
        Prompts* prompts = nullptr;  // null: the real boxes and dialogs
        QString programDirectory;    // empty: the executable's directory
        QStringList arguments;       // command-line arguments after the program name
    };

    explicit TFormTree(const Options& options);
    ~TFormTree() override;

    AppState& state() { return state_; }
    rn::Document& doc() { return state_.doc; }
    Prompts& prompts() { return *prompts_; }
    void SetPrompts(Prompts* prompts);

    OutlineView* TreeView1() const { return treeView_; }
    OutlineModel* outlineModel() const { return model_; }
    MemoEdit* MemoM() const { return memoM_; }
    MemoEdit* MemoF() const { return memoF_; }
    StatusPanels* StatusBar1() const { return status_; }
    QWidget* PanelTree() const { return panelTree_; }
    QSplitter* Splitter1() const { return splitter1_; }
    QSplitter* Splitter2() const { return splitter2_; }
    QSystemTrayIcon* TrayIcon1() const;
    QMenu* TreeMenu() const { return menuTree_; }
    ResidentMode& resident() { return *resident_; }
    TreeFileCommands& treeFiles() { return *treeFiles_; }
    BodyEditor& editor() { return *editor_; }
    HistoryMenu& historyMenu() { return *historyMenu_; }
    NodeCommands& nodes() { return *nodes_; }
    TNodeF& nodeDialog() { return *nodeF_; }
    TEnvironmentF& environmentDialog() { return *environmentF_; }
    StartupExit& startupExit() { return *startupExit_; }

    // Shared steps of the commands: write the body being edited; end a search result list.
    // False when the body being edited could not be written (the error has been shown): a command
    // that would replace or forget the editor's text must stop then.
    bool SaveCurrentBody();
    void SearchOffIfResults();

    // Status panel 1 (messages) and the width rule of the four panels.
    void SetMessage(const QString& text);
    void SetStatusPanelWidths();
    void SetTreePanelWidth(int width);

    // Whether a close request hides the program instead of ending it.
    bool ResidentModeOn() const { return state_.settings.Ramblenote.ExePConSW; }
    void SetResidentModeOn(bool on) { state_.settings.Ramblenote.ExePConSW = on; }

    // Start-up (first activation) and the exit sequence.
    void FormActivate();
    void FormDestroy();
    bool ExitDone() const { return exitDone_; }

    // rn::DocumentView
    void SetOutlineUpdating(bool updating) override;
    void SelectNode(rn::Node* node) override;
    void FocusOutline() override;
    void SetCaption(const std::string& caption) override;
    void SetDialogDirectory(const std::string& directory) override;

    // The node currently selected in the outline view, or null.
    rn::Node* SelectedNode() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate(const Options& options);
    void BuildWidgets();
    void BuildActions();
    template <typename F>
    QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, F handler);
    template <typename F>
    QAction* AddToolButton(const char* name, const QString& hint, const QIcon& icon, F handler);

    AppState state_;
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts* prompts_ = nullptr;
    std::unique_ptr<GuiNotices> notices_;
    rn::Notices* previousNotices_ = nullptr;

    OutlineModel* model_ = nullptr;
    OutlineView* treeView_ = nullptr;
    QWidget* panelTree_ = nullptr;
    QSplitter* splitter1_ = nullptr;
    QWidget* panelMa_ = nullptr;
    QWidget* panelMemo_ = nullptr;
    QSplitter* splitter2_ = nullptr;
    MemoEdit* memoM_ = nullptr;
    MemoEdit* memoF_ = nullptr;
    StatusPanels* status_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* menuTree_ = nullptr;

    std::unique_ptr<ResidentMode> resident_;
    std::unique_ptr<TreeFileCommands> treeFiles_;
    BodyEditor* editor_ = nullptr;
    HistoryMenu* historyMenu_ = nullptr;
    NodeCommands* nodes_ = nullptr;
    TNodeF* nodeF_ = nullptr;
    TEnvironmentF* environmentF_ = nullptr;
    std::unique_ptr<StartupExit> startupExit_;

    bool shownOnce_ = false;
    int treePanelWidth_ = 185;
    bool activationPending_ = false;
    bool exitDone_ = false;
};

}  // namespace rn::gui
