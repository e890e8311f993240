// SPDX-License-Identifier: MIT
// The pages of a node, a branch or the whole outline outside the trash: bodies laid out in a grid,
// with a heading for each node of a branch (its text without ".TXT", numbered as the batch output
// numbers it). A single node is its body alone, so that its pages are the sheets the counts give.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/batchout/btxtout_settings.h"
#include "core/layout/grid.h"
#include "core/layout/page_composer.h"
#include "core/outline/flatten.h"

namespace rn {

enum class ManuscriptScope { kNode, kBranch, kDocument };

struct ManuscriptRequest {
    std::span<const OutputNode> nodes;  // the outline in document order
    std::string treeDir;                // with a trailing "/"
    ManuscriptScope scope = ManuscriptScope::kDocument;
    std::size_t start = 0;  // the chosen node (kNode, kBranch)
    Grid grid = kManuscriptGrid;
    BatchOutputSettings numbering;  // the numbering style, user formats and separator of headings
    // When set (a native path), the pages of this one file instead, as for kNode: printing a body.
    std::string bodyFile;
};

struct ManuscriptReport {
    // "ファイル "<path>" は開けません。<reason>" (UTF-8) for bodies that could not be read (their pages
    // hold what was read) and for bodies that are pipes or devices (left out unread).
    std::vector<std::string> unreadable;
    std::vector<std::string> notRegular;
};

// Told before each node (done from 0 up to total); false stops.
using ManuscriptProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Lays the request out and hands each page to `sink`. False when the sink or the progress stopped it.
bool ComposeManuscript(const ManuscriptRequest& request, const PageSink& sink, ManuscriptReport& report,
                       const ManuscriptProgress& progress = {});

// The heading of a node (CP932): its label and separator as in the batch output, then its text
// without a final ".TXT".
std::string HeadingText(std::string_view label, std::string_view nodeText, const BatchOutputSettings& numbering);

// CP932 bytes of one line (a node text) as Unicode characters.
std::u32string LineCharacters(std::string_view cp932);

}  // namespace rn
