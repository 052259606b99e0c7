// The straightforward pair scan that the fast one must match, for tests and benchmarks:
// every ordered pair of occupied cells of one kind in reading order, each tried with CanLink.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "game/board.h"
#include "game/link.h"
#include "game/pair_scan.h"

namespace tilvara::reference {

// The partners a tile is tried with: every other occupied cell of its kind, over the whole
// field in reading order. onPartner returns true to stop; the result says whether it did.
template <class OnPartner>
bool ForEachEqualKindPartner(const Board& board, Cell a, OnPartner onPartner) {
    for (int k = 1; k <= Rows; ++k) {
        for (int l = 1; l <= Cols; ++l) {
            if (board(k, l) != board(a.row, a.col) || (k == a.row && l == a.col)) continue;
            if (onPartner(Cell{k, l})) return true;
        }
    }
    return false;
}

// Every ordered pair of tiles of one kind: first cells in reading order, for each its
// partners. onPair returns true to stop.
template <class OnPair>
void ForEachEqualKindPair(const Board& board, OnPair onPair) {
    for (int i = 1; i <= Rows; ++i) {
        for (int j = 1; j <= Cols; ++j) {
            if (board(i, j) == 0) continue;
            const Cell a{i, j};
            if (ForEachEqualKindPartner(board, a, [&](Cell b) { return onPair(a, b); })) return;
        }
    }
}

// The pairs of those that CanLink accepts. onPair returns true to stop the scan.
template <class OnPair>
void ScanPairs(const Board& board, OnPair onPair) {
    ForEachEqualKindPair(board, [&](Cell a, Cell b) {
        return CanLink(board, a.row, a.col, b.row, b.col) && onPair(a, b);
    });
}

// The first partner in reading order that a tile links with.
inline std::optional<Cell> FirstPartner(const Board& board, Cell a) {
    std::optional<Cell> partner;
    ForEachEqualKindPartner(board, a, [&](Cell b) {
        if (CanLink(board, a.row, a.col, b.row, b.col)) partner = b;
        return partner.has_value();
    });
    return partner;
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

// The same pair as picture indices, for tests that click it; -1, -1 on a dead board.
inline std::pair<int, int> FirstLinkableIndices(const Board& board) {
    const std::optional<CellPair> pair = FirstLinkablePair(board);
    if (!pair) return {-1, -1};
    return {IndexOf(pair->first.row, pair->first.col), IndexOf(pair->second.row, pair->second.col)};
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
