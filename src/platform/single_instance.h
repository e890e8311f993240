// At most one copy of the program runs per user: the first copy listens on a local socket named after
// the application title and the user id; a later copy finds it there and asks it to come forward.
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

    // True when another copy is already running (and has been asked to show itself).
    bool AnotherCopyRunning();
    // Starts listening for later copies; false when the name could not be taken.
    bool Listen();
    QString ServerName() const { return name_; }

signals:
    // A later copy asked this one to show its window.
    void showRequested();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

}  // namespace rn
