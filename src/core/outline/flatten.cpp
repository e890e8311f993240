// SPDX-License-Identifier: MIT
#include "core/outline/flatten.h"

namespace rn {

std::vector<OutputNode> FlattenOutline(const Outline& outline) {
    std::vector<OutputNode> nodes;
    const auto& all = outline.Preorder();
    nodes.reserve(all.size());
    for (const Node* n : all)
        nodes.push_back({outline.IndexedLevelOf(n) + 1, n->text});
    return nodes;
}

}  // namespace rn
