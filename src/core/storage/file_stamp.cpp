// SPDX-License-Identifier: MIT
#include "core/storage/file_stamp.h"

#include <sys/stat.h>

#include <ctime>
#include <functional>

#include "core/storage/files.h"

namespace rn {
namespace {

// Time stamps of some file systems are as coarse as two seconds.
constexpr std::int64_t kTimeResolutionNs = 2'000'000'000;

std::int64_t Nanoseconds(const struct timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::int64_t NowNs() {
    struct timespec t {};
    ::clock_gettime(CLOCK_REALTIME, &t);
    return Nanoseconds(t);
}

std::size_t HashOf(std::string_view content) {
    return std::hash<std::string_view>{}(content);
}

}  // namespace

FileStamp StampFile(const std::string& path, std::string_view content) {
    FileStamp s;
    s.taken = true;
    s.takenNs = NowNs();
    s.contentHash = HashOf(content);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return s;
    s.existed = true;
    s.device = static_cast<std::uint64_t>(st.st_dev);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.modifiedNs = Nanoseconds(st.st_mtim);
    s.changedNs = Nanoseconds(st.st_ctim);
    return s;
}

bool FileUnchanged(const FileStamp& stamp, const std::string& path) {
    if (!stamp.taken) return true;
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists != stamp.existed) return false;
    if (!exists) return true;
    if (static_cast<std::uint64_t>(st.st_size) != stamp.size) return false;
    const bool sameStatus = static_cast<std::uint64_t>(st.st_dev) == stamp.device &&
                            static_cast<std::uint64_t>(st.st_ino) == stamp.inode &&
                            Nanoseconds(st.st_mtim) == stamp.modifiedNs && Nanoseconds(st.st_ctim) == stamp.changedNs;
    if (sameStatus && stamp.changedNs < stamp.takenNs - kTimeResolutionNs) return true;
    std::string content;
    if (!ReadFileBytes(path, content)) return false;
    return HashOf(content) == stamp.contentHash;
}

bool SameFileStatus(const FileStamp& a, const FileStamp& b) {
    return a.taken && b.taken && a.existed == b.existed && a.device == b.device && a.inode == b.inode &&
           a.size == b.size && a.modifiedNs == b.modifiedNs && a.changedNs == b.changedNs;
}

std::string ChangedOnDiskQuestion(const std::string& path) {
    return "ファイル \"" + path + "\" は他のプログラムで変更されています。上書きしますか？";
}

}  // namespace rn
