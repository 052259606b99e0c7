// Browser side of the core's host interface.
#include "web/web_host.h"

#include "web/page.h"
#include "web/shell.h"

namespace tilvara::web {

WebHost::~WebHost() {
    for (int t = 0; t < TimerCount; ++t) page::StopInterval(t);
}

void WebHost::ShowMessage(std::string_view text, std::function<void()> closed) {
    shell_.OpenBox(text, std::move(closed));
}

// Each timer has the interval slot of its own number. On restarts the interval from now, as a
// running desktop timer does when it is started again.
void WebHost::SetTimer(TimerId id, bool on) {
    const int slot = static_cast<int>(id);
    if (on)
        page::StartInterval(slot, TimerInterval(id));
    else
        page::StopInterval(slot);
}

void WebHost::Unload() {
    for (int t = 0; t < TimerCount; ++t) SetTimer(static_cast<TimerId>(t), false);
    shell_.Unload();
}

}  // namespace tilvara::web
