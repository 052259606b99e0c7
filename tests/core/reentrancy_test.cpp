// Events that arrive while a removal is at work: inside the path's hold and inside the
// reward message. Each must either wait, be dropped, or cancel the removal cleanly.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

// Runs the action once, from the first call of the hold.
void DuringHold(Rig& rig, std::function<void()> action) {
    rig.host.onHoldTick = [action, done = false]() mutable {
        if (done) return;
        done = true;
        action();
    };
}

void InsideMessage(Rig& rig, std::function<void()> action) {
    rig.host.onMessage = [action, done = false](std::string_view) mutable {
        if (done) return;
        done = true;
        action();
    };
}

// The pair of (1,1) and (1,2) held: clicks and hints are dropped, board checks and passes
// skip their ticks and come later, F2 is charged, the clock runs on.
TEST(Reentrancy, DuringTheHoldOnlyTheClockAndChargesRun) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("CC/AA/BB");
    rig.Click(1, 1);
    rig.Click(1, 2);  // Timer1 now waits for its tick
    rig.Click(2, 1);
    LinkOutputs held;
    DuringHold(rig, [&] {
        MainForm& g = rig.game;
        held = g.link;
        g.Image2_Click(IndexOf(3, 1));
        g.Image2_Click(IndexOf(3, 2));
        g.Form_KeyDown(KeyF1);
        g.Menu_Click("hint");
        g.Form_KeyDown(KeyF2);
        g.Timer1_Timer();
        g.Timer2_Timer();
        g.Timer4_Timer();
        EXPECT_EQ(g.link.bestRow, held.bestRow);
        EXPECT_EQ(g.link.minLenViaRow, held.minLenViaRow);
        EXPECT_EQ(g.board.ToPicture(), Picture("../AA/BB").ToPicture());
        EXPECT_FALSE(rig.Pic(3, 1).face.highlighted);
    });
    rig.Click(2, 2);
    const MainForm& g = rig.game;
    EXPECT_EQ(held.bestRow, 2);
    EXPECT_EQ(g.board.ToPicture(), Picture("../../BB").ToPicture());
    EXPECT_FALSE(g.hasSelection);
    EXPECT_EQ(g.hintsLeft, 5);
    EXPECT_TRUE(Highlighted(g).empty());
    EXPECT_EQ(g.reshufflesLeft, 0);
    EXPECT_EQ(g.View().Image10.width, 20);
    EXPECT_EQ(g.View().Label1.caption, "");  // the check was put off, not lost
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer1));
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer2));
    rig.game.Timer1_Timer();
    EXPECT_EQ(g.View().Label1.caption, "还有1个连通!");
    EXPECT_TRUE(g.IsConsistent());
}

// Level 2: the reward message comes after the pair is gone and before the slide.
TEST(Reentrancy, InsideTheRewardMessageChecksWaitAndTheSlideFollows) {
    Rig rig;
    rig.game.hard2_Click();
    rig.Place("AA/BC/BC");
    rig.game.recentScore2 = rig.game.recentScore3 = 18;
    InsideMessage(rig, [&] {
        MainForm& g = rig.game;
        EXPECT_TRUE(rig.TimerOn(TimerId::Timer1));
        g.Timer1_Timer();
        g.hint_Click();
        g.Image2_Click(IndexOf(2, 1));
        EXPECT_EQ(g.View().Label1.caption, "");
        EXPECT_EQ(g.hintsLeft, 5);
        EXPECT_EQ(g.selIndex, 1);
        EXPECT_EQ(g.board.ToPicture(), Picture("../BC/BC").ToPicture());
    });
    rig.Click(1, 1);
    rig.Click(1, 2);
    EXPECT_EQ(rig.host.messages, std::vector<std::string>{"奖励一次提示机会"});
    EXPECT_EQ(rig.game.hintsLeft, 6);
    EXPECT_EQ(rig.game.board.ToPicture(), Picture("BC/BC").ToPicture());
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer1));
    EXPECT_TRUE(rig.game.IsConsistent());
}

// ---------------------------------------------------------------- quitting mid-removal

enum class Where { Hold, RewardMessage, LevelEndMessage };

class QuitMidRemoval : public ::testing::TestWithParam<Where> {};

TEST_P(QuitMidRemoval, UnloadsOnceAndNothingMoreHappens) {
    Rig rig;
    rig.game.hard2_Click();
    rig.Place("AA/BB");
    rig.game.recentScore2 = rig.game.recentScore3 = 18;  // the pair earns a hint
    if (GetParam() == Where::LevelEndMessage) rig.game.recentScore3 = 0;
    const auto quit = [&] { rig.game.Form_KeyDown(KeyEscape); };
    switch (GetParam()) {
        case Where::Hold: DuringHold(rig, quit); break;
        case Where::RewardMessage: InsideMessage(rig, quit); break;
        case Where::LevelEndMessage:
            rig.Place("AA");
            rig.host.onMessage = [&](std::string_view text) {
                if (text.starts_with("用时")) quit();
            };
            break;
    }
    const Board before = rig.game.board;
    rig.Click(1, 1);
    rig.Click(1, 2);
    EXPECT_EQ(rig.host.unloadCalls, 1);
    for (const bool on : rig.host.on) EXPECT_FALSE(on);
    const size_t messages = rig.host.messages.size();
    EXPECT_EQ(rig.game.hintsLeft, 5);  // a reward closed by quitting is not granted
    if (GetParam() == Where::Hold) {
        EXPECT_EQ(rig.game.board, before);
        EXPECT_TRUE(rig.host.messages.empty());
    }
    if (GetParam() == Where::RewardMessage) {
        // Emptied before the message, but the column did not slide afterwards.
        EXPECT_EQ(rig.game.board.ToPicture(), Picture("../BB").ToPicture());
    }
    // Every handler now returns at once.
    rig.Click(2, 1);
    rig.Click(2, 2);
    rig.game.Form_KeyDown(KeyF2);
    rig.game.Menu_Click("hard1");
    for (int t = 0; t < TimerCount; ++t) rig.game.Tick(static_cast<TimerId>(t));
    rig.game.Form_KeyDown(KeyEscape);
    EXPECT_EQ(rig.host.unloadCalls, 1);
    EXPECT_EQ(rig.host.messages.size(), messages);
    EXPECT_FALSE(rig.host.IsOn(TimerId::Timer5));
}

INSTANTIATE_TEST_SUITE_P(Reentrancy, QuitMidRemoval,
                         ::testing::Values(Where::Hold, Where::RewardMessage,
                                           Where::LevelEndMessage),
                         [](const auto& info) {
                             switch (info.param) {
                                 case Where::Hold: return "Hold";
                                 case Where::RewardMessage: return "RewardMessage";
                                 default: return "LevelEndMessage";
                             }
                         });

// ---------------------------------------------------------------- a deal mid-removal

struct DealCase {
    const char* name;
    bool inRewardMessage;
    std::function<void(MainForm&)> deal;
    int level;
};

void PrintTo(const DealCase& c, std::ostream* os) { *os << c.name; }

class DealMidRemoval : public ::testing::TestWithParam<DealCase> {};

// The deal draws each cell itself, so the fresh board holds kind 1 at both cells of the
// pending pair: the removal must still be dropped whole, and the reward with it.
TEST_P(DealMidRemoval, AbandonsThePendingRemoval) {
    const DealCase& c = GetParam();
    Rig rig;
    rig.game.hard2_Click();
    rig.Place("A/./A/B/B");
    rig.game.recentScore2 = rig.game.recentScore3 = 18;
    const auto deal = [&] {
        rig.random.ScriptIdentityDeal();
        c.deal(rig.game);
    };
    if (c.inRewardMessage)
        InsideMessage(rig, deal);
    else
        DuringHold(rig, deal);
    rig.Click(1, 1);
    rig.Click(3, 1);

    const MainForm& g = rig.game;
    Rig sorted;  // the start-up layout, which the scripted deal reproduces
    EXPECT_EQ(g.board, sorted.game.board);
    EXPECT_EQ(g.tilesLeft, 144);
    EXPECT_EQ(g.hintsLeft, 5);
    EXPECT_FALSE(g.hasSelection);
    EXPECT_EQ(g.selIndex, 0);
    EXPECT_TRUE(g.link.AtRest());
    EXPECT_EQ(g.level, c.level);
    EXPECT_FALSE(g.RemovalAtWork());
    EXPECT_TRUE(g.IsConsistent());
    EXPECT_EQ(rig.TimerOn(TimerId::Timer1), c.inRewardMessage);  // on only if reached
    // Play goes on from the fresh board with a first click.
    rig.Click(1, 1);
    EXPECT_TRUE(g.hasSelection);
    EXPECT_EQ(g.selIndex, 1);
    rig.Click(1, 2);
    EXPECT_EQ(g.selIndex, 2);
    EXPECT_EQ(g.tilesLeft, 144);
}

const auto Start = [](MainForm& g) { g.Menu_Click("hard1"); };
const auto StartThree = [](MainForm& g) { g.hard3_Click(); };
const auto NextLevel = [](MainForm& g) {
    g.level = 4;
    g.Timer5_Timer();
};

INSTANTIATE_TEST_SUITE_P(Reentrancy, DealMidRemoval,
                         ::testing::Values(DealCase{"StartDuringHold", false, Start, 1},
                                           DealCase{"LevelThreeDuringHold", false, StartThree, 3},
                                           DealCase{"NextLevelDuringHold", false, NextLevel, 4},
                                           DealCase{"StartInRewardMessage", true, Start, 1},
                                           DealCase{"NextLevelInRewardMessage", true, NextLevel,
                                                    4}),
                         [](const auto& info) { return std::string(info.param.name); });

// The clock runs out while the last pair shows: the level is then not passed.
TEST(Reentrancy, TimeRunsOutDuringTheHold) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AA");
    DuringHold(rig, [&] {
        for (int i = 0; i < 452; ++i) rig.game.Timer4_Timer();
    });
    rig.Click(1, 1);
    rig.Click(1, 2);
    ASSERT_EQ(rig.host.messages.size(), 2u);
    EXPECT_EQ(rig.host.messages[0], "您的速度太慢，时间已经用完！");
    EXPECT_TRUE(rig.host.messages[1].ends_with("，你没有通关！"));
    EXPECT_EQ(rig.game.level, 1);
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer5));
}

}  // namespace
}  // namespace tilvara::test
