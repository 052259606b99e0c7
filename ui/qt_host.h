// The core's window onto Qt: modal messages, the event pump of the path hold, the five
// timers, closing, and links.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>

#include "game/host.h"

class QWidget;

namespace tilvara::ui {

class QtHost final : public QObject, public Host {
    Q_OBJECT
public:
    // tick(id) runs on every timeout of that timer; beforeWait runs before any nested event
    // loop, so the window shows the latest state while a path holds or a message waits.
    QtHost(QWidget* window, std::function<void(TimerId)> tick, std::function<void()> beforeWait);

    void ShowMessage(std::string_view text) override;
    void ProcessEvents() override;
    void SetTimer(TimerId id, bool on) override;
    void Unload() override;
    void ShellOpen(std::string_view target) override;

    // Tests answer messages here instead of a real box; null restores the box.
    void setMessageHandler(std::function<void(const QString&)> handler);
    const QTimer& timer(TimerId id) const { return timers_[static_cast<int>(id)]; }

private:
    QWidget* window_;
    std::function<void()> beforeWait_;
    std::function<void(const QString&)> messageHandler_;
    std::array<QTimer, TimerCount> timers_;
};

}  // namespace tilvara::ui
