// The main window's flow: selecting and removing, the path on show, the end of a level and
// the step to the next, the clock, keys and menus.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

// ---------------------------------------------------------------- selection

TEST(Selection, HiddenCellsIgnoreClicks) {
    Rig rig;
    rig.Click(1, 1);  // before the first deal every cell is hidden
    EXPECT_FALSE(rig.game.hasSelection);
    rig.game.hard1_Click();
    rig.Place("AA/BB");
    rig.Click(5, 5);
    EXPECT_FALSE(rig.game.hasSelection);
    EXPECT_EQ(rig.game.View().caption, "Tilvara");
    rig.Click(1, 1);
    rig.Click(5, 5);
    EXPECT_EQ(rig.game.selIndex, 1);
    EXPECT_TRUE(rig.game.hasSelection);
}

TEST(Selection, FirstClickHighlightsAndShowsTilesLeft) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Click(2, 3);
    EXPECT_TRUE(rig.game.hasSelection);
    EXPECT_EQ(rig.game.selIndex, IndexOf(2, 3));
    EXPECT_EQ(rig.Pic(2, 3).face, (Face{rig.game.board(2, 3), true}));
    EXPECT_EQ(rig.game.View().caption, "144");
    // The same tile again: still selected, no search, no hold.
    rig.Click(2, 3);
    EXPECT_TRUE(rig.game.hasSelection);
    EXPECT_EQ(rig.game.selIndex, IndexOf(2, 3));
    EXPECT_TRUE(rig.Pic(2, 3).face.highlighted);
    EXPECT_EQ(rig.host.holdTicks, 0);
    EXPECT_EQ(rig.game.tilesLeft, 144);
}

TEST(Selection, LinkedPairVanishes) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AA/BB");
    rig.Click(1, 1);
    rig.Click(1, 2);
    const MainForm& g = rig.game;
    EXPECT_EQ(g.board.ToPicture(), Picture("../BB").ToPicture());
    EXPECT_FALSE(rig.Pic(1, 1).visible);
    EXPECT_FALSE(rig.Pic(1, 2).visible);
    EXPECT_EQ(g.tilesLeft, 2);
    EXPECT_EQ(g.View().caption, "2");
    EXPECT_FALSE(g.hasSelection);
    EXPECT_EQ(g.selIndex, 0);
    EXPECT_EQ(g.totalScore, 1);
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer1));
    EXPECT_TRUE(g.IsConsistent());
    rig.Click(2, 1);  // a first click again
    EXPECT_TRUE(g.hasSelection);
    EXPECT_EQ(g.selIndex, IndexOf(2, 1));
}

// Another kind, or the same kind with no path: the selection moves to the clicked tile.
TEST(Selection, FailedPairMovesTheSelection) {
    const std::pair<const char*, std::array<Cell, 2>> cases[] = {
        {"AB/BA", {{{1, 1}, {1, 2}}}},
        {"BBB/BAB/BBB/.A.", {{{2, 2}, {4, 2}}}},
    };
    for (const auto& [picture, cells] : cases) {
        Rig rig;
        rig.game.hard1_Click();
        rig.Place(picture);
        rig.Click(cells[0].row, cells[0].col);
        rig.Click(cells[1].row, cells[1].col);
        const MainForm& g = rig.game;
        EXPECT_EQ(g.tilesLeft, Picture(picture).CountTiles()) << picture;
        EXPECT_FALSE(rig.Pic(cells[0].row, cells[0].col).face.highlighted) << picture;
        EXPECT_TRUE(rig.Pic(cells[1].row, cells[1].col).face.highlighted) << picture;
        EXPECT_TRUE(g.hasSelection);
        EXPECT_EQ(g.selIndex, IndexOf(cells[1].row, cells[1].col));
        EXPECT_EQ(g.selRow, cells[1].row);
        EXPECT_EQ(g.selCol, cells[1].col);
        EXPECT_EQ(rig.host.holdTicks, 0);
        EXPECT_TRUE(g.IsConsistent());
    }
}

// The template picture left of the first row reports index 0, the border cell (0, 18).
TEST(Selection, TemplatePictureActsAsAnEmptyBorderCell) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AA/BB");
    rig.game.Image2_Click(0);
    EXPECT_TRUE(rig.game.hasSelection);
    EXPECT_EQ(rig.game.selIndex, 0);
    EXPECT_EQ(rig.game.selRow, 0);
    EXPECT_EQ(rig.game.selCol, 18);
    EXPECT_EQ(rig.game.View().Image2[0].face.kind, 0);
    rig.Click(1, 1);
    EXPECT_EQ(rig.game.selIndex, 1);
    EXPECT_EQ(rig.game.tilesLeft, 4);
    rig.game.Image2_Click(0);
    EXPECT_EQ(rig.game.selIndex, 0);
    EXPECT_FALSE(rig.Pic(1, 1).face.highlighted);
    EXPECT_TRUE(rig.game.IsConsistent());
}

// ---------------------------------------------------------------- the path on show

struct Segment {
    bool visible;
    float left, top, length;  // width of a horizontal piece, height of a vertical one
};

struct PathCase {
    const char* name;
    const char* picture;
    Cell a, b;
    Segment image4, image5, image6, image7;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class PathPieces : public ::testing::TestWithParam<PathCase> {};

void ExpectSegment(const Piece& piece, const Segment& s, bool horizontal, const char* which) {
    EXPECT_EQ(piece.visible, s.visible) << which;
    if (!s.visible) return;
    EXPECT_EQ(piece.left, s.left) << which;
    EXPECT_EQ(piece.top, s.top) << which;
    EXPECT_EQ(horizontal ? piece.width : piece.height, s.length) << which;
    EXPECT_EQ(horizontal ? piece.height : piece.width, 105) << which;
}

// Pieces are placed from cell centres in twips: cell (r, c) has its centre at
// 615 + (c - 1) * 585 + 292.5 across and 600 + (r - 1) * 735 + 367.5 down.
TEST_P(PathPieces, ShownDuringTheHoldAndHiddenAfter) {
    const PathCase& c = GetParam();
    Rig rig;
    rig.game.hard1_Click();
    rig.Place(c.picture);
    std::array<Piece, 4> seen{};
    rig.host.onHoldTick = [&] {
        if (rig.host.holdTicks > 1) return;
        const ViewState& v = rig.game.View();
        seen = {v.Image4, v.Image5, v.Image6, v.Image7};
    };
    rig.Click(c.a.row, c.a.col);
    rig.Click(c.b.row, c.b.col);
    ExpectSegment(seen[0], c.image4, true, "Image4");
    ExpectSegment(seen[1], c.image5, false, "Image5");
    ExpectSegment(seen[2], c.image6, true, "Image6");
    ExpectSegment(seen[3], c.image7, false, "Image7");
    const ViewState& v = rig.game.View();
    EXPECT_FALSE(v.Image4.visible || v.Image5.visible || v.Image6.visible || v.Image7.visible);
    EXPECT_EQ(rig.game.tilesLeft, Picture(c.picture).CountTiles() - 2);
}

constexpr Segment Off{false, 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Path, PathPieces,
    ::testing::Values(
        PathCase{"AdjacentInARow", "AA", {1, 1}, {1, 2}, {true, 907.5, 967.5, 585}, Off, Off, Off},
        PathCase{
            "AdjacentInAColumn", "A/A", {1, 1}, {2, 1}, Off, {true, 907.5, 967.5, 735}, Off, Off},
        // Row path through row 0: half a cell above the first row.
        PathCase{"OverTheTopBorder",
                 "ABA/C.C/.B.",  // the second B keeps every kind paired
                 {1, 1},
                 {1, 3},
                 {true, 907.5, 232.5, 1170},
                 {true, 907.5, 232.5, 735},
                 Off,
                 {true, 2077.5, 232.5, 735}},
        // Column path through column 0: half a cell left of the first column.
        PathCase{"AroundTheLeftBorder",
                 "AC/B./AC/B.",
                 {1, 1},
                 {3, 1},
                 {true, 322.5, 967.5, 585},
                 {true, 322.5, 967.5, 1470},
                 {true, 322.5, 2437.5, 585},
                 Off},
        PathCase{"TwoCorners",
                 "....../..A...B/....../....../..B...A",
                 {2, 3},
                 {5, 7},
                 {true, 2077.5, 1702.5, 585},
                 {true, 2662.5, 1702.5, 2205},
                 {true, 2662.5, 3907.5, 1755},
                 Off},
        // Both forms are 4 long: the column path shows, its first leg has no length.
        PathCase{"TieGoesToTheColumn",
                 "A/./..A",
                 {1, 1},
                 {3, 3},
                 Off,
                 {true, 907.5, 967.5, 1470},
                 {true, 907.5, 2437.5, 1170},
                 Off}),
    [](const auto& info) { return std::string(info.param.name); });

// A piece the next path does not use stays hidden: all four were hidden after the last.
TEST(Path, UnusedPiecesStayHiddenOnTheNextLink) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("....../..A...B/....../....../..B...A/....../....../CC");
    rig.Click(2, 3);
    rig.Click(5, 7);
    std::array<bool, 4> visible{};
    rig.host.onHoldTick = [&] {
        const ViewState& v = rig.game.View();
        visible = {v.Image4.visible, v.Image5.visible, v.Image6.visible, v.Image7.visible};
    };
    rig.Click(8, 1);
    rig.Click(8, 2);
    EXPECT_EQ(visible, (std::array<bool, 4>{true, false, false, false}));
}

TEST(Path, EitherArgumentOrderPlacesTheSameSegment) {
    Rig rig;
    rig.game.DrawHLine1(3, 7, 2);
    const Piece forward = rig.game.View().Image4;
    rig.game.DrawHLine1(3, 2, 7);
    const Piece backward = rig.game.View().Image4;
    EXPECT_EQ(forward.left, backward.left);
    EXPECT_EQ(forward.width, backward.width);
    EXPECT_EQ(forward.width, 5 * 585);
    rig.game.DrawVLine2(4, 4, 4);  // no length: nothing shows
    EXPECT_FALSE(rig.game.View().Image7.visible);
}

// The hold lasts until the tick counter has moved on by three, or has wrapped.
TEST(Path, HoldLastsThreeTicksOrUntilTheCounterWraps) {
    const std::pair<int, int> cases[] = {{0, 3}, {500, 3}, {999997, 3}, {999998, 2}, {999999, 1}};
    for (const auto& [start, calls] : cases) {
        Rig rig;
        rig.game.hard1_Click();
        rig.Place("AA");
        rig.game.tickCount = start;
        rig.host.onHoldTick = [&, start = start] {  // clang 14 cannot capture a binding
            if (rig.host.holdTicks < 50) return;
            ADD_FAILURE() << "the hold never ends from " << start;
            rig.game.exit_Click();  // closing the window ends any hold
        };
        rig.Click(1, 1);
        rig.Click(1, 2);
        EXPECT_EQ(rig.host.holdTicks, calls) << start;
        EXPECT_EQ(rig.game.tilesLeft, 0);
    }
}

// ---------------------------------------------------------------- end of a level

TEST(LevelEnd, ClearedInTimeShowsTheTimeThenArmsTheNextLevel) {
    Rig rig;
    rig.clock.Set(10, 0, 0);
    rig.game.hard1_Click();
    rig.Place("AA");
    rig.clock.Set(10, 7, 32);
    bool fiveOnDuringMessage = true, fourOnDuringMessage = true;
    rig.host.onMessage = [&](std::string_view) {
        fiveOnDuringMessage = rig.TimerOn(TimerId::Timer5);
        fourOnDuringMessage = rig.TimerOn(TimerId::Timer4);
    };
    rig.Click(1, 1);
    rig.Click(1, 2);
    EXPECT_EQ(rig.host.messages, std::vector<std::string>{"用时0:07:32，准备进入下一关！"});
    EXPECT_FALSE(fiveOnDuringMessage);
    EXPECT_FALSE(fourOnDuringMessage);
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer5));
    EXPECT_EQ(rig.game.level, 2);
    EXPECT_EQ(rig.game.View().Image10.width, 10);
    EXPECT_EQ(rig.game.View().Image10.left, 4660);
}

TEST(LevelEnd, ClearedAfterTimeUpIsNotPassed) {
    Rig rig;
    rig.clock.Set(10, 0, 0);
    rig.game.hard1_Click();
    rig.Place("AA");
    for (int i = 0; i < 452; ++i) rig.game.Timer4_Timer();
    rig.clock.Set(10, 8, 0);
    rig.Click(1, 1);
    rig.Click(1, 2);
    EXPECT_EQ(rig.host.messages, (std::vector<std::string>{"您的速度太慢，时间已经用完！",
                                                           "用时0:08:00，你没有通关！"}));
    EXPECT_EQ(rig.game.level, 1);
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer5));
}

// A level ends once, on its last pair: clicks on the template of the empty board after a
// clear in time, a late clear, or the final congratulation end nothing again.
TEST(LevelEnd, TemplateClicksOnAnEmptyBoardEndNothing) {
    const struct {
        const char* name;
        int startLevel;  // 1 or 7
        bool late;
        bool waitForNextLevel;
    } cases[] = {
        {"in the half second before the next level", 1, false, false},
        {"after a late clear", 1, true, false},
        {"after the congratulation", 7, false, true},
    };
    for (const auto& c : cases) {
        Rig rig;
        if (c.startLevel == 7)
            rig.game.hard7_Click();
        else
            rig.game.hard1_Click();
        rig.Place("AA");
        if (c.late)
            for (int i = 0; i < 452; ++i) rig.game.Timer4_Timer();
        rig.Click(1, 1);
        rig.Click(1, 2);
        if (c.waitForNextLevel) rig.host.RunUntil(TimerId::Timer5);
        const std::vector<std::string> before = rig.host.messages;
        const int level = rig.game.level;
        for (int i = 0; i < 3; ++i) rig.game.Image2_Click(0);
        EXPECT_EQ(rig.host.messages, before) << c.name;
        EXPECT_EQ(rig.game.level, level) << c.name;
        EXPECT_EQ(rig.game.tilesLeft, 0) << c.name;
    }
}

TEST(LevelEnd, ElapsedTimeAcrossMidnight) {
    Rig rig;
    rig.clock.Set(23, 58, 0);
    rig.game.hard1_Click();
    rig.Place("AA");
    rig.clock.Set(0, 3, 15);
    rig.Click(1, 1);
    rig.Click(1, 2);
    EXPECT_EQ(rig.host.messages.at(0), "用时0:05:15，准备进入下一关！");
}

// The time a level took is the time that passed, however the wall clock was set meanwhile.
TEST(LevelEnd, TimeUsedIgnoresTheWallClockBeingSet) {
    for (const double setBy : {-1.0 / 24, 3.0 / 24, -400.0}) {
        Rig rig;
        rig.clock.Set(10, 0, 0);
        rig.game.hard1_Click();
        rig.Place("AA");
        rig.clock.now += setBy;
        rig.clock.Pass(95 / 86400.0);
        rig.Click(1, 1);
        rig.Click(1, 2);
        EXPECT_EQ(rig.host.messages.at(0), "用时0:01:35，准备进入下一关！") << setBy;
    }
}

TEST(LevelEnd, FormatElapsed) {
    EXPECT_EQ(FormatElapsed(0), "0:00:00");
    EXPECT_EQ(FormatElapsed(452 / 86400.0), "0:07:32");
    EXPECT_EQ(FormatElapsed(3725 / 86400.0), "1:02:05");
}

// ---------------------------------------------------------------- levels

// Each clear in time starts the next level 500 ms after its message, with that level's
// mode; the seventh ends with the congratulation.
TEST(Levels, ClearingEachLevelLeadsToTheNextThenTheCongratulation) {
    Rig rig;
    rig.game.Menu_Click("hard1");
    for (int level = 1; level <= 7; ++level) {
        MainForm& g = rig.game;
        ASSERT_EQ(g.level, level);
        EXPECT_EQ(g.CountSet(), level == 1 ? 0 : 1) << level;
        if (level > 1) {
            EXPECT_TRUE(g.*ModeOfLevel[level]) << level;
        }
        rig.Place("AA");
        rig.Click(1, 1);
        rig.Click(1, 2);
        EXPECT_TRUE(rig.host.messages.back().ends_with("，准备进入下一关！"));
        const long long armed = rig.host.nowMs;
        rig.host.RunUntil(TimerId::Timer5);
        EXPECT_EQ(rig.host.nowMs - armed, 500);
        EXPECT_FALSE(rig.TimerOn(TimerId::Timer5));
    }
    EXPECT_EQ(rig.game.level, 8);
    EXPECT_EQ(rig.host.messages.back(), "恭喜,您打完了所有关!");
    EXPECT_EQ(rig.game.tilesLeft, 0);
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer4));
    EXPECT_EQ(rig.game.totalScore, 7);  // seven links of length 1

    rig.game.Menu_Click("hard1");  // starts again from level 1 with a fresh score
    EXPECT_EQ(rig.game.level, 1);
    EXPECT_EQ(rig.game.totalScore, 0);
    rig.Place("AA");
    rig.Click(1, 1);
    rig.Click(1, 2);
    rig.host.RunUntil(TimerId::Timer5);
    EXPECT_EQ(rig.game.level, 2);
    EXPECT_TRUE(rig.game.slideUp);
}

// "开始" between the end-of-level message and the tick: the tick starts nothing.
TEST(Levels, StartInTheHalfSecondBeforeTheNextLevel) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AA");
    rig.Click(1, 1);
    rig.Click(1, 2);
    rig.game.Menu_Click("hard1");
    const Board dealt = rig.game.board;
    rig.game.Timer5_Timer();
    EXPECT_EQ(rig.game.level, 1);
    EXPECT_EQ(rig.game.board, dealt);
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer5));
}

TEST(Levels, StartMidLevelFiveGoesBackToLevelOne) {
    Rig rig;
    rig.game.hard5_Click();
    rig.game.totalScore = 40;
    rig.game.Menu_Click("hard1");
    EXPECT_EQ(rig.game.level, 1);
    EXPECT_EQ(rig.game.totalScore, 0);
    EXPECT_EQ(rig.game.CountSet(), 0);
}

TEST(Levels, MenuBarCaptionsOrderAndAvailability) {
    // Each menu's items before the first deal as "name caption", a "-" after a greyed one.
    const std::string expected[] = {
        "hard1 开始|hint 提示(F1) -|hint11 重排(F2) -|hard2 开始（2）向上 -|hard3 开始（3）向下 -|"
        "hard4 开始（4）向左 -|hard5 开始（5）向右 -|hard6 开始（6）向上下中间 -|"
        "hard7 开始（7）向左右中间 -|exit 退出(Esc)|",
        "hard_net 开始 -|", "hard_help 帮助|advertise 广告|hard_about 关于|"};
    Rig rig;
    const auto check = [&](bool dealt) {
        const std::vector<Menu>& menus = rig.game.View().menus;
        ASSERT_EQ(menus.size(), 3u);
        EXPECT_EQ(menus[0].caption, "游戏");
        EXPECT_EQ(menus[1].caption, "网络游戏");
        EXPECT_FALSE(menus[1].enabled);
        EXPECT_EQ(menus[2].caption, "帮助");
        for (size_t m = 0; m < 3; ++m) {
            std::string shown;
            for (const MenuItem& item : menus[m].items) {
                // A deal opens the hint and the reshuffle.
                const bool opened = dealt && (item.name == "hint" || item.name == "hint11");
                shown += item.name + " " + item.caption + (item.enabled && !opened ? "|" : " -|");
                if (opened) {
                    EXPECT_TRUE(item.enabled) << item.name;
                }
            }
            EXPECT_EQ(shown, expected[m]);
        }
    };
    check(false);
    EXPECT_EQ(rig.game.Menu_Click("hint"), MenuAnswer::NotMine);  // disabled until the first deal
    EXPECT_EQ(rig.game.hintsLeft, 10);
    rig.game.Menu_Click("hard1");
    check(true);
    EXPECT_EQ(rig.game.Menu_Click("hard2"), MenuAnswer::NotMine);  // never available
    EXPECT_EQ(rig.game.level, 1);
    // The front end's own windows.
    EXPECT_EQ(rig.game.Menu_Click("hard_help"), MenuAnswer::OpenHelp);
    EXPECT_EQ(rig.game.Menu_Click("hard_about"), MenuAnswer::OpenAbout);
    EXPECT_EQ(rig.game.Menu_Click("advertise"), MenuAnswer::OpenAbout);
}

// ---------------------------------------------------------------- clock

TEST(Clock, TimeIsUpOnTick452) {
    Rig rig;
    rig.game.hard1_Click();
    rig.host.RunUntil(TimerId::Timer4);
    EXPECT_EQ(rig.host.nowMs, 1000);  // the first tick a second after the deal
    for (int i = 1; i < 451; ++i) rig.game.Timer4_Timer();
    EXPECT_EQ(rig.game.View().Image10.width, 4520);
    EXPECT_EQ(rig.game.View().Image10.left, 150);
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer4));
    EXPECT_TRUE(rig.host.messages.empty());
    rig.game.Timer4_Timer();
    EXPECT_EQ(rig.host.messages, std::vector<std::string>{"您的速度太慢，时间已经用完！"});
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer4));
    EXPECT_EQ(rig.game.View().Image10.width, 10);
    EXPECT_EQ(rig.game.View().Image10.left, 4660);
}

TEST(Clock, ADealGivesTheFullTimeAgain) {
    Rig rig;
    rig.game.hard1_Click();
    for (int i = 0; i < 300; ++i) rig.game.Timer4_Timer();
    rig.game.hard1_Click();
    for (int i = 0; i < 451; ++i) rig.game.Timer4_Timer();
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer4));
}

TEST(Clock, TickCounterWrapsToOne) {
    Rig rig;
    rig.game.tickCount = 999998;
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        rig.game.Timer3_Timer();
        seen.push_back(rig.game.tickCount);
    }
    EXPECT_EQ(seen, (std::vector<int>{999999, 1, 2}));
}

// ---------------------------------------------------------------- keys and quitting

TEST(Keys, F1AndF2RunTheCommandsOtherKeysNothing) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AA/BB");
    rig.game.Form_KeyDown(65);
    rig.game.Form_KeyDown(114);
    EXPECT_EQ(rig.game.hintsLeft, 5);
    EXPECT_EQ(rig.game.reshufflesLeft, 1);
    rig.game.Form_KeyDown(KeyF1);
    EXPECT_EQ(rig.game.hintsLeft, 4);
    rig.game.Form_KeyDown(KeyF2);
    EXPECT_EQ(rig.game.reshufflesLeft, 0);
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer2));
}

// Before the first deal the keys work on the sorted, hidden layout and the start-up counts.
TEST(Keys, BeforeTheFirstDeal) {
    Rig rig;
    rig.game.Form_KeyDown(KeyF1);
    EXPECT_EQ(rig.game.hintsLeft, 9);
    EXPECT_EQ(rig.game.View().Label2.caption, "还有9次提示,F1键");
    // Kind 1 at (1, 1) links round the left border with kind 1 at (3, 1).
    EXPECT_EQ(rig.Pic(1, 1).face, (Face{1, true}));
    EXPECT_EQ(rig.Pic(3, 1).face, (Face{1, true}));
    EXPECT_FALSE(rig.Pic(1, 1).visible);
    const Board before = rig.game.board;
    rig.game.Form_KeyDown(KeyF2);
    EXPECT_EQ(rig.host.messages, std::vector<std::string>{"重排机会用完!"});
    EXPECT_EQ(rig.game.board, before);
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer2));
}

class Quit : public ::testing::TestWithParam<bool> {};

// Esc and the quit item close the window once; afterwards nothing happens any more.
TEST_P(Quit, ClosesOnceAndEverythingStops) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AA/BB");
    rig.Click(1, 1);
    const auto quit = [&] {
        if (GetParam())
            rig.game.Form_KeyDown(KeyEscape);
        else
            rig.game.Menu_Click("exit");
    };
    quit();
    EXPECT_EQ(rig.host.unloadCalls, 1);
    EXPECT_TRUE(rig.game.Unloaded());
    for (const bool on : rig.game.View().timers) EXPECT_FALSE(on);
    for (const bool on : rig.host.on) EXPECT_FALSE(on);

    quit();
    const Board board = rig.game.board;
    rig.Click(1, 2);
    rig.game.Form_KeyDown(KeyF1);
    rig.game.Form_KeyDown(KeyF2);
    rig.game.hard1_Click();
    rig.game.Label1_Click();
    for (int t = 0; t < TimerCount; ++t) rig.game.Tick(static_cast<TimerId>(t));
    EXPECT_EQ(rig.host.unloadCalls, 1);
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_EQ(rig.game.board, board);
    EXPECT_EQ(rig.game.hintsLeft, 5);
    EXPECT_EQ(rig.game.revealClicks, 0);
    EXPECT_EQ(rig.game.tickCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, Quit, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Esc" : "ExitItem"; });

}  // namespace
}  // namespace tilvara::test
