// SPDX-License-Identifier: MIT
// The help menu: the guide document, and a box with the versions and where the settings live.
#pragma once

#include <QString>
#include <string>

namespace rn::gui {

class Prompts;
class TreeFileCommands;

class HelpCommands {
public:
    // `settingsFile` is named in the version box.
    HelpCommands(TreeFileCommands& files, Prompts& prompts, const std::string& settingsFile)
        : files_(files), prompts_(prompts), settingsFile_(settingsFile) {}

    // Opens the user's copy of the guide (put back first when it is missing) as the open command
    // would: the body being edited and the outline are written first.
    void showGuide();
    // The box of "バージョン".
    void showVersion();
    QString versionText() const;

private:
    TreeFileCommands& files_;
    Prompts& prompts_;
    const std::string& settingsFile_;
};

}  // namespace rn::gui
