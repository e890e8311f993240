// SPDX-License-Identifier: MIT
// The guide document: at the very first start it is copied to the per-user data directory and opened
// (unless the command line names a file); "ヘルプ表示" opens it later. And the "バージョン" box.
#include <QAction>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/storage/files.h"
#include "core/version.h"
#include "gui/editor/body_text_edit.h"
#include "gui/window/main_window.h"
#include "gui/window/status_panels.h"
#include "scripted_prompts.h"
#include "test_support.h"

namespace fs = std::filesystem;
using rn::test::ReadAll;
using rn::test::WriteAll;

class GuideTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensTheCopiedGuideThenWhatWasOpenLast();
    void aNamedFileIsOpenedInstead();
    void aBareProgramSaysWhereTheGuideWasLookedFor();
    void helpOpensTheGuideAfterWritingTheBody();
    void versionBoxNamesVersionsAndSettingsFiles();

private:
    // An installed program in root/bin with its delivered files in root/share/ramblenote.
    std::unique_ptr<rn::gui::MainWindow> Start(const QStringList& arguments = {}) {
        rn::gui::MainWindow::Options options;
        options.prompts = &prompts;
        options.programDirectory = QString::fromStdString(*root / "bin");
        options.arguments = arguments;
        auto w = std::make_unique<rn::gui::MainWindow>(options);
        w->runStartup();
        return w;
    }

    std::optional<rn::test::TempDir> root;
    rn::test::ScriptedPrompts prompts;
    std::string guide;  // where the copy's Tree file belongs
};

void GuideTest::init() {
    root.emplace();
    fs::create_directories(*root / "bin");
    fs::create_directories(*root / "share/ramblenote");
    fs::copy(fs::path(RN_SOURCE_DIR) / "resources/sample", *root / "share/ramblenote/sample",
             fs::copy_options::recursive);
    ::setenv("XDG_DATA_HOME", (*root / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (*root / "config").c_str(), 1);
    guide = *root / "data/ramblenote/sample/Ramblenoteの使い方.Rnote";
    prompts.Clear();
}

void GuideTest::cleanup() {
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    root.reset();
}

void GuideTest::opensTheCopiedGuideThenWhatWasOpenLast() {
    auto w = Start();
    QCOMPARE(w->doc().treeFile, guide);
    QCOMPARE(w->statusPanels()->text(1), QString::fromStdString(" " + guide + " を開きました"));
    QVERIFY(prompts.calls.empty());
    // The installed program keeps its settings per user, seeded from the delivered ones.
    QVERIFY(rn::FileExists(*root / "config/ramblenote/Res/Ramblenote.Ini"));
    QVERIFY(!rn::test::Exists(*root / "bin/Res"));
    w.reset();

    // The next start reopens what was open last; the guide is not copied again.
    WriteAll(*root / "data/ramblenote/sample/はじめに.TXT", "changed");
    w = Start();
    QCOMPARE(w->doc().treeFile, guide);
    QCOMPARE(ReadAll(*root / "data/ramblenote/sample/はじめに.TXT"), std::string("changed"));
}

void GuideTest::aNamedFileIsOpenedInstead() {
    WriteAll(*root / "文書.Rnote", rn::Cp932Literal("一.TXT\r\nゴミ箱\r\n"));
    auto w = Start({QString::fromStdString(*root / "文書.Rnote")});
    QCOMPARE(w->doc().treeFile, *root / "文書.Rnote");
    QVERIFY(!rn::test::Exists(*root / "data"));

    // Without a delivered guide the help menu says so.
    fs::remove_all(*root / "share/ramblenote/sample");
    w->findChild<QAction*>(QStringLiteral("MenuHelpShow"))->trigger();
    QCOMPARE(w->statusPanels()->text(1),
             QString::fromStdString(" ヘルプ文書[" + *root / "share/ramblenote/sample" + "]が有りません"));
    QCOMPARE(w->doc().treeFile, *root / "文書.Rnote");
}

void GuideTest::aBareProgramSaysWhereTheGuideWasLookedFor() {
    fs::remove_all(*root / "share/ramblenote");
    auto w = Start();
    QCOMPARE(w->statusPanels()->text(1), QString::fromStdString(" Rnote ファイルを開いて下さい（ヘルプ文書[" +
                                                                *root / "share/ramblenote/sample" + "]が有りません）"));
    QVERIFY(prompts.calls.empty());
}

void GuideTest::helpOpensTheGuideAfterWritingTheBody() {
    WriteAll(*root / "文書.Rnote", rn::Cp932Literal("一.TXT\r\nゴミ箱\r\n"));
    WriteAll(*root / "一.TXT", rn::Cp932Literal("本文"));
    auto w = Start({QString::fromStdString(*root / "文書.Rnote")});
    w->editor()->moveCursor(QTextCursor::End);
    w->editor()->insertPlainText(QStringLiteral("の続き"));
    w->findChild<QAction*>(QStringLiteral("MenuHelpShow"))->trigger();
    QCOMPARE(ReadAll(*root / "一.TXT"), rn::Cp932Literal("本文の続き"));
    QCOMPARE(w->doc().treeFile, guide);
    QCOMPARE(w->statusPanels()->text(1), QString::fromStdString(" " + guide + " を開きました"));
}

void GuideTest::versionBoxNamesVersionsAndSettingsFiles() {
    auto w = Start();
    prompts.Clear();
    w->findChild<QAction*>(QStringLiteral("MenuHelpVer"))->trigger();
    QCOMPARE(prompts.calls.size(), std::size_t(1));
    QCOMPARE(prompts.calls[0].kind, QStringLiteral("information"));
    const QString config = QString::fromStdString(*root / "config/ramblenote/");
    QCOMPARE(prompts.calls[0].text,
             QStringLiteral("Ramblenote %1\nQt %2\nICU %3\n\n設定ファイル: %4Res/Ramblenote.Ini\n"
                            "履歴ファイル: %4Res/Rnote履歴.Ini\n一括出力設定: %4BTxtOut.Ini")
                 .arg(rn::ProgramVersion(), qVersion(), QString::fromStdString(rn::IcuVersion()), config));
}

QTEST_MAIN(GuideTest)
#include "guide_test.moc"
