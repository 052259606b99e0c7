// The Win32 side of the core's host: timers on the main window, the message boxes (the
// program's own, window-modal, so that the button speaks the game's language rather than the
// system's, and the clock runs behind them) and the program's end.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "game/host.h"

namespace tilvara::win {

class WinHost final : public Host {
public:
    // `afterClose` runs after a box's `closed`: the window repaints and takes the keys back.
    WinHost(HWND window, std::function<void()> afterClose);
    ~WinHost() override;

    void ShowMessage(std::string_view text, std::function<void()> closed) override;
    void SetTimer(TimerId id, bool on) override;
    void Unload() override;

private:
    class Box;
    struct OpenBox {
        std::unique_ptr<Box> box;
        HWND owner;
        std::function<void()> closed;
    };
    void Close(Box* box);

    HWND window_;
    std::function<void()> afterClose_;
    std::vector<OpenBox> open_;
};

}  // namespace tilvara::win
