// The board: tile kinds on a 10 x 20 grid whose outer ring is an always-empty border.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tilvara {

constexpr int Rows = 8;   // play field rows 1..8
constexpr int Cols = 18;  // play field columns 1..18
constexpr int Kinds = 36;
constexpr int CellCount = Rows * Cols;  // 144
constexpr int BoardRows = Rows + 2;     // with the border rows 0 and 9
constexpr int BoardCols = Cols + 2;     // with the border columns 0 and 19

struct Cell {
    int row = 0;
    int col = 0;
    bool operator==(const Cell&) const = default;
};

// Picture index of a play-field cell: 1..144, row by row from the top left.
constexpr int IndexOf(int row, int col) { return (row - 1) * Cols + col; }

// The inverse, with division rounding down, so index 0 (the template picture left of
// the first row) lands on the border cell (0, 18).
constexpr Cell CellOf(int index) {
    const int q = (index - 1 >= 0) ? (index - 1) / Cols : -((Cols - index) / Cols);
    return {q + 1, index - 1 - q * Cols + 1};
}

class Board {
public:
    int& operator()(int row, int col) { return cells[row][col]; }
    int operator()(int row, int col) const { return cells[row][col]; }

    // A board from a small text picture, one line per row starting at row 1, one token per
    // cell starting at column 1: '.' is empty, 'A'..'Z' are kinds 1..26, 'a'..'j' kinds 27..36.
    static Board FromPicture(std::string_view picture);
    // The play field as such a picture (rows 1..8, columns 1..18).
    std::string ToPicture() const;

    bool BorderEmpty() const;
    int CountTiles() const;
    bool operator==(const Board&) const = default;

    std::array<std::array<int, BoardCols>, BoardRows> cells{};
};

}  // namespace tilvara
