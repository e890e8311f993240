// SPDX-License-Identifier: MIT
// Shared pieces of the fuzz targets: the input read as a series of choices, a check that stops the
// run with a message, and notices that keep quiet.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/notices.h"

#define FUZZ_CHECK(condition)                                                                       \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)

namespace rn::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return data_.empty(); }
    uint8_t Byte() {
        if (data_.empty()) return 0;
        auto b = static_cast<uint8_t>(data_.front());
        data_.remove_prefix(1);
        return b;
    }
    bool Flag() { return Byte() & 1; }
    // A number in lo..hi from up to four bytes.
    int64_t Int(int64_t lo, int64_t hi) {
        uint64_t span = static_cast<uint64_t>(hi - lo) + 1, value = 0;
        for (int i = 0; i < 4 && span > (uint64_t{1} << (8 * i)); ++i)
            value = value << 8 | Byte();
        return lo + static_cast<int64_t>(span == 0 ? value : value % span);
    }
    // A length byte, then that many bytes (fewer at the end of the input).
    std::string Bytes(std::size_t maxLength = 255) {
        std::size_t n = std::min<std::size_t>(Byte(), maxLength);
        n = std::min(n, data_.size());
        std::string out(data_.substr(0, n));
        data_.remove_prefix(n);
        return out;
    }
    std::string Rest() {
        std::string out(data_);
        data_ = {};
        return out;
    }

private:
    std::string_view data_;
};

// Installs quiet notices for the whole run.
inline void Quiet() {
    static SilentNotices quiet;
    SetNotices(&quiet);
}

// A directory of this process for files a target needs, preferably in memory; removed at exit.
inline const std::string& ScratchDirectory() {
    struct Scratch {
        std::string path;
        Scratch() {
            std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
            path = base + "/ramblenote-fuzz-" + std::to_string(::getpid()) + "/";
            std::filesystem::create_directories(path);
        }
        ~Scratch() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Scratch scratch;
    return scratch.path;
}

// Writes a scratch file directly: the program's own replacing write syncs to disk, which would
// slow every run down to a crawl.
inline void PutFile(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(f != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    FUZZ_CHECK(std::fclose(f) == 0);
}

}  // namespace rn::fuzz
