// SPDX-License-Identifier: MIT
#include "core/storage/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "core/notices.h"
#include "core/storage/write_fault.h"
#include "core/text/cp932.h"

namespace fs = std::filesystem;

namespace rn {
namespace {

constexpr const char* kNotRegularFile = "通常のファイルではありません";
// A temporary file is named ".rn-" and six random characters, whatever it replaces: short enough for
// a directory that holds names of the longest length, and a form the node-name checks refuse.
constexpr std::string_view kTemporaryPrefix = ".rn-";
constexpr const char* kTemporaryTemplate = ".rn-XXXXXX";
constexpr std::size_t kCopyBufferSize = std::size_t(1) << 16;

// ---- the test seam of write_fault.h: one test of a null fault is all the program pays ----
std::optional<WriteFault> g_fault;
int g_faultCalls = 0;
bool g_faultHappened = false;

std::optional<WriteFault> DueFault(WriteStep step) {
    if (!g_fault || g_fault->step != step || ++g_faultCalls < g_fault->nth) return std::nullopt;
    WriteFault due = *g_fault;
    g_faultHappened = true;
    if (!due.lasting) g_fault.reset();
    errno = due.error;
    return due;
}

ssize_t SystemWrite(int fd, const char* p, std::size_t n) {
    if (g_fault) {
        if (auto due = DueFault(WriteStep::kWrite)) {
            if (due->partial == 0 || due->partial >= n) return -1;
            // A disk that fills up: part of the bytes arrive, and the next call fails.
            g_fault = WriteFault{WriteStep::kWrite, g_faultCalls + 1, due->error, 0, due->lasting};
            return ::write(fd, p, due->partial);
        }
    }
    return ::write(fd, p, n);
}

int SystemFsync(int fd) {
    if (g_fault && DueFault(WriteStep::kFsync)) return -1;
    return ::fsync(fd);
}

int SystemRename(const char* from, const char* to) {
    if (g_fault && DueFault(WriteStep::kRename)) return -1;
    return ::rename(from, to);
}

int SystemUnlink(const char* path) {
    if (g_fault && DueFault(WriteStep::kUnlink)) return -1;
    return ::unlink(path);
}

std::string SystemReason(int err) {
    return ReasonText(err);
}

std::string TooLargeText(std::size_t limit) {
    return "ファイルが大きすぎます (上限 " + std::to_string(limit >> 20) + " MB)";
}

std::size_t DirectoryEnd(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

bool StatPath(const std::string& path, struct stat& st) {
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

mode_t CurrentUmask() {
    mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = SystemWrite(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// A rename or a new link is lasting only once the directory that holds it is on the disk. Best effort:
// the name has changed already, and some file systems cannot sync a directory.
void SyncDirectoryOf(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A file or directory nobody may write to is the program's "read-only" one: it is not written, even
// by root. The reason given is the system's own (a read-only file system is not a permission).
bool IsReadOnly(const struct stat& st, const std::string& path, int& err) {
    if (::access(path.c_str(), W_OK) != 0) {
        err = errno;
        return true;
    }
    err = EACCES;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat st {};
    return StatPath(path, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool IsSpecialFile(const std::string& path) {
    struct stat st {};
    return StatPath(path, st) && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

std::optional<FileId> FileIdOf(const std::string& path) {
    struct stat st {};
    if (!StatPath(path, st)) return std::nullopt;
    return FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

bool SameFile(const std::string& a, const std::string& b) {
    const auto x = FileIdOf(a), y = FileIdOf(b);
    return x && y && *x == *y;
}

bool MakeDirectory(const std::string& path) {
    if (DirectoryExists(path)) {
        notices().MessageBox(path + " は既にあります。");
        return false;
    }
    return ::mkdir(path.c_str(), 0777) == 0;
}

bool CreateEmptyFile(const std::string& path) {
    if (FileExists(path)) {
        notices().MessageBox("新規作成ファイル=" + path + "既にあります。");
        return false;
    }
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        ReportCreateError(path, SystemReason(errno));
        return false;
    }
    ::close(fd);
    return true;
}

bool RenamePath(const std::string& from, const std::string& to) {
    bool fromIsFile = FileExists(from);
    bool fromIsDir = !fromIsFile && DirectoryExists(from);
    if (!fromIsFile && !fromIsDir) {
        notices().MessageBox("ReName = " + from + " は､ありません");
        return false;
    }
    // Never rename over anything: the target must be free (a file onto a directory also fails below).
    if ((fromIsDir && DirectoryExists(to)) || (fromIsFile && FileExists(to))) {
        notices().MessageBox("ReName = " + to + " は､既にあります");
        return false;
    }
    struct stat st {};
    bool targetTaken = ::lstat(to.c_str(), &st) == 0;
    if (targetTaken || ::rename(from.c_str(), to.c_str()) != 0) {
        notices().MessageBox("ﾌｧｲﾙ名の変更に失敗 [" + from + "]->[" + to + "]");
        return false;
    }
    SyncDirectoryOf(to);
    return true;
}

bool LinkFile(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    SyncDirectoryOf(to);
    return true;
}

int DeleteFiles(const std::string& path, bool allowPattern, std::string* reason) {
    const std::string dir = DirectoryOf(path);
    const std::string pattern = FileNameOf(path);
    const bool wildcard = allowPattern && pattern.find_first_of("*?") != std::string::npos;
    if (!wildcard && !FileExists(path)) {
        notices().MessageBox("削除ファイルなし");
        return 1;
    }
    std::vector<std::string> victims;
    if (!wildcard) {
        victims.push_back(path);
    } else {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir.empty() ? fs::path(".") : fs::path(dir), ec)) {
            std::string name = entry.path().filename().string();
            if (name.empty() || name[0] == '.') continue;  // hidden files are not matched
            std::error_code ec2;
            if (!entry.is_regular_file(ec2)) continue;
            if (pattern != "*.*" && ::fnmatch(pattern.c_str(), name.c_str(), FNM_PERIOD) != 0) continue;
            std::string victim = dir.empty() ? std::string() : dir + "/";
            victims.push_back(victim += name);
        }
    }
    // A file's own mode never keeps it from being removed here (its directory's does), so nothing is
    // made writable first: a mode change could reach, through a link, a file that is not ours.
    for (const std::string& victim : victims) {
        if (SystemUnlink(victim.c_str()) == 0) continue;
        if (reason) *reason = SystemReason(errno);
        return -1;
    }
    return 0;
}

std::string DirectoryOf(std::string_view path) {
    std::size_t end = DirectoryEnd(path);
    if (end == 0) return {};
    if (end == 1) return "/";  // the root keeps its separator
    return std::string(path.substr(0, end - 1));
}

std::string FileNameOf(std::string_view path) {
    return std::string(path.substr(DirectoryEnd(path)));
}

std::string PathWithoutExtension(std::string_view path) {
    std::size_t start = DirectoryEnd(path);
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start) return std::string(path);
    return std::string(path.substr(0, dot));
}

std::string ExtensionOf(std::string_view path) {
    std::size_t start = DirectoryEnd(path);
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start) return {};
    return std::string(path.substr(dot + 1));
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    std::error_code ec;
    fs::path abs = fs::absolute(path, ec);
    return ec ? path : abs.lexically_normal().string();
}

std::string DirectoryWithSlash(const std::string& path) {
    std::string dir = DirectoryOf(path);
    if (dir.empty() || dir == "/") return dir;
    return dir + "/";
}

std::string UpperExtensionOf(std::string_view path) {
    return SjisAsciiUpper(ExtensionOf(path));
}

bool StripFileNameChars(std::string& text) {
    static constexpr std::string_view kBad = "\\/:*?\"<>|";
    std::string out;
    out.reserve(text.size());
    bool removed = false;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = SjisCharLength(text, i);
        if (len == 1 && kBad.find(text[i]) != std::string_view::npos) {
            removed = true;
        } else {
            out.append(text, i, len);
        }
        i += len;
    }
    text.swap(out);
    return removed;
}

void SplitFields(std::string_view separator, std::string_view text, std::vector<std::string>& list) {
    if (separator.empty()) return;
    list.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t at = SjisFind(text, separator, start);
        if (at == std::string_view::npos) break;
        list.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    if (start < text.size()) list.emplace_back(text.substr(start));
}

bool ReadFileBytes(const std::string& path, std::string& out, std::string* reason, bool* missing, std::size_t limit) {
    if (missing) *missing = false;
    auto refuse = [&](std::string why, int err) {
        out.clear();
        if (reason) *reason = std::move(why);
        if (missing) *missing = err == ENOENT || err == ENOTDIR || err == EISDIR;
        return false;
    };
    auto fail = [&](int err) { return refuse(SystemReason(err), err); };
    // Looked at before opening (opening a device can have effects of its own) and again on what was
    // opened, in case the path changed in between.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? fail(EISDIR) : refuse(kNotRegularFile, 0);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return fail(errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0) return fail(errno);
    if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? fail(EISDIR) : refuse(kNotRegularFile, 0);
    if (static_cast<std::size_t>(st.st_size) > limit) return refuse(TooLargeText(limit), 0);
    // Straight into `out`, then whatever the file grew by since. `out` is not emptied first, so that
    // a buffer used for many files is not cleared byte by byte each time.
    std::size_t size = 0;
    out.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0);
    char more[1 << 14];
    for (;;) {
        const bool inPlace = size < out.size();
        ssize_t n = inPlace ? ::read(fd, out.data() + size, out.size() - size) : ::read(fd, more, sizeof more);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        if (n == 0) break;
        size += static_cast<std::size_t>(n);
        if (size > limit) return refuse(TooLargeText(limit), 0);  // it grew while being read
        if (!inPlace) out.append(more, static_cast<std::size_t>(n));
    }
    out.resize(size);
    return true;
}

std::string FollowSymlinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string target(PATH_MAX, '\0');
        ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) break;
        target.resize(static_cast<std::size_t>(n));
        if (target.front() != '/') target.insert(0, DirectoryWithSlash(path));
        path = std::move(target);
    }
    return path;
}

bool IsTemporaryFileName(std::string_view name) {
    constexpr std::size_t kRandom = 6;  // what mkstemp puts in place of "XXXXXX"
    if (name.size() != kTemporaryPrefix.size() + kRandom || !name.starts_with(kTemporaryPrefix)) return false;
    for (char c : name.substr(kTemporaryPrefix.size()))
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

int RemoveStaleTemporaryFiles(const std::string& dir, const std::function<bool(std::string_view)>& inUse,
                              int minAgeSeconds) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return 0;
    const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    const time_t now = ::time(nullptr);
    int removed = 0;
    while (const dirent* e = ::readdir(d)) {
        if (!IsTemporaryFileName(e->d_name) || (inUse && inUse(e->d_name))) continue;
        const std::string path = prefix + e->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) continue;
        if (now - st.st_mtime < minAgeSeconds) continue;  // perhaps another copy is writing it right now
        if (::unlink(path.c_str()) == 0) ++removed;
    }
    ::closedir(d);
    return removed;
}

bool CanReplaceFile(const std::string& linkOrPath, std::string* reason) {
    auto refuse = [reason](int err) {
        if (reason) *reason = SystemReason(err);
        return false;
    };
    // A link is saved through: what counts is the file it leads to and that file's directory.
    const std::string path = FollowSymlinks(linkOrPath);
    struct stat st {};
    int err = 0;
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return refuse(EISDIR);
        if (IsReadOnly(st, path, err)) return refuse(err);
    }
    std::string dir = DirectoryOf(path);
    if (dir.empty()) dir = ".";
    if (::stat(dir.c_str(), &st) != 0) return refuse(errno);
    if (IsReadOnly(st, dir, err)) return refuse(err);
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string* reason) {
    FileReplacement file;
    return file.Begin(path, reason) && file.Write(bytes, reason) && file.Commit(reason);
}

FileReplacement::~FileReplacement() {
    Abandon();
}

void FileReplacement::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
    fd_ = -1;
    finished_ = false;
    temp_.clear();
    path_.clear();
}

bool FileReplacement::Begin(const std::string& linkOrPath, std::string* reason) {
    Abandon();
    // Replacing a symbolic link would cut the file it leads to off from every later save.
    path_ = FollowSymlinks(linkOrPath);
    if (!CanReplaceFile(path_, reason)) {
        path_.clear();
        return false;
    }
    struct stat st {};
    const bool exists = ::stat(path_.c_str(), &st) == 0;
    temp_ = DirectoryWithSlash(path_) + kTemporaryTemplate;
    fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);  // not inherited by a program started meanwhile
    if (fd_ < 0) {
        temp_.clear();
        return Fail(errno, reason);
    }
    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (::fchmod(fd_, mode) != 0) return Fail(errno, reason);
    return true;
}

bool FileReplacement::Write(std::string_view bytes, std::string* reason) {
    if (fd_ >= 0 && !finished_ && WriteAll(fd_, bytes)) return true;
    if (reason) *reason = SystemReason(fd_ < 0 ? EBADF : errno);
    return false;
}

bool FileReplacement::Fail(int err, std::string* reason) {
    Abandon();
    if (reason) *reason = SystemReason(err);
    return false;
}

bool FileReplacement::Finish(std::string* reason) {
    if (finished_) return true;
    if (fd_ < 0) return Fail(EBADF, reason);
    int err = 0;
    if (SystemFsync(fd_) != 0) err = errno;
    if (::close(fd_) != 0 && err == 0) err = errno;
    fd_ = -1;
    if (err != 0) return Fail(err, reason);
    finished_ = true;
    return true;
}

bool FileReplacement::Commit(std::string* reason) {
    if (!Finish(reason)) return false;
    if (SystemRename(temp_.c_str(), path_.c_str()) != 0) return Fail(errno, reason);
    temp_.clear();
    SyncDirectoryOf(path_);
    Abandon();
    return true;
}

FileAppend::~FileAppend() {
    Rollback();
}

bool FileAppend::Begin(const std::string& path, std::string* reason) {
    Rollback();
    auto fail = [&](std::string why) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        if (reason) *reason = std::move(why);
        return false;
    };
    // A pipe or a device is never opened: opening one for writing can wait for a reader forever.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return fail(S_ISDIR(st.st_mode) ? SystemReason(EISDIR) : kNotRegularFile);
    fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return fail(SystemReason(errno));
    if (::fstat(fd_, &st) != 0) return fail(SystemReason(errno));
    if (!S_ISREG(st.st_mode)) return fail(kNotRegularFile);
    startLength_ = st.st_size;
    return true;
}

bool FileAppend::Write(std::string_view bytes, std::string* reason) {
    if (fd_ >= 0 && WriteAll(fd_, bytes)) return true;
    if (reason) *reason = SystemReason(fd_ < 0 ? EBADF : errno);
    return false;
}

bool FileAppend::Sync(std::string* reason) {
    if (fd_ >= 0 && SystemFsync(fd_) == 0) return true;
    if (reason) *reason = SystemReason(fd_ < 0 ? EBADF : errno);
    return false;
}

void FileAppend::Keep() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void FileAppend::Rollback() {
    if (fd_ < 0) return;
    // Whatever was appended goes again: the file holds exactly what it held before.
    if (::ftruncate(fd_, startLength_) == 0) ::fsync(fd_);
    ::close(fd_);
    fd_ = -1;
}

void InjectWriteFault(std::optional<WriteFault> fault) {
    g_fault = fault;
    g_faultCalls = 0;
    g_faultHappened = false;
}

bool WriteFaultHappened() {
    return g_faultHappened;
}

std::string ReasonText(int err) {
    switch (err) {
        case EACCES:
            return "アクセスが拒否されました";
        case EPERM:
            return "操作が許可されていません";
        case EROFS:
            return "読み取り専用のファイルシステムです";
        case ENOSPC:
            return "ディスクに空きがありません";
        case EDQUOT:
            return "ディスクの割り当てを超えました";
        case ENAMETOOLONG:
            return "ファイル名が長すぎます";
        case ENOENT:
            return "ファイルまたはフォルダがありません";
        case ENOTDIR:
            return "フォルダではありません";
        case EISDIR:
            return "フォルダです";
        case ELOOP:
            return "シンボリックリンクが多すぎます";
        case EMLINK:
            return "リンクが多すぎます";
        case EIO:
            return "入出力エラーです";
        default:
            return std::strerror(err);
    }
}

std::string OpenErrorText(const std::string& path, const std::string& reason) {
    return "ファイル \"" + path + "\" は開けません。" + reason;
}

std::string CreateErrorText(const std::string& path, const std::string& reason) {
    return "ファイル \"" + path + "\" を作成できません。" + reason;
}

void ReportOpenError(const std::string& path, const std::string& reason) {
    notices().ErrorBox(OpenErrorText(path, reason));
}

void ReportCreateError(const std::string& path, const std::string& reason) {
    notices().ErrorBox(CreateErrorText(path, reason));
}

}  // namespace rn
