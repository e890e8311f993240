// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "core/settings/colors.h"
#include "core/settings/history.h"
#include "core/settings/program.h"
#include "core/settings/resdir.h"
#include "core/settings/settings.h"
#include "core/storage/files.h"
#include "core/storage/ini.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;

// A record in which every field but some flags differs from its initial value. Neighbouring flags
// differ from each other, so that a key read into the wrong field shows.
Settings Filled() {
    Settings s;
    s.Ramblenote = {"山田 太郎", true, 12};
    s.Start = {true, false, "/home/夏目/小説.Rnote", 17};
    s.Tree.Width = 210;
    s.Tree.Root = s.Tree.Button = true;
    s.Tree.Line = false;
    static_cast<PaneFontSettings&>(s.Tree) = {"ＭＳ ゴシック", 9, "clNavy", 5, "clCream", 19};
    static_cast<PaneFontSettings&>(s.Memo) = {"ＭＳ 明朝", 14, "$00123456", 0, "clWhite", 16};
    s.Memo.TabSize = 3;
    s.Memo.TabIn = true;
    s.Memo.WordWrap = false;
    static_cast<PaneFontSettings&>(s.AddMemo) = {"IPAGothic", 10, "clMaroon", 2, "clSkyBlue", 18};
    s.AddMemo.ILSW = false;
    s.Others.PrintName = "/opt/印刷/print";
    return s;
}

const WindowGeometry kGeometry{11, 22, 900, 650, 240};

class SettingsFileTest : public ::testing::Test {
protected:
    test::WithNotices notices;
    test::TempDir dir;
    std::string ini = dir / "Ramblenote.Ini";
};

TEST_F(SettingsFileTest, PanelTreeWidthOfAtMost100Becomes100) {
    Settings s;
    for (const char* width : {"60", "100"}) {
        WriteAll(ini, std::string("[PanelTree]\r\nWidth=") + width + "\r\n");
        EXPECT_EQ(ReadSettings(ini, s).PanelTreeWidth, 100) << width;
    }
    WriteAll(ini, "[PanelTree]\r\nWidth=101\r\n");
    EXPECT_EQ(ReadSettings(ini, s).PanelTreeWidth, 101);
    WriteAll(ini, "[Form]\r\nTop=5\r\n");
    EXPECT_EQ(ReadSettings(ini, s), (WindowGeometry{5, -1, -1, -1, 100}));
}

TEST_F(SettingsFileTest, EveryFieldSurvivesAWriteAndARead) {
    Settings written = Filled();
    // Then every flag the other way round.
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        ASSERT_TRUE(WriteSettings(ini, written, kGeometry, written.Start.TreeFileName));
        Settings read;
        EXPECT_EQ(ReadSettings(ini, read), kGeometry);
        EXPECT_TRUE(read == written);
        for (bool* flag : {&written.Ramblenote.ExePConSW, &written.Start.TreeOpen, &written.Start.DocMovement,
                           &written.Tree.Root, &written.Tree.Line, &written.Tree.Button, &written.Memo.TabIn,
                           &written.Memo.WordWrap, &written.AddMemo.ILSW})
            *flag = !*flag;
    }
    EXPECT_EQ(written.Start.TreeFileName, "NULL");  // TreeOpen was off in the second pass
    EXPECT_TRUE(notices.recorder.log.empty());
    Settings read;
    // Missing keys give the fallbacks of their types.
    WriteAll(ini, "[Start]\r\nTreeOpen=2\r\n");
    ReadSettings(ini, read);
    EXPECT_TRUE(read.Start.TreeOpen);
    EXPECT_FALSE(read.Start.DocMovement);
    EXPECT_EQ(read.Start.TreeFileName, "");
    EXPECT_EQ(read.Memo.FontColorI, -1);
}

// Stored numbers at the limits of 32 bits would make windows that cannot paint or loops without end.
TEST_F(SettingsFileTest, StoredNumbersAreBroughtIntoUsableRanges) {
    const std::string high = "2147483647", low = "-2147483648";
    std::string text;
    for (const char* section : {"Form", "PanelTree", "Tree", "Memo", "AddMemo", "Ramblenote", "Start"}) {
        text += std::string("[") + section + "]\r\n";
        for (const char* key :
             {"Top", "Left", "Width", "Height", "FontSize", "FontColorI", "TabSize", "TreeHistory", "NodeNo"})
            text += std::string(key) + "=" + (std::string(key) == "Top" || std::string(key) == "Left" ? low : high) +
                    "\r\n";
    }
    WriteAll(ini, text);
    Settings s;
    EXPECT_EQ(ReadSettings(ini, s), (WindowGeometry{-16384, -16384, 16384, 16384, 16384}));
    EXPECT_EQ(s.Tree.FontSize, 32);
    EXPECT_EQ(s.AddMemo.FontColorI, 255);
    EXPECT_EQ(s.Memo.TabSize, 8);
    EXPECT_EQ(s.Ramblenote.TreeHistory, 1000);
    EXPECT_EQ(s.Tree.Width, 16384);
    EXPECT_EQ(s.Start.NodeNo, 2147483647);
    WriteAll(ini, "[Memo]\r\nTabSize=0\r\nFontSize=-5\r\n[Ramblenote]\r\nTreeHistory=-3\r\n");
    ReadSettings(ini, s);
    EXPECT_EQ(s.Memo.TabSize, -1);  // a size of 0 or less is no size: "not set"
    EXPECT_EQ(s.Memo.FontSize, -1);
    EXPECT_EQ(s.Ramblenote.TreeHistory, 1);
    EXPECT_EQ(s.Tree.FontSize, -1);  // missing: the fallback, which means "not set"
    EXPECT_TRUE(notices.recorder.log.empty());
}

TEST_F(SettingsFileTest, AFileThatIsNoRegularFileOrTooLargeIsReportedAndReadAsMissing) {
    ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);  // opening it for reading would wait for a writer
    Settings s;
    EXPECT_EQ(ReadSettings(ini, s), (WindowGeometry{-1, -1, -1, -1, 100}));
    EXPECT_EQ(notices.recorder.Boxes(),
              std::vector<std::string>{"ファイル \"" + ini + "\" は開けません。通常のファイルではありません"});
    std::filesystem::remove(ini);
    WriteAll(ini, "[Memo]\r\nTabSize=4\r\n" + std::string(kIniFileLimit, ';'));
    notices.recorder.Clear();
    ReadSettings(ini, s);
    EXPECT_EQ(s.Memo.TabSize, -1);
    EXPECT_EQ(notices.recorder.Boxes(),
              std::vector<std::string>{"ファイル \"" + ini + "\" は開けません。ファイルが大きすぎます (上限 1 MB)"});
}

TEST_F(SettingsFileTest, ANewFileHasItsSectionsAndKeysInWritingOrder) {
    Settings s = Filled();
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, s.Start.TreeFileName));
    std::vector<std::string> lines;
    SplitFields("\r\n", ReadAll(ini), lines);
    std::string shape;
    for (const auto& l : lines)
        shape += l.substr(0, l.find('=')) + " ";
    const std::string pane = "FontName FontSize FontColor FontColorI FontBColor FontBColorI ";
    EXPECT_EQ(shape,
              "[Form] Top Left Width Height [PanelTree] Width [Ramblenote] User TreeHistory ExePConSW "
              "[Start] TreeOpen DocMovement TreeFileName NodeNo [Tree] Width Root Line Button " +
                  pane + "[Memo] " + pane + "TabSize TabIn WordWrap [AddMemo] " + pane + "ILSW [Others] PrintName ");
    EXPECT_EQ(lines[1], "Top=11");
}

TEST_F(SettingsFileTest, TreeFileNameIsTheOpenDocumentStoredAsCp932OrNullWhenTreeOpenIsOff) {
    Settings s = Filled();
    const std::string doc = dir / "章立て.Rnote";
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, doc));
    EXPECT_EQ(IniLookup(ini, "Start", "TreeFileName"), S(doc));
    Settings read;
    ReadSettings(ini, read);
    EXPECT_EQ(read.Start.TreeFileName, doc);

    s.Start.TreeOpen = false;
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, doc));
    EXPECT_EQ(s.Start.TreeFileName, "NULL");
    EXPECT_EQ(IniLookup(ini, "Start", "TreeFileName"), "NULL");
}

TEST_F(SettingsFileTest, TextsCp932CannotHoldAreReportedNotMangled) {
    WriteAll(ini, S("[Ramblenote]\r\nUser=花子\r\n[Start]\r\nTreeFileName=/old/one.Rnote\r\n"));
    Settings s = Filled();
    s.Ramblenote.User = "한국";
    const std::string doc = dir / "\U0001F600.Rnote";
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, doc));
    EXPECT_EQ(IniLookup(ini, "Ramblenote", "User"), S("花子"));  // kept
    EXPECT_EQ(IniLookup(ini, "Start", "TreeFileName"), "NULL");  // never an older document
    EXPECT_EQ(IniLookup(ini, "Others", "PrintName"), S("/opt/印刷/print"));
    auto boxes = notices.recorder.Of("message");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].find(doc), std::string::npos);
}

TEST_F(SettingsFileTest, AFailedWriteIsReportedOnceAndChangesNothing) {
    const std::string missing = dir / "Res/Ramblenote.Ini";
    Settings s = Filled();
    EXPECT_FALSE(WriteSettings(missing, s, kGeometry, "NULL"));
    EXPECT_EQ(notices.recorder.Boxes(),
              (std::vector<std::string>{missing + " に書き込めません。ファイルまたはフォルダがありません"}));

    WriteAll(ini, "[Form]\r\nTop=1\r\n");
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);
    EXPECT_FALSE(WriteSettings(ini, s, kGeometry, "NULL"));
    EXPECT_EQ(notices.recorder.Boxes().size(), 2u);
    EXPECT_EQ(ReadAll(ini), "[Form]\r\nTop=1\r\n");
}

TEST(ColorText, ReadsNamesInAnyCaseAndNumbers) {
    EXPECT_EQ(ColorFromText("clsilver"), 0xC0C0C0u);
    EXPECT_EQ(ColorFromText("CLWINDOW"), 0xFF000005u);
    EXPECT_EQ(ColorFromText("$00123456"), 0x123456u);
    EXPECT_EQ(ColorFromText("0x1FFFFFFF"), kColorNone);
    EXPECT_EQ(ColorFromText("255"), 0xFFu);
    EXPECT_EQ(ColorFromText("-16777211"), 0xFF000005u);
    for (const char* t : {"", "red", "clSilverX", "$", "12ab", "$1FFFFFFFF"})
        EXPECT_EQ(ColorFromText(t), std::nullopt) << t;
}

TEST(ColorText, WritesTheNameOrEightHexDigits) {
    EXPECT_EQ(ColorToText(0xC0C0C0), "clSilver");
    EXPECT_EQ(ColorToText(0x00123456), "$00123456");
    EXPECT_EQ(ColorToText(0xFF000005), "clWindow");
    EXPECT_EQ(ColorToText(0xFF000019), "$FF000019");  // a display colour without a name
    ASSERT_EQ(ColorNames().size(), 52u);
    for (const ColorName& c : ColorNames()) {
        EXPECT_EQ(ColorFromText(c.name), c.value) << c.name;
        EXPECT_EQ(ColorToText(c.value), c.name);
    }
}

TEST(DeliveredSettings, AreTheResourcesFileAndWhatANewUserWants) {
    EXPECT_EQ(DeliveredSettings(), ReadAll(std::string(RN_TEST_DATA_DIR) + "/../../../resources/Res/Ramblenote.Ini"));
    // The build lays the delivered files out as they are installed, where the program looks for them.
    EXPECT_EQ(ReadAll(std::string(RN_BIN_DIR) + "/../share/ramblenote/Res/Ramblenote.Ini"), DeliveredSettings());
    test::WithNotices notices;
    test::TempDir dir;
    WriteAll(dir / "in.Ini", DeliveredSettings());
    Settings s;
    WindowGeometry g = ReadSettings(dir / "in.Ini", s);
    EXPECT_TRUE(g.Width > 600 && g.Height > 400 && g.Top >= 0 && g.Left >= 0);
    EXPECT_EQ(g.PanelTreeWidth, 185);
    EXPECT_EQ(s.Ramblenote.TreeHistory, 8);
    EXPECT_FALSE(s.Ramblenote.ExePConSW);
    EXPECT_TRUE(s.Start.TreeOpen && s.Start.DocMovement && s.AddMemo.ILSW && s.Memo.WordWrap);
    EXPECT_TRUE(s.Tree.Root && s.Tree.Line && s.Tree.Button);
    EXPECT_EQ(s.Start.TreeFileName, "NULL");
    EXPECT_EQ(s.Start.NodeNo, 0);
    EXPECT_EQ(s.Tree.FontName, "ＭＳ ゴシック");
    EXPECT_EQ(s.Memo.FontName, "ＭＳ 明朝");
    EXPECT_EQ(s.Memo.TabSize, 4);
    EXPECT_EQ(s.Others.PrintName, "");
    // Colour texts and the dialog's list positions agree (clWindowText 50 and clWindow 48 in the tree
    // lists, black 1 and white 16 in the memo lists).
    EXPECT_EQ(std::tie(s.Tree.FontColor, s.Tree.FontColorI, s.Tree.FontBColor, s.Tree.FontBColorI),
              std::make_tuple("clWindowText", 50, "clWindow", 48));
    for (const PaneFontSettings* pane :
         {static_cast<PaneFontSettings*>(&s.Memo), static_cast<PaneFontSettings*>(&s.AddMemo)})
        EXPECT_EQ(std::tie(pane->FontColor, pane->FontColorI, pane->FontBColor, pane->FontBColorI),
                  std::make_tuple("clBlack", 1, "clWhite", 16));
    for (int size : {s.Tree.FontSize, s.Memo.FontSize, s.AddMemo.FontSize})
        EXPECT_TRUE(size >= 10 && size <= 14);
    // Written back, they give the same bytes: CP932, CR LF and the writing order.
    ASSERT_TRUE(WriteSettings(dir / "out.Ini", s, g, "NULL"));
    EXPECT_EQ(ReadAll(dir / "out.Ini"), DeliveredSettings());
    EXPECT_TRUE(notices.recorder.log.empty());
}

TEST(ConfigDirectory, IsTheProgramDirectoryWhenWritableElseThePerUserOne) {
    EXPECT_EQ(ChooseConfigDirectory("/opt/rn", true, "/x/config", "/home/u"), "/opt/rn");
    EXPECT_EQ(ChooseConfigDirectory("/usr/bin", false, "/x/config/", "/home/u"), "/x/config/ramblenote");
    EXPECT_EQ(ChooseConfigDirectory("/usr/bin", false, nullptr, "/home/u"), "/home/u/.config/ramblenote");
    EXPECT_EQ(ChooseConfigDirectory("/usr/bin", false, "relative", "/home/u"), "/home/u/.config/ramblenote");
}

class ResDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        savedXdg_ = xdg ? std::optional<std::string>(xdg) : std::nullopt;
    }
    void TearDown() override {
        Program().directory = savedProgramDir_;
        savedXdg_ ? ::setenv("XDG_CONFIG_HOME", savedXdg_->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    }

    test::WithNotices notices;
    test::TempDir dir;

private:
    std::string savedProgramDir_ = Program().directory;
    std::optional<std::string> savedXdg_;
};

TEST_F(ResDirTest, AMissingSettingsFileIsSeededWithTheDeliveredOneAndAnExistingOneIsLeftAlone) {
    Program().directory = dir.path();
    EXPECT_EQ(PrepareResDir(), dir / "Res/");
    EXPECT_EQ(SettingsFilePath(), dir / "Res/Ramblenote.Ini");
    EXPECT_EQ(ReadAll(dir / "Res/Ramblenote.Ini"), DeliveredSettings());
    // A settings file deleted beside the history comes back as delivered, not as a record of zeros at exit.
    std::filesystem::remove(dir / "Res/Ramblenote.Ini");
    WriteAll(dir / "Res/" + kHistoryFileName, "");
    PrepareResDir();
    EXPECT_EQ(ReadAll(dir / "Res/Ramblenote.Ini"), DeliveredSettings());
    EXPECT_EQ(ReadAll(dir / "Res/" + kHistoryFileName), "");
    WriteAll(dir / "Res/Ramblenote.Ini", "[Form]\r\n");
    PrepareResDir();
    EXPECT_EQ(ReadAll(dir / "Res/Ramblenote.Ini"), "[Form]\r\n");
    EXPECT_TRUE(notices.recorder.log.empty());
}

TEST_F(ResDirTest, TemporariesOfKilledSavesAreRemovedAtStart) {
    Program().directory = dir.path();
    PrepareResDir();
    const std::string stale = dir / "Res/.rn-Ab12Cd", fresh = dir / "Res/.rn-Zz9Zz9";
    WriteAll(stale, "[Form]\r\n");
    WriteAll(fresh, "[Form]\r\n");
    std::filesystem::last_write_time(stale, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2));
    PrepareResDir();
    EXPECT_FALSE(test::Exists(stale));
    EXPECT_TRUE(test::Exists(fresh));  // perhaps another copy is writing it
    EXPECT_EQ(ReadAll(dir / "Res/Ramblenote.Ini"), DeliveredSettings());
}

TEST_F(ResDirTest, AnUnwritableProgramDirectoryMovesResToThePerUserDirectory) {
    Program().directory = dir / "no such dir";  // cannot be written, even by root
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    EXPECT_EQ(PrepareResDir(), dir / "config/ramblenote/Res/");
    EXPECT_EQ(ReadAll(dir / "config/ramblenote/Res/Ramblenote.Ini"), DeliveredSettings());
    // Seeded from the installation's own settings when it has them.
    WriteAll(dir / "site.Ini", "[Memo]\r\nTabSize=8\r\n");
    ASSERT_TRUE(PrepareResDirAt(dir / "u/Res/", dir / "site.Ini"));
    EXPECT_EQ(ReadAll(dir / "u/Res/Ramblenote.Ini"), "[Memo]\r\nTabSize=8\r\n");
}

TEST_F(ResDirTest, AnInstalledProgramSeedsThePerUserResFromItsInstalledDefaults) {
    std::filesystem::create_directories(dir / "bin");
    std::filesystem::create_directories(dir / "share/ramblenote/Res");
    WriteAll(dir / "share/ramblenote/Res/Ramblenote.Ini", "[Memo]\r\nTabSize=2\r\n");
    Program().directory = dir / "bin";
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    EXPECT_EQ(PrepareResDir(), dir / "config/ramblenote/Res/");
    EXPECT_EQ(ReadAll(dir / "config/ramblenote/Res/Ramblenote.Ini"), "[Memo]\r\nTabSize=2\r\n");
    EXPECT_FALSE(test::Exists(dir / "bin/Res"));
}

TEST_F(ResDirTest, AResDirThatCannotBeCreatedIsReported) {
    WriteAll(dir / "file", "");
    EXPECT_FALSE(PrepareResDirAt(dir / "file/Res/", ""));
    auto errors = notices.recorder.Of("error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("ファイル \"" + dir / "file/Res/" + "\" を作成できません。", 0), 0u);
}

}  // namespace
}  // namespace rn
