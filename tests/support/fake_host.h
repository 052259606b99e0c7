// Test doubles for the rules core: a window that records what the game asks of it and can
// run events while a message box is open or a path shows, a scripted generator and a clock.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"

namespace tilvara::test {

// The tests' way past the narrow Game: the whole main window, its variables and helpers.
struct GameProbe {
    static MainForm& Form(Game& game) { return game; }
};

// Time of day as a fraction of a day, set by the test, and a steady clock that Set moves on
// by the time it takes the wall clock to read the new time (across midnight, if need be).
// Writing `now` directly is setting the wall clock: the steady clock stays put.
class FakeClock final : public TimeOfDay {
public:
    double now = 0;
    double steady = 0;
    double Now() override { return now; }
    double SteadyNow() override { return steady; }
    void Set(int hours, int minutes, double seconds) {
        const double then = (hours * 3600 + minutes * 60 + seconds) / 86400.0;
        const double passed = then - now;
        Pass(passed - std::floor(passed));
        now = then;
    }
    void Pass(double days) {
        now += days;
        steady += days;
    }
};

// Draws come from the script while it lasts, then from a seeded generator (splitmix64),
// so a test can fix a whole deal or only its start. Re-seeds are counted and change
// nothing: a replay must not depend on the wall clock.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(std::uint64_t seed = 1) : state_(seed) {}

    std::deque<double> script;
    int reseeds = 0;
    int draws = 0;

    void Reseed(double) override { ++reseeds; }
    double Next() override {
        ++draws;
        if (!script.empty()) {
            const double u = script.front();
            script.pop_front();
            return u;
        }
        return static_cast<double>(NextBits() >> 11) * 0x1.0p-53;
    }
    std::uint64_t NextBits() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(NextBits() % static_cast<std::uint64_t>(n)); }

    // A deal whose every swap draws the visited cell itself: the sorted layout survives.
    void ScriptIdentityDeal() {
        for (int row = 1; row <= Rows; ++row) {
            for (int col = 1; col <= Cols; ++col) {
                script.push_back((row - 0.5) / Rows);
                script.push_back((col - 0.5) / Cols);
            }
        }
    }

private:
    std::uint64_t state_;
};

// The window as the core sees it. Timers run on a virtual clock in milliseconds, the way
// a toolkit delivers them: only while on, each interval counted from the moment it was
// switched on. A box stays open until the test closes it, or until Settle() lets the window
// run as a player who closes every box at once would.
class FakeHost final : public Host {
public:
    struct Switch {
        TimerId id;
        bool on;
        bool operator==(const Switch&) const = default;
    };
    struct Box {
        std::string text;
        std::function<void()> closed;
        bool seen = false;  // onMessage has had its turn
    };

    MainForm* game = nullptr;
    FakeClock* clock = nullptr;  // follows the virtual time when set

    std::vector<std::string> messages;  // every box shown, in order
    std::vector<Box> open;              // boxes not yet closed, the newest last
    std::vector<Switch> switches;
    int holdTicks = 0;  // ticks Settle gave to a path on show
    int unloadCalls = 0;

    // Settle runs these while a box is open (before closing it) and before each tick it
    // gives a path on show.
    std::function<void(std::string_view)> onMessage;
    std::function<void()> onHoldTick;
    // A path on show gets the next due timer of the virtual clock instead of a Timer3 tick.
    bool holdRunsTimers = false;

    long long nowMs = 0;
    std::array<bool, TimerCount> on{};
    std::array<long long, TimerCount> due{};

    void ShowMessage(std::string_view text, std::function<void()> closed) override {
        messages.emplace_back(text);
        open.push_back({std::string(text), std::move(closed)});
    }
    void SetTimer(TimerId id, bool state) override {
        switches.push_back({id, state});
        const int i = static_cast<int>(id);
        on[i] = state;
        if (state) due[i] = nowMs + TimerInterval(id);
    }
    void Unload() override { ++unloadCalls; }

    bool IsOn(TimerId id) const { return on[static_cast<int>(id)]; }

    // The player closes the newest box; the window repaints.
    void CloseMessage() {
        Box box = std::move(open.back());
        open.pop_back();
        box.closed();
        if (game != nullptr) game->TakeChanges();
    }

    // Lets the window run until nothing waits: each open box gets onMessage and is then
    // closed, newest first; a path on show gets its ticks, onHoldTick before each.
    void Settle() {
        for (int turn = 0; turn < 100000; ++turn) {
            if (CloseOpenBoxes()) continue;
            if (game == nullptr || !game->RemovalAtWork()) return;
            ++holdTicks;
            if (onHoldTick) onHoldTick();
            CloseOpenBoxes();
            if (holdRunsTimers)
                RunNextTimer();
            else
                game->Timer3_Timer();
        }
        std::fputs("FakeHost::Settle: the window never settles\n", stderr);
        std::abort();
    }

    // Moves the virtual clock to the earliest due timer and fires it; ties go to the lower
    // timer number. False when no timer is on.
    bool RunNextTimer(TimerId* fired = nullptr) {
        int next = -1;
        for (int i = 0; i < TimerCount; ++i)
            if (on[i] && (next < 0 || due[i] < due[next])) next = i;
        if (next < 0) return false;
        const TimerId id = static_cast<TimerId>(next);
        Advance(due[next] - nowMs);
        due[next] += TimerInterval(id);  // before the handler, which may switch it anew
        if (fired != nullptr) *fired = id;
        game->Tick(id);
        return true;
    }

    // Fires every timer that falls due within the next ms milliseconds, in time order.
    void RunFor(long long ms) {
        const long long end = nowMs + ms;
        for (;;) {
            int next = -1;
            for (int i = 0; i < TimerCount; ++i)
                if (on[i] && due[i] <= end && (next < 0 || due[i] < due[next])) next = i;
            if (next < 0) break;
            RunNextTimer();
        }
        Advance(end - nowMs);
    }

    // Runs timers until the given one has fired once (it must be on).
    void RunUntil(TimerId id) {
        TimerId fired{};
        while (RunNextTimer(&fired) && fired != id) {
        }
    }

    int CountMessages(std::string_view text) const {
        int n = 0;
        for (const std::string& m : messages) n += m == text;
        return n;
    }

private:
    // True when a box was closed. A box's onMessage may open boxes above it; those go first.
    bool CloseOpenBoxes() {
        bool closed = false;
        while (!open.empty()) {
            if (!open.back().seen) {
                open.back().seen = true;
                const std::size_t count = open.size();
                if (onMessage) onMessage(std::string(open[count - 1].text));
                if (open.size() != count) continue;
            }
            CloseMessage();
            closed = true;
        }
        return closed;
    }

    void Advance(long long ms) {
        nowMs += ms;
        if (clock != nullptr) clock->Pass(static_cast<double>(ms) / 86'400'000.0);
    }
};

// A picture written with '/' between rows, for one-line tables: "AB/.C".
inline Board Picture(std::string_view compact) {
    std::string picture(compact);
    for (char& c : picture)
        if (c == '/') c = '\n';
    return Board::FromPicture(picture);
}

// The cells whose pictures show the highlighted face, in reading order.
inline std::vector<Cell> Highlighted(const MainForm& game) {
    std::vector<Cell> cells;
    for (int n = 1; n <= CellCount; ++n)
        if (game.View().Image2[n].face.highlighted) cells.push_back(CellOf(n));
    return cells;
}

// The mode flag each level's start sets; level 1 has none.
inline constexpr bool SlideModes::*ModeOfLevel[] = {
    nullptr,
    nullptr,
    &SlideModes::slideUp,
    &SlideModes::slideDown,
    &SlideModes::slideLeft,
    &SlideModes::slideRight,
    &SlideModes::slideToMiddleV,
    &SlideModes::slideToMiddleH,
};

// One main window with its fakes, started up.
struct Rig {
    FakeHost host;
    ScriptedRandom random;
    FakeClock clock;
    Game app{host, random, clock};
    MainForm& game = GameProbe::Form(app);

    explicit Rig(std::uint64_t seed = 1) : random(seed) {
        host.game = &game;
        game.Form_Load();
    }
    // A board of the picture's tiles (lines or '/' between rows), pictures shown on the tiles.
    void Place(std::string_view picture) { game.PlaceBoard(Picture(picture)); }
    // A click, and the window running until nothing waits (a path on show, open boxes).
    void Click(int row, int col) {
        game.Image2_Click(IndexOf(row, col));
        host.Settle();
    }
    const CellPicture& Pic(int row, int col) const { return game.View().Image2[IndexOf(row, col)]; }
    bool TimerOn(TimerId id) const { return game.View().timers[static_cast<int>(id)]; }
};

}  // namespace tilvara::test
