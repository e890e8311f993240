// SPDX-License-Identifier: MIT
#include "gui/commands/batch_output_commands.h"

#include "core/batchout/btxtout_settings.h"
#include "core/notices.h"
#include "core/settings/resdir.h"
#include "gui/batchout/batch_output_dialog.h"
#include "gui/editor/body_editor.h"

namespace rn::gui {

void BatchOutputCommands::openDialog() {
    rn::ClearStatus();
    editor_.closeSearchResults();
    // What the editor holds goes into its body file first, or the output would miss it. When that
    // write fails (its error has been shown), the output would hold other text than the screen.
    if (!editor_.saveCurrentBody()) return;
    BatchOutputDialog::Source source;
    source.doc = &doc_;
    source.outlineView = &outline_;
    // The same file the headless export reads by default.
    source.settingsPath = rn::BatchOutputSettingsPath(rn::ConfigDirectory());
    BatchOutputDialog dialog(owner_, prompts_, source);
    dialog.exec();
}

}  // namespace rn::gui
