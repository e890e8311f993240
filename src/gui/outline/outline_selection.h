// SPDX-License-Identifier: MIT
// The outline's selection as the commands use it: which node is selected, selecting one, and
// selecting without the selection change (a command that runs it itself, or none at all).
#pragma once

namespace rn {
struct Node;
}

namespace rn::gui {

class OutlineSelection {
public:
    virtual ~OutlineSelection() = default;

    // The selected node, or null.
    virtual rn::Node* selectedNode() const = 0;
    // Selects `node`, opening the branches it lies in; the selection change runs unless quiet().
    virtual void selectNode(rn::Node* node) = 0;
    // Opens `node`'s own branch.
    virtual void expandNode(rn::Node* node) = 0;
    virtual void focusOutline() = 0;

    // While true, selection changes do not run the selection change.
    bool quiet() const { return quiet_ > 0; }

private:
    friend class QuietSelection;
    int quiet_ = 0;
};

// Keeps the selection change from running for as long as it lives.
class QuietSelection {
public:
    explicit QuietSelection(OutlineSelection& selection) : selection_(selection) { ++selection_.quiet_; }
    ~QuietSelection() { --selection_.quiet_; }
    QuietSelection(const QuietSelection&) = delete;
    QuietSelection& operator=(const QuietSelection&) = delete;

private:
    OutlineSelection& selection_;
};

// Selects `node` without the selection change.
inline void selectQuietly(OutlineSelection& selection, rn::Node* node) {
    QuietSelection quiet(selection);
    selection.selectNode(node);
}

}  // namespace rn::gui
