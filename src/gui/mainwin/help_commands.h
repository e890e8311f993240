// The help menu: the guide document, and a box with the versions and where the settings live.
#pragma once

#include <QString>

namespace rn::gui {

class MainWindow;

class HelpCommands {
public:
    explicit HelpCommands(MainWindow& window) : window_(window) {}

    // Opens the user's copy of the guide (put back first when it is missing) as the open command
    // would: the body being edited and the outline are written first.
    void showGuide();
    // The box of "バージョン".
    void showVersion();
    QString versionText() const;

private:
    MainWindow& window_;
};

}  // namespace rn::gui
