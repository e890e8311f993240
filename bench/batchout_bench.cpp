// SPDX-License-Identifier: MIT
// Heading labels and the batch output run on a 20,000-node outline. The whole-program timing against
// cat is bench/export_bench.sh; these show the per-node cost without the bodies' bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/batchout/batch_output.h"
#include "core/batchout/heading_numberer.h"
#include "core/text/cp932.h"

namespace {

// Levels of 1,000 parts of 20 nodes each, as in the export benchmark's document.
std::vector<rn::OutputNode> Nodes() {
    std::vector<rn::OutputNode> nodes;
    for (int p = 1; p <= 1000; ++p) {
        nodes.push_back({1, rn::Cp932Literal("第" + std::to_string(p) + "部")});
        for (int i = 1; i < 20; ++i) {
            bool text = i % 2 == 1;
            nodes.push_back(
                {(i % 4 == 3) ? 3 : 2,
                 rn::Cp932Literal("節" + std::to_string(p) + "-" + std::to_string(i)) + (text ? ".TXT" : "")});
        }
    }
    nodes.push_back({1, rn::Cp932Literal("ゴミ箱")});
    return nodes;
}

void BM_HeadingLabels(benchmark::State& state) {
    const std::vector<rn::OutputNode> nodes = Nodes();
    rn::HeadingNumberer numberer;
    std::string label;
    for (auto _ : state) {
        numberer.Begin(static_cast<int>(state.range(0)), {9, 10, 2, 4, 8}, 1);
        for (const auto& n : nodes) {
            label.clear();
            numberer.AppendLabel(n.level, label);
            benchmark::DoNotOptimize(label.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(nodes.size()));
}
BENCHMARK(BM_HeadingLabels)->Arg(2)->Arg(5)->Unit(benchmark::kMicrosecond);

struct Fixture {
    std::string dir;
    rn::BatchOutputRequest request;
    Fixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-batchout-bench-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir);
        request.nodes = Nodes();
        request.treeDir = dir + "/";
        request.outputPath = dir + "/out.TXT";
        request.tocPath = dir + "/toc.TXT";
        // Small bodies: the run's cost is then the per-node work, not the copying of bytes.
        for (const auto& n : request.nodes) {
            if (n.text.size() < 4 || n.text.compare(n.text.size() - 4, 4, ".TXT") != 0) continue;
            std::ofstream(dir + "/" + rn::Cp932ToUtf8(n.text), std::ios::binary)
                << rn::Cp932Literal("本文の一行目\r\n二行目\r\n");
        }
        auto& s = request.settings;
        s.KUGISW = s.INDSW = s.INDADDSW = s.PAGE = s.MOKUJI = true;
        s.PAGEL = 50;
        s.SEPA = {"----------", ""};
    }
    ~Fixture() { std::filesystem::remove_all(dir); }
};

void BM_WriteBatchOutput(benchmark::State& state) {
    static Fixture f;
    for (auto _ : state) {
        std::ofstream(f.request.outputPath, std::ios::trunc);
        std::ofstream(f.request.tocPath, std::ios::trunc);
        if (rn::WriteBatchOutput(f.request) != rn::BatchOutputResult::kDone) state.SkipWithError("run failed");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(f.request.nodes.size()));
}
BENCHMARK(BM_WriteBatchOutput)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
