// SPDX-License-Identifier: MIT
// What a file held when the program last read or wrote it, so that a change made by another program
// since then is noticed before anything is written over it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rn {

struct FileStamp {
    bool taken = false;  // false: nothing is known, every check passes
    bool existed = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;  // status change: every write and rename moves it, and nobody can set it
    std::int64_t takenNs = 0;    // wall clock when the stamp was taken
    std::size_t contentHash = 0;
};

// Stamps the file at `path` as holding `content` (what was just read from it or written to it).
FileStamp StampFile(const std::string& path, std::string_view content);

// Whether the file still holds what the stamp says. The file's status alone decides while it has not
// changed since well before the stamp was taken; otherwise (a touch, a rename, a change within the
// file system's time resolution) its content is read and compared.
bool FileUnchanged(const FileStamp& stamp, const std::string& path);

// Whether two stamps saw the same file in the same state, by its status alone (not its content).
bool SameFileStatus(const FileStamp& a, const FileStamp& b);

// The question asked before a file changed by another program is overwritten (UTF-8).
std::string ChangedOnDiskQuestion(const std::string& path);

}  // namespace rn
