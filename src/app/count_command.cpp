// SPDX-License-Identifier: MIT
#include "app/count_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/command_line.h"
#include "app/export_command.h"
#include "app/terminal_output.h"
#include "app/usage.h"
#include "core/batchout/export_source.h"
#include "core/count/outline_count.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "core/text/terminal_text.h"

namespace rn::app {
namespace {

struct CountArgs {
    std::optional<std::string> start;
    std::string tree;
};

std::optional<CountArgs> ParseArgs(const std::vector<std::string>& args, std::string& problem) {
    std::optional<CommandLine> line = ParseCommandLine(args, {{"--count", false, false}, {"--start"}}, problem);
    if (!line) return std::nullopt;
    std::optional<std::string> tree = TreeFileOperand(*line, problem);
    if (!tree) return std::nullopt;
    return CountArgs{line->ValueOf("--start"), *tree};
}

void AppendCounts(std::string& out, const TextCount& c) {
    out += '\t';
    out += std::to_string(c.characters);
    out += '\t';
    out += std::to_string(c.rows);
    out += '\t';
    out += SheetsDecimal(c.rows);
    out += '\n';
}

int Fail(const std::string& text) {
    PrintMessage(text);
    return kExportFailed;
}

}  // namespace

int RunCountCommand(const std::vector<std::string>& args) {
    std::string problem;
    std::optional<CountArgs> a = ParseArgs(args, problem);
    if (!a) {
        std::fprintf(stderr, "ramblenote: %s\n%s", EscapeControls(problem).c_str(), UsageOf("--count").c_str());
        return kExportUsage;
    }
    std::string error;
    std::optional<ExportSource> src = LoadExportSource(a->tree, error);
    if (!src) return Fail(error);

    CountRequest request;
    request.nodes = src->nodes;
    request.treeDir = src->treeDir;
    request.wantDocumentTotal = false;
    if (a->start) {
        const int at = FindOutputNodeNamed(src->nodes, *a->start);
        if (at < 0) return Fail("ノード[" + *a->start + "]が有りません");
        request.start = static_cast<std::size_t>(at);
    }
    CountReport report;
    CountNodes(request, report);

    // Everything is counted before anything is printed: a failure leaves no partial list.
    std::string out;
    out.reserve(report.listed.size() * 48);
    for (const NodeCount& n : report.listed) {
        out += std::to_string(n.level);
        out += '\t';
        // One record per line: a tab or a line end in a node text is shown escaped.
        out += EscapeControls(Cp932ToUtf8(src->nodes[n.index].text));
        AppendCounts(out, n.own);
    }
    out += "合計";
    AppendCounts(out, report.listedTotal);
    if (!WriteOutput(out) || std::fflush(stdout) != 0)
        return Fail(std::string("ramblenote: cannot write the counts: ") + ReasonText(errno));
    // Pipes and devices are left out, as the search leaves them out; a body that could not be read
    // makes the totals too small, which the exit code says.
    for (const auto* names : {&report.notRegular, &report.unreadable})
        for (const std::string& name : *names)
            PrintMessage(name);
    return report.unreadable.empty() ? kExportOk : kExportFailed;
}

}  // namespace rn::app
