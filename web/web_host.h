// The core's window onto the browser: message boxes as modal dialogs, the five timers as
// intervals of the page's event loop (their ticks come back through the shell), and closing.
#pragma once

#include <functional>
#include <string_view>

#include "game/host.h"

namespace tilvara::web {

class Shell;

class WebHost final : public Host {
public:
    explicit WebHost(Shell& shell) : shell_(shell) {}
    ~WebHost() override;  // stops the timers
    WebHost(const WebHost&) = delete;
    WebHost& operator=(const WebHost&) = delete;

    void ShowMessage(std::string_view text, std::function<void()> closed) override;
    void SetTimer(TimerId id, bool on) override;
    void Unload() override;

private:
    Shell& shell_;
};

}  // namespace tilvara::web
