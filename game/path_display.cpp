// Showing the connecting path: the pieces placed in twips, and hidden again after the hold.
#include "game/main_form.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tilvara {

// A piece from the centre of one cell to the centre of another in the same row
// (horizontal) or column; only its length follows the segment, its thickness stays.
void MainForm::DrawSegment(Piece& piece, bool horizontal, int line, int from, int to) {
    if (from == to) return;
    const CellPicture& first = view_.Image2[1];
    const double x0 = first.left, y0 = first.top, w = first.width, h = first.height;
    const int lo = std::min(from, to);
    const int row = horizontal ? line : lo;
    const int col = horizontal ? lo : line;
    piece.top = static_cast<float>(y0 + (row - 1) * h + h / 2);
    piece.left = static_cast<float>(x0 + (col - 1) * w + w / 2);
    if (horizontal)
        piece.width = static_cast<float>(w * std::abs(to - from));
    else
        piece.height = static_cast<float>(h * std::abs(to - from));
    piece.visible = true;
}

void MainForm::DrawHLine1(int row, int colA, int colB) {
    DrawSegment(view_.Image4, true, row, colA, colB);
}
void MainForm::DrawHLine2(int row, int colA, int colB) {
    DrawSegment(view_.Image6, true, row, colA, colB);
}
void MainForm::DrawVLine1(int col, int rowA, int rowB) {
    DrawSegment(view_.Image5, false, col, rowA, rowB);
}
void MainForm::DrawVLine2(int col, int rowA, int rowB) {
    DrawSegment(view_.Image7, false, col, rowA, rowB);
}

void MainForm::ShowPath(int row1, int col1, int row2, int col2) {
    if (link.ViaColumn()) {
        const int c = link.bestCol;
        DrawHLine1(row1, c, col1);
        DrawHLine2(row2, c, col2);
        DrawVLine1(c, row1, row2);
    } else {
        const int r = link.bestRow;
        DrawVLine1(col1, r, row1);
        DrawVLine2(col2, r, row2);
        DrawHLine1(r, col1, col2);
    }
}

// All four, whether or not the path used them, so none is left over for the next.
void MainForm::HidePath() {
    view_.Image4.visible = false;
    view_.Image5.visible = false;
    view_.Image6.visible = false;
    view_.Image7.visible = false;
}

}  // namespace tilvara
