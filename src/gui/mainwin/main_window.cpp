#include "gui/mainwin/main_window.h"

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

#include "core/settings/resdir.h"
#include "core/tree/notices.h"
#include "core/tree/program.h"
#include "gui/mainwin/appearance.h"
#include "gui/mainwin/body_editor.h"
#include "gui/mainwin/history_menu.h"
#include "gui/mainwin/icons.h"
#include "gui/mainwin/memo_edit.h"
#include "gui/mainwin/node_commands.h"
#include "gui/mainwin/outline_model.h"
#include "gui/mainwin/outline_view.h"
#include "gui/mainwin/resident.h"
#include "gui/mainwin/startup_exit.h"
#include "gui/mainwin/status_panels.h"
#include "gui/mainwin/tree_file_commands.h"
#include "gui/prompts.h"
#include "gui/settings/environment_dialog.h"
#include "gui/tree/node_dialog.h"

namespace rn::gui {
namespace {

QFont WindowFont() {
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPixelSize(12);
    return f;
}

}  // namespace

TFormTree::TFormTree(const Options& options) : QMainWindow(nullptr) {
    setObjectName(QStringLiteral("FormTree"));
    if (options.prompts) {
        prompts_ = options.prompts;
    } else {
        ownPrompts_ = std::make_unique<QtPrompts>();
        prompts_ = ownPrompts_.get();
    }
    notices_ = std::make_unique<GuiNotices>(*prompts_, [this](const QString& t) { SetMessage(t); });
    previousNotices_ = rn::SetNotices(notices_.get());
    FormCreate(options);
    // The two dialogs live for the whole run, created after the main window in this order.
    nodeF_ = new TNodeF(this, state_);
    environmentF_ = new TEnvironmentF(this);
}

TFormTree::~TFormTree() {
    FormDestroy();
    // The model observes the document's outline; detach it before the document goes.
    treeView_->setModel(nullptr);
    delete model_;
    model_ = nullptr;
    rn::SetNotices(previousNotices_);
}

void TFormTree::SetPrompts(Prompts* prompts) {
    prompts_ = prompts;
    notices_->SetPrompts(*prompts);
}

void TFormTree::FormCreate(const Options& options) {
    rn::SetupProgramValues();
    if (!options.programDirectory.isEmpty()) rn::Program().directory = ToUtf8(options.programDirectory);
    state_.dialogDirectory = FromUtf8(rn::Program().directory);
    state_.arguments = options.arguments;
    // Res/ is made ready now, so that the settings and the history can always be written at exit.
    state_.settingsFile = rn::PrepareResDir() + rn::kSettingsFileName;
    state_.QuitOnClose = false;
    state_.doc.SetView(this);
    state_.doc.onOpened = [this](const std::string& path) { historyMenu_->Add(path); };

    setWindowTitle(QStringLiteral("Ramblenote"));
    setWindowIcon(MakeToolIcon(ToolIcon::App));
    setFont(WindowFont());
    BuildWidgets();
    BuildActions();
    setGeometry(684, 221, 449, 461);
    SetTreePanelWidth(185);
    SetStatusPanelWidths();
}

void TFormTree::BuildWidgets() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    splitter1_ = new QSplitter(Qt::Horizontal, central);
    splitter1_->setObjectName(QStringLiteral("PanelBase"));
    splitter1_->setChildrenCollapsible(false);
    splitter1_->setHandleWidth(3);

    panelTree_ = new QWidget(splitter1_);
    panelTree_->setObjectName(QStringLiteral("PanelTree"));
    panelTree_->setMinimumWidth(1);
    auto* treeLayout = new QVBoxLayout(panelTree_);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeView_ = new OutlineView(panelTree_);
    model_ = new OutlineModel(state_.doc.outline, this);
    treeView_->setModel(model_);
    treeLayout->addWidget(treeView_);

    panelMa_ = new QWidget(splitter1_);
    panelMa_->setObjectName(QStringLiteral("PanelMa"));
    panelMa_->setMinimumWidth(1);
    auto* maLayout = new QVBoxLayout(panelMa_);
    maLayout->setContentsMargins(0, 0, 0, 0);
    splitter2_ = new QSplitter(Qt::Vertical, panelMa_);
    splitter2_->setObjectName(QStringLiteral("Splitter2"));
    splitter2_->setChildrenCollapsible(false);
    panelMemo_ = new QWidget(splitter2_);
    panelMemo_->setObjectName(QStringLiteral("PanelMemo"));
    auto* memoLayout = new QVBoxLayout(panelMemo_);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    memoM_ = new MemoEdit(panelMemo_);
    memoM_->setObjectName(QStringLiteral("MemoM"));
    memoLayout->addWidget(memoM_);  // MemoM fills PanelMemo
    memoM_->hide();
    memoF_ = new MemoEdit(splitter2_);
    memoF_->setObjectName(QStringLiteral("MemoF"));
    memoF_->setReadOnly(true);
    memoF_->hide();
    splitter2_->setSizes({368, 93});
    maLayout->addWidget(splitter2_);

    splitter1_->addWidget(panelTree_);
    splitter1_->addWidget(panelMa_);
    splitter1_->setStretchFactor(0, 0);
    splitter1_->setStretchFactor(1, 1);
    // The splitter handle itself carries the name the layout gives it.
    splitter1_->handle(1)->setObjectName(QStringLiteral("Splitter1"));

    status_ = new StatusPanels(central);
    column->addWidget(splitter1_, 1);
    column->addWidget(status_, 0);
    setCentralWidget(central);
}

template <typename F>
QAction* TFormTree::AddMenuItem(QMenu* menu, const char* name, const QString& caption, F handler) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, handler);
    return a;
}

template <typename F>
QAction* TFormTree::AddToolButton(const char* name, const QString& hint, const QIcon& icon, F handler) {
    QAction* a = toolBar_->addAction(icon, hint);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint);
    connect(a, &QAction::triggered, this, handler);
    if (QWidget* w = toolBar_->widgetForAction(a)) w->setObjectName(QString::fromLatin1(name));
    return a;
}

void TFormTree::BuildActions() {
    resident_ = std::make_unique<ResidentMode>(*this);
    startupExit_ = std::make_unique<StartupExit>(*this);
    treeFiles_ = std::make_unique<TreeFileCommands>(*this);
    editor_ = new BodyEditor(*this);
    nodes_ = new NodeCommands(*this);

    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(16, 16));
    AddToolButton("ToolButtonCAdd", QStringLiteral("ノード追加"), MakeToolIcon(ToolIcon::Add),
                  [this] { nodes_->ToolButtonCAddClick(); });
    AddToolButton("ToolButtonAdd", QStringLiteral("子ノード追加"), MakeToolIcon(ToolIcon::AddChild),
                  [this] { nodes_->ToolButtonAddClick(); });
    AddToolButton("ToolButtonIns", QStringLiteral("ノード挿入"), MakeToolIcon(ToolIcon::Insert),
                  [this] { nodes_->ToolButtonInsClick(); });
    AddToolButton("ToolButtonDel", QStringLiteral("ノード削除"), MakeToolIcon(ToolIcon::Delete),
                  [this] { nodes_->ToolButtonDelClick(); });
    toolBar_->addSeparator();
    AddToolButton("ToolButtonTNew", QStringLiteral("新規Tree"), MakeToolIcon(ToolIcon::NewTree),
                  [this] { treeFiles_->ToolButtonTNewClick(); });
    AddToolButton("ToolButtonTOpen", QStringLiteral("Tree開く"), MakeToolIcon(ToolIcon::OpenTree),
                  [this] { treeFiles_->ToolButtonTOpenClick(); });
    toolBar_->addSeparator();
    AddToolButton("ToolButtonTAB", QStringLiteral("TAB入力"), MakeToolIcon(ToolIcon::Tab),
                  [this] { editor_->ToolButtonTABClick(); });
    AddToolButton("ToolButtonCR", QStringLiteral("折り返し"), MakeToolIcon(ToolIcon::Wrap),
                  [this] { editor_->ToolButtonCRClick(); });
    AddToolButton("ToolButtonSpr", QStringLiteral("画面分割"), MakeToolIcon(ToolIcon::Split),
                  [this] { editor_->ToolButtonSprClick(); });

    connect(treeView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { editor_->TreeView1Change(model_->NodeAt(current)); });
    connect(memoM_, &MemoEdit::keyUp, this, [this] { editor_->MemoMKeyUp(); });
    connect(treeView_, &OutlineView::keyDown, this,
            [this](QKeyEvent* event, bool& handled) { handled = nodes_->TreeView1KeyDown(event); });
    connect(treeView_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { nodes_->PopupTreeMenu()->popup(treeView_->viewport()->mapToGlobal(pos)); });
    treeView_->dragOver = [this](const QPoint& pos, bool fromHere) { return nodes_->TreeView1DragOver(pos, fromHere); };
    treeView_->drop = [this](const QPoint& pos) { nodes_->TreeView1DragDrop(pos); };
    for (MemoEdit* memo : {memoM_, memoF_}) {
        connect(memo, &MemoEdit::refused, this,
                [](char32_t ch) { rn::ShowStatus(ToUtf8(RefusedCharacterMessage(ch))); });
    }

    menuTree_ = menuBar()->addMenu(QStringLiteral("Tree(&T)"));
    menuTree_->setObjectName(QStringLiteral("MenuTree"));
    AddMenuItem(menuTree_, "MenuTreeOpen", QStringLiteral("開く(&O)"), [this] { treeFiles_->ToolButtonTOpenClick(); });
    AddMenuItem(menuTree_, "MenuTreeNew", QStringLiteral("新規作成(&N)"),
                [this] { treeFiles_->ToolButtonTNewClick(); });
    menuTree_->addSeparator();
    QMenu* history = menuTree_->addMenu(QStringLiteral("Tree履歴"));
    historyMenu_ = new HistoryMenu(*this, history);
    menuTree_->addSeparator();
    AddMenuItem(menuTree_, "MenuTreeEND", QStringLiteral("常駐解除して終了(&Z)"),
                [this] { resident_->MenuTreeENDClick(); });
    AddMenuItem(menuTree_, "MenuTreeQ", QStringLiteral("終了(&X)"), [this] {
        resident_->MenuTreeQClick();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* node = menuBar()->addMenu(QStringLiteral("ノード(&N)"));
    node->setObjectName(QStringLiteral("MenuNode"));
    AddMenuItem(node, "MenuNodeAdd", QStringLiteral("追加(&N)"), [this] {
        nodes_->ToolButtonCAddClick();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    AddMenuItem(node, "MenuNodeCAdd", QStringLiteral("子追加(&C)"), [this] { nodes_->ToolButtonAddClick(); });
    AddMenuItem(node, "MenuNodeIns", QStringLiteral("挿入(&I)"), [this] {
        nodes_->ToolButtonInsClick();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    AddMenuItem(node, "MenuNodeDel", QStringLiteral("削除(&D)"), [this] {
        nodes_->ToolButtonDelClick();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    node->addSeparator();
    AddMenuItem(node, "MenuNodeReName", QStringLiteral("ノード名変更"), [this] {
        nodes_->MenuNodeReNameClick();
    })->setShortcut(QKeySequence(Qt::Key_F2));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    // Both items exist and do nothing.
    help->addAction(QStringLiteral("ヘルプ表示"))->setObjectName(QStringLiteral("MenuHelpShow"));
    help->addAction(QStringLiteral("バージョン"))->setObjectName(QStringLiteral("MenuHelpVer"));

    resident_->BuildTray();
}

QSystemTrayIcon* TFormTree::TrayIcon1() const {
    return resident_->TrayIcon1();
}

void TFormTree::SetTreePanelWidth(int width) {
    // A splitter that has never been shown shares out its width anew when it is: apply it again then.
    treePanelWidth_ = width;
    centralWidget()->layout()->activate();
    int total = 0;
    for (int size : splitter1_->sizes())
        total += size;
    if (total <= width) total = width + 1;
    splitter1_->setSizes({width, total - width});
}

void TFormTree::SetMessage(const QString& text) {
    status_->SetText(1, text);
}

void TFormTree::SetStatusPanelWidths() {
    status_->SetStatusPanelWidths(width());
}

void TFormTree::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    SetStatusPanelWidths();
}

void TFormTree::closeEvent(QCloseEvent* event) {
    if (!resident_->FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormDestroy();
    QApplication::quit();
}

void TFormTree::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        SetTreePanelWidth(treePanelWidth_);
    }
    // The first activation runs once the event loop has shown the window.
    if (!state_.StartupDone && !activationPending_) {
        activationPending_ = true;
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TFormTree::FormActivate() {
    if (state_.StartupDone) return;
    startupExit_->FirstActivation();
}

void TFormTree::FormDestroy() {
    if (exitDone_) return;
    exitDone_ = true;
    startupExit_->Exit();
}

void TFormTree::SetOutlineUpdating(bool updating) {
    treeView_->setUpdatesEnabled(!updating);
}

void TFormTree::SelectNode(rn::Node* node) {
    QModelIndex index = model_->IndexOf(node);
    if (!index.isValid()) return;
    // A node inside collapsed branches is shown by opening them.
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        treeView_->expand(p);
    treeView_->setCurrentIndex(index);
    treeView_->scrollTo(index);
}

void TFormTree::FocusOutline() {
    treeView_->setFocus();
}

void TFormTree::SetCaption(const std::string& caption) {
    setWindowTitle(FromUtf8(caption));
}

void TFormTree::SetDialogDirectory(const std::string& directory) {
    state_.dialogDirectory = FromUtf8(directory);
}

bool TFormTree::SaveCurrentBody() {
    return editor_->SaveCurrentBody();
}

void TFormTree::SearchOffIfResults() {
    if (state_.lowerPane == LowerPaneMode::Results) editor_->SearchOff();
}

rn::Node* TFormTree::SelectedNode() const {
    return model_->NodeAt(treeView_->currentIndex());
}

}  // namespace rn::gui
