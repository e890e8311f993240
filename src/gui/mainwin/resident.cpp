#include "gui/mainwin/resident.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSessionManager>
#include <QSystemTrayIcon>

#include "gui/mainwin/icons.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/tree_file_commands.h"

namespace rn::gui {

ResidentMode::ResidentMode(TFormTree& window) : QObject(&window), w_(window) {}

ResidentMode::~ResidentMode() = default;

void ResidentMode::BuildTray() {
    tray_ = new QSystemTrayIcon(MakeToolIcon(ToolIcon::App), &w_);
    tray_->setObjectName(QStringLiteral("TrayIcon1"));
    tray_->setToolTip(QStringLiteral("Ramblenote"));
    menu_ = new QMenu(&w_);
    menu_->setObjectName(QStringLiteral("PopupMenuTI"));
    auto add = [this](const char* name, const QString& caption, void (ResidentMode::*handler)()) {
        QAction* a = menu_->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    add("TIMenu1", QStringLiteral("Ramblenote戻す(&R)"), &ResidentMode::TIMenu1Click);
    menu_->addSeparator();
    add("TIMenu2", QStringLiteral("Tree開く(&O)"), &ResidentMode::TIMenu2Click);
    add("TIMenu3", QStringLiteral("Tree新規作成(&N)"), &ResidentMode::TIMenu3Click);
    menu_->addSeparator();
    add("TIMenu4", QStringLiteral("常駐解除して終了(&X)"), &ResidentMode::TIMenu4Click);
    tray_->setContextMenu(menu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) TrayIcon1Click();
    });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { WMQueryEndSession(); });
}

bool ResidentMode::TrayAvailable() const {
    if (trayOverride_ >= 0) return trayOverride_ != 0;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool ResidentMode::FormCloseQuery() {
    AppState& s = w_.state();
    if (s.QuitOnClose) {
        RemoveFromTray();
        return true;
    }
    if (w_.ResidentModeOn()) {
        // Refused: the program stays, hidden; the document stays open and nothing is saved.
        resident_ = true;
        if (TrayAvailable()) {
            w_.hide();
        } else {
            w_.showMinimized();
        }
        ShowInTray();
        return false;
    }
    RemoveFromTray();
    return true;
}

void ResidentMode::ShowInTray() {
    if (TrayAvailable()) tray_->show();
    w_.state().QuitOnClose = true;
}

void ResidentMode::RemoveFromTray() {
    tray_->hide();
    w_.state().QuitOnClose = false;
}

void ResidentMode::RestoreFromTray() {
    resident_ = false;
    if (w_.isMinimized()) {
        w_.showNormal();
    } else {
        w_.show();
    }
    w_.raise();
    w_.activateWindow();
    w_.state().QuitOnClose = false;
}

void ResidentMode::TrayIcon1Click() {
    RestoreFromTray();
}
void ResidentMode::TIMenu1Click() {
    RestoreFromTray();
}

void ResidentMode::TIMenu2Click() {
    RestoreFromTray();
    w_.treeFiles().ToolButtonTOpenClick();
}

void ResidentMode::TIMenu3Click() {
    RestoreFromTray();
    w_.treeFiles().ToolButtonTNewClick();
}

void ResidentMode::TIMenu4Click() {
    w_.state().QuitOnClose = true;
    w_.close();
}

void ResidentMode::MenuTreeQClick() {
    w_.close();
}

void ResidentMode::MenuTreeENDClick() {
    w_.state().QuitOnClose = true;
    w_.close();
}

void ResidentMode::WMQueryEndSession() {
    w_.state().QuitOnClose = true;
}

}  // namespace rn::gui
