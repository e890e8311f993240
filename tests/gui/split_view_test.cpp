// SPDX-License-Identifier: MIT
// The split screen: the lower pane follows the editor or keeps its node, shows what is saved and
// follows its file on disk.
#include <QSplitter>
#include <QTest>

#include "body_editor_support.h"

using namespace rn::test::body;

class SplitViewTest : public QObject {
    Q_OBJECT
private slots:
    void splitScreenFollowsTheEditorWithIlswOn();
    void splitScreenKeepsItsNodeWithIlswOff();
    void splitScreenShowsTheSavedBody();
    void splitScreenFollowsItsFileOnDisk();
    void splitToggleOutsideATextNodeAndOverResults();
};

void SplitViewTest::splitScreenFollowsTheEditorWithIlswOn() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    QVERIFY(w.state().settings.AddMemo.ILSW);
    f.Select(2);
    f.Trigger("ToolButtonSpr");
    QCOMPARE(f.Message(), U(" メモ画面を分割しました"));
    QCOMPARE(w.bodyEditor().lowerPaneMode(), LowerPaneMode::Split);
    QVERIFY(w.lowerPane()->isVisible());
    QVERIFY(w.editorSplitter()->isVisible());
    QVERIFY(w.lowerPane()->isReadOnly());
    QCOMPARE(w.lowerPane()->toPlainText(), U("ビー\nLF だけの行\n"));

    f.Select(3);
    QCOMPARE(w.lowerPane()->toPlainText(), U("シー"));
    f.Select(4);  // a folder leaves the lower pane as it is
    QCOMPARE(w.lowerPane()->toPlainText(), U("シー"));
    QVERIFY(w.lowerPane()->isVisible());
    f.Select(9);  // a text node in the trash is a text node too
    QCOMPARE(w.lowerPane()->toPlainText(), U("捨てた\n本文"));

    f.Trigger("ToolButtonSpr");
    QCOMPARE(f.Message(), U(" メモ画面分割を解除しました"));
    QCOMPARE(w.bodyEditor().lowerPaneMode(), LowerPaneMode::Hidden);
    QVERIFY(w.lowerPane()->isHidden());
    // Hidden, it follows nothing.
    f.Select(5);
    QCOMPARE(w.lowerPane()->toPlainText(), U("捨てた\n本文"));
}

void SplitViewTest::splitScreenKeepsItsNodeWithIlswOff() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    w.state().settings.AddMemo.ILSW = false;
    f.Select(3);
    f.Trigger("ToolButtonSpr");
    QCOMPARE(w.lowerPane()->toPlainText(), U("シー"));
    for (int i : {5, 6, 0, 4})
        f.Select(i);
    QCOMPARE(w.lowerPane()->toPlainText(), U("シー"));
    QCOMPARE(Memo(f), U("エー本文"));  // the last text node selected
    QVERIFY(w.lowerPane()->isVisible());
}

void SplitViewTest::splitScreenShowsTheSavedBody() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    QTest::keyClicks(w.editor(), "unsaved ");
    f.Trigger("ToolButtonSpr");
    QCOMPARE(w.lowerPane()->toPlainText(), U("エー本文"));
    QCOMPARE(Memo(f), U("unsaved エー本文"));
    // The lower pane is never written: leaving writes what the upper editor holds.
    f.Select(2);
    QCOMPARE(ReadAll(f.Path("A.TXT")), rn::Cp932Literal("unsaved エー本文"));
    f.Select(0);
    QCOMPARE(w.lowerPane()->toPlainText(), U("unsaved エー本文"));
}

void SplitViewTest::splitScreenFollowsItsFileOnDisk() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    f.Select(3);
    f.Trigger("ToolButtonSpr");
    SetCaret(w.lowerPane(), 1);
    // Both panes on C.TXT: the lower one reads another program's change, the typed text stays above.
    QTest::keyClicks(w.editor(), "typed ");
    WriteAll(f.Path("C.TXT"), rn::Cp932Literal("外で変更"));
    QTRY_COMPARE(w.lowerPane()->toPlainText(), U("外で変更"));
    QCOMPARE(w.lowerPane()->textCursor().position(), 1);
    QCOMPARE(Memo(f), U("typed シー"));
    // Not linked, it keeps following the file of its node, also when the editor writes it.
    w.state().settings.AddMemo.ILSW = false;
    f.prompts.answers = {true};  // over the other program's change
    f.Select(0);
    QTRY_COMPARE(w.lowerPane()->toPlainText(), U("typed シー"));
    WriteAll(f.Path("C.TXT"), rn::Cp932Literal("二度目"));
    QTRY_COMPARE(w.lowerPane()->toPlainText(), U("二度目"));
    QCOMPARE(Memo(f), U("エー本文"));
}

void SplitViewTest::splitToggleOutsideATextNodeAndOverResults() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    // With no document at all.
    f.Trigger("ToolButtonSpr");
    QCOMPARE(f.Message(), U(" 2画面分割するには､テキストノードを指定して下さい"));
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    for (int i : {1, 8, 9}) {
        f.Select(i);
        f.Trigger("ToolButtonSpr");
        QCOMPARE(f.Message(), U(" 2画面分割するには､テキストノードを指定して下さい"));
        QCOMPARE(w.bodyEditor().lowerPaneMode(), LowerPaneMode::Hidden);
        QVERIFY(w.lowerPane()->isHidden());
    }
    // A search result list in the lower pane is closed by the same button.
    w.bodyEditor().showResults();
    w.lowerPane()->setPlainText(U("検索結果"));
    w.lowerPane()->show();
    f.Trigger("ToolButtonSpr");
    QCOMPARE(f.Message(), U(" メモ画面分割を解除しました"));
    QCOMPARE(w.bodyEditor().lowerPaneMode(), LowerPaneMode::Hidden);
    QVERIFY(w.lowerPane()->isHidden());
}

QTEST_MAIN(SplitViewTest)
#include "split_view_test.moc"
