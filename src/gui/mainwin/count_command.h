// "文字数･原稿用紙換算": counts the selected node's branch, or the whole outline outside the trash
// when nothing is selected, and shows the counts in their dialog.
#pragma once

namespace rn::gui {

class MainWindow;

// The body being edited counts with the editor's text, unsaved edits included; nothing is written.
// Counting a large document shows its progress and can be cancelled.
void showCounts(MainWindow& window);

}  // namespace rn::gui
