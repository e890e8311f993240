// The open and new commands for Tree files.
#pragma once

namespace rn::gui {

class TFormTree;

class TreeFileCommands {
public:
    explicit TreeFileCommands(TFormTree& window) : w_(window) {}

    void ToolButtonTOpenClick();
    void ToolButtonTNewClick();

private:
    // Steps shared by both commands: end a search, write the body and the outline. False when the
    // body could not be written: the command stops rather than lose it.
    bool Prepare();

    TFormTree& w_;
};

}  // namespace rn::gui
