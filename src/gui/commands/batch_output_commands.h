// SPDX-License-Identifier: MIT
// "一括出力": the batch output dialog, opened over the main window for one use.
#pragma once

class QWidget;

namespace rn {
class Document;
}

namespace rn::gui {

class BodyEditor;
class OutlineView;
class Prompts;

class BatchOutputCommands {
public:
    // The dialog copies the outline as `outline` shows it, and opens over `owner`.
    BatchOutputCommands(rn::Document& doc, BodyEditor& editor, const OutlineView& outline, Prompts& prompts,
                        QWidget* owner)
        : doc_(doc), editor_(editor), outline_(outline), prompts_(prompts), owner_(owner) {}

    // Writes the body being edited (the run reads the body files), then shows the dialog modally
    // until it is closed.
    void openDialog();

private:
    rn::Document& doc_;
    BodyEditor& editor_;
    const OutlineView& outline_;
    Prompts& prompts_;
    QWidget* owner_;
};

}  // namespace rn::gui
