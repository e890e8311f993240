// Deleting a branch out of the trash for good: the Tree file first, then the body files, then the
// outline.
#include <unordered_map>
#include <unordered_set>

#include "core/outline/document.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

std::optional<FileId> IdentityOf(const std::optional<std::string>& path) {
    return path ? FileIdOf(*path) : std::nullopt;
}

// The body files that nodes outside a branch name. A file system that ignores letter case (a memory
// stick) makes "a.TXT" and "A.TXT" one file: texts that differ only in ASCII case are compared as files.
class NamesInUse {
public:
    NamesInUse(const Document& doc, const std::vector<Node*>& outside) : doc_(doc) {
        for (const Node* n : outside)
            byFoldedText_.emplace(SjisAsciiUpper(n->text), n->text);
    }

    bool Names(const std::string& text) const {
        auto [from, to] = byFoldedText_.equal_range(SjisAsciiUpper(text));
        if (from == to) return false;
        const auto self = IdentityOf(doc_.BodyPath(text));
        for (auto it = from; it != to; ++it) {
            if (it->second == text) return true;
            if (self && IdentityOf(doc_.BodyPath(it->second)) == self) return true;
        }
        return false;
    }

private:
    const Document& doc_;
    std::unordered_multimap<std::string, std::string> byFoldedText_;
};

}  // namespace

TrashDeletion Document::DeleteFromTrash(Node* branch, const std::function<void(Node*)>& beforeRemoval) {
    TrashDeletion result;
    // The branch is the node and every following node deeper than it.
    const auto& all = outline.Preorder();
    const std::size_t first = static_cast<std::size_t>(outline.IndexOf(branch));
    const int level = outline.IndexedLevelOf(branch);
    std::size_t end = first + 1;
    while (end < all.size() && outline.IndexedLevelOf(all[end]) > level)
        ++end;
    std::vector<Node*> inside(all.begin() + static_cast<std::ptrdiff_t>(first),
                              all.begin() + static_cast<std::ptrdiff_t>(end));
    std::vector<Node*> outside(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(first));
    outside.insert(outside.end(), all.begin() + static_cast<std::ptrdiff_t>(end), all.end());

    // No body file is deleted while the Tree file still lists it.
    if (!SaveTreeFile(branch)) return result;
    result.saved = true;

    const NamesInUse inUse(*this, outside);
    std::unordered_set<std::string> handled;
    std::unordered_set<const Node*> staying;
    for (Node* n : inside) {
        if (!n->IsText() || !handled.insert(n->text).second) continue;
        // Only files in the tree directory, and never a name read as a pattern.
        const auto path = BodyPath(n->text);
        if (!path) continue;
        if (inUse.Names(n->text)) {
            ++result.keptFiles;
            continue;
        }
        std::string reason;
        if (DeleteFiles(*path, false, &reason) >= 0) continue;
        result.failures.push_back("ファイル \"" + *path + "\" を削除できません。" + reason);
        // The node keeps its body, and the nodes above it in the branch keep their places.
        for (const Node* up = n; up && staying.insert(up).second && up != branch; up = up->parent) {
        }
    }

    if (staying.empty()) {
        result.removedNodes = static_cast<int>(inside.size());
        if (beforeRemoval) beforeRemoval(branch);
        outline.Remove(branch);
        return result;
    }
    // Only the parts of the branch without a body that stayed leave.
    std::vector<Node*> leaving;
    for (Node* n : inside) {
        if (staying.count(n) || !staying.count(n->parent)) continue;
        leaving.push_back(n);
    }
    for (Node* n : inside)
        if (!staying.count(n)) ++result.removedNodes;
    for (Node* n : leaving) {
        if (beforeRemoval) beforeRemoval(n);
        outline.Remove(n);
    }
    SaveTreeFile();
    return result;
}

}  // namespace rn
