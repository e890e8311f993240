// SPDX-License-Identifier: MIT
// The search over the bodies of a document's text nodes, and its result list: a header line, a dash
// line and one result line per occurrence,
//   node index,editor state,position,line,node text:line text
// A narrowing search looks only in the nodes a previous list names (field 1 of its result lines).
// The lists are CP932 text; the window shows them and reads fields 1 and 4 back for a jump.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/outline/outline.h"
#include "core/search/body_search.h"

namespace rn {

// One node of the outline, in outline order.
struct SearchNode {
    std::string_view text;  // CP932; also the body file's name
    bool textNode = false;  // a node that is not a text node is never searched
};

// The outline's nodes in outline order (absolute index = position in the vector).
std::vector<SearchNode> SearchNodesOf(const Outline& outline);

class SearchObserver {
public:
    virtual ~SearchObserver() = default;
    // `done` of `total` nodes have been handled. Called after every node: show it at a bounded rate.
    virtual void Progress(std::size_t /*done*/, std::size_t /*total*/) {}
    // Asked after every node: true ends the search there, with the occurrences found so far.
    virtual bool Stopped() { return false; }
};

// Where and how a search runs.
struct SearchScope {
    const std::vector<SearchNode>& nodes;
    std::string treeDir;  // with a trailing "/"
    int editState = 0;    // field 2 of every result line
    SearchObserver* observer = nullptr;
};

// Line 0 as first written: "検索文字=[key]", or "絞り込み検索文字=[key]" for a narrowing search.
std::string SearchHeader(std::string_view key, bool narrowing);
// Line 0 once `found` occurrences were found: the header with " --- <found>箇所検索" (nothing for 0).
std::string CountedHeader(std::string_view header, std::size_t found);
// Line 1: one "-" per byte of the header as first written.
std::string DashLine(std::string_view header);

// Takes result lines a piece at a time: whole lines, each ending in "\n", about kLinePiece bytes
// together. The receiver may keep the bytes (the string is emptied afterwards). Returning false ends
// the search after these lines.
using LineSink = std::function<bool(std::string& lines)>;
inline constexpr std::size_t kLinePiece = std::size_t(1) << 20;

// The line text of a result line is cut after this many characters, and "…" put after it: a body
// written as one long line would otherwise repeat it whole for every occurrence.
inline constexpr std::size_t kResultLineChars = 200;

struct ResultList {
    std::string header;  // line 0 as first written, CP932
    std::string lines;   // the result lines, CP932, each ending in "\n" (empty when a sink took them)
    std::size_t found = 0;
    bool stopped = false;  // the search was ended before it had looked everywhere
    // Body files that exist but could not be read: the error texts (UTF-8). Their nodes were skipped.
    std::vector<std::string> unreadable;

    std::string HeaderLine() const { return CountedHeader(header, found); }
    std::string DashLine() const { return rn::DashLine(header); }
    // The whole list as the lower pane holds it, lines separated by "\n" (no "\n" after the last).
    std::string Text() const;
};

// A new search for `key` (CP932, not empty) in every text node with a body file, in outline order:
// the trash's descendants are searched, folder nodes and the trash node are not. With a sink, the
// result lines go there as they are found instead of into the list.
ResultList NewSearch(const SearchScope& scope, std::string_view key, const LineSink& sink = {});
// A narrowing search: `key` in the whole body of each node of `listed` (absolute indexes, in list
// order), each node once. Indexes outside the outline are passed over.
ResultList NarrowSearch(const SearchScope& scope, std::string_view key, const std::vector<int>& listed,
                        const LineSink& sink = {});

// The nodes a narrowing search looks in: `listed` without repeats and without indexes outside an
// outline of `count` nodes, in list order.
std::vector<std::size_t> NodesToNarrow(const std::vector<int>& listed, std::size_t count);

// One key searched node by node, for callers that handle the lines themselves (a list too long to
// hold is counted first, then written out piece by piece).
class NodeSearch {
public:
    NodeSearch(const SearchScope& scope, std::string_view key);

    // Appends the result lines of node `index` to `out` and returns their number. Nodes that are not
    // searched (folders, the trash node, no body file, a text that names no file) give 0. With a
    // sink, `out` goes there whenever it holds kLinePiece bytes, also in the middle of a node; when
    // the sink says stop, the node ends there and Stopped() is true.
    std::size_t AppendLines(std::size_t index, std::string& out, const LineSink& sink = {});
    bool Stopped() const { return stopped_; }
    // Only the number of occurrences in node `index`.
    std::size_t Count(std::size_t index);
    // Error texts (UTF-8) of the body files that could not be read so far.
    std::vector<std::string>& Unreadable() { return unreadable_; }

private:
    // Reads the body of node `index` into body_; false for nodes that are not searched.
    bool ReadBody(std::size_t index);

    const SearchScope& scope_;
    SearchKey key_;
    std::string body_;  // one buffer for every body read
    std::vector<std::string> unreadable_;
    bool stopped_ = false;
};

// Field 1 of every result line of a list text (from line 2 on): the nodes a narrowing search looks
// in. Lines whose field 1 is not a number are passed over. The text may be CP932 or UTF-8: the fields
// read are ASCII either way.
std::vector<int> ListedNodes(std::string_view listText);

// What a click on a list line jumps to: fields 1 and 4 of a result line.
struct ResultTarget {
    int node = 0;  // absolute index
    int line = 0;  // 1-based body line
};
// nullopt for a line that is no result line (header, dash, empty or damaged lines).
std::optional<ResultTarget> ParseResultLine(std::string_view line);

}  // namespace rn
