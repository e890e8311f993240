// SPDX-License-Identifier: MIT
#include "core/batchout/output_guard.h"

#include "core/outline/document.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

std::string BodyClashText(std::string_view field, const std::string& outputPath, std::string_view nodeText) {
    return std::string(field) + "にノード[" + Cp932ToUtf8(nodeText) + "]の本文ファイル[" + outputPath +
           "]は指定できません";
}

std::string TreeClashText(std::string_view field, const std::string& outputPath) {
    return std::string(field) + "にTreeファイル[" + outputPath + "]は指定できません";
}

}  // namespace

std::string DocumentFileClash(const std::string& outputPath, const std::string& treeFile, const std::string& treeDir,
                              const std::vector<OutputNode>& nodes, std::string_view field) {
    const std::optional<FileId> output = FileIdOf(outputPath);
    if (output && FileIdOf(treeFile) == output) return TreeClashText(field, outputPath);

    // A file that exists: any link to a body file is that body file.
    if (output) {
        for (const OutputNode& node : nodes) {
            auto body = BodyPathIn(treeDir, node.text);
            if (body && FileIdOf(*body) == output) return BodyClashText(field, outputPath, node.text);
        }
    }
    // A file that would be created: a body file when it would stand in the tree directory under a
    // name that a node gives its body.
    const std::string target = FollowSymlinks(outputPath);
    const std::string name = FileNameOf(target);
    const std::string dir = DirectoryOf(target);
    if (name.empty() || name == "." || name == ".." || !SameFile(dir.empty() ? "." : dir, treeDir)) return {};
    if (name == FileNameOf(treeFile)) return TreeClashText(field, outputPath);
    for (const OutputNode& node : nodes) {
        auto body = BodyPathIn(treeDir, node.text);
        if (body && FileNameOf(*body) == name) return BodyClashText(field, outputPath, node.text);
    }
    return {};
}

}  // namespace rn
