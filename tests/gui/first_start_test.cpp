// The program's very first start: the delivered guide document is copied to the per-user data
// directory and opened, unless the command line names a file.
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/tree/files.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/status_panels.h"
#include "scripted_prompts.h"
#include "test_support.h"

namespace fs = std::filesystem;
using rn::test::ReadAll;
using rn::test::WriteAll;

class FirstStartTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensTheCopiedGuideThenWhatWasOpenLast();
    void aNamedFileIsOpenedInstead();

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

void FirstStartTest::init() {
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

void FirstStartTest::cleanup() {
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    root.reset();
}

void FirstStartTest::opensTheCopiedGuideThenWhatWasOpenLast() {
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

void FirstStartTest::aNamedFileIsOpenedInstead() {
    WriteAll(*root / "文書.Rnote", rn::Sjis("一.TXT\r\nゴミ箱\r\n"));
    auto w = Start({QString::fromStdString(*root / "文書.Rnote")});
    QCOMPARE(w->doc().treeFile, *root / "文書.Rnote");
    QVERIFY(!rn::test::Exists(*root / "data"));
}

QTEST_MAIN(FirstStartTest)
#include "first_start_test.moc"
