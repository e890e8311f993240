// SPDX-License-Identifier: MIT
// Resident mode: a close request can hide the program in the notification area instead of ending
// it. Where the desktop has no notification area the window is minimised instead, so the program
// never becomes invisible and unreachable.
#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace rn {
struct Settings;
}

namespace rn::gui {

class TreeFileCommands;

class ResidentMode : public QObject {
    Q_OBJECT
public:
    // `window` is the program's main window; `settings` say whether the program stays resident.
    ResidentMode(QWidget& window, const rn::Settings& settings, TreeFileCommands& files);
    ~ResidentMode() override;

    void buildTray();
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }
    QMenu* trayMenu() const { return trayMenu_; }
    // True when the desktop offers a notification area (overridable for tests).
    bool trayAvailable() const;
    void setTrayAvailableForTesting(int available) { trayOverride_ = available; }

    // The close request: true when the close goes ahead.
    bool handleCloseRequest();

    void showInTray();
    void removeFromTray();
    // Shows the window again (the tray icon's click, its menu's first item, a second copy's request).
    void restoreFromTray();

    // The tray menu's open and new commands: the window comes back first.
    void openFromTray();
    void newFromTray();
    // Ends the program even in resident mode.
    void quitProgram();
    // The exit command: a close request, which resident mode may turn into hiding.
    void closeWindow();
    // The desktop session is ending: the close requests that follow end the program.
    void onSessionEnding();

    // Whether the window was hidden (or minimised) by the last refused close.
    bool isResident() const { return resident_; }
    // Whether the next close request ends the program, whatever the settings say.
    bool quitOnClose() const { return quitOnClose_; }

private:
    QWidget& window_;
    const rn::Settings& settings_;
    TreeFileCommands& files_;
    bool quitOnClose_ = false;
    QSystemTrayIcon* trayIcon_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    int trayOverride_ = -1;
    bool resident_ = false;
};

}  // namespace rn::gui
