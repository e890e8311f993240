// What the main window does once at its first activation (settings, history, reopening the last
// document and node) and once when the program ends (body, outline, history, settings).
#pragma once

#include <string>

#include "core/settings/settings.h"

namespace rn::gui {

class MainWindow;

class StartupExit {
public:
    explicit StartupExit(MainWindow& window) : window_(window) {}

    void runStartup();
    void runExit();

    // The window's position and size and the outline pane's width, as the settings file keeps them.
    rn::WindowGeometry currentGeometry() const;
    void applyGeometry(const rn::WindowGeometry& g);

private:
    void openStartFile(const std::string& startFile);

    MainWindow& window_;
};

}  // namespace rn::gui
