// The program-wide state the main window's command families share: the document, the run flags and
// where the program keeps its files.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "core/outline/document.h"
#include "core/settings/history.h"
#include "core/settings/settings.h"

namespace rn::gui {

enum class LowerPaneMode { Hidden, Split, Results };

struct AppState {
    rn::Document doc;
    rn::Settings settings;
    rn::TreeHistory history;

    // What a command asks of the node-name dialog, and its answer.
    struct NameDialogValues {
        int mode = 0;          // rn::NodeDialogModeCode
        std::string name;      // CP932: the selected node's text going in; the confirmed name coming
                               // out, empty when cancelled
        bool textNode = true;  // the kind chosen for a new node
    } nameDialog;

    // While above 0 the selection change does not run (a command selects and runs it itself).
    int selectionQuiet = 0;

    bool startupDone = false;
    bool quitOnClose = false;
    LowerPaneMode lowerPane = LowerPaneMode::Hidden;

    std::string settingsFile;  // ResDir + "Ramblenote.Ini"
    bool firstStart = false;   // no settings file existed when the program started
    QString dialogDirectory;   // initial directory of the open and save dialogs
    QStringList arguments;     // command-line arguments after the program name
};

}  // namespace rn::gui
