// SPDX-License-Identifier: MIT
#include "gui/commands/tree_file_commands.h"

#include "core/notices.h"
#include "core/outline/document.h"
#include "gui/editor/body_editor.h"
#include "gui/outline/outline_selection.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"

namespace rn::gui {

bool TreeFileCommands::prepare() {
    rn::ClearStatus();
    editor_.closeSearchResults();
    // The open document stays when its body or its outline could not be written.
    return editor_.saveCurrentBody() && doc_.SaveTreeFile();
}

void TreeFileCommands::reloadTreeFile() {
    rn::Document& doc = doc_;
    if (!doc.IsOpen() || !editor_.saveCurrentBody()) return;
    const std::string path = doc.treeFile;
    const std::string node = editor_.nodeText();
    if (doc.OpenTreeFile(path) < 0) return;
    if (rn::Node* same = doc.outline.At(doc.FindNodeByText(node))) selection_.selectNode(same);
    rn::ShowStatus(path + " を読み込み直しました");
}

void TreeFileCommands::openTreeFile() {
    if (!prepare()) return;
    const QString path = prompts_.openFileName(QStringLiteral("Ramblenoteファイル 開く"),
                                               QStringLiteral("Ramblenoteファイル|*.Rnote;*.Tree"), dialogDirectory_);
    if (path.isEmpty()) {
        rn::ShowStatus("Ramblenote ファイルを指定して下さい｡");
        return;
    }
    openAndReport(toUtf8(path));
}

void TreeFileCommands::openAndReport(const std::string& path) {
    const int result = doc_.OpenTreeFile(path);
    const std::string message = rn::OpenResultMessage(result, doc_, path);
    if (!message.empty()) rn::ShowStatus(message);
}

void TreeFileCommands::newTreeFile() {
    if (!prepare()) return;
    const QString path = prompts_.saveFileName(QStringLiteral("Ramblenoteファイル 新規作成"),
                                               QStringLiteral("Ramblenoteファイル|*.Rnote"), dialogDirectory_);
    if (path.isEmpty()) {
        rn::ShowStatus("Ramblenote ファイルを指定して下さい｡");
        return;
    }
    doc_.CreateTreeFile(toUtf8(path));
}

}  // namespace rn::gui
