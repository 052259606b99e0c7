// A window that shows nothing, a seeded generator and a fixed clock, so a benchmark deals
// the same board on every run.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/game.h"

namespace tilvara::bench {

class QuietHost final : public Host {
public:
    void ShowMessage(std::string_view) override {}
    void ProcessEvents() override {}
    void SetTimer(TimerId, bool) override {}
    void Unload() override {}
    void ShellOpen(std::string_view) override {}
};

// splitmix64; re-seeds are ignored so the deal depends on the seed alone.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    void Reseed(double) override {}
    double Next() override {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
    }

private:
    std::uint64_t state_;
};

class FixedClock final : public TimeOfDay {
public:
    double Now() override { return 0.5; }
};

// A started-up window with level 1 dealt from the seed.
struct DealtGame {
    explicit DealtGame(std::uint64_t seed) : random(seed) {
        game.Form_Load();
        game.hard1_Click();
    }
    QuietHost host;
    SeededRandom random;
    FixedClock clock;
    Game game{host, random, clock};
};

}  // namespace tilvara::bench
