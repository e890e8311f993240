// SPDX-License-Identifier: MIT
// The main window on a desktop: where it and the node dialog open, its caption, the status panels
// and the caret panel, Qt's own texts in Japanese, and the single copy per user and display.
#include <QApplication>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "batch_dialog_support.h"
#include "core/settings/resdir.h"
#include "gui/editor/body_text_edit.h"
#include "gui/settings/settings_dialog.h"
#include "gui/window/application_setup.h"
#include "gui/window/status_panels.h"
#include "gui/window/window_placement.h"
#include "gui_support.h"
#include "node_dialog_support.h"
#include "platform/single_instance.h"

using rn::gui::StartPlacement;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

namespace {

// [Form] as the settings file holds it.
std::string FormSection(MainWindowFixture& f) {
    const std::string ini = ReadAll(f.Path("Res/Ramblenote.Ini"));
    const std::size_t from = ini.find("[Form]\r\n");
    return from == std::string::npos ? std::string() : ini.substr(from, ini.find("\r\n[", from) + 2 - from);
}

void StartShown(MainWindowFixture& f) {
    f.w().runStartup();
    f.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
}

// Displayed lines above the caret and the caret's own, counted with the cursor's movements.
int DisplayedLine(QPlainTextEdit* edit) {
    QTextCursor probe = edit->textCursor();
    int above = 0;
    while (probe.movePosition(QTextCursor::Up))
        ++above;
    return above + 1;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void geometryStaysPutOverRestarts();
    void storedPlacesAreFittedToTheScreens();
    void captionCarriesNothingButItsText();
    void desktopEntryNamesTheWindowClass();
    void enterThatConfirmedTheDialogLeavesTheMessage();
    void narrowPanelsWidenToTheirText();
    void caretPanelFollowsNodeBodyAndWrapping();
    void caretPanelMarksAProvisionalLineUntilItIsCounted();
    void qtTextsAreJapaneseWhenTheTranslationExists();
    void windowsJapaneseFontNamesGiveOneJapaneseTypeface();
    void singleCopyIsPerUserAndDisplay();
    void dialogsOfferOnlyTheirTitleBarButtons();
};

// The offscreen platform gives every window a fixed 2-pixel frame that is known from the start, so
// the positions read back are exact; what this pins is the mapping itself: Top and Left are the
// frame's outer corner, Width and Height the client area, written at exit and applied at start the
// same way. (Under a real window manager the frame becomes known only after the window is on screen;
// that is why the stored place is handed over before the window first appears.)
void WindowTest::geometryStaysPutOverRestarts() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    f.w().resize(600, 400);
    f.w().move(120, 90);
    f.w().setOutlinePanelWidth(150);
    QTest::qWait(0);
    const QRect frame = f.w().frameGeometry();
    QCOMPARE(frame.topLeft(), QPoint(120, 90));
    QVERIFY(frame.size() != f.w().size());  // a frame there is
    for (int restart = 0; restart < 3; ++restart) {
        f.Restart({}, true);
        f.w().runStartup();
        QTest::qWait(0);
        QCOMPARE(f.w().frameGeometry(), frame);
        QCOMPARE(f.w().size(), QSize(600, 400));
        QCOMPARE(f.w().mainSplitter()->sizes().first(), 150);
    }
    f.window.reset();
    QCOMPARE(FormSection(f), std::string("[Form]\r\nTop=90\r\nLeft=120\r\nWidth=600\r\nHeight=400\r\n"));
}

void WindowTest::storedPlacesAreFittedToTheScreens() {
    const QRect primary(0, 0, 1920, 1050);  // a panel takes the bottom 30 pixels
    const QRect left(-1280, -200, 1280, 1024);
    const QPoint home = rn::gui::kMainWindowFramePos;
    const QSize built = rn::gui::kMainWindowSize;
    struct Case {
        const char* what;
        int l, t, w, h;
        QList<QRect> screens;
        StartPlacement expected;
    };
    const Case cases[] = {
        {"on the primary screen", 30, 40, 800, 600, {primary, left}, {{30, 40}, {800, 600}}},
        {"on a screen left of and above it", -1000, -150, 800, 600, {primary, left}, {{-1000, -150}, {800, 600}}},
        {"the left screen unplugged", -1000, -150, 800, 600, {primary}, {home, {800, 600}}},
        {"far off every screen", 16384, 16384, 800, 600, {primary, left}, {home, {800, 600}}},
        {"title bar above the screen", 30, -5, 800, 600, {primary}, {home, {800, 600}}},
        {"only the frame's last pixels shown", 1900, 40, 800, 600, {primary}, {home, {800, 600}}},
        {"larger than the screen", 10, 10, 16384, 16384, {primary}, {{10, 10}, {1912, 1018}}},
        {"smaller than usable", 10, 10, 20, 5, {primary}, {{10, 10}, {240, 160}}},
        {"keys missing", -1, -1, -1, -1, {primary}, {home, built}},
    };
    for (const Case& c : cases) {
        const StartPlacement p = rn::gui::fitToScreens(c.l, c.t, c.w, c.h, home, built, c.screens, primary);
        QVERIFY2(p == c.expected, c.what);
    }
    // A primary screen too small for the built-in place: centred on it.
    const QRect small(0, 0, 640, 480);
    const StartPlacement centred = rn::gui::fitToScreens(-1, -1, -1, -1, home, built, {small}, small);
    QCOMPARE(centred.framePos, QPoint((640 - 449 - 8) / 2, (480 - 448 - 32) / 2));
    QCOMPARE(centred.size, QSize(449, 448));
    QCOMPARE(rn::gui::fitPanelWidth(16384, 600), 540);
    QCOMPARE(rn::gui::fitPanelWidth(100, 600), 100);
    QCOMPARE(rn::gui::fitPanelWidth(300, 120), 100);
}

// Qt appends the application's display name to every caption once one is set; the program's name
// is the application name (the window class), so the caption stays as the program sets it.
void WindowTest::captionCarriesNothingButItsText() {
    MainWindowFixture f;
    QCOMPARE(QGuiApplication::applicationName(), QStringLiteral("RamblenoteVer3"));
    QGuiApplication::setApplicationName(QStringLiteral("probe"));
    const QString displayName = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationName(QStringLiteral("RamblenoteVer3"));
    QCOMPARE(displayName, QStringLiteral("probe"));  // follows the name: never set apart from it
    QCOMPARE(f.w().windowTitle(), QStringLiteral("Ramblenote"));
    f.OpenDocument("c.Rnote", "A\r\nゴミ箱\r\n");
    QCOMPARE(f.w().windowTitle(), U("Ramblenote：") + f.QPath("c.Rnote"));
}

// On X11 the window class is the application name; a desktop groups the windows under the entry
// whose StartupWMClass names it (and, on Wayland, whose file name is the desktop file name).
void WindowTest::desktopEntryNamesTheWindowClass() {
    MainWindowFixture f;
    const std::string entry =
        RN_SOURCE_DIR "/resources/desktop/" + QGuiApplication::desktopFileName().toStdString() + ".desktop";
    const QString text = QString::fromStdString(rn::test::ReadAll(entry));
    QVERIFY2(!text.isEmpty(), entry.c_str());
    QVERIFY(text.split(QLatin1Char('\n')).contains(U("StartupWMClass=") + QGuiApplication::applicationName()));
}

void WindowTest::enterThatConfirmedTheDialogLeavesTheMessage() {
    MainWindowFixture f({}, true);
    StartShown(f);
    WriteAll(f.Path("A.TXT"), "");
    f.OpenDocument("e.Rnote", "A.TXT\r\nゴミ箱\r\n");
    rn::gui::BodyTextEdit* memo = f.w().editor();
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Shift);  // the editor has had keys of its own
    // Enter goes down in the dialog and confirms it; it comes up in the editor, which has the focus.
    rn::test::OnNodeDialog(f.w().nodeDialog(), [](rn::gui::NodeNameDialog& d) {
        d.nameEdit()->setText(QStringLiteral("B"));
        QTest::keyPress(d.nameEdit(), Qt::Key_Return);
    });
    f.Trigger("ToolButtonCAdd");
    // The window system gives the main window back its focus, then the key comes up.
    f.w().activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &f.w());
    QVERIFY(memo->hasFocus());
    QTest::keyRelease(memo, Qt::Key_Return);
    QCOMPARE(f.Message(), U(" B.TXT ノードを追加しました"));
    // The editor's own keys still clear it and show the caret.
    QTest::keyClick(memo, Qt::Key_End);
    QCOMPARE(f.Message(), QString());
    QCOMPARE(f.Panel(2), U("1行/1"));
}

void WindowTest::narrowPanelsWidenToTheirText() {
    MainWindowFixture f({}, true);
    rn::gui::StatusPanels* s = f.w().statusPanels();
    const QString texts[4] = {U("No.3106/1階層/0子"), U("message"), U("14378行/1"), U("C  Num")};
    for (int i : {0, 2, 3})
        s->setText(i, texts[i]);
    for (int width : {449, 900}) {
        f.w().resize(width, 400);
        QTest::qWait(0);
        int others = 0;
        for (int i : {0, 2, 3}) {
            QLabel* panel = s->panel(i);
            QVERIFY2(
                panel->contentsRect().width() - panel->indent() >= panel->fontMetrics().horizontalAdvance(texts[i]),
                qPrintable(texts[i]));
            others += panel->width();
        }
        QCOMPARE(s->panel(1)->width(), f.w().width() - others);
    }
    // Short texts leave the panels at their own widths.
    for (int i : {0, 2, 3})
        s->setText(i, QString());
    QCOMPARE(s->panel(0)->width(), 100);
    QCOMPARE(s->panel(2)->width(), 50);
    QCOMPARE(s->panel(3)->width(), 55);
}

void WindowTest::caretPanelFollowsNodeBodyAndWrapping() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    WriteAll(f.Path("A.TXT"), std::string(400, 'a'));
    WriteAll(f.Path("B.TXT"), "b");
    f.OpenDocument("p.Rnote", "A.TXT\r\n章\r\nB.TXT\r\nゴミ箱\r\n");
    QVERIFY(f.w().state().settings.Memo.WordWrap);
    rn::gui::BodyTextEdit* memo = f.w().editor();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Shift);
    const QString wrapped = f.Panel(2);
    QVERIFY(!wrapped.startsWith(U("1行/")));
    QCOMPARE(wrapped, QStringLiteral("%1行/").arg(DisplayedLine(memo)) + wrapped.section(QLatin1Char('/'), 1));
    f.Trigger("ToolButtonCR");  // wrapping off: one line
    QCOMPARE(f.Panel(2), U("1行/401"));
    f.Trigger("ToolButtonCR");
    QCOMPARE(f.Panel(2), wrapped);
    f.Select(1);  // a folder: no caret
    QCOMPARE(f.Panel(2), QString());
    f.Select(0);
    QCOMPARE(f.Panel(2), QString());  // another body: nothing until a key
}

void WindowTest::caretPanelMarksAProvisionalLineUntilItIsCounted() {
    MainWindowFixture f({}, true);
    f.w().runStartup();
    QString body;
    for (int i = 0; i < 3000; ++i)
        body += QString(90, QChar(u'あ' + i % 50)) + QLatin1Char('\n');
    WriteAll(f.Path("A.TXT"), "");
    f.OpenDocument("l.Rnote", "A.TXT\r\nゴミ箱\r\n");
    rn::gui::BodyTextEdit* memo = f.w().editor();
    memo->setPlainText(body + U("終わり"));
    QTest::qWait(0);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Shift);
    QVERIFY2(f.Panel(2).startsWith(QLatin1Char('~')), qPrintable(f.Panel(2)));
    QTRY_VERIFY_WITH_TIMEOUT(!f.Panel(2).startsWith(QLatin1Char('~')), 20000);
    QCOMPARE(f.Panel(2), QStringLiteral("%1行/4").arg(DisplayedLine(memo)));
    QVERIFY(DisplayedLine(memo) > 6000);  // every paragraph wraps
}

void WindowTest::qtTextsAreJapaneseWhenTheTranslationExists() {
    rn::test::TempDir empty;
    QVERIFY(!rn::gui::installQtTranslations(QString::fromStdString(empty.path())));
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QVERIFY2(QFile::exists(directory + QStringLiteral("/qtbase_ja.qm")), "scripts/install-deps.sh installs it");
    QVERIFY(rn::gui::installQtTranslations(directory));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), U("キャンセル"));
}

void WindowTest::windowsJapaneseFontNamesGiveOneJapaneseTypeface() {
    rn::gui::configureApplication();
    for (const QString& name : {U("ＭＳ 明朝"), U("ＭＳ ゴシック")}) {
        const QFont font(name, 12);
        const QString family = QFontInfo(font).family();
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese),
                 qPrintable(name + QStringLiteral(" -> ") + family));
        // A body that begins with a Latin letter shows in the same typeface as one that does not.
        QStringList used;
        for (const QString& text : {U("吾輩は猫"), U("Ramble吾輩は猫")}) {
            QTextLayout layout(text, font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun& run : layout.glyphRuns())
                used << run.rawFont().familyName().toLower();
        }
        used.removeDuplicates();
        QVERIFY2(used.size() == 1, qPrintable(name + QStringLiteral(": ") + used.join(QStringLiteral(", "))));
    }
}

void WindowTest::singleCopyIsPerUserAndDisplay() {
    rn::test::TempDir runtime;
    const QString dir = QString::fromStdString(runtime.path());
    using rn::SingleInstance;
    const QString x0 = SingleInstance::serverName(QStringLiteral("T"), 1000, QStringLiteral(":0"), dir);
    QVERIFY(x0.startsWith(dir + QLatin1Char('/')));
    QCOMPARE(SingleInstance::serverName(QStringLiteral("T"), 1000, QStringLiteral(":0.0"), dir), x0);
    for (const QString& other :
         {SingleInstance::serverName(QStringLiteral("T"), 1000, QStringLiteral(":1"), dir),
          SingleInstance::serverName(QStringLiteral("T"), 1001, QStringLiteral(":0"), dir),
          SingleInstance::serverName(QStringLiteral("T"), 1000, QStringLiteral("wayland-wayland-0"), dir)})
        QVERIFY(other != x0);
    QVERIFY(!SingleInstance::serverName(QStringLiteral("T"), 1000, QStringLiteral(":0"), QString()).contains('/'));
}

void WindowTest::dialogsOfferOnlyTheirTitleBarButtons() {
    MainWindowFixture f({}, true);
    f.OpenDocument("doc.Rnote", "a\r\nゴミ箱\r\n");
    auto check = [](QDialog& d, bool closeBox) {
        const Qt::WindowFlags flags = d.windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(bool(flags & Qt::WindowCloseButtonHint), closeBox);
        // A window manager that minimises or maximises a dialog all the same is undone.
        for (Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
            d.setWindowState(state);
            QTRY_COMPARE(d.windowState(), Qt::WindowNoState);
            QVERIFY(d.isVisible());
        }
    };
    rn::test::OnNodeDialog(f.w().nodeDialog(), [&](rn::gui::NodeNameDialog& d) {
        check(d, false);
        d.cancelButton()->click();
    });
    f.Trigger("MenuNodeAdd");
    QTimer::singleShot(0, &f.w().settingsDialog(), [&] {
        check(f.w().settingsDialog(), false);
        f.w().settingsDialog().reject();
    });
    f.Trigger("ToolButtonCust");
    rn::test::WithDialog(f, [&](rn::gui::BatchOutputDialog& d) { check(d, true); });
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
