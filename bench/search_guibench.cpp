// SPDX-License-Identifier: MIT
// A search with 100,000 hits through the real main window: from the confirmed key until the list is
// shown and painted in the lower pane (the window must be back within 2 s), a narrowing search that
// reads such a list back, and a jump to its last line.
// Run with QT_QPA_PLATFORM=offscreen (set here when the environment does not say otherwise).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "gui/commands/search_commands.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/qt_text.h"
#include "gui/tree/node_dialog.h"
#include "gui/window/main_window.h"
#include "gui_bench.h"
#include "quiet_prompts.h"

namespace {

using rn::bench::QuietPrompts;

constexpr int kNodes = 1000;
constexpr int kLinesPerNode = 100;

// 1,000 text nodes, each with 100 lines that hold the key once among Japanese text.
struct Fixture {
    std::string dir;
    QuietPrompts prompts;
    std::unique_ptr<rn::gui::MainWindow> window;

    Fixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-search-guibench-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir);
        const std::string line = rn::Cp932Literal("本文の行です。ランブルノートで検索のテスト、第一部") + "\r\n";
        std::string body;
        for (int i = 0; i < kLinesPerNode; ++i)
            body += line;
        std::string tree;
        for (int n = 0; n < kNodes; ++n) {
            const std::string name = "節" + std::to_string(n) + ".TXT";
            rn::WriteFileReplacing(dir + "/" + name, body);
            tree += rn::Cp932Literal(name) + "\r\n";
        }
        rn::WriteFileReplacing(dir + "/bench.Rnote", tree + rn::Cp932Literal("ゴミ箱") + "\r\n");
        window = rn::bench::OpenBenchWindow(dir, prompts);
    }
    ~Fixture() {
        window.reset();
        std::filesystem::remove_all(dir);
    }

    // The search command with `key` typed into its dialog; returns when the list is painted.
    void Search(const QString& key) {
        rn::gui::NodeNameDialog& dialog = window->nodeDialog();
        QTimer::singleShot(0, &dialog, [&dialog, key] {
            dialog.nameEdit()->setText(key);
            dialog.okButton()->click();
        });
        window->searchCommands().runSearch();
        window->lowerPane()->viewport()->repaint();
    }
};

std::unique_ptr<Fixture> fixture;  // ended in main(), before the application object

Fixture& F() {
    if (!fixture) fixture = std::make_unique<Fixture>();
    return *fixture;
}

void CheckList(benchmark::State& state, Fixture& f) {
    if (f.window->lowerPane()->blockCount() != kNodes * kLinesPerNode + 2)
        state.SkipWithError("the list does not hold 100,000 hits");
    if (!f.prompts.errors.isEmpty()) state.SkipWithError(f.prompts.errors.first().toUtf8().constData());
}

void BM_NewSearchShown100kHits(benchmark::State& state) {
    Fixture& f = F();
    for (auto _ : state) {
        state.PauseTiming();
        f.window->bodyEditor().closeSearchResults();
        state.ResumeTiming();
        f.Search(QStringLiteral("検索"));
    }
    CheckList(state, f);
}
BENCHMARK(BM_NewSearchShown100kHits)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_NarrowingSearchShown100kHits(benchmark::State& state) {
    Fixture& f = F();
    f.Search(QStringLiteral("検索"));
    for (auto _ : state)
        f.Search(QStringLiteral("テスト"));
    CheckList(state, f);
}
BENCHMARK(BM_NarrowingSearchShown100kHits)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_JumpToLastListLine(benchmark::State& state) {
    Fixture& f = F();
    f.Search(QStringLiteral("検索"));
    for (auto _ : state) {
        f.window->searchCommands().jumpToResult(kNodes * kLinesPerNode + 1);
        f.window->editor()->viewport()->repaint();
    }
    if (f.window->editor()->textCursor().selectedText() != QStringLiteral("検索"))
        state.SkipWithError("the jump did not select the key");
}
BENCHMARK(BM_JumpToLastListLine)->Unit(benchmark::kMillisecond);

// The export benchmark's document (20,000 nodes) with 40 MB of bodies, written by export_bench_gen
// beside this program, searched for a key with about 660,000 hits. The peak resident memory of the
// process is reported: run this benchmark alone (--benchmark_filter=ExportDocument) to read it.
struct LargeFixture {
    std::string dir;
    QuietPrompts prompts;
    std::unique_ptr<rn::gui::MainWindow> window;

    LargeFixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-search-large-" + std::to_string(::getpid()))).string();
        const std::string generator = QCoreApplication::applicationDirPath().toStdString() + "/export_bench_gen";
        if (std::system(("'" + generator + "' '" + dir + "' 40 > /dev/null").c_str()) != 0) std::abort();
        window = rn::bench::OpenBenchWindow(dir, prompts);
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        rssBeforeMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
    double rssBeforeMb = 0;
    ~LargeFixture() {
        window.reset();
        std::filesystem::remove_all(dir);
    }
};

std::unique_ptr<LargeFixture> largeFixture;

void BM_NewSearchShownOnTheExportDocument(benchmark::State& state) {
    if (!largeFixture) largeFixture = std::make_unique<LargeFixture>();
    LargeFixture& f = *largeFixture;
    rn::gui::NodeNameDialog& dialog = f.window->nodeDialog();
    for (auto _ : state) {
        state.PauseTiming();
        f.window->bodyEditor().closeSearchResults();
        state.ResumeTiming();
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.nameEdit()->setText(QStringLiteral("テスト"));
            dialog.okButton()->click();
        });
        f.window->searchCommands().runSearch();
        f.window->lowerPane()->viewport()->repaint();
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["rss_before_MB"] = f.rssBeforeMb;
    state.counters["hits"] = f.window->lowerPane()->blockCount() - 2;
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    if (!f.prompts.errors.isEmpty()) state.SkipWithError(f.prompts.errors.first().toUtf8().constData());
}
BENCHMARK(BM_NewSearchShownOnTheExportDocument)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    return rn::bench::RunGuiBenchmarks(argc, argv, [] {
        fixture.reset();
        largeFixture.reset();
    });
}
