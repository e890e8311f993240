// SPDX-License-Identifier: MIT
// Printing a node: the checks before anything happens, the body written first, and the print program
// started with "/p" and the body path as separate arguments, or both messages when it cannot start.
#include <sys/stat.h>

#include <QTest>
#include <filesystem>
#include <functional>

#include "core/text/cp932.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_view.h"
#include "gui_support.h"

using rn::gui::LowerPaneMode;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

namespace {

// 0 本文 A.TXT / 1 章 (folder) / 2 ゴミ箱 / 3 屑.TXT in the trash; in a directory with a blank.
const char* const kOutline = "本文 A.TXT\r\n章\r\nゴミ箱\r\n\t屑.TXT\r\n";

// A print program that writes its arguments, one a line, and a copy of the file it was given.
std::string RecordingProgram(MainWindowFixture& f) {
    std::filesystem::create_directories(f.Path("print tools"));
    const std::string program = f.Path("print tools/record print");
    WriteAll(program,
             "#!/bin/sh\n"
             "out=\"$(dirname \"$0\")\"\n"
             "cp \"$2\" \"$out/printed\"\n"
             "printf '%s\\n' \"$#\" \"$@\" > \"$out/argv.tmp\" && mv \"$out/argv.tmp\" \"$out/argv\"\n");
    ::chmod(program.c_str(), 0755);
    return program;
}

void OpenOutline(MainWindowFixture& f) {
    std::filesystem::create_directories(f.Path("my docs"));
    for (const char* body : {"my docs/本文 A.TXT", "my docs/屑.TXT"})
        WriteAll(f.Path(body), rn::Cp932Literal("保存済み"));
    f.OpenDocument("my docs/doc.Rnote", kOutline);
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    void checksComeInOrder();
    void printsTheEditedBodyWithThreeArguments();
    void aProgramThatCannotStartGivesBothMessages();
};

void PrintTest::checksComeInOrder() {
    MainWindowFixture f;
    f.w().runStartup();
    rn::gui::AppState& s = f.w().state();
    const std::string program = RecordingProgram(f);
    // Each case: what to set up, the message, and whether a result list stays open.
    const struct {
        const char* name;
        std::function<void()> setUp;
        const char* message;
        bool resultsStay;
    } cases[] = {
        {"no program", [&] { s.settings.Others.PrintName.clear(); }, "印刷プログラムを指定して下さい", true},
        {"no document", [&] { s.settings.Others.PrintName = program; }, "Rnote ファイルを 開くか/新規作成して下さい",
         false},
        {"no selection",
         [&] {
             OpenOutline(f);
             f.w().outlineView()->setCurrentIndex(QModelIndex());
         },
         "追加ノード位置を選択して下さい", false},
        {"text in the trash", [&] { f.Select(3); }, "ゴミ箱内ノードは印刷できません", false},
        {"the trash", [&] { f.Select(2); }, "テキストノード以外は印刷できません", false},
        {"folder", [&] { f.Select(1); }, "テキストノード以外は印刷できません", false},
    };
    for (const auto& c : cases) {
        c.setUp();
        f.w().bodyEditor().showResults();
        f.prompts.Clear();
        f.Trigger("ToolButtonPrin");
        QVERIFY2(f.Message() == U(" ") + U(c.message), c.name);
        QVERIFY2(f.prompts.beeps == 1, c.name);
        QVERIFY2(f.prompts.Boxes().isEmpty(), c.name);
        QVERIFY2((f.w().bodyEditor().lowerPaneMode() == LowerPaneMode::Results) == c.resultsStay, c.name);
    }
    f.w().bodyEditor().closeLowerPane();
    QVERIFY(!rn::test::Exists(f.Path("print tools/argv")));
}

void PrintTest::printsTheEditedBodyWithThreeArguments() {
    MainWindowFixture f;
    f.w().runStartup();
    f.w().state().settings.Others.PrintName = RecordingProgram(f);
    OpenOutline(f);
    f.Select(0);
    f.w().editor()->moveCursor(QTextCursor::End);
    f.w().editor()->insertPlainText(U("と追記"));
    f.Trigger("MenuNodePrin");
    QCOMPARE(f.Message(), QString());
    QVERIFY(f.prompts.Boxes().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(rn::test::Exists(f.Path("print tools/argv")), 10000);
    const std::string body = f.Path("my docs/本文 A.TXT");
    QCOMPARE(ReadAll(f.Path("print tools/argv")), "2\n/p\n" + body + "\n");
    // The print program read the text that was in the editor.
    QCOMPARE(ReadAll(f.Path("print tools/printed")), rn::Cp932Literal("保存済みと追記"));
}

void PrintTest::aProgramThatCannotStartGivesBothMessages() {
    MainWindowFixture f;
    f.w().runStartup();
    OpenOutline(f);
    WriteAll(f.Path("not a program"), "#!/bin/sh\n");
    ::chmod(f.Path("not a program").c_str(), 0644);
    const std::string body = f.Path("my docs/本文 A.TXT");
    for (const std::string& program : {f.Path("no such dir/print"), f.Path("not a program")}) {
        f.w().state().settings.Others.PrintName = program;
        f.Select(1);
        f.Select(0);
        f.prompts.Clear();
        f.Trigger("ToolButtonPrin");
        const QString failed = QString::fromStdString(program + " /p " + body) + U(" を起動できませんでした。");
        QCOMPARE(f.Message(), U(" ") + failed);
        QCOMPARE(f.prompts.Of("erroryes"),
                 QStringList{failed + U("\r\r環境設定-その他-印刷プログラムを正しく指定指定して下さい。")});
    }
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
