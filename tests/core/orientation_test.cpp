// What tells the player where they stand: the focus frame only for keys, a prompt after every
// kind of level end, the level and the seconds on the clock strip.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/texts.h"
#include "game/view_layout.h"
#include "game/window_layout.h"
#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

TEST(Orientation, TheFocusFrameShowsOnlyWhileKeysDriveTheBoard) {
    Rig rig;
    rig.game.hard1_Click();
    const struct {
        const char* what;
        std::function<void(Game&)> event;
        bool framed;
    } steps[] = {
        {"a fresh deal", [](Game&) {}, false},
        {"an arrow", [](Game& g) { g.Form_KeyDown(KeyRight); }, true},
        {"a click", [](Game& g) { g.Image2_Click(IndexOf(3, 3)); }, false},
        {"F1", [](Game& g) { g.Form_KeyDown(KeyF1); }, false},
        {"Space", [](Game& g) { g.Form_KeyDown(KeySpace); }, true},
        {"a click on the template", [](Game& g) { g.Image2_Click(0); }, false},
        {"Return", [](Game& g) { g.Form_KeyDown(KeyReturn); }, true},
        {"a deal", [](Game& g) { g.Menu_Click("hard1"); }, false},
    };
    for (const auto& step : steps) {
        step.event(rig.app);
        EXPECT_EQ(rig.game.View().cursor.framed, step.framed) << step.what;
    }
    rig.app.Image2_Click(IndexOf(2, 5));
    EXPECT_EQ(rig.game.View().cursor.col, 5) << "the cursor still follows clicks";
}

// Each way a level can end with no next level leaves a prompt on the field saying what
// happened and how to go on; the next deal takes it away.
TEST(Orientation, APromptFollowsEveryEndWithoutANextLevel) {
    const struct {
        const char* what;
        std::function<void(Rig&)> end;
        const char* prompt;
        bool fieldEmpty;
    } cases[] = {
        {"cleared after time-up",
         [](Rig& rig) {
             rig.host.RunFor(453'000);
             rig.host.Settle();
             rig.Place("AA");
             rig.Click(1, 1);
             rig.Click(1, 2);
         },
         texts::NotPassedPrompt, true},
        {"all seven cleared",
         [](Rig& rig) {
             rig.game.hard7_Click();
             rig.Place("AA");
             rig.Click(1, 1);
             rig.Click(1, 2);
             rig.host.RunUntil(TimerId::Timer5);
             rig.host.Settle();
         },
         texts::AllClearedPrompt, true},
        {"a dead board with no reshuffle left",
         [](Rig& rig) {
             rig.Place("AB/BA/CC");
             rig.game.reshufflesLeft = 0;
             rig.Click(3, 1);
             rig.Click(3, 2);
             rig.host.RunFor(200);
             rig.host.Settle();
         },
         texts::DeadBoardPrompt, false},
        {"time-up", [](Rig& rig) { rig.host.RunFor(453'000); }, texts::TimeUpPrompt, false},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.game.hard1_Click();
        rig.Place("AA/BB");
        rig.game.Form_KeyDown(KeyDown);  // the keyboard's frame is on show
        c.end(rig);
        rig.host.Settle();
        const ViewState& v = rig.game.View();
        EXPECT_TRUE(v.startLine.caption.starts_with(c.prompt))
            << c.what << ": " << v.startLine.caption;
        EXPECT_TRUE(v.startLine.caption.ends_with(texts::HowToGoOn)) << c.what;
        EXPECT_FALSE(v.cursor.framed) << c.what;
        EXPECT_EQ(!v.Label1.visible && !v.Label2.visible && !v.Label4.visible, c.fieldEmpty)
            << c.what << ": stale status lines go with the tiles";
        EXPECT_TRUE(v.Label3.visible) << c.what << ": the score stays";
        rig.game.Menu_Click("hard1");
        EXPECT_TRUE(rig.game.View().startLine.caption.empty()) << c.what;
        EXPECT_TRUE(rig.game.View().Label2.visible) << c.what;
    }
}

// Playing on after time-up: the prompt over the board goes with the first click on a tile.
TEST(Orientation, PlayingOnAfterTimeUpClearsItsPrompt) {
    Rig rig;
    rig.game.hard1_Click();
    rig.host.RunFor(453'000);
    rig.host.Settle();
    ASSERT_FALSE(rig.game.View().startLine.caption.empty());
    rig.Click(4, 4);
    EXPECT_TRUE(rig.game.View().startLine.caption.empty());
    EXPECT_EQ(rig.game.View().clockText.caption, "0秒");
}

TEST(Orientation, TheClockStripShowsTheLevelAndTheSecondsLeft) {
    Rig rig;
    EXPECT_TRUE(rig.game.View().levelLine.caption.empty()) << "nothing before the first deal";
    const char* lines[] = {"第1关 · 不移动",    "第2关 · 向上", "第3关 · 向下",
                           "第4关 · 向左",      "第5关 · 向右", "第6关 · 向上下中间",
                           "第7关 · 向左右中间"};
    void (MainForm::*const starts[])() = {&MainForm::hard1_Click, &MainForm::hard2_Click,
                                          &MainForm::hard3_Click, &MainForm::hard4_Click,
                                          &MainForm::hard5_Click, &MainForm::hard6_Click,
                                          &MainForm::hard7_Click};
    for (int level = 1; level <= LastLevel; ++level) {
        const auto start = starts[level - 1];  // named: GCC 12's bounds check misreads it inline
        (rig.game.*start)();
        EXPECT_EQ(rig.game.View().levelLine.caption, lines[level - 1]);
    }
    const struct {
        long long ms;
        const char* seconds;
        bool warning;
    } times[] = {{0, "452秒", false},
                 {1000, "451秒", false},
                 {421'000, "31秒", false},
                 {422'000, "30秒", true},
                 {451'000, "1秒", true}};
    rig.game.Menu_Click("hard1");
    const long long start = rig.host.nowMs;
    for (const auto& t : times) {
        rig.host.RunFor(start + t.ms - rig.host.nowMs);
        EXPECT_EQ(rig.game.View().clockText.caption, t.seconds) << t.ms;
        EXPECT_EQ(rig.game.View().clockWarning, t.warning) << t.ms;
    }
}

// A page stays on screen when the game has ended: it says how, and where the player was.
TEST(Orientation, TheEndedNoticeSaysHowAndWhere) {
    const struct {
        bool dealt;
        bool byKey;
        const char* notice;
    } cases[] = {{false, false, "你选择了“退出”，游戏已结束。"},
                 {true, true, "你按了Esc，游戏已结束。第3关，目前总分12。"},
                 {true, false, "你选择了“退出”，游戏已结束。第3关，目前总分12。"}};
    for (const auto& c : cases) {
        Rig rig;
        EXPECT_EQ(PageTitle(rig.game.View()), "Tilvara");
        if (c.dealt) {
            rig.game.hard3_Click();
            rig.game.totalScore = 12;
            rig.app.Image2_Click(IndexOf(1, 1));
            EXPECT_EQ(PageTitle(rig.game.View()), "144 · Tilvara");
        }
        if (c.byKey)
            rig.app.Form_KeyDown(KeyEscape);
        else
            rig.app.Menu_Click("exit");
        EXPECT_EQ(rig.app.EndedNotice(), c.notice);
    }
}

}  // namespace
}  // namespace tilvara::test
