#include "core/batchout/export_source.h"

#include <filesystem>

#include "core/tree/document.h"
#include "core/tree/files.h"
#include "core/tree/outline.h"
#include "core/tree/treefile.h"

namespace rn {
namespace {

std::string AbsolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.lexically_normal().string();
}

}  // namespace

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
    const std::string dir = DirectoryOf(src.treeFile);
    src.treeDir = dir == "/" ? dir : dir + "/";

    std::string bytes, reason;
    if (!ReadFileBytes(src.treeFile, bytes, &reason)) {
        error = OpenErrorText(src.treeFile, reason);
        return std::nullopt;
    }
    TreeLines tree = SplitTreeLines(bytes);
    if (tree.dataAfterNul) {
        error = OpenErrorText(src.treeFile, "途中に NUL バイトがあり、その後ろを読み込めません");
        return std::nullopt;
    }
    Outline outline;
    TreeParseResult parsed = ParseTreeLines(tree.lines, outline);
    if (!parsed.ok) {
        error = parsed.error;
        return std::nullopt;
    }
    src.nodes = FlattenOutline(outline);

    bool hasTrash = false;
    if (oldFormat) {
        // The conversion names a node after its body file when "<text>.TXT" exists; the converted
        // file then has the trash node when one of its root lines is the trash text.
        for (OutputNode& n : src.nodes) {
            std::string withTxt = n.text + ".TXT";
            auto body = BodyPathIn(src.treeDir, withTxt);
            if (body && FileExists(*body)) n.text = std::move(withTxt);
            if (n.level == 1 && n.text == kTrashText) hasTrash = true;
        }
    } else {
        // Opening looks for a line that is exactly the trash text (a root line without indentation).
        for (std::string_view line : tree.lines) {
            if (line == kTrashText) {
                hasTrash = true;
                break;
            }
        }
    }
    if (!hasTrash) src.nodes.push_back({1, std::string(kTrashText)});
    return src;
}

int FindOutputNode(const std::vector<OutputNode>& nodes, std::string_view text) {
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].text == text) return static_cast<int>(i);
    return -1;
}

}  // namespace rn
