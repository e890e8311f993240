// SPDX-License-Identifier: MIT
// Body files that are gone, cannot be written or read, are too large, hold NUL or undefined bytes,
// or were changed by another program.
#include <sys/stat.h>

#include <QTest>
#include <QTextDocument>
#include <filesystem>

#include "body_editor_support.h"
#include "gui/editor/body_editor.h"

using namespace rn::test::body;

class BodyFileTest : public QObject {
    Q_OBJECT
private slots:
    void deletedBodyFile();
    void bodyThatCannotBeWrittenKeepsTheEdits();
    void bodyOverTheLimitIsRefused();
    void returningToABodyUsesItOnlyWhileItsFileIsUnchanged();
    void nulBytesEndTheBody();
    void bodyWithUndefinedBytesIsReadOnlyAndNeverWritten();
    void bodyThatCannotBeReadAgainIsReportedOnce();
};

void BodyFileTest::deletedBodyFile() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    QTest::keyClicks(w.editor(), "edited ");
    std::filesystem::remove(f.Path("B.TXT"));
    f.prompts.Clear();
    f.Select(2);
    // The body being left was written; the missing one is reported.
    QCOMPARE(ReadAll(f.Path("A.TXT")), rn::Cp932Literal("edited エー本文"));
    const QStringList errors = f.prompts.Of("erroryes");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(U("ファイル \"") + f.QPath("B.TXT") + U("\" は開けません。")), qPrintable(errors[0]));
    QVERIFY(errors[0].size() > (U("ファイル \"") + f.QPath("B.TXT") + U("\" は開けません。")).size());
    QCOMPARE(f.w().bodyEditor().state(), rn::kNoBody);
    QVERIFY(w.editor()->isHidden());
    QCOMPARE(Memo(f), QString());

    // Nothing of A.TXT ever reaches the missing node's file, nor is A.TXT written again.
    WriteAll(f.Path("A.TXT"), "changed outside");
    f.Select(3);
    QVERIFY(!rn::test::Exists(f.Path("B.TXT")));
    f.Select(1);
    QVERIFY(!rn::test::Exists(f.Path("B.TXT")));
    QCOMPARE(ReadAll(f.Path("A.TXT")), std::string("changed outside"));
    f.Trigger("ToolButtonSpr");
    QCOMPARE(w.bodyEditor().lowerPaneMode(), LowerPaneMode::Hidden);

    // At exit too.
    f.Select(2);
    f.window.reset();
    QVERIFY(!rn::test::Exists(f.Path("B.TXT")));
}

void BodyFileTest::bodyThatCannotBeWrittenKeepsTheEdits() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    QTest::keyClicks(w.editor(), "keep ");
    ::chmod(f.Path("A.TXT").c_str(), 0444);
    f.prompts.Clear();
    f.Select(2);
    const QStringList errors = f.prompts.Of("erroryes");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(U("ファイル \"") + f.QPath("A.TXT") + U("\" を作成できません。")),
             qPrintable(errors[0]));
    // The selection change stopped there: the edits are still in the editor, still for A.TXT.
    QCOMPARE(Memo(f), U("keep エー本文"));
    QCOMPARE(rn::Cp932ToUtf8(f.w().bodyEditor().nodeText()), std::string("A.TXT"));
    QCOMPARE(f.w().bodyEditor().state(), rn::kEditing);
    QCOMPARE(ReadAll(f.Path("B.TXT")), rn::Cp932Literal("ビー\nLF だけの行\n"));

    ::chmod(f.Path("A.TXT").c_str(), 0644);
    f.Select(3);
    QCOMPARE(ReadAll(f.Path("A.TXT")), rn::Cp932Literal("keep エー本文"));
    QCOMPARE(Memo(f), U("シー"));
}

void BodyFileTest::bodyOverTheLimitIsRefused() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    QCOMPARE(rn::gui::kBodyLimit, std::size_t(64) << 20);
    // A sparse file one byte over the limit.
    WriteAll(f.Path("C.TXT"), "x");
    QCOMPARE(::truncate(f.Path("C.TXT").c_str(), static_cast<off_t>(rn::gui::kBodyLimit + 1)), 0);
    f.prompts.Clear();
    f.Select(3);
    QCOMPARE(f.prompts.Of("erroryes"), QStringList{U("文字列の大きさがメモの制限を越えました")});
    QCOMPARE(f.w().bodyEditor().state(), rn::kNoBody);
    QVERIFY(f.w().editor()->isHidden());
    QCOMPARE(Memo(f), QString());
    f.Select(2);
    QCOMPARE(std::filesystem::file_size(f.Path("C.TXT")), std::uintmax_t(rn::gui::kBodyLimit + 1));
}

void BodyFileTest::returningToABodyUsesItOnlyWhileItsFileIsUnchanged() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("x.TXT"), Raw({0xED, 0x40, 0x0A, 0x41}));  // a code that does not survive Unicode
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    rn::gui::BodyTextEdit* memo = w.editor();
    QTextDocument* first = memo->document();
    f.Select(2);
    f.Select(0);
    QCOMPARE(memo->document(), first);  // the same document again: nothing decoded, nothing rebuilt
    QCOMPARE(Memo(f), U("エー本文"));

    // Changed on disk while another node was shown: read anew.
    f.Select(2);
    WriteAll(f.Path("A.TXT"), rn::Cp932Literal("外で変えた"));
    f.Select(0);
    QCOMPARE(Memo(f), U("外で変えた"));

    // Edited and written when left: coming back shows the edit, with nothing left to undo.
    TypeEach(memo, U("編集"));
    f.Select(3);
    f.Select(0);
    QCOMPARE(Memo(f), U("編集外で変えた"));
    QVERIFY(!memo->document()->isUndoAvailable());
    QVERIFY(!memo->document()->isModified());
    f.Select(3);
    QCOMPARE(ReadAll(f.Path("A.TXT")), rn::Cp932Literal("編集外で変えた"));

    // Text put in without typing does not stand for the file: it is not used again.
    f.Select(0);
    memo->setPlainText(U("どこにも保存されていない"));
    memo->document()->setModified(false);
    f.Select(3);
    QCOMPARE(ReadAll(f.Path("A.TXT")), rn::Cp932Literal("編集外で変えた"));
    f.Select(0);
    QCOMPARE(Memo(f), U("編集外で変えた"));

    // Fonts, tab stops and wrapping changed meanwhile reach a document used again.
    f.Select(3);
    w.state().settings.Memo.FontName = "DejaVu Sans Mono";
    w.state().settings.Memo.FontSize = 15;
    w.state().settings.Memo.TabSize = 8;
    f.Trigger("ToolButtonCR");
    QVERIFY(!w.state().settings.Memo.WordWrap);
    f.Select(0);
    QCOMPARE(memo->document()->defaultFont(), memo->font());
    QCOMPARE(memo->font().pointSize(), 15);
    QCOMPARE(memo->tabStopDistance(), 8.0 * memo->fontMetrics().averageCharWidth());
    QCOMPARE(memo->document()->defaultTextOption().wrapMode(), QTextOption::NoWrap);

    // A body whose bytes do not survive Unicode is still written back byte for byte.
    f.Select(1);
    w.doc().outline.AppendChild(nullptr, "x.TXT", rn::NodeKind::Text);
    const int x = w.doc().outline.Count() - 1;
    f.Select(x);
    f.Select(0);
    f.Select(x);
    f.Select(0);
    QCOMPARE(ReadAll(f.Path("x.TXT")), Raw({0xED, 0x40, 0x0D, 0x0A, 0x41}));

    // Only a few are kept.
    for (int i : {2, 3, 5, 6, 7, 9, 0})
        f.Select(i);
    QVERIFY(w.bodyEditor().keptCount() <= rn::gui::kKeptBodies);
    QVERIFY(w.bodyEditor().keptCount() > 0);
}

void BodyFileTest::nulBytesEndTheBody() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    WriteAll(f.Path("tail.TXT"), std::string("ab\r\ncd\0\0\0", 9));
    WriteAll(f.Path("mid.TXT"), std::string("ab\0cd", 5));
    WriteAll(f.Path("crlf.TXT"), "ab\r\ncd");
    f.OpenDocument("nul.Rnote", "tail.TXT\r\nmid.TXT\r\ncrlf.TXT\r\n");
    // NUL bytes at the very end are no text: the body ends before them.
    QCOMPARE(Memo(f), U("ab\ncd"));
    f.prompts.Clear();
    f.Select(1);
    // Text after a NUL could not be written back: the body is refused, not cut.
    QCOMPARE(f.prompts.Of("erroryes").size(), 1);
    QVERIFY(f.prompts.Of("erroryes")[0].startsWith(U("ファイル \"") + f.QPath("mid.TXT") + U("\" は開けません。")));
    QCOMPARE(f.w().bodyEditor().state(), rn::kNoBody);
    QCOMPARE(ReadAll(f.Path("tail.TXT")), std::string("ab\r\ncd"));
    f.Select(2);
    QCOMPARE(Memo(f), U("ab\ncd"));
    f.Select(0);
    QCOMPARE(ReadAll(f.Path("mid.TXT")), std::string("ab\0cd", 5));
    QCOMPARE(ReadAll(f.Path("crlf.TXT")), std::string("ab\r\ncd"));
}

void BodyFileTest::bodyWithUndefinedBytesIsReadOnlyAndNeverWritten() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    // LF line ends, which an unedited body would get as CR LF, and 0x80 at offset 4.
    const std::string odd = Raw({'a', 0x0A, 0x82, 0xA0, 0x80, 0x0A, 0x85, 0x40});
    WriteAll(f.Path("odd.TXT"), odd);
    WriteAll(f.Path("ok.TXT"), "ok");
    f.OpenDocument("odd.Rnote", "odd.TXT\r\nok.TXT\r\n");
    QVERIFY(f.w().editor()->isReadOnly());
    QCOMPARE(Memo(f), U("a\nあ\uFFFD\n\uFFFD"));
    QTest::keyClicks(f.w().editor(), "typed");
    f.Select(1);
    QVERIFY(!f.w().editor()->isReadOnly());
    f.Select(0);
    QVERIFY(f.Message().contains(U("オフセット 4 (0x4)")));
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("odd.TXT")), odd);
}

void BodyFileTest::bodyThatCannotBeReadAgainIsReportedOnce() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    f.prompts.Clear();
    WriteAll(f.Path("A.TXT"), std::string("a\0b", 3));  // text after a NUL cannot be read
    QTRY_COMPARE(f.prompts.Of("erroryes").size(), 1);
    // Files come and go beside it (the program's own saves do): no box again.
    WriteAll(f.Path("new.TXT"), "other");
    QTest::qWait(300);
    QCOMPARE(f.prompts.Of("erroryes").size(), 1);
    QCOMPARE(Memo(f), U("エー本文"));
    // Readable again, it is shown again.
    WriteAll(f.Path("A.TXT"), rn::Cp932Literal("直った"));
    QTRY_COMPARE(Memo(f), U("直った"));
    QCOMPARE(f.prompts.Of("erroryes").size(), 1);
}

QTEST_MAIN(BodyFileTest)
#include "body_file_test.moc"
