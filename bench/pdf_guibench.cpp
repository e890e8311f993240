// SPDX-License-Identifier: MIT
// A 400-sheet manuscript (160,000 characters of Japanese prose with ruby, digits and punctuation) set
// as a PDF on manuscript paper, and one page of it drawn for the preview. The peak resident size of
// the whole run is reported as max_rss_MB.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>
#include <fstream>

#include "core/layout/grid.h"
#include "core/text/cp932.h"
#include "pages/pdf_output.h"

namespace {

// 8,000 lines of exactly 20 characters (a full manuscript line each): 400 sheets.
std::string ManuscriptBody() {
    const char* const lines[] = {
        "吾輩は猫である。名前はまだ無い。どこで生",
        "まれたかとんと見当がつかぬ。何でも薄暗い",
        "|所《ところ》でニャーニャーと泣いていた事を今も記憶",
        "している。第12話では「ニャー」と泣いた。",  // "12" stands in one square
        "ABCの本を読み、小さなぁぃぅを見た…。",
    };
    std::string utf8;
    for (int i = 0; i < 8000; ++i)
        (utf8 += lines[i % 5]) += "\r\n";
    return rn::Cp932Literal(utf8);
}

struct Files {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("rn-pdf-bench-" + std::to_string(::getpid()));
    Files() {
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "body.TXT", std::ios::binary) << ManuscriptBody();
    }
    ~Files() { std::filesystem::remove_all(dir); }
    rn::pages::PdfJob Job() const {
        rn::pages::PdfJob job;
        job.layout = rn::PresetLayout(rn::LayoutKind::kManuscript);
        job.pages.bodyFile = (dir / "body.TXT").string();
        job.outputPath = (dir / "body.pdf").string();
        job.title = QStringLiteral("body");
        return job;
    }
};

double MaxResidentMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ManuscriptPdf400Sheets(benchmark::State& state) {
    const Files files;
    const rn::pages::PdfJob job = files.Job();
    int pages = 0;
    for (auto _ : state) {
        const rn::pages::PdfOutcome outcome = rn::pages::writePdf(job);
        if (outcome.result != rn::pages::PdfResult::kDone) state.SkipWithError(outcome.error.toStdString().c_str());
        pages = outcome.pages;
    }
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = static_cast<double>(std::filesystem::file_size(job.outputPath)) / (1 << 20);
    state.counters["max_rss_MB"] = MaxResidentMegabytes();
}
BENCHMARK(BM_ManuscriptPdf400Sheets)->Unit(benchmark::kMillisecond)->Iterations(3);

// The preview's first page, and a page deep in the manuscript (laid out up to it).
void BM_PreviewPage(benchmark::State& state) {
    const Files files;
    const rn::pages::PdfJob job = files.Job();
    for (auto _ : state) {
        const rn::pages::PreviewPage page = rn::pages::previewPage(job, static_cast<int>(state.range(0)), 420);
        if (page.image.isNull()) state.SkipWithError(page.error.toStdString().c_str());
    }
}
BENCHMARK(BM_PreviewPage)->Arg(1)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
