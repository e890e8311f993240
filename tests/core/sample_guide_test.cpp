// SPDX-License-Identifier: MIT
// The first-start copy of the guide document, and where an installed program keeps its files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/settings/program.h"
#include "core/settings/resdir.h"
#include "core/settings/sample_guide.h"
#include "test_support.h"

namespace rn {
namespace {

using test::ReadAll;
using test::WriteAll;
namespace fs = std::filesystem;

class SampleGuideTest : public ::testing::Test {
protected:
    SampleGuideTest() {
        fs::create_directories(dir / "src/sub");
        WriteAll(dir / "src/b.Rnote", "b\r\n");
        WriteAll(dir / "src/a.Rnote", "a.TXT\r\n");
        WriteAll(dir / "src/a.TXT", "body");
        WriteAll(dir / "src/sub/x", "x");
        ::chmod((dir / "src/a.TXT").c_str(), 0444);  // as installed files may be
    }

    // Names in the data directory other than the finished copy: leftovers of a copy.
    std::vector<std::string> Others() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir / "data"))
            if (e.path().filename() != "sample") names.push_back(e.path().filename());
        return names;
    }

    test::WithNotices notices;
    test::TempDir dir;
    const std::string target = dir / "data/sample";
};

TEST_F(SampleGuideTest, IsCopiedOnceAndTheCopyIsTheUsers) {
    EXPECT_EQ(PlaceSampleGuide(dir / "src", target), target + "/a.Rnote");
    EXPECT_EQ(ReadAll(target + "/a.TXT"), "body");
    EXPECT_EQ(ReadAll(target + "/sub/x"), "x");
    EXPECT_TRUE(fs::status(target + "/a.TXT").permissions() >= fs::perms::owner_write);
    EXPECT_TRUE(Others().empty());
    // The user's changes survive every later start.
    WriteAll(target + "/a.TXT", "changed");
    EXPECT_EQ(PlaceSampleGuide(dir / "src", target), target + "/a.Rnote");
    EXPECT_EQ(ReadAll(target + "/a.TXT"), "changed");
    EXPECT_TRUE(notices.recorder.log.empty());
}

TEST_F(SampleGuideTest, NeverGoesOverSomethingThatIsThere) {
    fs::create_directories(target);
    EXPECT_EQ(PlaceSampleGuide(dir / "src", target), "");
    EXPECT_TRUE(fs::is_empty(target));
    fs::remove(target);
    WriteAll(target, "a file");
    EXPECT_EQ(PlaceSampleGuide(dir / "src", target), "");
    EXPECT_EQ(ReadAll(target), "a file");
    EXPECT_EQ(PlaceSampleGuide(dir / "no such dir", dir / "data/other"), "");
    EXPECT_FALSE(test::Exists(dir / "data/other"));
}

TEST_F(SampleGuideTest, AnInterruptedCopyIsNeverTakenForAFinishedOne) {
    // A leftover of an earlier, interrupted copy is not the guide.
    fs::create_directories(dir / "data/.sample.AbC123");
    // A copy that fails halfway (a special file cannot be copied) leaves nothing under the real name.
    ASSERT_EQ(::mkfifo((dir / "src/sub/pipe").c_str(), 0644), 0);
    EXPECT_EQ(PlaceSampleGuide(dir / "src", target), "");
    EXPECT_FALSE(test::Exists(target));
    EXPECT_EQ(Others(), std::vector<std::string>{".sample.AbC123"});
    ASSERT_EQ(notices.recorder.Of("error").size(), 1u);
    EXPECT_EQ(notices.recorder.Of("error")[0].rfind("ファイル \"" + target + "\" を作成できません。", 0), 0u);
    // The next start makes a whole copy.
    fs::remove(dir / "src/sub/pipe");
    EXPECT_EQ(PlaceSampleGuide(dir / "src", target), target + "/a.Rnote");
    EXPECT_EQ(ReadAll(target + "/sub/x"), "x");
}

TEST(DataDirectory, PerUserAndInstalledPlaces) {
    EXPECT_EQ(ChooseDataDirectory("/x/data/", "/home/u"), "/x/data/ramblenote");
    EXPECT_EQ(ChooseDataDirectory("relative", "/home/u"), "/home/u/.local/share/ramblenote");
    EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), "");
    const std::string saved = Program().directory;
    Program().directory = "/opt/rn/bin";
    EXPECT_EQ(InstalledDataDirectory(), "/opt/rn/share/ramblenote");
    Program().directory = saved;
}

TEST(ProgramDirectory, AnInstalledProgramKeepsItsSettingsPerUserEvenWhereItCouldWrite) {
    test::TempDir dir;
    fs::create_directories(dir / "bin");
    EXPECT_TRUE(ProgramDirectoryHoldsSettings(dir / "bin"));  // a copy on its own
    fs::create_directories(dir / "share/ramblenote");
    EXPECT_FALSE(ProgramDirectoryHoldsSettings(dir / "bin"));  // installed under a prefix the user owns
    fs::create_directories(dir / "bin/Res");
    EXPECT_TRUE(ProgramDirectoryHoldsSettings(dir / "bin"));  // the build folder, with its own Res/
}

}  // namespace
}  // namespace rn
