// SPDX-License-Identifier: MIT
// "文字数･原稿用紙換算": counts the selected node's branch, or the whole outline outside the trash
// when nothing is selected, and shows the counts in their dialog.
#pragma once

class QWidget;

namespace rn {
class Document;
}

namespace rn::gui {

class BodyEditor;
class OutlineSelection;
class Prompts;

// The body being edited counts with the editor's text, unsaved edits included; nothing is written.
// Counting a large document shows its progress and can be cancelled.
void showCounts(const rn::Document& doc, const BodyEditor& editor, const OutlineSelection& selection, Prompts& prompts,
                QWidget* owner);

}  // namespace rn::gui
