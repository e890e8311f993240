// SPDX-License-Identifier: MIT
// The outline as a flat list of nodes with their levels, in document order: what the batch output,
// the export and the counts walk.
#pragma once

#include <string>
#include <vector>

#include "core/outline/outline.h"

namespace rn {

// One node of a flattened outline. Level 1 is a root node.
struct OutputNode {
    int level = 1;
    std::string text;  // CP932

    bool operator==(const OutputNode&) const = default;
};

// The outline's nodes in document order with their levels (one walk, no per-node parent chase).
std::vector<OutputNode> FlattenOutline(const Outline& outline);

}  // namespace rn
