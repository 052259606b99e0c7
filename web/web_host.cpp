// Browser side of the core's host interface.
#include "web/web_host.h"

#include <emscripten/html5.h>

#include "web/shell.h"

namespace tilvara::web {

WebHost::WebHost(Shell& shell, std::function<void(TimerId)> tick)
    : shell_(shell), tick_(std::move(tick)) {
    for (int t = 0; t < TimerCount; ++t) ticks_[t] = {this, static_cast<TimerId>(t)};
}

WebHost::~WebHost() {
    for (long& interval : intervals_) {
        if (interval) emscripten_clear_interval(interval);
        interval = 0;
    }
}

void WebHost::ShowMessage(std::string_view text, std::function<void()> closed) {
    shell_.OpenBox(text, std::move(closed));
}

void WebHost::SetTimer(TimerId id, bool on) {
    long& interval = intervals_[static_cast<int>(id)];
    // On restarts the interval from now, as a running desktop timer does when started again.
    if (interval) emscripten_clear_interval(interval);
    interval = on ? emscripten_set_interval(&WebHost::OnInterval, TimerInterval(id),
                                            &ticks_[static_cast<int>(id)])
                  : 0;
}

void WebHost::OnInterval(void* tick) {
    const Tick& t = *static_cast<const Tick*>(tick);
    t.host->tick_(t.id);
}

void WebHost::Unload() {
    for (int t = 0; t < TimerCount; ++t) SetTimer(static_cast<TimerId>(t), false);
    shell_.Unload();
}

}  // namespace tilvara::web
