#include "gui/mainwin/node_commands.h"

#include <QAction>
#include <QMenu>
#include <filesystem>

#include "core/notices.h"
#include "core/outline/node_names.h"
#include "core/text/cp932.h"
#include "gui/mainwin/body_editor.h"
#include "gui/mainwin/body_text_edit.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/outline_model.h"
#include "gui/mainwin/outline_view.h"
#include "gui/tree/node_dialog.h"

namespace rn::gui {
namespace {

constexpr const char* kNameTaken = "ノード名は既に存在します｡別のノード名を入力して下さい";

}  // namespace

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

bool NodeCommands::askNodeName(int mode, rn::Node* node) {
    AppState& s = window_.state();
    s.nameDialog.mode = mode;
    s.nameDialog.name = node ? node->text : std::string();
    window_.nodeDialog().showModal();
    return !s.nameDialog.name.empty();
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
    if (!askNodeName(mode, selected)) {
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
    if (!doc.SaveTreeFile() || !window_.saveCurrentBody()) return false;
    const std::string name = s.nameDialog.name;
    const bool textNode = s.nameDialog.textNode;
    if (doc.NameTaken(name, textNode, nullptr)) {
        rn::ShowStatus(textNode ? rn::Cp932ToUtf8(name) + " テキストノードは、既にあります" : kNameTaken);
        return false;
    }
    // The empty body exists before the node does, and goes again when the node cannot be saved:
    // no file is left that no node names.
    if (textNode && !doc.SaveBody(name, std::string())) return false;
    rn::Node* added = nullptr;
    switch (placement) {
        case 1:
            added = doc.outline.AppendChild(selected->parent, name);
            break;
        case 2:
            added = doc.outline.AppendChild(selected, name);
            break;
        default:
            added = doc.outline.InsertBefore(selected, name);
            break;
    }
    if (!doc.SaveTreeFile()) {
        doc.outline.Remove(added);
        // A body that cannot be removed stays as a file no node names; the command ends either way.
        std::error_code ignored;
        if (auto path = doc.BodyPath(name); textNode && path) std::filesystem::remove(*path, ignored);
        return false;
    }
    // The body has been written; the selection change that follows must not write it again.
    doc.editorNodeText.clear();
    window_.editor()->hide();
    if (textNode) window_.bodyEditor().clearEditor();
    doc.RefreshNodeKinds(doc.FindNodeByText(name));
    if (textNode && doc.editorState == rn::kEditing) {
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
    if (!askNodeName(rn::kModeRename, selected)) {
        rn::ShowStatus("ノード名変更処理はキャンセルされました");
        return;
    }
    const std::string name = s.nameDialog.name;
    const std::string oldName = selected->text;
    const bool textNode = selected->IsText();
    if (doc.NameTaken(name, textNode, selected) || (textNode && !doc.BodyPath(name))) {
        rn::ShowStatus(kNameTaken);
        return;
    }
    // A text node's body file goes with it (also when its body is not in the editor).
    if (!doc.RenameNode(selected, name)) return;
    // The editor keeps its text; the next selection change writes it under the new name.
    if (doc.editorNodeText == oldName) doc.editorNodeText = name;
    doc.RefreshNodeKinds(doc.FindNodeByText(name));
    // A folder that took up an existing file shows that file's body.
    if (!textNode && selected->IsText()) window_.bodyEditor().onCurrentNodeChanged(selected);
    rn::ShowStatus(rn::Cp932ToUtf8(name) + " ノード名を変更しました");
    window_.FocusOutline();
}

}  // namespace rn::gui
