// SPDX-License-Identifier: MIT
// The node operations of the document: add, rename, move, into the trash and out of it.
#include <filesystem>
#include <system_error>
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

AddResult Document::AddNode(Node* at, NodePlace place, const std::string& name, bool textNode) {
    if (NameTaken(name, textNode, nullptr)) return {textNode ? AddOutcome::TextNodeExists : AddOutcome::NameTaken};
    // The empty body exists before the node does, and goes again when the node cannot be saved: no
    // file is left that no node names.
    if (textNode && !SaveBody(name, std::string())) return {};
    Node* added = nullptr;
    switch (place) {
        case NodePlace::AfterSiblings:
            added = outline.AppendChild(at->parent, name);
            break;
        case NodePlace::LastChild:
            added = outline.AppendChild(at, name);
            break;
        case NodePlace::Before:
            added = outline.InsertBefore(at, name);
            break;
    }
    if (!SaveTreeFile()) {
        outline.Remove(added);
        // A body that cannot be removed stays as a file no node names; the command ends either way.
        std::error_code ignored;
        if (auto path = BodyPath(name); textNode && path) std::filesystem::remove(*path, ignored);
        return {};
    }
    outline.SetKind(added, KindFromDisk(name));
    return {AddOutcome::Added, added};
}

RenameOutcome Document::RenameNode(Node* node, const std::string& name) {
    const bool textNode = node->IsText();
    if (NameTaken(name, textNode, node) || (textNode && !BodyPath(name))) return RenameOutcome::NameTaken;
    const std::string oldName = node->text;
    const auto oldPath = BodyPath(oldName);
    const auto newPath = BodyPath(name);
    const bool moveFile = textNode && oldPath && newPath && FileExists(*oldPath);
    const bool linked = moveFile && LinkFile(*oldPath, *newPath);
    if (moveFile && !linked && !RenamePath(*oldPath, *newPath)) return RenameOutcome::NotSaved;
    outline.SetText(node, name);
    if (!SaveTreeFile()) {
        outline.SetText(node, oldName);
        if (linked) {
            DeleteFiles(*newPath, false);
        } else if (moveFile) {
            RenamePath(*newPath, *oldPath);
        }
        return RenameOutcome::NotSaved;
    }
    if (linked) DeleteFiles(*oldPath, false);
    outline.SetKind(node, KindFromDisk(name));
    return RenameOutcome::Renamed;
}

MoveOutcome Document::MoveNode(Node* node, Node* parent, int row) {
    Node* oldParent = node->parent;
    const int oldRow = node->row;
    if (!outline.Move(node, parent, row)) return MoveOutcome::IntoItself;
    if (node->parent == oldParent && node->row == oldRow) return MoveOutcome::AlreadyThere;
    if (SaveTreeFile()) return MoveOutcome::Moved;
    outline.MoveBack(node, oldParent, oldRow);
    return MoveOutcome::NotSaved;
}

TrashMove Document::MoveToTrash(Node* node) {
    Node* trash = FindTrashNode(outline);
    if (!trash) return TrashMove::HoldsTheTrash;
    switch (MoveNode(node, trash, trash->ChildCount())) {
        case MoveOutcome::IntoItself:
            return TrashMove::HoldsTheTrash;
        case MoveOutcome::NotSaved:
            return TrashMove::NotSaved;
        case MoveOutcome::Moved:
        case MoveOutcome::AlreadyThere:
            break;
    }
    return TrashMove::Moved;
}

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
