// Resident mode: a close request can hide the program in the notification area instead of ending
// it. Where the desktop has no notification area the window is minimised instead, so the program
// never becomes invisible and unreachable.
#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;

namespace rn::gui {

class TFormTree;

class ResidentMode : public QObject {
    Q_OBJECT
public:
    explicit ResidentMode(TFormTree& window);
    ~ResidentMode() override;

    void BuildTray();
    QSystemTrayIcon* TrayIcon1() const { return tray_; }
    QMenu* PopupMenuTI() const { return menu_; }
    // True when the desktop offers a notification area (overridable for tests).
    bool TrayAvailable() const;
    void SetTrayAvailableForTesting(int available) { trayOverride_ = available; }

    // The close request: true when the close goes ahead.
    bool FormCloseQuery();

    void ShowInTray();
    void RemoveFromTray();
    void RestoreFromTray();

    void TrayIcon1Click();
    void TIMenu1Click();
    void TIMenu2Click();
    void TIMenu3Click();
    void TIMenu4Click();
    void MenuTreeQClick();
    void MenuTreeENDClick();
    // The desktop session is ending: the close requests that follow end the program.
    void WMQueryEndSession();

    // Whether the window was hidden (or minimised) by the last refused close.
    bool IsResident() const { return resident_; }

private:
    TFormTree& w_;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* menu_ = nullptr;
    int trayOverride_ = -1;
    bool resident_ = false;
};

}  // namespace rn::gui
