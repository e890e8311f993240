// The open and new commands for Tree files.
#pragma once

#include <string>

namespace rn::gui {

class MainWindow;

class TreeFileCommands {
public:
    explicit TreeFileCommands(MainWindow& window) : window_(window) {}

    void openTreeFile();
    void newTreeFile();
    // Opens a Tree file and shows the message for the result (also the history command's open).
    void openAndReport(const std::string& path);
    // Steps shared by the commands that replace the document: end a search, write the body and the
    // outline. False when the body could not be written: the command stops rather than lose it.
    bool prepare();
    // Reads the open Tree file again (another program changed it), after writing the body being
    // edited; the node being edited is selected again when it is still there.
    void reloadTreeFile();

private:
    MainWindow& window_;
};

}  // namespace rn::gui
