// The open and new commands for Tree files.
#pragma once

#include <string>

namespace rn::gui {

class TFormTree;

class TreeFileCommands {
public:
    explicit TreeFileCommands(TFormTree& window) : w_(window) {}

    void ToolButtonTOpenClick();
    void ToolButtonTNewClick();
    // Opens a Tree file and shows the message for the result (also the history command's open).
    void OpenAndReport(const std::string& path);

private:
    // Steps shared by both commands: end a search, write the body and the outline. False when the
    // body could not be written: the command stops rather than lose it.
    bool Prepare();

    TFormTree& w_;
};

}  // namespace rn::gui
