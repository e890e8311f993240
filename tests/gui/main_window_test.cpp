// SPDX-License-Identifier: MIT
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
    void everyNameIsReachableAndEveryShortcutRunsItsCommand();
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

void MainWindowTest::everyNameIsReachableAndEveryShortcutRunsItsCommand() {
    MainWindowFixture f;
    rn::gui::MainWindow& w = f.w();
    // The names UI automation and the tests find things by.
    for (const char* name : {"FormTree",     "PanelBase",    "PanelTree", "TreeView1",  "PanelMa",      "Splitter2",
                             "PanelMemo",    "MemoM",        "MemoF",     "StatusBar1", "StatusPanel0", "StatusPanel1",
                             "StatusPanel2", "StatusPanel3", "ToolBar1",  "NodeF",      "EnvironmentF", "PopupTreeMenu",
                             "PopupMenuTI",  "MenuTree",     "MenuNode",  "MenuTool",   "MenuHelp",     "MenuFTR"})
        QVERIFY2(w.objectName() == name || w.findChild<QObject*>(QString::fromLatin1(name)), name);
    QVERIFY(w.mainSplitter()->handle(1)->objectName() == QStringLiteral("Splitter1"));
    for (const char* name :
         {"ToolButtonCAdd",  "ToolButtonAdd", "ToolButtonIns",  "ToolButtonDel", "ToolButtonPrin",   "ToolButtonTNew",
          "ToolButtonTOpen", "ToolButtonTAB", "ToolButtonCR",   "ToolButtonSpr", "ToolButtonSearch", "ToolButtonCust",
          "MenuTreeOpen",    "MenuTreeNew",   "MenuTreeEND",    "MenuTreeQ",     "MenuNodeAdd",      "MenuNodeCAdd",
          "MenuNodeIns",     "MenuNodeDel",   "MenuNodeReName", "MenuNodePrin",  "MenuToolSearch",   "MenuToolBO",
          "MenuToolCount",   "MenuToolCust",  "MenuHelpShow",   "MenuHelpVer",   "TIMenu1",          "TIMenu2",
          "TIMenu3",         "TIMenu4",       "TPM_Item1",      "TPM_Item2"})
        QVERIFY2(w.findChild<QAction*>(QString::fromLatin1(name)), name);
    QVERIFY(w.trayIcon() && !w.trayIcon()->isVisible());
    // Each shortcut runs its command: without a document, each says so in the message panel.
    f.OpenDocument("doc.Rnote", "a\r\nゴミ箱\r\n");
    w.outlineView()->setCurrentIndex(QModelIndex());
    const std::pair<QKeySequence, QString> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), QStringLiteral(" 追加ノード位置を選択して下さい")},
        {QKeySequence(Qt::CTRL | Qt::Key_I), QStringLiteral(" 挿入ノード位置を選択して下さい")},
        {QKeySequence(Qt::CTRL | Qt::Key_D), QStringLiteral(" 削除ノード位置を選択して下さい")},
        {QKeySequence(Qt::Key_F2), QStringLiteral(" ノード名変更位置を選択して下さい")},
        {QKeySequence(Qt::CTRL | Qt::Key_P), QStringLiteral(" 印刷プログラムを指定して下さい")},
    };
    for (const auto& [key, message] : keys) {
        QAction* action = nullptr;
        for (QAction* a : w.findChildren<QAction*>())
            if (a->shortcut() == key) action = a;
        QVERIFY2(action, qPrintable(key.toString()));
        action->trigger();
        QCOMPARE(f.Message(), message);
    }
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
