// The fast pair scan against the straightforward one: the same count, the same hint pair
// and the same marked tiles on hand-made, random, dealt, part-cleared and slid boards.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "game/pair_scan.h"
#include "tests/support/fake_host.h"
#include "tests/support/reference_scan.h"

namespace tilvara::test {
namespace {

std::string Show(const std::optional<CellPair>& p) {
    if (!p) return "none";
    return std::to_string(p->first.row) + "," + std::to_string(p->first.col) + "-" +
           std::to_string(p->second.row) + "," + std::to_string(p->second.col);
}

// The scan's own answers on a board, each compared with the reference.
::testing::AssertionResult SameAsReference(const Board& board) {
    const PairScan scan(board);
    int count = 0;
    std::set<int> cells;
    scan.ForEachLinkablePair([&](Cell a, Cell b) {
        count += 2;
        cells.insert(IndexOf(a.row, a.col));
        cells.insert(IndexOf(b.row, b.col));
    });
    std::set<int> expectedCells;
    for (const Cell c : reference::LinkableCells(board))
        expectedCells.insert(IndexOf(c.row, c.col));
    const int expectedCount = reference::CountLinkablePairs(board);
    const std::optional<CellPair> first = scan.FirstLinkablePair();
    const std::optional<CellPair> expectedFirst = reference::FirstLinkablePair(board);
    if (count == expectedCount && first == expectedFirst && cells == expectedCells)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "count " << count << " vs " << expectedCount << ", first " << Show(first) << " vs "
           << Show(expectedFirst) << ", marked " << cells.size() << " vs " << expectedCells.size()
           << " on\n"
           << board.ToPicture();
}

// What the player sees of one board check and one hint, against the reference: Label1, the
// tiles marked in reveal mode, the hint's two marks.
void ExpectGameShowsReference(Rig& rig) {
    MainForm& g = rig.game;
    const Board board = g.board;
    g.PlaceBoard(board);  // plain faces
    g.revealClicks = RevealThreshold + 1;
    g.CountLinkablePairs(true);
    EXPECT_EQ(g.View().Label1.caption,
              "还有" + std::to_string(reference::CountLinkablePairs(board) / 2) + "个连通!");
    EXPECT_EQ(Highlighted(g), reference::LinkableCells(board)) << board.ToPicture();
    g.revealClicks = 0;
    g.PlaceBoard(board);
    g.hintsLeft = 1;
    g.hint_Click();
    const std::optional<CellPair> pair = reference::FirstLinkablePair(board);
    std::vector<Cell> marked;
    if (pair) marked = {pair->first, pair->second};
    EXPECT_EQ(Highlighted(g), marked) << board.ToPicture();
    EXPECT_EQ(g.hintsLeft, pair ? 0 : 1);
    g.PlaceBoard(board);
}

bool EveryKindPaired(const Board& board) {
    int counts[Kinds + 1] = {};
    for (int n = 1; n <= CellCount; ++n) ++counts[board(CellOf(n).row, CellOf(n).col)];
    return std::all_of(counts + 1, counts + Kinds + 1, [](int n) { return n % 2 == 0; });
}

// Edge cases with the number of linkable pairs they hold.
struct HandMade {
    const char* picture;
    int pairs;
};

TEST(PairScan, AgreesWithTheReferenceOnHandMadeRandomAndDealtBoards) {
    const HandMade cases[] = {
        {"AA", 1},               // adjacent in a row
        {"A/A", 1},              // adjacent in a column
        {"ABA/BAB", 2},          // the border row 0, the empty row 3
        {"A...B...A", 1},        // a blocked row, the border row open
        {"A/B/./././././A", 1},  // rows 1 to 8 by the border column 0
        {".................A/.................B/./././././.................A", 1},  // column 19
        {".A/.B/.A", 1},                 // around a tile between
        {"AAAA", 6},                     // four of a kind in one row
        {"BAAB/BCCB/BDDB", 11},          // six Bs, only some of them link
        {"./.AB/.C/....D/...EA", 0},     // the As need four segments
        {"./..A...B/./././..C...A", 1},  // both corners blocked, two turns
    };
    for (const HandMade& c : cases) {
        const Board board = Picture(c.picture);
        EXPECT_TRUE(SameAsReference(board));
        EXPECT_EQ(reference::CountLinkablePairs(board), 2 * c.pairs) << c.picture;
        // Through the game only where every kind is paired, as in play: the game checks
        // that after each event in debug builds.
        if (!EveryKindPaired(board)) continue;
        Rig rig;
        rig.game.PlaceBoard(board);
        ExpectGameShowsReference(rig);
    }
    // Sparse boards of few kinds, so a kind has many tiles and paths are long and varied.
    ScriptedRandom random(20240611);
    for (int round = 0; round < 300; ++round) {
        Board board;
        const int density = 5 + random.Below(90);
        const int kinds = 1 + random.Below(4);
        for (int row = 1; row <= tilvara::Rows; ++row)
            for (int col = 1; col <= Cols; ++col)
                if (random.Below(100) < density) board(row, col) = 1 + random.Below(kinds);
        ASSERT_TRUE(SameAsReference(board));
    }
    for (std::uint64_t seed = 1; seed <= 100; ++seed) {
        Rig rig(seed);
        rig.game.hard1_Click();
        ASSERT_TRUE(SameAsReference(rig.game.board));
    }
}

// Whole games of every level through the window's events: at each step the board check
// and the hint agree with the reference, then a random linkable pair is clicked away and
// the level's sliding runs. Dead boards are reshuffled by the game's own timer.
TEST(PairScan, AgreesWithTheReferenceThroughGamesOfEveryLevel) {
    using Start = void (MainForm::*)();
    const Start starts[] = {&MainForm::hard1_Click, &MainForm::hard2_Click, &MainForm::hard3_Click,
                            &MainForm::hard4_Click, &MainForm::hard5_Click, &MainForm::hard6_Click,
                            &MainForm::hard7_Click};
    for (int level = 1; level <= LastLevel; ++level) {
        for (std::uint64_t seed = 1; seed <= 2; ++seed) {
            Rig rig(seed * 100 + level);
            MainForm& g = rig.game;
            (g.*starts[level - 1])();
            int steps = 0;
            while (g.tilesLeft > 0 && steps++ < 100) {
                ASSERT_TRUE(SameAsReference(g.board)) << "level " << level << " seed " << seed;
                ExpectGameShowsReference(rig);
                std::vector<CellPair> pairs;
                reference::ScanPairs(g.board, [&](Cell a, Cell b) {
                    if (IndexOf(a.row, a.col) < IndexOf(b.row, b.col)) pairs.push_back({a, b});
                    return false;
                });
                if (pairs.empty()) {
                    g.reshufflesLeft = 1;
                    g.hint11_Click();
                    while (rig.TimerOn(TimerId::Timer2)) g.Timer2_Timer();
                    continue;
                }
                const CellPair p = pairs[rig.random.Below(static_cast<int>(pairs.size()))];
                rig.Click(p.first.row, p.first.col);
                rig.Click(p.second.row, p.second.col);
                ASSERT_TRUE(rig.TimerOn(TimerId::Timer1)) << "the pair was not removed";
                g.Timer1_Timer();
            }
            EXPECT_EQ(g.tilesLeft, 0) << "level " << level << " seed " << seed;
        }
    }
}

}  // namespace
}  // namespace tilvara::test
