// SPDX-License-Identifier: MIT
// The delete command: into the trash, and out of the trash for good.
#include "core/notices.h"
#include "core/text/cp932.h"
#include "gui/commands/node_commands.h"
#include "gui/editor/body_editor.h"
#include "gui/outline/outline_view.h"
#include "gui/tree/node_dialog.h"

namespace rn::gui {
namespace {

// The node the outline shows selected once `node` is gone: its next sibling, else the one before,
// else its parent (inside the trash there is always one).
rn::Node* selectionAfterRemoval(rn::Node* node) {
    rn::Node* parent = node->parent;
    if (node->row + 1 < parent->ChildCount()) return parent->Child(node->row + 1);
    if (node->row > 0) return parent->Child(node->row - 1);
    return parent->parent ? parent : nullptr;
}

}  // namespace

void NodeCommands::deleteNode() {
    rn::ClearStatus();
    editor_.closeSearchResults();
    rn::Node* selected = selectedOrTell("削除ノード位置を選択して下さい");
    if (!selected) return;
    rn::NameMode mode = rn::NameMode::MoveToTrash;
    if (rn::IsInTrash(selected)) {
        if (selected->text == rn::kTrashText) {
            rn::ShowStatus("ゴミ箱はノード削除できません");
            return;
        }
        mode = rn::NameMode::DeleteFromTrash;
    }
    const std::optional<NameAnswer> answer = dialog_.ask(mode, selected->text);
    if (!answer) {
        rn::ShowStatus("削除処理はキャンセルされました");
        return;
    }
    // Edits that could not be written stay in the editor rather than vanish.
    if (!doc_.SaveTreeFile() || !editor_.saveCurrentBody()) return;
    const std::string shownName = rn::Cp932ToUtf8(answer->name);
    if (mode == rn::NameMode::MoveToTrash) {
        moveIntoTrash(selected, shownName);
    } else {
        deleteOutOfTrash(selected, shownName);
    }
}

void NodeCommands::moveIntoTrash(rn::Node* node, const std::string& shownName) {
    rn::TrashMove moved = rn::TrashMove::NotSaved;
    {
        QuietSelection quiet(outline_);
        moved = doc_.MoveToTrash(node);
        outline_.selectNode(node);
    }
    switch (moved) {
        case rn::TrashMove::HoldsTheTrash:
            // The first trash node lies inside this very branch (a hand-edited Tree file).
            rn::ShowStatus(shownName + " ノードはゴミ箱を含むため移動できません");
            return;
        case rn::TrashMove::NotSaved:
            return;
        case rn::TrashMove::Moved:
            break;
    }
    outline_.expandNode(rn::FindTrashNode(doc_.outline));
    showNode(node);
    outline_.focusOutline();
    rn::ShowStatus(shownName + " ノードをゴミ箱へ移動しました");
}

void NodeCommands::deleteOutOfTrash(rn::Node* node, const std::string& shownName) {
    rn::TrashDeletion done;
    {
        QuietSelection quiet(outline_);
        done = doc_.DeleteFromTrash(node, [this](rn::Node* leaving) {
            if (rn::Outline::IsWithin(outline_.selectedNode(), leaving))
                outline_.selectNode(selectionAfterRemoval(leaving));
        });
    }
    if (!done.saved) return;
    if (!done.failures.empty()) {
        std::string boxText;
        for (const std::string& failure : done.failures)
            boxText += (boxText.empty() ? "" : "\n") + failure;
        rn::notices().ErrorBox(boxText);
    }
    std::string message =
        done.removedNodes == 0
            ? shownName + " ノードを削除できませんでした"
            : shownName + " ノードを削除しました｡削除ノード件数=" + std::to_string(done.removedNodes) + "件";
    if (done.keptFiles > 0)
        message += "｡他のノードが使う本文ファイル " + std::to_string(done.keptFiles) + "件は残しました";
    if (!done.failures.empty() && done.removedNodes > 0)
        message += "｡削除できないファイル " + std::to_string(done.failures.size()) + "件のノードは残しました";
    editor_.forgetNode();
    editor_.onCurrentNodeChanged(outline_.selectedNode());
    rn::ShowStatus(message);
}

}  // namespace rn::gui
