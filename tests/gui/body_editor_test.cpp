// SPDX-License-Identifier: MIT
// The body editor through the real widgets: what a selection change loads and writes, how bodies are
// kept byte for byte, text the body file could not hold, the status panels, the toggles and the
// appearance settings.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <filesystem>

#include "body_editor_support.h"
#include "core/text/cp932.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/window/appearance.h"
#include "gui/window/status_panels.h"
#include "gui_support.h"

using namespace rn::test::body;

class BodyEditorTest : public QObject {
    Q_OBJECT
private slots:
    void selectingTextFolderTrashAndTrashText();
    void lineEndsBecomeCrLfAndNothingIsAdded();
    void uneditedBodiesKeepTheirBytes();
    void editedBodiesAreEncoded();
    void charactersTheFileCannotHoldAreRefused();
    void pastedAndComposedTextIsFilteredToo();
    void textBeingComposedIsSavedByEveryCommandThatSaves();
    void nodePositionPanel();
    void caretPanelCountsLinesAndColumns();
    void caretPanelCountsDisplayedLinesWhenWrapping();
    void lockKeyPanel();
    void tabAndWrapToggles();
    void applySettingsSetsFontsColoursAndTabs();
    void applySettingsWithInitialValuesKeepsUsableFontsAndColours();
    void colourTexts();
};

void BodyEditorTest::selectingTextFolderTrashAndTrashText() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    rn::Document& doc = f.doc();

    // The first node is selected by the open: a text node, loaded and editable.
    QCOMPARE(w.selectedNode(), doc.outline.At(0));
    QVERIFY(w.editor()->isVisible());
    QVERIFY(!w.editor()->isReadOnly());
    QCOMPARE(Memo(f), U("エー本文"));
    QCOMPARE(f.w().bodyEditor().state(), rn::kEditing);
    QCOMPARE(rn::Cp932ToUtf8(f.w().bodyEditor().nodeText()), std::string("A.TXT"));

    // A text node: B.TXT is read with its LF line ends made CR LF.
    f.Select(2);
    QCOMPARE(Memo(f), U("ビー\nLF だけの行\n"));
    QCOMPARE(f.w().bodyEditor().state(), rn::kEditing);
    QCOMPARE(ReadAll(f.Path("B.TXT")), rn::Cp932Literal("ビー\nLF だけの行\n"));  // reading writes nothing

    // A folder: the editor hides; leaving B.TXT rewrote it although nothing was typed.
    f.Select(1);
    QVERIFY(w.editor()->isHidden());
    QCOMPARE(f.w().bodyEditor().state(), rn::kNoBody);
    QCOMPARE(rn::Cp932ToUtf8(f.w().bodyEditor().nodeText()), std::string("章"));
    QCOMPARE(ReadAll(f.Path("B.TXT")), rn::Cp932Literal("ビー\r\nLF だけの行\r\n"));
    QCOMPARE(f.Message(), QString());

    // The trash node: "ゴミです", nothing shown.
    f.Select(8);
    QCOMPARE(f.Message(), U(" ゴミです"));
    QCOMPARE(f.w().bodyEditor().state(), rn::kTrashView);
    QVERIFY(w.editor()->isHidden());

    // A text node in the trash: shown read-only, never written back.
    f.Select(9);
    QCOMPARE(f.Message(), U(" ゴミです"));
    QCOMPARE(f.w().bodyEditor().state(), rn::kTrashView);
    QVERIFY(w.editor()->isVisible());
    QVERIFY(w.editor()->isReadOnly());
    QCOMPARE(Memo(f), U("捨てた\n本文"));
    QTest::keyClicks(w.editor(), "typed");
    QCOMPARE(Memo(f), U("捨てた\n本文"));
    f.Select(0);
    QCOMPARE(ReadAll(f.Path("屑.TXT")), rn::Cp932Literal("捨てた\n本文"));
    QVERIFY(!w.editor()->isReadOnly());
    QCOMPARE(f.Message(), QString());

    // Leaving a text node for the trash writes the body that was being edited.
    QTest::keyClicks(w.editor(), "X");
    f.Select(8);
    QCOMPARE(ReadAll(f.Path("A.TXT")), rn::Cp932Literal("Xエー本文"));
}

void BodyEditorTest::lineEndsBecomeCrLfAndNothingIsAdded() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    WriteAll(f.Path("lf.TXT"), rn::Cp932Literal("一\n二\n\n三"));
    WriteAll(f.Path("cr.TXT"), rn::Cp932Literal("一\r二\r\r"));
    WriteAll(f.Path("mixed.TXT"), rn::Cp932Literal("一\r\n二\n三\r四"));
    WriteAll(f.Path("empty.TXT"), "");
    f.OpenDocument("le.Rnote", "lf.TXT\r\ncr.TXT\r\nmixed.TXT\r\nempty.TXT\r\nend\r\n");
    for (int i = 1; i <= 4; ++i)
        f.Select(i);
    QCOMPARE(ReadAll(f.Path("lf.TXT")), rn::Cp932Literal("一\r\n二\r\n\r\n三"));
    QCOMPARE(ReadAll(f.Path("cr.TXT")), rn::Cp932Literal("一\r\n二\r\n\r\n"));
    QCOMPARE(ReadAll(f.Path("mixed.TXT")), rn::Cp932Literal("一\r\n二\r\n三\r\n四"));
    QCOMPARE(ReadAll(f.Path("empty.TXT")), std::string());

    // An emptied editor gives a file of 0 bytes; typed line breaks are written as CR LF.
    f.Select(0);
    f.w().editor()->selectAll();
    QTest::keyClick(f.w().editor(), Qt::Key_Delete);
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("lf.TXT")), std::string());
    QTest::keyClicks(f.w().editor(), "x");
    QTest::keyClick(f.w().editor(), Qt::Key_Return);
    f.Select(2);
    QCOMPARE(ReadAll(f.Path("cr.TXT")), rn::Cp932Literal("x\r\n一\r\n二\r\n\r\n"));
}

void BodyEditorTest::uneditedBodiesKeepTheirBytes() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    // 0xED40 (an NEC-selected IBM extension) and 0x8790 (≒ among the NEC specials) come back from
    // Unicode as 0xFA5C and 0x81E0; 0xFA5C is an IBM extension; 0x835C has 0x5C as its second byte;
    // 0x0A never occurs inside a double-byte character.
    const std::string body = Raw({0xED, 0x40, 0x0A, 0x87, 0x90, 0x0D, 0x0A, 0xFA, 0x5C, 0x83, 0x5C, 0x0D, 0x41});
    const std::string expected =
        Raw({0xED, 0x40, 0x0D, 0x0A, 0x87, 0x90, 0x0D, 0x0A, 0xFA, 0x5C, 0x83, 0x5C, 0x0D, 0x0A, 0x41});
    WriteAll(f.Path("x.TXT"), body);
    WriteAll(f.Path("y.TXT"), "");
    f.OpenDocument("exact.Rnote", "x.TXT\r\ny.TXT\r\n");
    QCOMPARE(Memo(f).size(), 8);
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("x.TXT")), expected);
    // Again, now from the written bytes.
    f.Select(0);
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("x.TXT")), expected);

    // An edit that is undone leaves the body unedited.
    f.Select(0);
    QTest::keyClicks(f.w().editor(), "z");
    QTest::keyClick(f.w().editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Memo(f).size(), 8);
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("x.TXT")), expected);
}

void BodyEditorTest::editedBodiesAreEncoded() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    WriteAll(f.Path("x.TXT"), Raw({0xED, 0x40, 0x87, 0x90}));
    WriteAll(f.Path("y.TXT"), "");
    f.OpenDocument("enc.Rnote", "x.TXT\r\ny.TXT\r\n");
    // The editor holds Unicode: the same characters under their usual CP932 codes once it is edited.
    SetCaret(f.w().editor(), 2);
    QTest::keyClicks(f.w().editor(), "a");
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("x.TXT")), Raw({0xFA, 0x5C, 0x81, 0xE0, 0x61}));
    // Half-width katakana and the yen-less backslash survive as single bytes.
    TypeEach(f.w().editor(), U("ｶﾅ\\"));
    f.Select(0);
    QCOMPARE(ReadAll(f.Path("y.TXT")), Raw({0xB6, 0xC5, 0x5C}));
}

void BodyEditorTest::charactersTheFileCannotHoldAreRefused() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::BodyTextEdit* memo = f.w().editor();
    SetCaret(memo, 0);

    // A character outside the BMP, typed as one key: refused, a beep, the message names it and stays
    // after the key is released.
    f.prompts.beeps = 0;
    TypeText(memo, U("😀"));
    QCOMPARE(Memo(f), U("エー本文"));
    QCOMPARE(f.prompts.beeps, 1);
    QCOMPARE(f.Message(), U(" この文字はShift-JISで保存できません [😀 U+1F600]"));

    // Hangul, typed as a key of its own.
    f.prompts.beeps = 0;
    TypeEach(memo, U("한"));
    QCOMPARE(Memo(f), U("エー本文"));
    QCOMPARE(f.prompts.beeps, 1);
    QCOMPARE(f.Message(), U(" この文字はShift-JISで保存できません [한 U+D55C]"));

    // The next accepted key ends the message; storable text goes in.
    TypeEach(memo, U("漢"));
    QCOMPARE(Memo(f), U("漢エー本文"));
    QCOMPARE(f.Message(), QString());

    // A wave dash from a JIS-minded input method becomes the CP932 one.
    TypeText(memo, U("\u301C"));
    QCOMPARE(Memo(f), U("漢～エー本文"));
    f.Select(1);
    QCOMPARE(ReadAll(f.Path("A.TXT")), Raw({0x8A, 0xBF, 0x81, 0x60}) + rn::Cp932Literal("エー本文"));

    // A read-only pane says nothing about storing: nothing is stored from it.
    f.Select(9);
    f.prompts.beeps = 0;
    TypeText(memo, U("😀"));
    QCOMPARE(f.prompts.beeps, 0);
    QCOMPARE(f.Message(), QString());
    TypeText(f.w().lowerPane(), U("😀"));
    QCOMPARE(f.prompts.beeps, 0);
}

void BodyEditorTest::pastedAndComposedTextIsFilteredToo() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::BodyTextEdit* memo = f.w().editor();
    SetCaret(memo, 0);

    // One character CP932 cannot hold never drops the rest of a paste.
    f.prompts.beeps = 0;
    QApplication::clipboard()->setText(U("前😀後"));
    memo->paste();
    QCOMPARE(Memo(f), U("前後エー本文"));
    QCOMPARE(f.prompts.beeps, 1);
    QCOMPARE(f.Message(), U(" この文字はShift-JISで保存できません [😀 U+1F600]"));
    // Releasing the keys of the paste shortcut does not wipe the message.
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier, QString());
    QApplication::sendEvent(memo, &release);
    QCOMPARE(f.Message(), U(" この文字はShift-JISで保存できません [😀 U+1F600]"));

    // A NUL would end the body when it is read again; several are named together.
    QApplication::clipboard()->setText(QString(QChar(0)) + U("x한"));
    memo->paste();
    QCOMPARE(Memo(f), U("前後xエー本文"));
    QCOMPARE(f.Message(), U(" これらの文字はShift-JISで保存できません [U+0000] [한 U+D55C]"));

    QApplication::clipboard()->setText(U("貼る\r\n～〜"));
    memo->paste();
    QCOMPARE(Memo(f), U("前後x貼る\n～～エー本文"));

    // An input method's phrase: shown while composed, committed without the one character.
    SetCaret(memo, 0);
    QInputMethodEvent preedit(U("あいうえおゔあ"), {});
    QApplication::sendEvent(memo, &preedit);
    QInputMethodEvent committed(QString(), {});
    committed.setCommitString(U("あいうえおゔあ"));
    QApplication::sendEvent(memo, &committed);
    QCOMPARE(Memo(f), U("あいうえおあ前後x貼る\n～～エー本文"));
    QCOMPARE(f.Message(), U(" この文字はShift-JISで保存できません [ゔ U+3094]"));

    f.Select(1);
    QCOMPARE(ReadAll(f.Path("A.TXT")), rn::Cp932Literal("あいうえおあ前後x貼る\r\n～～エー本文"));
}

void BodyEditorTest::textBeingComposedIsSavedByEveryCommandThatSaves() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::BodyTextEdit* memo = f.w().editor();
    SetCaret(memo, 0);
    // Still being converted when the program ends: the phrase is part of the body written.
    QInputMethodEvent preedit(U("変換中〜"), {});
    QApplication::sendEvent(memo, &preedit);
    QCOMPARE(Memo(f), U("エー本文"));
    f.w().runExit();
    QCOMPARE(ReadAll(f.Path("A.TXT")), rn::Cp932Literal("変換中～エー本文"));
}

void BodyEditorTest::nodePositionPanel() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    QCOMPARE(f.Panel(0), U("No.1/1階層/0子"));
    f.Select(4);
    QCOMPARE(f.Panel(0), U("No.5/2階層/3子"));
    QCOMPARE(f.w().state().settings.Start.NodeNo, 4);
    f.Select(7);
    QCOMPARE(f.Panel(0), U("No.8/3階層/0子"));
    f.Select(1);
    QCOMPARE(f.Panel(0), U("No.2/1階層/3子"));
    f.Select(8);
    QCOMPARE(f.Panel(0), U("No.9/1階層/1子"));
}

void BodyEditorTest::caretPanelCountsLinesAndColumns() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    f.Trigger("ToolButtonCR");  // wrap off
    QVERIFY(!f.w().state().settings.Memo.WordWrap);
    rn::gui::BodyTextEdit* memo = f.w().editor();
    memo->setPlainText(U("一行目\n二\n漢字とabcdefghijkl"));
    // Third line, before its 11th character: one key to the right gives column 12.
    SetCaret(memo, 4 + 2 + 10);
    f.w().setMessage(U("old"));
    QTest::keyClick(memo, Qt::Key_Right);
    QCOMPARE(f.Panel(2), U("3行/12"));
    QCOMPARE(f.Message(), QString());  // every key release clears the message
    QTest::keyClick(memo, Qt::Key_Home);
    QCOMPARE(f.Panel(2), U("3行/1"));
    QTest::keyClick(memo, Qt::Key_Up);
    QCOMPARE(f.Panel(2), U("2行/1"));

    // With a selection the start of the selection counts.
    QTextCursor c = memo->textCursor();
    c.setPosition(1);
    c.setPosition(9, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
    QTest::keyClick(memo, Qt::Key_Shift);
    QCOMPARE(f.Panel(2), U("1行/2"));

    // A mouse click does not update the panel.
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(f.Panel(2), U("1行/2"));
}

void BodyEditorTest::caretPanelCountsDisplayedLinesWhenWrapping() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    QVERIFY(f.w().state().settings.Memo.WordWrap);  // the delivered settings wrap
    rn::gui::BodyTextEdit* memo = f.w().editor();
    memo->setPlainText(U("短い\n") + QString(400, QLatin1Char('a')) + U("\n終わり"));
    QTest::qWait(0);
    const int position = 3 + 300;
    SetCaret(memo, position);
    QTest::keyClick(memo, Qt::Key_Shift);

    // Count the displayed lines above the caret and its column on its own displayed line with the
    // cursor's own movements.
    QTextCursor probe = memo->textCursor();
    int above = 0;
    while (probe.movePosition(QTextCursor::Up))
        ++above;
    QTextCursor lineStart = memo->textCursor();
    lineStart.movePosition(QTextCursor::StartOfLine);
    const int column = position - lineStart.position();
    QVERIFY(above >= 2);  // the long line really wraps
    QCOMPARE(f.Panel(2), QStringLiteral("%1行/%2").arg(above + 1).arg(column + 1));

    // The last line follows every wrapped line.
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Shift);
    probe = memo->textCursor();
    int all = 0;
    while (probe.movePosition(QTextCursor::Up))
        ++all;
    QCOMPARE(f.Panel(2), QStringLiteral("%1行/4").arg(all + 1));
    QVERIFY(all + 1 > 3);

    f.Trigger("ToolButtonCR");  // wrap off: lines are lines again
    QTest::keyClick(memo, Qt::Key_Shift);
    QCOMPARE(f.Panel(2), U("3行/4"));
}

void BodyEditorTest::lockKeyPanel() {
    using rn::gui::BodyEditor;
    QCOMPARE(BodyEditor::lockText(false, false), QStringLiteral("  "));
    QCOMPARE(BodyEditor::lockText(true, false), QStringLiteral("C "));
    QCOMPARE(BodyEditor::lockText(false, true), QStringLiteral("   Num"));
    QCOMPARE(BodyEditor::lockText(true, true), QStringLiteral("C  Num"));
    // Without an X server both locks read as off.
    MainWindowFixture f({}, true);
    OpenOutline(f);
    QTest::keyClick(f.w().editor(), Qt::Key_Right);
    QCOMPARE(f.Panel(3), QStringLiteral("  "));
}

void BodyEditorTest::tabAndWrapToggles() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    QAction* tab = w.findChild<QAction*>(QStringLiteral("ToolButtonTAB"));
    QAction* cr = w.findChild<QAction*>(QStringLiteral("ToolButtonCR"));
    const rn::Settings& s = w.state().settings;
    // The delivered settings: tab input and wrapping on; the hints name what a click does.
    QVERIFY(s.Memo.TabIn);
    QCOMPARE(tab->toolTip(), U("Tab入力解除"));
    QCOMPARE(cr->toolTip(), U("折り返しOFF"));
    QVERIFY(!w.editor()->tabChangesFocus());

    QTest::keyClick(w.editor(), Qt::Key_Tab);
    QCOMPARE(Memo(f), U("\tエー本文"));

    f.Trigger("ToolButtonTAB");
    QVERIFY(!s.Memo.TabIn);
    QCOMPARE(f.Message(), U(" Tab入力解除しました"));
    QCOMPARE(tab->toolTip(), U("Tab入力"));
    QVERIFY(w.editor()->tabChangesFocus());
    QVERIFY(w.lowerPane()->tabChangesFocus());
    w.editor()->setFocus();
    QTest::keyClick(w.editor(), Qt::Key_Tab);
    QCOMPARE(Memo(f), U("\tエー本文"));  // the key moved the focus instead

    f.Trigger("ToolButtonTAB");
    QVERIFY(s.Memo.TabIn);
    QCOMPARE(f.Message(), U(" Tab入力できます"));
    QCOMPARE(tab->toolTip(), U("Tab入力解除"));

    f.prompts.beeps = 0;
    f.Trigger("ToolButtonCR");
    QVERIFY(!s.Memo.WordWrap);
    QCOMPARE(f.Message(), QString());
    QCOMPARE(f.prompts.beeps, 0);
    QCOMPARE(cr->toolTip(), U("折り返しON"));
    for (QPlainTextEdit* e : {static_cast<QPlainTextEdit*>(w.editor()), static_cast<QPlainTextEdit*>(w.lowerPane())}) {
        QCOMPARE(e->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(e->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(e->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
    f.Trigger("ToolButtonCR");
    QVERIFY(s.Memo.WordWrap);
    QCOMPARE(cr->toolTip(), U("折り返しOFF"));
    for (QPlainTextEdit* e : {static_cast<QPlainTextEdit*>(w.editor()), static_cast<QPlainTextEdit*>(w.lowerPane())}) {
        QCOMPARE(e->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(e->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    // The toggles change the record, so the settings file written at exit keeps them.
    f.Trigger("ToolButtonTAB");
    f.Trigger("ToolButtonCR");
    f.window.reset();
    const std::string ini = ReadAll(f.Path("Res/Ramblenote.Ini"));
    QVERIFY(ini.find("TabIn=0\r\n") != std::string::npos);
    QVERIFY(ini.find("WordWrap=0\r\n") != std::string::npos);
}

void BodyEditorTest::applySettingsSetsFontsColoursAndTabs() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    rn::gui::MainWindow& w = f.w();
    rn::Settings& s = w.state().settings;
    s.Tree.FontName = "DejaVu Sans";
    s.Tree.FontSize = 14;
    s.Tree.FontColor = "clNavy";
    s.Tree.FontBColor = "clCream";
    s.Tree.Root = false;
    s.Memo.FontName = "DejaVu Sans Mono";
    s.Memo.FontSize = 13;
    s.Memo.FontColor = "clMaroon";
    s.Memo.FontBColor = "$00E0F0FF";
    s.Memo.TabSize = 4;
    s.AddMemo.FontName = "DejaVu Serif";
    s.AddMemo.FontSize = 9;
    s.AddMemo.FontColor = "clGreen";
    s.AddMemo.FontBColor = "clSilver";
    w.applySettings();

    QCOMPARE(w.outlineView()->font().family(), U("DejaVu Sans"));
    QCOMPARE(w.outlineView()->font().pointSize(), 14);
    QCOMPARE(w.outlineView()->palette().color(QPalette::Text), QColor(0, 0, 0x80));
    QCOMPARE(w.outlineView()->palette().color(QPalette::Base), QColor(0xFF, 0xFB, 0xF0));
    QVERIFY(!w.outlineView()->rootIsDecorated());
    QCOMPARE(w.editor()->font().family(), U("DejaVu Sans Mono"));
    QCOMPARE(w.editor()->font().pointSize(), 13);
    QCOMPARE(w.editor()->palette().color(QPalette::Text), QColor(0x80, 0, 0));
    QCOMPARE(w.editor()->palette().color(QPalette::Base), QColor(0xFF, 0xF0, 0xE0));
    QCOMPARE(w.lowerPane()->font().family(), U("DejaVu Serif"));
    QCOMPARE(w.lowerPane()->font().pointSize(), 9);
    QCOMPARE(w.lowerPane()->palette().color(QPalette::Text), QColor(0, 0x80, 0));
    QCOMPARE(w.lowerPane()->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    // Tab stops every TabSize average characters, in both panes.
    QCOMPARE(w.editor()->tabStopDistance(), 4.0 * w.editor()->fontMetrics().averageCharWidth());
    QCOMPARE(w.lowerPane()->tabStopDistance(), 4.0 * w.lowerPane()->fontMetrics().averageCharWidth());
    // The selection change sets them again after loading a body.
    f.Select(2);
    QCOMPARE(w.editor()->tabStopDistance(), 4.0 * w.editor()->fontMetrics().averageCharWidth());
}

void BodyEditorTest::applySettingsWithInitialValuesKeepsUsableFontsAndColours() {
    MainWindowFixture f;
    // No settings file: the record keeps its initial values.
    std::filesystem::remove(f.Path("Res/Ramblenote.Ini"));
    f.w().runStartup();
    f.w().show();
    rn::gui::MainWindow& w = f.w();
    QCOMPARE(w.state().settings.Memo.FontName, std::string());
    const QFont memoFont = w.editor()->font();
    const QFont treeFont = w.outlineView()->font();
    const QPalette memoPalette = w.editor()->palette();
    const qreal tabs = w.editor()->tabStopDistance();

    f.Trigger("ToolButtonTAB");  // applies the record
    QCOMPARE(f.Message(), U(" Tab入力できます"));
    for (QWidget* pane : {static_cast<QWidget*>(w.editor()), static_cast<QWidget*>(w.lowerPane()),
                          static_cast<QWidget*>(w.outlineView())}) {
        QVERIFY(!pane->font().family().isEmpty());
        QVERIFY(pane->fontInfo().pixelSize() > 0);
        QVERIFY(pane->palette().color(QPalette::Text) != pane->palette().color(QPalette::Base));
        QVERIFY(pane->palette().color(QPalette::Text).isValid());
    }
    QCOMPARE(w.editor()->font(), memoFont);
    QCOMPARE(w.outlineView()->font(), treeFont);
    QCOMPARE(w.editor()->palette().color(QPalette::Text), memoPalette.color(QPalette::Text));
    QCOMPARE(w.editor()->palette().color(QPalette::Base), memoPalette.color(QPalette::Base));
    QCOMPARE(w.editor()->tabStopDistance(), tabs);
    QVERIFY(w.editor()->tabStopDistance() > 0);

    // Unreadable colour texts keep the widget's colour too.
    w.state().settings.Memo.FontColor = "nonsense";
    w.state().settings.Memo.FontBColor = "clNone";
    f.Trigger("ToolButtonCR");
    QCOMPARE(w.editor()->palette().color(QPalette::Text), memoPalette.color(QPalette::Text));
    QCOMPARE(w.editor()->palette().color(QPalette::Base), memoPalette.color(QPalette::Base));
}

void BodyEditorTest::colourTexts() {
    using rn::gui::resolveColor;
    QPalette p;
    p.setColor(QPalette::Base, QColor(1, 2, 3));
    p.setColor(QPalette::Text, QColor(4, 5, 6));
    QCOMPARE(*resolveColor("clSilver", p), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(*resolveColor("clsilver", p), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(*resolveColor("$00123456", p), QColor(0x56, 0x34, 0x12));
    QCOMPARE(*resolveColor("0x0000FF", p), QColor(0xFF, 0, 0));
    QCOMPARE(*resolveColor("255", p), QColor(0xFF, 0, 0));
    QCOMPARE(*resolveColor("clWindow", p), QColor(1, 2, 3));
    QCOMPARE(*resolveColor("clWindowText", p), QColor(4, 5, 6));
    QVERIFY(!resolveColor("", p));
    QVERIFY(!resolveColor("clNone", p));
    QVERIFY(!resolveColor("clDefault", p));
    QVERIFY(!resolveColor("green-ish", p));
}

QTEST_MAIN(BodyEditorTest)
#include "body_editor_test.moc"
