// What the main window does once at its first activation (settings, history, reopening the last
// document and node) and once when the program ends (body, outline, history, settings).
#pragma once

#include <string>

#include "core/settings/settings.h"

namespace rn::gui {

class TFormTree;

class StartupExit {
public:
    explicit StartupExit(TFormTree& window) : w_(window) {}

    void FirstActivation();
    void Exit();

    // The window's position and size and the outline pane's width, as the settings file keeps them.
    rn::WindowGeometry CurrentGeometry() const;
    void ApplyGeometry(const rn::WindowGeometry& g);

private:
    void OpenStartFile(const std::string& startFile);

    TFormTree& w_;
};

}  // namespace rn::gui
