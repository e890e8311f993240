// SPDX-License-Identifier: MIT
// SIGTERM, SIGINT and SIGHUP (logout, a kill, a closed terminal) end the program through its normal
// exit, so the body being edited, the outline and the settings are written first.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace rn {

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    // `onSignal` runs on the event loop, never inside the signal handler.
    explicit TerminationWatcher(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationWatcher() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace rn
