// SPDX-License-Identifier: MIT
// The main window's state.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "core/outline/document.h"
#include "core/settings/history.h"
#include "core/settings/settings.h"

namespace rn::gui {

// The window's own state: the document, the settings record, the history, and where the program
// keeps its files. The command families get the parts they use.
struct AppState {
    rn::Document doc;
    rn::Settings settings;
    rn::TreeHistory history;

    bool startupDone = false;
    std::string settingsFile;  // ResDir + "Ramblenote.Ini"
    bool firstStart = false;   // no settings file existed when the program started
    QString dialogDirectory;   // initial directory of the open and save dialogs
    QStringList arguments;     // command-line arguments after the program name
};

}  // namespace rn::gui
