// SPDX-License-Identifier: MIT
#include "core/storage/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "core/settings/program.h"
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

// A FIFO would make the read wait for a writer; a device such as /dev/zero would never end.
TEST_F(FilesTest, ReadFileBytesReadsOnlyRegularFilesUpToTheirLimit) {
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.Rnote");
    std::string out, reason;
    for (const std::string& path : {dir / "fifo", dir / "zero.Rnote"}) {
        EXPECT_FALSE(ReadFileBytes(path, out, &reason)) << path;
        EXPECT_EQ(reason, "通常のファイルではありません");
    }
    WriteAll(dir / "big", std::string(100, 'x'));
    EXPECT_FALSE(ReadFileBytes(dir / "big", out, &reason, nullptr, 99));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(ReadFileBytes(dir / "big", out, &reason, nullptr, 100));
    EXPECT_EQ(out.size(), 100u);
}

// Saving through a symbolic link keeps the link and replaces the file it leads to, next to that file.
TEST_F(FilesTest, ReplacingThroughASymbolicLinkKeepsTheLink) {
    std::filesystem::create_directory(dir / "実体");
    WriteAll(dir / "実体/本文.TXT", "old");
    std::filesystem::create_symlink("実体/本文.TXT", dir / "link.TXT");
    std::filesystem::create_symlink("link.TXT", dir / "chain.TXT");
    ASSERT_TRUE(WriteFileReplacing(dir / "chain.TXT", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "chain.TXT"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.TXT"));
    EXPECT_EQ(ReadAll(dir / "実体/本文.TXT"), "new");
    // A link to a file that does not exist yet creates that file.
    std::filesystem::create_symlink(dir / "実体/新.TXT", dir / "new.TXT");
    ASSERT_TRUE(WriteFileReplacing(dir / "new.TXT", "made"));
    EXPECT_EQ(ReadAll(dir / "実体/新.TXT"), "made");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "new.TXT"));
}

TEST_F(FilesTest, StaleTemporaryFilesOfThisProgramAreRemoved) {
    const std::vector<std::string> names = {".rn-Ab12Cd",   ".rn-000000", ".rn-InUse1", ".rn-abcdefg",
                                            ".a.rn-Ab12Cd", "rn-Ab12Cd",  ".rn-Ab1",    "keep.TXT"};
    for (const std::string& name : names)
        WriteAll(dir / name, "x");
    std::filesystem::create_directory(dir / ".rn-Dir123");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const std::string& name : names)
        std::filesystem::last_write_time(dir / name, old);
    WriteAll(dir / ".rn-Zz9Zz9", "being written");
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.path(), [](std::string_view name) { return name == ".rn-InUse1"; }), 2);
    EXPECT_FALSE(Exists(dir / names[0]));
    EXPECT_FALSE(Exists(dir / names[1]));
    for (std::size_t i = 2; i < names.size(); ++i)
        EXPECT_TRUE(Exists(dir / names[i])) << names[i];
    EXPECT_TRUE(Exists(dir / ".rn-Zz9Zz9"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / ".rn-Dir123"));
}

TEST_F(FilesTest, TheLongestFileNameCanBeReplaced) {
    const std::string name = std::string(251, 'n') + ".TXT";
    WriteAll(dir / name, "old");
    std::string reason;
    ASSERT_TRUE(WriteFileReplacing(dir / name, "new", &reason)) << reason;
    EXPECT_EQ(ReadAll(dir / name), "new");
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
    SetupProgramValues();
    EXPECT_FALSE(Program().directory.empty());
}

}  // namespace
}  // namespace rn
