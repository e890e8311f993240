// SPDX-License-Identifier: MIT
// "文字数･原稿用紙換算" on the export benchmark's document (20,000 nodes, about 50 MB of bodies): the
// count alone is the floor; the command adds the dialog's 20,000 rows, which must not dwarf it.
//
// The document is written by export_bench_gen from the same directory as this program.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "core/count/outline_count.h"
#include "gui/commands/count_command.h"
#include "gui/count/counts_dialog.h"
#include "gui/editor/body_editor.h"
#include "gui/outline/outline_view.h"
#include "gui/window/main_window.h"
#include "quiet_prompts.h"

namespace {

struct Fixture {
    std::string dir;
    rn::bench::QuietPrompts prompts;
    std::unique_ptr<rn::gui::MainWindow> window;

    Fixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-count-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir + "/Res");
        const std::string generate =
            QApplication::applicationDirPath().toStdString() + "/export_bench_gen '" + dir + "/doc' 50";
        if (std::system(generate.c_str()) != 0) std::abort();
        rn::gui::MainWindow::Options options;
        options.prompts = &prompts;
        options.programDirectory = QString::fromStdString(dir);
        window = std::make_unique<rn::gui::MainWindow>(options);
        window->show();
        QApplication::processEvents();  // the first activation, before the document is opened
        window->doc().OpenTreeFile(dir + "/doc/bench.Rnote");
        QApplication::processEvents();
    }
    ~Fixture() {
        window.reset();
        std::filesystem::remove_all(dir);
    }
    rn::gui::MainWindow& w() { return *window; }
};

std::unique_ptr<Fixture> g_fixture;

Fixture& F() {
    if (!g_fixture) g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

rn::CountReport CountAll() {
    rn::CountReport report;
    if (rn::CountOutline(F().w().doc().outline, F().w().doc().treeDir, nullptr, std::nullopt, report) !=
        rn::CountResult::kDone) {
        std::abort();
    }
    return report;
}

void BM_CountOutline(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CountAll());
}
BENCHMARK(BM_CountOutline)->Unit(benchmark::kMillisecond);

void BM_CountsDialogRows(benchmark::State& state) {
    const rn::CountReport report = CountAll();
    for (auto _ : state)
        rn::gui::CountsDialog dialog(&F().w(), F().w().doc().outline, report, QStringLiteral("bench"));
}
BENCHMARK(BM_CountsDialogRows)->Unit(benchmark::kMillisecond);

// The whole command, nothing selected: count, progress, dialog shown and closed.
void BM_ShowCounts(benchmark::State& state) {
    rn::gui::MainWindow& w = F().w();
    w.outlineView()->setCurrentIndex(QModelIndex());
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&w] {
        if (auto* d = w.findChild<rn::gui::CountsDialog*>(); d && d->isVisible()) d->reject();
    });
    closer.start();
    for (auto _ : state)
        rn::gui::showCounts(w.doc(), w.bodyEditor(), *w.outlineView(), w.prompts(), &w);
    if (!F().prompts.errors.isEmpty()) state.SkipWithError(F().prompts.errors.front().toStdString().c_str());
}
BENCHMARK(BM_ShowCounts)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_fixture.reset();  // the window goes before the application object
    return 0;
}
