// Timers, boxes and the program's end for the core.
#include "win/win_host.h"

#include <algorithm>

#include "game/texts.h"
#include "win/platform.h"
#include "win/secondary_windows.h"

namespace tilvara::win {

// Titled and captioned by the core; modal to its owner (the main window or the box below).
class WinHost::Box final : public TextWindow {
public:
    Box(WinHost& host, HWND owner, std::string_view text) : host_(host) {
        width_ = 300;
        centred_ = true;
        Create(texts::MessageTitle, owner, texts::OkButton);
        Place({{"Label1", std::string(text), 15}}, owner);
        ShowWindow(window_, SW_SHOW);
        SetFocus(GetDlgItem(window_, IDOK));
    }

private:
    void OnClick(const std::string&) override {}
    void OnClose() override { host_.Close(this); }  // Enter, Esc, the button or the frame's X

    WinHost& host_;
};

WinHost::WinHost(HWND window, std::function<void()> afterClose)
    : window_(window), afterClose_(std::move(afterClose)) {}

// Boxes still open when the program ends are dropped without calling `closed`.
WinHost::~WinHost() = default;

void WinHost::ShowMessage(std::string_view text, std::function<void()> closed) {
    // Window-modal: the owner (the main window or the box below) takes no input meanwhile.
    const HWND owner = open_.empty() ? window_ : open_.back().box->Window();
    Block(owner, true);
    open_.push_back({std::make_unique<Box>(*this, owner, text), owner, std::move(closed)});
}

// From the box's own message: the event loop, never inside ShowMessage.
void WinHost::Close(Box* box) {
    const auto found = std::find_if(open_.begin(), open_.end(),
                                    [box](const OpenBox& open) { return open.box.get() == box; });
    if (found == open_.end()) return;
    OpenBox closing = std::move(*found);
    open_.erase(found);
    // The owner first, so that Windows hands it the activation as the box goes.
    Block(closing.owner, false);
    closing.box.reset();
    if (closing.closed) closing.closed();
    if (afterClose_) afterClose_();
}

void WinHost::SetTimer(TimerId id, bool on) {
    const UINT_PTR timer = static_cast<UINT_PTR>(id) + 1;
    if (on)
        ::SetTimer(window_, timer, TimerInterval(id), nullptr);  // restarts a running one
    else
        KillTimer(window_, timer);
}

void WinHost::Unload() {
    for (int t = 0; t < TimerCount; ++t) KillTimer(window_, t + 1);
    // Only hidden here: the core's handler that asked is still on the stack; the window and
    // the game go once the message loop has ended.
    ShowWindow(window_, SW_HIDE);
    PostQuitMessage(0);
}

}  // namespace tilvara::win
