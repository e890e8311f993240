#include "core/batchout/output_guard.h"

#include <sys/stat.h>
#include <unistd.h>

#include "core/text/cp932.h"
#include "core/tree/document.h"
#include "core/tree/files.h"

namespace rn {
namespace {

struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const FileId&) const = default;
};

bool IdOf(const std::string& path, FileId& id) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
    id = {st.st_dev, st.st_ino};
    return true;
}

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
    FileId output, tree;
    const bool outputExists = IdOf(outputPath, output);
    if (outputExists && IdOf(treeFile, tree) && output == tree)
        return TreeClashText(field, outputPath);

    // A file that exists: any link to a body file is that body file.
    if (outputExists) {
        for (const OutputNode& node : nodes) {
            auto body = BodyPathIn(treeDir, node.text);
            FileId id;
            if (body && IdOf(*body, id) && id == output) return BodyClashText(field, outputPath, node.text);
        }
    }
    // A file that would be created: a body file when it would stand in the tree directory under a
    // name that a node gives its body.
    const std::string target = FollowSymlinks(outputPath);
    const std::string name = FileNameOf(target);
    const std::string dir = DirectoryOf(target);
    FileId targetDir, documentDir;
    if (name.empty() || name == "." || name == ".." || !IdOf(dir.empty() ? "." : dir, targetDir) ||
        !IdOf(treeDir, documentDir) || !(targetDir == documentDir))
        return {};
    if (name == FileNameOf(treeFile)) return TreeClashText(field, outputPath);
    for (const OutputNode& node : nodes) {
        auto body = BodyPathIn(treeDir, node.text);
        if (body && FileNameOf(*body) == name) return BodyClashText(field, outputPath, node.text);
    }
    return {};
}

}  // namespace rn
