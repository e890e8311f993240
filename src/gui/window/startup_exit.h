// SPDX-License-Identifier: MIT
// What the main window does once at its first activation (settings, history, reopening the last
// document and node) and once when the program ends (body, outline, history, settings).
#pragma once

#include <string>

#include "core/settings/settings.h"

namespace rn::gui {

struct AppState;
class BodyEditor;
class HistoryMenu;
class OutlineSelection;

// The window's side of start-up and exit: where it stands and how it shows the settings.
class WindowFrame {
public:
    virtual ~WindowFrame() = default;
    // The window's position and size and the outline pane's width, as the settings file keeps them.
    virtual rn::WindowGeometry currentGeometry() const = 0;
    virtual void applyGeometry(const rn::WindowGeometry& g) = 0;
    virtual void applySettings() = 0;
    virtual void setStatusPanelWidths() = 0;
};

class StartupExit {
public:
    StartupExit(AppState& state, WindowFrame& frame, BodyEditor& editor, OutlineSelection& selection,
                HistoryMenu& history)
        : state_(state), frame_(frame), editor_(editor), selection_(selection), history_(history) {}

    void runStartup();
    // False when the user chose to keep the program running (only asked when `mayStay`).
    bool runExit(bool mayStay);
    // Reads the settings file, when it exists, and puts the window where it was; once. Runs before
    // the window first appears, so that the window system places it there from the start; the first
    // activation then finds it done.
    void readSettingsFile();

private:
    // Opens what the start chose; `nothingOpenNote` follows the status text when nothing opens.
    void openStartFile(const std::string& startFile, const std::string& nothingOpenNote = {});
    // The body being edited could not be written: its text goes to a rescue file. True when the
    // exit may go on.
    bool rescueEditedBody(bool mayStay);

    AppState& state_;
    WindowFrame& frame_;
    BodyEditor& editor_;
    OutlineSelection& selection_;
    HistoryMenu& history_;
    bool settingsRead_ = false;
    bool settingsFound_ = false;
};

}  // namespace rn::gui
