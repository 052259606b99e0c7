// Start-up and the deal: the sorted layout, cell numbering, what a deal resets and keeps,
// and the shuffle's draws.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/texts.h"
#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

TEST(StartUp, SortedLayoutHiddenAndNothingDealt) {
    Rig rig;
    const MainForm& g = rig.game;
    const ViewState& v = g.View();
    EXPECT_EQ(v.caption, "Tilvara");
    EXPECT_EQ(g.board(1, 1), 1);
    EXPECT_EQ(g.board(1, 18), 18);
    EXPECT_EQ(g.board(2, 1), 19);
    EXPECT_EQ(g.board(2, 18), 36);
    EXPECT_EQ(g.board(3, 1), 1);
    EXPECT_EQ(g.board(8, 18), 36);
    EXPECT_TRUE(g.board.BorderEmpty());
    for (int n = 1; n <= CellCount; ++n) {
        const Cell cell = CellOf(n);
        EXPECT_EQ(g.board(cell.row, cell.col), (n - 1) % 36 + 1) << n;
        const CellPicture& pic = v.Image2[n];
        EXPECT_FALSE(pic.visible) << n;
        EXPECT_EQ(pic.face, (Face{(n - 1) % 36 + 1, false})) << n;
        // Cells abut: each row starts again at the grid's left edge one face lower.
        EXPECT_EQ(pic.left, 615 + (cell.col - 1) * 585) << n;
        EXPECT_EQ(pic.top, 600 + (cell.row - 1) * 735) << n;
        EXPECT_EQ(pic.width, 585);
        EXPECT_EQ(pic.height, 735);
    }
    EXPECT_EQ(g.tilesLeft, 144);
    EXPECT_EQ(g.hintsLeft, 10);
    EXPECT_EQ(g.reshufflesLeft, 0);
    EXPECT_EQ(g.level, 1);
    EXPECT_TRUE(g.link.AtRest());
    EXPECT_EQ(v.Label2.caption, "");
    EXPECT_EQ(v.Label3.caption, "");
    EXPECT_EQ(v.Label4.caption, "");
    EXPECT_EQ(v.Label1.caption, "");
    EXPECT_FALSE(v.FindItem("hint")->enabled);
    EXPECT_FALSE(v.FindItem("hint11")->enabled);
    EXPECT_EQ(v.timers, (std::array<bool, TimerCount>{false, false, true, false, false}));
    EXPECT_TRUE(g.IsConsistent());
}

TEST(CellIndex, ReadingOrderAndBack) {
    const std::pair<int, Cell> known[] = {
        {1, {1, 1}},  {18, {1, 18}},  {19, {2, 1}}, {36, {2, 18}},
        {37, {3, 1}}, {144, {8, 18}}, {0, {0, 18}}};  // the template: a border cell
    for (const auto& [index, cell] : known) EXPECT_EQ(CellOf(index), cell) << index;
    for (int n = 1; n <= CellCount; ++n) EXPECT_EQ(IndexOf(CellOf(n).row, CellOf(n).col), n);
}

// Whatever the draws, a deal lays out 36 kinds four times, shows every tile with its normal
// face at its place, and resets the per-deal counters.
TEST(Deal, InvariantsOverManySeeds) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        Rig rig(seed);
        rig.game.hard1_Click();
        const MainForm& g = rig.game;
        std::array<int, Kinds + 1> counts{};
        for (int row = 1; row <= tilvara::Rows; ++row)
            for (int col = 1; col <= Cols; ++col) ++counts[g.board(row, col)];
        EXPECT_EQ(counts[0], 0);
        for (int kind = 1; kind <= Kinds; ++kind) EXPECT_EQ(counts[kind], 4) << kind;
        EXPECT_TRUE(g.board.BorderEmpty());
        for (int n = 1; n <= CellCount; ++n) {
            const Cell cell = CellOf(n);
            const CellPicture& pic = g.View().Image2[n];
            ASSERT_TRUE(pic.visible);
            ASSERT_EQ(pic.face, (Face{g.board(cell.row, cell.col), false}));
            ASSERT_EQ(pic.left, 615 + (cell.col - 1) * 585);
        }
        EXPECT_EQ(rig.random.draws, 288);
        EXPECT_EQ(rig.random.reseeds, 144);
        EXPECT_TRUE(g.IsConsistent());
    }
}

// Row draw first, then column draw, each floor(n * u) + 1: drawing the visited cell itself
// keeps the sorted layout; one drawn partner swaps exactly that pair.
TEST(Deal, DrawsPickRowThenColumn) {
    Rig rig;
    rig.random.ScriptIdentityDeal();
    rig.random.script[0] = 0.99999999;  // cell (1, 1) draws row 8 ...
    rig.random.script[1] = 17.5 / 18;   // ... and column 18
    rig.game.hard1_Click();
    EXPECT_EQ(rig.game.board(1, 1), 36);
    EXPECT_EQ(rig.game.board(8, 18), 1);
    EXPECT_EQ(rig.Pic(1, 1).face.kind, 36);
    EXPECT_EQ(rig.Pic(8, 18).face.kind, 1);
    for (int n = 2; n < CellCount; ++n)
        EXPECT_EQ(rig.Pic(CellOf(n).row, CellOf(n).col).face.kind, (n - 1) % 36 + 1);
}

// The empty field says how to start until the first deal, and never again after it.
TEST(Deal, TheLineOnTheEmptyFieldGoesWithTheFirstDeal) {
    Rig rig;
    EXPECT_FALSE(rig.game.View().startLine.caption.empty());
    rig.game.Form_KeyDown(KeyF1);
    EXPECT_FALSE(rig.game.View().startLine.caption.empty());
    rig.game.hard1_Click();
    EXPECT_TRUE(rig.game.View().startLine.caption.empty());
    rig.game.hard4_Click();
    rig.game.Form_KeyDown(KeyF2);
    EXPECT_TRUE(rig.game.View().startLine.caption.empty());
}

TEST(Deal, ResetsCountersClockAndLabelsButKeepsScoreAndSelection) {
    Rig rig;
    rig.clock.Set(9, 0, 0);
    rig.game.hard1_Click();
    rig.game.totalScore = 123;
    rig.game.hintsLeft = 0;
    rig.game.reshufflesLeft = 3;
    for (int i = 0; i < 100; ++i) rig.game.Timer4_Timer();
    rig.game.Image2_Click(IndexOf(2, 2));
    rig.clock.Set(9, 5, 0);
    rig.host.switches.clear();
    rig.game.hard3_Click();  // a level start that keeps the score
    // The running clock is stopped and started again, so its interval counts from now.
    EXPECT_EQ(rig.host.switches,
              (std::vector<FakeHost::Switch>{{TimerId::Timer4, false}, {TimerId::Timer4, true}}));

    const MainForm& g = rig.game;
    const ViewState& v = g.View();
    EXPECT_EQ(g.hintsLeft, 5);
    EXPECT_EQ(g.reshufflesLeft, 1);
    EXPECT_EQ(v.Label2.caption, "5次提示,F1键");
    EXPECT_EQ(v.Label4.caption, "1次重排,F2键");
    EXPECT_EQ(v.Label3.caption, "目前总分:123");
    EXPECT_EQ(g.totalScore, 123);
    EXPECT_EQ(v.Image10.left, 4660);
    EXPECT_EQ(v.Image10.width, 10);
    EXPECT_TRUE(rig.TimerOn(TimerId::Timer4));
    EXPECT_EQ(g.startTime, rig.clock.steady);
    EXPECT_TRUE(g.hasSelection);
    EXPECT_EQ(g.selIndex, IndexOf(2, 2));
    // Half a cell below the grid: the top of cell 113 plus two and a half cells.
    EXPECT_EQ(v.Label3.box.top, 600 + 6 * 735 + 2.5 * 735);
    EXPECT_EQ(v.Label1.box.top, v.Label3.box.top);
    EXPECT_TRUE(v.FindItem("hint")->enabled);
    EXPECT_TRUE(v.FindItem("hint11")->enabled);

    // The selection survives, so the next click is a second click on the fresh board.
    rig.game.Image2_Click(IndexOf(2, 2));
    EXPECT_TRUE(g.hasSelection);
    EXPECT_EQ(g.selIndex, IndexOf(2, 2));
}

}  // namespace
}  // namespace tilvara::test
