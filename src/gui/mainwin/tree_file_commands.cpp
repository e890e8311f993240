#include "gui/mainwin/tree_file_commands.h"

#include "core/notices.h"
#include "gui/mainwin/main_window.h"
#include "gui/prompts.h"

namespace rn::gui {

bool TreeFileCommands::prepare() {
    rn::ClearStatus();
    window_.closeSearchResults();
    // The open document stays when its body or its outline could not be written.
    return window_.saveCurrentBody() && window_.doc().SaveTreeFile();
}

void TreeFileCommands::reloadTreeFile() {
    rn::Document& doc = window_.doc();
    if (!doc.IsOpen() || !window_.saveCurrentBody()) return;
    const std::string path = doc.treeFile;
    const std::string node = doc.editorNodeText;
    if (doc.OpenTreeFile(path) < 0) return;
    if (rn::Node* same = doc.outline.At(doc.FindNodeByText(node))) window_.SelectNode(same);
    rn::ShowStatus(path + " を読み込み直しました");
}

void TreeFileCommands::openTreeFile() {
    if (!prepare()) return;
    const QString path = window_.prompts().openFileName(QStringLiteral("Ramblenoteファイル 開く"),
                                                        QStringLiteral("Ramblenoteファイル|*.Rnote;*.Tree"),
                                                        window_.state().dialogDirectory);
    if (path.isEmpty()) {
        rn::ShowStatus("Ramblenote ファイルを指定して下さい｡");
        return;
    }
    openAndReport(toUtf8(path));
}

void TreeFileCommands::openAndReport(const std::string& path) {
    const int result = window_.doc().OpenTreeFile(path);
    const std::string message = rn::OpenResultMessage(result, window_.doc(), path);
    if (!message.empty()) rn::ShowStatus(message);
}

void TreeFileCommands::newTreeFile() {
    if (!prepare()) return;
    const QString path =
        window_.prompts().saveFileName(QStringLiteral("Ramblenoteファイル 新規作成"),
                                       QStringLiteral("Ramblenoteファイル|*.Rnote"), window_.state().dialogDirectory);
    if (path.isEmpty()) {
        rn::ShowStatus("Ramblenote ファイルを指定して下さい｡");
        return;
    }
    window_.doc().CreateTreeFile(toUtf8(path));
}

}  // namespace rn::gui
