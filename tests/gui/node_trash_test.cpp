// SPDX-License-Identifier: MIT
// Two-stage deletion: into the trash, then out of it for good, with the files on disk checked.
#include <sys/stat.h>

#include <QLabel>
#include <QTest>
#include <cstring>
#include <filesystem>

#include "core/storage/files.h"
#include "core/storage/write_fault.h"
#include "core/text/cp932.h"
#include "gui/commands/node_commands.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui_support.h"
#include "node_dialog_support.h"

using rn::test::CancelNodeDialog;
using rn::test::ConfirmNodeDialog;
using rn::test::Exists;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::WriteAll;

namespace {

std::string Tree(MainWindowFixture& f) {
    return rn::Cp932ToUtf8(ReadAll(f.Path("doc.Rnote")));
}

QString Selected(MainWindowFixture& f) {
    rn::Node* n = f.w().selectedNode();
    return n ? QString::fromStdString(rn::Cp932ToUtf8(n->text)) : QString();
}

}  // namespace

class NodeTrashTest : public QObject {
    Q_OBJECT
private slots:
    void moveABranchToTheTrashThenDeleteIt();
    void singleNodesFoldersAndTheLastChild();
    void branchCountStopsAtTheNextSibling();
    void theTrashNodeItselfAndCancel();
    void editedBodyIsSavedBeforeTheMove();
    void missingBodyFileIsReportedAndTheNodeStillGoes();
    void deletionNeverLeavesTheTreeDirectoryOrWidensIntoAPattern();
    void aBodyThatCannotBeWrittenStopsTheCommandsThatWouldForgetIt();
    void aFileAnotherNodeNamesOrThatCannotBeDeletedStays();
};

void NodeTrashTest::moveABranchToTheTrashThenDeleteIt() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("a.TXT"), "A");
    WriteAll(f.Path("b.TXT"), "B");
    f.OpenDocument("doc.Rnote", "第1章\r\n\ta.TXT\r\n\tb.TXT\r\nゴミ箱\r\n\told\r\n");
    f.Select(0);
    rn::test::OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        QCOMPARE(d.nameEdit()->text(), QStringLiteral("第1章"));
        QVERIFY(d.nameEdit()->isReadOnly());
        QCOMPARE(d.detailLabel()->text(), QStringLiteral("をゴミ箱へ移動します"));
        d.okButton()->click();
    });
    f.Trigger("ToolButtonDel");
    QCOMPARE(Tree(f), std::string("ゴミ箱\r\n\told\r\n\t第1章\r\n\t\ta.TXT\r\n\t\tb.TXT\r\n"));
    QVERIFY(Exists(f.Path("a.TXT")) && Exists(f.Path("b.TXT")));
    QVERIFY(f.w().outlineView()->isExpanded(f.w().outlineModel()->indexOf(f.doc().outline.At(0))));
    QCOMPARE(Selected(f), QStringLiteral("第1章"));
    QCOMPARE(f.w().bodyEditor().state(), rn::kTrashView);
    QCOMPARE(f.Message(), QStringLiteral(" 第1章 ノードをゴミ箱へ移動しました"));

    rn::test::OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        QCOMPARE(d.detailLabel()->text(), QStringLiteral("をゴミ箱から削除します"));
        d.okButton()->click();
    });
    f.Trigger("MenuNodeDel");
    QCOMPARE(f.Message(), QStringLiteral(" 第1章 ノードを削除しました｡削除ノード件数=3件"));
    QVERIFY(!Exists(f.Path("a.TXT")) && !Exists(f.Path("b.TXT")));
    QCOMPARE(Tree(f), std::string("ゴミ箱\r\n\told\r\n"));
    QCOMPARE(Selected(f), QStringLiteral("old"));  // the sibling before it
    QVERIFY(f.prompts.Boxes().isEmpty());
}

void NodeTrashTest::singleNodesFoldersAndTheLastChild() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("t.TXT"), "T");
    f.OpenDocument("doc.Rnote", "A\r\nゴミ箱\r\n\tt.TXT\r\n\tfolder\r\n");
    f.Select(2);
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(f.Message(), QStringLiteral(" t.TXT ノードを削除しました｡削除ノード件数=1件"));
    QVERIFY(!Exists(f.Path("t.TXT")));
    QCOMPARE(Selected(f), QStringLiteral("folder"));  // the next sibling
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(f.Message(), QStringLiteral(" folder ノードを削除しました｡削除ノード件数=1件"));
    QCOMPARE(Tree(f), std::string("A\r\nゴミ箱\r\n"));
    QCOMPARE(Selected(f), QStringLiteral("ゴミ箱"));  // the only child went: the trash stays
    QVERIFY(f.prompts.Boxes().isEmpty());
}

void NodeTrashTest::branchCountStopsAtTheNextSibling() {
    MainWindowFixture f;
    WriteAll(f.Path("x.TXT"), "");
    WriteAll(f.Path("y.TXT"), "");
    f.OpenDocument("doc.Rnote", "ゴミ箱\r\n\tF1\r\n\t\tx.TXT\r\n\t\tG\r\n\t\t\tH\r\n\tF2\r\n\t\ty.TXT\r\n");
    f.Select(1);
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(f.Message(), QStringLiteral(" F1 ノードを削除しました｡削除ノード件数=4件"));
    QVERIFY(!Exists(f.Path("x.TXT")));
    QVERIFY(Exists(f.Path("y.TXT")));
    QCOMPARE(Tree(f), std::string("ゴミ箱\r\n\tF2\r\n\t\ty.TXT\r\n"));
}

void NodeTrashTest::theTrashNodeItselfAndCancel() {
    MainWindowFixture f({}, true);
    f.OpenDocument("doc.Rnote", "A\r\nゴミ箱\r\n");
    f.w().outlineView()->setCurrentIndex(QModelIndex());
    f.Trigger("ToolButtonDel");
    QCOMPARE(f.Message(), QStringLiteral(" 削除ノード位置を選択して下さい"));
    f.Select(1);
    f.w().outlineView()->setFocus();
    QTest::keyClick(f.w().outlineView(), Qt::Key_Delete);
    QCOMPARE(f.Message(), QStringLiteral(" ゴミ箱はノード削除できません"));
    f.Select(0);
    CancelNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(f.Message(), QStringLiteral(" 削除処理はキャンセルされました"));
    QCOMPARE(Tree(f), std::string("A\r\nゴミ箱\r\n"));
}

void NodeTrashTest::editedBodyIsSavedBeforeTheMove() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("m.TXT"), "was");
    f.OpenDocument("doc.Rnote", "m.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    f.w().editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.w().editor(), " edited");
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(ReadAll(f.Path("m.TXT")), std::string("was edited"));
    QVERIFY(f.w().editor()->isReadOnly());
    QCOMPARE(f.w().editor()->toPlainText(), QStringLiteral("was edited"));
    // Leaving it writes nothing.
    WriteAll(f.Path("m.TXT"), "changed outside");
    f.Select(0);
    QCOMPARE(ReadAll(f.Path("m.TXT")), std::string("changed outside"));
}

void NodeTrashTest::missingBodyFileIsReportedAndTheNodeStillGoes() {
    MainWindowFixture f;
    WriteAll(f.Path("gone.TXT"), "");
    f.OpenDocument("doc.Rnote", "A\r\nゴミ箱\r\n\tgone.TXT\r\n");
    std::remove(f.Path("gone.TXT").c_str());
    f.Select(2);
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(f.prompts.Of("information"), QStringList{QStringLiteral("削除ファイルなし")});
    QCOMPARE(Tree(f), std::string("A\r\nゴミ箱\r\n"));
    QCOMPARE(f.Message(), QStringLiteral(" gone.TXT ノードを削除しました｡削除ノード件数=1件"));
}

void NodeTrashTest::deletionNeverLeavesTheTreeDirectoryOrWidensIntoAPattern() {
    MainWindowFixture f;
    std::filesystem::create_directory(f.Path("doc"));
    WriteAll(f.Path("outside.TXT"), "keep");
    WriteAll(f.Path("doc/*.TXT"), "literal");
    WriteAll(f.Path("doc/other.TXT"), "keep too");
    WriteAll(f.Path("doc/doc.Rnote"), rn::Cp932Literal("A\r\nゴミ箱\r\n\t../outside.TXT\r\n\t*.TXT\r\n"));
    f.prompts.files.push_back(f.QPath("doc/doc.Rnote"));
    f.Trigger("MenuTreeOpen");
    f.Select(2);
    QCOMPARE(f.doc().outline.At(2)->kind, rn::NodeKind::Folder);
    f.prompts.answers = {true};  // "/" is no file-name character: confirm the cleaned name
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(ReadAll(f.Path("outside.TXT")), std::string("keep"));
    f.Select(2);
    QCOMPARE(f.doc().outline.At(2)->kind, rn::NodeKind::Text);
    f.prompts.answers = {true};
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QVERIFY(!Exists(f.Path("doc/*.TXT")));
    QCOMPARE(ReadAll(f.Path("doc/other.TXT")), std::string("keep too"));
}

void NodeTrashTest::aBodyThatCannotBeWrittenStopsTheCommandsThatWouldForgetIt() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("m.TXT"), "was");
    f.OpenDocument("doc.Rnote", "m.TXT\r\nB\r\nゴミ箱\r\n");
    f.Select(0);
    f.w().editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.w().editor(), " typed");
    ::chmod(f.Path("m.TXT").c_str(), 0444);
    f.prompts.Clear();
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(Tree(f), std::string("m.TXT\r\nB\r\nゴミ箱\r\n"));
    rn::test::AnswerNodeDialog(f.w().nodeDialog(), "new", false);
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(Tree(f), std::string("m.TXT\r\nB\r\nゴミ箱\r\n"));
    f.Trigger("MenuTreeOpen");
    QVERIFY(f.prompts.Of("open").isEmpty());  // the open dialog was never shown
    QCOMPARE(f.prompts.Of("erroryes").size(), 3);
    QCOMPARE(f.w().editor()->toPlainText(), QStringLiteral("was typed"));
    ::chmod(f.Path("m.TXT").c_str(), 0644);
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("m.TXT")), std::string("was typed"));
}

void NodeTrashTest::aFileAnotherNodeNamesOrThatCannotBeDeletedStays() {
    MainWindowFixture f({}, true);
    for (const char* name : {"x.TXT", "z.TXT", "secret"})
        WriteAll(f.Path(name), name);
    ::chmod(f.Path("secret").c_str(), 0600);
    std::filesystem::create_symlink(f.Path("secret"), f.Path("y.TXT"));
    f.OpenDocument("doc.Rnote", "x.TXT\r\nゴミ箱\r\n\tx.TXT\r\n\tF\r\n\t\ty.TXT\r\n\t\tz.TXT\r\n");
    // A merged Tree file lists x.TXT in the trash and outside it: the live node keeps its body.
    f.Select(2);
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonDel");
    QCOMPARE(ReadAll(f.Path("x.TXT")), std::string("x.TXT"));
    QCOMPARE(
        f.Message(),
        QStringLiteral(" x.TXT ノードを削除しました｡削除ノード件数=1件｡他のノードが使う本文ファイル 1件は残しました"));
    // A link that cannot be removed is reported; its node stays, and nothing it leads to changes mode.
    f.Select(2);
    ConfirmNodeDialog(f.w().nodeDialog());
    rn::InjectWriteFault(rn::WriteFault{rn::WriteStep::kUnlink, 1, EBUSY});
    f.Trigger("ToolButtonDel");
    rn::InjectWriteFault(std::nullopt);
    QCOMPARE(Tree(f), std::string("x.TXT\r\nゴミ箱\r\n\tF\r\n\t\ty.TXT\r\n"));
    QVERIFY(!Exists(f.Path("z.TXT")));
    QVERIFY(std::filesystem::is_symlink(f.Path("y.TXT")));
    struct stat st {};
    ::stat(f.Path("secret").c_str(), &st);
    QCOMPARE(st.st_mode & 07777, 0600u);
    QCOMPARE(f.prompts.Of("erroryes"),
             QStringList{QString::fromStdString("ファイル \"" + f.Path("y.TXT") + "\" を削除できません。") +
                         QString::fromStdString(rn::ReasonText(EBUSY))});
    QCOMPARE(f.Message(),
             QStringLiteral(" F ノードを削除しました｡削除ノード件数=1件｡削除できないファイル 1件のノードは残しました"));
}

QTEST_MAIN(NodeTrashTest)
#include "node_trash_test.moc"
