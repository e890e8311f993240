#include "core/tree/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/tree/program.h"
#include "platform/drive_kind.h"
#include "test_support.h"

namespace rn {
namespace {

using test::Exists;
using test::ReadAll;
using test::WriteAll;

class FilesTest : public ::testing::Test {
protected:
    test::WithNotices n;
    test::TempDir dir;
};

TEST_F(FilesTest, ExistenceTestsTellFilesFromDirectories) {
    WriteAll(dir / "本文.TXT", "x");
    EXPECT_TRUE(FileExists(dir / "本文.TXT"));
    EXPECT_FALSE(DirectoryExists(dir / "本文.TXT"));
    EXPECT_TRUE(DirectoryExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(FilesTest, MakeDirectoryAndCreateEmptyFileReportWhatExists) {
    EXPECT_TRUE(MakeDirectory(dir / "新しい 章"));
    EXPECT_FALSE(MakeDirectory(dir / "新しい 章"));
    EXPECT_FALSE(MakeDirectory(dir / "無い/下"));
    EXPECT_TRUE(CreateEmptyFile(dir / "a b.TXT"));
    WriteAll(dir / "a b.TXT", "keep");
    EXPECT_FALSE(CreateEmptyFile(dir / "a b.TXT"));
    EXPECT_EQ(ReadAll(dir / "a b.TXT"), "keep");
    EXPECT_EQ(n.recorder.Of("message"),
              (std::vector<std::string>{dir / "新しい 章" + " は既にあります。",
                                        "新規作成ファイル=" + (dir / "a b.TXT") + "既にあります。"}));
}

TEST_F(FilesTest, RenamePathNeverOverwrites) {
    WriteAll(dir / "a.TXT", "A");
    WriteAll(dir / "b.TXT", "B");
    EXPECT_FALSE(RenamePath(dir / "a.TXT", dir / "b.TXT"));
    EXPECT_EQ(ReadAll(dir / "a.TXT"), "A");
    EXPECT_EQ(ReadAll(dir / "b.TXT"), "B");
    EXPECT_FALSE(RenamePath(dir / "x.TXT", dir / "y.TXT"));
    std::filesystem::create_directory(dir / "d");
    EXPECT_FALSE(RenamePath(dir / "a.TXT", dir / "d"));  // a file onto a directory fails
    EXPECT_TRUE(RenamePath(dir / "a.TXT", dir / "c.TXT"));
    EXPECT_EQ(ReadAll(dir / "c.TXT"), "A");
    EXPECT_EQ(n.recorder.Of("message"),
              (std::vector<std::string>{"ReName = " + (dir / "b.TXT") + " は､既にあります",
                                        "ReName = " + (dir / "x.TXT") + " は､ありません",
                                        "ﾌｧｲﾙ名の変更に失敗 [" + (dir / "a.TXT") + "]->[" + (dir / "d") + "]"}));
}

TEST_F(FilesTest, DeleteFilesSingleMissingReadOnlyAndPattern) {
    EXPECT_EQ(DeleteFiles(dir / "無い.TXT"), 1);
    EXPECT_EQ(n.recorder.Of("message"), std::vector<std::string>{"削除ファイルなし"});
    WriteAll(dir / "ro.TXT", "x");
    chmod((dir / "ro.TXT").c_str(), 0444);
    EXPECT_EQ(DeleteFiles(dir / "ro.TXT"), 0);
    EXPECT_FALSE(Exists(dir / "ro.TXT"));

    WriteAll(dir / "a.TXT", "");
    WriteAll(dir / "noext", "");
    WriteAll(dir / ".hidden", "");
    std::filesystem::create_directory(dir / "sub");
    EXPECT_EQ(DeleteFiles(dir / "*.*"), 0);
    EXPECT_FALSE(Exists(dir / "a.TXT"));
    EXPECT_FALSE(Exists(dir / "noext"));
    EXPECT_TRUE(Exists(dir / ".hidden"));
    EXPECT_TRUE(Exists(dir / "sub"));
    EXPECT_EQ(DeleteFiles(dir / "sub/*.*"), 0);  // nothing matches
}

TEST(PathTexts, Splitting) {
    EXPECT_EQ(DirectoryOf("/a b/文書/doc.Rnote"), "/a b/文書");
    EXPECT_EQ(DirectoryOf("doc.Rnote"), "");
    EXPECT_EQ(DirectoryOf("/doc.Rnote"), "/");
    EXPECT_EQ(FileNameOf("/a/doc.Rnote"), "doc.Rnote");
    EXPECT_EQ(PathWithoutExtension("/a.b/doc"), "/a.b/doc");
    EXPECT_EQ(PathWithoutExtension("/a/doc.x.Tree"), "/a/doc.x");
    EXPECT_EQ(ExtensionOf("/a.b/doc"), "");
    EXPECT_EQ(ExtensionOf("/a/doc."), "");
    EXPECT_EQ(UpperExtensionOf("/a/DOC.rNote"), "RNOTE");
}

TEST(CpTexts, StripFileNameCharsKeepsDoubleByteCharactersWhole) {
    std::string a = "a:b*c";
    EXPECT_TRUE(StripFileNameChars(a));
    EXPECT_EQ(a, "abc");
    std::string so = test::S("ソース表");  // ソ = 0x83 0x5C, 表 = 0x95 0x5C
    std::string before = so;
    EXPECT_FALSE(StripFileNameChars(so));
    EXPECT_EQ(so, before);
    std::string all = "\\/:*?\"<>|x";
    EXPECT_TRUE(StripFileNameChars(all));
    EXPECT_EQ(all, "x");
}

TEST(CpTexts, SplitFields) {
    std::vector<std::string> list{"old"};
    SplitFields(",", ",a,,b,", list);
    EXPECT_EQ(list, (std::vector<std::string>{"", "a", "", "b"}));
    SplitFields("", "x,y", list);
    EXPECT_EQ(list, (std::vector<std::string>{"", "a", "", "b"}));
    // A separator byte inside a double-byte character does not split it.
    SplitFields("\\", test::S("ソ\\表"), list);
    EXPECT_EQ(list, (std::vector<std::string>{test::S("ソ"), test::S("表")}));
    SplitFields(",", "7,1,14,2,Plan.TXT:a,b", list);
    EXPECT_EQ(list, (std::vector<std::string>{"7", "1", "14", "2", "Plan.TXT:a", "b"}));
}

TEST_F(FilesTest, ReplacingWritesAreAllOrNothing) {
    std::string f = dir / "本文 1.TXT";
    ASSERT_TRUE(WriteFileReplacing(f, "first"));
    chmod(f.c_str(), 0640);
    ASSERT_TRUE(WriteFileReplacing(f, "second"));
    EXPECT_EQ(ReadAll(f), "second");
    struct stat st {};
    stat(f.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file keeps its permissions

    chmod(f.c_str(), 0444);
    std::string reason;
    EXPECT_FALSE(WriteFileReplacing(f, "third", &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadAll(f), "second");

    std::filesystem::create_directory(dir / "dir.TXT");
    EXPECT_FALSE(WriteFileReplacing(dir / "dir.TXT", "x"));
    EXPECT_FALSE(WriteFileReplacing(dir / "無い/x.TXT", "x"));
    // No temporary files are left behind.
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2);
}

TEST_F(FilesTest, ReadFileBytesReportsDirectoriesAndMissingFiles) {
    std::string out, reason;
    EXPECT_FALSE(ReadFileBytes(dir.path(), out, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(ReadFileBytes(dir / "none", out, &reason));
    EXPECT_EQ(OpenErrorText("/p", "why"), "ファイル \"/p\" は開けません。why");
    EXPECT_EQ(CreateErrorText("/p", "why"), "ファイル \"/p\" を作成できません。why");
}

TEST(DriveKindTest, RelativeAndRamPaths) {
    EXPECT_EQ(DriveKind(""), kDriveUnknown);
    EXPECT_EQ(DriveKind("relative/path"), kDriveUnknown);
    EXPECT_EQ(DriveKind("C:\\x"), kDriveUnknown);
    if (DirectoryExists("/dev/shm")) {
        EXPECT_EQ(DriveKind("/dev/shm/not/yet/there.TXT"), kDriveRamDisk);
    }
    int kind = DriveKind("/");
    EXPECT_TRUE(kind == kDriveFixed || kind == kDriveNetwork || kind == kDriveRamDisk || kind == kDriveRemovable);
}

TEST(DriveKindTest, FileSystemTypes) {
    struct Case {
        unsigned long magic;
        const char* mountType;
        int kind;
    };
    for (const Case& c : {Case{0xFF534D42, "cifs", kDriveNetwork}, Case{0xFE534D42, "smb3", kDriveNetwork},
                          Case{0x517B, "smbfs", kDriveNetwork}, Case{0x6969, "nfs4", kDriveNetwork},
                          Case{0x65735546, "fuse.sshfs", kDriveNetwork}, Case{0x65735546, "fuse.rclone", kDriveNetwork},
                          Case{0x65735546, "fuse.ntfs-3g", -1}, Case{0x9660, "iso9660", kDriveCdRom},
                          Case{0x01021994, "tmpfs", kDriveRamDisk}, Case{0xEF53, "ext4", -1}})
        EXPECT_EQ(DriveKindOfFileSystem(c.magic, c.mountType), c.kind) << c.mountType;
}

TEST(ProgramValuesTest, NameAndDirectoryFromTheProgramPath) {
    SetupProgramValues("/opt/rn tool/bin/ramblenote.bin");
    EXPECT_EQ(Program().name, "RAMBLENOTE");
    EXPECT_EQ(Program().directory, "/opt/rn tool/bin");
    EXPECT_EQ(Program().lineEnd, "\r\n");
    SetupProgramValues();
    EXPECT_FALSE(Program().directory.empty());
}

}  // namespace
}  // namespace rn
