#include "gui/mainwin/batch_output_commands.h"

#include "core/batchout/btxtout_settings.h"
#include "core/notices.h"
#include "core/settings/resdir.h"
#include "gui/batchout/batch_output_dialog.h"
#include "gui/mainwin/main_window.h"

namespace rn::gui {

void BatchOutputCommands::openDialog() {
    rn::ClearStatus();
    window_.closeSearchResults();
    // What the editor holds goes into its body file first, or the output would miss it. When that
    // write fails (its error has been shown), the output would hold other text than the screen.
    if (!window_.saveCurrentBody()) return;
    BatchOutputDialog::Source source;
    source.doc = &window_.doc();
    source.outlineView = window_.outlineView();
    // The same file the headless export reads by default.
    source.settingsPath = rn::BatchOutputSettingsPath(rn::ConfigDirectory());
    BatchOutputDialog dialog(&window_, window_.prompts(), source);
    dialog.exec();
}

}  // namespace rn::gui
