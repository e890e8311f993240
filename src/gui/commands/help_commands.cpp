// SPDX-License-Identifier: MIT
#include "gui/commands/help_commands.h"

#include <QtGlobal>

#include "core/batchout/btxtout_settings.h"
#include "core/notices.h"
#include "core/settings/history.h"
#include "core/settings/resdir.h"
#include "core/settings/sample_guide.h"
#include "core/version.h"
#include "gui/commands/tree_file_commands.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"

namespace rn::gui {

void HelpCommands::showGuide() {
    TreeFileCommands& files = files_;
    if (!files.prepare()) return;
    // An installed guide cannot be written, so the user's own copy is the one that opens.
    const std::string guide = rn::PlaceDeliveredSampleGuide();
    if (guide.empty()) {
        rn::ShowStatus(rn::MissingGuideText());
        return;
    }
    files.openAndReport(guide);
}

QString HelpCommands::versionText() const {
    return QStringLiteral("Ramblenote %1\nQt %2\nICU %3\n\n設定ファイル: %4\n履歴ファイル: %5\n一括出力設定: %6")
        .arg(QString::fromUtf8(rn::ProgramVersion()), QString::fromLatin1(qVersion()),
             QString::fromStdString(rn::IcuVersion()), fromUtf8(settingsFile_), fromUtf8(rn::HistoryFilePath()),
             fromUtf8(rn::BatchOutputSettingsPath(rn::ConfigDirectory())));
}

void HelpCommands::showVersion() {
    rn::ClearStatus();
    prompts_.inform(versionText());
}

}  // namespace rn::gui
