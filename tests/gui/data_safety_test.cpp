// SPDX-License-Identifier: MIT
// Nothing a writer typed or another program wrote is lost: failed saves undo the command, outside
// changes are never overwritten silently, no two nodes share a body file, and text that cannot be
// saved at exit goes to a rescue file.
#include <sys/stat.h>

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <functional>

#include "core/outline/treefile.h"
#include "core/text/cp932.h"
#include "gui/commands/node_commands.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/qt_text.h"
#include "gui_support.h"
#include "node_dialog_support.h"

using rn::test::AnswerNodeDialog;
using rn::test::CancelNodeDialog;
using rn::test::ConfirmNodeDialog;
using rn::test::DataHome;
using rn::test::LabelPoint;
using rn::test::MainWindowFixture;
using rn::test::OnNodeDialog;
using rn::test::ReadAll;
using rn::test::Snapshot;
using rn::test::U;
using rn::test::WriteAll;

namespace {

std::string Outline(MainWindowFixture& f) {
    return rn::Cp932ToUtf8(rn::SerializeOutline(f.doc().outline));
}

QString Memo(MainWindowFixture& f) {
    return f.w().editor()->toPlainText();
}

void Type(MainWindowFixture& f, const char* text) {
    f.w().editor()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(f.w().editor(), QString::fromUtf8(text));
}

}  // namespace

class DataSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void aTreeFileThatCannotBeWrittenUndoesEveryCommand();
    void aBodyChangedOnDiskIsNeverOverwrittenSilently();
    void noTwoNodesNameOneBodyFile();
    void theNodeDialogAlwaysStartsFromTheSelectedNode();
    void typedTextGoesToARescueFileWhenItsFolderIsReadOnly();
    void aTreeFileReplacedOnDiskIsOverwrittenOnlyWhenAllowed();
    void readOnlyFilesThatNeedNoWritingGiveNoErrors();
    void commandsThatReadTheBodiesWaitForTheEditedOne();
};

void DataSafetyTest::aTreeFileThatCannotBeWrittenUndoesEveryCommand() {
    MainWindowFixture f({}, true);
    f.w().resize(500, 400);
    WriteAll(f.Path("a.TXT"), "A");
    WriteAll(f.Path("t.TXT"), "T");
    const std::string tree = "a.TXT\r\nF\r\nゴミ箱\r\n\tt.TXT\r\n";
    f.OpenDocument("doc.Rnote", tree);
    ::chmod(f.Path("doc.Rnote").c_str(), 0444);
    const auto disk = Snapshot(f.dir.path());
    rn::gui::NodeCommands& commands = f.w().nodeCommands();
    const struct {
        const char* what;
        int select;
        std::function<void()> run;
    } steps[] = {
        {"add", 0,
         [&] {
             AnswerNodeDialog(f.w().nodeDialog(), "new");
             f.Trigger("MenuNodeAdd");
         }},
        {"child add", 1,
         [&] {
             AnswerNodeDialog(f.w().nodeDialog(), "sub", false);
             f.Trigger("MenuNodeCAdd");
         }},
        {"insert", 0,
         [&] {
             AnswerNodeDialog(f.w().nodeDialog(), "ins");
             f.Trigger("MenuNodeIns");
         }},
        {"rename text", 0,
         [&] {
             AnswerNodeDialog(f.w().nodeDialog(), "b");
             f.Trigger("MenuNodeReName");
         }},
        {"rename folder", 1,
         [&] {
             AnswerNodeDialog(f.w().nodeDialog(), "G");
             f.Trigger("MenuNodeReName");
         }},
        {"into the trash", 0,
         [&] {
             ConfirmNodeDialog(f.w().nodeDialog());
             f.Trigger("MenuNodeDel");
         }},
        {"out of the trash", 3,
         [&] {
             ConfirmNodeDialog(f.w().nodeDialog());
             f.Trigger("MenuNodeDel");
         }},
        {"drag", 0, [&] { commands.dropAt(LabelPoint(f, 1)); }},
    };
    for (const auto& step : steps) {
        f.Select(step.select);
        rn::Node* selected = f.w().selectedNode();
        f.prompts.Clear();
        step.run();
        QVERIFY2(Snapshot(f.dir.path()) == disk, step.what);
        QCOMPARE(Outline(f), tree);
        QCOMPARE(f.prompts.Of("erroryes").size(), 1);
        QVERIFY(f.prompts.Of("erroryes")[0].startsWith(U("ファイル \"") + f.QPath("doc.Rnote") +
                                                       U("\" を作成できません。")));
        QCOMPARE(f.Message(), QString());
        QCOMPARE(f.w().selectedNode(), selected);
        QCOMPARE(f.w().bodyEditor().nodeText(), selected->text);
    }
    // Opening it again works (nothing of it needs writing) and says that it cannot be written.
    f.prompts.files.push_back(f.QPath("doc.Rnote"));
    f.Trigger("MenuTreeOpen");
    QCOMPARE(f.Message(), U(" ") + f.QPath("doc.Rnote") + U(" を読み取り専用で開きました"));
    QVERIFY(Snapshot(f.dir.path()) == disk);
    ::chmod(f.Path("doc.Rnote").c_str(), 0644);
}

void DataSafetyTest::aBodyChangedOnDiskIsNeverOverwrittenSilently() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("a.TXT"), "original");
    WriteAll(f.Path("b.TXT"), "B");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nb.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    // Shown and untouched: the body follows its file.
    WriteAll(f.Path("a.TXT"), "outside one");
    QTRY_COMPARE(Memo(f), QStringLiteral("outside one"));
    // Left before the change was noticed: the file keeps the other program's text.
    WriteAll(f.Path("a.TXT"), "outside two");
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("a.TXT")), std::string("outside two"));
    QVERIFY(f.prompts.Boxes().isEmpty());

    // Typed into: the change outside is not loaded over the typing, and leaving asks first.
    f.Select(0);
    Type(f, "typed ");
    WriteAll(f.Path("a.TXT"), "outside three");
    QTest::qWait(50);
    QCOMPARE(Memo(f), QStringLiteral("typed outside two"));
    f.Select(1);
    const QString question =
        U("ファイル \"") + f.QPath("a.TXT") + U("\" は他のプログラムで変更されています。上書きしますか？");
    QCOMPARE(f.prompts.Of("yesno"), QStringList{question});
    QCOMPARE(ReadAll(f.Path("a.TXT")), std::string("outside three"));
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
    QCOMPARE(Memo(f), QStringLiteral("typed outside two"));
    f.prompts.answers = {true};
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("a.TXT")), std::string("typed outside two"));
    QCOMPARE(Memo(f), QStringLiteral("B"));

    // Deleted by another program while typed text waits: asked the same, and No keeps the text.
    f.Select(0);
    Type(f, "more ");
    std::filesystem::remove(f.Path("a.TXT"));
    f.prompts.Clear();
    f.Select(1);
    QCOMPARE(f.prompts.Of("yesno"), QStringList{question});
    QVERIFY(!rn::test::Exists(f.Path("a.TXT")));
    QCOMPARE(Memo(f), QStringLiteral("more typed outside two"));
}

void DataSafetyTest::noTwoNodesNameOneBodyFile() {
    MainWindowFixture f;
    WriteAll(f.Path("exists.TXT"), "x");
    WriteAll(f.Path("other.TXT"), "y");
    f.OpenDocument("doc.Rnote", "F\r\nG\r\nゴミ箱\r\n");
    const QString taken = QStringLiteral(" ノード名は既に存在します｡別のノード名を入力して下さい");
    // A folder takes up a file no other node names, and becomes a text node on it.
    f.Select(0);
    AnswerNodeDialog(f.w().nodeDialog(), "exists.TXT", false);
    f.Trigger("MenuNodeReName");
    QCOMPARE(f.doc().outline.At(0)->kind, rn::NodeKind::Text);
    QCOMPARE(f.w().editor()->toPlainText(), QStringLiteral("x"));
    f.Select(1);
    AnswerNodeDialog(f.w().nodeDialog(), "other.TXT", false);
    f.Trigger("MenuNodeIns");
    QCOMPARE(f.doc().outline.At(1)->kind, rn::NodeKind::Text);
    QCOMPARE(f.w().editor()->toPlainText(), QStringLiteral("y"));
    const std::string tree = rn::Cp932Literal("exists.TXT\r\nother.TXT\r\nG\r\nゴミ箱\r\n");
    QCOMPARE(ReadAll(f.Path("doc.Rnote")), tree);
    QCOMPARE(ReadAll(f.Path("exists.TXT")) + ReadAll(f.Path("other.TXT")), std::string("xy"));
    const struct {
        int select;
        const char* action;
        const char* name;
        bool textNode;
        QString message;
    } refused[] = {
        {2, "MenuNodeReName", "exists.TXT", false, taken},  // another node names that file
        {2, "MenuNodeReName", "doc.Rnote", false, taken},   // the Tree file itself
        {2, "MenuNodeIns", "exists", true, U(" exists.TXT テキストノードは、既にあります")},
    };
    for (const auto& r : refused) {
        f.Select(r.select);
        AnswerNodeDialog(f.w().nodeDialog(), QString::fromUtf8(r.name), r.textNode);
        f.Trigger(r.action);
        QCOMPARE(f.Message(), r.message);
        QCOMPARE(ReadAll(f.Path("doc.Rnote")), tree);
    }
    std::filesystem::remove(f.Path("other.TXT"));
    f.OpenDocument("doc.Rnote", "F\r\nG\r\nゴミ箱\r\n");
    // A folder may take a name no file has; a text node may then not take it as well.
    f.Select(0);
    AnswerNodeDialog(f.w().nodeDialog(), "X.TXT");
    f.Trigger("MenuNodeReName");
    f.Select(1);
    AnswerNodeDialog(f.w().nodeDialog(), "X");
    f.Trigger("MenuNodeAdd");
    QCOMPARE(f.Message(), U(" X.TXT テキストノードは、既にあります"));
    QVERIFY(!rn::test::Exists(f.Path("X.TXT")));
    QCOMPARE(ReadAll(f.Path("doc.Rnote")), rn::Cp932Literal("X.TXT\r\nG\r\nゴミ箱\r\n"));
}

void DataSafetyTest::theNodeDialogAlwaysStartsFromTheSelectedNode() {
    MainWindowFixture f;
    WriteAll(f.Path("a.TXT"), "A");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    auto expectName = [&f](const QString& name) {
        OnNodeDialog(f.w().nodeDialog(), [name](rn::gui::NodeNameDialog& d) {
            QCOMPARE(d.nameEdit()->text(), name);
            QTest::keyClick(d.nameEdit(), Qt::Key_Escape);
        });
    };
    // F2, Escape, F2; Ctrl+N, Escape, Ctrl+D.
    const std::pair<const char*, QString> showings[] = {
        {"MenuNodeReName", "a.TXT"}, {"MenuNodeReName", "a.TXT"}, {"MenuNodeAdd", ""}, {"MenuNodeDel", "a.TXT"}};
    for (const auto& [action, name] : showings) {
        expectName(name);
        f.Trigger(action);
    }
    // A rename typed after a cancelled showing keeps the extension.
    CancelNodeDialog(f.w().nodeDialog());
    f.Trigger("MenuNodeReName");
    AnswerNodeDialog(f.w().nodeDialog(), "b");
    f.Trigger("MenuNodeReName");
    QVERIFY(rn::test::Exists(f.Path("b.TXT")));
}

void DataSafetyTest::typedTextGoesToARescueFileWhenItsFolderIsReadOnly() {
    DataHome data;
    MainWindowFixture f({}, true);
    std::filesystem::create_directory(f.Path("ro"));
    WriteAll(f.Path("ro/a.TXT"), "was");
    WriteAll(f.Path("ro/b.TXT"), "B");
    f.OpenDocument("ro/doc.Rnote", "a.TXT\r\nb.TXT\r\nゴミ箱\r\n");
    ::chmod(f.Path("ro").c_str(), 0555);
    f.Select(0);
    Type(f, "typed ");
    f.prompts.Clear();
    QTest::mouseClick(f.w().outlineView()->viewport(), Qt::LeftButton, {}, LabelPoint(f, 1));
    QCOMPARE(f.prompts.Of("erroryes").size(), 1);
    // The outline stays on the node whose text is in the editor, highlight included.
    QTest::qWait(0);
    const QModelIndex a = f.w().outlineModel()->indexOf(f.doc().outline.At(0));
    QCOMPARE(f.w().outlineView()->currentIndex(), a);
    QCOMPARE(f.w().outlineView()->selectionModel()->selectedIndexes(), QModelIndexList{a});
    QCOMPARE(Memo(f), QStringLiteral("typed was"));

    f.prompts.Clear();
    f.Trigger("MenuTreeQ");
    QVERIFY(f.w().exitDone());
    const auto rescued = data.RescueFiles();
    QCOMPARE(rescued.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(rescued[0]).startsWith(QString::fromStdString(data.Rescue() + "/a.TXT ")));
    QCOMPARE(ReadAll(rescued[0]), std::string("typed was"));
    QCOMPARE(f.prompts.Of("information"),
             QStringList{U("ノード \"a.TXT\" の本文を保存できなかったため、次のファイルに保存しました。\n") +
                         QString::fromStdString(rescued[0])});
    QCOMPARE(ReadAll(f.Path("ro/a.TXT")), std::string("was"));

    // When the rescue fails too, the user decides; No keeps the program running with the text.
    f.Restart({}, true);
    f.w().runStartup();
    f.prompts.files.push_back(f.QPath("ro/doc.Rnote"));
    f.Trigger("MenuTreeOpen");
    f.Select(0);
    Type(f, "again ");
    ::chmod(data.Rescue().c_str(), 0555);
    f.prompts.Clear();
    f.Trigger("MenuTreeQ");
    QVERIFY(!f.w().exitDone());
    QCOMPARE(f.prompts.Of("yesno").size(), 1);
    QVERIFY(f.prompts.Of("yesno")[0].endsWith(U("\n保存せずに終了しますか？")));
    QCOMPARE(Memo(f), QStringLiteral("again was"));
    f.prompts.answers = {true};
    f.Trigger("MenuTreeQ");
    QVERIFY(f.w().exitDone());
    QCOMPARE(data.RescueFiles().size(), std::size_t(1));
    ::chmod(data.Rescue().c_str(), 0755);
    ::chmod(f.Path("ro").c_str(), 0755);
}

void DataSafetyTest::aTreeFileReplacedOnDiskIsOverwrittenOnlyWhenAllowed() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("a.TXT"), "A");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    Type(f, "typed ");
    WriteAll(f.Path("doc.Rnote"), rn::Cp932Literal("a.TXT\r\nother\r\nゴミ箱\r\n"));
    AnswerNodeDialog(f.w().nodeDialog(), "new", false);
    f.Trigger("MenuNodeAdd");
    QCOMPARE(f.prompts.Of("yesno"), QStringList{U("ファイル \"") + f.QPath("doc.Rnote") +
                                                U("\" は他のプログラムで変更されています。上書きしますか？")});
    QCOMPARE(ReadAll(f.Path("doc.Rnote")), rn::Cp932Literal("a.TXT\r\nother\r\nゴミ箱\r\n"));
    QCOMPARE(ReadAll(f.Path("a.TXT")), std::string("typed A"));  // the body went first
    // No: the other program's outline is read again, on the same node.
    QTRY_COMPARE(Outline(f), std::string("a.TXT\r\nother\r\nゴミ箱\r\n"));
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
    QCOMPARE(Memo(f), QStringLiteral("typed A"));
    QCOMPARE(f.Message(), U(" ") + f.QPath("doc.Rnote") + U(" を読み込み直しました"));

    // Yes: overwritten with this outline.
    WriteAll(f.Path("doc.Rnote"), rn::Cp932Literal("a.TXT\r\nthird\r\nゴミ箱\r\n"));
    f.prompts.answers = {true};
    AnswerNodeDialog(f.w().nodeDialog(), "new", false);
    f.Trigger("MenuNodeAdd");
    QCOMPARE(ReadAll(f.Path("doc.Rnote")), rn::Cp932Literal("a.TXT\r\nother\r\nゴミ箱\r\nnew\r\n"));
}

void DataSafetyTest::readOnlyFilesThatNeedNoWritingGiveNoErrors() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("a.TXT"), "one\r\ntwo");
    WriteAll(f.Path("doc.Rnote"), rn::Cp932Literal("a.TXT\r\nB\r\n"));
    ::chmod(f.Path("a.TXT").c_str(), 0444);
    ::chmod(f.Path("doc.Rnote").c_str(), 0444);
    f.prompts.files.push_back(f.QPath("doc.Rnote"));
    f.Trigger("MenuTreeOpen");
    QCOMPARE(f.Message(), U(" ") + f.QPath("doc.Rnote") + U(" を読み取り専用で開きました"));
    QCOMPARE(Outline(f), std::string("a.TXT\r\nB\r\nゴミ箱\r\n"));  // the trash in memory only
    for (int i : {0, 1, 0, 2})
        f.Select(i);
    f.window.reset();  // the exit writes nothing either
    QVERIFY(f.prompts.Boxes().isEmpty());
    QCOMPARE(ReadAll(f.Path("doc.Rnote")), rn::Cp932Literal("a.TXT\r\nB\r\n"));
    ::chmod(f.Path("a.TXT").c_str(), 0644);
    ::chmod(f.Path("doc.Rnote").c_str(), 0644);
}

void DataSafetyTest::commandsThatReadTheBodiesWaitForTheEditedOne() {
    MainWindowFixture f;
    f.w().runStartup();
    WriteAll(f.Path("a.TXT"), "abc");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nゴミ箱\r\n");
    // Never started: printing stops before it.
    f.w().state().settings.Others.PrintName = f.Path("print");
    AnswerNodeDialog(f.w().nodeDialog(), "abc");
    f.Trigger("ToolButtonSearch");
    const QString list = f.w().lowerPane()->toPlainText();
    f.Select(0);
    Type(f, "typed ");
    ::chmod(f.Path("a.TXT").c_str(), 0444);
    // A batch output dialog shown by mistake is closed again, and remembered.
    bool batchDialogShown = false;
    auto closeBatchDialog = [&] {
        QTimer::singleShot(0, &f.w(), [&] {
            if (auto* d = f.w().findChild<QDialog*>(QStringLiteral("BTxtOutF"))) {
                batchDialogShown = true;
                d->reject();
            }
        });
    };
    // In this order: the narrowing search needs the list that the batch output closes.
    const struct {
        const char* what;
        std::function<void()> run;
        rn::gui::LowerPaneMode pane;
    } commands[] = {
        {"narrowing search",
         [&] {
             AnswerNodeDialog(f.w().nodeDialog(), "typed");
             f.Trigger("ToolButtonSearch");
         },
         rn::gui::LowerPaneMode::Results},
        {"batch output",
         [&] {
             closeBatchDialog();
             f.Trigger("MenuToolBO");
         },
         rn::gui::LowerPaneMode::Hidden},
        {"new search",
         [&] {
             AnswerNodeDialog(f.w().nodeDialog(), "typed");
             f.Trigger("ToolButtonSearch");
         },
         rn::gui::LowerPaneMode::Hidden},
        {"print", [&] { f.Trigger("MenuNodePrin"); }, rn::gui::LowerPaneMode::Hidden},
    };
    for (const auto& command : commands) {
        f.prompts.Clear();
        command.run();
        QCoreApplication::processEvents();
        QVERIFY2(!batchDialogShown, command.what);
        QCOMPARE(f.prompts.Boxes().size(), 1);
        QVERIFY2(f.prompts.Of("erroryes").value(0).startsWith(U("ファイル \"") + f.QPath("a.TXT")), command.what);
        QCOMPARE(f.Message(), QString());
        QCOMPARE(f.w().bodyEditor().lowerPaneMode(), command.pane);
        QCOMPARE(f.w().lowerPane()->isHidden(), command.pane == rn::gui::LowerPaneMode::Hidden);
        if (command.pane == rn::gui::LowerPaneMode::Results) QCOMPARE(f.w().lowerPane()->toPlainText(), list);
        QCOMPARE(Memo(f), QStringLiteral("typed abc"));
    }
    ::chmod(f.Path("a.TXT").c_str(), 0644);
}

QTEST_MAIN(DataSafetyTest)
#include "data_safety_test.moc"
