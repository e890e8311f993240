// SPDX-License-Identifier: MIT
#include "core/storage/block_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/storage/files.h"

namespace rn {

BlockRead ReadFileInBlocks(const std::string& path, char* buffer, std::size_t size,
                           const std::function<bool(std::string_view block)>& feed, std::string& reason) {
    if (IsSpecialFile(path)) return BlockRead::kNotRegular;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR || !FileExists(path)) return BlockRead::kMissing;
        reason = ReasonText(err);
        return BlockRead::kFailed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return BlockRead::kNotRegular;
    }
    BlockRead result = BlockRead::kRead;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            reason = ReasonText(errno);
            result = BlockRead::kFailed;
            break;
        }
        if (n == 0) break;
        if (!feed(std::string_view(buffer, static_cast<std::size_t>(n)))) {
            result = BlockRead::kStopped;
            break;
        }
    }
    ::close(fd);
    return result;
}

}  // namespace rn
