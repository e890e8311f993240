// The delete command: into the trash, and out of the trash for good.
#include "core/notices.h"
#include "core/outline/node_names.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "gui/mainwin/body_editor.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/node_commands.h"
#include "gui/mainwin/outline_model.h"
#include "gui/mainwin/outline_view.h"
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
    AppState& s = window_.state();
    rn::Document& doc = window_.doc();
    rn::ClearStatus();
    window_.closeSearchResults();
    rn::Node* selected = selectedOrTell("削除ノード位置を選択して下さい");
    if (!selected) return;
    int mode = rn::kModeMoveToTrash;
    if (rn::IsInTrash(selected)) {
        if (selected->text == rn::kTrashText) {
            rn::ShowStatus("ゴミ箱はノード削除できません");
            return;
        }
        mode = rn::kModeDeleteFromTrash;
    }
    if (!askNodeName(mode, selected)) {
        rn::ShowStatus("削除処理はキャンセルされました");
        return;
    }
    const std::string shownName = rn::Cp932ToUtf8(s.nameDialog.name);
    // Edits that could not be written stay in the editor rather than vanish.
    if (!doc.SaveTreeFile() || !window_.saveCurrentBody()) return;

    std::string message;
    if (mode == rn::kModeMoveToTrash) {
        rn::Node* trash = rn::FindTrashNode(doc.outline);
        const MoveOutcome outcome = trash ? moveAndSave(selected, trash, trash->ChildCount()) : MoveOutcome::IntoItself;
        if (outcome == MoveOutcome::IntoItself) {
            // The first trash node lies inside this very branch (a hand-edited Tree file).
            rn::ShowStatus(shownName + " ノードはゴミ箱を含むため移動できません");
            return;
        }
        if (outcome == MoveOutcome::NotSaved) return;
        doc.editorNodeText.clear();
        window_.outlineView()->expand(window_.outlineModel()->indexOf(trash));
        selectQuietly(selected);
        window_.FocusOutline();
        message = shownName + " ノードをゴミ箱へ移動しました";
    } else {
        ++s.selectionQuiet;
        const rn::TrashDeletion done = doc.DeleteFromTrash(selected, [this](rn::Node* leaving) {
            if (rn::Outline::IsWithin(window_.selectedNode(), leaving))
                window_.SelectNode(selectionAfterRemoval(leaving));
        });
        --s.selectionQuiet;
        if (!done.saved) return;
        doc.editorNodeText.clear();
        if (!done.failures.empty()) {
            std::string boxText;
            for (const std::string& failure : done.failures)
                boxText += (boxText.empty() ? "" : "\n") + failure;
            rn::notices().ErrorBox(boxText);
        }
        message = done.removedNodes == 0
                      ? shownName + " ノードを削除できませんでした"
                      : shownName + " ノードを削除しました｡削除ノード件数=" + std::to_string(done.removedNodes) + "件";
        if (done.keptFiles > 0)
            message += "｡他のノードが使う本文ファイル " + std::to_string(done.keptFiles) + "件は残しました";
        if (!done.failures.empty() && done.removedNodes > 0)
            message += "｡削除できないファイル " + std::to_string(done.failures.size()) + "件のノードは残しました";
    }
    window_.bodyEditor().onCurrentNodeChanged(window_.selectedNode());
    rn::ShowStatus(message);
}

}  // namespace rn::gui
