// The game as a front end sees it: events in, the view and what changed in it out. Everything
// else of the main window stays inside; tests reach it through a probe of their own.
#pragma once

#include "game/main_form.h"

namespace tilvara {

namespace test {
struct GameProbe;
}

class Game final : private MainForm {
public:
    Game(Host& host, Random& random, TimeOfDay& clock) : MainForm(host, random, clock) {}

    using MainForm::EndedNotice;
    using MainForm::exit_Click;    // the window closed by its frame, as Esc closes it
    using MainForm::Form_KeyDown;  // KeyAnswer
    using MainForm::Form_Load;     // start-up, before the window is first shown
    using MainForm::Image2_Click;  // a click on a cell picture, by index (0 is the template)
    using MainForm::Label1_Click;
    using MainForm::Menu_Click;  // MenuAnswer
    using MainForm::TakeChanges;
    using MainForm::Tick;
    using MainForm::Unloaded;
    using MainForm::View;

    // The game's variables, read-only.
    const GameState& State() const { return *this; }

private:
    friend struct test::GameProbe;
};

}  // namespace tilvara
