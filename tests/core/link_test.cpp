// The link check: which pairs join within three segments, which of equal paths wins, and
// agreement with a slow breadth-first search on random boards.
#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <vector>

#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

// Length of the shortest path from one cell to another through empty cells of the whole
// 10 x 20 grid with at most maxTurns turns, or -1. A breadth-first search over
// (cell, heading, turns) that knows nothing of column and row scans.
int SlowPathLength(const Board& board, Cell from, Cell to, int maxTurns) {
    if (from == to) return -1;
    constexpr int dr[4] = {-1, 1, 0, 0};
    constexpr int dc[4] = {0, 0, -1, 1};
    struct State {
        int row, col, dir, turns, dist;
    };
    std::array<std::array<std::array<std::array<bool, 4>, 4>, BoardCols>, BoardRows> seen{};
    std::deque<State> queue;
    queue.push_back({from.row, from.col, -1, 0, 0});
    while (!queue.empty()) {
        const State s = queue.front();
        queue.pop_front();
        for (int d = 0; d < 4; ++d) {
            if (s.dir >= 0 && (d ^ 1) == s.dir) continue;  // turning back never helps
            const int turns = s.turns + (s.dir >= 0 && d != s.dir);
            const int row = s.row + dr[d], col = s.col + dc[d];
            if (turns > maxTurns || row < 0 || row >= BoardRows || col < 0 || col >= BoardCols)
                continue;
            if (Cell{row, col} == to) return s.dist + 1;
            if (board(row, col) != 0 || seen[row][col][d][turns]) continue;
            seen[row][col][d][turns] = true;
            queue.push_back({row, col, d, turns, s.dist + 1});
        }
    }
    return -1;
}

LinkOutputs Search(const Board& board, Cell a, Cell b) {
    LinkOutputs out;
    SearchLinkPaths(board, out, a.row, a.col, b.row, b.col);
    return out;
}

struct LinkCase {
    const char* name;
    const char* picture;
    Cell a, b;
    bool links;
    int bestCol, minLenViaCol, bestRow, minLenViaRow;
};
void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

class LinkCases : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkCases, CanLinkAndTheShortestPathOfEachForm) {
    const LinkCase& c = GetParam();
    const Board board = Picture(c.picture);
    EXPECT_EQ(CanLink(board, c.a.row, c.a.col, c.b.row, c.b.col), c.links);
    EXPECT_EQ(CanLink(board, c.b.row, c.b.col, c.a.row, c.a.col), c.links);
    const LinkOutputs out = Search(board, c.a, c.b);
    EXPECT_EQ(out.bestCol, c.bestCol);
    EXPECT_EQ(out.minLenViaCol, c.minLenViaCol);
    EXPECT_EQ(out.bestRow, c.bestRow);
    EXPECT_EQ(out.minLenViaRow, c.minLenViaRow);
    EXPECT_EQ(out.linkFlag, LinkFlag::line);
}

// A pair in opposite corners of an otherwise empty field.
constexpr const char* CornerToCorner =
    "A................./................../................../................../"
    "................../................../................../.................A";

// The two L paths of (2, 3) - (5, 7) are blocked at their corners.
constexpr const char* BlockedCorners = "....../..A...B/....../....../..B...A";
constexpr const char* Staircase = "BBBBB/BA.BB/BB..B/BBBAB";

INSTANTIATE_TEST_SUITE_P(
    Link, LinkCases,
    ::testing::Values(
        // Neighbours: the straight row path of length 1; the column scan is not run.
        LinkCase{"AdjacentSameKind", "AA", {1, 1}, {1, 2}, true, 999, 9999, 1, 1},
        // The search ignores kinds, CanLink does not.
        LinkCase{"AdjacentOtherKind", "AB", {1, 1}, {1, 2}, false, 999, 9999, 1, 1},
        LinkCase{"SameCellTwice", "A", {1, 1}, {1, 1}, false, 999, 9999, 999, 9999},
        LinkCase{"StraightDownAColumn", "A/./A", {1, 1}, {3, 1}, true, 1, 2, 999, 9999},
        // The direct same-row test is blocked; the row scan must still start clear.
        LinkCase{"OverTheTopBorder", "ABA/C.C", {1, 1}, {1, 3}, true, 999, 9999, 0, 4},
        LinkCase{"AroundTheLeftBorder", "AC/B./AC", {1, 1}, {3, 1}, true, 0, 4, 999, 9999},
        // Every column 1..18 and row 1..8 gives 24: the lowest of each is kept.
        LinkCase{"CornerToCorner", CornerToCorner, {1, 1}, {8, 18}, true, 1, 24, 1, 24},
        LinkCase{"OneCornerFoundByBoth", "A/./..A", {1, 1}, {3, 3}, true, 1, 4, 1, 4},
        LinkCase{"BlockedCorners", BlockedCorners, {2, 3}, {5, 7}, true, 4, 7, 3, 7},
        // Right, down, right, down: three turns, one too many.
        LinkCase{"OnlyFourSegments", Staircase, {2, 2}, {4, 4}, false, 999, 9999, 999, 9999},
        LinkCase{"WalledIn", "BBB/BAB/BBB/.A.", {2, 2}, {4, 2}, false, 999, 9999, 999, 9999}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Link, TheFourSegmentPairIsConnectedOnlyByAFourSegmentPath) {
    const Board board = Picture(Staircase);
    EXPECT_EQ(SlowPathLength(board, {2, 2}, {4, 4}, 2), -1);
    EXPECT_EQ(SlowPathLength(board, {2, 2}, {4, 4}, 3), 4);
}

// After checks that ended blocked (the hint's scan, a failed attempt), the next pair's only
// path is through column 0, the first candidate of the scan: it must start clear.
TEST(Link, PathThroughColumnZeroAfterABlockedAttempt) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AC/DB/AC/BD");
    rig.game.hint_Click();
    rig.Click(1, 1);
    rig.Click(2, 1);  // another kind: the selection moves on
    rig.Click(1, 1);
    rig.Click(3, 1);
    EXPECT_EQ(rig.game.tilesLeft, 6);
    EXPECT_EQ(rig.game.totalScore, 4);
}

// Random sparse boards with few kinds, so many equal pairs: CanLink holds exactly when the
// breadth-first search finds a path of at most two turns, and the shorter of the two scan
// results is the true shortest length.
TEST(LinkProperty, AgreesWithABreadthFirstSearch) {
    ScriptedRandom random(20240611);
    int linked = 0, unlinked = 0;
    for (int round = 0; round < 300; ++round) {
        Board board;
        std::vector<Cell> tiles;
        const int density = 10 + random.Below(80);
        const int kinds = 1 + random.Below(4);
        for (int row = 1; row <= tilvara::Rows; ++row) {
            for (int col = 1; col <= Cols; ++col) {
                if (random.Below(100) >= density) continue;
                board(row, col) = 1 + random.Below(kinds);
                tiles.push_back({row, col});
            }
        }
        if (tiles.empty()) continue;
        for (int i = 0; i < 100; ++i) {
            const Cell a = tiles[random.Below(static_cast<int>(tiles.size()))];
            const Cell b = tiles[random.Below(static_cast<int>(tiles.size()))];
            const int slow = SlowPathLength(board, a, b, 2);
            const bool same = board(a.row, a.col) == board(b.row, b.col);
            const bool fast = CanLink(board, a.row, a.col, b.row, b.col);
            ASSERT_EQ(fast, same && slow > 0)
                << board.ToPicture() << a.row << "," << a.col << " - " << b.row << "," << b.col;
            const LinkOutputs out = Search(board, a, b);
            ASSERT_EQ(out.Found(), slow > 0) << board.ToPicture();
            if (slow > 0) {
                ASSERT_EQ(std::min(out.minLenViaCol, out.minLenViaRow), slow);
            }
            (fast ? linked : unlinked) += 1;
        }
    }
    // Both answers must be common, or the property says little.
    EXPECT_GT(linked, 2000);
    EXPECT_GT(unlinked, 2000);
}

}  // namespace
}  // namespace tilvara::test
