// SPDX-License-Identifier: MIT
#include "gui/window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/notices.h"
#include "core/settings/program.h"
#include "core/settings/resdir.h"
#include "core/storage/files.h"
#include "gui/commands/batch_output_commands.h"
#include "gui/commands/count_command.h"
#include "gui/commands/help_commands.h"
#include "gui/commands/history_menu.h"
#include "gui/commands/node_commands.h"
#include "gui/commands/pdf_output_commands.h"
#include "gui/commands/print_command.h"
#include "gui/commands/search_commands.h"
#include "gui/commands/tree_file_commands.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"
#include "gui/settings/settings_dialog.h"
#include "gui/tree/node_dialog.h"
#include "gui/window/appearance.h"
#include "gui/window/icons.h"
#include "gui/window/resident.h"
#include "gui/window/startup_exit.h"
#include "gui/window/status_panels.h"
#include "gui/window/window_placement.h"

namespace rn::gui {
namespace {

// How often a Tree file another start asked for is tried again while a dialog is open.
constexpr int kRetryOpenMs = 300;

QFont windowFont() {
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPixelSize(12);
    return f;
}

}  // namespace

MainWindow::MainWindow(const Options& options) : QMainWindow(nullptr) {
    setObjectName(QStringLiteral("FormTree"));
    if (options.prompts) {
        prompts_ = options.prompts;
    } else {
        ownPrompts_ = std::make_unique<QtPrompts>();
        prompts_ = ownPrompts_.get();
    }
    notices_ = std::make_unique<GuiNotices>(*prompts_, [this](const QString& t) { setMessage(t); });
    previousNotices_ = rn::SetNotices(notices_.get());
    setUp(options);
}

MainWindow::~MainWindow() {
    runExit();
    // The model observes the document's outline; detach it before the document goes.
    outlineView_->setModel(nullptr);
    delete outlineModel_;
    outlineModel_ = nullptr;
    rn::SetNotices(previousNotices_);
}

void MainWindow::setPrompts(Prompts* prompts) {
    prompts_ = prompts;
    notices_->setPrompts(*prompts);
}

void MainWindow::setUp(const Options& options) {
    rn::SetupProgramValues();
    if (!options.programDirectory.isEmpty()) rn::Program().directory = toUtf8(options.programDirectory);
    state_.dialogDirectory = fromUtf8(rn::Program().directory);
    state_.arguments = options.arguments;
    state_.firstStart = !rn::FileExists(rn::SettingsFilePath());
    // Res/ is made ready now, so that the settings and the history can always be written at exit.
    state_.settingsFile = rn::PrepareResDir() + rn::kSettingsFileName;
    state_.doc.SetView(this);
    state_.doc.onOpened = [this](const std::string& path) { historyMenu_->add(path); };

    setWindowTitle(QStringLiteral("Ramblenote"));
    setWindowIcon(makeToolIcon(ToolIcon::App));
    setFont(windowFont());
    buildWidgets();
    buildActions();
    resize(kMainWindowSize);
    move(kMainWindowFramePos);
    setOutlinePanelWidth(185);
    setStatusPanelWidths();
}

void MainWindow::buildWidgets() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    mainSplitter_ = new QSplitter(Qt::Horizontal, central);
    mainSplitter_->setObjectName(QStringLiteral("PanelBase"));
    mainSplitter_->setChildrenCollapsible(false);
    mainSplitter_->setHandleWidth(3);

    outlinePanel_ = new QWidget(mainSplitter_);
    outlinePanel_->setObjectName(QStringLiteral("PanelTree"));
    outlinePanel_->setMinimumWidth(1);
    auto* outlineLayout = new QVBoxLayout(outlinePanel_);
    outlineLayout->setContentsMargins(0, 0, 0, 0);
    outlineView_ = new OutlineView(outlinePanel_);
    outlineModel_ = new OutlineModel(state_.doc.outline, this);
    outlineView_->setModel(outlineModel_);
    outlineLayout->addWidget(outlineView_);

    editorArea_ = new QWidget(mainSplitter_);
    editorArea_->setObjectName(QStringLiteral("PanelMa"));
    editorArea_->setMinimumWidth(1);
    auto* areaLayout = new QVBoxLayout(editorArea_);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    editorSplitter_ = new QSplitter(Qt::Vertical, editorArea_);
    editorSplitter_->setObjectName(QStringLiteral("Splitter2"));
    editorSplitter_->setChildrenCollapsible(false);
    editorPanel_ = new QWidget(editorSplitter_);
    editorPanel_->setObjectName(QStringLiteral("PanelMemo"));
    auto* editorLayout = new QVBoxLayout(editorPanel_);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    editor_ = new BodyTextEdit(editorPanel_);
    editor_->setObjectName(QStringLiteral("MemoM"));
    editorLayout->addWidget(editor_);  // the editor fills its panel
    editor_->hide();
    lowerPane_ = new BodyTextEdit(editorSplitter_);
    lowerPane_->setObjectName(QStringLiteral("MemoF"));
    lowerPane_->setReadOnly(true);
    lowerPane_->hide();
    editorSplitter_->setSizes({368, 93});
    areaLayout->addWidget(editorSplitter_);

    mainSplitter_->addWidget(outlinePanel_);
    mainSplitter_->addWidget(editorArea_);
    mainSplitter_->setStretchFactor(0, 0);
    mainSplitter_->setStretchFactor(1, 1);
    // The splitter handle itself carries the name the layout gives it.
    mainSplitter_->handle(1)->setObjectName(QStringLiteral("Splitter1"));

    statusPanels_ = new StatusPanels(central);
    column->addWidget(mainSplitter_, 1);
    column->addWidget(statusPanels_, 0);
    setCentralWidget(central);
}

template <typename F>
QAction* MainWindow::addMenuItem(QMenu* menu, const char* name, const QString& caption, F handler) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, handler);
    return a;
}

template <typename F>
QAction* MainWindow::addToolButton(const char* name, const QString& hint, const QIcon& icon, F handler) {
    QAction* a = toolBar_->addAction(icon, hint);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint);
    connect(a, &QAction::triggered, this, handler);
    if (QWidget* w = toolBar_->widgetForAction(a)) w->setObjectName(QString::fromLatin1(name));
    return a;
}

void MainWindow::buildActions() {
    rn::Document& doc = state_.doc;
    // The two dialogs live for the whole run, created after the main window in this order.
    nodeDialog_ = new NodeNameDialog(this);
    bodyEditor_ = new BodyEditor(doc, state_.settings, *outlineView_, *editor_, *lowerPane_, *statusPanels_, this);
    bodyEditor_->applySettings = [this] { applySettings(); };
    settingsDialog_ = new SettingsDialog(this, state_.settings, *prompts_, *outlineView_, *editor_, *lowerPane_,
                                         state_.dialogDirectory, [this] { applySettings(); });
    treeFileCommands_ =
        std::make_unique<TreeFileCommands>(doc, *outlineView_, *bodyEditor_, *prompts_, state_.dialogDirectory);
    residentMode_ = std::make_unique<ResidentMode>(*this, state_.settings, *treeFileCommands_);
    helpCommands_ = std::make_unique<HelpCommands>(*treeFileCommands_, *prompts_, state_.settingsFile);
    printCommands_ = std::make_unique<PrintCommands>(doc, state_.settings, *outlineView_, *bodyEditor_, *prompts_);
    batchOutputCommands_ = std::make_unique<BatchOutputCommands>(doc, *bodyEditor_, *outlineView_, *prompts_, this);
    nodeCommands_ = new NodeCommands(doc, *outlineView_, *bodyEditor_, *nodeDialog_, this);
    searchCommands_ = new SearchCommands(
        doc, *outlineView_, *bodyEditor_, *nodeDialog_, *outlineModel_,
        [this](const QString& text) { setMessage(text); }, this);
    // The editor leaves its node when the document is replaced (the open has written its body).
    connect(outlineModel_, &QAbstractItemModel::modelAboutToBeReset, bodyEditor_, &BodyEditor::forgetNode);

    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(16, 16));
    addToolButton("ToolButtonCAdd", QStringLiteral("ノード追加"), makeToolIcon(ToolIcon::Add),
                  [this] { nodeCommands_->addSiblingNode(); });
    addToolButton("ToolButtonAdd", QStringLiteral("子ノード追加"), makeToolIcon(ToolIcon::AddChild),
                  [this] { nodeCommands_->addChildNode(); });
    addToolButton("ToolButtonIns", QStringLiteral("ノード挿入"), makeToolIcon(ToolIcon::Insert),
                  [this] { nodeCommands_->insertNodeBefore(); });
    addToolButton("ToolButtonDel", QStringLiteral("ノード削除"), makeToolIcon(ToolIcon::Delete),
                  [this] { nodeCommands_->deleteNode(); });
    addToolButton("ToolButtonPrin", QStringLiteral("ノード印刷"), makeToolIcon(ToolIcon::Print),
                  [this] { printCommands_->printNode(); });
    toolBar_->addSeparator();
    addToolButton("ToolButtonTNew", QStringLiteral("新規Tree"), makeToolIcon(ToolIcon::NewTree),
                  [this] { treeFileCommands_->newTreeFile(); });
    addToolButton("ToolButtonTOpen", QStringLiteral("Tree開く"), makeToolIcon(ToolIcon::OpenTree),
                  [this] { treeFileCommands_->openTreeFile(); });
    toolBar_->addSeparator();
    addToolButton("ToolButtonTAB", QStringLiteral("TAB入力"), makeToolIcon(ToolIcon::Tab),
                  [this] { bodyEditor_->toggleTabInput(); });
    addToolButton("ToolButtonCR", QStringLiteral("折り返し"), makeToolIcon(ToolIcon::Wrap),
                  [this] { bodyEditor_->toggleWordWrap(); });
    addToolButton("ToolButtonSpr", QStringLiteral("画面分割"), makeToolIcon(ToolIcon::Split),
                  [this] { bodyEditor_->toggleSplitView(); });
    toolBar_->addSeparator();
    addToolButton("ToolButtonSearch", QStringLiteral("ノード検索"), makeToolIcon(ToolIcon::Search),
                  [this] { searchCommands_->runSearch(); });
    addToolButton("ToolButtonCust", QStringLiteral("環境設定"), makeToolIcon(ToolIcon::Settings),
                  [this] { settingsDialog_->showModal(); });

    connect(outlineView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { bodyEditor_->onCurrentNodeChanged(outlineModel_->nodeAt(current)); });
    connect(editor_, &BodyTextEdit::keyUp, this, [this] { bodyEditor_->onEditorKeyUp(); });
    connect(outlineView_, &OutlineView::keyDown, this,
            [this](QKeyEvent* event, bool& handled) { handled = nodeCommands_->handleOutlineKey(event); });
    connect(outlineView_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        nodeCommands_->contextMenu()->popup(outlineView_->viewport()->mapToGlobal(pos));
    });
    outlineView_->dragOver = [this](const QPoint& pos, bool fromHere) {
        return nodeCommands_->acceptsDragAt(pos, fromHere);
    };
    outlineView_->drop = [this](const QPoint& pos) { nodeCommands_->dropAt(pos); };
    for (BodyTextEdit* edit : {editor_, lowerPane_}) {
        connect(edit, &BodyTextEdit::refused, this, [](const QString& message) { rn::ShowStatus(toUtf8(message)); });
    }

    treeMenu_ = menuBar()->addMenu(QStringLiteral("Tree(&T)"));
    treeMenu_->setObjectName(QStringLiteral("MenuTree"));
    addMenuItem(treeMenu_, "MenuTreeOpen", QStringLiteral("開く(&O)"), [this] { treeFileCommands_->openTreeFile(); });
    addMenuItem(treeMenu_, "MenuTreeNew", QStringLiteral("新規作成(&N)"), [this] { treeFileCommands_->newTreeFile(); });
    treeMenu_->addSeparator();
    QMenu* history = treeMenu_->addMenu(QStringLiteral("Tree履歴"));
    historyMenu_ = new HistoryMenu(state_.history, state_.settings, doc, *bodyEditor_, *treeFileCommands_, history);
    startupExit_ = std::make_unique<StartupExit>(state_, *this, *bodyEditor_, *outlineView_, *historyMenu_);
    treeMenu_->addSeparator();
    addMenuItem(treeMenu_, "MenuTreeEND", QStringLiteral("常駐解除して終了(&Z)"),
                [this] { residentMode_->quitProgram(); });
    addMenuItem(treeMenu_, "MenuTreeQ", QStringLiteral("終了(&X)"), [this] {
        residentMode_->closeWindow();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* node = menuBar()->addMenu(QStringLiteral("ノード(&N)"));
    node->setObjectName(QStringLiteral("MenuNode"));
    addMenuItem(node, "MenuNodeAdd", QStringLiteral("追加(&N)"), [this] {
        nodeCommands_->addSiblingNode();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    addMenuItem(node, "MenuNodeCAdd", QStringLiteral("子追加(&C)"), [this] { nodeCommands_->addChildNode(); });
    addMenuItem(node, "MenuNodeIns", QStringLiteral("挿入(&I)"), [this] {
        nodeCommands_->insertNodeBefore();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    addMenuItem(node, "MenuNodeDel", QStringLiteral("削除(&D)"), [this] {
        nodeCommands_->deleteNode();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    node->addSeparator();
    addMenuItem(node, "MenuNodeReName", QStringLiteral("ノード名変更"), [this] {
        nodeCommands_->renameNode();
    })->setShortcut(QKeySequence(Qt::Key_F2));
    addMenuItem(node, "MenuNodePrin", QStringLiteral("ノード印刷(&P)"), [this] {
        printCommands_->printNode();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    QMenu* tools = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    tools->setObjectName(QStringLiteral("MenuTool"));
    addMenuItem(tools, "MenuToolSearch", QStringLiteral("検索"), [this] {
        searchCommands_->runSearch();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addMenuItem(tools, "MenuToolBO", QStringLiteral("一括出力"), [this] { batchOutputCommands_->openDialog(); });
    addMenuItem(tools, "MenuToolCount", QStringLiteral("文字数･原稿用紙換算"),
                [this] { showCounts(state_.doc, *bodyEditor_, *outlineView_, *prompts_, this); });
    addMenuItem(tools, "MenuToolPdf", QStringLiteral("PDF出力"),
                [this] { openPdfOutput(state_.doc, *bodyEditor_, *outlineView_, *prompts_, this); });
    tools->addSeparator();
    addMenuItem(tools, "MenuToolCust", QStringLiteral("環境設定"), [this] { settingsDialog_->showModal(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    addMenuItem(help, "MenuHelpShow", QStringLiteral("ヘルプ表示"), [this] { helpCommands_->showGuide(); });
    addMenuItem(help, "MenuHelpVer", QStringLiteral("バージョン"), [this] { helpCommands_->showVersion(); });

    residentMode_->buildTray();
}

QSystemTrayIcon* MainWindow::trayIcon() const {
    return residentMode_->trayIcon();
}

void MainWindow::setOutlinePanelWidth(int width) {
    // A splitter that has never been shown shares out its width anew when it is: apply it again then.
    outlinePanelWidth_ = width;
    centralWidget()->layout()->activate();
    int total = 0;
    for (int size : mainSplitter_->sizes())
        total += size;
    if (total <= width) total = width + 1;
    mainSplitter_->setSizes({width, total - width});
}

void MainWindow::setMessage(const QString& text) {
    statusPanels_->setText(1, text);
}

void MainWindow::setStatusPanelWidths() {
    statusPanels_->setPanelWidths(width());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    setStatusPanelWidths();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // The state changes before the window moves to or from its maximised place.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) normalFramePos_ = pos();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!residentMode_->handleCloseRequest()) {
        event->ignore();
        return;
    }
    // Text that could be neither saved nor rescued keeps the program running when the user says so.
    if (!runExit(true)) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

void MainWindow::setVisible(bool visible) {
    // The stored place is given to the window system with the window's first appearance.
    if (visible && !shownOnce_) startupExit_->readSettingsFile();
    QMainWindow::setVisible(visible);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        setOutlinePanelWidth(outlinePanelWidth_);
    }
    // The first activation runs once the event loop has shown the window.
    if (!state_.startupDone && !startupPending_) {
        startupPending_ = true;
        QTimer::singleShot(0, this, [this] { runStartup(); });
    }
}

void MainWindow::runStartup() {
    if (state_.startupDone) return;
    startupExit_->runStartup();
}

bool MainWindow::runExit(bool mayStay) {
    if (exitDone_) return true;
    if (!startupExit_->runExit(mayStay)) return false;
    exitDone_ = true;
    return true;
}

void MainWindow::openRequestedFile(const QString& path) {
    residentMode_->restoreFromTray();
    if (QApplication::activeModalWidget() || QApplication::overrideCursor()) {
        QTimer::singleShot(kRetryOpenMs, this, [this, path] { openRequestedFile(path); });
        return;
    }
    if (!treeFileCommands_->prepare()) return;
    treeFileCommands_->openAndReport(toUtf8(path));
}

void MainWindow::endOnSignal() {
    residentMode_->onSessionEnding();
    {
        rn::StderrNotices unattended;
        rn::ScopedNotices scope(&unattended);
        runExit(false);
    }
    close();
}

void MainWindow::SetOutlineUpdating(bool updating) {
    outlineView_->setUpdatesEnabled(!updating);
}

void MainWindow::SelectNode(rn::Node* node) {
    outlineView_->selectNode(node);
}

void MainWindow::FocusOutline() {
    outlineView_->focusOutline();
}

void MainWindow::SetCaption(const std::string& caption) {
    setWindowTitle(fromUtf8(caption));
}

void MainWindow::SetDialogDirectory(const std::string& directory) {
    state_.dialogDirectory = fromUtf8(directory);
}

void MainWindow::TreeFileChangedElsewhere() {
    // The command that wanted to write is still running and undoes its change first.
    if (reloadPending_) return;
    reloadPending_ = true;
    QTimer::singleShot(0, this, [this] {
        reloadPending_ = false;
        treeFileCommands_->reloadTreeFile();
    });
}

rn::Node* MainWindow::selectedNode() const {
    return outlineView_->selectedNode();
}

rn::WindowGeometry MainWindow::currentGeometry() const {
    rn::WindowGeometry g;
    // Top and Left are the frame's corner, Width and Height the client area. A maximised or
    // minimised window is remembered by the place it returns to.
    QRect r(pos(), size());
    if (isMaximized() || isMinimized() || isFullScreen()) r = QRect(normalFramePos_, normalGeometry().size());
    g.Top = r.top();
    g.Left = r.left();
    g.Width = r.width();
    g.Height = r.height();
    const QList<int> sizes = mainSplitter_->sizes();
    g.PanelTreeWidth = sizes.isEmpty() ? outlinePanel_->width() : sizes.first();
    return g;
}

void MainWindow::applyGeometry(const rn::WindowGeometry& g) {
    // Missing keys read as -1: they keep the built-in size or place. Whatever was stored is fitted to
    // the screens connected now.
    const StartPlacement p = fitToConnectedScreens(g.Left, g.Top, g.Width, g.Height, kMainWindowFramePos, size());
    resize(p.size);
    moveFrameTo(*this, p.framePos);
    if (g.PanelTreeWidth > 0) setOutlinePanelWidth(fitPanelWidth(g.PanelTreeWidth, p.size.width()));
}

void MainWindow::applySettings() {
    rn::gui::applySettings(state_.settings, *this, *outlineView_, *bodyEditor_);
}

}  // namespace rn::gui
