// SPDX-License-Identifier: MIT
#include "app/export_command.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "app/terminal_output.h"
#include "app/usage.h"
#include "core/batchout/batch_output.h"
#include "core/batchout/btxtout_settings.h"
#include "core/batchout/export_source.h"
#include "core/batchout/output_guard.h"
#include "core/notices.h"
#include "core/settings/resdir.h"
#include "core/storage/files.h"
#include "core/storage/ini.h"
#include "core/text/cp932.h"
#include "core/text/terminal_text.h"

namespace rn::app {
namespace {

struct ExportArgs {
    std::string output;
    std::optional<std::string> toc;
    std::optional<std::string> start;
    std::optional<std::string> settings;
    std::string tree;
};

std::optional<ExportArgs> ParseArgs(const std::vector<std::string>& args, std::string& problem) {
    std::optional<CommandLine> line =
        ParseCommandLine(args, {{"--export"}, {"--toc"}, {"--start"}, {"--settings"}}, problem);
    if (!line) return std::nullopt;
    ExportArgs a;
    a.output = line->ValueOf("--export").value_or(std::string());
    a.toc = line->ValueOf("--toc");
    a.start = line->ValueOf("--start");
    a.settings = line->ValueOf("--settings");
    if (a.output.empty()) {
        problem = "OUTPUT is missing";
        return std::nullopt;
    }
    std::optional<std::string> tree = TreeFileOperand(*line, problem);
    if (!tree) return std::nullopt;
    a.tree = *tree;
    if (a.toc && a.toc->empty()) {
        problem = "TOCFILE is empty";
        return std::nullopt;
    }
    return a;
}

bool StderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

// One line on the terminal that is rewritten in place; cleared before any message.
class ProgressLine {
public:
    explicit ProgressLine(bool enabled) : enabled_(enabled) {}
    void Show(const std::string& text) {
        if (!enabled_) return;
        std::fprintf(stderr, "\r\x1b[K%s", EscapeControls(text).c_str());
        std::fflush(stderr);
        shown_ = true;
    }
    void Clear() {
        if (!shown_) return;
        std::fputs("\r\x1b[K", stderr);
        std::fflush(stderr);
        shown_ = false;
    }

private:
    bool enabled_;
    bool shown_ = false;
};

void Say(ProgressLine& line, const std::string& text) {
    line.Clear();
    PrintMessage(text);
}

class ExportNotices : public Notices {
public:
    explicit ExportNotices(ProgressLine& line) : line_(line) {}
    void MessageBox(const std::string& text) override { Say(line_, text); }
    void ErrorBox(const std::string& text) override { Say(line_, text); }
    void AbortBox(const std::string& text) override { Say(line_, text); }
    bool AskYesNo(const std::string& text) override {
        Say(line_, text);
        return false;
    }
    bool AskYesCancel(const std::string& text) override {
        Say(line_, text);
        return false;
    }
    void SetStatusText(const std::string&) override {}
    void Beep() override {}

private:
    ProgressLine& line_;
};

// Shows "一括出力中･･･[k-Ll:T]" a few times a second, never once per node.
class ExportProgress : public BatchOutputObserver {
public:
    explicit ExportProgress(ProgressLine& line) : line_(line) {}
    void Progress(int k, int total, int level, std::string_view text) override {
        auto now = std::chrono::steady_clock::now();
        if (k != total && now - last_ < std::chrono::milliseconds(100)) return;
        last_ = now;
        line_.Show(BatchProgressText(k, level, Shortened(text)));
    }
    void ProgressEnd() override { line_.Clear(); }

private:
    // At most 30 characters of the node text, so that the line stays one line.
    static std::string Shortened(std::string_view text) {
        std::size_t at = 0;
        for (int chars = 0; at < text.size() && chars < 30; ++chars)
            at += SjisCharLength(text, at);
        return at < text.size() ? std::string(text.substr(0, at)) + "..." : std::string(text);
    }

    ProgressLine& line_;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace

int RunExportCommand(const std::vector<std::string>& args) {
    std::string problem;
    std::optional<ExportArgs> a = ParseArgs(args, problem);
    if (!a) {
        std::fprintf(stderr, "ramblenote: %s\n%s", EscapeControls(problem).c_str(), UsageOf("--export").c_str());
        return kExportUsage;
    }
    ProgressLine line(StderrIsTerminal());
    ExportNotices messages(line);
    ScopedNotices scope(&messages);
    auto fail = [&](const std::string& text) {
        Say(line, text);
        return kExportFailed;
    };

    std::string error;
    std::optional<ExportSource> src = LoadExportSource(a->tree, error);
    if (!src) return fail(error);

    BatchOutputSettings settings;
    // The program's own file lies beside the program, or in the per-user directory that replaces it.
    const std::string settingsPath = a->settings.value_or(BatchOutputSettingsPath(ConfigDirectory()));
    if (a->settings && !FileExists(settingsPath)) return fail("設定ファイル[" + settingsPath + "]が有りません");
    if (FileExists(settingsPath)) {
        // Settings that cannot be read would give output in a layout nobody asked for.
        std::string text, reason;
        if (!ReadIniFile(settingsPath, text, &reason)) return fail(OpenErrorText(settingsPath, reason));
        settings = ReadBatchOutputSettings(settingsPath, false);
    }
    settings.MOKUJI = a->toc.has_value();

    BatchOutputRequest request;
    if (a->start) {
        const int at = FindOutputNodeNamed(src->nodes, *a->start);
        if (at < 0) return fail("出力ノード[" + *a->start + "]が有りません");
        const OutputNode& start = src->nodes[static_cast<std::size_t>(at)];
        request.start = StartNode{start.text, start.level};
    }
    // The document's own files are never an output: replacing them would lose the outline or a body.
    // Nor is a pipe or a device, which could keep the command waiting for a reader.
    for (const std::string* out : {&a->output, a->toc ? &*a->toc : nullptr}) {
        if (!out) continue;
        std::string clash = DocumentFileClash(*out, src->treeFile, src->treeDir, src->nodes,
                                              out == &a->output ? "出力ファイル" : "目次ファイル");
        if (!clash.empty()) return fail(clash);
        if (IsSpecialFile(*out))
            return fail((out == &a->output ? "出力ファイル[" : "目次ファイル[") + *out +
                        "]は通常のファイルではありません");
    }

    request.nodes = std::move(src->nodes);
    request.treeFile = src->treeFile;
    request.treeDir = src->treeDir;
    request.outputPath = a->output;
    request.tocPath = a->toc.value_or(std::string());
    request.settings = std::move(settings);
    // Both files get their new content only when the whole run went through.
    request.replaceFiles = true;
    ExportProgress progress(line);
    if (WriteBatchOutput(request, &progress) != BatchOutputResult::kDone) return kExportFailed;
    if (StderrIsTerminal()) std::fprintf(stderr, "%s\n", BatchFinishedText().c_str());
    return kExportOk;
}

}  // namespace rn::app
