// The core's window onto the browser: message boxes as modal dialogs, the five timers as
// intervals of the page's event loop, and closing.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "game/host.h"

namespace tilvara::web {

class Shell;

class WebHost final : public Host {
public:
    // tick(id) runs on every interval of that timer.
    WebHost(Shell& shell, std::function<void(TimerId)> tick);
    ~WebHost() override;
    WebHost(const WebHost&) = delete;
    WebHost& operator=(const WebHost&) = delete;

    void ShowMessage(std::string_view text, std::function<void()> closed) override;
    void SetTimer(TimerId id, bool on) override;
    void Unload() override;

    bool TimerOn(TimerId id) const { return intervals_[static_cast<int>(id)] != 0; }

private:
    struct Tick {
        WebHost* host;
        TimerId id;
    };
    static void OnInterval(void* tick);

    Shell& shell_;
    std::function<void(TimerId)> tick_;
    std::array<Tick, TimerCount> ticks_{};
    std::array<long, TimerCount> intervals_{};  // the page's interval ids; 0 when off
};

}  // namespace tilvara::web
