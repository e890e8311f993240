// Printing the selected text node: the program hands the body file to the print program the user
// chose in the settings and leaves the printing to it.
#pragma once

#include <QString>
#include <QStringList>

namespace rn::gui {

class MainWindow;

class PrintCommands {
public:
    explicit PrintCommands(MainWindow& window) : window_(window) {}

    // "ノード印刷": checks, writes the outline and the body being edited, then starts the print program
    // with "/p" and the body file's full path.
    void printNode();

    // The command line as the user sees it in messages: program, " /p ", body path, unquoted.
    static QString commandLine(const QString& program, const QString& bodyPath);

private:
    MainWindow& window_;
};

}  // namespace rn::gui
