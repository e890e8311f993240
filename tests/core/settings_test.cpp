#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <set>

#include "core/settings/colors.h"
#include "core/settings/resdir.h"
#include "core/settings/settings.h"
#include "core/tree/files.h"
#include "core/tree/ini.h"
#include "core/tree/program.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::S;
using test::WriteAll;

// Section names and "section/key" names of an INI text, in file order.
std::vector<std::string> SectionsOf(const std::string& text) {
    std::vector<std::string> out;
    std::vector<std::string> lines;
    SplitFields("\r\n", text, lines);
    for (const auto& l : lines)
        if (!l.empty() && l.front() == '[') out.push_back(l.substr(1, l.size() - 2));
    return out;
}

std::vector<std::string> KeysOf(const std::string& text) {
    std::vector<std::string> out;
    std::vector<std::string> lines;
    SplitFields("\r\n", text, lines);
    std::string section;
    for (const auto& l : lines) {
        if (!l.empty() && l.front() == '[') {
            section = l.substr(1, l.size() - 2);
        } else if (auto eq = l.find('='); eq != std::string::npos) {
            out.push_back(section + "/" + l.substr(0, eq));
        }
    }
    return out;
}

// A record in which every field differs from its initial value and from every other field.
Settings Filled() {
    Settings s;
    s.Ramblenote = {"山田 太郎", true, 12};
    s.Start = {true, true, "/home/夏目/小説.Rnote", 17};
    s.Tree.Width = 210;
    s.Tree.Root = true;
    s.Tree.Line = true;
    s.Tree.Button = true;
    static_cast<PaneFontSettings&>(s.Tree) = {"ＭＳ ゴシック", 9, "clNavy", 5, "clCream", 19};
    static_cast<PaneFontSettings&>(s.Memo) = {"ＭＳ 明朝", 14, "$00123456", 0, "clWhite", 16};
    s.Memo.TabSize = 3;
    s.Memo.TabIn = true;
    s.Memo.WordWrap = true;
    static_cast<PaneFontSettings&>(s.AddMemo) = {"IPAGothic", 10, "clMaroon", 2, "clSkyBlue", 18};
    s.AddMemo.ILSW = true;
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
    for (const char* width : {"60", "100", "-5"}) {
        WriteAll(ini, std::string("[PanelTree]\r\nWidth=") + width + "\r\n");
        EXPECT_EQ(ReadSettings(ini, s).PanelTreeWidth, 100) << width;
    }
    WriteAll(ini, "[PanelTree]\r\nWidth=101\r\n");
    EXPECT_EQ(ReadSettings(ini, s).PanelTreeWidth, 101);
    WriteAll(ini, "[Form]\r\nTop=5\r\n");
    WindowGeometry g = ReadSettings(ini, s);
    EXPECT_EQ(g.PanelTreeWidth, 100);
    EXPECT_EQ(g.Top, 5);
    EXPECT_EQ(g.Left, -1);
    EXPECT_EQ(g.Height, -1);
}

TEST_F(SettingsFileTest, MissingKeysGiveTheFallbacksOfTheirTypes) {
    WriteAll(ini, "[Start]\r\nTreeOpen=2\r\n");
    Settings s = Filled();
    ReadSettings(ini, s);
    EXPECT_TRUE(s.Start.TreeOpen);
    EXPECT_FALSE(s.Start.DocMovement);
    EXPECT_EQ(s.Start.TreeFileName, "");
    EXPECT_EQ(s.Start.NodeNo, -1);
    EXPECT_EQ(s.Ramblenote.TreeHistory, -1);
    EXPECT_EQ(s.Memo.FontColor, "");
    EXPECT_EQ(s.Memo.FontColorI, -1);
    EXPECT_FALSE(s.AddMemo.ILSW);
    EXPECT_TRUE(notices.recorder.log.empty());
}

TEST_F(SettingsFileTest, EveryFieldSurvivesAWriteAndARead) {
    Settings written = Filled();
    ASSERT_TRUE(WriteSettings(ini, written, kGeometry, written.Start.TreeFileName));
    Settings read;
    WindowGeometry g = ReadSettings(ini, read);
    EXPECT_EQ(g, kGeometry);
    EXPECT_TRUE(read == written);
    EXPECT_EQ(read.Memo.FontColor, "$00123456");
    EXPECT_TRUE(notices.recorder.log.empty());
}

TEST_F(SettingsFileTest, ANewFileHasTheSectionsAndKeysInWritingOrder) {
    Settings s = Filled();
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, s.Start.TreeFileName));
    const std::string text = ReadAll(ini);
    EXPECT_EQ(SectionsOf(text), (std::vector<std::string>{"Form", "PanelTree", "Ramblenote", "Start", "Tree", "Memo",
                                                          "AddMemo", "Others"}));
    std::vector<std::string> pane = {"FontName", "FontSize", "FontColor", "FontColorI", "FontBColor", "FontBColorI"};
    std::vector<std::string> keys = {"Form/Top",
                                     "Form/Left",
                                     "Form/Width",
                                     "Form/Height",
                                     "PanelTree/Width",
                                     "Ramblenote/User",
                                     "Ramblenote/TreeHistory",
                                     "Ramblenote/ExePConSW",
                                     "Start/TreeOpen",
                                     "Start/DocMovement",
                                     "Start/TreeFileName",
                                     "Start/NodeNo",
                                     "Tree/Width",
                                     "Tree/Root",
                                     "Tree/Line",
                                     "Tree/Button"};
    for (const auto& k : pane)
        keys.push_back("Tree/" + k);
    for (const auto& k : pane)
        keys.push_back("Memo/" + k);
    for (const char* k : {"TabSize", "TabIn", "WordWrap"})
        keys.push_back(std::string("Memo/") + k);
    for (const auto& k : pane)
        keys.push_back("AddMemo/" + k);
    keys.push_back("AddMemo/ILSW");
    keys.push_back("Others/PrintName");
    EXPECT_EQ(KeysOf(text), keys);
    EXPECT_NE(text.find("[Form]\r\nTop=11\r\nLeft=22\r\nWidth=900\r\nHeight=650\r\n[PanelTree]\r\nWidth=240\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("ExePConSW=1\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\n\n"), std::string::npos);
}

TEST_F(SettingsFileTest, TreeFileNameIsTheOpenDocumentStoredAsCp932) {
    Settings s = Filled();
    const std::string doc = dir / "章立て.Rnote";
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, doc));
    EXPECT_EQ(s.Start.TreeFileName, doc);
    EXPECT_NE(ReadAll(ini).find("TreeFileName=" + S(doc) + "\r\n"), std::string::npos);
    Settings read;
    ReadSettings(ini, read);
    EXPECT_EQ(read.Start.TreeFileName, doc);
}

TEST_F(SettingsFileTest, TreeOpenOffStoresNullWhateverIsOpen) {
    Settings s = Filled();
    s.Start.TreeOpen = false;
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, dir / "a.Rnote"));
    EXPECT_EQ(s.Start.TreeFileName, "NULL");
    EXPECT_EQ(IniLookup(ini, "Start", "TreeFileName"), "NULL");
    EXPECT_EQ(IniLookup(ini, "Start", "TreeOpen"), "0");
}

TEST_F(SettingsFileTest, NoDocumentOpenStoresNull) {
    Settings s = Filled();
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, "NULL"));
    EXPECT_EQ(IniLookup(ini, "Start", "TreeFileName"), "NULL");
}

TEST_F(SettingsFileTest, ATreeFilePathCp932CannotHoldIsReportedAndNotReopened) {
    Settings s = Filled();
    WriteAll(ini, "[Start]\r\nTreeFileName=/old/one.Rnote\r\n");
    const std::string doc = dir / "\U0001F600.Rnote";
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, doc));
    EXPECT_EQ(IniLookup(ini, "Start", "TreeFileName"), "NULL");
    auto boxes = notices.recorder.Of("message");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(doc), std::string::npos);
    EXPECT_NE(boxes[0].find("TreeFileName"), std::string::npos);
}

TEST_F(SettingsFileTest, AUserNameCp932CannotHoldKeepsTheStoredOne) {
    WriteAll(ini, S("[Ramblenote]\r\nUser=花子\r\n"));
    Settings s = Filled();
    s.Ramblenote.User = "한국";
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, "NULL"));
    EXPECT_EQ(IniLookup(ini, "Ramblenote", "User"), S("花子"));
    EXPECT_EQ(notices.recorder.Of("message").size(), 1u);
    EXPECT_EQ(IniLookup(ini, "Others", "PrintName"), S("/opt/印刷/print"));
}

TEST_F(SettingsFileTest, AFailedWriteIsReportedOnceAndEndsTheWriting) {
    const std::string missing = dir / "Res/Ramblenote.Ini";
    Settings s = Filled();
    EXPECT_FALSE(WriteSettings(missing, s, kGeometry, "NULL"));
    EXPECT_EQ(notices.recorder.Boxes(), (std::vector<std::string>{missing + " に書き込めません"}));

    notices.recorder.Clear();
    const std::string before = S("[Form]\r\nTop=1\r\n");
    WriteAll(ini, before);
    ASSERT_EQ(::chmod(ini.c_str(), 0444), 0);
    EXPECT_FALSE(WriteSettings(ini, s, kGeometry, "NULL"));
    EXPECT_EQ(notices.recorder.Boxes().size(), 1u);
    EXPECT_EQ(ReadAll(ini), before);
}

TEST_F(SettingsFileTest, WritingKeepsWhatElseTheFileHolds) {
    WriteAll(ini, "[Mine]\r\nx=1\r\n[Tree]\r\nExtra=7\r\nRoot=0\r\n");
    Settings s = Filled();
    ASSERT_TRUE(WriteSettings(ini, s, kGeometry, "NULL"));
    EXPECT_EQ(IniLookup(ini, "Mine", "x"), "1");
    EXPECT_EQ(IniLookup(ini, "Tree", "Extra"), "7");
    EXPECT_EQ(IniLookup(ini, "Tree", "Root"), "1");
}

// ---- colour texts ----

TEST(ColorText, NamesReadWithoutRegardToCase) {
    EXPECT_EQ(ColorFromText("clsilver"), 0xC0C0C0u);
    EXPECT_EQ(ColorFromText("CLWINDOW"), 0xFF000005u);
    EXPECT_EQ(ColorFromText("clNone"), kColorNone);
    EXPECT_EQ(ColorFromText("cldefault"), kColorDefault);
    EXPECT_EQ(ColorFromText("cl3ddkshadow"), 0xFF000015u);
    EXPECT_EQ(ColorFromText("clRed"), 0x0000FFu);
}

TEST(ColorText, NumbersReadAsDecimalOrHexadecimal) {
    EXPECT_EQ(ColorFromText("$00123456"), 0x123456u);
    EXPECT_EQ(ColorFromText("0x00FF00"), 0x00FF00u);
    EXPECT_EQ(ColorFromText("$ff000008"), 0xFF000008u);
    EXPECT_EQ(ColorFromText("255"), 0xFFu);
    EXPECT_EQ(ColorFromText("-16777211"), 0xFF000005u);
}

TEST(ColorText, EmptyOrUnreadableGivesNoColour) {
    for (const char* t : {"", "red", "clSilverX", "cl", "$", "0x", "12ab", "$1FFFFFFFF"})
        EXPECT_EQ(ColorFromText(t), std::nullopt) << t;
}

TEST(ColorText, WrittenAsTheNameOrAsEightHexDigits) {
    EXPECT_EQ(ColorToText(0xC0C0C0), "clSilver");
    EXPECT_EQ(ColorToText(0x00123456), "$00123456");
    EXPECT_EQ(ColorToText(0xFF000005), "clWindow");
    EXPECT_EQ(ColorToText(0xFF000000), "clScrollBar");
    EXPECT_EQ(ColorToText(0xFF000019), "$FF000019");  // a display colour without a name
    EXPECT_EQ(ColorToText(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(ColorToText(0), "clBlack");
}

TEST(ColorText, EveryNameComesBackAsItself) {
    std::set<std::string> seen;
    for (const ColorName& c : ColorNames()) {
        EXPECT_EQ(ColorFromText(c.name), c.value) << c.name;
        EXPECT_EQ(ColorToText(c.value), c.name);
        seen.insert(std::string(c.name));
    }
    EXPECT_EQ(seen.size(), 52u);
}

TEST(ColorText, SystemColoursAreRecognised) {
    EXPECT_TRUE(IsSystemColor(*ColorFromText("clBtnFace")));
    EXPECT_FALSE(IsSystemColor(*ColorFromText("clWhite")));
    EXPECT_FALSE(IsSystemColor(kColorNone));
    EXPECT_FALSE(IsSystemColor(0xFF123456));
}

// ---- the delivered settings ----

std::string DeliveredSourceFile() {
    return std::string(RN_TEST_DATA_DIR) + "/../../../resources/Res/Ramblenote.Ini";
}

TEST(DeliveredSettings, TheProgramCarriesTheDeliveredFile) {
    EXPECT_EQ(std::string(DeliveredSettings()), ReadAll(DeliveredSourceFile()));
    const std::string built = std::string(RN_BIN_DIR) + "/Res/Ramblenote.Ini";
    EXPECT_TRUE(FileExists(built));
}

TEST(DeliveredSettings, AreWhatANewUserWants) {
    test::WithNotices notices;
    test::TempDir dir;
    const std::string ini = dir / "Ramblenote.Ini";
    WriteAll(ini, DeliveredSettings());
    Settings s;
    WindowGeometry g = ReadSettings(ini, s);
    EXPECT_TRUE(notices.recorder.log.empty());

    EXPECT_GT(g.Width, 600);
    EXPECT_GT(g.Height, 400);
    EXPECT_GE(g.Top, 0);
    EXPECT_GE(g.Left, 0);
    EXPECT_EQ(g.PanelTreeWidth, 185);
    EXPECT_EQ(s.Ramblenote.User, "");
    EXPECT_FALSE(s.Ramblenote.ExePConSW);
    EXPECT_EQ(s.Ramblenote.TreeHistory, 8);
    EXPECT_TRUE(s.Start.TreeOpen);
    EXPECT_TRUE(s.Start.DocMovement);
    EXPECT_EQ(s.Start.TreeFileName, "NULL");
    EXPECT_EQ(s.Start.NodeNo, 0);
    EXPECT_TRUE(s.Tree.Root && s.Tree.Line && s.Tree.Button);
    EXPECT_EQ(s.Tree.FontName, "ＭＳ ゴシック");
    EXPECT_EQ(s.Memo.FontName, "ＭＳ 明朝");
    EXPECT_EQ(s.AddMemo.FontName, "ＭＳ ゴシック");
    EXPECT_EQ(s.Tree.FontColor, "clWindowText");
    EXPECT_EQ(s.Tree.FontColorI, 50);
    EXPECT_EQ(s.Tree.FontBColor, "clWindow");
    EXPECT_EQ(s.Tree.FontBColorI, 48);
    for (const PaneFontSettings* pane :
         {static_cast<const PaneFontSettings*>(&s.Memo), static_cast<const PaneFontSettings*>(&s.AddMemo)}) {
        EXPECT_EQ(pane->FontColor, "clBlack");
        EXPECT_EQ(pane->FontColorI, 1);
        EXPECT_EQ(pane->FontBColor, "clWhite");
        EXPECT_EQ(pane->FontBColorI, 16);
    }
    for (int size : {s.Tree.FontSize, s.Memo.FontSize, s.AddMemo.FontSize}) {
        EXPECT_GE(size, 10);
        EXPECT_LE(size, 14);
    }
    EXPECT_EQ(s.Memo.TabSize, 4);
    EXPECT_TRUE(s.Memo.WordWrap);
    EXPECT_TRUE(s.AddMemo.ILSW);
    EXPECT_EQ(s.Others.PrintName, "");
}

TEST(DeliveredSettings, AreInTheOrderAndFormTheProgramWritesThem) {
    // Writing back what was read reproduces the file byte for byte: CP932, CR LF, writing order.
    test::WithNotices notices;
    test::TempDir dir;
    Settings s;
    WriteAll(dir / "in.Ini", DeliveredSettings());
    WindowGeometry g = ReadSettings(dir / "in.Ini", s);
    ASSERT_TRUE(WriteSettings(dir / "out.Ini", s, g, "NULL"));
    EXPECT_EQ(ReadAll(dir / "out.Ini"), std::string(DeliveredSettings()));
}

// ---- where the settings live ----

TEST(ConfigDirectory, TheProgramDirectoryWhenItCanBeWritten) {
    EXPECT_EQ(ChooseConfigDirectory("/opt/rn", true, "/x/config", "/home/u"), "/opt/rn");
}

TEST(ConfigDirectory, OtherwiseThePerUserDirectory) {
    EXPECT_EQ(ChooseConfigDirectory("/usr/bin", false, "/x/config", "/home/u"), "/x/config/ramblenote");
    EXPECT_EQ(ChooseConfigDirectory("/usr/bin", false, "/x/config/", "/home/u"), "/x/config/ramblenote");
    EXPECT_EQ(ChooseConfigDirectory("/usr/bin", false, nullptr, "/home/u"), "/home/u/.config/ramblenote");
    EXPECT_EQ(ChooseConfigDirectory("/usr/bin", false, "", "/home/u/"), "/home/u/.config/ramblenote");
    EXPECT_EQ(ChooseConfigDirectory("/usr/bin", false, "relative", "/home/u"), "/home/u/.config/ramblenote");
}

class ResDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedProgramDir_ = Program().directory;
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        savedXdg_ = xdg ? std::optional<std::string>(xdg) : std::nullopt;
    }
    void TearDown() override {
        Program().directory = savedProgramDir_;
        if (savedXdg_) {
            ::setenv("XDG_CONFIG_HOME", savedXdg_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }

    test::WithNotices notices;
    test::TempDir dir;

  private:
    std::string savedProgramDir_;
    std::optional<std::string> savedXdg_;
};

TEST_F(ResDirTest, AMissingResDirIsCreatedWithTheDeliveredSettings) {
    Program().directory = dir.path();
    EXPECT_EQ(ResDir(), dir.path() + "/Res/");
    EXPECT_EQ(SettingsFilePath(), dir.path() + "/Res/Ramblenote.Ini");
    EXPECT_EQ(PrepareResDir(), dir.path() + "/Res/");
    EXPECT_EQ(ReadAll(dir / "Res/Ramblenote.Ini"), std::string(DeliveredSettings()));
    EXPECT_TRUE(notices.recorder.log.empty());
}

TEST_F(ResDirTest, AnExistingResDirIsLeftAsItIs) {
    Program().directory = dir.path();
    ASSERT_TRUE(std::filesystem::create_directory(dir / "Res"));
    WriteAll(dir / "Res/Rnote履歴.Ini", "x\r\n");
    PrepareResDir();
    EXPECT_FALSE(FileExists(dir / "Res/Ramblenote.Ini"));
    EXPECT_EQ(ReadAll(dir / "Res/Rnote履歴.Ini"), "x\r\n");
}

TEST_F(ResDirTest, AnUnwritableProgramDirectoryMovesResToThePerUserDirectory) {
    // A program directory that does not exist cannot be written, even by root.
    Program().directory = dir / "no such dir";
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    EXPECT_EQ(ConfigDirectory(), dir / "config/ramblenote");
    EXPECT_EQ(PrepareResDir(), dir / "config/ramblenote/Res/");
    EXPECT_EQ(ReadAll(dir / "config/ramblenote/Res/Ramblenote.Ini"), std::string(DeliveredSettings()));
}

TEST_F(ResDirTest, APerUserResDirStartsFromTheInstallationsSettings) {
    WriteAll(dir / "site.Ini", "[Memo]\r\nTabSize=8\r\n");
    ASSERT_TRUE(PrepareResDirAt(dir / "u/ramblenote/Res/", dir / "site.Ini"));
    EXPECT_EQ(ReadAll(dir / "u/ramblenote/Res/Ramblenote.Ini"), "[Memo]\r\nTabSize=8\r\n");
    ASSERT_TRUE(PrepareResDirAt(dir / "v/Res/", dir / "missing.Ini"));
    EXPECT_EQ(ReadAll(dir / "v/Res/Ramblenote.Ini"), std::string(DeliveredSettings()));
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
