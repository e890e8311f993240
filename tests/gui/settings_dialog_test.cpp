// SPDX-License-Identifier: MIT
// The settings dialog on the real widgets: its frame and pages, the previews and what OK and Cancel
// leave in the record and on the main window, the colour lists, the number fields and the print
// program chooser.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>

#include "core/settings/colors.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_view.h"
#include "gui/settings/color_list_box.h"
#include "gui/settings/dialog_widgets.h"
#include "gui/settings/settings_dialog.h"
#include "gui_support.h"

using rn::gui::ColorListBox;
using rn::gui::SettingsDialog;
using rn::gui::SteppedNumberField;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;

namespace {

template <typename T>
T* Find(QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no %s", name);
    return found;
}

// Opens the dialog through `action` and runs `script` inside its event loop; the script closes it.
void InDialog(MainWindowFixture& f, const std::function<void(SettingsDialog&)>& script,
              const char* action = "ToolButtonCust") {
    SettingsDialog& d = f.w().settingsDialog();
    QTimer::singleShot(0, &d, [&d, script] {
        if (!d.isVisible()) qFatal("the settings dialog was not shown");
        script(d);
        if (d.isVisible()) qFatal("the settings dialog is still open after the script");
    });
    f.Trigger(action);
}

// The number field around the read-only edit `name`.
SteppedNumberField* Field(QObject& d, const char* name) {
    return qobject_cast<SteppedNumberField*>(Find<QLineEdit>(d, name)->parentWidget());
}

void Press(SettingsDialog& d, const char* button) {
    Find<QPushButton>(d, button)->click();
}

// A started program with the delivered settings.
struct Started : MainWindowFixture {
    Started() { w().runStartup(); }
    rn::Settings& settings() { return w().state().settings; }
};

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void frameAndPages();
    void colourListsInTheirOrder();
    void cancelUndoesThePreviewsAndKeepsTheRecord();
    void previewsFollowTheirTriggersAndOkStoresEverything();
    void customColourStoresPositionZeroAndItsNumber();
    void arrowsStayWithinTheirRanges();
    void valuesOutsideTheControlsAreKeptOrShownAsNone();
    void escapeCancelsAndEnterConfirms();
    void toolButtonTabStateIsShown();
    void printProgramChooser();
};

void SettingsDialogTest::frameAndPages() {
    Started f;
    f.w().setGeometry(100, 100, 900, 700);
    int pagesShown = -1;
    InDialog(f, [&](SettingsDialog& d) {
        QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY((d.frameGeometry().center() - f.w().frameGeometry().center()).manhattanLength() <= 2);
        for (const char* name :
             {"PageTree",    "EditD1",      "EditD2",      "EditT1",      "UpDown1",     "CheckBox1",  "CheckBox2",
              "CheckBox5",   "CheckBoxTR1", "CheckBoxTR2", "CheckBoxTR3", "ComboBoxTR4", "EditTR5",    "UpDown2",
              "ColorBoxTR6", "ColorBoxTR7", "ComboBoxM1",  "EditM2",      "UpDown3",     "ColorBoxM3", "ColorBoxM4",
              "EditM5",      "UpDown4",     "CheckBox4",   "CheckBox3",   "ComboBoxAM1", "EditAM2",    "UpDown5",
              "ColorBoxAM3", "ColorBoxAM4", "CheckBoxAM5", "EditPrinE1",  "Button1",     "Button2",    "Button3"})
            Find<QWidget>(d, name);
        QVERIFY(Find<QLineEdit>(d, "EditD2")->isReadOnly());
        auto* list = Find<QTreeWidget>(d, "TreeView1");
        auto* pages = Find<QStackedWidget>(d, "PageControl1");
        QCOMPARE(pages->count(), 8);
        QCOMPARE(d.currentPage(), 0);
        // Each entry of the list, in its level, shows its page.
        const std::pair<int, const char*> rows[] = {{0, "TabSheet1"}, {0, "TabSheet2"}, {1, "TabSheet3"},
                                                    {1, "TabSheet4"}, {1, "TabSheet5"}, {0, "TabSheet6"}};
        int i = 0;
        for (QTreeWidgetItemIterator it(list); *it; ++it, ++i) {
            QTreeWidgetItem* item = *it;
            QCOMPARE(item->parent() ? 1 : 0, rows[i].first);
            if (item->childCount()) QVERIFY(item->isExpanded());
            list->setCurrentItem(item);
            QCOMPARE(pages->currentWidget()->objectName(), QString::fromLatin1(rows[i].second));
        }
        QCOMPARE(i, 6);
        list->setCurrentItem(list->topLevelItem(1)->child(1));
        Press(d, "Button2");
    });
    // The page shown last is shown again.
    InDialog(f, [&](SettingsDialog& d) {
        pagesShown = d.currentPage();
        Press(d, "Button2");
    });
    QCOMPARE(pagesShown, 3);
}

void SettingsDialogTest::colourListsInTheirOrder() {
    Started f;
    QObject& d = f.w().settingsDialog();
    // The two outline lists add the 30 display colours; the four editor lists end at 20.
    for (const char* name : {"ColorBoxTR6", "ColorBoxTR7"})
        QCOMPARE(Find<ColorListBox>(d, name)->count(), 51);
    for (const char* name : {"ColorBoxM3", "ColorBoxM4", "ColorBoxAM3", "ColorBoxAM4"})
        QCOMPARE(Find<ColorListBox>(d, name)->count(), 21);
    auto* box = Find<ColorListBox>(d, "ColorBoxTR6");
    const struct {
        int position;
        const char* label;
        const char* name;
    } rows[] = {{1, "黒", "clBlack"},
                {2, "茶色", "clMaroon"},
                {13, "青", "clBlue"},
                {16, "白", "clWhite"},
                {17, "緑", "clMoneyGreen"},
                {20, "ミディアムグレー", "clMedGray"},
                {21, nullptr, "clActiveBorder"},
                {45, nullptr, "clScrollBar"},
                {50, nullptr, "clWindowText"}};
    QCOMPARE(box->itemText(0), U("カスタム..."));
    for (const auto& row : rows) {
        if (row.label) QCOMPARE(box->itemText(row.position), U(row.label));
        QCOMPARE(rn::ColorToText(box->itemData(row.position).toUInt()), std::string(row.name));
    }
}

void SettingsDialogTest::cancelUndoesThePreviewsAndKeepsTheRecord() {
    Started f;
    const rn::Settings before = f.settings();
    const std::string fileBefore = ReadAll(f.w().state().settingsFile);
    const QColor background = f.w().editor()->palette().color(QPalette::Base);
    QColor previewed;
    InDialog(f, [&](SettingsDialog& d) {
        auto* box = Find<ColorListBox>(d, "ColorBoxM4");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);  // 白 to 水色
        previewed = f.w().editor()->palette().color(QPalette::Base);
        Find<QCheckBox>(d, "CheckBoxTR2")->click();
        Press(d, "Button2");
    });
    QCOMPARE(previewed, QColor(0, 255, 255));
    QCOMPARE(f.w().editor()->palette().color(QPalette::Base), background);
    QVERIFY(f.w().outlineView()->showLines());
    QVERIFY(f.settings() == before);
    QCOMPARE(ReadAll(f.w().state().settingsFile), fileBefore);
    QCOMPARE(f.Message(), U(" 設定内容をキャンセルしました"));

    // A record without values yet (no settings file read): Cancel still puts back what was shown.
    MainWindowFixture bare;
    rn::gui::BodyTextEdit* editor = bare.w().editor();
    const QFont font = editor->font();
    const QPalette palette = editor->palette();
    InDialog(bare, [&](SettingsDialog& d) {
        Find<QComboBox>(d, "ComboBoxM1")->setCurrentText(U("IPAGothic"));
        QTest::mouseClick(Field(d, "EditM2")->upArrow(), Qt::LeftButton);
        auto* box = Find<ColorListBox>(d, "ColorBoxM4");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QVERIFY(editor->font() != font || editor->palette() != palette);
        Press(d, "Button2");
    });
    QCOMPARE(editor->font(), font);
    QCOMPARE(editor->palette(), palette);
}

void SettingsDialogTest::previewsFollowTheirTriggersAndOkStoresEverything() {
    Started f;
    rn::gui::BodyTextEdit* editor = f.w().editor();
    rn::gui::OutlineView* outline = f.w().outlineView();
    const int treeSize = f.settings().Tree.FontSize;
    const QString family = U("IPAGothic");
    struct {
        bool lines, tabFocusAfterKey, tabFocusAfterClick, wrapModeKept;
        Qt::ScrollBarPolicy horizontal;
        int treePointSize, editorTabStop;
        QString editorFamily;
    } seen{};
    InDialog(f, [&](SettingsDialog& d) {
        Find<QCheckBox>(d, "CheckBoxTR2")->click();
        seen.lines = outline->showLines();
        QTest::mouseClick(Field(d, "EditTR5")->upArrow(), Qt::LeftButton);
        seen.treePointSize = outline->font().pointSize();
        Find<QComboBox>(d, "ComboBoxM1")->setCurrentText(family);
        seen.editorFamily = editor->font().family();
        // Tab input from the keyboard waits for OK; the mouse shows it at once.
        auto* tabInput = Find<QCheckBox>(d, "CheckBox4");
        tabInput->setFocus();
        QTest::keyClick(tabInput, Qt::Key_Space);
        seen.tabFocusAfterKey = editor->tabChangesFocus();
        QTest::keyClick(tabInput, Qt::Key_Space);
        QTest::mouseClick(tabInput, Qt::LeftButton);
        seen.tabFocusAfterClick = editor->tabChangesFocus();
        // Wrap shows only in the scroll bars and the tab stops.
        QTest::keyClick(Find<QLineEdit>(d, "EditM5"), Qt::Key_Up);  // no preview of its own
        QTest::mouseClick(Find<QCheckBox>(d, "CheckBox3"), Qt::LeftButton);
        seen.horizontal = editor->horizontalScrollBarPolicy();
        seen.wrapModeKept = editor->lineWrapMode() == QPlainTextEdit::WidgetWidth;
        seen.editorTabStop = qRound(editor->tabStopDistance() / editor->fontMetrics().averageCharWidth());
        Press(d, "Button1");
    });
    QVERIFY(!seen.lines);
    QCOMPARE(seen.treePointSize, treeSize + 1);
    QCOMPARE(seen.editorFamily, family);
    QVERIFY(!seen.tabFocusAfterKey);  // the delivered settings have tab input on
    QVERIFY(seen.tabFocusAfterClick);
    QCOMPARE(seen.horizontal, Qt::ScrollBarAsNeeded);
    QVERIFY(seen.wrapModeKept);
    QCOMPARE(seen.editorTabStop, 5);

    const rn::Settings& s = f.settings();
    QVERIFY(!s.Tree.Line);
    QCOMPARE(s.Tree.FontSize, treeSize + 1);
    QCOMPARE(s.Memo.FontName, std::string("IPAGothic"));
    QVERIFY(!s.Memo.TabIn);
    QVERIFY(!s.Memo.WordWrap);
    QCOMPARE(s.Memo.TabSize, 5);
    QCOMPARE(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(f.Message(), U(" 設定内容を反映しました"));
}

void SettingsDialogTest::customColourStoresPositionZeroAndItsNumber() {
    Started f;
    f.prompts.colors.push_back(QColor(0x12, 0x34, 0x56));
    InDialog(f, [&](SettingsDialog& d) {
        auto* text = Find<ColorListBox>(d, "ColorBoxM3");
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Home);  // カスタム...: the chooser gives its colour
        // A cancelled chooser leaves the list where it was.
        auto* back = Find<ColorListBox>(d, "ColorBoxM4");
        back->setFocus();
        QTest::keyClick(back, Qt::Key_Home);
        Press(d, "Button1");
    });
    QCOMPARE(f.prompts.Of("color").size(), 2);
    const rn::Settings& s = f.settings();
    QCOMPARE(s.Memo.FontColorI, 0);
    QCOMPARE(s.Memo.FontColor, std::string("$00563412"));
    QCOMPARE(s.Memo.FontBColorI, 16);
    QCOMPARE(s.Memo.FontBColor, std::string("clWhite"));
    QCOMPARE(f.w().editor()->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));

    // After a restart the custom entry offers the stored colour again, so OK keeps it.
    f.Restart();
    f.w().runStartup();
    InDialog(f, [](SettingsDialog& d) { Press(d, "Button1"); });
    QCOMPARE(f.w().state().settings.Memo.FontColor, std::string("$00563412"));
}

void SettingsDialogTest::arrowsStayWithinTheirRanges() {
    Started f;
    const struct {
        const char* field;
        int minimum, maximum;
    } fields[] = {{"EditT1", 4, 32}, {"EditTR5", 6, 32}, {"EditM2", 6, 32}, {"EditM5", 1, 8}, {"EditAM2", 6, 32}};
    QStringList failures;
    InDialog(f, [&](SettingsDialog& d) {
        for (const auto& row : fields) {
            auto* edit = Find<QLineEdit>(d, row.field);
            SteppedNumberField* field = Field(d, row.field);
            const QString before = edit->text();
            QTest::keyClicks(edit, QStringLiteral("9"));
            if (!edit->isReadOnly() || edit->text() != before || !(edit->alignment() & Qt::AlignRight))
                failures << QString::fromLatin1(row.field) + " can be typed into";
            for (int i = 0; i < 40; ++i)
                field->upArrow()->click();
            if (edit->text().toInt() != row.maximum) failures << QString::fromLatin1(row.field) + " up " + edit->text();
            for (int i = 0; i < 40; ++i)
                field->downArrow()->click();
            if (edit->text().toInt() != row.minimum)
                failures << QString::fromLatin1(row.field) + " down " + edit->text();
            QTest::keyClick(edit, Qt::Key_Down);
            if (edit->text().toInt() != row.minimum) failures << QString::fromLatin1(row.field) + " wrapped";
        }
        Press(d, "Button1");
    });
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(", ")));
    QCOMPARE(f.settings().Ramblenote.TreeHistory, 4);
    QCOMPARE(f.settings().Memo.TabSize, 1);
}

void SettingsDialogTest::valuesOutsideTheControlsAreKeptOrShownAsNone() {
    Started f;
    f.settings().Memo.FontColorI = -1;  // the key was missing from the file
    f.settings().Ramblenote.TreeHistory = 50;
    int shownPosition = 0;
    QString shownHistory;
    InDialog(f, [&](SettingsDialog& d) {
        shownPosition = Find<ColorListBox>(d, "ColorBoxM3")->currentIndex();
        shownHistory = Find<QLineEdit>(d, "EditT1")->text();
        Press(d, "Button1");
    });
    QCOMPARE(shownPosition, -1);
    QCOMPARE(shownHistory, QStringLiteral("50"));
    QCOMPARE(f.settings().Memo.FontColor, std::string("clScrollBar"));
    QCOMPARE(f.settings().Memo.FontColorI, -1);
    QCOMPARE(f.settings().Ramblenote.TreeHistory, 50);
}

void SettingsDialogTest::escapeCancelsAndEnterConfirms() {
    Started f;
    InDialog(f, [](SettingsDialog& d) {
        Find<QLineEdit>(d, "EditD1")->setText(QStringLiteral("forgotten"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QCOMPARE(f.Message(), U(" 設定内容をキャンセルしました"));
    QCOMPARE(f.settings().Ramblenote.User, std::string());
    // Enter confirms from the name field and from a font list alike.
    for (const char* focus : {"EditD1", "ComboBoxM1"}) {
        InDialog(
            f,
            [focus](SettingsDialog& d) {
                auto* user = Find<QLineEdit>(d, "EditD1");
                user->setText(U("書き手"));
                QWidget* w = Find<QWidget>(d, focus);
                w->setFocus();
                QTest::keyClick(w, Qt::Key_Return);
            },
            "MenuToolCust");
        QCOMPARE(f.Message(), U(" 設定内容を反映しました"));
        QCOMPARE(f.settings().Ramblenote.User, std::string("書き手"));
        f.settings().Ramblenote.User.clear();
    }
}

void SettingsDialogTest::toolButtonTabStateIsShown() {
    Started f;
    QVERIFY(f.settings().Memo.TabIn);
    f.Trigger("ToolButtonTAB");
    bool checked = true;
    InDialog(f, [&](SettingsDialog& d) {
        checked = Find<QCheckBox>(d, "CheckBox4")->isChecked();
        Press(d, "Button2");
    });
    QVERIFY(!checked);
}

void SettingsDialogTest::printProgramChooser() {
    Started f;
    const QString program = f.QPath("bin dir/print me");
    f.prompts.Clear();
    f.prompts.files.push_back(program);
    QString afterChoice, afterCancel;
    InDialog(f, [&](SettingsDialog& d) {
        auto* path = Find<QLineEdit>(d, "EditPrinE1");
        Press(d, "Button3");
        afterChoice = path->text();
        Press(d, "Button3");  // cancelled
        afterCancel = path->text();
        Press(d, "Button1");
    });
    QCOMPARE(afterChoice, program);
    QCOMPARE(afterCancel, program);
    QCOMPARE(f.prompts.calls.at(0).kind, QStringLiteral("open"));
    QCOMPARE(f.prompts.calls.at(0).text, U("印刷プログラム指定"));
    QCOMPARE(f.prompts.calls.at(0).filter, U("印刷プログラム|*"));
    QCOMPARE(f.prompts.calls.at(0).directory, f.w().state().dialogDirectory);
    QCOMPARE(f.settings().Others.PrintName, program.toStdString());
}

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
