// SPDX-License-Identifier: MIT
// A search with 100,000 hits as the window gets it: the result list built in the core, its text, and
// that text decoded for display. Together they must leave the window most of its 2 s.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/search/node_search.h"
#include "core/text/cp932.h"

namespace {

// 1,000 text nodes, each with 100 lines that hold the key once among Japanese text.
struct Fixture {
    std::string dir;
    std::vector<std::string> texts;
    std::vector<rn::SearchNode> nodes;

    Fixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-search-bench-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir);
        const std::string line = rn::Cp932Literal("本文の行です。ランブルノートで検索のテスト、第一部") + "\r\n";
        std::string body;
        for (int i = 0; i < 100; ++i)
            body += line;
        for (int n = 0; n < 1000; ++n) {
            texts.push_back(rn::Cp932Literal("節" + std::to_string(n)) + ".TXT");
            std::ofstream(dir + "/" + rn::Cp932ToUtf8(texts.back()), std::ios::binary) << body;
        }
        for (const std::string& t : texts)
            nodes.push_back({t, true});
    }
    ~Fixture() { std::filesystem::remove_all(dir); }
};

Fixture& F() {
    static Fixture f;
    return f;
}

void BM_NewSearch100kHits(benchmark::State& state) {
    const rn::SearchScope scope{F().nodes, F().dir + "/", 1, nullptr};
    const std::string key = rn::Cp932Literal("検索");
    for (auto _ : state) {
        rn::ResultList list = rn::NewSearch(scope, key);
        benchmark::DoNotOptimize(list.found);
    }
}
BENCHMARK(BM_NewSearch100kHits)->Unit(benchmark::kMillisecond);

void BM_ListTextDecoded100kHits(benchmark::State& state) {
    const rn::SearchScope scope{F().nodes, F().dir + "/", 1, nullptr};
    const rn::ResultList list = rn::NewSearch(scope, rn::Cp932Literal("検索"));
    for (auto _ : state) {
        std::u16string shown = rn::Cp932ToUtf16(list.Text());
        benchmark::DoNotOptimize(shown.data());
    }
    state.counters["MB"] = static_cast<double>(list.lines.size()) / (1 << 20);
}
BENCHMARK(BM_ListTextDecoded100kHits)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
