#include "gui/mainwin/tree_file_commands.h"

#include "core/tree/notices.h"
#include "gui/mainwin/main_window.h"
#include "gui/prompts.h"

namespace rn::gui {

bool TreeFileCommands::Prepare() {
    rn::ClearStatus();
    w_.SearchOffIfResults();
    if (!w_.SaveCurrentBody()) return false;
    w_.doc().SaveTreeFile();
    return true;
}

void TreeFileCommands::ToolButtonTOpenClick() {
    if (!Prepare()) return;
    const QString path =
        w_.prompts().OpenFileName(QStringLiteral("Ramblenoteファイル 開く"),
                                  QStringLiteral("Ramblenoteファイル|*.Rnote;*.Tree"), w_.state().dialogDirectory);
    if (path.isEmpty()) {
        rn::ShowStatus("Ramblenote ファイルを指定して下さい｡");
        return;
    }
    OpenAndReport(ToUtf8(path));
}

void TreeFileCommands::OpenAndReport(const std::string& path) {
    const int result = w_.doc().OpenTreeFile(path);
    const std::string message = rn::OpenResultMessage(result, w_.doc(), path);
    if (!message.empty()) rn::ShowStatus(message);
}

void TreeFileCommands::ToolButtonTNewClick() {
    if (!Prepare()) return;
    const QString path =
        w_.prompts().SaveFileName(QStringLiteral("Ramblenoteファイル 新規作成"),
                                  QStringLiteral("Ramblenoteファイル|*.Rnote"), w_.state().dialogDirectory);
    if (path.isEmpty()) {
        rn::ShowStatus("Ramblenote ファイルを指定して下さい｡");
        return;
    }
    w_.doc().CreateTreeFile(ToUtf8(path));
}

}  // namespace rn::gui
