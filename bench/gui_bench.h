// SPDX-License-Identifier: MIT
// Shared by the benchmarks that drive the real main window: the window on a benchmark document, and
// main() (the offscreen platform unless the environment names another).
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "gui/prompts.h"
#include "gui/window/main_window.h"

namespace rn::bench {

// A shown 1000 × 700 main window with the program directory `dir`, started with the delivered
// settings (wrapping on, tab stops), with dir/bench.Rnote open.
inline std::unique_ptr<rn::gui::MainWindow> OpenBenchWindow(const std::string& dir, rn::gui::Prompts& prompts) {
    rn::gui::MainWindow::Options options;
    options.prompts = &prompts;
    options.programDirectory = QString::fromStdString(dir);
    auto window = std::make_unique<rn::gui::MainWindow>(options);
    window->resize(1000, 700);
    window->show();
    window->runStartup();
    QApplication::processEvents();
    window->doc().OpenTreeFile(dir + "/bench.Rnote");
    QApplication::processEvents();
    return window;
}

// `teardown` ends the window, before the application object goes.
inline int RunGuiBenchmarks(int argc, char** argv, const std::function<void()>& teardown) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    teardown();
    benchmark::Shutdown();
    return 0;
}

}  // namespace rn::bench
