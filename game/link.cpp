// The link check. The scan order, the strict comparisons and the direct same-line tests
// decide which of several equally short paths is shown and scored, so they stay as they are.
#include "game/link.h"

#include <algorithm>
#include <cstdlib>

namespace tilvara {

namespace {

// The row and column helpers below, and the two scans, are mirror images. They stay
// written out in their own orientation: folding them into one needs a transposed view of
// the board whose index swaps would hide the scan order and the strict comparisons that
// pick among equally short paths, and those are what a reader of this file checks.

// Every cell of a segment is visited, even after a blocked one.
void TestRowCells(const Board& board, LinkOutputs& out, int row, int fromCol, int toCol) {
    for (int col = fromCol; col <= toCol; ++col)
        if (board(row, col) != 0) out.linkFlag = LinkFlag::noline;
}

void TestColCells(const Board& board, LinkOutputs& out, int col, int fromRow, int toRow) {
    for (int row = fromRow; row <= toRow; ++row)
        if (board(row, col) != 0) out.linkFlag = LinkFlag::noline;
}

// The part of a tile's row between the tile and the connecting column c (the corner
// cell included, the tile excluded).
void TestRowToCorner(const Board& board, LinkOutputs& out, int row, int col, int c) {
    if (c < col) TestRowCells(board, out, row, c, col - 1);
    if (c > col) TestRowCells(board, out, row, col + 1, c);
}

void TestColToCorner(const Board& board, LinkOutputs& out, int col, int row, int r) {
    if (r < row) TestColCells(board, out, col, r, row - 1);
    if (r > row) TestColCells(board, out, col, row + 1, r);
}

bool Clear(const LinkOutputs& out) { return out.linkFlag == LinkFlag::line; }

void ColumnScan(const Board& board, LinkOutputs& out, int row1, int col1, int row2, int col2) {
    const int lo = row1 < row2 ? row1 : row2;
    const int hi = row1 < row2 ? row2 : row1;
    for (int c = 0; c < BoardCols; ++c) {
        TestRowToCorner(board, out, row1, col1, c);
        if (Clear(out)) TestColCells(board, out, c, lo + 1, hi - 1);
        if (Clear(out)) TestRowToCorner(board, out, row2, col2, c);
        if (Clear(out)) {
            const int len = std::abs(c - col1) + std::abs(row1 - row2) + std::abs(c - col2);
            if (len < out.minLenViaCol) {
                out.minLenViaCol = len;
                out.bestCol = c;
            }
        }
        out.linkFlag = LinkFlag::line;
    }
}

void RowScan(const Board& board, LinkOutputs& out, int row1, int col1, int row2, int col2) {
    const int lo = col1 < col2 ? col1 : col2;
    const int hi = col1 < col2 ? col2 : col1;
    for (int r = 0; r < BoardRows; ++r) {
        TestColToCorner(board, out, col1, row1, r);
        if (Clear(out)) TestRowCells(board, out, r, lo + 1, hi - 1);
        if (Clear(out)) TestColToCorner(board, out, col2, row2, r);
        if (Clear(out)) {
            const int len = std::abs(r - row1) + std::abs(col1 - col2) + std::abs(r - row2);
            if (len < out.minLenViaRow) {
                out.minLenViaRow = len;
                out.bestRow = r;
            }
        }
        out.linkFlag = LinkFlag::line;
    }
}

}  // namespace

void SearchLinkPaths(const Board& board, LinkOutputs& out, int row1, int col1, int row2, int col2) {
    if (row1 != row2) ColumnScan(board, out, row1, col1, row2, col2);
    out.linkFlag = LinkFlag::line;
    if (col1 != col2) RowScan(board, out, row1, col1, row2, col2);
}

bool CanLink(const Board& board, int row1, int col1, int row2, int col2) {
    LinkOutputs out;
    const bool sameKind = board(row1, col1) == board(row2, col2);
    bool result = false;

    if (row1 == row2) {
        if (std::abs(col1 - col2) == 1) {
            result = sameKind;
        } else {
            const int lo = col1 < col2 ? col1 : col2;
            const int hi = col1 < col2 ? col2 : col1;
            TestRowCells(board, out, row1, lo + 1, hi - 1);
            if (Clear(out) && col1 != col2) result = sameKind;
        }
    } else {
        ColumnScan(board, out, row1, col1, row2, col2);
    }
    out.linkFlag = LinkFlag::line;

    if (col1 == col2) {
        if (std::abs(row1 - row2) == 1) {
            result = sameKind;
        } else {
            const int lo = row1 < row2 ? row1 : row2;
            const int hi = row1 < row2 ? row2 : row1;
            TestColCells(board, out, col1, lo + 1, hi - 1);
            if (Clear(out) && row1 != row2) result = sameKind;
        }
    } else {
        RowScan(board, out, row1, col1, row2, col2);
    }

    if (out.Found()) result = sameKind;
    return result;
}

}  // namespace tilvara
