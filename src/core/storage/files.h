// SPDX-License-Identifier: MIT
// Files, directories and path texts, with the program's own messages for the user.
// Paths are native UTF-8 texts ("/" separator). Every file the program replaces is written to a
// temporary file beside it and renamed over it, so a failure never leaves a half-written file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rn {

// ---- tests ----
bool FileExists(const std::string& path);       // a file, not a directory
bool DirectoryExists(const std::string& path);  // a directory
bool IsSpecialFile(const std::string& path);    // a pipe, a device or a socket (also behind a link)

// The file a path leads to (links followed), whatever spelling, link or hard link names it.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileId&) const = default;
};
std::optional<FileId> FileIdOf(const std::string& path);
// Whether both paths lead to one existing file.
bool SameFile(const std::string& a, const std::string& b);

// ---- operations with the program's message boxes ----
// Creates the directory (last level only). When it exists already: box "<path> は既にあります。", false.
bool MakeDirectory(const std::string& path);
// Creates a file of 0 bytes. When a file exists already: box "新規作成ファイル=<path>既にあります。" and
// the file is untouched (false). A file that cannot be created gives the "cannot create" error box.
bool CreateEmptyFile(const std::string& path);
// Renames a file or a directory; reports "は､ありません", "は､既にあります" or the failure in a box.
bool RenamePath(const std::string& from, const std::string& to);
// Gives the file at `from` the second name `to` (a hard link; a symbolic link is linked itself, not
// followed). False, with nothing shown, when `to` exists or the file system has no hard links.
bool LinkFile(const std::string& from, const std::string& to);
// Deletes the file at `path`, or every plain file of its directory when the file-name part is "*.*"
// (or another pattern with * and ?). With `allowPattern` false the name is always taken literally:
// a body file whose name happens to contain "*" must never widen into a pattern.
// 1: no such file (box "削除ファイルなし"); 0: done; -1: a file could not be deleted (`reason` says why).
// Nothing is made writable first.
int DeleteFiles(const std::string& path, bool allowPattern = true, std::string* reason = nullptr);

// ---- path texts ----
std::string DirectoryOf(std::string_view path);           // without the trailing "/"; empty when none
std::string FileNameOf(std::string_view path);            // after the directory part
std::string PathWithoutExtension(std::string_view path);  // minus the last "." of the file name and the rest
std::string ExtensionOf(std::string_view path);           // without the dot; empty when none
std::string UpperExtensionOf(std::string_view path);      // the same, ASCII upper-cased
std::string AbsolutePath(const std::string& path);        // relative paths against the working directory
std::string DirectoryWithSlash(const std::string& path);  // directory part followed by "/"; empty when none

// ---- CP932 texts ----
// Removes \ / : * ? " < > | character by character (a double-byte character is kept whole).
// True when something was removed.
bool StripFileNameChars(std::string& text);
// Splits `text` at every `separator` found on a character boundary. Empty parts count, except a
// last empty one. An empty separator leaves `list` as it was.
void SplitFields(std::string_view separator, std::string_view text, std::vector<std::string>& list);

// ---- whole files ----
// Largest files read whole: a Tree file, and the settings, history and batch output settings files.
inline constexpr std::size_t kTreeFileLimit = std::size_t(64) << 20;
inline constexpr std::size_t kIniFileLimit = std::size_t(1) << 20;
inline constexpr std::size_t kNoSizeLimit = static_cast<std::size_t>(-1);

// Reads the whole file into `out` (keeping its capacity). Only a regular file is read (a FIFO or a
// device, also behind a symbolic link, could block or never end), and only up to `limit` bytes. On
// failure returns false and sets `reason` to the system's reason or to the program's own, and
// `missing` to whether there is no such file (or only a directory).
bool ReadFileBytes(const std::string& path, std::string& out, std::string* reason = nullptr, bool* missing = nullptr,
                   std::size_t limit = kNoSizeLimit);
// Replaces (or creates) the file with `bytes` through a temporary file and a rename. A file without
// write permission, or a directory, is not replaced. On failure the old content is intact. When the
// path is a symbolic link, the file it leads to is replaced (in that file's directory) and the link
// stays.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string* reason = nullptr);
// The same for content written piece by piece: the pieces go to a temporary file beside the file, and
// Commit() renames it over the file (and syncs the directory), so that the file holds its old content
// or the whole new one whatever fails on the way. Without a successful Commit() the temporary file is
// removed.
class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Starts the replacement. False with `reason` set when it cannot start.
    bool Begin(const std::string& path, std::string* reason = nullptr);
    bool Write(std::string_view bytes, std::string* reason = nullptr);
    // Syncs and closes the temporary file; Commit() does it when it has not been done.
    bool Finish(std::string* reason = nullptr);
    // Renames the temporary file over the file.
    bool Commit(std::string* reason = nullptr);

private:
    void Abandon();
    bool Fail(int err, std::string* reason);

    int fd_ = -1;
    bool finished_ = false;
    std::string path_;  // the file replaced
    std::string temp_;
};
// Appends to an existing regular file where it is: the file keeps its inode, owner, mode and links.
// Unless Keep() is called, the file is cut back to the length it had at Begin(), so a failed run
// leaves its old bytes exactly; a kill can leave only a partial tail. A pipe or a device is refused
// before it is opened.
class FileAppend {
public:
    FileAppend() = default;
    ~FileAppend();
    FileAppend(const FileAppend&) = delete;
    FileAppend& operator=(const FileAppend&) = delete;

    bool Begin(const std::string& path, std::string* reason = nullptr);
    bool Write(std::string_view bytes, std::string* reason = nullptr);
    bool Sync(std::string* reason = nullptr);
    // Closes the file with what was appended.
    void Keep();
    // Cuts off what was appended and closes the file (nothing once kept, or never begun).
    void Rollback();

private:
    int fd_ = -1;
    long long startLength_ = 0;
};
// Whether WriteFileReplacing may replace (or create) the file: neither the file nor its directory is
// read-only (no write permission for anybody, or not writable for this process). `reason` gets the
// system's reason otherwise ("Read-only file system", "Permission denied").
bool CanReplaceFile(const std::string& path, std::string* reason = nullptr);
// Whether a file name is one of WriteFileReplacing's temporary files: ".rn-XXXXXX". No node may be
// given such a name.
bool IsTemporaryFileName(std::string_view name);
// The temporary files of WriteFileReplacing that a killed program left in `dir` (".rn-XXXXXX", this
// user's, older than `minAgeSeconds`) are removed, except the names `inUse` claims (a body file that a
// hand-edited Tree file names so). Returns how many.
int RemoveStaleTemporaryFiles(const std::string& dir, const std::function<bool(std::string_view name)>& inUse = {},
                              int minAgeSeconds = 60);
// The path that a chain of symbolic links at the last component of `path` leads to, also when the
// end of the chain does not exist (yet); `path` itself when it is no link.
std::string FollowSymlinks(std::string path);

// The reason of a failed system call for the user: the common ones in Japanese, the system's own text
// for the rest.
std::string ReasonText(int err);

// The two file error boxes: "ファイル "%s" は開けません。%s" and "ファイル "%s" を作成できません。%s".
std::string OpenErrorText(const std::string& path, const std::string& reason);
std::string CreateErrorText(const std::string& path, const std::string& reason);
void ReportOpenError(const std::string& path, const std::string& reason);
void ReportCreateError(const std::string& path, const std::string& reason);

}  // namespace rn
