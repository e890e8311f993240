// SPDX-License-Identifier: MIT
// The window's saves against a disk that fails part-way (write_fault.h): every file keeps its old
// bytes, the error box names the file and the system's reason, nothing is reported as done, and a
// command that cannot save its outline undoes itself.
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cstring>
#include <functional>

#include "batch_dialog_support.h"
#include "core/outline/treefile.h"
#include "core/settings/history.h"
#include "core/storage/files.h"
#include "core/storage/write_fault.h"
#include "core/text/cp932.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_view.h"
#include "gui/qt_text.h"
#include "gui_support.h"
#include "node_dialog_support.h"

using rn::WriteFault;
using rn::WriteStep;
using rn::test::AnswerNodeDialog;
using rn::test::DataHome;
using rn::test::LabelPoint;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::S;
using rn::test::Snapshot;
using rn::test::U;
using rn::test::W;
using rn::test::WithDialog;
using rn::test::WriteAll;

namespace {

struct FaultPoint {
    const char* name;
    WriteFault fault;
};

const FaultPoint kPoints[] = {
    {"first write", {WriteStep::kWrite, 1, ENOSPC, 0}},
    {"mid-write", {WriteStep::kWrite, 1, ENOSPC, 3}},
    {"fsync", {WriteStep::kFsync, 1, EIO}},
    {"rename", {WriteStep::kRename, 1, EIO}},
};

QString CreateError(const std::string& path, int err) {
    return U("ファイル \"") + QString::fromStdString(path) + U("\" を作成できません。") +
           QString::fromStdString(rn::ReasonText(err));
}

std::string Outline(MainWindowFixture& f) {
    return rn::Cp932ToUtf8(rn::SerializeOutline(f.doc().outline));
}

// Sets the fault, runs `action`, and clears the fault again; the action must have met it.
void Failing(const WriteFault& fault, const std::function<void()>& action) {
    rn::InjectWriteFault(fault);
    action();
    const bool happened = rn::WriteFaultHappened();
    rn::InjectWriteFault(std::nullopt);
    if (!happened) qFatal("the action never reached the failing step");
}

}  // namespace

class FailingWritesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { rn::InjectWriteFault(std::nullopt); }
    void aBodyThatCannotBeSavedKeepsItsFileAndItsNode();
    void addAndRenameUndoWhenTheirFilesCannotBeWritten();
    void aBatchRunThatCannotWriteKeepsBothFiles();
    void aFullDiskAtExitLosesNeitherTextNorFiles();
};

void FailingWritesTest::aBodyThatCannotBeSavedKeepsItsFileAndItsNode() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("a.TXT"), S("古い本文\r\n"));
    WriteAll(f.Path("b.TXT"), "B\r\n");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nb.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    const auto disk = Snapshot(f.dir.path());
    for (const FaultPoint& point : kPoints) {
        QTest::keyClicks(f.w().editor(), QStringLiteral("x"));
        const QString typed = f.w().editor()->toPlainText();
        f.prompts.Clear();
        Failing(point.fault,
                [&] { QTest::mouseClick(f.w().outlineView()->viewport(), Qt::LeftButton, {}, LabelPoint(f, 1)); });
        QVERIFY2(Snapshot(f.dir.path()) == disk, point.name);
        QCOMPARE(f.prompts.Boxes(), QStringList{CreateError(f.Path("a.TXT"), point.fault.error)});
        // The editor stays on the node whose text it holds, with every character typed.
        QTest::qWait(0);
        QCOMPARE(f.w().selectedNode(), f.doc().outline.At(0));
        QCOMPARE(f.w().editor()->toPlainText(), typed);
        QVERIFY(f.w().editor()->document()->isModified());
    }
    // The disk has room again: the next node change writes the text.
    f.prompts.Clear();
    QTest::mouseClick(f.w().outlineView()->viewport(), Qt::LeftButton, {}, LabelPoint(f, 1));
    QCOMPARE(f.prompts.Boxes(), QStringList());
    QCOMPARE(ReadAll(f.Path("a.TXT")), S("xxxx古い本文\r\n"));
}

void FailingWritesTest::addAndRenameUndoWhenTheirFilesCannotBeWritten() {
    MainWindowFixture f({}, true);
    WriteAll(f.Path("a.TXT"), "A\r\n");
    const std::string tree = "a.TXT\r\nF\r\nゴミ箱\r\n";
    f.OpenDocument("doc.Rnote", tree);
    const auto disk = Snapshot(f.dir.path());
    const std::string doc = f.Path("doc.Rnote");
    // An empty body has no bytes to write: the first write of adding a text node is the Tree file's.
    const struct {
        const char* what;
        int select;
        const char* action;
        const char* name;
        bool textNode;
        WriteFault fault;
        std::string file;
    } steps[] = {
        // The document's own tests run every operation against every failing step; here the window
        // shows the error alone, keeps its selection and says nothing of success.
        {"add text, Tree file full", 1, "MenuNodeAdd", "new", true, {WriteStep::kWrite, 1, ENOSPC, 3}, doc},
        {"rename text, Tree file rename", 0, "MenuNodeReName", "b", true, {WriteStep::kRename, 1, EIO}, doc},
    };
    for (const auto& step : steps) {
        f.Select(step.select);
        rn::Node* selected = f.w().selectedNode();
        f.prompts.Clear();
        AnswerNodeDialog(f.w().nodeDialog(), QString::fromUtf8(step.name), step.textNode);
        Failing(step.fault, [&] { f.Trigger(step.action); });
        QVERIFY2(Snapshot(f.dir.path()) == disk, step.what);
        QCOMPARE(Outline(f), tree);
        QCOMPARE(f.prompts.Boxes(), QStringList{CreateError(step.file, step.fault.error)});
        QCOMPARE(f.Message(), QString());
        QCOMPARE(f.w().selectedNode(), selected);
    }
}

void FailingWritesTest::aBatchRunThatCannotWriteKeepsBothFiles() {
    MainWindowFixture f;
    WriteAll(f.Path("a.TXT"), "A\r\n");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nF\r\nゴミ箱\r\n");
    WriteAll(f.Path("出力.TXT"), "old output\r\n");
    WriteAll(f.Path("目次.TXT"), "old toc\r\n");
    // The run appends its bytes to the output (write 1) and the table of contents (write 2) where they
    // are; a failure cuts both back.
    const struct {
        const char* what;
        WriteFault fault;
        const char* file;
    } points[] = {
        {"output, mid-write", {WriteStep::kWrite, 1, ENOSPC, 3}, "出力.TXT"},
        {"table of contents, first write", {WriteStep::kWrite, 2, ENOSPC}, "目次.TXT"},
        {"table of contents, fsync", {WriteStep::kFsync, 2, EIO}, "目次.TXT"},
        {"output, fsync", {WriteStep::kFsync, 1, EIO}, "出力.TXT"},
    };
    WithDialog(f, [&](rn::gui::BatchOutputDialog& d) {
        W<QLineEdit>(d, "Edit1")->setText(f.QPath("出力.TXT"));
        W<QCheckBox>(d, "CheckBox3")->setChecked(true);
        W<QLineEdit>(d, "Edit5")->setText(f.QPath("目次.TXT"));
        const auto disk = Snapshot(f.dir.path());
        for (const auto& point : points) {
            f.prompts.Clear();
            Failing(point.fault, [&] { W<QPushButton>(d, "Edit")->click(); });
            QVERIFY2(Snapshot(f.dir.path()) == disk, point.what);
            const QStringList errors = f.prompts.Of("erroryes");
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors[0].contains(f.QPath(point.file)) &&
                         errors[0].endsWith(QString::fromStdString(rn::ReasonText(point.fault.error))),
                     qPrintable(errors[0]));
            QVERIFY(d.statusText() != U("一括出力 終了"));
            QVERIFY(!d.progressBar()->isVisible());
            QVERIFY(!d.busy());
        }
        // Room again: the run appends to both, in place (a hard link still shares the output).
        std::filesystem::create_hard_link(f.Path("出力.TXT"), f.Path("link.TXT"));
        W<QPushButton>(d, "Edit")->click();
        QCOMPARE(ReadAll(f.Path("link.TXT")), ReadAll(f.Path("出力.TXT")));
        QCOMPARE(d.statusText(), U("一括出力 終了"));
        QVERIFY(ReadAll(f.Path("目次.TXT")).rfind("old toc\r\n", 0) == 0);
        QVERIFY(ReadAll(f.Path("目次.TXT")).find("a.TXT\r\n") != std::string::npos);
    });
}

void FailingWritesTest::aFullDiskAtExitLosesNeitherTextNorFiles() {
    DataHome data;
    MainWindowFixture f({}, true);
    WriteAll(f.Path("a.TXT"), "A\r\n");
    f.OpenDocument("doc.Rnote", "a.TXT\r\nゴミ箱\r\n");
    f.Select(0);
    QTest::keyClicks(f.w().editor(), QStringLiteral("new "));
    std::filesystem::create_directories(data.Rescue());
    const std::string settings = f.w().state().settingsFile, history = rn::HistoryFilePath();
    QVERIFY(rn::test::Exists(settings) && rn::test::Exists(history));
    const auto disk = Snapshot(f.dir.path());

    // Neither the body nor its rescue file can be written: the user is asked, and No keeps the text.
    WriteFault full{WriteStep::kWrite, 1, ENOSPC, 0, true};
    Failing(full, [&] { f.Trigger("MenuTreeQ"); });
    QVERIFY(!f.w().exitDone());
    QCOMPARE(f.prompts.Of("erroryes"), QStringList{CreateError(f.Path("a.TXT"), ENOSPC)});
    const QStringList asked = f.prompts.Of("yesno");
    QCOMPARE(asked.size(), 1);
    QVERIFY2(asked[0].contains(QString::fromStdString(data.Rescue() + "/a.TXT ")) &&
                 asked[0].contains(QString::fromStdString(rn::ReasonText(ENOSPC))),
             qPrintable(asked[0]));
    QCOMPARE(f.w().editor()->toPlainText(), QStringLiteral("new A\n"));

    // Yes ends the program; the history and settings files that cannot be written stay as they were.
    f.prompts.Clear();
    f.prompts.answers = {true};
    Failing(full, [&] { f.Trigger("MenuTreeQ"); });
    QVERIFY(f.w().exitDone());
    QVERIFY(Snapshot(f.dir.path()) == disk);
    QCOMPARE(data.RescueFiles(), std::vector<std::string>());
    const QStringList errors = f.prompts.Of("erroryes");
    QCOMPARE(errors.size(), 3);
    QCOMPARE(errors[1], CreateError(history, ENOSPC));
    QCOMPARE(errors[2], QString::fromStdString(settings) + U(" に書き込めません。") +
                            QString::fromStdString(rn::ReasonText(ENOSPC)));
}

QTEST_MAIN(FailingWritesTest)
#include "failing_writes_test.moc"
