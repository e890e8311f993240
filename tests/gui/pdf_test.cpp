// SPDX-License-Identifier: MIT
// Pages as PDF: the dialog through the window, the pages themselves read back with poppler-utils, the
// headless command without a display (the print helper has its own test).
#include <sys/stat.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "batch_dialog_support.h"
#include "core/layout/layout_setting.h"
#include "core/settings/resdir.h"
#include "core/text/cp932.h"
#include "gui/pdf/pdf_output_dialog.h"
#include "gui_support.h"
#include "pages/pdf_output.h"

using rn::gui::PdfOutputDialog;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::Repeat;
using rn::test::U;
using rn::test::W;
using rn::test::WriteAll;

namespace {

// 0 序.TXT / 1 第1章 / 2 場面1.TXT / 3 場面2.TXT / 4 ゴミ箱 / 5 捨て.TXT
const char* const kOutline = "序.TXT\r\n第1章\r\n\t場面1.TXT\r\n\t場面2.TXT\r\nゴミ箱\r\n\t捨て.TXT\r\n";

void WriteBodies(const std::function<std::string(const char*)>& path) {
    WriteAll(path("序.TXT"), rn::Cp932Literal("はじめの言葉"));
    // 25 lines of 20 squares: two manuscript sheets.
    WriteAll(path("場面1.TXT"), rn::Cp932Literal(Repeat("あ", 500)));
    WriteAll(path("場面2.TXT"), rn::Cp932Literal("|親文字《おやもじ》と12時"));
    WriteAll(path("捨て.TXT"), rn::Cp932Literal("捨てた文"));
}

void OpenOutline(MainWindowFixture& f, int selected) {
    f.w().runStartup();
    WriteBodies([&](const char* name) { return f.Path(name); });
    f.OpenDocument("doc.Rnote", kOutline);
    f.Select(selected);
}

// Output of a poppler tool; the test is skipped when poppler-utils is missing.
QString Poppler(const QString& tool, const QStringList& args) {
    if (QStandardPaths::findExecutable(tool).isEmpty())
        QTest::qSkip("poppler-utils is not installed", __FILE__, __LINE__);
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString PdfText(const std::string& pdf) {
    return Poppler(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")})
        .remove(QRegularExpression(QStringLiteral("\\s")));
}

int PdfPages(const std::string& pdf) {
    const QString info = Poppler(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Opens "PDF出力" and runs `script` inside the dialog's own event loop; the dialog is closed after.
void WithPdfDialog(MainWindowFixture& f, const std::function<void(PdfOutputDialog&)>& script) {
    bool ran = false;
    QTimer::singleShot(0, &f.w(), [&] {
        auto* d = f.w().findChild<PdfOutputDialog*>(QStringLiteral("PdfOutputDialog"));
        if (!d || !d->isVisible() || !d->isModal()) qFatal("the PDF dialog is not shown modally");
        script(*d);
        ran = true;
        if (d->isVisible()) W<QPushButton>(*d, "PdfClose")->click();
    });
    f.Trigger("MenuToolPdf");
    if (!ran) qFatal("the dialog script did not run");
}

struct Run {
    int exitCode = -1;
    QString err;
};

// A program of the build, with no display and the settings of a directory of the test.
Run RunProgram(const QString& program, const QStringList& args, const std::string& configHome,
               const QStringList& extraEnv = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(configHome));
    for (const QString& pair : extraEnv)
        env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(RN_BIN_DIR "/") + program, args);
    if (!p.waitForFinished(60000)) qFatal("%s did not finish", qPrintable(program));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

class PdfTest : public QObject {
    Q_OBJECT
private slots:
    void dialogWritesTheBranchAndRemembersTheLayout();
    void dialogRefusesTheDocumentsOwnFiles();
    void pagesHoldTheTextInTheFontAndTheCountedSheets();
    void aMissingFontIsRefused();
    void headlessCommandNeedsNoDisplay();
};

void PdfTest::dialogWritesTheBranchAndRemembersTheLayout() {
    MainWindowFixture f;
    OpenOutline(f, 1);
    const std::string out = f.Path("章.pdf");
    WithPdfDialog(f, [&](PdfOutputDialog& d) {
        QVERIFY(W<QRadioButton>(d, "PdfScopeBranch")->isChecked());
        QCOMPARE(W<QLineEdit>(d, "PdfOutputPath")->text(), f.QPath("第1章.pdf"));
        W<QComboBox>(d, "PdfLayout")->setCurrentIndex(0);  // 原稿用紙
        QCOMPARE(d.layout(), rn::PresetLayout(rn::LayoutKind::kManuscript));
        QVERIFY(!W<QLabel>(d, "PdfPreview")->pixmap().isNull());
        QVERIFY(!W<QPushButton>(d, "PdfPreviousPage")->isEnabled());
        // The branch takes two sheets: the heading and 場面1 fill the first.
        W<QPushButton>(d, "PdfNextPage")->click();
        QCOMPARE(d.previewPageNumber(), 2);
        QVERIFY(!W<QPushButton>(d, "PdfNextPage")->isEnabled());
        W<QLineEdit>(d, "PdfOutputPath")->setText(QString::fromStdString(out));
        W<QPushButton>(d, "PdfRun")->click();
        QVERIFY(d.statusText().startsWith(U("PDF出力しました（2 ページ）")));
    });
    QVERIFY(f.Message().contains(U("PDF出力しました")));
    QCOMPARE(PdfPages(out), 2);
    const QString text = PdfText(out);
    // pdftotext reads a column of base text and its ruby beside it character by character.
    for (const char* shown : {"第1章", "場面1", "親", "お", "12時"})
        QVERIFY2(text.contains(U(shown)), shown);
    for (const char* left : {"はじめの言葉", "捨てた文"})
        QVERIFY2(!text.contains(U(left)), left);
    // Printing takes the layout chosen last.
    QCOMPARE(rn::ReadPdfLayout(rn::SettingsFilePath()), rn::PresetLayout(rn::LayoutKind::kManuscript));
}

void PdfTest::dialogRefusesTheDocumentsOwnFiles() {
    MainWindowFixture f;
    OpenOutline(f, 0);
    const std::string before = ReadAll(f.Path("序.TXT"));
    WithPdfDialog(f, [&](PdfOutputDialog& d) {
        // The proposed output follows what is written; a path of the user's own stays.
        auto* path = W<QLineEdit>(d, "PdfOutputPath");
        QCOMPARE(path->text(), f.QPath("序.pdf"));
        W<QRadioButton>(d, "PdfScopeDocument")->click();
        QCOMPARE(path->text(), f.QPath("doc.pdf"));
        path->setText(f.QPath("mine.pdf"));
        W<QRadioButton>(d, "PdfScopeNode")->click();
        QCOMPARE(path->text(), f.QPath("mine.pdf"));
        for (const char* own : {"序.TXT", "doc.Rnote"}) {
            f.prompts.Clear();
            W<QLineEdit>(d, "PdfOutputPath")->setText(f.QPath(own));
            W<QPushButton>(d, "PdfRun")->click();
            QCOMPARE(f.prompts.Of("warningyes").size(), 1);
            QVERIFY2(d.statusText().contains(f.QPath(own)), qPrintable(d.statusText()));
        }
    });
    QCOMPARE(ReadAll(f.Path("序.TXT")), before);
}

// One body at a time, as the print helper sets it: every character comes back out of the PDF, the
// font is embedded, and a manuscript sheet is a page.
void PdfTest::pagesHoldTheTextInTheFontAndTheCountedSheets() {
    rn::test::TempDir dir;
    const struct {
        std::string body;  // UTF-8 lines, "\n" between them
        int sheets;
    } cases[] = {
        {"", 1},
        {Repeat("漢", 400), 1},
        {Repeat("漢", 401), 2},
        {Repeat("あいう\n", 20), 1},
        {Repeat("あいう\n", 21), 2},
        {"行末の句読点" + Repeat("字", 14) + "。", 1},
    };
    for (const auto& c : cases) {
        std::string crlf;
        for (char ch : c.body)
            crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        const std::string body = dir / "本文.TXT", pdf = dir / "本文.pdf";
        WriteAll(body, rn::Cp932Literal(crlf));
        rn::pages::PdfJob job;
        job.layout = rn::PresetLayout(rn::LayoutKind::kManuscript);
        job.pages.bodyFile = body;
        job.outputPath = pdf;
        const rn::pages::PdfOutcome outcome = rn::pages::writePdf(job);
        QCOMPARE(int(outcome.result), int(rn::pages::PdfResult::kDone));
        QCOMPARE(outcome.pages, c.sheets);
        QCOMPARE(PdfPages(pdf), c.sheets);
        // pdftotext may read vertical lines across: the characters are compared, not their order.
        auto sorted = [](QString text) {
            text.remove(QRegularExpression(QStringLiteral("[0-9\n]")));
            std::sort(text.begin(), text.end());
            return text;
        };
        QCOMPARE(sorted(PdfText(pdf)), sorted(QString::fromUtf8(c.body)));
        const QString fonts = Poppler(QStringLiteral("pdffonts"), {QString::fromStdString(pdf)});
        QVERIFY2(QRegularExpression(QStringLiteral("IPAMincho\\s+CID TrueType\\s+Identity-H\\s+yes"))
                     .match(fonts)
                     .hasMatch(),
                 qPrintable(fonts));
    }
}

void PdfTest::aMissingFontIsRefused() {
    rn::test::TempDir dir;
    WriteAll(dir / "a.TXT", "abc");
    rn::pages::PdfJob job;
    job.pages.bodyFile = dir / "a.TXT";
    job.outputPath = dir / "a.pdf";
    job.fontFamily = QStringLiteral("NoSuchMincho");
    const rn::pages::PdfOutcome outcome = rn::pages::writePdf(job);
    QCOMPARE(int(outcome.result), int(rn::pages::PdfResult::kNoFont));
    QVERIFY2(outcome.error.contains(QStringLiteral("NoSuchMincho")), qPrintable(outcome.error));
    QVERIFY(!rn::test::Exists(dir / "a.pdf"));
}

void PdfTest::headlessCommandNeedsNoDisplay() {
    rn::test::TempDir dir;
    WriteBodies([&](const char* name) { return dir / name; });
    WriteAll(dir / "doc.Rnote", rn::Cp932Literal(kOutline));
    const QString tree = QString::fromStdString(dir / "doc.Rnote");
    const QString out = QString::fromStdString(dir / "out.pdf");
    const std::string config = dir / "config";
    const struct {
        QStringList args;
        int exitCode;
        const char* message;  // in stderr
    } cases[] = {
        {{"--pdf", out, tree}, 0, ""},
        {{"--pdf", out, "--start", U("場面2.TXT"), "--layout", "30x20-tate", tree}, 0, ""},
        {{"--pdf", QString::fromStdString(dir / "序.TXT"), tree}, 1, "序.TXT"},
        {{"--pdf", out, "--start", U("無い.TXT"), tree}, 1, "無い.TXT"},
        {{"--pdf", out, "--layout", "5x5-tate", tree}, 2, "unknown layout"},
        {{"--pdf", out, "--text", QString::fromStdString(dir / "無い.TXT")}, 1, "無い.TXT"},
        {{"--pdf", out}, 2, "usage:"},
    };
    for (const auto& c : cases) {
        const Run run = RunProgram(QStringLiteral("ramblenote"), c.args, config);
        QVERIFY2(run.exitCode == c.exitCode, qPrintable(c.args.join(' ') + ": " + run.err));
        QVERIFY2(run.err.contains(U(c.message)), qPrintable(run.err));
    }
    // The last good run: the branch of 場面2 alone, in the user's grid.
    const QString text = PdfText(out.toStdString());
    QVERIFY2(text.contains(U("場面2")) && !text.contains(U("場面1")), qPrintable(text));
    QCOMPARE(ReadAll(dir / "序.TXT"), rn::Cp932Literal("はじめの言葉"));
}

QTEST_MAIN(PdfTest)
#include "pdf_test.moc"
