// Board helpers: text pictures for tests and tools, and whole-board checks.
#include "game/board.h"

#include <string>

namespace tilvara {

static_assert(CellOf(1) == Cell{1, 1});
static_assert(CellOf(18) == Cell{1, 18});
static_assert(CellOf(19) == Cell{2, 1});
static_assert(CellOf(144) == Cell{8, 18});
static_assert(CellOf(0) == Cell{0, 18});

namespace {

int KindOfToken(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A' + 1;
    if (c >= 'a' && c <= 'j') return c - 'a' + 27;
    return 0;
}

char TokenOfKind(int kind) {
    if (kind >= 1 && kind <= 26) return static_cast<char>('A' + kind - 1);
    if (kind >= 27 && kind <= 36) return static_cast<char>('a' + kind - 27);
    return kind == 0 ? '.' : '?';
}

}  // namespace

Board Board::FromPicture(std::string_view picture) {
    Board board;
    int row = 0;
    bool lineHasCells = false;
    int col = 0;
    for (char c : picture) {
        if (c == '\n') {
            if (lineHasCells) ++row;
            lineHasCells = false;
            col = 0;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r') continue;
        if (!lineHasCells) {
            lineHasCells = true;
            col = 0;
        }
        ++col;
        if (row + 1 <= Rows && col <= Cols) board(row + 1, col) = KindOfToken(c);
    }
    return board;
}

std::string Board::ToPicture() const {
    std::string out;
    for (int row = 1; row <= Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            out += TokenOfKind(cells[row][col]);
            out += col == Cols ? '\n' : ' ';
        }
    }
    return out;
}

bool Board::BorderEmpty() const {
    for (int col = 0; col < BoardCols; ++col)
        if (cells[0][col] != 0 || cells[BoardRows - 1][col] != 0) return false;
    for (int row = 0; row < BoardRows; ++row)
        if (cells[row][0] != 0 || cells[row][BoardCols - 1] != 0) return false;
    return true;
}

int Board::CountTiles() const {
    int n = 0;
    for (int row = 1; row <= Rows; ++row)
        for (int col = 1; col <= Cols; ++col) n += cells[row][col] != 0;
    return n;
}

}  // namespace tilvara
