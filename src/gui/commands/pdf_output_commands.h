// SPDX-License-Identifier: MIT
// "PDF出力": the dialog that writes the selected node, its branch or the whole outline as pages.
#pragma once

class QWidget;

namespace rn {
class Document;
}

namespace rn::gui {

class BodyEditor;
class OutlineSelection;
class Prompts;

// Writes the body being edited (the pages are made from the body files), then shows the dialog
// modally until it is closed.
void openPdfOutput(const rn::Document& doc, BodyEditor& editor, const OutlineSelection& selection, Prompts& prompts,
                   QWidget* owner);

}  // namespace rn::gui
