// The main window's frame: names, menus, tool bar, status panels, the outline model, resident mode
// and the single running copy.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QLocalServer>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "core/text/cp932.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/window/resident.h"
#include "gui/window/status_panels.h"
#include "gui_support.h"
#include "platform/single_instance.h"
#include "platform/termination.h"

#include <csignal>

using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::WriteAll;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void layoutAndNames();
    void menusInOrder();
    void statusPanelWidthsFollowResizes();
    void longNodeNamesScrollInsteadOfBeingCut();
    void outlineModelPassesTheModelTester();
    void residentModeOffEndsAndWrites();
    void residentModeOnMinimisesWithoutANotificationArea();
    void residentModeWithANotificationAreaHidesAndRestores();
    void endOfSessionEndsEvenWhenResident();
    void secondCopyIsRefusedAndTouchesNothing();
    void aSecondStartWithAFileOpensItInTheRunningCopy();
    void terminationSignalsRunTheNormalExit();
};

static QStringList Captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

void MainWindowTest::layoutAndNames() {
    MainWindowFixture f;
    rn::gui::MainWindow& w = f.w();
    QCOMPARE(w.windowTitle(), QStringLiteral("Ramblenote"));
    QCOMPARE(w.font().family(), QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(w.font().pixelSize(), 12);
    for (const char* name : {"PanelTree", "TreeView1", "PanelMa", "PanelMemo", "MemoM", "MemoF", "Splitter1",
                             "Splitter2", "StatusBar1", "ToolBar1"})
        QVERIFY2(w.findChild<QWidget*>(QString::fromLatin1(name)), name);
    QVERIFY(w.editor()->isHidden());
    QVERIFY(w.lowerPane()->isHidden());
    QVERIFY(w.lowerPane()->isReadOnly());
    QVERIFY(!w.mainSplitter()->childrenCollapsible());
    QCOMPARE(w.outlineView()->indentation(), 19);
    QCOMPARE(w.outlineView()->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(w.outlineView()->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(w.trayIcon());
    QVERIFY(!w.trayIcon()->isVisible());

    auto* bar = w.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    QStringList hints;
    for (QAction* a : bar->actions())
        hints << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + "=" + a->toolTip());
    QCOMPARE(hints,
             (QStringList{"ToolButtonCAdd=ノード追加", "ToolButtonAdd=子ノード追加", "ToolButtonIns=ノード挿入",
                          "ToolButtonDel=ノード削除", "ToolButtonPrin=ノード印刷", "-", "ToolButtonTNew=新規Tree",
                          "ToolButtonTOpen=Tree開く", "-", "ToolButtonTAB=TAB入力", "ToolButtonCR=折り返し",
                          "ToolButtonSpr=画面分割", "-", "ToolButtonSearch=ノード検索", "ToolButtonCust=環境設定"}));
    QVERIFY(w.findChild<QToolButton*>(QStringLiteral("ToolButtonTOpen")));
    w.show();
    QCOMPARE(w.mainSplitter()->sizes().first(), 185);
}

void MainWindowTest::menusInOrder() {
    MainWindowFixture f;
    QStringList top = Captions(f.w().menuBar()->actions());
    QCOMPARE(top, (QStringList{"Tree(&T)", "ノード(&N)", "ツール(&T)", "ヘルプ(&H)"}));
    QCOMPARE(Captions(f.w().findChild<QMenu*>("MenuNode")->actions()),
             (QStringList{"追加(&N)", "子追加(&C)", "挿入(&I)", "削除(&D)", "-", "ノード名変更", "ノード印刷(&P)"}));
    QCOMPARE(Captions(f.w().findChild<QMenu*>("MenuTool")->actions()),
             (QStringList{"検索", "一括出力", "文字数･原稿用紙換算", "-", "環境設定"}));
    QCOMPARE(f.w().findChild<QAction*>("MenuNodePrin")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(f.w().findChild<QAction*>("MenuToolSearch")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(f.w().findChild<QAction*>("MenuNodeAdd")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(f.w().findChild<QAction*>("MenuNodeIns")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    QCOMPARE(f.w().findChild<QAction*>("MenuNodeDel")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    QCOMPARE(f.w().findChild<QAction*>("MenuNodeReName")->shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(Captions(f.w().treeMenu()->actions()),
             (QStringList{"開く(&O)", "新規作成(&N)", "-", "Tree履歴", "-", "常駐解除して終了(&Z)", "終了(&X)"}));
    QCOMPARE(f.w().findChild<QAction*>("MenuTreeQ")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    auto* help = f.w().findChild<QMenu*>("MenuHelp");
    QCOMPARE(Captions(help->actions()), (QStringList{"ヘルプ表示", "バージョン"}));
    auto* tray = f.w().residentMode().trayMenu();
    QCOMPARE(Captions(tray->actions()),
             (QStringList{"Ramblenote戻す(&R)", "-", "Tree開く(&O)", "Tree新規作成(&N)", "-", "常駐解除して終了(&X)"}));
    QCOMPARE(f.w().trayIcon()->toolTip(), QStringLiteral("Ramblenote"));
}

void MainWindowTest::statusPanelWidthsFollowResizes() {
    MainWindowFixture f({}, true);
    for (int width : {449, 800, 300}) {
        f.w().resize(width, 400);
        QTest::qWait(0);
        rn::gui::StatusPanels* s = f.w().statusPanels();
        QCOMPARE(s->panel(0)->width(), 100);
        QCOMPARE(s->panel(1)->width(), f.w().width() - 205);
        QCOMPARE(s->panel(2)->width(), 50);
        QCOMPARE(s->panel(3)->width(), 55);
    }
}

void MainWindowTest::longNodeNamesScrollInsteadOfBeingCut() {
    MainWindowFixture f({}, true);
    std::string lines;
    for (int i = 0; i < 80; ++i)
        lines += "n" + std::to_string(i) + "\r\n";
    const std::string longName = "とても長い見出しの名前がどこまでも続いていく最後の章";
    f.OpenDocument("long.Rnote", lines + longName + "\r\nゴミ箱\r\n");
    rn::gui::OutlineView* view = f.w().outlineView();
    view->scrollTo(view->model()->index(80, 0));  // the long name starts out of sight
    QTest::qWait(0);
    QVERIFY(view->columnWidth(0) >= view->fontMetrics().horizontalAdvance(QString::fromStdString(longName)));
    QVERIFY(view->horizontalScrollBar()->maximum() > 0);
    // Short names still get a selection bar across the whole view.
    f.OpenDocument("short.Rnote", "a\r\nゴミ箱\r\n");
    QTest::qWait(0);
    QVERIFY(view->columnWidth(0) >= view->viewport()->width());
}

void MainWindowTest::outlineModelPassesTheModelTester() {
    MainWindowFixture f;
    QAbstractItemModelTester tester(f.w().outlineModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.OpenDocument("m.Rnote", "A\r\n\tB\r\n\t\tC\r\nD\r\nゴミ箱\r\n");
    rn::Outline& o = f.doc().outline;
    rn::Node* a = o.At(0);
    rn::Node* c = o.At(2);
    rn::Node* d = o.At(3);
    f.w().outlineView()->expandAll();
    f.w().SelectNode(c);
    o.AppendChild(a, "E");
    rn::Node* fNode = o.InsertBefore(a, "F");
    o.Move(a, d, d->ChildCount());  // A with its branch under D
    o.Move(a, nullptr, 0);
    o.Move(o.At(0), nullptr, 3);
    o.SetText(fNode, "G");
    o.Remove(fNode);
    // The selection survives edits elsewhere.
    QCOMPARE(f.w().selectedNode(), c);
    f.OpenDocument("n.Rnote", "X\r\nゴミ箱\r\n");
    QCOMPARE(f.w().outlineModel()->rowCount(), 2);
}

void MainWindowTest::residentModeOffEndsAndWrites() {
    MainWindowFixture f({}, true);
    f.OpenDocument("r.Rnote", "a\r\nゴミ箱\r\n");
    f.doc().outline.AppendChild(nullptr, "b");
    f.w().setResidentModeOn(false);
    f.Trigger("MenuTreeQ");
    QVERIFY(f.w().exitDone());
    QVERIFY(!f.w().trayIcon()->isVisible());
    QCOMPARE(ReadAll(f.Path("r.Rnote")), rn::Cp932Literal("a\r\nゴミ箱\r\nb\r\n"));
    QVERIFY(rn::test::Exists(f.Path("Res/Ramblenote.Ini")));
}

void MainWindowTest::residentModeOnMinimisesWithoutANotificationArea() {
    MainWindowFixture f({}, true);
    f.w().residentMode().setTrayAvailableForTesting(0);
    f.OpenDocument("r.Rnote", "a\r\nゴミ箱\r\n");
    f.doc().outline.AppendChild(nullptr, "b");
    f.w().setResidentModeOn(true);
    f.Trigger("MenuTreeQ");
    QVERIFY(!f.w().exitDone());
    QVERIFY(f.w().residentMode().isResident());
    QVERIFY(f.w().isVisible());  // minimised, never invisible
    QVERIFY(f.w().residentMode().quitOnClose());
    QCOMPARE(ReadAll(f.Path("r.Rnote")), rn::Cp932Literal("a\r\nゴミ箱\r\n"));  // nothing saved
    // Restoring clears quitOnClose; closing again is refused again.
    f.w().residentMode().restoreFromTray();
    QVERIFY(!f.w().residentMode().quitOnClose());
    f.w().close();
    QVERIFY(!f.w().exitDone());
    // "常駐解除して終了(&X)" ends it and writes.
    f.Trigger("TIMenu4");
    QVERIFY(f.w().exitDone());
    QCOMPARE(ReadAll(f.Path("r.Rnote")), rn::Cp932Literal("a\r\nゴミ箱\r\nb\r\n"));
}

void MainWindowTest::residentModeWithANotificationAreaHidesAndRestores() {
    MainWindowFixture f({}, true);
    f.w().residentMode().setTrayAvailableForTesting(1);
    f.w().setResidentModeOn(true);
    f.w().close();
    QVERIFY(f.w().isHidden());
    QVERIFY(f.w().trayIcon()->isVisible());
    // "Tree開く(&O)" shows the window first, then the open dialog.
    f.Trigger("TIMenu2");
    QVERIFY(f.w().isVisible());
    QCOMPARE(f.prompts.calls.back().kind, QStringLiteral("open"));
    QVERIFY(f.w().trayIcon()->isVisible());  // the icon stays after a restore
    f.w().close();
    QVERIFY(f.w().isHidden());
    // "常駐解除して終了(&Z)" in the Tree menu ends the program at once.
    f.Trigger("MenuTreeEND");
    QVERIFY(f.w().exitDone());
    QVERIFY(!f.w().trayIcon()->isVisible());
}

void MainWindowTest::endOfSessionEndsEvenWhenResident() {
    MainWindowFixture f({}, true);
    f.w().residentMode().setTrayAvailableForTesting(0);
    f.w().setResidentModeOn(true);
    f.w().residentMode().onSessionEnding();
    f.w().close();
    QVERIFY(f.w().exitDone());
}

void MainWindowTest::secondCopyIsRefusedAndTouchesNothing() {
    // In a runtime folder of its own, so that a copy of the program running for this user does not
    // count. A first copy in this process listens; a second copy finds it, and asks it to come
    // forward only once its own box has been dismissed.
    rn::test::TempDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().c_str());
    rn::SingleInstance first(QStringLiteral("RamblenoteVer3"));
    QVERIFY(first.ServerName().startsWith(QString::fromStdString(runtime.path())));
    QVERIFY(!first.AnotherCopyRunning());
    QVERIFY(first.Listen());
    QSignalSpy shown(&first, &rn::SingleInstance::showRequested);
    rn::SingleInstance second(QStringLiteral("RamblenoteVer3"));
    QVERIFY(second.AnotherCopyRunning());
    QVERIFY(!shown.wait(200));
    second.AskToShow();
    QVERIFY(shown.wait(2000));
}

void MainWindowTest::aSecondStartWithAFileOpensItInTheRunningCopy() {
    rn::test::TempDir runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);  // as a session's is
    qputenv("XDG_RUNTIME_DIR", runtime.path().c_str());
    MainWindowFixture f({}, true);
    rn::SingleInstance first(QStringLiteral("RamblenoteVer3"));
    QVERIFY(first.Listen());
    connect(&first, &rn::SingleInstance::openRequested, &f.w(),
            [&f](const QString& path) { f.w().openRequestedFile(path); });
    WriteAll(f.Path("a.TXT"), "A");
    f.OpenDocument("one.Rnote", "a.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    QTest::keyClicks(f.w().editor(), "typed ");
    WriteAll(f.Path("two.Rnote"), rn::Cp932Literal("二\r\nゴミ箱\r\n"));
    // The program started again on the second document, as a double click on it would.
    const rn::test::ProgramRun second =
        rn::test::RunProgram(RN_BIN_DIR "/ramblenote", {f.Path("two.Rnote")}, f.dir.path());
    QCOMPARE(second.code, 0);
    QCOMPARE(QString::fromStdString(second.err), QString());  // and no box
    QTRY_COMPARE(f.doc().treeFile, f.Path("two.Rnote"));
    QCOMPARE(ReadAll(f.Path("a.TXT")), std::string("typed A"));
    QCOMPARE(f.Message(), rn::test::U(" ") + f.QPath("two.Rnote") + rn::test::U(" を開きました"));
    qunsetenv("XDG_RUNTIME_DIR");
}

void MainWindowTest::terminationSignalsRunTheNormalExit() {
    MainWindowFixture f({}, true);
    f.OpenDocument("t.Rnote", "a\r\nゴミ箱\r\n");
    f.doc().outline.AppendChild(nullptr, "b");
    f.w().setResidentModeOn(true);  // even a resident program ends
    rn::TerminationWatcher watcher([&f] { f.w().endOnSignal(); });
    std::raise(SIGTERM);
    QTRY_VERIFY(f.w().exitDone());
    QCOMPARE(ReadAll(f.Path("t.Rnote")), rn::Cp932Literal("a\r\nゴミ箱\r\nb\r\n"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
