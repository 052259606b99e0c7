// Form1 in the browser: owns the game of one run, forwards the page's clicks, menu commands,
// keys and timer ticks to it, and repaints what changed in its view state.
#pragma once

#include <memory>
#include <optional>

#include "game/game.h"
#include "game/random.h"
#include "game/time_of_day.h"
#include "web/web_host.h"

namespace tilvara::web {

class Shell;

class Form1 {
public:
    // A seed fixes every deal of the run (for tests); without one the deals are random.
    Form1(Shell& shell, std::optional<std::uint64_t> seed);

    Game& game() { return *game_; }
    // Brings the page in line with the view state: only what changed since the last call.
    void Refresh();
    // How the game ended, once it has: the ended notice's words.
    std::string EndedNotice() const { return game_->EndedNotice(); }

    void Click(int index);
    void Label1Click();
    // A menu item by its place in the menu bar.
    void Menu(int menu, int item);
    // A key for the core; false when it is none of the window's and the browser may have it.
    bool KeyDown(int keyCode, bool repeat);
    // The change record keeps what a tick changed until the next repaint.
    void Tick(TimerId id, bool behind);

private:
    void BuildMenus();

    Shell& shell_;
    std::unique_ptr<Random> random_;
    SystemClock clock_;
    WebHost host_;
    std::unique_ptr<Game> game_;
};

}  // namespace tilvara::web
