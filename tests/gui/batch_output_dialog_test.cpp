// SPDX-License-Identifier: MIT
// The batch output dialog: opening and closing with BTxtOut.Ini, the controls and their handlers,
// path preparation, and whole runs compared with the headless export.
#include <sys/stat.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <functional>

#include "app/export_command.h"
#include "batch_dialog_support.h"
#include "core/storage/files.h"
#include "core/storage/write_fault.h"
#include "core/text/cp932.h"
#include "gui/batchout/batch_output_dialog.h"
#include "gui/batchout/progress_status_bar.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui_support.h"

using rn::gui::BatchOutputDialog;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::S;
using rn::test::U;
using rn::test::W;
using rn::test::WithDialog;
using rn::test::WriteAll;

namespace {

// The worked example of the engine: bodies and the outline in the program directory.
void OpenWorkedExample(MainWindowFixture& f) {
    WriteAll(f.Path("はじめに.TXT"), S("本文1行目\r\n本文2行目\r\n"));
    WriteAll(f.Path("概要.TXT"), S("概要です\r\n"));
    WriteAll(f.Path("項目A.TXT"), S("A\r\n"));
    f.OpenDocument("文書.Rnote", "はじめに.TXT\r\n第一部\r\n\t概要.TXT\r\n\t詳細\r\n\t\t項目A.TXT\r\nゴミ箱\r\n");
}

std::string Ini(MainWindowFixture& f) {
    return rn::Cp932ToUtf8(ReadAll(f.Path("BTxtOut.Ini")));
}

// The worked example's settings, set through the controls.
void SetWorkedExampleSettings(BatchOutputDialog& d) {
    W<QComboBox>(d, "ComboBox1")->setCurrentIndex(1);
    W<QCheckBox>(d, "CheckBox5")->setChecked(true);
    W<QCheckBox>(d, "CheckBox4")->setChecked(true);
    W<QCheckBox>(d, "CheckBox6")->setChecked(true);
    W<QCheckBox>(d, "CheckBox2")->setChecked(true);
    W<QLineEdit>(d, "SpinEdit1")->setText(QStringLiteral("0"));
    W<QPlainTextEdit>(d, "Memo1")->setPlainText(QStringLiteral("----\n"));
}

}  // namespace

class BatchOutputDialogTest : public QObject {
    Q_OBJECT
private slots:
    void firstOpeningWritesDefaultsAndShowsTheForm();
    void closingStoresWhatTheControlsHold();
    void pageBreakSwitchSetsThePageLength();
    void shortenedSeparatorBlockLeavesOldKeys();
    void closingByAnyMeansSavesTheSettings();
    void startNodeComesFromTheTree();
    void pathPreparationAndTheSaveDialog();
    void runChecksInOrder();
    void runWritesWhatTheExportWrites();
    void repeatedRunAppendsAfterTheBoxes();
    void failedWriteRestoresTheDialog();
    void textFitsAtCommonFontSizes();
};

void BatchOutputDialogTest::firstOpeningWritesDefaultsAndShowsTheForm() {
    MainWindowFixture f;
    OpenWorkedExample(f);
    QVERIFY(f.w().findChild<QAction*>(QStringLiteral("MenuToolBO"))->isVisible());
    WithDialog(f, [&](BatchOutputDialog& d) {
        QCOMPARE(Ini(f), std::string("[OUTLINE]\r\nOUTLIN=2\r\nOUTLINE1=1\r\nOUTLINE2=2\r\nOUTLINE3=3\r\nOUTLINE4=4\r\n"
                                     "OUTLINE5=5\r\nKUGIRI=．\r\nINDENT=TAB\r\n"));
        QCOMPARE(d.parentWidget(), &f.w());
        // Every control is there; those that depend on a switch that is off are hidden.
        const std::pair<const char*, bool> controls[] = {
            {"Label1", true},      {"Edit1", true},      {"Button1", true},       {"CheckBox1", true},
            {"Edit2", true},       {"ComboBox1", true},  {"ComboBox2", false},    {"ComboBox3", false},
            {"RadioGroup1", true}, {"CheckBox5", true},  {"Edit3", false},        {"CheckBox4", true},
            {"Edit4", false},      {"SpinEdit2", false}, {"UpDown1", false},      {"CheckBox6", false},
            {"CheckBox2", true},   {"SpinEdit1", false}, {"UpDown2", false},      {"Memo1", true},
            {"CheckBox3", true},   {"Edit5", false},     {"Button2", false},      {"Edit", true},
            {"Button3", true},     {"TreeView1", true},  {"ProgressBar1", false},
        };
        for (const auto& [name, shown] : controls)
            QVERIFY2(W<QWidget>(d, name)->isVisible() == shown, name);
        QCOMPARE(W<QLabel>(d, "Label1")->text(), U("入力 --- ") + f.QPath("文書.Rnote"));
        // The separator lines box shows three lines at least.
        auto* memo = W<QPlainTextEdit>(d, "Memo1");
        QVERIFY(memo->viewport()->height() >= 3 * memo->fontMetrics().lineSpacing());
        QVERIFY(W<QCheckBox>(d, "CheckBox1")->isChecked());
        for (const char* box : {"CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6"})
            QVERIFY2(!W<QCheckBox>(d, box)->isChecked(), box);
        QVERIFY(W<QLineEdit>(d, "Edit2")->isReadOnly());
        QVERIFY(W<QGroupBox>(d, "RadioGroup1")->findChildren<QRadioButton*>().first()->isChecked());
        QCOMPARE(d.treeView()->model()->rowCount(), 3);
        QVERIFY(!d.treeView()->currentIndex().isValid());
        QCOMPARE(d.progressBar()->parentWidget(), d.statusBar());
    });
    // Closed with style 2: no user formats, and the page length the switch gave.
    const std::string ini = Ini(f);
    for (const char* line : {"OUTLIN=2\r\n", "OUTLINE1=0\r\n", "OUTLINE5=0\r\n", "PAGE=0\r\n", "PAGEL=50\r\n",
                             "SEPA0=0\r\n", "KUGIRI=．\r\n"})
        QVERIFY2(ini.find(line) != std::string::npos, line);
}

void BatchOutputDialogTest::closingStoresWhatTheControlsHold() {
    struct Case {
        int style;
        const char* expected;
    };
    // The keys the opening wrote keep their lines; the others follow in the order they are written.
    const Case cases[] = {
        {5,
         "[OUTLINE]\r\nOUTLIN=5\r\nOUTLINE1=9\r\nOUTLINE2=10\r\nOUTLINE3=11\r\nOUTLINE4=1\r\nOUTLINE5=3\r\n"
         "KUGIRI=＊\r\nINDENT=TABTAB\r\nOUTEDIT6=1\r\nKUGISW=1\r\nINDSW=1\r\nINDMAX=7\r\nINDADDSW=1\r\nPAGE=1\r\n"
         "PAGEL=12\r\nMOKUJI=1\r\nSEPA1=＝＝\r\nSEPA2=\r\nSEPA0=2\r\n"},
        {2,
         "[OUTLINE]\r\nOUTLIN=2\r\nOUTLINE1=0\r\nOUTLINE2=0\r\nOUTLINE3=0\r\nOUTLINE4=0\r\nOUTLINE5=0\r\n"
         "KUGIRI=＊\r\nINDENT=TABTAB\r\nOUTEDIT6=1\r\nKUGISW=1\r\nINDSW=1\r\nINDMAX=7\r\nINDADDSW=1\r\nPAGE=1\r\n"
         "PAGEL=12\r\nMOKUJI=1\r\nSEPA1=＝＝\r\nSEPA2=\r\nSEPA0=2\r\n"},
    };
    for (const Case& c : cases) {
        MainWindowFixture f;
        WithDialog(f, [&](BatchOutputDialog& d) {
            W<QComboBox>(d, "ComboBox1")->setCurrentIndex(4);
            QVERIFY(W<QComboBox>(d, "ComboBox2")->isVisible() && W<QComboBox>(d, "ComboBox3")->isVisible());
            const int formats[] = {9, 10, 11, 1, 3};
            for (int level = 0; level < 5; ++level) {
                W<QComboBox>(d, "ComboBox2")->setCurrentIndex(level);
                QCOMPARE(W<QComboBox>(d, "ComboBox3")->currentIndex(), level);  // the defaults 1..5
                W<QComboBox>(d, "ComboBox3")->setCurrentIndex(formats[level] - 1);
            }
            W<QComboBox>(d, "ComboBox1")->setCurrentIndex(c.style - 1);
            QCOMPARE(W<QComboBox>(d, "ComboBox3")->isVisible(), c.style == 5);
            W<QGroupBox>(d, "RadioGroup1")->findChildren<QRadioButton*>()[1]->click();
            W<QCheckBox>(d, "CheckBox5")->setChecked(true);
            QVERIFY(W<QLineEdit>(d, "Edit3")->isVisible());
            QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, U("€"));  // CP932 has no code for it
            QApplication::sendEvent(W<QLineEdit>(d, "Edit3"), &euro);
            QCOMPARE(W<QLineEdit>(d, "Edit3")->text(), U("．"));
            QVERIFY(d.statusText().contains(U("€")));
            W<QLineEdit>(d, "Edit3")->setText(U("＊"));
            W<QCheckBox>(d, "CheckBox4")->setChecked(true);
            for (const char* shown : {"Label5", "Label6", "Label9", "Edit4", "SpinEdit2", "CheckBox6"})
                QVERIFY2(W<QWidget>(d, shown)->isVisible(), shown);
            W<QLineEdit>(d, "Edit4")->setText(QStringLiteral("TABTAB"));
            W<QLineEdit>(d, "SpinEdit2")->setText(QStringLiteral("6"));
            W<QWidget>(d, "UpDown1")->findChildren<QAbstractButton*>()[0]->click();  // up: 7
            W<QCheckBox>(d, "CheckBox6")->setChecked(true);
            W<QCheckBox>(d, "CheckBox2")->setChecked(true);
            W<QLineEdit>(d, "SpinEdit1")->setText(QStringLiteral("12"));
            W<QCheckBox>(d, "CheckBox3")->setChecked(true);
            QCOMPARE(d.statusText(), U("目次ファイル(*.TXT)を指定して下さい"));
            QVERIFY(W<QLineEdit>(d, "Edit5")->isVisible() && W<QAbstractButton>(d, "Button2")->isVisible());
            W<QPlainTextEdit>(d, "Memo1")->setPlainText(U("＝＝\n\n"));
        });
        QCOMPARE(Ini(f), std::string(c.expected));
        if (c.style != 2) continue;
        // The next opening offers the level numbers again.
        WithDialog(f, [](BatchOutputDialog& d) {
            QVERIFY(W<QCheckBox>(d, "CheckBox3")->isChecked());
            QCOMPARE(d.statusText(), U("目次ファイル(*.TXT)を指定して下さい"));
            W<QComboBox>(d, "ComboBox1")->setCurrentIndex(4);
            W<QComboBox>(d, "ComboBox2")->setCurrentIndex(2);
            QCOMPARE(W<QComboBox>(d, "ComboBox3")->currentText(), QStringLiteral("1)"));
        });
    }
}

void BatchOutputDialogTest::pageBreakSwitchSetsThePageLength() {
    MainWindowFixture f;
    WriteAll(f.Path("BTxtOut.Ini"), "[OUTLINE]\r\nPAGE=0\r\nPAGEL=30\r\nINDMAX=x\r\n");
    WithDialog(f, [](BatchOutputDialog& d) {
        auto* length = W<QLineEdit>(d, "SpinEdit1");
        auto* page = W<QCheckBox>(d, "CheckBox2");
        QCOMPARE(length->text(), QStringLiteral("50"));
        QCOMPARE(W<QLineEdit>(d, "SpinEdit2")->text(), QStringLiteral("5"));  // not a number: the default
        page->setChecked(true);
        QVERIFY(length->isVisible());
        length->setText(QStringLiteral("7"));
        QCOMPARE(d.settings().PAGEL, 7);
        page->setChecked(false);
        page->setChecked(true);
        QCOMPARE(length->text(), QStringLiteral("50"));
        // Below 1 becomes 0; the arrows stay within 0..100; letters cannot be typed.
        length->setText(QStringLiteral("00"));
        QCOMPARE(length->text(), QStringLiteral("0"));
        QCOMPARE(d.settings().PAGEL, 0);
        QAbstractButton* down = W<QWidget>(d, "UpDown2")->findChildren<QAbstractButton*>()[1];
        down->click();
        QCOMPARE(length->text(), QStringLiteral("0"));
        length->setText(QStringLiteral("100"));
        W<QWidget>(d, "UpDown2")->findChildren<QAbstractButton*>()[0]->click();
        QCOMPARE(length->text(), QStringLiteral("100"));
        length->selectAll();
        QTest::keyClicks(length, QStringLiteral("a-"));
        QCOMPARE(length->text(), QStringLiteral("100"));
    });
    QVERIFY(Ini(f).find("PAGE=1\r\nPAGEL=100\r\n") != std::string::npos);
}

void BatchOutputDialogTest::shortenedSeparatorBlockLeavesOldKeys() {
    MainWindowFixture f;
    WithDialog(f, [](BatchOutputDialog& d) { W<QPlainTextEdit>(d, "Memo1")->setPlainText(U("一\n二\n\n")); });
    QVERIFY(Ini(f).find("SEPA1=一\r\nSEPA2=二\r\nSEPA3=\r\nSEPA0=3\r\n") != std::string::npos);
    WithDialog(f, [](BatchOutputDialog& d) {
        QCOMPARE(W<QPlainTextEdit>(d, "Memo1")->toPlainText(), U("一\n二\n\n"));  // the empty line stays
        W<QPlainTextEdit>(d, "Memo1")->setPlainText(U("四"));
    });
    QVERIFY(Ini(f).find("SEPA1=四\r\nSEPA2=二\r\nSEPA3=\r\nSEPA0=1\r\n") != std::string::npos);
}

void BatchOutputDialogTest::closingByAnyMeansSavesTheSettings() {
    const std::function<void(BatchOutputDialog&)> closers[] = {
        [](BatchOutputDialog& d) { W<QPushButton>(d, "Button3")->click(); },
        [](BatchOutputDialog& d) { QTest::keyClick(W<QLineEdit>(d, "Edit1"), Qt::Key_Escape); },
        [](BatchOutputDialog& d) { d.close(); },
    };
    for (const auto& close : closers) {
        MainWindowFixture f;
        WithDialog(f, [&](BatchOutputDialog& d) {
            W<QCheckBox>(d, "CheckBox5")->setChecked(true);
            close(d);
            QVERIFY(!d.isVisible());
        });
        QVERIFY(Ini(f).find("KUGISW=1\r\n") != std::string::npos);
    }
}

void BatchOutputDialogTest::startNodeComesFromTheTree() {
    MainWindowFixture f;
    OpenWorkedExample(f);
    WithDialog(f, [](BatchOutputDialog& d) {
        auto* all = W<QCheckBox>(d, "CheckBox1");
        auto* start = W<QLineEdit>(d, "Edit2");
        rn::gui::OutlineView* tree = d.treeView();
        // A view that took the focus has a current row without a selection.
        tree->selectionModel()->setCurrentIndex(tree->model()->index(0, 0), QItemSelectionModel::NoUpdate);
        all->setChecked(false);
        QCOMPARE(tree->currentIndex(), tree->model()->index(0, 0));
        QCOMPARE(tree->selectionModel()->selectedIndexes(), QModelIndexList{tree->model()->index(0, 0)});
        QCOMPARE(start->text(), U("はじめに.TXT"));
        QCOMPARE(d.statusText(), U("第1階層"));
        const QModelIndex part = tree->model()->index(1, 0);
        tree->setCurrentIndex(tree->model()->index(1, 0, part));
        QCOMPARE(start->text(), U("詳細"));
        QCOMPARE(d.statusText(), U("第2階層"));
        QTest::keyClicks(start, QStringLiteral("xy"));
        QCOMPARE(start->text(), U("詳細"));
        all->setChecked(true);
        QCOMPARE(start->text(), U("全て"));
        tree->setCurrentIndex(part);  // with "ALL" the tree chooses nothing
        QCOMPARE(start->text(), U("全て"));
    });
}

void BatchOutputDialogTest::pathPreparationAndTheSaveDialog() {
    MainWindowFixture f;
    OpenWorkedExample(f);
    WriteAll(f.Path("有る.TXT"), "keep");
    struct Case {
        const char* field;
        std::string path;
        QString status;
        QString fieldAfter;
        QStringList boxes;
        int beeps;
    };
    const std::string existing = f.Path("有る.TXT");
    const std::string fresh = f.Path("新しい階層/出力.TXT");
    const std::string pipe = f.Path("pipe.TXT");
    QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
    const Case cases[] = {
        {"Edit1", "/a.TXT", U("出力ファイルを正しく指定ください。"), "", {}, 1},
        {"Edit5", "/a.TXT", U("目次ファイルを正しく指定ください。"), "", {}, 1},
        {"Edit1", "out/x.TXT", U("不明なドライブが指定されています"), "out/x.TXT", {}, 1},
        {"Edit1",
         existing,
         "",
         QString::fromStdString(existing),
         {U("新規作成ファイル=") + QString::fromStdString(existing) + U("既にあります。")},
         0},
        {"Edit5", fresh, "", QString::fromStdString(fresh), {}, 0},
        {"Edit5", pipe, U("目次ファイルが通常のファイルではありません"), QString::fromStdString(pipe), {}, 1},
    };
    WithDialog(f, [&](BatchOutputDialog& d) {
        W<QCheckBox>(d, "CheckBox3")->setChecked(true);
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        for (const Case& c : cases) {
            f.prompts.Clear();
            auto* field = W<QLineEdit>(d, c.field);
            field->setFocus(Qt::TabFocusReason);
            field->setText(QString::fromStdString(c.path));
            W<QLineEdit>(d, "Edit2")->setFocus(Qt::TabFocusReason);  // leaving the field
            QCOMPARE(d.statusText(), c.status);
            QCOMPARE(field->text(), c.fieldAfter);
            QCOMPARE(f.prompts.Boxes(), c.boxes);
            QCOMPARE(f.prompts.beeps, c.beeps);
        }
        QCOMPARE(ReadAll(existing), std::string("keep"));
        QVERIFY(rn::test::Exists(fresh) && ReadAll(fresh).empty());
        QVERIFY(!rn::test::Exists(f.Path("out")));

        // The save dialogs: the output one starts in the Tree file's directory, then in that of Edit1.
        W<QLineEdit>(d, "Edit1")->clear();
        f.prompts.Clear();
        f.prompts.files = {f.QPath("選択.TXT"), f.QPath("目次.TXT"), QString()};
        W<QAbstractButton>(d, "Button1")->click();
        W<QAbstractButton>(d, "Button2")->click();
        W<QAbstractButton>(d, "Button1")->click();  // cancelled
        QCOMPARE(f.prompts.calls.size(), size_t(3));
        for (const auto& call : f.prompts.calls) {
            QCOMPARE(call.kind + call.text + call.filter, U("save一括出力テキスト|*.TXT"));
            QCOMPARE(call.directory, QString::fromStdString(f.dir.path()));
        }
        QCOMPARE(f.prompts.saveSuffixes, (QStringList{"TXT", "TXT", "TXT"}));
        QCOMPARE(W<QLineEdit>(d, "Edit1")->text(), f.QPath("選択.TXT"));
        QCOMPARE(W<QLineEdit>(d, "Edit5")->text(), f.QPath("目次.TXT"));
        QVERIFY(rn::test::Exists(f.Path("選択.TXT")) && rn::test::Exists(f.Path("目次.TXT")));
        QCOMPARE(d.statusText(), QString());
    });
}

void BatchOutputDialogTest::runChecksInOrder() {
    MainWindowFixture f;
    OpenWorkedExample(f);
    WriteAll(f.Path("出力.TXT"), "");
    struct Case {
        std::string output;
        bool toc;
        std::string tocPath;
        QString status;
    };
    const Case cases[] = {
        {"", false, "", U("Outファイル(*.TXT)を指定して下さい")},
        {f.Path("無い.TXT"), false, "", U("Outファイルが有りません")},
        {f.Path("出力.TXT"), true, "", U("目次ファイル(*.TXT)を指定して下さい")},
        {f.Path("出力.TXT"), true, f.Path("無い.TXT"), U("目次ファイルの指定Dirが有りません")},
        {f.Path("文書.Rnote"), false, "",
         U("出力ファイルにTreeファイル[") + f.QPath("文書.Rnote") + U("]は指定できません")},
        {f.Path("出力.TXT"), true, f.Path("概要.TXT"),
         U("目次ファイルにノード[概要.TXT]の本文ファイル[") + f.QPath("概要.TXT") + U("]は指定できません")},
    };
    const auto before = rn::test::Snapshot(f.dir.path());
    WithDialog(f, [&](BatchOutputDialog& d) {
        for (const Case& c : cases) {
            f.prompts.Clear();
            W<QLineEdit>(d, "Edit1")->setText(QString::fromStdString(c.output));
            W<QCheckBox>(d, "CheckBox3")->setChecked(c.toc);
            W<QLineEdit>(d, "Edit5")->setText(QString::fromStdString(c.tocPath));
            W<QPushButton>(d, "Edit")->click();
            QCOMPARE(d.statusText(), c.status);
            QCOMPARE(f.prompts.beeps, 1);
            QVERIFY(f.prompts.calls.empty());
            // However long, the message shows its end; all of it is in the tool tip.
            const QLabel* line = d.statusBar()->label();
            QVERIFY(line->text().endsWith(c.status.right(4)));
            QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) <= line->contentsRect().width());
            QCOMPARE(line->toolTip().isEmpty() ? line->text() : line->toolTip(), c.status);
        }
    });
    auto after = rn::test::Snapshot(f.dir.path());
    after.erase(f.Path("BTxtOut.Ini"));
    QVERIFY(after == before);

    // Without a document the Tree file check comes first.
    MainWindowFixture none;
    WithDialog(none, [&](BatchOutputDialog& d) {
        QCOMPARE(W<QLabel>(d, "Label1")->text(), U("入力 --- NULL"));
        W<QCheckBox>(d, "CheckBox1")->setChecked(false);  // no node to start from
        QVERIFY(W<QCheckBox>(d, "CheckBox1")->isChecked());
        W<QPushButton>(d, "Edit")->click();
        QCOMPARE(d.statusText(), U("Treeファイルが有りません"));
    });
}

void BatchOutputDialogTest::runWritesWhatTheExportWrites() {
    struct Case {
        const char* start;  // null: "ALL"
        bool tocIsOutput;
        const char* golden;
        bool allAgain = false;  // "ALL" is checked again after the start node was chosen
    };
    const Case cases[] = {
        {nullptr, false, "batchout_example_all.TXT"},
        {"第一部", false, "batchout_example_branch.TXT"},
        {nullptr, true, nullptr},
        {"第一部", false, "batchout_example_all.TXT", true},
    };
    for (const Case& c : cases) {
        MainWindowFixture f;
        OpenWorkedExample(f);
        const std::string out = f.Path("出力.TXT");
        const std::string toc = c.tocIsOutput ? out : f.Path("目次.TXT");
        WithDialog(f, [&](BatchOutputDialog& d) {
            SetWorkedExampleSettings(d);
            if (c.start) {
                W<QCheckBox>(d, "CheckBox1")->setChecked(false);
                d.treeView()->setCurrentIndex(d.treeView()->model()->index(1, 0));
                QCOMPARE(W<QLineEdit>(d, "Edit2")->text(), U(c.start));
                if (c.allAgain) W<QCheckBox>(d, "CheckBox1")->setChecked(true);
            }
            W<QCheckBox>(d, "CheckBox3")->setChecked(true);
            f.prompts.files = {QString::fromStdString(out), QString::fromStdString(toc)};
            W<QAbstractButton>(d, "Button1")->click();  // creates both files
            W<QAbstractButton>(d, "Button2")->click();
            f.prompts.Clear();
            W<QPushButton>(d, "Edit")->click();
            QCOMPARE(d.statusText(), U("一括出力 終了"));
            const QString exists = U("既にあります。");
            QCOMPARE(f.prompts.Boxes(), (QStringList{U("新規作成ファイル=") + QString::fromStdString(toc) + exists,
                                                     U("新規作成ファイル=") + QString::fromStdString(out) + exists}));
            QVERIFY(!d.progressBar()->isVisible());
            QVERIFY(!d.busy());
            QVERIFY(!QApplication::overrideCursor());
            const rn::Node* last = static_cast<rn::Node*>(d.treeView()->currentIndex().internalPointer());
            QCOMPARE(rn::Cp932ToUtf8(last->text), std::string("ゴミ箱"));
            QCOMPARE(W<QLineEdit>(d, "Edit2")->text(), c.start && !c.allAgain ? U(c.start) : U("全て"));
        });
        if (c.golden) QCOMPARE(ReadAll(out), ReadAll(std::string(RN_TEST_DATA_DIR) + "/" + c.golden));
        // The export reads the settings the dialog wrote, from the same file, by default.
        std::vector<std::string> args = {"--export", f.Path("export.TXT"), "--toc",
                                         c.tocIsOutput ? f.Path("export.TXT") : f.Path("export_toc.TXT")};
        if (c.start && !c.allAgain) args.insert(args.end(), {"--start", c.start});
        args.push_back(f.Path("文書.Rnote"));
        QCOMPARE(rn::app::RunExportCommand(args), 0);
        QCOMPARE(ReadAll(out), ReadAll(f.Path("export.TXT")));
        if (!c.tocIsOutput) QCOMPARE(ReadAll(toc), ReadAll(f.Path("export_toc.TXT")));
    }
}

void BatchOutputDialogTest::repeatedRunAppendsAfterTheBoxes() {
    MainWindowFixture f;
    OpenWorkedExample(f);
    // Text typed into the editor and not yet saved is part of the output.
    f.Select(4);
    f.w().editor()->setPlainText(QStringLiteral("A2"));
    f.w().editor()->document()->setModified(true);
    WriteAll(f.Path("出力.TXT"), "before\r\n");
    WithDialog(f, [&](BatchOutputDialog& d) {
        W<QLineEdit>(d, "Edit1")->setText(f.QPath("出力.TXT"));
        f.prompts.Clear();
        for (int run = 0; run < 2; ++run)
            W<QPushButton>(d, "Edit")->click();
        QCOMPARE(f.prompts.Boxes().size(), 2);
    });
    const std::string once =
        S("第1章はじめに.TXT\r\n本文1行目\r\n本文2行目\r\n第2章第一部\r\n第1節概要.TXT\r\n概要です\r\n"
          "第2節詳細\r\n第1項項目A.TXT\r\nA2\r\n第3章ゴミ箱\r\n");
    QCOMPARE(ReadAll(f.Path("出力.TXT")), "before\r\n" + once + once);
}

void BatchOutputDialogTest::failedWriteRestoresTheDialog() {
    // A full disk part-way through: the output is the device that is always full, the table of
    // contents a plain file that keeps its old content.
    MainWindowFixture f;
    std::string tree;
    const std::string line(99, 'x');
    for (int i = 0; i < 30; ++i) {
        const std::string name = "n" + std::to_string(i) + ".TXT";
        tree += name + "\r\n";
        std::string body;
        for (int k = 0; k < 1000; ++k)
            body += line + "\r\n";
        WriteAll(f.Path(name), body);  // 100 kB each
    }
    f.OpenDocument("大.Rnote", tree);
    WriteAll(f.Path("目次.TXT"), "old\r\n");
    WriteAll(f.Path("出力.TXT"), "old\r\n");
    WithDialog(f, [&](BatchOutputDialog& d) {
        W<QLineEdit>(d, "Edit1")->setText(f.QPath("出力.TXT"));
        W<QCheckBox>(d, "CheckBox3")->setChecked(true);
        W<QLineEdit>(d, "Edit5")->setText(f.QPath("目次.TXT"));
        f.prompts.Clear();
        // The disk fills up with the second megabyte of the output, in the middle of the run.
        rn::InjectWriteFault(rn::WriteFault{rn::WriteStep::kWrite, 2, ENOSPC});
        W<QPushButton>(d, "Edit")->click();
        rn::InjectWriteFault(std::nullopt);
        const QStringList errors = f.prompts.Of("erroryes");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(f.QPath("出力.TXT")) &&
                     errors[0].contains(QString::fromStdString(rn::ReasonText(ENOSPC))),
                 qPrintable(errors[0]));
        QVERIFY(d.statusText().startsWith(U("一括出力中･･･[")));
        QVERIFY(!d.progressBar()->isVisible());
        QVERIFY(!d.busy());
        QVERIFY(!QApplication::overrideCursor());
        // Nothing of the failed run stays in either file.
        QCOMPARE(ReadAll(f.Path("目次.TXT")), std::string("old\r\n"));
        QCOMPARE(ReadAll(f.Path("出力.TXT")), std::string("old\r\n"));
        // The dialog takes input again.
        W<QCheckBox>(d, "CheckBox1")->setChecked(false);
        d.treeView()->setCurrentIndex(d.treeView()->model()->index(2, 0));
        QCOMPARE(W<QLineEdit>(d, "Edit2")->text(), QStringLiteral("n2.TXT"));
    });
}

void BatchOutputDialogTest::textFitsAtCommonFontSizes() {
    MainWindowFixture f;
    WriteAll(f.Path("BTxtOut.Ini"), "[OUTLINE]\r\nOUTLIN=5\r\nKUGISW=1\r\nINDSW=1\r\nPAGE=1\r\nMOKUJI=1\r\n");
    for (int pixels : {12, 16, 20}) {
        WithDialog(f, [&](BatchOutputDialog& d) {
            QFont font = d.font();
            font.setPixelSize(pixels);
            d.setFont(font);
            d.adjustSize();
            QApplication::processEvents();
            for (QWidget* w : d.findChildren<QWidget*>()) {
                if (!w->isVisible()) continue;
                const bool text = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                  qobject_cast<QComboBox*>(w) || qobject_cast<QGroupBox*>(w);
                if (!text || w->objectName().isEmpty() || w->objectName() == QStringLiteral("Label1") ||
                    w->objectName() == QStringLiteral("StatusLine"))
                    continue;
                QVERIFY2(w->width() >= w->sizeHint().width() && w->height() >= w->fontMetrics().height(),
                         qPrintable(QStringLiteral("%1 at %2 px").arg(w->objectName()).arg(pixels)));
            }
        });
    }
}

QTEST_MAIN(BatchOutputDialogTest)
#include "batch_output_dialog_test.moc"
