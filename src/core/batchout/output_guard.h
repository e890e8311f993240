// SPDX-License-Identifier: MIT
// Output paths that would overwrite the document itself: the Tree file or a body file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/batchout/batch_output.h"

namespace rn {

// The refusal message (UTF-8) when `outputPath` is the Tree file or the body file of one of `nodes`
// (whether or not that body exists yet); empty when the path is free. Paths are compared as files:
// another spelling ("./", "../"), a symbolic link or a hard link to one of them counts as that file.
// `field` names the path in the message: "出力ファイル" or "目次ファイル".
std::string DocumentFileClash(const std::string& outputPath, const std::string& treeFile, const std::string& treeDir,
                              const std::vector<OutputNode>& nodes, std::string_view field = "出力ファイル");

}  // namespace rn
