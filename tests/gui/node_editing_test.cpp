// SPDX-License-Identifier: MIT
// Adding, inserting, renaming and moving nodes through the real actions, keys and the node-name
// dialog, with the Tree file and the tree directory checked after each step.
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

#include "core/text/cp932.h"
#include "gui/commands/node_commands.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui_support.h"
#include "node_dialog_support.h"

using rn::test::AnswerNodeDialog;
using rn::test::CancelNodeDialog;
using rn::test::ConfirmNodeDialog;
using rn::test::LabelPoint;
using rn::test::MainWindowFixture;
using rn::test::OnNodeDialog;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

namespace {

std::string Tree(MainWindowFixture& f, const char* file = "doc.Rnote") {
    return rn::Cp932ToUtf8(ReadAll(f.Path(file)));
}

QString Selected(MainWindowFixture& f) {
    rn::Node* n = f.w().selectedNode();
    return n ? QString::fromStdString(rn::Cp932ToUtf8(n->text)) : QString();
}

QPoint IndentPoint(MainWindowFixture& f, int absIndex) {
    QModelIndex i = f.w().outlineModel()->indexOf(f.doc().outline.At(absIndex));
    QRect r = f.w().outlineView()->visualRect(i);
    return QPoint(r.left() - 4, r.center().y());
}

void Key(MainWindowFixture& f, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(f.w().outlineView(), key, mods);
}

}  // namespace

class NodeEditingTest : public QObject {
    Q_OBJECT
private slots:
    void dialogModesOfferWhatTheyAskFor();
    void addAfterTheLastSiblingCreatesTheBodyAndFocusesTheEditor();
    void insertAFolderAndAddAChild();
    void nextToTheTrashAndInsideIt();
    void existingBodyFileRefusesTheNewTextNode();
    void namesWithExtensionsDotsAndForbiddenCharacters();
    void duplicateFolderNameSelectsTheFirst();
    void refusalsWithoutDocumentOrSelectionAndCancel();
    void renameTextAndFolderNodes();
    void renameKeepsUnsavedEditsUnderTheNewName();
    void dragAndDropPositions();
    void draggingTheTrashIsRefusedAndTakingNodesOutOfTheTrash();
    void keysOfTheOutlineView();
    void collapseAllSelectsTheVisibleAncestor();
    void dialogRemembersItsPositionAndKind();
};

void NodeEditingTest::dialogModesOfferWhatTheyAskFor() {
    MainWindowFixture f;
    f.OpenDocument("doc.Rnote", "a.TXT\r\nゴミ箱\r\n");
    rn::gui::NodeNameDialog& d = f.w().nodeDialog();
    using rn::NameMode;
    for (NameMode mode : {NameMode::Add, NameMode::ChildAdd, NameMode::Insert, NameMode::Rename, NameMode::Search,
                          NameMode::NarrowSearch, NameMode::MoveToTrash, NameMode::DeleteFromTrash}) {
        OnNodeDialog(d, [&](rn::gui::NodeNameDialog& dlg) {
            // The kind is chosen only for a new node; a deletion shows the node it confirms, read-only.
            QCOMPARE(dlg.textNodeButton()->isVisible(), rn::NamesNewNode(mode));
            const bool deleting = mode == NameMode::MoveToTrash || mode == NameMode::DeleteFromTrash;
            QCOMPARE(dlg.nameEdit()->isReadOnly(), deleting);
            QCOMPARE(dlg.nameEdit()->text(),
                     deleting || mode == NameMode::Rename ? QStringLiteral("a.TXT") : QString());
            QCOMPARE(dlg.detailLabel()->isVisible(), deleting || mode == NameMode::Rename);
            dlg.cancelButton()->click();
        });
        QVERIFY(!d.ask(mode, rn::Cp932Literal("a.TXT")));
    }
}

void NodeEditingTest::addAfterTheLastSiblingCreatesTheBodyAndFocusesTheEditor() {
    MainWindowFixture f({}, true);
    f.OpenDocument("doc.Rnote", "A\r\nB\r\nゴミ箱\r\n");
    f.Select(0);
    AnswerNodeDialog(f.w().nodeDialog(), "C", true);
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(Tree(f), std::string("A\r\nB\r\nゴミ箱\r\nC.TXT\r\n"));
    QVERIFY(rn::test::Exists(f.Path("C.TXT")));
    QCOMPARE(ReadAll(f.Path("C.TXT")), std::string());
    QCOMPARE(Selected(f), QStringLiteral("C.TXT"));
    QVERIFY(f.w().editor()->isVisible());
    QCOMPARE(f.w().focusWidget(), static_cast<QWidget*>(f.w().editor()));
    QCOMPARE(f.Message(), QStringLiteral(" C.TXT ノードを追加しました"));
    // Typing goes to the new body and is written when the selection leaves it.
    QTest::keyClicks(f.w().editor(), "abc");
    f.Select(0);
    QCOMPARE(ReadAll(f.Path("C.TXT")), std::string("abc"));
}

void NodeEditingTest::insertAFolderAndAddAChild() {
    MainWindowFixture f({}, true);
    f.OpenDocument("doc.Rnote", "A\r\nB\r\nゴミ箱\r\n");
    f.Select(0);
    AnswerNodeDialog(f.w().nodeDialog(), "X", false);
    f.Trigger("MenuNodeIns");
    QCOMPARE(Tree(f), std::string("X\r\nA\r\nB\r\nゴミ箱\r\n"));
    QVERIFY(!rn::test::Exists(f.Path("X")));
    QCOMPARE(f.w().focusWidget(), static_cast<QWidget*>(f.w().outlineView()));
    QCOMPARE(f.Message(), QStringLiteral(" X ノードを追加しました"));

    f.Select(1);  // A
    AnswerNodeDialog(f.w().nodeDialog(), "Y", true);
    f.Trigger("ToolButtonAdd");
    QCOMPARE(Tree(f), std::string("X\r\nA\r\n\tY.TXT\r\nB\r\nゴミ箱\r\n"));
    QCOMPARE(Selected(f), QStringLiteral("Y.TXT"));
    QVERIFY(f.w().outlineView()->isExpanded(f.w().outlineModel()->indexOf(f.doc().outline.At(1))));
    QCOMPARE(f.doc().outline.At(2)->kind, rn::NodeKind::Text);
}

void NodeEditingTest::nextToTheTrashAndInsideIt() {
    MainWindowFixture f;
    f.OpenDocument("doc.Rnote", "A\r\nゴミ箱\r\n\tT\r\n");
    f.Select(1);  // the trash node itself
    AnswerNodeDialog(f.w().nodeDialog(), "after", false);
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(Tree(f), std::string("A\r\nゴミ箱\r\n\tT\r\nafter\r\n"));
    f.Select(1);
    AnswerNodeDialog(f.w().nodeDialog(), "before", false);
    f.Trigger("ToolButtonIns");
    QCOMPARE(Tree(f), std::string("A\r\nbefore\r\nゴミ箱\r\n\tT\r\nafter\r\n"));

    f.Select(2);
    f.Trigger("ToolButtonAdd");
    QCOMPARE(f.Message(), QStringLiteral(" ゴミ箱には子ノード追加できません"));
    f.Select(3);  // T inside the trash
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(f.Message(), QStringLiteral(" ゴミ箱にはノード追加できません"));
    f.Trigger("ToolButtonIns");
    QCOMPARE(f.Message(), QStringLiteral(" ゴミ箱にはノード挿入できません"));
    f.Trigger("MenuNodeReName");
    QCOMPARE(f.Message(), QStringLiteral(" ゴミ箱のノード名は変更できません"));
    QCOMPARE(Tree(f), std::string("A\r\nbefore\r\nゴミ箱\r\n\tT\r\nafter\r\n"));
}

void NodeEditingTest::existingBodyFileRefusesTheNewTextNode() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("cur.TXT"), "old");
    WriteAll(f.Path("memo.TXT"), "someone else's");
    f.OpenDocument("doc.Rnote", "cur.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    f.w().editor()->setFocus();
    QTest::keyClicks(f.w().editor(), "typed");
    AnswerNodeDialog(f.w().nodeDialog(), "memo", true);
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(f.Message(), QStringLiteral(" memo.TXT テキストノードは、既にあります"));
    QCOMPARE(Tree(f), std::string("cur.TXT\r\nゴミ箱\r\n"));
    QCOMPARE(ReadAll(f.Path("memo.TXT")), std::string("someone else's"));
    QCOMPARE(Selected(f), QStringLiteral("cur.TXT"));
    QCOMPARE(ReadAll(f.Path("cur.TXT")), std::string("typedold"));  // the body being edited was saved
    QTest::keyClicks(f.w().editor(), "!");
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("cur.TXT")), std::string("typed!old"));
}

void NodeEditingTest::namesWithExtensionsDotsAndForbiddenCharacters() {
    MainWindowFixture f;
    f.OpenDocument("doc.Rnote", "A\r\nゴミ箱\r\n");
    f.Select(0);
    AnswerNodeDialog(f.w().nodeDialog(), "note.doc", true);
    f.Trigger("ToolButtonCAdd");
    QVERIFY(rn::test::Exists(f.Path("note.doc")));
    f.Select(0);
    AnswerNodeDialog(f.w().nodeDialog(), "memo.", true);
    f.Trigger("ToolButtonCAdd");
    QVERIFY(rn::test::Exists(f.Path("memo..TXT")));

    // Characters file names cannot hold: Cancel keeps the dialog open with the typed text.
    f.Select(0);
    f.prompts.answers = {false};
    OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        d.nameEdit()->setText("a/b:c");
        d.textNodeButton()->setChecked(true);
        d.okButton()->click();
        QVERIFY(d.isVisible());
        QCOMPARE(d.nameEdit()->text(), QStringLiteral("a/b:c"));
        d.cancelButton()->click();
    });
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(f.prompts.Of("yescancel").last(),
             QStringLiteral(
                 "[ a/b:c ]の中にファイル名と利用できない文字があります\r[ abc ]に変更しました。\rよろしいですか"));
    QCOMPARE(f.Message(), QStringLiteral(" ノード追加処理はキャンセルされました"));
    f.prompts.answers = {true};
    AnswerNodeDialog(f.w().nodeDialog(), "a/b:c", true);
    f.Trigger("ToolButtonCAdd");
    QVERIFY(rn::test::Exists(f.Path("abc.TXT")));

    // "ゴミ箱" is refused with its box and an emptied field; an emoji is refused without change.
    OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        d.nameEdit()->setText(QStringLiteral("ゴミ箱"));
        d.okButton()->click();
        QVERIFY(d.isVisible());
        QVERIFY(d.nameEdit()->text().isEmpty());
        d.nameEdit()->setText(QStringLiteral("絵😀"));
        d.okButton()->click();
        QVERIFY(d.isVisible());
        QCOMPARE(d.nameEdit()->text(), QStringLiteral("絵😀"));
        d.cancelButton()->click();
    });
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(f.prompts.Of("warningyes").first(), QStringLiteral("ノード名\"ゴミ箱\"は利用できません。"));
    QVERIFY(f.prompts.Of("warningyes").last().contains(QStringLiteral("U+1F600")));
    QCOMPARE(Tree(f), std::string("A\r\nゴミ箱\r\nnote.doc\r\nmemo..TXT\r\nabc.TXT\r\n"));
}

void NodeEditingTest::duplicateFolderNameSelectsTheFirst() {
    MainWindowFixture f;
    f.OpenDocument("doc.Rnote", "第1章\r\nB\r\nゴミ箱\r\n");
    f.Select(1);
    AnswerNodeDialog(f.w().nodeDialog(), "第1章", false);
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(Tree(f), std::string("第1章\r\nB\r\nゴミ箱\r\n第1章\r\n"));
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
}

void NodeEditingTest::refusalsWithoutDocumentOrSelectionAndCancel() {
    MainWindowFixture f;
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(f.Message(), QStringLiteral(" Rnote ファイルを 開くか/新規作成して下さい"));
    f.Trigger("ToolButtonAdd");
    QCOMPARE(f.Message(), QStringLiteral(" Rnote ファイルを 開くか/新規作成して下さい"));
    f.Trigger("ToolButtonIns");
    QCOMPARE(f.Message(), QStringLiteral(" 挿入ノード位置を選択して下さい"));
    f.Trigger("MenuNodeReName");
    QCOMPARE(f.Message(), QStringLiteral(" ノード名変更位置を選択して下さい"));

    f.OpenDocument("doc.Rnote", "A\r\nゴミ箱\r\n");
    f.w().outlineView()->setCurrentIndex(QModelIndex());
    f.Trigger("ToolButtonCAdd");
    QCOMPARE(f.Message(), QStringLiteral(" 追加ノード位置を選択して下さい"));
    f.Select(0);
    CancelNodeDialog(f.w().nodeDialog());
    f.Trigger("ToolButtonAdd");
    QCOMPARE(f.Message(), QStringLiteral(" 子ノード追加処理はキャンセルされました"));
    // An empty name counts as cancel.
    AnswerNodeDialog(f.w().nodeDialog(), "", true);
    f.Trigger("ToolButtonIns");
    QCOMPARE(f.Message(), QStringLiteral(" ノード挿入処理はキャンセルされました"));
    CancelNodeDialog(f.w().nodeDialog());
    f.Trigger("MenuNodeReName");
    QCOMPARE(f.Message(), QStringLiteral(" ノード名変更処理はキャンセルされました"));
    QCOMPARE(Tree(f), std::string("A\r\nゴミ箱\r\n"));
}

void NodeEditingTest::renameTextAndFolderNodes() {
    MainWindowFixture f;
    WriteAll(f.Path("a.TXT"), "body a");
    WriteAll(f.Path("exists.TXT"), "x");
    f.OpenDocument("doc.Rnote", "a.TXT\r\n章\r\nゴミ箱\r\n");
    f.Select(0);
    AnswerNodeDialog(f.w().nodeDialog(), "b");
    f.Trigger("MenuNodeReName");
    QCOMPARE(f.Message(), QStringLiteral(" b.TXT ノード名を変更しました"));
    QVERIFY(!rn::test::Exists(f.Path("a.TXT")));
    QCOMPARE(ReadAll(f.Path("b.TXT")), std::string("body a"));
    QCOMPARE(Tree(f), std::string("b.TXT\r\n章\r\nゴミ箱\r\n"));

    AnswerNodeDialog(f.w().nodeDialog(), "c.txt");
    f.Trigger("MenuNodeReName");
    QVERIFY(rn::test::Exists(f.Path("c.txt")));

    // Onto an existing file, and onto its own name: refused, nothing changes.
    AnswerNodeDialog(f.w().nodeDialog(), "exists.TXT");
    f.Trigger("MenuNodeReName");
    QCOMPARE(f.Message(), QStringLiteral(" ノード名は既に存在します｡別のノード名を入力して下さい"));
    ConfirmNodeDialog(f.w().nodeDialog());
    f.Trigger("MenuNodeReName");
    QCOMPARE(f.Message(), QStringLiteral(" ノード名は既に存在します｡別のノード名を入力して下さい"));
    QCOMPARE(Tree(f), std::string("c.txt\r\n章\r\nゴミ箱\r\n"));

    f.Select(1);
    AnswerNodeDialog(f.w().nodeDialog(), "節");
    f.Trigger("MenuNodeReName");
    QCOMPARE(Tree(f), std::string("c.txt\r\n節\r\nゴミ箱\r\n"));
}

void NodeEditingTest::renameKeepsUnsavedEditsUnderTheNewName() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("a.TXT"), "saved");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nB\r\nゴミ箱\r\n");
    f.Select(0);
    f.w().editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.w().editor(), " and typed");
    AnswerNodeDialog(f.w().nodeDialog(), "b");
    f.Trigger("MenuNodeReName");
    QCOMPARE(ReadAll(f.Path("b.TXT")), std::string("saved"));  // not written by the rename
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("b.TXT")), std::string("saved and typed"));
    QVERIFY(!rn::test::Exists(f.Path("a.TXT")));
}

void NodeEditingTest::dragAndDropPositions() {
    MainWindowFixture f({}, true);
    f.w().resize(500, 400);
    f.OpenDocument("doc.Rnote", "A\r\nB\r\nC\r\nゴミ箱\r\n");
    rn::gui::NodeCommands& n = f.w().nodeCommands();
    // C onto the label of A: last child of A, A expanded.
    f.Select(2);
    QVERIFY(n.acceptsDragAt(LabelPoint(f, 0), true));
    n.dropAt(LabelPoint(f, 0));
    QCOMPARE(Tree(f), std::string("A\r\n\tC\r\nB\r\nゴミ箱\r\n"));
    QVERIFY(f.w().outlineView()->isExpanded(f.w().outlineModel()->indexOf(f.doc().outline.At(0))));
    QCOMPARE(Selected(f), QStringLiteral("C"));
    QCOMPARE(f.Message(), QStringLiteral(" ノードを移動しました"));
    // C onto the indentation of B: just before B.
    n.dropAt(IndentPoint(f, 2));
    QCOMPARE(Tree(f), std::string("A\r\nC\r\nB\r\nゴミ箱\r\n"));
    // A into the empty area below the last node: the last root.
    f.Select(0);
    QRect lastRect = f.w().outlineView()->visualRect(f.w().outlineModel()->indexOf(f.doc().outline.At(3)));
    QPoint below(30, lastRect.bottom() + 20);
    QCOMPARE(n.classifyDrop(below).place, rn::gui::DropPlace::LastRoot);
    n.dropAt(below);
    QCOMPARE(Tree(f), std::string("C\r\nB\r\nゴミ箱\r\nA\r\n"));
    // Refused: right of a label, outside the view, from another view.
    QPoint right(f.w().outlineView()->viewport()->width() - 3, LabelPoint(f, 0).y());
    QCOMPARE(n.classifyDrop(right).place, rn::gui::DropPlace::Refused);
    QVERIFY(!n.acceptsDragAt(right, true));
    QVERIFY(!n.acceptsDragAt(QPoint(-5, 5), true));
    QVERIFY(!n.acceptsDragAt(LabelPoint(f, 0), false));
    // Onto itself, into its own branch or onto its own place: nothing moves, and nothing says so.
    f.Select(0);
    n.dropAt(LabelPoint(f, 1));
    QCOMPARE(Tree(f), std::string("B\r\n\tC\r\nゴミ箱\r\nA\r\n"));
    f.Select(0);
    for (auto [point, message] : {std::pair{LabelPoint(f, 0), "ノード自身とその子ノードの中へは移動できません"},
                                  {LabelPoint(f, 1), "ノード自身とその子ノードの中へは移動できません"},
                                  {IndentPoint(f, 0), "ノードは移動しませんでした"}}) {
        n.dropAt(point);
        QCOMPARE(Tree(f), std::string("B\r\n\tC\r\nゴミ箱\r\nA\r\n"));
        QCOMPARE(f.Message(), U(" ") + U(message));
    }
}

void NodeEditingTest::draggingTheTrashIsRefusedAndTakingNodesOutOfTheTrash() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("t.TXT"), "kept");
    f.OpenDocument("doc.Rnote", "A\r\nゴミ箱\r\n\tt.TXT\r\n");
    rn::gui::NodeCommands& n = f.w().nodeCommands();
    f.Select(1);
    f.prompts.beeps = 0;
    QVERIFY(!n.acceptsDragAt(LabelPoint(f, 0), true));
    QVERIFY(!n.acceptsDragAt(LabelPoint(f, 0), true));
    QCOMPARE(f.Message(), QStringLiteral(" ゴミ箱は移動できません"));
    QCOMPARE(f.prompts.beeps, 2);  // on every movement
    n.dropAt(LabelPoint(f, 0));
    QCOMPARE(Tree(f), std::string("A\r\nゴミ箱\r\n\tt.TXT\r\n"));

    f.Select(2);
    QCOMPARE(f.w().bodyEditor().state(), rn::kTrashView);
    QVERIFY(n.acceptsDragAt(IndentPoint(f, 0), true));
    n.dropAt(IndentPoint(f, 0));
    QCOMPARE(Tree(f), std::string("t.TXT\r\nA\r\nゴミ箱\r\n"));
    QCOMPARE(f.w().bodyEditor().state(), rn::kEditing);
    QVERIFY(!f.w().editor()->isReadOnly());
    QCOMPARE(ReadAll(f.Path("t.TXT")), std::string("kept"));
}

void NodeEditingTest::keysOfTheOutlineView() {
    MainWindowFixture f({}, true);
    f.OpenDocument("doc.Rnote", "A\r\nB\r\nゴミ箱\r\n");
    f.Select(0);
    f.w().outlineView()->setFocus();
    // Insert opens the dialog in insert mode.
    OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("ノード挿入"));
        d.cancelButton()->click();
    });
    Key(f, Qt::Key_Insert);
    QCOMPARE(f.Message(), QStringLiteral(" ノード挿入処理はキャンセルされました"));
    // Ctrl, released, then Down adds; Ctrl then Right adds a child.
    Key(f, Qt::Key_Control);
    OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("ノード追加"));
        d.cancelButton()->click();
    });
    Key(f, Qt::Key_Down);
    QVERIFY(!f.w().nodeCommands().ctrlArmed());
    Key(f, Qt::Key_Control);
    OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("ノード子追加"));
        d.cancelButton()->click();
    });
    Key(f, Qt::Key_Right, Qt::ControlModifier);
    // Down alone moves the selection.
    f.Select(0);
    Key(f, Qt::Key_Down);
    QCOMPARE(Selected(f), QStringLiteral("B"));
    // Delete starts the delete command.
    OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        QCOMPARE(d.detailLabel()->text(), QStringLiteral("をゴミ箱へ移動します"));
        d.cancelButton()->click();
    });
    Key(f, Qt::Key_Delete);
    QCOMPARE(f.Message(), QStringLiteral(" 削除処理はキャンセルされました"));
    // A typed character clears the message panel.
    QTest::keyClick(f.w().outlineView(), Qt::Key_X);
    QCOMPARE(f.Message(), QString());
    QCOMPARE(Tree(f), std::string("A\r\nB\r\nゴミ箱\r\n"));
}

void NodeEditingTest::collapseAllSelectsTheVisibleAncestor() {
    MainWindowFixture f({}, true);
    f.OpenDocument("doc.Rnote", "A\r\n\tB\r\n\t\tC\r\nゴミ箱\r\n");
    f.Trigger("TPM_Item2");
    QVERIFY(f.w().outlineView()->isExpanded(f.w().outlineModel()->indexOf(f.doc().outline.At(1))));
    f.Select(2);
    f.Trigger("TPM_Item1");
    QVERIFY(!f.w().outlineView()->isExpanded(f.w().outlineModel()->indexOf(f.doc().outline.At(0))));
    QCOMPARE(Selected(f), QStringLiteral("A"));
    QCOMPARE(f.Panel(0), QStringLiteral("No.1/1階層/1子"));
    QCOMPARE(Tree(f), std::string("A\r\n\tB\r\n\t\tC\r\nゴミ箱\r\n"));
}

void NodeEditingTest::dialogRemembersItsPositionAndKind() {
    MainWindowFixture f({}, true);
    f.OpenDocument("doc.Rnote", "A\r\nゴミ箱\r\n");
    f.Select(0);
    rn::gui::NodeNameDialog& d = f.w().nodeDialog();
    QRect frame = f.w().frameGeometry();
    QPoint centred(frame.left() + (frame.width() - 330) / 2, frame.top() + (frame.height() - 140) / 2);
    OnNodeDialog(d, [&](rn::gui::NodeNameDialog& dlg) {
        QCOMPARE(dlg.pos(), centred);
        QVERIFY(dlg.textNodeButton()->isChecked());
        dlg.folderNodeButton()->setChecked(true);
        dlg.move(40, 50);
        dlg.cancelButton()->click();
    });
    f.Trigger("ToolButtonCAdd");
    OnNodeDialog(d, [&](rn::gui::NodeNameDialog& dlg) {
        QCOMPARE(dlg.pos(), QPoint(40, 50));
        QVERIFY(dlg.folderNodeButton()->isChecked());  // the kind choice is kept
        dlg.move(0, 0);
        dlg.cancelButton()->click();
    });
    f.Trigger("ToolButtonCAdd");
    OnNodeDialog(d, [&](rn::gui::NodeNameDialog& dlg) {
        QCOMPARE(dlg.pos(), centred);  // 0 counts as none
        dlg.cancelButton()->click();
    });
    f.Trigger("ToolButtonCAdd");
}

QTEST_MAIN(NodeEditingTest)
#include "node_editing_test.moc"
