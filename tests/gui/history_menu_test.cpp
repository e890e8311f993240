// SPDX-License-Identifier: MIT
// The "Tree履歴" sub-menu: how it is filled at start-up, how opens reorder it, what choosing an item
// does, and what the exit writes.
#include <sys/stat.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "core/text/cp932.h"
#include "gui/commands/history_menu.h"
#include "gui/editor/body_text_edit.h"
#include "gui_support.h"

using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

namespace {

QList<QAction*> Items(MainWindowFixture& f) {
    return f.w().historyMenu().menu()->actions();
}

// The paths the items stand for, in menu order.
QStringList Captions(MainWindowFixture& f) {
    QStringList out;
    for (QAction* a : Items(f))
        out << a->data().toString();
    return out;
}

// A document of its own in the temporary directory; returns its path.
QString Document(MainWindowFixture& f, const std::string& name) {
    WriteAll(f.Path(name), rn::Cp932Literal(name + "-本文.TXT\r\nゴミ箱\r\n"));
    WriteAll(f.Path(name + "-本文.TXT"), rn::Cp932Literal(name + " の本文"));
    return f.QPath(name);
}

void Open(MainWindowFixture& f, const std::string& name) {
    f.prompts.files.push_back(Document(f, name));
    f.Trigger("MenuTreeOpen");
}

}  // namespace

class HistoryMenuTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesTheFileAndShowsLatest();
    void opensReorderTheMenuWithTreeHistory4();
    void lettersCaseMakesSeparateEntries();
    void chosenItemOpensItsFile();
    void chosenLatestOnlySaves();
    void vanishedEntryIsReported();
    void activeSearchIsEnded();
    void bodyThatCannotBeWrittenStopsTheCommand();
    void captionsAreShownAsTheyAre();
    void fileWithSixPathsFillsFourItems();
};

void HistoryMenuTest::firstRunCreatesTheFileAndShowsLatest() {
    MainWindowFixture f;
    QVERIFY(!rn::test::Exists(f.Path("Res/Rnote履歴.Ini")));
    f.w().runStartup();
    // Created with the remembered Tree file of the delivered settings.
    QCOMPARE(ReadAll(f.Path("Res/Rnote履歴.Ini")), std::string("NULL\r\n"));
    QCOMPARE(Items(f).size(), 1);
    QCOMPARE(Items(f)[0]->objectName(), U("MenuFTRNew"));
    QCOMPARE(Items(f)[0]->text(), U("最新"));
    QCOMPARE(f.w().historyMenu().menu()->title(), U("Tree履歴"));
    Open(f, "a.Rnote");
    QCOMPARE(Captions(f), (QStringList{f.QPath("a.Rnote"), U("最新")}));
    QCOMPARE(Items(f)[0]->objectName(), U("MenuFTRNew"));
    QCOMPARE(Items(f)[0]->text(), f.QPath("a.Rnote"));
    // Opening the first one again changes nothing.
    Open(f, "a.Rnote");
    QCOMPARE(Captions(f), (QStringList{f.QPath("a.Rnote"), U("最新")}));
    // A new document counts as an open too.
    f.prompts.files.push_back(f.QPath("新.Rnote"));
    f.Trigger("MenuTreeNew");
    QCOMPARE(Captions(f), (QStringList{f.QPath("新.Rnote"), f.QPath("a.Rnote"), U("最新")}));
}

void HistoryMenuTest::opensReorderTheMenuWithTreeHistory4() {
    MainWindowFixture f;
    f.w().runStartup();
    f.w().state().settings.Ramblenote.TreeHistory = 4;
    for (const char* name : {"A.Rnote", "B.Rnote", "C.Rnote", "D.Rnote"})
        Open(f, name);
    // Four opens fill the four items; "最新" has been pushed out.
    QCOMPARE(Captions(f),
             (QStringList{f.QPath("D.Rnote"), f.QPath("C.Rnote"), f.QPath("B.Rnote"), f.QPath("A.Rnote")}));
    Open(f, "E.Rnote");
    QCOMPARE(Captions(f),
             (QStringList{f.QPath("E.Rnote"), f.QPath("D.Rnote"), f.QPath("C.Rnote"), f.QPath("B.Rnote")}));
    Open(f, "C.Rnote");
    QCOMPARE(Captions(f),
             (QStringList{f.QPath("C.Rnote"), f.QPath("E.Rnote"), f.QPath("D.Rnote"), f.QPath("B.Rnote")}));
    Open(f, "C.Rnote");
    QCOMPARE(Captions(f),
             (QStringList{f.QPath("C.Rnote"), f.QPath("E.Rnote"), f.QPath("D.Rnote"), f.QPath("B.Rnote")}));
    QCOMPARE(Items(f)[0]->objectName(), U("MenuFTRNew"));
    for (QAction* a : Items(f))
        QCOMPARE(a->text(), a->data().toString());

    // The exit writes the menu in its order; the next start shows the same.
    f.Restart();
    const std::string expected =
        rn::Utf8ToCp932(f.Path("C.Rnote")).bytes + "\r\n" + rn::Utf8ToCp932(f.Path("E.Rnote")).bytes + "\r\n" +
        rn::Utf8ToCp932(f.Path("D.Rnote")).bytes + "\r\n" + rn::Utf8ToCp932(f.Path("B.Rnote")).bytes + "\r\n";
    QCOMPARE(ReadAll(f.Path("Res/Rnote履歴.Ini")), expected);
    f.w().runStartup();
    QCOMPARE(Captions(f),
             (QStringList{f.QPath("C.Rnote"), f.QPath("E.Rnote"), f.QPath("D.Rnote"), f.QPath("B.Rnote")}));
}

void HistoryMenuTest::lettersCaseMakesSeparateEntries() {
    MainWindowFixture f;
    f.w().runStartup();
    Open(f, "case.Rnote");
    Open(f, "CASE.Rnote");
    QCOMPARE(Captions(f), (QStringList{f.QPath("CASE.Rnote"), f.QPath("case.Rnote"), U("最新")}));
}

void HistoryMenuTest::chosenItemOpensItsFile() {
    MainWindowFixture f;
    f.w().runStartup();
    Open(f, "A.Rnote");
    Open(f, "B.Rnote");
    QTest::keyClicks(f.w().editor(), "typed ");
    // Choosing A (the second item): the body being edited is written, A opens and moves up.
    QAction* a = Items(f)[1];
    QCOMPARE(a->text(), f.QPath("A.Rnote"));
    a->trigger();
    QCOMPARE(ReadAll(f.Path("B.Rnote-本文.TXT")), rn::Cp932Literal("typed B.Rnote の本文"));
    QCOMPARE(f.doc().treeFile, f.Path("A.Rnote"));
    QCOMPARE(f.Message(), U(" ") + f.QPath("A.Rnote") + U(" を開きました"));
    QCOMPARE(f.w().editor()->toPlainText(), U("A.Rnote の本文"));
    QCOMPARE(Captions(f), (QStringList{f.QPath("A.Rnote"), f.QPath("B.Rnote"), U("最新")}));
    // The first item opens its file again.
    Items(f)[0]->trigger();
    QCOMPARE(f.doc().treeFile, f.Path("A.Rnote"));
    QCOMPARE(f.Message(), U(" ") + f.QPath("A.Rnote") + U(" を開きました"));
    // Each item keeps working after the menu was reordered under it.
    Items(f)[1]->trigger();
    QCOMPARE(f.doc().treeFile, f.Path("B.Rnote"));
    Items(f)[1]->trigger();
    QCOMPARE(f.doc().treeFile, f.Path("A.Rnote"));
    QCOMPARE(Captions(f), (QStringList{f.QPath("A.Rnote"), f.QPath("B.Rnote"), U("最新")}));
}

void HistoryMenuTest::chosenLatestOnlySaves() {
    MainWindowFixture f;
    f.w().runStartup();
    Open(f, "A.Rnote");
    f.doc().outline.AppendChild(nullptr, rn::Cp932Literal("足した"));
    QTest::keyClicks(f.w().editor(), "typed ");
    QAction* latest = Items(f)[1];
    QCOMPARE(latest->text(), U("最新"));
    latest->trigger();
    QCOMPARE(f.Message(), QString());
    QCOMPARE(f.doc().treeFile, f.Path("A.Rnote"));
    QCOMPARE(ReadAll(f.Path("A.Rnote-本文.TXT")), rn::Cp932Literal("typed A.Rnote の本文"));
    QCOMPARE(ReadAll(f.Path("A.Rnote")), rn::Cp932Literal("A.Rnote-本文.TXT\r\nゴミ箱\r\n足した\r\n"));
    QCOMPARE(Captions(f), (QStringList{f.QPath("A.Rnote"), U("最新")}));
}

void HistoryMenuTest::vanishedEntryIsReported() {
    MainWindowFixture f;
    f.w().runStartup();
    Open(f, "A.Rnote");
    Open(f, "B.Rnote");
    std::filesystem::remove(f.Path("A.Rnote"));
    Items(f)[1]->trigger();
    QCOMPARE(f.Message(), U(" Treeﾌｧｲﾙ[") + f.QPath("A.Rnote") + U("]がありません｡"));
    QCOMPARE(f.doc().treeFile, f.Path("B.Rnote"));
    // Still offered while the program runs; dropped at the next start.
    QCOMPARE(Captions(f), (QStringList{f.QPath("B.Rnote"), f.QPath("A.Rnote"), U("最新")}));
    f.Restart();
    f.w().runStartup();
    QCOMPARE(Captions(f), (QStringList{f.QPath("B.Rnote")}));
}

void HistoryMenuTest::activeSearchIsEnded() {
    MainWindowFixture f;
    f.w().runStartup();
    Open(f, "A.Rnote");
    Open(f, "B.Rnote");
    f.w().bodyEditor().showResults();
    f.w().lowerPane()->setPlainText(U("検索文字=[x]"));
    f.w().lowerPane()->show();
    Items(f)[1]->trigger();
    QCOMPARE(f.doc().treeFile, f.Path("A.Rnote"));
    // Its node indexes would point into the other outline.
    QCOMPARE(f.w().bodyEditor().lowerPaneMode(), rn::gui::LowerPaneMode::Hidden);
    QVERIFY(f.w().lowerPane()->isHidden());
}

void HistoryMenuTest::bodyThatCannotBeWrittenStopsTheCommand() {
    MainWindowFixture f;
    f.w().runStartup();
    Open(f, "A.Rnote");
    Open(f, "B.Rnote");
    QTest::keyClicks(f.w().editor(), "keep ");
    ::chmod(f.Path("B.Rnote-本文.TXT").c_str(), 0444);
    f.prompts.Clear();
    Items(f)[1]->trigger();
    QCOMPARE(f.prompts.Of("erroryes").size(), 1);
    // The document stays, and so do the edits.
    QCOMPARE(f.doc().treeFile, f.Path("B.Rnote"));
    QCOMPARE(f.w().editor()->toPlainText(), U("keep B.Rnote の本文"));
    ::chmod(f.Path("B.Rnote-本文.TXT").c_str(), 0644);
    Items(f)[1]->trigger();
    QCOMPARE(f.doc().treeFile, f.Path("A.Rnote"));
    QCOMPARE(ReadAll(f.Path("B.Rnote-本文.TXT")), rn::Cp932Literal("keep B.Rnote の本文"));
}

void HistoryMenuTest::captionsAreShownAsTheyAre() {
    MainWindowFixture f;
    f.w().runStartup();
    Open(f, "R&D.Rnote");
    QAction* a = Items(f)[0];
    QCOMPARE(a->data().toString(), f.QPath("R&D.Rnote"));
    // No access key: the "&" is shown as it is.
    QVERIFY(QKeySequence::mnemonic(a->text()).isEmpty());
    QCOMPARE(QString(a->text()).replace(U("&&"), U("&")), f.QPath("R&D.Rnote"));
    a->trigger();
    QCOMPARE(f.doc().treeFile, f.Path("R&D.Rnote"));
}

void HistoryMenuTest::fileWithSixPathsFillsFourItems() {
    MainWindowFixture f;
    QStringList paths;
    for (const char* name : {"1.Rnote", "2.Rnote", "3.Rnote", "4.Rnote", "5.Rnote", "6.Rnote"})
        paths << Document(f, name);
    // A missing file in the middle takes no place; LF alone also ends a line.
    std::string history;
    history += rn::Utf8ToCp932(paths[0].toStdString()).bytes + "\r\n";
    history += rn::Utf8ToCp932(f.Path("無い.Rnote")).bytes + "\r\n";
    history += rn::Utf8ToCp932(paths[1].toStdString()).bytes + "\n";
    for (int i = 2; i < 6; ++i)
        history += rn::Utf8ToCp932(paths[i].toStdString()).bytes + "\r\n";
    WriteAll(f.Path("Res/Rnote履歴.Ini"), history);
    std::string ini = ReadAll(f.Path("Res/Ramblenote.Ini"));
    const std::size_t at = ini.find("TreeHistory=8\r\n");
    QVERIFY(at != std::string::npos);
    ini.replace(at, 15, "TreeHistory=4\r\n");
    WriteAll(f.Path("Res/Ramblenote.Ini"), ini);
    f.w().runStartup();
    QCOMPARE(Captions(f), paths.mid(0, 4));
    // The fixture's program delivers no guide, which the first start notes.
    QVERIFY(f.Message().startsWith(U(" Rnote ファイルを開いて下さい")));
}

QTEST_MAIN(HistoryMenuTest)
#include "history_menu_test.moc"
