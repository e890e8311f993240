// SPDX-License-Identifier: MIT
#include "core/outline/outline.h"

namespace rn {

Node::~Node() {
    std::vector<std::unique_ptr<Node>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<Node> n = std::move(pending.back());
        pending.pop_back();
        for (auto& c : n->children)
            pending.push_back(std::move(c));
        n->children.clear();
    }
}

Outline::Outline() = default;

void Outline::Reindex() const {
    preorder_.clear();
    // Iterative walk: outlines may be deep enough to make recursion a risk.
    std::vector<std::pair<const Node*, std::size_t>> stack;
    stack.emplace_back(&root_, 0);
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next < node->children.size()) {
            Node* child = node->children[next++].get();
            child->absIndex_ = static_cast<int>(preorder_.size());
            child->level_ = static_cast<int>(stack.size()) - 1;
            preorder_.push_back(child);
            stack.emplace_back(child, 0);
        } else {
            stack.pop_back();
        }
    }
    indexValid_ = true;
}

const std::vector<Node*>& Outline::Preorder() const {
    if (!indexValid_) Reindex();
    return preorder_;
}

int Outline::Count() const {
    return static_cast<int>(Preorder().size());
}

Node* Outline::At(int index) const {
    const auto& all = Preorder();
    if (index < 0 || index >= static_cast<int>(all.size())) return nullptr;
    return all[static_cast<std::size_t>(index)];
}

int Outline::IndexOf(const Node* node) const {
    if (!node || node == &root_) return -1;
    Preorder();
    return node->absIndex_;
}

int Outline::IndexedLevelOf(const Node* node) const {
    Preorder();
    return node->level_;
}

int Outline::LevelOf(const Node* node) {
    int level = -1;
    for (const Node* n = node; n && n->parent; n = n->parent)
        ++level;
    return level;
}

void Outline::Renumber(Node* parent, int from) {
    for (std::size_t i = static_cast<std::size_t>(from); i < parent->children.size(); ++i)
        parent->children[i]->row = static_cast<int>(i);
}

Node* Outline::AppendChild(Node* parent, std::string text, NodeKind kind) {
    if (!parent) parent = &root_;
    int row = parent->ChildCount();
    if (observer_) observer_->BeforeInsert(parent, row);
    auto node = std::make_unique<Node>();
    node->text = std::move(text);
    node->kind = kind;
    node->parent = parent;
    node->row = row;
    Node* raw = node.get();
    parent->children.push_back(std::move(node));
    Invalidate();
    if (observer_) observer_->AfterInsert();
    return raw;
}

Node* Outline::InsertBefore(Node* sibling, std::string text, NodeKind kind) {
    Node* parent = sibling->parent;
    int row = sibling->row;
    if (observer_) observer_->BeforeInsert(parent, row);
    auto node = std::make_unique<Node>();
    node->text = std::move(text);
    node->kind = kind;
    node->parent = parent;
    Node* raw = node.get();
    parent->children.insert(parent->children.begin() + row, std::move(node));
    Renumber(parent, row);
    Invalidate();
    if (observer_) observer_->AfterInsert();
    return raw;
}

bool Outline::IsWithin(const Node* node, const Node* ancestor) {
    for (const Node* n = node; n; n = n->parent)
        if (n == ancestor) return true;
    return false;
}

bool Outline::Move(Node* node, Node* newParent, int destRow) {
    if (!newParent) newParent = &root_;
    if (IsWithin(newParent, node)) return false;
    Node* oldParent = node->parent;
    int oldRow = node->row;
    if (destRow < 0 || destRow > newParent->ChildCount()) destRow = newParent->ChildCount();
    if (oldParent == newParent && (destRow == oldRow || destRow == oldRow + 1)) return true;  // already there
    if (observer_) observer_->BeforeMove(node, newParent, destRow);
    std::unique_ptr<Node> owned = std::move(oldParent->children[static_cast<std::size_t>(oldRow)]);
    oldParent->children.erase(oldParent->children.begin() + oldRow);
    Renumber(oldParent, oldRow);
    int insertRow = (oldParent == newParent && destRow > oldRow) ? destRow - 1 : destRow;
    owned->parent = newParent;
    newParent->children.insert(newParent->children.begin() + insertRow, std::move(owned));
    Renumber(newParent, insertRow);
    Invalidate();
    if (observer_) observer_->AfterMove();
    return true;
}

void Outline::MoveBack(Node* node, Node* parent, int row) {
    // Move counts the destination with the node still in its place.
    Move(node, parent, node->parent == parent && node->row < row ? row + 1 : row);
}

void Outline::Remove(Node* node) {
    Node* parent = node->parent;
    int row = node->row;
    if (observer_) observer_->BeforeRemove(parent, row);
    parent->children.erase(parent->children.begin() + row);
    Renumber(parent, row);
    Invalidate();
    if (observer_) observer_->AfterRemove();
}

void Outline::SetText(Node* node, std::string text) {
    node->text = std::move(text);
    if (observer_) observer_->Changed(node);
}

void Outline::SetKind(Node* node, NodeKind kind) {
    if (node->kind == kind) return;
    node->kind = kind;
    if (observer_) observer_->Changed(node);
}

void Outline::ReplaceWith(Outline& other) {
    if (observer_) observer_->BeforeReset();
    root_.children = std::move(other.root_.children);
    other.root_.children.clear();
    for (auto& child : root_.children)
        child->parent = &root_;
    Invalidate();
    other.Invalidate();
    if (observer_) observer_->AfterReset();
}

void Outline::Clear() {
    if (observer_) observer_->BeforeReset();
    root_.children.clear();
    Invalidate();
    if (observer_) observer_->AfterReset();
}

bool IsInTrash(const Node* node) {
    for (const Node* n = node; n && n->parent; n = n->parent)
        if (n->text == kTrashText) return true;
    return false;
}

Node* FindTrashNode(const Outline& outline, int* index) {
    const auto& all = outline.Preorder();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i]->text == kTrashText) {
            if (index) *index = static_cast<int>(i);
            return all[i];
        }
    }
    if (index) *index = -1;
    return nullptr;
}

}  // namespace rn
