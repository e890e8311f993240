// SPDX-License-Identifier: MIT
// Outline edits on a 20,000-node document through the main window, against SaveTreeFile alone:
// every edit writes the Tree file, so that save is the floor, and the view must not rebuild.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "core/notices.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "gui/commands/node_commands.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/window/main_window.h"
#include "gui_bench.h"
#include "quiet_prompts.h"

namespace {

struct Fixture {
    std::string dir;
    rn::bench::QuietPrompts prompts{true};
    std::unique_ptr<rn::gui::MainWindow> window;

    Fixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-nodes-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir + "/Res");
        std::string bytes;
        for (int c = 0; c < 1000; ++c) {
            bytes += rn::Cp932Literal("第" + std::to_string(c + 1) + "章") + "\r\n";
            for (int i = 0; i < 19; ++i) {
                std::string name = "n" + std::to_string(c) + "-" + std::to_string(i) + (i % 2 ? "" : ".TXT");
                bytes += "\t" + name + "\r\n";
                if (i % 2 == 0) std::ofstream(dir + "/" + name) << "body\r\n";
            }
        }
        bytes += rn::Cp932Literal("ゴミ箱") + "\r\n";
        std::ofstream(dir + "/bench.Rnote", std::ios::binary) << bytes;
        rn::gui::MainWindow::Options options;
        options.prompts = &prompts;
        options.programDirectory = QString::fromStdString(dir);
        window = std::make_unique<rn::gui::MainWindow>(options);
        window->show();
        QApplication::processEvents();  // the first activation, before the document is opened
        window->doc().OpenTreeFile(dir + "/bench.Rnote");
        if (qEnvironmentVariableIsSet("RN_BENCH_EXPAND")) window->outlineView()->expandAll();
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

// One change of a node text, so that every save writes (an unchanged outline is not written).
void BM_SaveTreeFile(benchmark::State& state) {
    rn::Document& doc = F().w().doc();
    int flip = 0;
    for (auto _ : state) {
        doc.outline.At(10001)->text = (flip++ % 2) ? "saved-a" : "saved-b";
        doc.SaveTreeFile();
    }
}
BENCHMARK(BM_SaveTreeFile)->Unit(benchmark::kMillisecond);

// Adds a folder node after the middle chapter, then removes it again outside the timing.
void BM_AddNode(benchmark::State& state) {
    rn::gui::MainWindow& w = F().w();
    for (auto _ : state) {
        w.doc().AddNode(w.doc().outline.At(10000), rn::NodePlace::AfterSiblings, "new", false);
        state.PauseTiming();
        rn::Node* added = w.doc().outline.At(w.doc().FindNodeByText("new"));
        w.doc().outline.Remove(added);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddNode)->Unit(benchmark::kMillisecond);

// Renames a folder node the way the rename command does after its dialog.
void BM_RenameNode(benchmark::State& state) {
    rn::gui::MainWindow& w = F().w();
    rn::Document& doc = w.doc();
    int flip = 0;
    for (auto _ : state) {
        rn::Node* node = doc.outline.At(10001);
        std::string name = (flip++ % 2) ? "renamed-a" : "renamed-b";
        doc.RenameNode(node, name);
    }
}
BENCHMARK(BM_RenameNode)->Unit(benchmark::kMillisecond);

// Drags a chapter onto the indentation of another and back (two moves per iteration).
void BM_MoveNode(benchmark::State& state) {
    rn::gui::MainWindow& w = F().w();
    rn::gui::OutlineView* view = w.outlineView();
    for (auto _ : state) {
        state.PauseTiming();
        rn::Node* chapter = w.doc().outline.At(200);
        w.SelectNode(chapter);
        view->scrollTo(w.outlineModel()->indexOf(chapter));
        QRect r = view->visualRect(w.outlineModel()->indexOf(w.doc().outline.At(20)));
        state.ResumeTiming();
        view->scrollTo(w.outlineModel()->indexOf(w.doc().outline.At(20)));
        r = view->visualRect(w.outlineModel()->indexOf(w.doc().outline.At(20)));
        w.nodeCommands().dropAt(QPoint(r.left() - 4, r.center().y()));
    }
}
BENCHMARK(BM_MoveNode)->Unit(benchmark::kMillisecond);

// Moves a text node to the trash and deletes it from there with its body file.
void BM_DeleteNode(benchmark::State& state) {
    rn::gui::MainWindow& w = F().w();
    rn::Document& doc = w.doc();
    for (auto _ : state) {
        state.PauseTiming();
        rn::Node* trash = rn::FindTrashNode(doc.outline);
        rn::Node* victim = doc.outline.AppendChild(trash, "victim.TXT", rn::NodeKind::Text);
        std::ofstream(F().dir + "/victim.TXT") << "x";
        doc.SaveTreeFile();
        w.SelectNode(victim);
        state.ResumeTiming();
        // The command's work after its confirmation: save without the branch, delete the file, remove.
        doc.SaveTreeFile(victim);
        rn::DeleteFiles(*doc.BodyPath("victim.TXT"), false);
        doc.outline.Remove(victim);
    }
}
BENCHMARK(BM_DeleteNode)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return rn::bench::RunGuiBenchmarks(argc, argv, [] { g_fixture.reset(); });
}
