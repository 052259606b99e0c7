// What the core asks of a front end (a desktop toolkit, a browser): the few things only a
// windowing system can do, and the rules a front end keeps so that the core never waits.
#pragma once

#include <functional>
#include <string_view>

#include "game/view_state.h"

namespace tilvara {

// The contract, in short:
// - Nothing here waits for the player or for time. Every call returns at once. No event loop
//   runs inside a core call: a front end's own loop is the only one (a modal loop of its
//   own, started from its own event, is its business). A pause of the game (a path on show,
//   an open box) is a step the core resumes on a later event.
// - Events reach the core one at a time, each run to its end before the next: the Game's
//   handlers (Image2_Click, Tick, Form_KeyDown, Menu_Click, ...) and the `closed` of a
//   message box. After each, the front end takes Game::TakeChanges() and repaints exactly
//   what it names.
// - Timers tick only while on, each at its interval (TimerInterval), and keep ticking while
//   a box or any other window is open. Timer3 is switched on at start-up and never off
//   until Unload: a removal's path hold ends on its ticks, so it must never stall. Where the
//   platform throttles or stalls timers (a hidden browser tab), the host delivers the ticks
//   it missed, in order, as soon as it runs again, so the level clock stays true to real
//   time.
class Host {
public:
    virtual ~Host() = default;

    // Opens a modal box: title "提示", the text, one "确定" button. Returns at once. While
    // it is open nothing behind it takes input (the main window, its menus, earlier boxes),
    // but the timers go on. When the player dismisses it (the button, Enter or Esc), the
    // front end calls `closed` once, from its event loop and never from inside ShowMessage,
    // then repaints. (The core ignores a second call for the same box.) Boxes may stack; the newest
    // is on top. A box still open when the program ends is dropped without calling `closed`.
    virtual void ShowMessage(std::string_view text, std::function<void()> closed) = 0;

    // On (re)starts the timer's interval from now; off stops it.
    virtual void SetTimer(TimerId id, bool on) = 0;

    // The window closes and the program ends. Called from inside a handler of the Game:
    // hide the window and stop the timers now, but destroy the Game only after that
    // handler has returned (from the event loop). Every handler returns at once afterwards.
    virtual void Unload() = 0;
};

}  // namespace tilvara
