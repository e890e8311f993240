// SPDX-License-Identifier: MIT
// Start-up and exit through whole runs of the program in one temporary program directory: what the
// first activation reads, reopens and reselects, and what the exit writes back. Also the sample
// document that the program is delivered with.
#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "core/settings/history.h"
#include "core/settings/resdir.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "gui/commands/history_menu.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui_support.h"

using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

namespace {

// Seven nodes; the fifth (index 4) lies two levels down, inside branches that open collapsed.
//  0 序.TXT
//  1 第1部
//  2   第1章
//  3     節1.TXT
//  4     節2.TXT
//  5   第2章.TXT
//  6 ゴミ箱
const char* const kOutline = "序.TXT\r\n第1部\r\n\t第1章\r\n\t\t節1.TXT\r\n\t\t節2.TXT\r\n\t第2章.TXT\r\nゴミ箱\r\n";

void WriteBodies(MainWindowFixture& f) {
    WriteAll(f.Path("序.TXT"), rn::Cp932Literal("序文"));
    WriteAll(f.Path("節1.TXT"), rn::Cp932Literal("一つ目の節"));
    WriteAll(f.Path("節2.TXT"), rn::Cp932Literal("二つ目の節"));
    WriteAll(f.Path("第2章.TXT"), rn::Cp932Literal("第二章"));
}

// A Tree file with the outline above, written without opening it.
std::string WriteDocument(MainWindowFixture& f, const std::string& name) {
    WriteBodies(f);
    WriteAll(f.Path(name), rn::Cp932Literal(kOutline));
    return f.Path(name);
}

std::string Ini(MainWindowFixture& f) {
    return ReadAll(f.Path("Res/Ramblenote.Ini"));
}

// The [Start] section as the settings file holds it (CP932).
std::string StartSection(MainWindowFixture& f) {
    const std::string ini = Ini(f);
    const std::size_t from = ini.find("[Start]\r\n");
    if (from == std::string::npos) return {};
    const std::size_t to = ini.find("\r\n[", from);
    return ini.substr(from, to == std::string::npos ? std::string::npos : to + 2 - from);
}

std::string StartOf(const std::string& treeFileName, int nodeNo, bool treeOpen = true, bool docMovement = true) {
    return "[Start]\r\nTreeOpen=" + std::string(treeOpen ? "1" : "0") + "\r\nDocMovement=" + (docMovement ? "1" : "0") +
           "\r\nTreeFileName=" + rn::Utf8ToCp932(treeFileName).bytes + "\r\nNodeNo=" + std::to_string(nodeNo) + "\r\n";
}

// Replaces one "Key=value" line of the settings file before the program reads it.
void SetIniValue(MainWindowFixture& f, const std::string& key, const std::string& value) {
    std::string ini = Ini(f);
    const std::size_t at = ini.find("\n" + key + "=");
    QVERIFY2(at != std::string::npos, key.c_str());
    const std::size_t end = ini.find("\r\n", at + 1);
    ini.replace(at + 1, end - at - 1, key + "=" + value);
    WriteAll(f.Path("Res/Ramblenote.Ini"), ini);
}

// Ends the program and puts the delivered settings file back, to be adjusted with SetIniValue before
// the next Restart. (A window that was never activated writes an empty record at its exit.)
void EndWithDeliveredSettings(MainWindowFixture& f) {
    f.window.reset();
    WriteAll(f.Path("Res/Ramblenote.Ini"), rn::DeliveredSettings());
}

bool ExpandedUpTo(MainWindowFixture& f, rn::Node* node) {
    for (rn::Node* p = node->parent; p && p->parent; p = p->parent)
        if (!f.w().outlineView()->isExpanded(f.w().outlineModel()->indexOf(p))) return false;
    return true;
}

QString Opened(const std::string& path) {
    return U(" ") + QString::fromStdString(path) + U(" を開きました");
}

}  // namespace

class StartupExitTest : public QObject {
    Q_OBJECT
private slots:
    void fullCycleFromNoSettingsFile();
    void treeOpenOffStoresNull();
    void vanishedFile();
    void argumentTakesPrecedence();
    void argumentNamingNoFileIsIgnored();
    void relativeArgumentIsRememberedAbsolute();
    void nodeNoOutOfRangeOrDocMovementOff();
    void startupSelectionsKeepNodeNo();
    void historyFileAfterACycle();
    void startFileThatIsNotLoaded();
    void exitRunsOnce();
    void aSignalEndsWithoutABoxAndBrokenValuesAreRepaired();
    void sampleDocumentOpensCleanly();
};

void StartupExitTest::fullCycleFromNoSettingsFile() {
    MainWindowFixture f;
    // First run: Res/ exists but holds no settings file.
    std::filesystem::remove(f.Path("Res/Ramblenote.Ini"));
    const QFont builtInFont = f.w().editor()->font();
    f.w().runStartup();
    QVERIFY(f.w().state().startupDone);
    // The fixture's program delivers no guide, which the first start notes.
    QVERIFY(f.Message().startsWith(U(" 前回開いた Rnote ファイルがありません")));
    QCOMPARE(f.doc().treeFile, std::string("NULL"));
    QCOMPARE(f.doc().outline.Count(), 0);
    QCOMPARE(f.w().windowTitle(), U("Ramblenote"));
    QCOMPARE(f.w().editor()->font(), builtInFont);
    QVERIFY(!f.w().state().settings.Start.TreeOpen);
    // The history file is created with the (empty) remembered Tree file.
    QCOMPARE(ReadAll(f.Path("Res/Rnote履歴.Ini")), std::string("\r\n"));

    WriteBodies(f);
    f.OpenDocument("サイクル.Rnote", kOutline);
    const std::string doc = f.Path("サイクル.Rnote");
    QCOMPARE(f.doc().treeFile, doc);
    f.Select(4);
    QCOMPARE(f.w().state().settings.Start.NodeNo, 4);
    f.w().editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.w().editor(), " +edit");
    // As the settings dialog would: reopen the document and the node next time.
    f.w().state().settings.Start.TreeOpen = true;
    f.w().state().settings.Start.DocMovement = true;

    f.Restart();
    // The exit wrote the body being edited, the outline, the history and the settings.
    QCOMPARE(ReadAll(f.Path("節2.TXT")), rn::Cp932Literal("二つ目の節 +edit"));
    QCOMPARE(ReadAll(doc), rn::Cp932Literal(kOutline));
    QCOMPARE(ReadAll(f.Path("Res/Rnote履歴.Ini")), rn::Utf8ToCp932(doc).bytes + "\r\n");
    QCOMPARE(StartSection(f), StartOf(doc, 4));
    const std::string ini = Ini(f);
    std::vector<std::size_t> sections;
    for (const char* s :
         {"[Form]", "[PanelTree]", "[Ramblenote]", "[Start]", "[Tree]", "[Memo]", "[AddMemo]", "[Others]"})
        sections.push_back(ini.find(s));
    QVERIFY(std::is_sorted(sections.begin(), sections.end()));
    QVERIFY(sections.back() != std::string::npos);

    // Second run: the document and the node come back; the node's branch is opened.
    f.w().runStartup();
    QCOMPARE(f.doc().treeFile, doc);
    QCOMPARE(f.w().windowTitle(), U("Ramblenote：") + QString::fromStdString(doc));
    rn::Node* fifth = f.doc().outline.At(4);
    QCOMPARE(f.w().selectedNode(), fifth);
    QVERIFY(ExpandedUpTo(f, fifth));
    QCOMPARE(f.w().editor()->toPlainText(), U("二つ目の節 +edit"));
    QCOMPARE(f.w().bodyEditor().state(), rn::kEditing);
    QCOMPARE(f.Panel(0), U("No.5/3階層/0子"));
    QCOMPARE(f.w().state().settings.Start.NodeNo, 4);
    // The settings file written by the first run had no fonts: the window kept usable ones.
    QVERIFY(!f.w().editor()->font().family().isEmpty());
    QVERIFY(f.w().editor()->fontInfo().pixelSize() > 0);

    // From now on every selection change is remembered.
    f.Select(2);
    QCOMPARE(f.w().state().settings.Start.NodeNo, 2);
    f.Restart();
    QCOMPARE(StartSection(f), StartOf(doc, 2));
}

void StartupExitTest::treeOpenOffStoresNull() {
    MainWindowFixture f;
    f.w().runStartup();
    WriteBodies(f);
    f.OpenDocument("off.Rnote", kOutline);
    f.Select(3);
    f.w().state().settings.Start.TreeOpen = false;
    f.Restart();
    QCOMPARE(StartSection(f), StartOf("NULL", 3, false));
    f.w().runStartup();
    QCOMPARE(f.Message(), U(" Rnote ファイルを開いて下さい"));
    QCOMPARE(f.doc().treeFile, std::string("NULL"));
    QCOMPARE(f.doc().outline.Count(), 0);
    QVERIFY(f.w().editor()->isHidden());
    // The history still knows the document.
    QCOMPARE(f.w().historyMenu().menu()->actions().first()->data().toString(), f.QPath("off.Rnote"));
}

void StartupExitTest::vanishedFile() {
    MainWindowFixture f;
    const std::string doc = WriteDocument(f, "消える.Rnote");
    SetIniValue(f, "TreeFileName", rn::Utf8ToCp932(doc).bytes);
    std::filesystem::remove(doc);
    f.w().runStartup();
    // The fixture's program delivers no guide, which the first start notes.
    QVERIFY(f.Message().startsWith(U(" 前回開いた Rnote ファイルがありません")));
    QCOMPARE(f.doc().treeFile, std::string("NULL"));
    QCOMPARE(f.doc().outline.Count(), 0);
    f.Restart();
    QCOMPARE(StartSection(f), StartOf("NULL", 0));
    QVERIFY(!rn::test::Exists(doc));
}

void StartupExitTest::argumentTakesPrecedence() {
    MainWindowFixture f;
    const std::string remembered = WriteDocument(f, "前回.Rnote");
    const std::string argument = WriteDocument(f, "引数.Rnote");
    EndWithDeliveredSettings(f);
    SetIniValue(f, "TreeFileName", rn::Utf8ToCp932(remembered).bytes);
    SetIniValue(f, "DocMovement", "0");
    f.Restart({QString::fromStdString(argument), U("ignored")});
    f.w().runStartup();
    QCOMPARE(f.doc().treeFile, argument);
    QCOMPARE(f.Message(), Opened(argument));
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
    // It becomes what the next start reopens.
    f.Restart();
    QCOMPARE(StartSection(f), StartOf(argument, 0, true, false));
}

void StartupExitTest::argumentNamingNoFileIsIgnored() {
    MainWindowFixture f;
    const std::string remembered = WriteDocument(f, "前回.Rnote");
    EndWithDeliveredSettings(f);
    SetIniValue(f, "TreeFileName", rn::Utf8ToCp932(remembered).bytes);
    for (const QString& argument : {f.QPath("無い.Rnote"), QString::fromStdString(f.dir.path()), QString()}) {
        f.Restart({argument});
        f.w().runStartup();
        QCOMPARE(f.doc().treeFile, remembered);
        QCOMPARE(f.Message(), Opened(remembered));
    }
}

void StartupExitTest::relativeArgumentIsRememberedAbsolute() {
    MainWindowFixture f;
    const std::string doc = WriteDocument(f, "相対.Rnote");
    EndWithDeliveredSettings(f);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(f.dir.path()));
    f.Restart({U("./相対.Rnote")});
    f.w().runStartup();
    QDir::setCurrent(previous);
    QCOMPARE(f.doc().treeFile, doc);
    QCOMPARE(f.Message(), Opened(doc));
    // Bodies are found from the tree directory, wherever the program was started from.
    QCOMPARE(f.w().editor()->toPlainText(), U("序文"));
    f.Restart();
    QCOMPARE(StartSection(f), StartOf(doc, 0));
}

void StartupExitTest::nodeNoOutOfRangeOrDocMovementOff() {
    MainWindowFixture f;
    const std::string doc = WriteDocument(f, "範囲.Rnote");
    EndWithDeliveredSettings(f);
    SetIniValue(f, "TreeFileName", rn::Utf8ToCp932(doc).bytes);
    for (const char* nodeNo : {"7", "99", "-1"}) {
        SetIniValue(f, "NodeNo", nodeNo);
        f.Restart();
        f.w().runStartup();
        QCOMPARE(f.doc().treeFile, doc);
        QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
        QCOMPARE(f.Message(), Opened(doc));
        QCOMPARE(f.w().state().settings.Start.NodeNo, std::atoi(nodeNo));
        f.window.reset();
    }
    // The last node is in range.
    SetIniValue(f, "NodeNo", "6");
    f.Restart();
    f.w().runStartup();
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(6));
    QCOMPARE(f.Message(), U(" ゴミです"));
    f.window.reset();
    // Without DocMovement the first node stays selected, whatever NodeNo says.
    SetIniValue(f, "NodeNo", "4");
    SetIniValue(f, "DocMovement", "0");
    f.Restart();
    f.w().runStartup();
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
    QCOMPARE(f.w().editor()->toPlainText(), U("序文"));
    QCOMPARE(f.Message(), Opened(doc));
}

void StartupExitTest::startupSelectionsKeepNodeNo() {
    MainWindowFixture f;
    const std::string doc = WriteDocument(f, "保持.Rnote");
    EndWithDeliveredSettings(f);
    SetIniValue(f, "TreeFileName", rn::Utf8ToCp932(doc).bytes);
    SetIniValue(f, "NodeNo", "3");
    SetIniValue(f, "DocMovement", "0");
    f.Restart();
    // Selections before the first activation has finished leave NodeNo as the file gave it.
    f.w().runStartup();
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
    QCOMPARE(f.w().state().settings.Start.NodeNo, 3);
    QCOMPARE(f.Panel(0), U("No.4/1階層/0子"));  // the remembered number, for the first node
    // The first selection change afterwards stores its node.
    f.Select(5);
    QCOMPARE(f.w().state().settings.Start.NodeNo, 5);
    QCOMPARE(f.Panel(0), U("No.6/2階層/0子"));

    // With DocMovement on, the reselection itself happens before the end of the start-up too.
    f.window.reset();
    SetIniValue(f, "NodeNo", "4");
    SetIniValue(f, "DocMovement", "1");
    f.Restart();
    f.w().runStartup();
    QCOMPARE(f.w().state().settings.Start.NodeNo, 4);
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(4));
}

void StartupExitTest::historyFileAfterACycle() {
    MainWindowFixture f;
    // Delivered settings, no history file yet: it is created with the remembered "NULL".
    f.w().runStartup();
    QCOMPARE(ReadAll(f.Path("Res/Rnote履歴.Ini")), std::string("NULL\r\n"));
    // The fixture's program delivers no guide, which the first start notes.
    QVERIFY(f.Message().startsWith(U(" Rnote ファイルを開いて下さい")));
    f.Restart();
    // Nothing was opened: the menu's single item is written as it reads.
    QCOMPARE(ReadAll(f.Path("Res/Rnote履歴.Ini")), rn::Cp932Literal("最新\r\n"));
    f.w().runStartup();
    QCOMPARE(f.w().historyMenu().menu()->actions().size(), 1);
    QCOMPARE(f.w().historyMenu().menu()->actions().first()->text(), U("最新"));

    WriteBodies(f);
    f.OpenDocument("一.Rnote", kOutline);
    f.OpenDocument("二.Rnote", kOutline);
    f.Restart();
    // CP932 paths, most recent first, CR LF after every line.
    const std::string expected = rn::Utf8ToCp932(f.Path("二.Rnote")).bytes + "\r\n" +
                                 rn::Utf8ToCp932(f.Path("一.Rnote")).bytes + "\r\n" + rn::Cp932Literal("最新") + "\r\n";
    QCOMPARE(ReadAll(f.Path("Res/Rnote履歴.Ini")), expected);
    // The next start shows the same order ("最新" names no file and is dropped).
    f.w().runStartup();
    QStringList captions;
    for (QAction* a : f.w().historyMenu().menu()->actions())
        captions << a->text();
    QCOMPARE(captions, (QStringList{f.QPath("二.Rnote"), f.QPath("一.Rnote")}));
    QCOMPARE(f.doc().treeFile, f.Path("二.Rnote"));
}

void StartupExitTest::startFileThatIsNotLoaded() {
    MainWindowFixture f;
    // A command-line argument with another extension.
    WriteAll(f.Path("notes.txt"), "a\r\n");
    EndWithDeliveredSettings(f);
    f.Restart({f.QPath("notes.txt")});
    f.w().runStartup();
    QVERIFY2(f.Message().contains(f.QPath("notes.txt")), qPrintable(f.Message()));
    QVERIFY(f.Message().contains(U("開きませんでした")));
    QCOMPARE(f.doc().treeFile, std::string("NULL"));
    QCOMPARE(f.w().windowTitle(), U("Ramblenote"));
    QCOMPARE(ReadAll(f.Path("notes.txt")), std::string("a\r\n"));
    f.Restart();
    QCOMPARE(StartSection(f), StartOf("NULL", 0));

    // A remembered old Tree file whose conversion is declined.
    WriteAll(f.Path("old.Tree"), "memo\r\n");
    f.window.reset();
    SetIniValue(f, "TreeFileName", rn::Utf8ToCp932(f.Path("old.Tree")).bytes);
    f.Restart();
    f.prompts.answers.push_back(false);
    f.w().runStartup();
    QCOMPARE(f.prompts.Of("yesno").size(), 1);
    QVERIFY2(f.Message().contains(f.QPath("old.Tree")), qPrintable(f.Message()));
    QVERIFY(f.Message().contains(U("コンバート")));
    QCOMPARE(f.doc().treeFile, std::string("NULL"));
    QCOMPARE(ReadAll(f.Path("old.Tree")), std::string("memo\r\n"));
    QVERIFY(!rn::test::Exists(f.Path("old.Rnote")));

    // Accepted, it converts and opens like any open.
    f.window.reset();
    SetIniValue(f, "TreeFileName", rn::Utf8ToCp932(f.Path("old.Tree")).bytes);
    f.Restart();
    f.prompts.answers.push_back(true);
    f.w().runStartup();
    QCOMPARE(f.doc().treeFile, f.Path("old.Rnote"));
    QCOMPARE(f.Message(), Opened(f.Path("old.Rnote")));
}

void StartupExitTest::exitRunsOnce() {
    MainWindowFixture f;
    f.w().runStartup();
    WriteBodies(f);
    f.OpenDocument("一度.Rnote", kOutline);
    f.w().runExit();
    QVERIFY(f.w().exitDone());
    QVERIFY(rn::test::Exists(f.Path("Res/Ramblenote.Ini")));
    std::filesystem::remove(f.Path("Res/Ramblenote.Ini"));
    std::filesystem::remove(f.Path("Res/Rnote履歴.Ini"));
    f.w().runExit();
    f.window.reset();
    QVERIFY(!rn::test::Exists(f.Path("Res/Ramblenote.Ini")));
    QVERIFY(!rn::test::Exists(f.Path("Res/Rnote履歴.Ini")));
}

void StartupExitTest::aSignalEndsWithoutABoxAndBrokenValuesAreRepaired() {
    rn::test::DataHome data;
    MainWindowFixture f;
    f.w().runStartup();
    EndWithDeliveredSettings(f);
    SetIniValue(f, "User", "abc\x81");  // cut in the middle of a character
    f.Restart({}, true);
    f.w().runStartup();
    WriteAll(f.Path("a.TXT"), "A\r\n");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    QTest::keyClicks(f.w().editor(), QStringLiteral("new "));
    ::chmod(f.Path("a.TXT").c_str(), 0444);  // the body cannot be saved
    f.prompts.Clear();
    f.w().endOnSignal();
    QVERIFY(f.w().exitDone());
    QCOMPARE(f.prompts.Boxes(), QStringList());
    const std::vector<std::string> rescued = data.RescueFiles();
    QCOMPARE(rescued.size(), std::size_t(1));
    QCOMPARE(ReadAll(rescued[0]), std::string("new A\r\n"));
    QVERIFY(Ini(f).find("\r\nUser=abc\r\n") != std::string::npos);
}

void StartupExitTest::sampleDocumentOpensCleanly() {
    MainWindowFixture f;
    // The delivered sample, copied as a first start would (the copy is what gets written).
    const std::filesystem::path source = std::filesystem::path(RN_SOURCE_DIR) / "resources" / "sample";
    QVERIFY(std::filesystem::is_directory(source));
    std::vector<std::filesystem::path> trees;
    for (const auto& entry : std::filesystem::directory_iterator(source))
        if (entry.path().extension() == ".Rnote") trees.push_back(entry.path());
    QCOMPARE(trees.size(), std::size_t(1));
    const std::filesystem::path copy = std::filesystem::path(f.dir.path()) / "sample";
    std::filesystem::copy(source, copy);
    const std::string tree = (copy / trees[0].filename()).string();

    // The Tree file itself: CP932, CR LF after every line.
    const std::string treeBytes = ReadAll(tree);
    QVERIFY(!treeBytes.empty());
    QVERIFY(treeBytes.ends_with("\r\n"));
    QVERIFY(rn::Cp932ToUtf16(treeBytes).find(u'\uFFFD') == std::u16string::npos);
    for (std::size_t i = 0; i < treeBytes.size(); ++i)
        if (treeBytes[i] == '\n') QVERIFY(i > 0 && treeBytes[i - 1] == '\r');

    f.Restart({QString::fromStdString(tree)});
    f.w().runStartup();
    QCOMPARE(f.doc().treeFile, tree);
    QCOMPARE(ReadAll(tree), treeBytes);  // it has its trash already: nothing was rewritten
    const rn::Outline& o = f.doc().outline;
    // Folder and text nodes on three levels, and an empty trash as the last root node.
    int texts = 0, folders = 0, deepest = 0;
    for (rn::Node* n : o.Preorder()) {
        deepest = std::max(deepest, rn::Outline::LevelOf(n));
        if (n->IsText()) ++texts;
        if (n->kind == rn::NodeKind::Folder) ++folders;
    }
    QVERIFY(texts >= 8);
    QVERIFY(folders >= 3);
    QCOMPARE(deepest, 2);
    rn::Node* last = o.Root()->Child(o.Root()->ChildCount() - 1);
    QCOMPARE(last->kind, rn::NodeKind::Trash);
    QCOMPARE(last->ChildCount(), 0);
    // Every node with a ".TXT" name has its body, readable, CR LF only, and every body file belongs
    // to a node.
    std::set<std::string> bodies;
    for (rn::Node* n : o.Preorder()) {
        const std::string name = rn::Cp932ToUtf8(n->text);
        if (name.ends_with(".TXT")) QVERIFY2(n->IsText(), name.c_str());
        if (!n->IsText()) continue;
        bodies.insert(name);
        const std::string bytes = ReadAll((copy / name).string());
        QVERIFY2(bytes.size() > 40, name.c_str());
        QVERIFY2(rn::Cp932ToUtf16(bytes).find(u'\uFFFD') == std::u16string::npos, name.c_str());
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') QVERIFY2(i > 0 && bytes[i - 1] == '\r', name.c_str());
            if (bytes[i] == '\r') QVERIFY2(i + 1 < bytes.size() && bytes[i + 1] == '\n', name.c_str());
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(copy))
        if (entry.path().extension() != ".Rnote")
            QVERIFY2(bodies.count(entry.path().filename().string()), entry.path().filename().c_str());

    // Visiting every node shows every body without a single box, and leaves the files as they were.
    std::map<std::string, std::string> before;
    for (const std::string& name : bodies)
        before[name] = ReadAll((copy / name).string());
    for (int i = 0; i < o.Count(); ++i) {
        f.Select(i);
        if (o.At(i)->IsText()) QVERIFY(!f.w().editor()->toPlainText().isEmpty());
    }
    f.Select(0);
    QCOMPARE(f.prompts.Boxes(), QStringList());
    f.window.reset();
    for (const std::string& name : bodies)
        QVERIFY2(ReadAll((copy / name).string()) == before[name], name.c_str());
}

QTEST_MAIN(StartupExitTest)
#include "startup_exit_test.moc"
