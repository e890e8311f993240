// SPDX-License-Identifier: MIT
// The settings file is read at start-up and written at exit one key at a time (each write replaces the
// file atomically); this measures what that costs for the whole record.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "core/settings/history.h"
#include "core/settings/resdir.h"
#include "core/settings/settings.h"
#include "core/storage/files.h"

namespace {

struct Fixture {
    std::string dir;
    Fixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-settings-bench-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir);
        rn::WriteFileReplacing(dir + "/Ramblenote.Ini", rn::DeliveredSettings());
        std::string history;
        for (int i = 0; i < 32; ++i) {
            std::string path = dir + "/" + std::to_string(i) + ".Rnote";
            rn::WriteFileReplacing(path, "");
            history += path + "\r\n";
        }
        rn::WriteFileReplacing(dir + "/" + rn::kHistoryFileName, history);
    }
    ~Fixture() { std::filesystem::remove_all(dir); }
};

Fixture& TheFixture() {
    static Fixture f;
    return f;
}

void BM_ReadSettings(benchmark::State& state) {
    const std::string ini = TheFixture().dir + "/Ramblenote.Ini";
    for (auto _ : state) {
        rn::Settings s;
        benchmark::DoNotOptimize(rn::ReadSettings(ini, s));
    }
}
BENCHMARK(BM_ReadSettings)->Unit(benchmark::kMillisecond);

void BM_WriteSettings(benchmark::State& state) {
    const std::string ini = TheFixture().dir + "/Ramblenote.Ini";
    rn::Settings s;
    rn::WindowGeometry g = rn::ReadSettings(ini, s);
    for (auto _ : state)
        benchmark::DoNotOptimize(rn::WriteSettings(ini, s, g, "NULL"));
}
BENCHMARK(BM_WriteSettings)->Unit(benchmark::kMillisecond);

void BM_TreeHistoryLoadAndSave(benchmark::State& state) {
    const std::string file = TheFixture().dir + "/" + rn::kHistoryFileName;
    for (auto _ : state) {
        rn::TreeHistory h;
        h.LoadTreeHistory(file, 32, "NULL");
        h.SaveTreeHistory(file);
    }
}
BENCHMARK(BM_TreeHistoryLoadAndSave)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
