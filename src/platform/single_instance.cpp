// SPDX-License-Identifier: MIT
#include "platform/single_instance.h"

#include <unistd.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>

namespace rn {
namespace {

constexpr int kWaitMs = 500;

// Characters a socket file name may carry; others (a Wayland socket given as a path) become "_".
QString fileNameSafe(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (!c.isLetterOrNumber() && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char(':'))
            c = QLatin1Char('_');
    return out;
}

// ":0.0" and ":0" name the same X display; the screen number after the display number is dropped.
QString withoutScreen(const QString& display) {
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = display.indexOf(QLatin1Char('.'), colon + 1);
    return colon >= 0 && dot > colon ? display.left(dot) : display;
}

}  // namespace

SingleInstance::SingleInstance(const QString& title, QObject* parent)
    : QObject(parent),
      name_(serverName(title, ::getuid(), currentDisplay(), qEnvironmentVariable("XDG_RUNTIME_DIR"))) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& title, unsigned uid, const QString& display,
                                   const QString& runtimeDir) {
    QString name = title + QLatin1Char('-') + QString::number(uid) + QLatin1Char('-') +
                   fileNameSafe(withoutScreen(display.isEmpty() ? QStringLiteral("none") : display));
    // The runtime folder belongs to this user alone and is emptied at logout.
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir()) return runtimeDir + QLatin1Char('/') + name;
    return name;
}

QString SingleInstance::currentDisplay() {
    QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) return qEnvironmentVariable("DISPLAY");
    if (platform.startsWith(QLatin1String("wayland"))) {
        const QString socket = qEnvironmentVariable("WAYLAND_DISPLAY");
        return QStringLiteral("wayland-") + (socket.isEmpty() ? QStringLiteral("wayland-0") : socket);
    }
    return platform;
}

bool SingleInstance::AnotherCopyRunning() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.disconnectFromServer();
    return true;
}

namespace {

// One request per connection: "show\n", or "open " and the path in Base64 (any byte may be in a
// file name) and "\n".
bool Send(const QString& name, const QByteArray& request) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(request);
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return sent;
}

}  // namespace

void SingleInstance::AskToShow() {
    Send(name_, "show\n");
}

bool SingleInstance::AskToOpen(const QString& absolutePath) {
    return Send(name_, "open " + absolutePath.toUtf8().toBase64() + "\n");
}

bool SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left by a copy that crashed: nobody answered on it, so it can go.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                // The request is read whole once its line has arrived.
                if (!s->canReadLine()) return;
                const QByteArray line = s->readLine().trimmed();
                if (line == "show") {
                    emit showRequested();
                } else if (line.startsWith("open ")) {
                    const QString path = QString::fromUtf8(QByteArray::fromBase64(line.mid(5)));
                    if (path.startsWith(QLatin1Char('/'))) emit openRequested(path);
                }
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
    return true;
}

}  // namespace rn
