// SPDX-License-Identifier: MIT
// The outline of a Tree file for a batch output without a window: the nodes the main window would
// show after opening the file, read without changing anything on disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/batchout/batch_output.h"

namespace rn {

struct ExportSource {
    std::string treeFile;           // absolute path
    std::string treeDir;            // its directory with a trailing "/"
    std::vector<OutputNode> nodes;  // document order, levels from 1
};

// Reads `treePath` (".Rnote", or an old ".Tree" whose node gets ".TXT" when that body file exists)
// and appends the trash node when the file has none, all in memory. A file that cannot be read
// completely (missing, unreadable, an invalid level, data after a NUL byte) gives nullopt and the
// message (UTF-8) in `error`.
std::optional<ExportSource> LoadExportSource(const std::string& treePath, std::string& error);

// Index of the first node with `text` (CP932), or -1.
int FindOutputNode(const std::vector<OutputNode>& nodes, std::string_view text);
// The same for a node text as typed on a command line (UTF-8, with the entry mapping of input-method
// signs); -1 also when it holds a character no node text can.
int FindOutputNodeNamed(const std::vector<OutputNode>& nodes, const std::string& utf8);

}  // namespace rn
