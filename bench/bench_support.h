// A benchmark's window: the test doubles with a seeded generator and a clock stopped at noon,
// so every run deals the same board.
#pragma once

#include <cstdint>

#include "game/game.h"
#include "tests/support/fake_host.h"

namespace tilvara::bench {

// A started-up window with level 1 dealt from the seed.
struct DealtGame {
    explicit DealtGame(std::uint64_t seed) : random(seed) {
        clock.now = 0.5;
        game.Form_Load();
        game.hard1_Click();
    }
    test::FakeHost host;
    test::ScriptedRandom random;
    test::FakeClock clock;
    Game app{host, random, clock};
    MainForm& game = test::GameProbe::Form(app);
};

}  // namespace tilvara::bench
