// SPDX-License-Identifier: MIT
// "文字数･原稿用紙換算" through the real widgets: what the dialog lists for a branch and for the whole
// outline, the body being edited counted with its unsaved text, Esc, and the error box.
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <filesystem>
#include <functional>

#include "core/text/cp932.h"
#include "gui/count/counts_dialog.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_view.h"
#include "gui_support.h"

using rn::gui::CountsDialog;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

namespace {

// By absolute index:
//  0 序.TXT          1,234 characters on one line: 62 rows
//  1 第1章            folder
//  2   場面1.TXT      20 characters: 1 row (edited in the tests)
//  3     メモ.TXT     text node below a text node: "abc", "", "de" = 5 characters, 3 rows
//  4   場面2.TXT      empty
//  5 ゴミ箱
//  6   捨て.TXT       in the trash
const char* const kOutline =
    "序.TXT\r\n第1章\r\n\t場面1.TXT\r\n\t\tメモ.TXT\r\n\t場面2.TXT\r\nゴミ箱\r\n\t捨て.TXT\r\n";

using rn::test::Repeat;

void OpenOutline(MainWindowFixture& f) {
    f.w().runStartup();
    WriteAll(f.Path("序.TXT"), rn::Cp932Literal(Repeat("あ", 1234)));
    WriteAll(f.Path("場面1.TXT"), rn::Cp932Literal(Repeat("あ", 20)));
    WriteAll(f.Path("メモ.TXT"), rn::Cp932Literal("abc\r\n\r\nde\r\n"));
    WriteAll(f.Path("場面2.TXT"), "");
    WriteAll(f.Path("捨て.TXT"), rn::Cp932Literal(Repeat("い", 500)));
    f.OpenDocument("doc.Rnote", kOutline);
    f.prompts.Clear();
}

// What the dialog showed: its rows as "depth|node|characters|rows|sheets", its scope text and the
// two totals as "characters|rows|sheets".
struct Shown {
    bool opened = false;
    bool closedByEscape = false;
    QStringList rows;
    QString scope;
    QString listedTotal;
    QString documentTotal;
};

QString TotalOf(CountsDialog& d, CountsDialog::Total t) {
    return d.totalLabel(t, CountsDialog::kCharacters)->text() + "|" + d.totalLabel(t, CountsDialog::kRows)->text() +
           "|" + d.totalLabel(t, CountsDialog::kSheets)->text();
}

// Triggers the command and reads the dialog from inside its own event loop, then presses Esc in it.
Shown RunCount(MainWindowFixture& f) {
    Shown shown;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = f.w().findChild<CountsDialog*>();
        if (!d || !d->isVisible()) return;
        poll.stop();
        shown.opened = true;
        QVERIFY(d->isModal());
        for (QTreeWidgetItemIterator it(d->list()); *it; ++it) {
            int depth = 0;
            for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
                ++depth;
            QStringList cells{QString::number(depth)};
            for (int c = 0; c < 4; ++c)
                cells << (*it)->text(c);
            shown.rows << cells.join('|');
        }
        shown.scope = d->scopeLabel()->text().section('\n', 0, 0);
        shown.listedTotal = TotalOf(*d, CountsDialog::kListedTotal);
        shown.documentTotal = TotalOf(*d, CountsDialog::kDocumentTotal);
        QTest::keyClick(d->list(), Qt::Key_Escape);
        shown.closedByEscape = !d->isVisible();
        if (!shown.closedByEscape) d->reject();
    });
    poll.start();
    f.Trigger("MenuToolCount");
    return shown;
}

}  // namespace

class CountTest : public QObject {
    Q_OBJECT
private slots:
    void branchCountsTheUnsavedEditsOfTheBodyBeingEdited();
    void nothingSelectedCountsTheOutlineOutsideTheTrash();
    void anUnreadableBodyIsNamedBeforeTheCounts();
    void needsAnOpenDocument();
};

void CountTest::branchCountsTheUnsavedEditsOfTheBodyBeingEdited() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    f.Select(2);
    // 20 characters, then a hanging "。" and two more: 23 characters on 2 rows, not yet written.
    f.w().editor()->moveCursor(QTextCursor::End);
    f.w().editor()->insertPlainText(U("。かき"));

    const Shown shown = RunCount(f);
    QVERIFY(shown.opened);
    QVERIFY(shown.closedByEscape);
    QCOMPARE(shown.rows, QStringList({U("0|場面1.TXT|23|2|0枚と2行"), U("1|メモ.TXT|5|3|0枚と3行")}));
    QCOMPARE(shown.scope, U("「場面1.TXT」以下のノード"));
    QCOMPARE(shown.listedTotal, U("28字|5行|0枚と5行"));
    // 1,234 + 23 + 5 + 0 characters; 62 + 2 + 3 + 0 rows; the trash is left out.
    QCOMPARE(shown.documentTotal, U("1,262字|67行|3枚と7行"));
    // Counting wrote nothing: the edits are still only in the editor.
    QCOMPARE(ReadAll(f.Path("場面1.TXT")), rn::Cp932Literal(Repeat("あ", 20)));
    QCOMPARE(f.w().editor()->toPlainText(), U((Repeat("あ", 20) + "。かき").c_str()));
    QVERIFY(f.prompts.calls.empty());
}

void CountTest::nothingSelectedCountsTheOutlineOutsideTheTrash() {
    MainWindowFixture f({}, true);
    OpenOutline(f);
    f.w().outlineView()->setCurrentIndex(QModelIndex());

    const Shown shown = RunCount(f);
    QVERIFY(shown.opened);
    QVERIFY(shown.closedByEscape);
    // A folder has no count of its own: its cells stay blank.
    QCOMPARE(shown.rows, QStringList({U("0|序.TXT|1,234|62|3枚と2行"), U("0|第1章|||"), U("1|場面1.TXT|20|1|0枚と1行"),
                                      U("2|メモ.TXT|5|3|0枚と3行"), U("1|場面2.TXT|0|0|0枚")}));
    QCOMPARE(shown.scope, U("文書全体のノード（ゴミ箱を除く）"));
    QCOMPARE(shown.listedTotal, U("1,259字|66行|3枚と6行"));
    QCOMPARE(shown.documentTotal, shown.listedTotal);
}

void CountTest::anUnreadableBodyIsNamedBeforeTheCounts() {
    if (::access("/proc/self/mem", R_OK) != 0) QSKIP("no /proc/self/mem");
    MainWindowFixture f({}, true);
    OpenOutline(f);
    // Reading a process's memory from its start fails, even for root.
    std::filesystem::remove(f.Path("場面2.TXT"));
    std::filesystem::create_symlink("/proc/self/mem", f.Path("場面2.TXT"));
    f.Select(1);

    const Shown shown = RunCount(f);
    QVERIFY(shown.opened);
    const QStringList errors = f.prompts.Of("erroryes");
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(U("ファイル \"") + f.QPath("場面2.TXT") + U("\" は開けません。")),
             qPrintable(errors[0]));
}

void CountTest::needsAnOpenDocument() {
    MainWindowFixture f;
    QAction* action = f.w().findChild<QAction*>(QStringLiteral("MenuToolCount"));
    QVERIFY(action->isVisible());
    const Shown shown = RunCount(f);
    QVERIFY(!shown.opened);
    QCOMPARE(f.Message(), U(" Rnote ファイルを 開くか/新規作成して下さい"));
}

QTEST_MAIN(CountTest)
#include "count_test.moc"
