#include "gui/mainwin/node_commands.h"

#include <QAction>
#include <QMenu>

#include "core/text/cp932.h"
#include "core/tree/files.h"
#include "core/tree/node_names.h"
#include "core/tree/notices.h"
#include "gui/mainwin/body_editor.h"
#include "gui/mainwin/body_text_edit.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/outline_model.h"
#include "gui/mainwin/outline_view.h"
#include "gui/tree/node_dialog.h"

namespace rn::gui {

NodeCommands::NodeCommands(MainWindow& window) : QObject(&window), window_(window) {
    contextMenu_ = new QMenu(&window);
    contextMenu_->setObjectName(QStringLiteral("PopupTreeMenu"));
    QAction* collapse = contextMenu_->addAction(QStringLiteral("Tree全てを閉じる"));
    collapse->setObjectName(QStringLiteral("TPM_Item1"));
    connect(collapse, &QAction::triggered, this, &NodeCommands::collapseAll);
    QAction* expand = contextMenu_->addAction(QStringLiteral("Tree全てを開く"));
    expand->setObjectName(QStringLiteral("TPM_Item2"));
    connect(expand, &QAction::triggered, this, &NodeCommands::expandAll);
}

rn::Node* NodeCommands::selectedOrTell(const char* noSelection) {
    rn::Node* selected = window_.selectedNode();
    if (!selected) rn::ShowStatus(noSelection);
    return selected;
}

void NodeCommands::selectQuietly(rn::Node* node) {
    AppState& s = window_.state();
    ++s.selectionQuiet;
    window_.SelectNode(node);
    --s.selectionQuiet;
}

void NodeCommands::runAddCommand(int mode, int placement, const char* noSelection, const char* inTrash,
                                 const char* cancelled) {
    AppState& s = window_.state();
    rn::ClearStatus();
    window_.closeSearchResults();
    if (mode != rn::kModeInsert && !window_.doc().IsOpen()) {
        rn::ShowStatus("Rnote ファイルを 開くか/新規作成して下さい");
        return;
    }
    rn::Node* selected = selectedOrTell(noSelection);
    if (!selected) return;
    if (rn::IsInTrash(selected) && (mode == rn::kModeChildAdd || selected->text != rn::kTrashText)) {
        rn::ShowStatus(inTrash);
        return;
    }
    s.nameDialog.mode = mode;
    window_.nodeDialog().showModal();
    if (s.nameDialog.name.empty()) {
        rn::ShowStatus(cancelled);
        return;
    }
    if (addNode(placement)) rn::ShowStatus(rn::Cp932ToUtf8(s.nameDialog.name) + " ノードを追加しました");
}

void NodeCommands::addSiblingNode() {
    runAddCommand(rn::kModeAdd, 1, "追加ノード位置を選択して下さい", "ゴミ箱にはノード追加できません",
                  "ノード追加処理はキャンセルされました");
}

void NodeCommands::addChildNode() {
    runAddCommand(rn::kModeChildAdd, 2, "追加ノード位置を選択して下さい", "ゴミ箱には子ノード追加できません",
                  "子ノード追加処理はキャンセルされました");
}

void NodeCommands::insertNodeBefore() {
    runAddCommand(rn::kModeInsert, 3, "挿入ノード位置を選択して下さい", "ゴミ箱にはノード挿入できません",
                  "ノード挿入処理はキャンセルされました");
}

bool NodeCommands::addNode(int placement) {
    AppState& s = window_.state();
    rn::Document& doc = window_.doc();
    rn::Node* selected = window_.selectedNode();
    if (!selected) return false;
    doc.SaveTreeFile();
    if (!window_.saveCurrentBody()) return false;
    const std::string name = s.nameDialog.name;
    if (s.nameDialog.textNode && doc.BodyExists(name)) {
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
    window_.editor()->hide();
    if (s.nameDialog.textNode) {
        window_.bodyEditor().clearEditor();
        doc.SaveBody(name, std::string());
    }
    doc.RefreshNodeKinds(doc.FindNodeByText(name));
    doc.SaveTreeFile();
    if (s.nameDialog.textNode && doc.editorState == rn::kEditing) {
        window_.editor()->show();
        window_.editor()->setFocus();
    } else {
        window_.FocusOutline();
    }
    return true;
}

void NodeCommands::renameNode() {
    AppState& s = window_.state();
    rn::Document& doc = window_.doc();
    rn::ClearStatus();
    window_.closeSearchResults();
    rn::Node* selected = selectedOrTell("ノード名変更位置を選択して下さい");
    if (!selected) return;
    if (rn::IsInTrash(selected)) {
        rn::ShowStatus("ゴミ箱のノード名は変更できません");
        return;
    }
    s.nameDialog.mode = rn::kModeRename;
    window_.nodeDialog().showModal();
    if (s.nameDialog.name.empty()) {
        rn::ShowStatus("ノード名変更処理はキャンセルされました");
        return;
    }
    const std::string name = s.nameDialog.name;
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
    window_.FocusOutline();
}

}  // namespace rn::gui
