// SPDX-License-Identifier: MIT
#include "core/batchout/export_source.h"

#include "core/outline/document.h"
#include "core/outline/outline.h"
#include "core/outline/treefile.h"
#include "core/storage/files.h"
#include "core/text/text_entry.h"

namespace rn {

std::optional<ExportSource> LoadExportSource(const std::string& treePath, std::string& error) {
    error.clear();
    ExportSource src;
    src.treeFile = AbsolutePath(treePath);
    if (!FileExists(src.treeFile)) {
        error = "Treeファイルが有りません";
        return std::nullopt;
    }
    const std::string ext = UpperExtensionOf(src.treeFile);
    const bool oldFormat = ext == "TREE";
    if (!oldFormat && ext != "RNOTE") {
        error = "Treeﾌｧｲﾙ[ " + FileNameOf(src.treeFile) + " ]拡張子エラー";
        return std::nullopt;
    }
    src.treeDir = DirectoryWithSlash(src.treeFile);
    // What opening the file shows, read the way opening reads it, but with nothing written back.
    Outline outline;
    TreeFileRead read = ReadTreeFile(src.treeFile, outline);
    if (!read.ok) {
        error = std::move(read.error);
        return std::nullopt;
    }
    bool hasTrash = read.hasTrashLine;
    if (oldFormat) {
        // The converted file has the trash node when one of its root lines is the trash text.
        AppendTxtWhereBodiesExist(outline, src.treeDir);
        hasTrash = false;
        for (const auto& root : outline.Root()->children)
            hasTrash = hasTrash || root->text == kTrashText;
    }
    if (!hasTrash) outline.AppendChild(nullptr, std::string(kTrashText));
    src.nodes = FlattenOutline(outline);
    return src;
}

int FindOutputNode(const std::vector<OutputNode>& nodes, std::string_view text) {
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].text == text) return static_cast<int>(i);
    return -1;
}

int FindOutputNodeNamed(const std::vector<OutputNode>& nodes, const std::string& utf8) {
    const EncodeResult text = EncodeEntry(utf8);
    return text.ok ? FindOutputNode(nodes, text.bytes) : -1;
}

}  // namespace rn
