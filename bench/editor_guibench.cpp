// SPDX-License-Identifier: MIT
// Switching between two text nodes with 1 MB bodies through the real main window (the body being left
// is written, the new one read, decoded and shown) against writing and reading the same bytes raw.
// Run with QT_QPA_PLATFORM=offscreen (set here when the environment does not say otherwise).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <filesystem>
#include <memory>
#include <string>

#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/gui_notices.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/qt_text.h"
#include "gui/window/main_window.h"
#include "gui_bench.h"
#include "quiet_prompts.h"

namespace {

using rn::bench::QuietPrompts;

constexpr std::size_t kBodySize = std::size_t(1) << 20;

// About 1 MB of Japanese prose with ASCII mixed in, CP932 with CR LF, lines of varied length.
std::string MakeBody(int seed) {
    const std::string lines[] = {
        rn::Cp932Literal("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"),
        rn::Cp932Literal("何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。"),
        rn::Cp932Literal("ABC-123 の設定値は TabSize=4、WordWrap=1 です。"),
        rn::Cp932Literal("①②③　ⅠⅡⅢ　㈱　～　ｶﾀｶﾅ　表示・能力・ソース"),
        std::string(),
        rn::Cp932Literal("　字下げした段落の始まり。句読点、括弧「」『』（）、記号＃＄％。"),
    };
    std::string body;
    body.reserve(kBodySize);
    for (int n = seed;; ++n) {
        std::string line =
            rn::Cp932Literal("第" + std::to_string(n) + "行：") + lines[static_cast<std::size_t>(n) % std::size(lines)];
        line += "\r\n";
        if (body.size() + line.size() > kBodySize) break;
        body += line;
    }
    return body;
}

struct Fixture {
    std::string dir;
    std::string bodyA, bodyB;
    QuietPrompts prompts;
    std::unique_ptr<rn::gui::MainWindow> window;

    Fixture() {
        dir = (std::filesystem::temp_directory_path() / ("rn-editor-bench-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir);
        bodyA = MakeBody(1);
        bodyB = MakeBody(7);
        rn::WriteFileReplacing(dir + "/A.TXT", bodyA);
        rn::WriteFileReplacing(dir + "/B.TXT", bodyB);
        rn::WriteFileReplacing(dir + "/bench.Rnote", rn::Cp932Literal("A.TXT\r\nB.TXT\r\nゴミ箱\r\n"));
        window = rn::bench::OpenBenchWindow(dir, prompts);
    }
    ~Fixture() {
        window.reset();
        std::filesystem::remove_all(dir);
    }

    void Select(int index) {
        rn::gui::MainWindow& w = *window;
        w.outlineView()->setCurrentIndex(w.outlineModel()->indexOf(w.doc().outline.At(index)));
        // Shown: laid out and painted, as the user sees it after the click.
        w.editor()->viewport()->repaint();
    }
};

std::unique_ptr<Fixture> fixture;  // ended in main(), before the application object

Fixture& F() {
    if (!fixture) fixture = std::make_unique<Fixture>();
    return *fixture;
}

void SetCounters(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 2 * static_cast<int64_t>(kBodySize));
}

// One switch: the body being left is written as it was loaded (nothing typed), the other is shown.
void BM_SwitchUnedited(benchmark::State& state) {
    Fixture& f = F();
    int next = 1;
    for (auto _ : state) {
        f.Select(next);
        next = 1 - next;
    }
    if (!f.prompts.errors.isEmpty()) state.SkipWithError(f.prompts.errors.first().toUtf8().constData());
    SetCounters(state);
}
BENCHMARK(BM_SwitchUnedited)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same after an edit: the editor's text is encoded back to CP932 before it is written.
void BM_SwitchEdited(benchmark::State& state) {
    Fixture& f = F();
    int next = 1;
    for (auto _ : state) {
        f.window->editor()->document()->setModified(true);
        f.Select(next);
        next = 1 - next;
    }
    if (!f.prompts.errors.isEmpty()) state.SkipWithError(f.prompts.errors.first().toUtf8().constData());
    SetCounters(state);
}
BENCHMARK(BM_SwitchEdited)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A switch to a body that has changed on disk since it was shown: decoded and built anew.
void BM_SwitchChangedOnDisk(benchmark::State& state) {
    Fixture& f = F();
    int next = 1;
    std::string bodies[2] = {f.bodyA, f.bodyB};
    for (auto _ : state) {
        state.PauseTiming();
        std::string& body = bodies[next];
        body[0] = body[0] == 'X' ? 'Y' : 'X';
        rn::WriteFileReplacing(f.dir + (next ? "/B.TXT" : "/A.TXT"), body);
        state.ResumeTiming();
        f.Select(next);
        next = 1 - next;
    }
    if (!f.prompts.errors.isEmpty()) state.SkipWithError(f.prompts.errors.first().toUtf8().constData());
    SetCounters(state);
}
BENCHMARK(BM_SwitchChangedOnDisk)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The floor: write 1 MB to one file and read 1 MB from another with plain system calls.
void BM_RawWriteRead(benchmark::State& state) {
    Fixture& f = F();
    const std::string out = f.dir + "/raw-out.TXT";
    const std::string in = f.dir + "/B.TXT";
    std::string buffer(kBodySize + 16, '\0');
    for (auto _ : state) {
        int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        benchmark::DoNotOptimize(::write(fd, f.bodyA.data(), f.bodyA.size()));
        ::close(fd);
        fd = ::open(in.c_str(), O_RDONLY | O_CLOEXEC);
        benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
        ::close(fd);
    }
    SetCounters(state);
}
BENCHMARK(BM_RawWriteRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The floor with the durable replace every saved file gets (temporary file, flush to disk, rename).
void BM_RawReplaceRead(benchmark::State& state) {
    Fixture& f = F();
    const std::string out = f.dir + "/raw-out.TXT";
    const std::string in = f.dir + "/B.TXT";
    std::string buffer(kBodySize + 16, '\0');
    for (auto _ : state) {
        rn::WriteFileReplacing(out, f.bodyA);
        int fd = ::open(in.c_str(), O_RDONLY | O_CLOEXEC);
        benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
        ::close(fd);
    }
    SetCounters(state);
}
BENCHMARK(BM_RawReplaceRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A key release with the caret at the end of a 1 MB body (the caret panel counts displayed lines).
void BM_KeyUpAtEnd(benchmark::State& state) {
    Fixture& f = F();
    f.Select(0);
    QPlainTextEdit* memo = f.window->editor();
    memo->moveCursor(QTextCursor::End);
    for (auto _ : state)
        f.window->bodyEditor().onEditorKeyUp();
}
BENCHMARK(BM_KeyUpAtEnd)->Unit(benchmark::kMillisecond);

// The same in a 16 MB body. Without idle time between them, every key release lays out one more
// slice of the lines above the caret (the panel stays provisional): this is the most a key costs.
void BM_KeyUpAtEnd16MB(benchmark::State& state) {
    Fixture& f = F();
    std::string big;
    while (big.size() + f.bodyA.size() <= (std::size_t(16) << 20))
        big += f.bodyA;
    rn::WriteFileReplacing(f.dir + "/big.TXT", big);
    rn::gui::MainWindow& w = *f.window;
    w.doc().outline.AppendChild(nullptr, "big.TXT", rn::NodeKind::Text);
    QElapsedTimer load;
    load.start();
    f.Select(w.doc().outline.Count() - 1);
    state.counters["load_ms"] = static_cast<double>(load.nsecsElapsed()) / 1e6;
    QPlainTextEdit* memo = w.editor();
    memo->moveCursor(QTextCursor::End);
    QElapsedTimer first;
    first.start();
    w.bodyEditor().onEditorKeyUp();
    state.counters["first_ms"] = static_cast<double>(first.nsecsElapsed()) / 1e6;
    for (auto _ : state)
        w.bodyEditor().onEditorKeyUp();
    f.Select(0);
}
BENCHMARK(BM_KeyUpAtEnd16MB)->Unit(benchmark::kMillisecond)->Iterations(20);

// Parts of a switch, for finding where the time goes.
void BM_PartDecode(benchmark::State& state) {
    Fixture& f = F();
    for (auto _ : state) {
        QString text = rn::gui::fromCp932(f.bodyA);
        text.remove(QLatin1Char('\r'));
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_PartDecode)->Unit(benchmark::kMillisecond);

void BM_PartNewDocument(benchmark::State& state) {
    Fixture& f = F();
    QString text = rn::gui::fromCp932(f.bodyA);
    text.remove(QLatin1Char('\r'));
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(text);
        benchmark::DoNotOptimize(doc.blockCount());
    }
}
BENCHMARK(BM_PartNewDocument)->Unit(benchmark::kMillisecond);

void BM_PartRepaint(benchmark::State& state) {
    Fixture& f = F();
    f.Select(0);
    for (auto _ : state)
        f.window->editor()->viewport()->repaint();
}
BENCHMARK(BM_PartRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return rn::bench::RunGuiBenchmarks(argc, argv, [] { fixture.reset(); });
}
