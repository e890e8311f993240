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
    // False when the user chose to keep the program running (only asked when `mayStay`).
    bool runExit(bool mayStay);
    // Reads the settings file, when it exists, and puts the window where it was; once. Runs before
    // the window first appears, so that the window system places it there from the start; the first
    // activation then finds it done.
    void readSettingsFile();

    // The window's position and size and the outline pane's width, as the settings file keeps them.
    rn::WindowGeometry currentGeometry() const;
    void applyGeometry(const rn::WindowGeometry& g);

private:
    void openStartFile(const std::string& startFile);
    // The body being edited could not be written: its text goes to a rescue file. True when the
    // exit may go on.
    bool rescueEditedBody(bool mayStay);

    MainWindow& window_;
    bool settingsRead_ = false;
    bool settingsFound_ = false;
};

}  // namespace rn::gui
