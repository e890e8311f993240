// SPDX-License-Identifier: MIT
// The node search through the real window: the command's refusals, the result list in the lower
// pane, narrowing it, and the jump from a list line to the editor.
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

#include "core/text/cp932.h"
#include "gui/commands/search_commands.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui_support.h"
#include "node_dialog_support.h"

using rn::gui::LowerPaneMode;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

namespace {

// By absolute index: 0 A.TXT, 1 章 (folder), 2 B.TXT, 3 Wrap.TXT, 4 ゴミ箱, 5 屑.TXT (in the trash).
const char* const kOutline = "A.TXT\r\n章\r\n\tB.TXT\r\n\tWrap.TXT\r\nゴミ箱\r\n\t屑.TXT\r\n";
const QString kLongLine = QString(400, QLatin1Char('w'));

void OpenOutline(MainWindowFixture& f) {
    f.w().runStartup();
    WriteAll(f.Path("A.TXT"), rn::Cp932Literal("abc abc\r\nxyz"));
    WriteAll(f.Path("B.TXT"), rn::Cp932Literal("aaaa\nabc"));
    const std::string wrapped = kLongLine.toStdString() + "\r\n";
    WriteAll(f.Path("Wrap.TXT"), wrapped + wrapped + wrapped + rn::Cp932Literal("前にabc、後にabc"));
    WriteAll(f.Path("屑.TXT"), rn::Cp932Literal("ゴミのabc"));
    f.OpenDocument("doc.Rnote", kOutline);
}

// Runs the search command with `key` typed into the dialog (cancelled when empty).
void Search(MainWindowFixture& f, const QString& key) {
    if (key.isEmpty())
        rn::test::CancelNodeDialog(f.w().nodeDialog());
    else
        rn::test::AnswerNodeDialog(f.w().nodeDialog(), key);
    f.Trigger("ToolButtonSearch");
}

QString List(MainWindowFixture& f) {
    return f.w().lowerPane()->toPlainText();
}

bool ListShown(MainWindowFixture& f) {
    return f.w().bodyEditor().lowerPaneMode() == LowerPaneMode::Results && !f.w().lowerPane()->isHidden();
}

// Clicks line `line` of the lower pane with the mouse.
void ClickListLine(MainWindowFixture& f, int line) {
    QPlainTextEdit* pane = f.w().lowerPane();
    QTextCursor at(pane->document()->findBlockByNumber(line));
    pane->setTextCursor(at);
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->cursorRect(at).center());
}

// With "abc " typed at the start of B.TXT, which is being edited.
const char* const kAbcList =
    "検索文字=[abc] --- 7箇所検索\n"
    "--------------\n"
    "0,1,0,1,A.TXT:abc abc\n"
    "0,1,4,1,A.TXT:abc abc\n"
    "2,1,0,1,B.TXT:abc aaaa\n"
    "2,1,10,2,B.TXT:abc\n"
    "3,1,1210,4,Wrap.TXT:前にabc、後にabc\n"
    "3,1,1219,4,Wrap.TXT:前にabc、後にabc\n"
    "5,1,6,1,屑.TXT:ゴミのabc";

}  // namespace

class SearchTest : public QObject {
    Q_OBJECT
private slots:
    void commandIsOfferedOnToolBarAndMenu();
    void refusalsCloseThePane_data();
    void refusalsCloseThePane();
    void newSearchListsEveryOccurrence();
    void narrowingSearchesTheListedNodesOnly();
    void narrowingThatFindsNothingClosesTheList();
    void jumpSelectsNodeAndFirstOccurrenceOnLine();
    void jumpFindsPhysicalLineUnderWrapping();
    void theListIsUsedFromTheKeyboard();
    void clicksOutsideResultLinesDoNothing();
};

void SearchTest::commandIsOfferedOnToolBarAndMenu() {
    MainWindowFixture f;
    for (const char* name : {"ToolButtonSearch", "MenuToolSearch"}) {
        auto* action = f.w().findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(action && action->isVisible(), name);
    }
    // The same command from the menu: nothing open yet.
    f.Trigger("MenuToolSearch");
    QCOMPARE(f.Message(), U(" Rnote ファイルを 開くか/新規作成して下さい"));
}

void SearchTest::refusalsCloseThePane_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled") << QString() << U(" ノード検索処理はキャンセルされました");
    QTest::newRow("nothing found") << U("ない") << U(" 検索文字 ない は有りません");
}

void SearchTest::refusalsCloseThePane() {
    QFETCH(QString, key);
    QFETCH(QString, message);
    MainWindowFixture f;
    OpenOutline(f);
    f.Trigger("ToolButtonSpr");  // a split screen in progress ends too
    QVERIFY(!f.w().lowerPane()->isHidden());
    f.prompts.beeps = 0;
    Search(f, key);
    QCOMPARE(f.Message(), message);
    QCOMPARE(f.prompts.beeps, 1);
    QCOMPARE(f.w().bodyEditor().lowerPaneMode(), LowerPaneMode::Hidden);
    QVERIFY(f.w().lowerPane()->isHidden());
}

void SearchTest::newSearchListsEveryOccurrence() {
    MainWindowFixture f;
    OpenOutline(f);
    f.Select(2);
    QTest::keyClicks(f.w().editor(), "abc ");  // written before the search reads the files
    Search(f, U("abc"));
    QCOMPARE(f.w().nodeDialog().windowTitle(), U("検索"));
    QCOMPARE(List(f), U(kAbcList));
    QVERIFY(ListShown(f));
    QCOMPARE(f.Message(), QString());
}

void SearchTest::narrowingSearchesTheListedNodesOnly() {
    MainWindowFixture f;
    OpenOutline(f);
    f.Select(1);  // editor state 0
    Search(f, U("abc"));
    QVERIFY(ListShown(f));
    // "aaaa" is in B.TXT only; the new key is looked for in the whole body, not on the listed lines.
    Search(f, U("a"));
    QCOMPARE(f.w().nodeDialog().windowTitle(), U("検索(絞り込み)"));
    QCOMPARE(List(f), U("絞り込み検索文字=[a] --- 10箇所検索\n"
                        "--------------------\n"
                        "0,0,0,1,A.TXT:abc abc\n0,0,4,1,A.TXT:abc abc\n"
                        "2,0,0,1,B.TXT:aaaa\n2,0,1,1,B.TXT:aaaa\n2,0,2,1,B.TXT:aaaa\n2,0,3,1,B.TXT:aaaa\n"
                        "2,0,6,2,B.TXT:abc\n"
                        "3,0,1210,4,Wrap.TXT:前にabc、後にabc\n3,0,1219,4,Wrap.TXT:前にabc、後にabc\n"
                        "5,0,6,1,屑.TXT:ゴミのabc"));
    Search(f, U("aaaa"));
    QCOMPARE(List(f), U("絞り込み検索文字=[aaaa] --- 1箇所検索\n-----------------------\n2,0,0,1,B.TXT:aaaa"));
}

void SearchTest::narrowingThatFindsNothingClosesTheList() {
    MainWindowFixture f;
    OpenOutline(f);
    Search(f, U("abc"));
    Search(f, U("xyz"));
    QCOMPARE(List(f), U("絞り込み検索文字=[xyz] --- 1箇所検索\n----------------------\n0,1,9,2,A.TXT:xyz"));
    // In the nodes listed now, "aaaa" of B.TXT is out of reach.
    Search(f, U("aaaa"));
    QCOMPARE(f.Message(), U(" 検索文字 aaaa は有りません"));
    QCOMPARE(f.w().bodyEditor().lowerPaneMode(), LowerPaneMode::Hidden);
    QVERIFY(f.w().lowerPane()->isHidden());
    // The next search is a new one again.
    Search(f, U("aaaa"));
    QVERIFY(List(f).startsWith(U("検索文字=[aaaa] --- 1箇所検索\n")));
}

void SearchTest::jumpSelectsNodeAndFirstOccurrenceOnLine() {
    MainWindowFixture f(QStringList(), true);
    OpenOutline(f);
    Search(f, U("abc"));
    f.Select(2);
    QTest::keyClicks(f.w().editor(), "edited ");
    ClickListLine(f, 3);  // the second "abc" of A.TXT's first line
    QCOMPARE(f.NodeText(f.doc().outline.IndexOf(f.w().selectedNode())), std::string("A.TXT"));
    QCOMPARE(ReadAll(f.Path("B.TXT")), std::string("edited aaaa\r\nabc"));  // the body left was written
    QTextCursor c = f.w().editor()->textCursor();
    QCOMPARE(c.selectionStart(), 0);
    QCOMPARE(c.selectedText(), U("abc"));
    QCOMPARE(f.w().focusWidget(), f.w().editor());
    QVERIFY(ListShown(f));
    // Enter on a line jumps as well: the trash's text node, shown read-only.
    QPlainTextEdit* pane = f.w().lowerPane();
    pane->setTextCursor(QTextCursor(pane->document()->findBlockByNumber(7)));
    QTest::keyClick(pane, Qt::Key_Return);
    QCOMPARE(f.NodeText(f.doc().outline.IndexOf(f.w().selectedNode())), std::string("屑.TXT"));
    QCOMPARE(f.w().editor()->textCursor().selectionStart(), 3);
    QCOMPARE(f.w().editor()->textCursor().selectedText(), U("abc"));
}

void SearchTest::theListIsUsedFromTheKeyboard() {
    MainWindowFixture f(QStringList(), true);
    OpenOutline(f);
    Search(f, U("abc"));
    QPlainTextEdit* pane = f.w().lowerPane();
    auto current = [pane] { return pane->textCursor().blockNumber(); };
    // The list has the keys, its first result line current and marked across the pane.
    QCOMPARE(f.w().focusWidget(), pane);
    QCOMPARE(current(), 2);
    QCOMPARE(pane->extraSelections().size(), 1);
    QCOMPARE(pane->extraSelections()[0].cursor.blockNumber(), 2);
    const struct {
        Qt::Key key;
        int line;
    } moves[] = {{Qt::Key_Up, 2},   {Qt::Key_Down, 3},   {Qt::Key_End, 7},       {Qt::Key_Down, 7},
                 {Qt::Key_Home, 2}, {Qt::Key_PageUp, 2}, {Qt::Key_PageDown, -1}, {Qt::Key_Up, -1}};
    for (const auto& move : moves) {
        const int before = current();
        QTest::keyClick(pane, move.key);
        if (move.line < 0) {
            QVERIFY(move.key == Qt::Key_Up ? current() == before - 1 : current() > before);
        } else {
            QCOMPARE(current(), move.line);
        }
        QCOMPARE(pane->extraSelections()[0].cursor.blockNumber(), current());
    }
    // A line chosen with the keys: the second "abc" of A.TXT's first line.
    QTest::keyClick(pane, Qt::Key_Home);
    QTest::keyClick(pane, Qt::Key_Down);
    QTest::keyClick(pane, Qt::Key_Return);
    QCOMPARE(f.NodeText(f.doc().outline.IndexOf(f.w().selectedNode())), std::string("A.TXT"));
    QCOMPARE(f.w().editor()->textCursor().selectedText(), U("abc"));
    QVERIFY(ListShown(f));
}

void SearchTest::jumpFindsPhysicalLineUnderWrapping() {
    MainWindowFixture f(QStringList(), true);
    OpenOutline(f);
    QVERIFY(f.w().state().settings.Memo.WordWrap);
    f.w().resize(400, 400);
    Search(f, U("abc"));
    ClickListLine(f, 6);  // the second occurrence on Wrap.TXT's fourth line
    QPlainTextEdit* editor = f.w().editor();
    const QTextBlock first = editor->document()->firstBlock();
    editor->document()->documentLayout()->blockBoundingRect(first);
    QVERIFY(first.layout()->lineCount() > 1);
    QTextCursor c = editor->textCursor();
    QCOMPARE(c.block().blockNumber(), 3);
    QCOMPARE(c.selectionStart() - c.block().position(), 2);
    QCOMPARE(c.selectedText(), U("abc"));
}

void SearchTest::clicksOutsideResultLinesDoNothing() {
    MainWindowFixture f(QStringList(), true);
    OpenOutline(f);
    f.Select(2);
    Search(f, U("abc"));
    for (int line : {0, 1}) {
        ClickListLine(f, line);
        QCOMPARE(f.w().selectedNode(), f.doc().outline.At(2));
    }
    // Once the list is closed (here by the split toggle) its lines take no clicks.
    f.Trigger("ToolButtonSpr");
    f.w().searchCommands().jumpToResult(2);
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(2));
}

QTEST_MAIN(SearchTest)
#include "search_test.moc"
