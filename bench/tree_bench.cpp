// SPDX-License-Identifier: MIT
// Opening and saving a 20,000-node document against the raw floor: reading the Tree file's bytes plus
// one stat per node, and writing the same bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/notices.h"
#include "core/outline/document.h"
#include "core/outline/treefile.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace {

struct Fixture {
    std::string dir;
    std::string tree;
    std::vector<std::string> nodePaths;

    Fixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-bench-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir);
        tree = dir + "/bench.Rnote";
        std::string bytes;
        // 1,000 chapters x (1 folder + 9 text nodes + 10 folders) = 20,000 nodes, 10,000 of them with bodies.
        for (int c = 0; c < 1000; ++c) {
            std::string chapter = rn::Cp932Literal("第" + std::to_string(c + 1) + "章");
            bytes += chapter + "\r\n";
            nodePaths.push_back(dir + "/" + rn::Cp932ToUtf8(chapter));
            for (int i = 0; i < 19; ++i) {
                bool text = i % 2 == 0 || i == 19;
                std::string name =
                    rn::Cp932Literal("節" + std::to_string(c) + "-" + std::to_string(i)) + (text ? ".TXT" : "");
                bytes += "\t" + name + "\r\n";
                std::string path = dir + "/" + rn::Cp932ToUtf8(name);
                nodePaths.push_back(path);
                if (text) std::ofstream(path, std::ios::binary) << "本文\r\n";
            }
        }
        bytes += rn::Cp932Literal("ゴミ箱") + "\r\n";
        nodePaths.push_back(dir + "/" + rn::Cp932ToUtf8(rn::Cp932Literal("ゴミ箱")));
        std::ofstream(tree, std::ios::binary) << bytes;
    }
    ~Fixture() { std::filesystem::remove_all(dir); }
};

Fixture& F() {
    static Fixture f;
    return f;
}

void BM_OpenFloor(benchmark::State& state) {
    F();
    for (auto _ : state) {
        std::string bytes;
        rn::ReadFileBytes(F().tree, bytes);
        struct stat st {};
        int found = 0;
        for (const auto& p : F().nodePaths)
            found += ::stat(p.c_str(), &st) == 0;
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_OpenFloor)->Unit(benchmark::kMillisecond);

void BM_OpenTreeFile(benchmark::State& state) {
    rn::SilentNotices quiet;
    rn::ScopedNotices scope(&quiet);
    rn::Document doc;
    for (auto _ : state) {
        int r = doc.OpenTreeFile(F().tree);
        if (r != 0) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(doc.outline.Count());
    }
}
BENCHMARK(BM_OpenTreeFile)->Unit(benchmark::kMillisecond);

// Writing the Tree file's bytes in place; `durable` adds the fsync every replacing write of the
// program makes.
void BM_SaveFloor(benchmark::State& state, bool durable) {
    std::string bytes;
    rn::ReadFileBytes(F().tree, bytes);
    const std::string path = F().dir + "/floor.Rnote";
    for (auto _ : state) {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        if (durable) ::fsync(fd);
        ::close(fd);
    }
}
BENCHMARK_CAPTURE(BM_SaveFloor, Plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveFloor, Durable, true)->Unit(benchmark::kMillisecond);

void BM_SaveTreeFile(benchmark::State& state) {
    rn::SilentNotices quiet;
    rn::ScopedNotices scope(&quiet);
    rn::Document doc;
    doc.OpenTreeFile(F().tree);
    // A node's text changes before every save: an outline the file already holds is not written.
    int flip = 0;
    for (auto _ : state) {
        doc.outline.At(10)->text = (flip++ % 2) ? "a" : "b";
        if (!doc.SaveTreeFile()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveTreeFile)->Unit(benchmark::kMillisecond);

// Saving an outline the file already holds: the check that decides nothing needs writing.
void BM_SaveTreeFileUnchanged(benchmark::State& state) {
    rn::SilentNotices quiet;
    rn::ScopedNotices scope(&quiet);
    rn::Document doc;
    doc.OpenTreeFile(F().tree);
    for (auto _ : state) {
        if (!doc.SaveTreeFile()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveTreeFileUnchanged)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
