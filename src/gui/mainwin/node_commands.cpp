#include "gui/mainwin/node_commands.h"

#include <QAction>
#include <QMenu>

#include "core/text/cp932.h"
#include "core/tree/files.h"
#include "core/tree/node_names.h"
#include "core/tree/notices.h"
#include "gui/mainwin/body_editor.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/memo_edit.h"
#include "gui/mainwin/outline_model.h"
#include "gui/mainwin/outline_view.h"
#include "gui/tree/node_dialog.h"

namespace rn::gui {

NodeCommands::NodeCommands(TFormTree& window) : QObject(&window), w_(window) {
    popup_ = new QMenu(&window);
    popup_->setObjectName(QStringLiteral("PopupTreeMenu"));
    QAction* collapse = popup_->addAction(QStringLiteral("Tree全てを閉じる"));
    collapse->setObjectName(QStringLiteral("TPM_Item1"));
    connect(collapse, &QAction::triggered, this, &NodeCommands::TPM_Item1Click);
    QAction* expand = popup_->addAction(QStringLiteral("Tree全てを開く"));
    expand->setObjectName(QStringLiteral("TPM_Item2"));
    connect(expand, &QAction::triggered, this, &NodeCommands::TPM_Item2Click);
}

rn::Node* NodeCommands::SelectedOrSay(const char* noSelection) {
    rn::Node* selected = w_.SelectedNode();
    if (!selected) rn::ShowStatus(noSelection);
    return selected;
}

void NodeCommands::SelectQuietly(rn::Node* node) {
    AppState& s = w_.state();
    ++s.selectionQuiet;
    w_.SelectNode(node);
    --s.selectionQuiet;
}

void NodeCommands::AddCommand(int mode, int placement, const char* noSelection, const char* inTrash,
                              const char* cancelled) {
    AppState& s = w_.state();
    rn::ClearStatus();
    w_.SearchOffIfResults();
    if (mode != rn::kModeInsert && !w_.doc().IsOpen()) {
        rn::ShowStatus("Rnote ファイルを 開くか/新規作成して下さい");
        return;
    }
    rn::Node* selected = SelectedOrSay(noSelection);
    if (!selected) return;
    if (rn::IsInTrash(selected) && (mode == rn::kModeChildAdd || selected->text != rn::kTrashText)) {
        rn::ShowStatus(inTrash);
        return;
    }
    s.NodeDialogMode = mode;
    w_.nodeDialog().ShowModal();
    if (s.DialogNodeName.empty()) {
        rn::ShowStatus(cancelled);
        return;
    }
    if (AddNode(placement)) rn::ShowStatus(rn::Cp932ToUtf8(s.DialogNodeName) + " ノードを追加しました");
}

void NodeCommands::ToolButtonCAddClick() {
    AddCommand(rn::kModeAdd, 1, "追加ノード位置を選択して下さい", "ゴミ箱にはノード追加できません",
               "ノード追加処理はキャンセルされました");
}

void NodeCommands::ToolButtonAddClick() {
    AddCommand(rn::kModeChildAdd, 2, "追加ノード位置を選択して下さい", "ゴミ箱には子ノード追加できません",
               "子ノード追加処理はキャンセルされました");
}

void NodeCommands::ToolButtonInsClick() {
    AddCommand(rn::kModeInsert, 3, "挿入ノード位置を選択して下さい", "ゴミ箱にはノード挿入できません",
               "ノード挿入処理はキャンセルされました");
}

bool NodeCommands::AddNode(int placement) {
    AppState& s = w_.state();
    rn::Document& doc = w_.doc();
    rn::Node* selected = w_.SelectedNode();
    if (!selected) return false;
    doc.SaveTreeFile();
    if (!w_.SaveCurrentBody()) return false;
    const std::string name = s.DialogNodeName;
    if (s.DialogTextNode && doc.BodyExists(name)) {
        rn::ShowStatus(rn::Cp932ToUtf8(name) + " テキストノードは、既にあります");
        return false;
    }
    // The body has been written; the selection change that follows must not write it again.
    doc.editorNodeText.clear();
    switch (placement) {
        case 1:
            doc.outline.AppendChild(selected->parent, name);
            break;
        case 2:
            doc.outline.AppendChild(selected, name);
            break;
        default:
            doc.outline.InsertBefore(selected, name);
            break;
    }
    w_.MemoM()->hide();
    if (s.DialogTextNode) {
        w_.editor().ClearEditor();
        doc.SaveBody(name, std::string());
    }
    doc.RefreshNodeKinds(doc.FindNodeByText(name));
    doc.SaveTreeFile();
    if (s.DialogTextNode && doc.editorState == rn::kEditing) {
        w_.MemoM()->show();
        w_.MemoM()->setFocus();
    } else {
        w_.FocusOutline();
    }
    return true;
}

void NodeCommands::MenuNodeReNameClick() {
    AppState& s = w_.state();
    rn::Document& doc = w_.doc();
    rn::ClearStatus();
    w_.SearchOffIfResults();
    rn::Node* selected = SelectedOrSay("ノード名変更位置を選択して下さい");
    if (!selected) return;
    if (rn::IsInTrash(selected)) {
        rn::ShowStatus("ゴミ箱のノード名は変更できません");
        return;
    }
    s.NodeDialogMode = rn::kModeRename;
    w_.nodeDialog().ShowModal();
    if (s.DialogNodeName.empty()) {
        rn::ShowStatus("ノード名変更処理はキャンセルされました");
        return;
    }
    const std::string name = s.DialogNodeName;
    if (doc.editorState == rn::kEditing) {
        auto oldPath = doc.BodyPath(doc.editorNodeText);
        auto newPath = doc.BodyPath(name);
        if (!newPath || rn::FileExists(*newPath)) {
            rn::ShowStatus("ノード名は既に存在します｡別のノード名を入力して下さい");
            return;
        }
        if (!oldPath || !rn::RenamePath(*oldPath, *newPath)) return;
    }
    // The editor keeps its text; the next selection change writes it under the new name.
    doc.outline.SetText(selected, name);
    doc.editorNodeText = name;
    doc.RefreshNodeKinds(doc.FindNodeByText(name));
    doc.SaveTreeFile();
    rn::ShowStatus(rn::Cp932ToUtf8(name) + " ノード名を変更しました");
    w_.FocusOutline();
}

}  // namespace rn::gui
