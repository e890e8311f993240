// SPDX-License-Identifier: MIT
#include "gui/commands/pdf_output_commands.h"

#include "core/batchout/btxtout_settings.h"
#include "core/notices.h"
#include "core/outline/document.h"
#include "core/settings/resdir.h"
#include "gui/editor/body_editor.h"
#include "gui/outline/outline_selection.h"
#include "gui/pdf/pdf_output_dialog.h"

namespace rn::gui {

void openPdfOutput(const rn::Document& doc, BodyEditor& editor, const OutlineSelection& selection, Prompts& prompts,
                   QWidget* owner) {
    rn::ClearStatus();
    if (!doc.IsOpen()) {
        rn::ShowStatus("Rnote ファイルを 開くか/新規作成して下さい");
        return;
    }
    editor.closeSearchResults();
    // A failed write has shown its error; pages of other text than the screen would only mislead.
    if (!editor.saveCurrentBody()) return;
    PdfOutputDialog::Source source;
    source.doc = &doc;
    source.selected = selection.selectedNode();
    source.settingsPath = rn::SettingsFilePath();
    source.numberingPath = rn::BatchOutputSettingsPath(rn::ConfigDirectory());
    PdfOutputDialog dialog(owner, prompts, source);
    dialog.exec();
}

}  // namespace rn::gui
