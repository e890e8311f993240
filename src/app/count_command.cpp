#include "app/count_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/export_command.h"
#include "app/usage.h"
#include "core/batchout/export_source.h"
#include "core/count/outline_count.h"
#include "core/text/cp932.h"

namespace rn::app {
namespace {

struct CountArgs {
    std::optional<std::string> start;
    std::string tree;
};

std::optional<CountArgs> ParseArgs(const std::vector<std::string>& args, std::string& problem) {
    CountArgs a;
    std::optional<std::string> tree;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (optionsEnd || arg.size() <= 2 || arg.compare(0, 2, "--") != 0) {
            if (tree) {
                problem = "more than one TREEFILE";
                return std::nullopt;
            }
            tree = arg;
        } else if (arg == "--count") {
            // the command itself
        } else if (arg.rfind("--count=", 0) == 0) {
            problem = "--count takes no value";
            return std::nullopt;
        } else if (arg == "--start" || arg.rfind("--start=", 0) == 0) {
            if (a.start) {
                problem = "--start given twice";
                return std::nullopt;
            }
            if (arg.size() > 7) {
                a.start = arg.substr(8);
            } else if (i + 1 < args.size()) {
                a.start = args[++i];
            } else {
                problem = "--start needs a value";
                return std::nullopt;
            }
        } else {
            problem = "unknown option " + arg.substr(0, arg.find('='));
            return std::nullopt;
        }
    }
    if (!tree || tree->empty()) {
        problem = "TREEFILE is missing";
        return std::nullopt;
    }
    a.tree = *tree;
    return a;
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
    std::fprintf(stderr, "%s\n", text.c_str());
    return kExportFailed;
}

}  // namespace

int RunCountCommand(const std::vector<std::string>& args) {
    std::string problem;
    std::optional<CountArgs> a = ParseArgs(args, problem);
    if (!a) {
        std::fprintf(stderr, "ramblenote: %s\n%s", problem.c_str(), UsageOf("--count").c_str());
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
        EncodeResult text = Utf8ToCp932(*a->start);
        const int at = text.ok ? FindOutputNode(src->nodes, text.bytes) : -1;
        if (at < 0) return Fail("出力ノード[" + *a->start + "]が有りません");
        request.start = static_cast<std::size_t>(at);
    }
    CountReport report;
    if (CountNodes(request, report, error) != CountResult::kDone) return Fail(error);

    // Everything is counted before anything is printed: a failure leaves no partial list.
    std::string out;
    out.reserve(report.listed.size() * 48);
    for (const NodeCount& n : report.listed) {
        out += std::to_string(n.level);
        out += '\t';
        out += Cp932ToUtf8(src->nodes[n.index].text);
        AppendCounts(out, n.own);
    }
    out += "合計";
    AppendCounts(out, report.listedTotal);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        return Fail(std::string("ramblenote: cannot write the counts: ") + std::strerror(errno));
    return kExportOk;
}

}  // namespace rn::app
