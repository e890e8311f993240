// SPDX-License-Identifier: MIT
// The open and new commands end to end through scripted dialogs.
#include <QTest>

#include "core/text/cp932.h"
#include "gui/outline/outline_view.h"
#include "gui_support.h"
#include "node_dialog_support.h"

using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

class OpenNewTest : public QObject {
    Q_OBJECT
private slots:
    void openReportsEveryResult();
    void openShowsTheDialogWithItsTitleFilterAndDirectory();
    void conversionAnsweredYesAndNo();
    void emptyFileAndIndentedTrash();
    void failedOpensLeaveThePreviousDocument();
    void newCommand();
    void cancelledDialogs();
};

void OpenNewTest::openReportsEveryResult() {
    MainWindowFixture f;
    f.OpenDocument("本 文.Rnote", "第1章\r\n\tはじめに\r\nゴミ箱\r\n");
    QCOMPARE(f.Message(), QStringLiteral(" ") + f.QPath("本 文.Rnote") + QStringLiteral(" を開きました"));
    QCOMPARE(f.w().windowTitle(), QStringLiteral("Ramblenote：") + f.QPath("本 文.Rnote"));
    QCOMPARE(f.doc().outline.Count(), 3);
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
    QCOMPARE(f.w().state().dialogDirectory, QString::fromStdString(f.dir.path() + "/"));

    f.prompts.files.push_back(f.QPath("無い.Rnote"));
    f.Trigger("ToolButtonTOpen");
    QCOMPARE(f.Message(), QStringLiteral(" Treeﾌｧｲﾙ[") + f.QPath("無い.Rnote") + QStringLiteral("]がありません｡"));
}

void OpenNewTest::openShowsTheDialogWithItsTitleFilterAndDirectory() {
    MainWindowFixture f;
    f.Trigger("MenuTreeOpen");
    QCOMPARE(f.prompts.calls.size(), size_t(1));
    QCOMPARE(f.prompts.calls[0].kind, QStringLiteral("open"));
    QCOMPARE(f.prompts.calls[0].text, QStringLiteral("Ramblenoteファイル 開く"));
    QCOMPARE(f.prompts.calls[0].filter, QStringLiteral("Ramblenoteファイル|*.Rnote;*.Tree"));
    QCOMPARE(f.prompts.calls[0].directory, QString::fromStdString(f.dir.path()));  // the program directory
    QCOMPARE(rn::gui::toQtFilter(f.prompts.calls[0].filter),
             QStringLiteral("Ramblenoteファイル (*.Rnote *.rnote *.RNOTE *.Tree *.tree *.TREE)"));
}

void OpenNewTest::conversionAnsweredYesAndNo() {
    MainWindowFixture f;
    WriteAll(f.Path("old.Tree"), "memo\r\n");
    WriteAll(f.Path("memo.TXT"), "body");
    f.prompts.files.push_back(f.QPath("old.Tree"));
    f.prompts.answers.push_back(false);
    f.Trigger("MenuTreeOpen");
    QCOMPARE(f.Message(), QStringLiteral(" コンバート処理をキャンセルしました"));
    QCOMPARE(
        f.prompts.Of("yesno"),
        QStringList{QStringLiteral("Tree   File [ old.Tree ]を\rRnote File [ old.Rnote ] に､コンバードしますか?")});
    QCOMPARE(QString::fromStdString(ReadAll(f.Path("old.Tree"))), QStringLiteral("memo\r\n"));

    f.prompts.files.push_back(f.QPath("old.Tree"));
    f.prompts.answers.push_back(true);
    f.Trigger("MenuTreeOpen");
    QCOMPARE(f.Message(), QStringLiteral(" ") + f.QPath("old.Rnote") + QStringLiteral(" をコンバート／開きました"));
    QVERIFY(!rn::test::Exists(f.Path("old.Tree")));
    QCOMPARE(ReadAll(f.Path("old.Rnote")), rn::Cp932Literal("memo.TXT\r\nゴミ箱\r\n"));
    QCOMPARE(f.doc().outline.At(0)->kind, rn::NodeKind::Text);

    // Converting onto an existing .Rnote fails the rename and opens that file.
    WriteAll(f.Path("two.Tree"), "a\r\n");
    WriteAll(f.Path("two.Rnote"), rn::Cp932Literal("既存\r\n"));
    f.prompts.files.push_back(f.QPath("two.Tree"));
    f.prompts.answers.push_back(true);
    f.Trigger("MenuTreeOpen");
    QCOMPARE(f.Message(), QStringLiteral(" コンバート処理に失敗しました"));
    QCOMPARE(f.prompts.Of("information").last(),
             QStringLiteral("ReName = ") + f.QPath("two.Rnote") + QStringLiteral(" は､既にあります"));
    QCOMPARE(f.doc().treeFile, f.Path("two.Rnote"));
}

void OpenNewTest::emptyFileAndIndentedTrash() {
    MainWindowFixture f;
    f.OpenDocument("empty.Rnote", "");
    QCOMPARE(ReadAll(f.Path("empty.Rnote")), rn::Cp932Literal("ゴミ箱\r\n"));
    QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
    QVERIFY(f.w().outlineView()->hasFocus() || !f.w().isVisible());

    f.OpenDocument("indented.Rnote", "a\r\n\tゴミ箱\r\n");
    QCOMPARE(ReadAll(f.Path("indented.Rnote")), rn::Cp932Literal("a\r\n\tゴミ箱\r\nゴミ箱\r\n"));
    QCOMPARE(f.doc().outline.Count(), 3);
}

void OpenNewTest::failedOpensLeaveThePreviousDocument() {
    MainWindowFixture f;
    f.OpenDocument("prev.Rnote", "前\r\nゴミ箱\r\n");
    const QString caption = f.w().windowTitle();
    const QString dialogDir = f.w().state().dialogDirectory;

    WriteAll(f.Path("notes.txt"), "x");
    f.prompts.beeps = 0;
    f.prompts.files.push_back(f.QPath("notes.txt"));
    f.Trigger("MenuTreeOpen");
    QCOMPARE(f.Message(), QStringLiteral(" ファイル拡張子エラー"));
    QCOMPARE(f.prompts.beeps, 2);  // the extension error, then its replacement
    QCOMPARE(f.w().windowTitle(), caption);
    QCOMPARE(f.w().state().dialogDirectory, dialogDir);
    QCOMPARE(f.doc().treeFile, f.Path("prev.Rnote"));
    QCOMPARE(f.NodeText(0), std::string("前"));

    // Files that cannot be loaded: the error names the file, the open document stays open and
    // untouched, and nothing on disk changes.
    const struct {
        const char* file;
        std::string bytes;
        QString error;
    } unreadable[] = {
        {"bad.Rnote", rn::Cp932Literal("章\r\n\t\t深い\r\n"),
         QStringLiteral("アイテム \"深い\" の階層 (2) が不正です")},
        {"image.Rnote", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         U("ファイル \"") + f.QPath("image.Rnote") +
             U("\" は開けません。途中に NUL バイトがあり、その後ろを読み込めません")},
        {"utf8.Rnote", "第1章\nメモ.TXT\n",
         U("ファイル \"") + f.QPath("utf8.Rnote") +
             U("\" は開けません。Shift-JIS (CP932) のテキストファイルではありません")},
    };
    f.Select(0);
    for (const auto& c : unreadable) {
        WriteAll(f.Path(c.file), c.bytes);
        f.prompts.files.push_back(f.QPath(c.file));
        f.Trigger("MenuTreeOpen");
        QCOMPARE(f.prompts.Of("erroryes").last(), c.error);
        QCOMPARE(f.Message(), U(" Treeﾌｧｲﾙ[") + f.QPath(c.file) + U("]を開けませんでした｡"));
        QCOMPARE(f.doc().treeFile, f.Path("prev.Rnote"));
        QCOMPARE(f.w().windowTitle(), caption);
        QCOMPARE(f.NodeText(0), std::string("前"));
        QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
        QCOMPARE(ReadAll(f.Path(c.file)), c.bytes);
    }
    QCOMPARE(ReadAll(f.Path("prev.Rnote")), rn::Cp932Literal("前\r\nゴミ箱\r\n"));
    // The document still works: a node added to it is saved.
    rn::test::AnswerNodeDialog(f.w().nodeDialog(), "後", false);
    f.Trigger("MenuNodeAdd");
    QCOMPARE(ReadAll(f.Path("prev.Rnote")), rn::Cp932Literal("前\r\nゴミ箱\r\n後\r\n"));
}

void OpenNewTest::newCommand() {
    MainWindowFixture f;
    f.prompts.files.push_back(f.QPath("doc"));
    f.Trigger("MenuTreeNew");
    QCOMPARE(f.prompts.calls[0].text, QStringLiteral("Ramblenoteファイル 新規作成"));
    QCOMPARE(f.prompts.calls[0].filter, QStringLiteral("Ramblenoteファイル|*.Rnote"));
    QCOMPARE(f.Message(), QStringLiteral(" ") + f.QPath("doc.RNOTE") + QStringLiteral(" 新規作成しました"));
    QCOMPARE(ReadAll(f.Path("doc.RNOTE")), rn::Cp932Literal("ゴミ箱\r\n"));
    QCOMPARE(f.w().windowTitle(), QStringLiteral("Ramblenote：") + f.QPath("doc.RNOTE"));

    f.prompts.files.push_back(f.QPath("doc.txt"));
    f.Trigger("ToolButtonTNew");
    QCOMPARE(f.Message(), QStringLiteral(" Treeﾌｧｲﾙ[ doc.txt ]拡張子エラー"));
    QVERIFY(!rn::test::Exists(f.Path("doc.txt")));

    f.prompts.files.push_back(f.QPath("doc.RNOTE"));
    f.Trigger("ToolButtonTNew");
    QCOMPARE(f.Message(),
             QStringLiteral(" Treeﾌｧｲﾙ[") + f.QPath("doc.RNOTE") + QStringLiteral("]は既に作成されています｡"));
}

void OpenNewTest::cancelledDialogs() {
    MainWindowFixture f;
    f.Trigger("MenuTreeOpen");
    QCOMPARE(f.Message(), QStringLiteral(" Ramblenote ファイルを指定して下さい｡"));
    f.Trigger("MenuTreeNew");
    QCOMPARE(f.Message(), QStringLiteral(" Ramblenote ファイルを指定して下さい｡"));
    QCOMPARE(f.doc().treeFile, std::string("NULL"));
}

QTEST_MAIN(OpenNewTest)
#include "open_new_test.moc"
