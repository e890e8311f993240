// SPDX-License-Identifier: MIT
#include "app/search_command.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "app/terminal_output.h"
#include "app/usage.h"
#include "core/batchout/export_source.h"
#include "core/notices.h"
#include "core/outline/document.h"
#include "core/outline/node_names.h"
#include "core/search/node_search.h"
#include "core/text/cp932.h"
#include "core/text/terminal_text.h"

namespace rn::app {
namespace {

// Keeps the dialog's refusal messages and agrees to every cleaned key, as a user confirming would.
class KeyCheckNotices : public Notices {
public:
    void MessageBox(const std::string& text) override { message = text; }
    void ErrorBox(const std::string& text) override { message = text; }
    void AbortBox(const std::string& text) override { message = text; }
    void WarningBox(const std::string& text) override { message = text; }
    bool AskYesNo(const std::string&) override { return true; }
    bool AskYesCancel(const std::string&) override { return true; }
    void SetStatusText(const std::string&) override {}
    void Beep() override {}

    std::string message;
};

// The node-name dialog's rules for a search key: text CP932 cannot hold and "ゴミ箱" are refused,
// the characters file names cannot hold are removed. The key in CP932, or nullopt and the reason.
std::optional<std::string> CheckedKey(const std::string& typed, std::string& problem) {
    // No dialog can give a key a line end, a tab or another control character.
    if (std::any_of(typed.begin(), typed.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        problem = "the search key \"" + typed + "\" holds a control character";
        return std::nullopt;
    }
    KeyCheckNotices boxes;
    NameCheck check;
    {
        ScopedNotices scope(&boxes);
        check = ConfirmNodeName(NameMode::Search, typed, "", false);
    }
    if (check.outcome == NameOutcome::Confirmed) return check.name;
    if (!boxes.message.empty())
        problem = boxes.message;
    else if (typed.empty())
        problem = "the search key is empty";
    else
        problem = "the search key \"" + typed + "\" is empty once \\ / : * ? \" < > | and leading blanks are removed";
    return std::nullopt;
}

// Writes CP932 text to stdout as UTF-8, through one buffer for every piece. False after a write error.
bool WriteUtf8(std::string_view text) {
    static std::string utf8;
    if (utf8.size() < Utf8Room(text.size())) utf8.resize(Utf8Room(text.size()));
    const std::size_t size = Cp932ToUtf8Into(text, utf8.data());
    return WriteOutput(std::string_view(utf8.data(), size));
}

}  // namespace

int RunSearchCommand(const std::vector<std::string>& args) {
    std::string problem;
    std::optional<CommandLine> line = ParseCommandLine(args, {{"--search", true}}, problem);
    std::optional<std::string> tree = line ? TreeFileOperand(*line, problem) : std::nullopt;
    std::vector<std::string> keys;
    if (tree) {
        for (const std::string& typed : line->ValuesOf("--search")) {
            std::optional<std::string> key = CheckedKey(typed, problem);
            if (!key) break;
            keys.push_back(std::move(*key));
        }
        if (keys.empty() && problem.empty()) problem = "KEY is missing";
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "ramblenote: %s\n%s", EscapeControls(problem).c_str(), UsageOf("--search").c_str());
        return kSearchUsage;
    }

    std::string error;
    std::optional<ExportSource> src = LoadExportSource(*tree, error);
    if (!src) {
        PrintMessage(error);
        return kSearchFailed;
    }
    // Opening marks a node as a text node when its body file exists; the search asks the disk itself.
    std::vector<SearchNode> nodes;
    nodes.reserve(src->nodes.size());
    for (const OutputNode& n : src->nodes)
        nodes.push_back({n.text, true});
    const SearchScope scope{nodes, src->treeDir, kNoBody, nullptr};

    // Each key is first only counted, node by node: the list, which can be far larger than the
    // bodies, is never held. The nodes with occurrences are those the next key narrows to.
    std::vector<std::size_t> targets(nodes.size());
    for (std::size_t i = 0; i < targets.size(); ++i)
        targets[i] = i;
    std::size_t found = 0;
    for (const std::string& key : keys) {
        NodeSearch search(scope, key);
        std::vector<std::size_t> withHits;
        found = 0;
        for (std::size_t node : targets) {
            if (std::size_t n = search.Count(node)) {
                found += n;
                withHits.push_back(node);
            }
        }
        for (const std::string& unreadable : search.Unreadable())
            PrintMessage(unreadable);
        if (found == 0) {
            PrintMessage("検索文字 " + Cp932ToUtf8(key) + " は有りません");
            return kSearchFailed;
        }
        targets = std::move(withHits);
    }

    // Then the last key's lines, written out a piece at a time.
    const std::string header = SearchHeader(keys.back(), keys.size() > 1);
    bool written = WriteUtf8(CountedHeader(header, found) + "\n" + DashLine(header) + "\n");
    NodeSearch search(scope, keys.back());
    std::string piece;
    const LineSink writeOut = [&written](std::string& lines) { return written = written && WriteUtf8(lines); };
    for (std::size_t i = 0; written && i < targets.size(); ++i)
        search.AppendLines(targets[i], piece, writeOut);
    if (!piece.empty()) writeOut(piece);
    if (!written || std::fflush(stdout) != 0) {
        std::perror("ramblenote: stdout");
        return kSearchFailed;
    }
    return kSearchFound;
}

}  // namespace rn::app
