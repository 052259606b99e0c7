// The hint, the board check after each removal, reshuffles by hand and on a dead board,
// and the reveal mode behind the clicks on Label1.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/fake_host.h"
#include "tests/support/reference_scan.h"

namespace tilvara::test {
namespace {

// ---------------------------------------------------------------- hint

// The first tile in reading order that has a partner, with its first partner in reading
// order; tiles before it have none (the dead block), later partners of it are not chosen.
constexpr const char* HintBoard = "BC..A/CB/....A/...../....A/...../....A";

TEST(Hint, MarksTheFirstLinkablePairAndSpendsOne) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place(HintBoard);
    rig.game.hintsLeft = 3;
    rig.game.hint_Click();
    EXPECT_EQ(Highlighted(rig.game), (std::vector<Cell>{{1, 5}, {3, 5}}));
    EXPECT_EQ(rig.game.hintsLeft, 2);
    EXPECT_EQ(rig.game.View().Label2.caption, "还有2次提示,F1键");
    EXPECT_FALSE(rig.game.hasSelection);  // marks only
    // Unchanged board: the same pair again, for another hint.
    rig.Place(HintBoard);
    rig.game.hint_Click();
    EXPECT_EQ(Highlighted(rig.game), (std::vector<Cell>{{1, 5}, {3, 5}}));
    EXPECT_EQ(rig.game.hintsLeft, 1);
}

TEST(Hint, NothingWithoutHintsOrWithoutAPair) {
    const std::pair<const char*, int> cases[] = {{HintBoard, 0}, {"AB/BA", 5}};
    for (const auto& [picture, hints] : cases) {
        Rig rig;
        rig.game.hard1_Click();
        rig.Place(picture);
        rig.game.hintsLeft = hints;
        rig.game.Form_KeyDown(KeyF1);
        rig.game.Menu_Click("hint");
        EXPECT_TRUE(Highlighted(rig.game).empty()) << picture;
        EXPECT_EQ(rig.game.hintsLeft, hints) << picture;
        EXPECT_EQ(rig.game.View().Label2.caption, "5次提示,F1键") << picture;
        EXPECT_TRUE(rig.host.messages.empty());
    }
}

// ---------------------------------------------------------------- board check

// Each linkable pair is found from both ends and counted once.
TEST(BoardCheck, CountsEachLinkablePairOnce) {
    const std::pair<const char*, std::string> cases[] = {
        {"AABB", "还有2个连通!"}, {"AAAA", "还有6个连通!"}, {"AB/BA", "还有0个连通!"}};
    for (const auto& [picture, label] : cases) {
        Rig rig;
        rig.game.hard1_Click();
        rig.Place(picture);
        rig.game.Timer1_Timer();
        EXPECT_EQ(rig.game.View().Label1.caption, label);
    }
}

TEST(BoardCheck, LastPairRemovedChargesNothing) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AA");
    rig.Click(1, 1);
    rig.Click(1, 2);
    rig.game.Timer1_Timer();
    EXPECT_EQ(rig.game.View().Label1.caption, "还有0个连通!");
    EXPECT_EQ(rig.game.reshufflesLeft, 1);
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer1));
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer2));
    EXPECT_EQ(rig.host.messages.size(), 1u);  // the end of the level only
}

// A removal leaves only the dead block: one reshuffle is charged, then passes run every
// tick until a pair links, at no further cost.
TEST(BoardCheck, DeadBoardIsReshuffledUntilAPairLinks) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("ABCC/BA");
    rig.Click(1, 3);
    rig.Click(1, 4);
    rig.game.Timer1_Timer();
    const ViewState& v = rig.game.View();
    EXPECT_EQ(v.Label1.caption, "还有0个连通!");
    EXPECT_EQ(rig.game.reshufflesLeft, 0);
    EXPECT_EQ(v.Label4.caption, "0次重排,F2键");
    ASSERT_TRUE(rig.TimerOn(TimerId::Timer2));
    int passes = 0;
    while (rig.TimerOn(TimerId::Timer2) && passes < 1000) {
        rig.game.Timer2_Timer();
        ++passes;
        const Board& b = rig.game.board;
        // The four tiles stay on the block's four cells.
        EXPECT_EQ(b.CountTiles(), 4);
        EXPECT_NE(b(1, 1) * b(1, 2) * b(2, 1) * b(2, 2), 0);
        EXPECT_TRUE(rig.game.IsConsistent());
    }
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer2));
    EXPECT_FALSE(reference::LinkableCells(rig.game.board).empty());
    EXPECT_NE(v.Label1.caption, "还有0个连通!");
    EXPECT_EQ(rig.game.reshufflesLeft, 0);
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST(BoardCheck, DeadBoardWithNoReshuffleLeftEndsInOneMessage) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("ABCC/BA");
    rig.game.reshufflesLeft = 0;
    rig.Click(1, 3);
    rig.Click(1, 4);
    rig.game.Timer1_Timer();
    EXPECT_EQ(rig.game.reshufflesLeft, -1);
    EXPECT_EQ(rig.game.View().Label4.caption, "-1次重排,F2键");
    const Board dead = rig.game.board;
    // The timer is off before the box opens, so the ticks that still come deliver nothing.
    bool offDuringMessage = false, open = false;
    rig.host.onMessage = [&](std::string_view) {
        if (open) return;
        open = true;
        offDuringMessage = !rig.host.IsOn(TimerId::Timer2);
        rig.host.RunFor(500);
        open = false;
    };
    rig.host.RunUntil(TimerId::Timer2);
    rig.host.Settle();
    rig.host.onMessage = nullptr;
    rig.host.RunFor(1000);
    EXPECT_EQ(rig.host.messages, std::vector<std::string>{"重排机会用完,你没有过关!"});
    EXPECT_TRUE(offDuringMessage);
    EXPECT_EQ(rig.game.board, dead);
    rig.game.Form_KeyDown(KeyF2);
    EXPECT_EQ(rig.host.messages.back(), "重排机会用完!");
    EXPECT_EQ(rig.game.reshufflesLeft, -1);
}

// ---------------------------------------------------------------- reshuffle by hand

// F2 charges at once and the pass comes on the next tick; the pass only moves kinds among
// the occupied cells, and pictures (marks included) move with their kinds.
TEST(Reshuffle, KeepsTheKindsAndTheEmptyCells) {
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        Rig rig(seed);
        rig.game.hard1_Click();
        Board board;
        for (int i = 0; i < 20 + static_cast<int>(seed); ++i) {
            const int kind = 1 + rig.random.Below(Kinds);
            for (int copy = 0; copy < 2; ++copy)
                board(1 + rig.random.Below(tilvara::Rows), 1 + rig.random.Below(Cols)) = kind;
        }
        for (int kind = 1; kind <= Kinds; ++kind) {  // even counts, as a game always has
            std::vector<Cell> cells;
            for (int n = 1; n <= CellCount; ++n)
                if (board(CellOf(n).row, CellOf(n).col) == kind) cells.push_back(CellOf(n));
            if (cells.size() % 2) board(cells[0].row, cells[0].col) = 0;
        }
        rig.game.PlaceBoard(board);
        std::vector<Cell> tiles;
        for (int n = 1; n <= CellCount; ++n)
            if (board(CellOf(n).row, CellOf(n).col) != 0) tiles.push_back(CellOf(n));
        const Cell marked = tiles[0];
        rig.Click(marked.row, marked.col);
        const int markedKind = board(marked.row, marked.col);

        rig.game.hint11_Click();
        EXPECT_EQ(rig.game.reshufflesLeft, 0);
        EXPECT_EQ(rig.game.View().Label4.caption, "0次重排,F2键");
        EXPECT_EQ(rig.game.board, board);  // nothing moves before the tick
        rig.host.RunUntil(TimerId::Timer2);

        const Board& after = rig.game.board;
        std::vector<int> kindsBefore, kindsAfter;
        for (int n = 1; n <= CellCount; ++n) {
            const Cell c = CellOf(n);
            EXPECT_EQ(after(c.row, c.col) != 0, board(c.row, c.col) != 0);
            kindsBefore.push_back(board(c.row, c.col));
            kindsAfter.push_back(after(c.row, c.col));
            if (after(c.row, c.col) != 0) {
                EXPECT_EQ(rig.Pic(c.row, c.col).face.kind, after(c.row, c.col));
            }
        }
        std::sort(kindsBefore.begin(), kindsBefore.end());
        std::sort(kindsAfter.begin(), kindsAfter.end());
        EXPECT_EQ(kindsBefore, kindsAfter);
        const std::vector<Cell> marks = Highlighted(rig.game);
        ASSERT_EQ(marks.size(), 1u);
        EXPECT_EQ(after(marks[0].row, marks[0].col), markedKind);
        // The selection still names its cell, whatever lies there now.
        EXPECT_EQ(rig.game.selIndex, IndexOf(marked.row, marked.col));
        EXPECT_TRUE(rig.game.IsConsistent());
    }
}

TEST(Reshuffle, TwoPressesBeforeTheTickChargeTwiceForOnePass) {
    Rig rig;
    rig.game.hard1_Click();
    rig.game.reshufflesLeft = 2;
    rig.game.hint11_Click();
    rig.game.hint11_Click();
    EXPECT_EQ(rig.game.reshufflesLeft, 0);
    const int draws = rig.random.draws;
    rig.host.RunUntil(TimerId::Timer2);
    EXPECT_EQ(rig.random.draws - draws, 2 * CellCount);
    EXPECT_FALSE(rig.TimerOn(TimerId::Timer2));
}

// ---------------------------------------------------------------- reveal mode

// Only the two C tiles link: the other kinds stand in two dead blocks.
constexpr const char* RevealBoard = "AB.CC/BA.DE/...ED";

TEST(Reveal, AboveFiveClicksChecksMarkEveryLinkableTile) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place(RevealBoard);
    for (int i = 0; i < 5; ++i) rig.game.Label1_Click();
    rig.game.Timer1_Timer();
    EXPECT_TRUE(Highlighted(rig.game).empty());

    rig.game.Label1_Click();
    rig.Click(1, 1);  // a selected tile loses its highlight to the reset
    rig.game.Timer1_Timer();
    EXPECT_EQ(Highlighted(rig.game), (std::vector<Cell>{{1, 4}, {1, 5}}));
    EXPECT_EQ(rig.game.View().Label1.caption, "还有1个连通!");
}

// A pass marks what links now and keeps the marks that travelled with their tiles.
TEST(Reveal, ReshufflePassAddsMarksWithoutClearing) {
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        Rig rig(seed);
        rig.game.hard1_Click();
        rig.Place(RevealBoard);
        for (int i = 0; i < 6; ++i) rig.game.Label1_Click();
        rig.game.Timer1_Timer();
        const size_t before = Highlighted(rig.game).size();
        rig.game.hint11_Click();
        rig.game.Timer2_Timer();
        const std::vector<Cell> marks = Highlighted(rig.game);
        EXPECT_GE(marks.size(), before);
        for (const Cell c : reference::LinkableCells(rig.game.board))
            EXPECT_NE(std::find(marks.begin(), marks.end(), c), marks.end()) << seed;
    }
}

}  // namespace
}  // namespace tilvara::test
