// SPDX-License-Identifier: MIT
#include "app/pdf/pdf_command.h"

#include <QGuiApplication>
#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "app/export_command.h"
#include "app/terminal_output.h"
#include "app/usage.h"
#include "core/batchout/btxtout_settings.h"
#include "core/batchout/export_source.h"
#include "core/batchout/output_guard.h"
#include "core/layout/layout_setting.h"
#include "core/settings/resdir.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "core/text/terminal_text.h"
#include "pages/pdf_output.h"

namespace rn::app {
namespace {

// Qt's notes on the headless platform (no runtime directory and the like) are no business of the
// user's; only real errors reach stderr.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

struct PdfArgs {
    std::string output;
    std::optional<std::string> start;
    std::optional<std::string> layout;
    std::optional<std::string> text;
    std::string tree;
};

std::optional<PdfArgs> ParseArgs(const std::vector<std::string>& args, std::string& problem) {
    std::optional<CommandLine> line =
        ParseCommandLine(args, {{"--pdf"}, {"--start"}, {"--layout"}, {"--text"}}, problem);
    if (!line) return std::nullopt;
    PdfArgs a;
    a.output = line->ValueOf("--pdf").value_or(std::string());
    a.start = line->ValueOf("--start");
    a.layout = line->ValueOf("--layout");
    a.text = line->ValueOf("--text");
    if (a.output.empty()) {
        problem = "OUTPUT is missing";
        return std::nullopt;
    }
    if (a.text) {
        if (a.text->empty() || a.start || !line->operands.empty()) {
            problem = a.text->empty() ? "BODYFILE is empty" : "--text takes no TREEFILE and no --start";
            return std::nullopt;
        }
        return a;
    }
    std::optional<std::string> tree = TreeFileOperand(*line, problem);
    if (!tree) return std::nullopt;
    a.tree = *tree;
    return a;
}

int Fail(const std::string& text) {
    PrintMessage(text);
    return kExportFailed;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutExtension(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The job for a document (or one branch of it); empty optional after a message on stderr.
std::optional<int> PrepareDocument(const PdfArgs& a, ExportSource& src, pages::PdfJob& job) {
    std::string error;
    std::optional<ExportSource> loaded = LoadExportSource(a.tree, error);
    if (!loaded) return Fail(error);
    src = std::move(*loaded);
    job.pages.treeDir = src.treeDir;
    job.pages.scope = ManuscriptScope::kDocument;
    job.title = QString::fromStdString(WithoutExtension(BaseName(src.treeFile)));
    if (a.start) {
        const int at = FindOutputNodeNamed(src.nodes, *a.start);
        if (at < 0) return Fail("出力ノード[" + *a.start + "]が有りません");
        job.pages.scope = ManuscriptScope::kBranch;
        job.pages.start = static_cast<std::size_t>(at);
        job.title = QString::fromStdString(WithoutExtension(Cp932ToUtf8(src.nodes[job.pages.start].text)));
    }
    // Headings are numbered as the batch output numbers them.
    const std::string numbering = BatchOutputSettingsPath(ConfigDirectory());
    if (FileExists(numbering)) job.pages.numbering = ReadBatchOutputSettings(numbering, false);
    // Replacing one of the document's own files would lose the outline or a body.
    std::string clash = DocumentFileClash(a.output, src.treeFile, src.treeDir, src.nodes);
    if (!clash.empty()) return Fail(clash);
    job.pages.nodes = src.nodes;
    return std::nullopt;
}

}  // namespace

int RunPdfCommand(const std::vector<std::string>& args) {
    std::string problem;
    std::optional<PdfArgs> a = ParseArgs(args, problem);
    std::optional<PageLayout> layout;
    if (a) {
        layout = a->layout ? ParseLayoutName(*a->layout) : ReadPdfLayout(SettingsFilePath());
        if (!layout) problem = "unknown layout " + *a->layout + " (genko, a4-tate, a4-yoko, CxL-tate, CxL-yoko)";
    }
    if (!a || !layout) {
        std::fprintf(stderr, "ramblenote: %s\n%s", EscapeControls(problem).c_str(), UsageOf("--pdf").c_str());
        return kExportUsage;
    }
    if (IsSpecialFile(a->output)) return Fail("出力ファイル[" + a->output + "]は通常のファイルではありません");

    pages::PdfJob job;
    job.layout = *layout;
    job.outputPath = a->output;
    ExportSource src;
    if (a->text) {
        if (!FileExists(*a->text)) return Fail("ファイル[" + *a->text + "]が有りません");
        if (SameFile(*a->text, a->output)) return Fail("出力ファイルが本文ファイル[" + *a->text + "]です");
        job.pages.bodyFile = *a->text;
        job.title = QString::fromStdString(WithoutExtension(BaseName(*a->text)));
    } else if (std::optional<int> failed = PrepareDocument(*a, src, job)) {
        return *failed;
    }

    // Fonts and the PDF writer need a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    int argc = 1;
    char name[] = "ramblenote";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    const pages::PdfOutcome outcome = pages::writePdf(job);
    if (outcome.result != pages::PdfResult::kDone) return Fail(outcome.error.toStdString());
    for (const auto* names : {&outcome.bodies.notRegular, &outcome.bodies.unreadable})
        for (const std::string& text : *names)
            PrintMessage(text);
    return outcome.bodies.unreadable.empty() && outcome.bodies.notRegular.empty() ? kExportOk : kExportFailed;
}

}  // namespace rn::app
