#include "gui/mainwin/print_command.h"

#include "core/notices.h"
#include "core/outline/outline.h"
#include "gui/mainwin/main_window.h"
#include "gui/prompts.h"
#include "platform/start_program.h"

namespace rn::gui {

QString PrintCommands::commandLine(const QString& program, const QString& bodyPath) {
    return program + QStringLiteral(" /p ") + bodyPath;
}

void PrintCommands::printNode() {
    rn::ClearStatus();
    AppState& s = window_.state();
    rn::Document& doc = window_.doc();
    // Asked before anything else, so that a result list stays open.
    if (s.settings.Others.PrintName.empty()) {
        rn::ShowStatus("印刷プログラムを指定して下さい");
        return;
    }
    window_.closeSearchResults();
    if (!doc.IsOpen()) {
        rn::ShowStatus("Rnote ファイルを 開くか/新規作成して下さい");
        return;
    }
    rn::Node* selected = window_.selectedNode();
    if (!selected) {
        rn::ShowStatus("追加ノード位置を選択して下さい");
        return;
    }
    if (rn::IsInTrash(selected) && selected->text != rn::kTrashText) {
        rn::ShowStatus("ゴミ箱内ノードは印刷できません");
        return;
    }
    const auto bodyPath = doc.BodyPath(doc.editorNodeText);
    if (doc.editorState != rn::kEditing || !bodyPath) {
        rn::ShowStatus("テキストノード以外は印刷できません");
        return;
    }
    // The print program reads the file: what is in the editor must be in it. A failed write has
    // shown its error; printing the old text instead would only mislead.
    if (!doc.SaveTreeFile() || !window_.saveCurrentBody()) return;

    const QString program = fromUtf8(s.settings.Others.PrintName);
    const QString path = fromUtf8(*bodyPath);
    if (rn::StartDetached(program, {QStringLiteral("/p"), path})) return;
    const QString failed = commandLine(program, path) + QStringLiteral(" を起動できませんでした。");
    rn::ShowStatus(toUtf8(failed));
    window_.prompts().errorYes(failed +
                               QStringLiteral("\r\r環境設定-その他-印刷プログラムを正しく指定指定して下さい。"));
}

}  // namespace rn::gui
