// SPDX-License-Identifier: MIT
#include "gui/window/resident.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSessionManager>
#include <QSystemTrayIcon>

#include "core/settings/settings.h"
#include "gui/commands/tree_file_commands.h"
#include "gui/window/icons.h"

namespace rn::gui {

ResidentMode::ResidentMode(QWidget& window, const rn::Settings& settings, TreeFileCommands& files)
    : QObject(&window), window_(window), settings_(settings), files_(files) {}

ResidentMode::~ResidentMode() = default;

void ResidentMode::buildTray() {
    trayIcon_ = new QSystemTrayIcon(makeToolIcon(ToolIcon::App), &window_);
    trayIcon_->setObjectName(QStringLiteral("TrayIcon1"));
    trayIcon_->setToolTip(QStringLiteral("Ramblenote"));
    trayMenu_ = new QMenu(&window_);
    trayMenu_->setObjectName(QStringLiteral("PopupMenuTI"));
    auto add = [this](const char* name, const QString& caption, void (ResidentMode::*handler)()) {
        QAction* a = trayMenu_->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    add("TIMenu1", QStringLiteral("Ramblenote戻す(&R)"), &ResidentMode::restoreFromTray);
    trayMenu_->addSeparator();
    add("TIMenu2", QStringLiteral("Tree開く(&O)"), &ResidentMode::openFromTray);
    add("TIMenu3", QStringLiteral("Tree新規作成(&N)"), &ResidentMode::newFromTray);
    trayMenu_->addSeparator();
    add("TIMenu4", QStringLiteral("常駐解除して終了(&X)"), &ResidentMode::quitProgram);
    trayIcon_->setContextMenu(trayMenu_);
    connect(trayIcon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) restoreFromTray();
    });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { onSessionEnding(); });
}

bool ResidentMode::trayAvailable() const {
    if (trayOverride_ >= 0) return trayOverride_ != 0;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool ResidentMode::handleCloseRequest() {
    if (quitOnClose_) {
        removeFromTray();
        return true;
    }
    if (settings_.Ramblenote.ExePConSW) {
        // Refused: the program stays, hidden; the document stays open and nothing is saved.
        resident_ = true;
        if (trayAvailable()) {
            window_.hide();
        } else {
            window_.showMinimized();
        }
        showInTray();
        return false;
    }
    removeFromTray();
    return true;
}

void ResidentMode::showInTray() {
    if (trayAvailable()) trayIcon_->show();
    quitOnClose_ = true;
}

void ResidentMode::removeFromTray() {
    trayIcon_->hide();
    quitOnClose_ = false;
}

void ResidentMode::restoreFromTray() {
    resident_ = false;
    if (window_.isMinimized()) {
        window_.showNormal();
    } else {
        window_.show();
    }
    window_.raise();
    window_.activateWindow();
    quitOnClose_ = false;
}

void ResidentMode::openFromTray() {
    restoreFromTray();
    files_.openTreeFile();
}

void ResidentMode::newFromTray() {
    restoreFromTray();
    files_.newTreeFile();
}

void ResidentMode::quitProgram() {
    quitOnClose_ = true;
    window_.close();
}

void ResidentMode::closeWindow() {
    window_.close();
}

void ResidentMode::onSessionEnding() {
    quitOnClose_ = true;
}

}  // namespace rn::gui
