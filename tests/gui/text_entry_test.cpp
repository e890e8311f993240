// SPDX-License-Identifier: MIT
// Every place where text is entered takes a sign that Japanese input methods produce under another
// code point (〜 U+301C) as CP932's own (～ 0x8160), and leaves out only what CP932 cannot hold.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "batch_dialog_support.h"
#include "core/batchout/btxtout_settings.h"
#include "core/settings/resdir.h"
#include "core/storage/ini.h"
#include "core/text/cp932.h"
#include "gui/commands/search_commands.h"
#include "gui/settings/settings_dialog.h"
#include "gui_support.h"
#include "node_dialog_support.h"

using rn::test::AnswerNodeDialog;
using rn::test::MainWindowFixture;
using rn::test::S;
using rn::test::U;
using rn::test::WriteAll;

namespace {

const std::string kWaveDash = "\x81\x60";  // ～ in CP932

// Runs `script` inside the settings dialog, which it must close.
void InSettingsDialog(MainWindowFixture& f, const std::function<void(rn::gui::SettingsDialog&)>& script) {
    rn::gui::SettingsDialog& d = f.w().settingsDialog();
    QTimer::singleShot(0, &d, [&d, script] {
        script(d);
        if (d.isVisible()) qFatal("the settings dialog is still open after the script");
    });
    f.Trigger("ToolButtonCust");
}

// As a paste or an input method's commit would put it in (validated, unlike setText).
void TypeInto(QLineEdit* edit, const QString& text) {
    edit->clear();
    edit->insert(text);
}

}  // namespace

class TextEntryTest : public QObject {
    Q_OBJECT
private slots:
    void everyEntryTakesCp932sFormOfASign();
    void aFieldLeavesOutOnlyWhatCp932CannotHold();
};

void TextEntryTest::everyEntryTakesCp932sFormOfASign() {
    MainWindowFixture f;
    f.w().runStartup();
    WriteAll(f.Path("第1話～第3話.TXT"), S("あらすじ～\r\n"));
    f.OpenDocument("doc.Rnote", "第1話～第3話.TXT\r\nゴミ箱\r\n");
    const std::string tree = f.Path("doc.Rnote");
    auto program = [&](std::vector<std::string> args) {
        args.push_back(tree);
        const rn::test::ProgramRun run = rn::test::RunProgram(RN_BIN_DIR "/ramblenote", args, f.dir.path());
        return run.code == 0 ? S(run.out) : "exit " + std::to_string(run.code) + ": " + run.err;
    };
    const struct {
        const char* entry;
        std::function<std::string()> enter;  // enters the sign, returns what was stored or found (CP932)
    } entries[] = {
        {"node name",
         [&] {
             f.Select(0);
             AnswerNodeDialog(f.w().nodeDialog(), U("第4話〜第6話"), true);
             f.Trigger("MenuNodeAdd");
             return f.w().selectedNode()->text;
         }},
        {"search key",
         [&] {
             AnswerNodeDialog(f.w().nodeDialog(), U("じ〜"));
             f.Trigger("ToolButtonSearch");
             return f.w().searchCommands().listedKey();
         }},
        {"settings text field",
         [&] {
             InSettingsDialog(f, [](rn::gui::SettingsDialog& d) {
                 TypeInto(d.findChild<QLineEdit*>(QStringLiteral("EditD1")), U("筆名〜"));
                 d.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
             });
             return rn::Utf8ToCp932(f.w().state().settings.Ramblenote.User).bytes;
         }},
        {"batch output separator",
         [&] {
             rn::test::WithDialog(f, [](rn::gui::BatchOutputDialog& d) {
                 TypeInto(d.findChild<QLineEdit*>(QStringLiteral("Edit3")), U("〜"));
             });
             const std::string ini = rn::BatchOutputSettingsPath(rn::ConfigDirectory());
             return rn::IniLookup(ini, "OUTLINE", "KUGIRI").value_or(std::string());
         }},
        {"--search",
         [&] {
             return program({"--search", "じ〜"});
         }},
        {"--count --start",
         [&] {
             return program({"--count", "--start", "第1話〜第3話.TXT"});
         }},
        {"--export --start",
         [&] {
             const std::string run = program({"--export", f.Path("out.TXT"), "--start", "第1話〜第3話.TXT"});
             return run + rn::test::ReadAll(f.Path("out.TXT"));
         }},
    };
    for (const auto& e : entries) {
        f.prompts.Clear();
        const std::string stored = e.enter();
        QVERIFY2(stored.find(kWaveDash) != std::string::npos,
                 (std::string(e.entry) + ": " + rn::Cp932ToUtf8(stored)).c_str());
        QVERIFY2(f.prompts.Boxes().isEmpty(), e.entry);
    }
}

void TextEntryTest::aFieldLeavesOutOnlyWhatCp932CannotHold() {
    MainWindowFixture f;
    f.w().runStartup();
    InSettingsDialog(f, [&](rn::gui::SettingsDialog& d) {
        TypeInto(d.findChild<QLineEdit*>(QStringLiteral("EditD1")), U("筆😀名"));
        d.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    });
    QCOMPARE(f.w().state().settings.Ramblenote.User, std::string("筆名"));
    QTRY_COMPARE(f.prompts.Boxes(), QStringList{U("この文字はShift-JISで保存できません [😀 U+1F600]")});
}

QTEST_MAIN(TextEntryTest)
#include "text_entry_test.moc"
