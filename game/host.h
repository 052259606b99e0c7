// What the core asks of the toolkit: the few things only a windowing system can do.
#pragma once

#include <string_view>

#include "game/view_state.h"

namespace tilvara {

class Host {
public:
    virtual ~Host() = default;
    // A modal message titled "提示" with one OK button; returns once it is closed. Other
    // events (timer ticks, and in tests anything) may run inside it.
    virtual void ShowMessage(std::string_view text) = 0;
    // Lets pending events run once; used to keep the window alive while a path shows.
    virtual void ProcessEvents() = 0;
    // On (re)starts the timer's interval from now; off stops it.
    virtual void SetTimer(TimerId id, bool on) = 0;
    // Closes the main window, which ends the program.
    virtual void Unload() = 0;
    // Opens a web address or other link in the desktop's default handler; failures are silent.
    virtual void ShellOpen(std::string_view target) = 0;
};

}  // namespace tilvara
