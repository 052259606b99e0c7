// The pair scan of the hint and the board checks: the linkable pairs of a board, found kind
// by kind with a geometric test that gives CanLink's answer without its full search.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "game/board.h"

namespace tilvara {

// Two cells that link, the first earlier in reading order.
struct CellPair {
    Cell first;
    Cell second;
    bool operator==(const CellPair&) const = default;
};

// Built over one board, which must not change while the scan is in use. Every kind on the
// board lies in 1..Kinds; a kind may have any number of tiles.
class PairScan {
public:
    explicit PairScan(const Board& board);

    // Calls onPair(first, second) once for every linkable pair, kind by kind.
    template <class OnPair>
    void ForEachLinkablePair(OnPair onPair) const {
        for (int kind = 1; kind <= Kinds; ++kind)
            for (int s = start_[kind]; s < start_[kind + 1]; ++s)
                for (int t = s + 1; t < start_[kind + 1]; ++t)
                    if (Linkable(byKind_[s], byKind_[t]))
                        onPair(Cell{byKind_[s].row, byKind_[s].col},
                               Cell{byKind_[t].row, byKind_[t].col});
    }

    // The hint's pair: the first tile in reading order that has a linkable partner, and
    // the first such partner. None on a dead board.
    std::optional<CellPair> FirstLinkablePair() const;

private:
    struct Tile {
        std::int8_t row, col;
    };
    using Grid = std::array<std::array<std::int8_t, BoardCols>, BoardRows>;

    // CanLink's answer for two different tiles of one kind.
    bool Linkable(Tile a, Tile b) const;

    const Board& board_;
    // The tiles grouped by kind, each group in reading order: kind k holds the slots
    // start_[k] .. start_[k + 1] - 1 of byKind_; slotOf_ leads from a tile's cell to its slot.
    std::array<Tile, CellCount> byKind_;
    std::array<std::uint8_t, Kinds + 2> start_{};
    std::array<std::array<std::uint8_t, BoardCols>, BoardRows> slotOf_;
    // For every cell of the bordered grid, the nearest occupied cell at or beyond it in
    // one direction: its row (up, down) or column (left, right); -1 or BoardRows / BoardCols
    // when there is none. A run of cells is empty exactly when the nearest occupied cell
    // from one end lies past the other end.
    Grid occUp_, occDown_, occLeft_, occRight_;
};

}  // namespace tilvara
