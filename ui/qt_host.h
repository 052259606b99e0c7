// The core's window onto Qt: message boxes that return at once, the five timers, closing.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>

#include "game/host.h"

class QMessageBox;
class QWidget;

namespace tilvara::ui {

class QtHost final : public QObject, public Host {
    Q_OBJECT
public:
    // tick(id) runs on every timeout of that timer; afterClose runs after the core has
    // taken a box's closing, so the window shows what followed from it.
    QtHost(QWidget* window, std::function<void(TimerId)> tick, std::function<void()> afterClose);

    void ShowMessage(std::string_view text, std::function<void()> closed) override;
    void SetTimer(TimerId id, bool on) override;
    void Unload() override;

    // Tests answer messages here instead of a real box, which then counts as closed at once
    // (from the event loop, as a real one would be); null restores the box.
    void setMessageHandler(std::function<void(const QString&)> handler);
    const QTimer& timer(TimerId id) const { return timers_[static_cast<int>(id)]; }
    // The newest box still open, or null.
    QMessageBox* openMessage() const;

private:
    QWidget* window_;
    std::function<void()> afterClose_;
    std::function<void(const QString&)> messageHandler_;
    std::array<QTimer, TimerCount> timers_;
    QList<QPointer<QMessageBox>> open_;
};

}  // namespace tilvara::ui
