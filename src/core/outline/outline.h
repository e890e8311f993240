// SPDX-License-Identifier: MIT
// The outline: nodes with CP932 texts, a kind, a parent and children, in document order. The outline
// view shows it through an observer that hears of every insertion, removal, move and change.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rn {

// The trash node's text, "ゴミ箱" in CP932.
inline constexpr std::string_view kTrashText = "\x83\x53\x83\x7E\x94\xA0";

enum class NodeKind : unsigned char { Folder, Text, Trash };

struct Node {
    Node() = default;
    ~Node();  // iterative, so that very deep branches cannot exhaust the stack
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    std::string text;
    NodeKind kind = NodeKind::Folder;
    Node* parent = nullptr;  // null for the invisible root
    std::vector<std::unique_ptr<Node>> children;
    int row = 0;  // position among its parent's children

    bool IsText() const { return kind == NodeKind::Text; }
    int ChildCount() const { return static_cast<int>(children.size()); }
    Node* Child(int i) const { return children[static_cast<std::size_t>(i)].get(); }

private:
    friend class Outline;
    mutable int absIndex_ = -1;
    mutable int level_ = 0;
};

// Told before and after every change, so that a view can keep its own state (expansion, selection).
// Parents are given as nodes; the invisible root stands for "no parent".
class OutlineObserver {
public:
    virtual ~OutlineObserver() = default;
    virtual void BeforeInsert(Node* parent, int row) = 0;
    virtual void AfterInsert() = 0;
    virtual void BeforeRemove(Node* parent, int row) = 0;
    virtual void AfterRemove() = 0;
    // `destRow` counts in the new parent's children before the node is taken out.
    virtual void BeforeMove(Node* node, Node* newParent, int destRow) = 0;
    virtual void AfterMove() = 0;
    virtual void BeforeReset() = 0;
    virtual void AfterReset() = 0;
    virtual void Changed(Node* node) = 0;
};

class Outline {
public:
    Outline();
    Outline(const Outline&) = delete;
    Outline& operator=(const Outline&) = delete;

    Node* Root() { return &root_; }
    const Node* Root() const { return &root_; }
    bool Empty() const { return root_.children.empty(); }
    // Number of nodes.
    int Count() const;
    // Node at an absolute index (pre-order, from 0), or null when out of range.
    Node* At(int index) const;
    // Absolute index of a node of this outline.
    int IndexOf(const Node* node) const;
    // Depth: 0 for a root node.
    static int LevelOf(const Node* node);
    // The same for a node of this outline, from the index (constant time once indexed).
    int IndexedLevelOf(const Node* node) const;
    // All nodes in pre-order.
    const std::vector<Node*>& Preorder() const;

    // Adds a node as the last child of `parent` (null or Root(): a root node).
    Node* AppendChild(Node* parent, std::string text, NodeKind kind = NodeKind::Folder);
    // Inserts a node immediately before `sibling`, under the same parent.
    Node* InsertBefore(Node* sibling, std::string text, NodeKind kind = NodeKind::Folder);
    // Moves `node` with its branch so that it stands before child `destRow` of `newParent` (counted
    // before the move; the child count means "last"). False, and nothing changes, when `newParent` is
    // the node itself or one of its descendants.
    bool Move(Node* node, Node* newParent, int destRow);
    // Moves `node` back to the place it had: child `row` of `parent` (counted without the node).
    void MoveBack(Node* node, Node* parent, int row);
    // Removes `node` with its whole branch.
    void Remove(Node* node);
    void SetText(Node* node, std::string text);
    void SetKind(Node* node, NodeKind kind);
    // Takes over all nodes of `other` (which is left empty), as one reset.
    void ReplaceWith(Outline& other);
    void Clear();

    // True when `node` is `ancestor` or lies below it.
    static bool IsWithin(const Node* node, const Node* ancestor);

    void SetObserver(OutlineObserver* observer) { observer_ = observer; }
    OutlineObserver* Observer() const { return observer_; }

private:
    void Invalidate() { indexValid_ = false; }
    void Reindex() const;
    static void Renumber(Node* parent, int from);

    Node root_;
    OutlineObserver* observer_ = nullptr;
    mutable std::vector<Node*> preorder_;
    mutable bool indexValid_ = true;
};

// Yes when the node or one of its ancestors has the trash text (byte for byte).
bool IsInTrash(const Node* node);
// The first node in pre-order whose text is the trash text; null when none. Its index goes to `index`.
Node* FindTrashNode(const Outline& outline, int* index = nullptr);

}  // namespace rn
