// SPDX-License-Identifier: MIT
#include "gui/commands/print_command.h"

#include "core/notices.h"
#include "core/outline/document.h"
#include "core/outline/outline.h"
#include "core/settings/settings.h"
#include "gui/editor/body_editor.h"
#include "gui/outline/outline_selection.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"
#include "platform/start_program.h"

namespace rn::gui {

QString PrintCommands::commandLine(const QString& program, const QString& bodyPath) {
    return program + QStringLiteral(" /p ") + bodyPath;
}

void PrintCommands::printNode() {
    rn::ClearStatus();
    rn::Document& doc = doc_;
    // Asked before anything else, so that a result list stays open.
    if (settings_.Others.PrintName.empty()) {
        rn::ShowStatus("印刷プログラムを指定して下さい");
        return;
    }
    editor_.closeSearchResults();
    if (!doc.IsOpen()) {
        rn::ShowStatus("Rnote ファイルを 開くか/新規作成して下さい");
        return;
    }
    rn::Node* selected = selection_.selectedNode();
    if (!selected) {
        rn::ShowStatus("追加ノード位置を選択して下さい");
        return;
    }
    if (rn::IsInTrash(selected) && selected->text != rn::kTrashText) {
        rn::ShowStatus("ゴミ箱内ノードは印刷できません");
        return;
    }
    const auto bodyPath = doc.BodyPath(editor_.nodeText());
    if (editor_.state() != rn::kEditing || !bodyPath) {
        rn::ShowStatus("テキストノード以外は印刷できません");
        return;
    }
    // The print program reads the file: what is in the editor must be in it. A failed write has
    // shown its error; printing the old text instead would only mislead.
    if (!doc.SaveTreeFile() || !editor_.saveCurrentBody()) return;

    const QString program = fromUtf8(settings_.Others.PrintName);
    const QString path = fromUtf8(*bodyPath);
    if (rn::StartDetached(program, {QStringLiteral("/p"), path})) return;
    const QString failed = commandLine(program, path) + QStringLiteral(" を起動できませんでした。");
    rn::ShowStatus(toUtf8(failed));
    prompts_.reportError(failed + QStringLiteral("\r\r環境設定-その他-印刷プログラムを正しく指定指定して下さい。"));
}

}  // namespace rn::gui
