// The straightforward pair scan that the fast one must match, for tests and benchmarks:
// every ordered pair of occupied cells of one kind in reading order, each tried with CanLink.
#pragma once

#include <optional>
#include <vector>

#include "game/board.h"
#include "game/link.h"
#include "game/pair_scan.h"

namespace tilvara::reference {

// First cells in reading order, for each the whole field again as partners. onPair returns
// true to stop the scan.
template <class OnPair>
void ScanPairs(const Board& board, OnPair onPair) {
    for (int i = 1; i <= Rows; ++i) {
        for (int j = 1; j <= Cols; ++j) {
            if (board(i, j) == 0) continue;
            for (int k = 1; k <= Rows; ++k) {
                for (int l = 1; l <= Cols; ++l) {
                    if (board(k, l) != board(i, j) || (k == i && l == j)) continue;
                    if (CanLink(board, i, j, k, l) && onPair(Cell{i, j}, Cell{k, l})) return;
                }
            }
        }
    }
}

// Ordered pairs: twice the linkable pairs.
inline int CountLinkablePairs(const Board& board) {
    int count = 0;
    ScanPairs(board, [&](Cell, Cell) {
        ++count;
        return false;
    });
    return count;
}

inline std::optional<CellPair> FirstLinkablePair(const Board& board) {
    std::optional<CellPair> first;
    ScanPairs(board, [&](Cell a, Cell b) {
        first = CellPair{a, b};
        return true;
    });
    return first;
}

// The cells of every linkable pair, in reading order: what the reveal mode marks.
inline std::vector<Cell> LinkableCells(const Board& board) {
    bool linked[BoardRows][BoardCols] = {};
    ScanPairs(board, [&](Cell a, Cell b) {
        linked[a.row][a.col] = linked[b.row][b.col] = true;
        return false;
    });
    std::vector<Cell> cells;
    for (int n = 1; n <= CellCount; ++n)
        if (const Cell c = CellOf(n); linked[c.row][c.col]) cells.push_back(c);
    return cells;
}

}  // namespace tilvara::reference
