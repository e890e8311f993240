// SPDX-License-Identifier: MIT
// Writer's counts over an outline: each node's own body, the total of a branch and the total of the
// document. Nodes in the trash (the trash node and everything below it) are left out of the document
// total but are counted when their branch is the one chosen.
//
// A node has a body when its text names an existing body file in the tree directory; the body being
// edited can stand in with the count of its current text, unsaved edits included.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/count/text_count.h"
#include "core/outline/flatten.h"
#include "core/outline/outline.h"

namespace rn {

// The body of the node being edited, counted from the editor (CountBody of its text). It replaces
// the file of every node with this text.
struct EditedBody {
    std::string nodeText;  // CP932
    TextCount count;
};

struct CountRequest {
    std::span<const OutputNode> nodes;  // the outline in document order, levels from 1
    std::string treeDir;                // with a trailing "/"
    // The chosen node (index into `nodes`): it and its branch are listed. nullopt: every node outside
    // the trash is listed.
    std::optional<std::size_t> start;
    std::optional<EditedBody> edited;
    // Also count every node outside the trash (reads the whole document's bodies).
    bool wantDocumentTotal = true;
};

struct NodeCount {
    std::size_t index = 0;  // into the request's nodes: the node's absolute index
    int level = 1;          // 1 for a root node
    TextCount own;          // its own body; nothing for a node without one
};

struct CountReport {
    std::vector<NodeCount> listed;  // document order
    TextCount listedTotal;          // the branch total
    TextCount documentTotal;        // every node outside the trash (when asked for)
    // Body files that could not be read and count as empty, and bodies that are pipes or devices and
    // were left unread: "ファイル "<path>" は開けません。<reason>" (UTF-8), in document order.
    std::vector<std::string> unreadable;
    std::vector<std::string> notRegular;
};

enum class CountResult { kDone, kCancelled };

// Told before each node's body is read (done counts from 0 up to total); returning false stops the
// count with kCancelled.
using CountProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Reads the bodies the request needs, each at most once, in blocks. A body that cannot be read does
// not stop the count: it is named in the report.
CountResult CountNodes(const CountRequest& request, CountReport& report, const CountProgress& progress = {});

// The same for the open document: the branch of `selected`, or every node outside the trash when
// `selected` is null. NodeCount::index is the node's absolute index in `outline` (Outline::At).
CountResult CountOutline(const Outline& outline, const std::string& treeDir, const Node* selected,
                         const std::optional<EditedBody>& edited, CountReport& report,
                         const CountProgress& progress = {});

}  // namespace rn
