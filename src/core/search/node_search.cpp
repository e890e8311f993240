// SPDX-License-Identifier: MIT
#include "core/search/node_search.h"

#include <charconv>

#include "core/outline/document.h"
#include "core/search/body_search.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

void AppendNumber(std::string& out, std::size_t n) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, end);
}

// Field `index` (from 0) of a list line cut at ",", read as a whole decimal number.
std::optional<int> IntField(std::string_view line, int index) {
    for (int i = 0; i < index; ++i) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        line.remove_prefix(comma + 1);
    }
    line = line.substr(0, line.find(','));
    int value = 0;
    auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || end != line.data() + line.size() || value < 0) return std::nullopt;
    return value;
}

ResultList RunSearch(const SearchScope& scope, std::string_view key, bool narrowing,
                     const std::vector<std::size_t>& targets, const LineSink& sink) {
    ResultList list;
    list.header = SearchHeader(key, narrowing);
    NodeSearch search(scope, key);
    for (std::size_t i = 0; i < targets.size() && !search.Stopped(); ++i) {
        list.found += search.AppendLines(targets[i], list.lines, sink);
        if (scope.observer) {
            scope.observer->Progress(i + 1, targets.size());
            if (i + 1 < targets.size() && scope.observer->Stopped()) list.stopped = true;
        }
        if (list.stopped) break;
    }
    list.stopped = list.stopped || search.Stopped();
    if (sink && !list.lines.empty()) {
        sink(list.lines);
        list.lines.clear();
    }
    list.unreadable = std::move(search.Unreadable());
    return list;
}

// The line text of a result line: at most kResultLineChars characters, then "…" when there is more.
void AppendLineText(std::string& out, std::string_view line) {
    if (line.size() <= kResultLineChars) {  // as many bytes: no more characters than that
        out.append(line);
        return;
    }
    std::size_t end = 0;
    for (std::size_t chars = 0; end < line.size() && chars < kResultLineChars; ++chars)
        end += SjisCharLength(line, end);
    out.append(line.substr(0, end));
    if (end < line.size()) out += "\x81\x63";  // …
}

}  // namespace

std::vector<SearchNode> SearchNodesOf(const Outline& outline) {
    std::vector<SearchNode> nodes;
    nodes.reserve(outline.Preorder().size());
    for (const Node* n : outline.Preorder())
        nodes.push_back({n->text, n->IsText()});
    return nodes;
}

std::string SearchHeader(std::string_view key, bool narrowing) {
    return Cp932Literal(narrowing ? "絞り込み検索文字=[" : "検索文字=[") + std::string(key) + "]";
}

std::string CountedHeader(std::string_view header, std::size_t found) {
    std::string line(header);
    if (found == 0) return line;
    line += " --- ";
    AppendNumber(line, found);
    return line + Cp932Literal("箇所検索");
}

std::string DashLine(std::string_view header) {
    return std::string(header.size(), '-');
}

std::string ResultList::Text() const {
    std::string text = HeaderLine() + "\n" + DashLine();
    if (!lines.empty()) {
        text.reserve(text.size() + lines.size());
        text += '\n';
        text.append(lines, 0, lines.size() - 1);
    }
    return text;
}

ResultList NewSearch(const SearchScope& scope, std::string_view key, const LineSink& sink) {
    std::vector<std::size_t> all(scope.nodes.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    return RunSearch(scope, key, false, all, sink);
}

ResultList NarrowSearch(const SearchScope& scope, std::string_view key, const std::vector<int>& listed,
                        const LineSink& sink) {
    return RunSearch(scope, key, true, NodesToNarrow(listed, scope.nodes.size()), sink);
}

std::vector<std::size_t> NodesToNarrow(const std::vector<int>& listed, std::size_t count) {
    std::vector<std::size_t> nodes;
    std::vector<bool> taken(count);
    for (int node : listed) {
        if (node < 0 || static_cast<std::size_t>(node) >= count || taken[node]) continue;
        taken[node] = true;
        nodes.push_back(static_cast<std::size_t>(node));
    }
    return nodes;
}

NodeSearch::NodeSearch(const SearchScope& scope, std::string_view key) : scope_(scope), key_(key) {}

bool NodeSearch::ReadBody(std::size_t index) {
    const SearchNode& node = scope_.nodes[index];
    if (!node.textNode || node.text == kTrashText) return false;
    const std::optional<std::string> path = BodyPathIn(scope_.treeDir, node.text);
    if (!path) return false;
    std::string reason;
    bool missing = false;
    if (ReadFileBytes(*path, body_, &reason, &missing)) return true;
    if (!missing) unreadable_.push_back(OpenErrorText(*path, reason));
    return false;
}

std::size_t NodeSearch::Count(std::size_t index) {
    return ReadBody(index) ? BodySearch(key_, body_).CountRest() : 0;
}

std::size_t NodeSearch::AppendLines(std::size_t index, std::string& out, const LineSink& sink) {
    if (!ReadBody(index)) return 0;
    const std::string_view text = scope_.nodes[index].text;
    // The fields before the position are the same on every line of the node.
    std::string lead;
    AppendNumber(lead, index);
    lead += ',';
    AppendNumber(lead, static_cast<std::size_t>(scope_.editState));
    lead += ',';
    BodySearch search(key_, body_);
    BodyHit hit;
    std::size_t found = 0;
    while (search.Next(hit)) {
        ++found;
        out += lead;
        AppendNumber(out, hit.position);
        out += ',';
        AppendNumber(out, hit.line);
        out += ',';
        out += text;
        out += ':';
        AppendLineText(out, hit.lineText);
        out += '\n';
        if (sink && out.size() >= kLinePiece) {
            const bool goOn = sink(out);
            out.clear();
            if (!goOn) {
                stopped_ = true;
                break;
            }
        }
    }
    return found;
}

std::vector<int> ListedNodes(std::string_view listText) {
    std::vector<int> nodes;
    for (int line = 0; !listText.empty(); ++line) {
        const std::size_t end = listText.find('\n');
        std::string_view one = listText.substr(0, end);
        if (!one.empty() && one.back() == '\r') one.remove_suffix(1);
        if (line >= 2)
            if (auto node = IntField(one, 0)) nodes.push_back(*node);
        listText.remove_prefix(end == std::string_view::npos ? listText.size() : end + 1);
    }
    return nodes;
}

std::optional<ResultTarget> ParseResultLine(std::string_view line) {
    auto node = IntField(line, 0);
    auto number = IntField(line, 3);
    if (!node || !number || *number < 1) return std::nullopt;
    return ResultTarget{*node, *number};
}

}  // namespace rn
