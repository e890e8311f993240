// SPDX-License-Identifier: MIT
#include "gui/commands/node_commands.h"

#include <QAction>
#include <QMenu>

#include "core/notices.h"
#include "core/text/cp932.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_view.h"
#include "gui/tree/node_dialog.h"

namespace rn::gui {
namespace {

constexpr const char* kNameTaken = "ノード名は既に存在します｡別のノード名を入力して下さい";

}  // namespace

NodeCommands::NodeCommands(rn::Document& doc, OutlineView& outline, BodyEditor& editor, NodeNameDialog& dialog,
                           QWidget* parent)
    : QObject(parent), doc_(doc), outline_(outline), editor_(editor), dialog_(dialog) {
    contextMenu_ = new QMenu(parent);
    contextMenu_->setObjectName(QStringLiteral("PopupTreeMenu"));
    QAction* collapse = contextMenu_->addAction(QStringLiteral("Tree全てを閉じる"));
    collapse->setObjectName(QStringLiteral("TPM_Item1"));
    connect(collapse, &QAction::triggered, this, &NodeCommands::collapseAll);
    QAction* expand = contextMenu_->addAction(QStringLiteral("Tree全てを開く"));
    expand->setObjectName(QStringLiteral("TPM_Item2"));
    connect(expand, &QAction::triggered, this, &NodeCommands::expandAll);
}

rn::Node* NodeCommands::selectedOrTell(const char* noSelection) {
    rn::Node* selected = outline_.selectedNode();
    if (!selected) rn::ShowStatus(noSelection);
    return selected;
}

void NodeCommands::showNode(rn::Node* node) {
    // The body of the node left has been written; the selection change must not write it again.
    editor_.forgetNode();
    {
        QuietSelection quiet(outline_);
        outline_.selectNode(node);
    }
    editor_.onCurrentNodeChanged(node);
}

void NodeCommands::runAddCommand(const AddCommand& command) {
    rn::ClearStatus();
    editor_.closeSearchResults();
    if (command.mode != rn::NameMode::Insert && !doc_.IsOpen()) {
        rn::ShowStatus("Rnote ファイルを 開くか/新規作成して下さい");
        return;
    }
    rn::Node* selected = selectedOrTell(command.noSelection);
    if (!selected) return;
    if (rn::IsInTrash(selected) && (command.mode == rn::NameMode::ChildAdd || selected->text != rn::kTrashText)) {
        rn::ShowStatus(command.inTrash);
        return;
    }
    const std::optional<NameAnswer> answer = dialog_.ask(command.mode, selected->text);
    if (!answer) {
        rn::ShowStatus(command.cancelled);
        return;
    }
    // The dialog may have let the selection change; the place is the node chosen before it.
    if (!doc_.SaveTreeFile() || !editor_.saveCurrentBody()) return;
    const rn::AddResult added = doc_.AddNode(selected, command.place, answer->name, answer->textNode);
    switch (added.outcome) {
        case rn::AddOutcome::TextNodeExists:
            rn::ShowStatus(rn::Cp932ToUtf8(answer->name) + " テキストノードは、既にあります");
            return;
        case rn::AddOutcome::NameTaken:
            rn::ShowStatus(kNameTaken);
            return;
        case rn::AddOutcome::NotSaved:
            return;
        case rn::AddOutcome::Added:
            break;
    }
    // The body left has been written; the selection change must not write it again. Like every
    // command that finds a node by its text, the first node of that text is selected.
    editor_.forgetNode();
    editor_.editor().hide();
    if (answer->textNode) editor_.clearEditor();
    outline_.selectNode(doc_.outline.At(doc_.FindNodeByText(answer->name)));
    if (answer->textNode && editor_.state() == rn::kEditing) {
        editor_.editor().show();
        editor_.editor().setFocus();
    } else {
        outline_.focusOutline();
    }
    rn::ShowStatus(rn::Cp932ToUtf8(answer->name) + " ノードを追加しました");
}

void NodeCommands::addSiblingNode() {
    runAddCommand({rn::NameMode::Add, rn::NodePlace::AfterSiblings, "追加ノード位置を選択して下さい",
                   "ゴミ箱にはノード追加できません", "ノード追加処理はキャンセルされました"});
}

void NodeCommands::addChildNode() {
    runAddCommand({rn::NameMode::ChildAdd, rn::NodePlace::LastChild, "追加ノード位置を選択して下さい",
                   "ゴミ箱には子ノード追加できません", "子ノード追加処理はキャンセルされました"});
}

void NodeCommands::insertNodeBefore() {
    runAddCommand({rn::NameMode::Insert, rn::NodePlace::Before, "挿入ノード位置を選択して下さい",
                   "ゴミ箱にはノード挿入できません", "ノード挿入処理はキャンセルされました"});
}

void NodeCommands::renameNode() {
    rn::ClearStatus();
    editor_.closeSearchResults();
    rn::Node* selected = selectedOrTell("ノード名変更位置を選択して下さい");
    if (!selected) return;
    if (rn::IsInTrash(selected)) {
        rn::ShowStatus("ゴミ箱のノード名は変更できません");
        return;
    }
    const std::optional<NameAnswer> answer = dialog_.ask(rn::NameMode::Rename, selected->text);
    if (!answer) {
        rn::ShowStatus("ノード名変更処理はキャンセルされました");
        return;
    }
    const std::string oldName = selected->text;
    const bool wasText = selected->IsText();
    switch (doc_.RenameNode(selected, answer->name)) {
        case rn::RenameOutcome::NameTaken:
            rn::ShowStatus(kNameTaken);
            return;
        case rn::RenameOutcome::NotSaved:
            return;
        case rn::RenameOutcome::Renamed:
            break;
    }
    // The editor keeps its text; the next selection change writes it under the new name.
    editor_.nodeRenamed(oldName, answer->name);
    rn::Node* shown = doc_.outline.At(doc_.FindNodeByText(answer->name));
    const bool moves = shown != outline_.selectedNode();
    outline_.selectNode(shown);
    // A folder that took up an existing file shows that file's body.
    if (!moves && !wasText && selected->IsText()) editor_.onCurrentNodeChanged(selected);
    rn::ShowStatus(rn::Cp932ToUtf8(answer->name) + " ノード名を変更しました");
    outline_.focusOutline();
}

}  // namespace rn::gui
