// Seeded storms of window events, some fired while a path shows or a message box is open,
// with the game's invariants checked after every event the window delivers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/fake_host.h"
#include "tests/support/reference_scan.h"

namespace tilvara::test {
namespace {

std::string Num(int n) { return std::to_string(n); }

const char* const MenuItems[] = {"hard1",     "hint",      "hint11",    "hard2", "hard3",
                                 "hard4",     "hard5",     "hard6",     "hard7", "hard_net",
                                 "hard_help", "advertise", "hard_about"};

class Storm {
public:
    explicit Storm(std::uint64_t seed) : rig(seed), rng(seed * 0x9E37 + 11) {
        rig.host.clock = &rig.clock;
        rig.host.holdRunsTimers = true;  // ticks of every running timer reach a hold
        rig.host.onHoldTick = [this] {
            ++holds;
            if (QuitNow()) return;
            if (rng.Below(3) == 0) Nested();
        };
        rig.host.onMessage = [this](std::string_view text) {
            ++messageCounts[std::string(text)];
            if (text.ends_with("准备进入下一关！")) ++clearsInTime;
            if (QuitNow()) return;
            if (rng.Below(2) == 0) Nested();
            if (depth_ == 0 && rng.Below(3) == 0) {
                ++depth_;
                rig.host.RunFor(rng.Below(1500));  // the box stays open a while
                --depth_;
            }
        };
    }

    // One event as the window delivers it, the window running until nothing waits (the
    // path's hold and the boxes, with events inside them), then every invariant.
    void Step() {
        Event(false);
        rig.host.Settle();
        Check();
    }
    // One event without the checks, for after the window has closed.
    void Poke() {
        Event(false);
        rig.host.Settle();
    }

    void Check() {
        const MainForm& g = rig.game;
        const ViewState& v = g.View();
        ASSERT_TRUE(g.IsConsistent()) << g.board.ToPicture();
        for (int row = 0; row < BoardRows; ++row)
            for (int col = 0; col < BoardCols;
                 col += row == 0 || row == BoardRows - 1 ? 1 : Cols + 1)
                ASSERT_EQ(g.board(row, col), 0) << "border " << row << "," << col;
        std::array<int, Kinds + 1> counts{};
        for (int row = 1; row <= tilvara::Rows; ++row) {
            for (int col = 1; col <= Cols; ++col) {
                const int kind = g.board(row, col);
                ASSERT_TRUE(kind >= 0 && kind <= Kinds);
                ++counts[kind];
                const CellPicture& pic = v.Image2[IndexOf(row, col)];
                if (Dealt()) {
                    ASSERT_EQ(pic.visible, kind != 0) << row << "," << col;
                }
                // Faces travel with their kinds through slides and reshuffles.
                if (pic.visible) {
                    ASSERT_EQ(pic.face.kind, kind) << row << "," << col;
                }
            }
        }
        for (int kind = 1; kind <= Kinds; ++kind) ASSERT_EQ(counts[kind] % 2, 0) << kind;
        ASSERT_EQ(CellCount - counts[0], g.tilesLeft);
        ASSERT_TRUE(g.link.AtRest());
        ASSERT_LE(g.CountSet(), 1);
        ASSERT_FALSE(g.RemovalAtWork());
        ASSERT_FALSE(v.Image4.visible || v.Image5.visible || v.Image6.visible || v.Image7.visible);
        if (g.hasSelection) {
            ASSERT_EQ(CellOf(g.selIndex), (Cell{g.selRow, g.selCol}));
            ASSERT_TRUE(v.Image2[g.selIndex].visible) << g.selIndex;
        }
        ASSERT_GE(g.hintsLeft, 0);
        ASSERT_GE(g.reshufflesLeft, -1);
        ASSERT_TRUE(g.level >= 1 && g.level <= 8);
        ASSERT_TRUE(v.timers[static_cast<int>(TimerId::Timer3)]);
        for (int t = 0; t < TimerCount; ++t) ASSERT_EQ(v.timers[t], rig.host.on[t]) << t;
        if (Dealt()) {
            ASSERT_EQ(v.Label4.caption, Num(g.reshufflesLeft) + "次重排,F2键");
            const std::string hints = Num(g.hintsLeft) + "次提示,F1键";
            ASSERT_TRUE(v.Label2.caption == hints || v.Label2.caption == "还有" + hints)
                << v.Label2.caption;
            ASSERT_TRUE(v.Label3.caption.starts_with("目前总分:" + Num(g.totalScore)));
        }
        maxLevel = std::max(maxLevel, g.level);
    }

    bool Dealt() const { return rig.random.draws > 0; }

    Rig rig;
    ScriptedRandom rng;
    int holds = 0;
    int removals = 0;
    int maxLevel = 1;
    int clearsInTime = 0;
    int dealsMidRemoval = 0;
    std::map<std::string, int> messageCounts;
    // Set: the next hold or message is closed by Esc or the quit item, from inside.
    bool quitInside = false;

private:
    bool QuitNow() {
        if (!quitInside) return false;
        quitInside = false;
        if (rng.Below(2))
            rig.game.Form_KeyDown(KeyEscape);
        else
            rig.game.Menu_Click("exit");
        return true;
    }

    void Nested() {
        if (depth_ >= 2) return;
        ++depth_;
        Event(true);
        --depth_;
    }

    // Clicks the two tiles of a linkable pair, when a few tries find one.
    void RemoveAPair() {
        const MainForm& g = rig.game;
        for (int attempt = 0; attempt < 8; ++attempt) {
            const Cell a = CellOf(1 + rng.Below(CellCount));
            if (g.board(a.row, a.col) == 0) continue;
            const std::optional<Cell> b = reference::FirstPartner(g.board, a);
            if (!b) continue;
            const int before = g.tilesLeft;
            if (!g.hasSelection || g.selIndex != IndexOf(a.row, a.col)) {
                rig.game.Image2_Click(IndexOf(a.row, a.col));
                rig.host.Settle();
            }
            // That click may itself have removed a pair with an older selection.
            if (g.hasSelection && g.selIndex == IndexOf(a.row, a.col)) {
                rig.game.Image2_Click(IndexOf(b->row, b->col));
                rig.host.Settle();
            }
            removals += g.tilesLeft < before;
            return;
        }
    }

    void ClickSomewhere() {
        int index = rng.Below(CellCount + 1);  // 0 is the template
        if (rng.Below(2) == 0) {
            for (int tries = 0; tries < 20 && !rig.game.View().Image2[index].visible; ++tries)
                index = 1 + rng.Below(CellCount);
        }
        rig.game.Image2_Click(index);
    }

    void Event(bool nested) {
        MainForm& g = rig.game;
        // Inside a hold or a message deals are likelier, pair hunting is left out.
        const int roll = rng.Below(1000);
        const int deals = nested ? 8 : 1;
        if (roll < deals) {
            dealsMidRemoval += g.RemovalAtWork();
            const int which = rng.Below(8);
            if (which == 0)
                g.Menu_Click("hard1");
            else if (which == 1)
                g.hard1_Click();
            else
                StartLevel(which);
        } else if (roll < 200) {
            ClickSomewhere();
        } else if (roll < 400 && !nested) {
            RemoveAPair();
        } else if (roll < 430) {
            g.Form_KeyDown(rng.Below(2) ? KeyF1 : KeyF2);
        } else if (roll < 445) {
            g.Menu_Click(MenuItems[rng.Below(std::size(MenuItems))]);
        } else if (roll < 460) {
            int key = rng.Below(256);
            if (key == KeyEscape) key = 0;
            g.Form_KeyDown(key);
        } else if (roll < 470) {
            g.Label1_Click();
        } else if (roll < 800) {
            rig.host.RunNextTimer();
        } else if (roll < 995) {
            rig.host.RunFor(rng.Below(3000));
        } else {
            rig.host.RunFor(rng.Below(120000));  // the player looks away: time may run out
        }
    }

    void StartLevel(int n) {
        MainForm& g = rig.game;
        switch (n) {
            case 2: g.hard2_Click(); break;
            case 3: g.hard3_Click(); break;
            case 4: g.hard4_Click(); break;
            case 5: g.hard5_Click(); break;
            case 6: g.hard6_Click(); break;
            default: g.hard7_Click(); break;
        }
    }

    int depth_ = 0;
};

TEST(Storm, InvariantsHoldThroughAHundredThousandEvents) {
    Storm storm(4242);
    storm.Check();
    for (int i = 0; i < 100000; ++i) {
        storm.Step();
        if (::testing::Test::HasFatalFailure()) FAIL() << "after event " << i;
    }
    // The storm reached the paths it is meant to shake.
    EXPECT_GT(storm.removals, 5000);
    EXPECT_GT(storm.holds, 10000);
    EXPECT_GE(storm.maxLevel, 4);
    EXPECT_GT(storm.clearsInTime, 0);
    EXPECT_GT(storm.dealsMidRemoval, 10);
    for (const char* text : {"奖励一次提示机会", "奖励一次重新排牌机会", "重排机会用完!",
                             "您的速度太慢，时间已经用完！"})
        EXPECT_GT(storm.messageCounts[text], 0) << text;
    std::printf("removals %d, holds %d, highest level %d, deals mid-removal %d\n", storm.removals,
                storm.holds, storm.maxLevel, storm.dealsMidRemoval);
    for (const auto& [text, n] : storm.messageCounts) std::printf("%5d  %s\n", n, text.c_str());
}

// What a closed window still shows; nothing may change it.
std::string Snapshot(const MainForm& g) {
    std::string s = g.board.ToPicture();
    for (const int n : {g.tilesLeft, g.hintsLeft, g.reshufflesLeft, g.totalScore, g.level,
                        g.revealClicks, g.tickCount, g.selIndex, int(g.hasSelection)})
        s += Num(n) + " ";
    const ViewState& v = g.View();
    for (const Label* l : {&v.Label1, &v.Label2, &v.Label3, &v.Label4}) s += l->caption + "|";
    s += v.caption + Num(static_cast<int>(v.Image10.width));
    for (const CellPicture& pic : v.Image2)
        s += Num(pic.face.kind * 4 + pic.face.highlighted * 2 + pic.visible) + ",";
    return s;
}

// Short storms that end with Esc or the quit item, at the top or from inside a hold or a
// message: one unload, every timer off, and from then on no event changes anything.
TEST(Storm, QuittingEndsEverything) {
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        Storm storm(seed);
        for (int i = 0; i < 1500; ++i) {
            storm.Step();
            if (::testing::Test::HasFatalFailure()) FAIL() << "seed " << seed << " event " << i;
        }
        if (seed % 3 == 0) {
            storm.rig.game.Form_KeyDown(KeyEscape);
        } else {
            storm.quitInside = true;
            for (int i = 0; i < 5000 && !storm.rig.game.Unloaded(); ++i) storm.Poke();
        }
        ASSERT_TRUE(storm.rig.game.Unloaded()) << seed;
        EXPECT_EQ(storm.rig.host.unloadCalls, 1);
        for (const bool on : storm.rig.game.View().timers) EXPECT_FALSE(on);
        for (const bool on : storm.rig.host.on) EXPECT_FALSE(on);
        // Whatever was open when the window closed may finish returning; after that, silence.
        const std::string before = Snapshot(storm.rig.game);
        const size_t messages = storm.rig.host.messages.size();
        for (int i = 0; i < 500; ++i) storm.Poke();
        storm.rig.game.Form_KeyDown(KeyEscape);
        EXPECT_EQ(Snapshot(storm.rig.game), before) << seed;
        EXPECT_EQ(storm.rig.host.messages.size(), messages) << seed;
        EXPECT_EQ(storm.rig.host.unloadCalls, 1);
    }
}

}  // namespace
}  // namespace tilvara::test
