// "一括出力": the batch output dialog, opened over the main window for one use.
#pragma once

namespace rn::gui {

class MainWindow;

class BatchOutputCommands {
public:
    explicit BatchOutputCommands(MainWindow& window) : window_(window) {}

    // Writes the body being edited (the run reads the body files), then shows the dialog modally
    // until it is closed.
    void openDialog();

private:
    MainWindow& window_;
};

}  // namespace rn::gui
