// The pair scan. A path of at most three segments runs from each tile along an empty run of
// its own row (or column) to a connecting column (or row), so the connecting lines worth
// trying are those both tiles reach, and each needs only its middle segment tested.
#include "game/pair_scan.h"

#include <algorithm>
#include <cassert>

namespace tilvara {

PairScan::PairScan(const Board& board) : board_(board) {
    // The border is empty, so the nearest occupied cells are found within the grid.
    for (int row = 0; row < BoardRows; ++row) {
        int seen = -1;
        for (int col = 0; col < BoardCols; ++col) {
            if (board(row, col) != 0) seen = col;
            occLeft_[row][col] = static_cast<std::int8_t>(seen);
        }
        seen = BoardCols;
        for (int col = BoardCols - 1; col >= 0; --col) {
            if (board(row, col) != 0) seen = col;
            occRight_[row][col] = static_cast<std::int8_t>(seen);
        }
    }
    for (int col = 0; col < BoardCols; ++col) {
        int seen = -1;
        for (int row = 0; row < BoardRows; ++row) {
            if (board(row, col) != 0) seen = row;
            occUp_[row][col] = static_cast<std::int8_t>(seen);
        }
        seen = BoardRows;
        for (int row = BoardRows - 1; row >= 0; --row) {
            if (board(row, col) != 0) seen = row;
            occDown_[row][col] = static_cast<std::int8_t>(seen);
        }
    }

    // Counting sort by kind keeps reading order within each kind.
    std::array<std::uint8_t, Kinds + 2> next{};
    for (int row = 1; row <= Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            const int kind = board(row, col);
            assert(kind >= 0 && kind <= Kinds);
            ++next[kind + 1];
        }
    }
    next[1] = 0;  // empty cells take no slot
    for (int kind = 1; kind <= Kinds; ++kind) next[kind + 1] += next[kind];
    start_ = next;
    for (int row = 1; row <= Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            const int kind = board(row, col);
            if (kind == 0) continue;
            const int slot = next[kind]++;
            byKind_[slot] = {static_cast<std::int8_t>(row), static_cast<std::int8_t>(col)};
            slotOf_[row][col] = static_cast<std::uint8_t>(slot);
        }
    }
}

bool PairScan::Linkable(Tile a, Tile b) const {
    if (a.row != b.row) {
        // Column paths: the connecting column lies in both tiles' empty row runs, and the
        // column between the two rows is empty. A straight vertical line is the case c = col.
        const int top = std::min(a.row, b.row);
        const int bottom = std::max(a.row, b.row);
        const int from = std::max(occLeft_[a.row][a.col - 1], occLeft_[b.row][b.col - 1]) + 1;
        const int to = std::min(occRight_[a.row][a.col + 1], occRight_[b.row][b.col + 1]) - 1;
        for (int c = from; c <= to; ++c)
            if (occDown_[top + 1][c] >= bottom) return true;
    }
    if (a.col != b.col) {
        const int left = std::min(a.col, b.col);
        const int right = std::max(a.col, b.col);
        const int from = std::max(occUp_[a.row - 1][a.col], occUp_[b.row - 1][b.col]) + 1;
        const int to = std::min(occDown_[a.row + 1][a.col], occDown_[b.row + 1][b.col]) - 1;
        for (int r = from; r <= to; ++r)
            if (occRight_[r][left + 1] >= right) return true;
    }
    return false;
}

std::optional<CellPair> PairScan::FirstLinkablePair() const {
    // A partner earlier in reading order would have made that partner the first tile, so
    // only later tiles of the kind are tried.
    for (int row = 1; row <= Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            const int kind = board_(row, col);
            if (kind == 0) continue;
            const int s = slotOf_[row][col];
            for (int t = s + 1; t < start_[kind + 1]; ++t)
                if (Linkable(byKind_[s], byKind_[t]))
                    return CellPair{{row, col}, {byKind_[t].row, byKind_[t].col}};
        }
    }
    return std::nullopt;
}

}  // namespace tilvara
