// SPDX-License-Identifier: MIT
// At most one copy of the program runs per user and desktop session: the first copy listens on a
// local socket named after the application title, the user id and the display it shows on (in
// $XDG_RUNTIME_DIR when that is set); a later copy finds it there and asks it to come forward.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace rn {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `title` identifies the program ("RamblenoteVer3").
    explicit SingleInstance(const QString& title, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket for one user on one display: a path in `runtimeDir` when that is given, else a
    // name in the shared temporary folder.
    static QString serverName(const QString& title, unsigned uid, const QString& display, const QString& runtimeDir);
    // The display this copy shows on: the X11 display (":0.0" and ":0" are one), the Wayland socket,
    // or the platform's name where there is neither.
    static QString currentDisplay();

    // True when another copy is already running. It is not disturbed: only AskToShow asks it for
    // anything.
    bool AnotherCopyRunning();
    // Asks the running copy to restore its window and bring it to the front.
    void AskToShow();
    // Asks the running copy to open the file at `absolutePath` and come to the front; false when the
    // request could not be delivered.
    bool AskToOpen(const QString& absolutePath);
    // Starts listening for later copies; false when the name could not be taken.
    bool Listen();
    QString ServerName() const { return name_; }

signals:
    // A later copy asked this one to show its window.
    void showRequested();
    // A later copy was started with a file: this one is to open it (an absolute path).
    void openRequested(const QString& path);

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

}  // namespace rn
