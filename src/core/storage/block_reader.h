// SPDX-License-Identifier: MIT
// Reading a file block by block without ever waiting on a pipe or a device.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace rn {

enum class BlockRead {
    kRead,        // every block was handed over
    kMissing,     // no such file (or a directory on the way is none)
    kNotRegular,  // a pipe, a device, a socket or a directory: never opened for reading
    kFailed,      // opening or reading failed; `reason` says why, and what was read was handed over
    kStopped,     // the feed asked to stop
};

// Hands the file's bytes to `feed` in blocks of at most `size` bytes read into `buffer`; `feed`
// returns false to stop.
BlockRead ReadFileInBlocks(const std::string& path, char* buffer, std::size_t size,
                           const std::function<bool(std::string_view block)>& feed, std::string& reason);

}  // namespace rn
