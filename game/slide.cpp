// The gap-closing procedures and, per level, which runs on which gap in which order.
// A slide stops at the first empty cell, so when both gaps lie in the line of motion the
// one farther from the side the tiles move toward is closed first.
#include "game/slide.h"

namespace tilvara {

namespace {

// Pulls the tile at (row + dr, col + dc) into the gap, again and again, until the
// neighbour is empty (the border is, so it always stops).
void CloseGap(Board& board, CellPictures& Image2, int& row, int& col, int dr, int dc) {
    while (board(row + dr, col + dc) != 0) {
        CellPicture& gap = Image2[IndexOf(row, col)];
        CellPicture& next = Image2[IndexOf(row + dr, col + dc)];
        gap.face = next.face;
        gap.visible = true;
        next.visible = false;
        board(row, col) = board(row + dr, col + dc);
        board(row + dr, col + dc) = 0;
        row += dr;
        col += dc;
    }
}

using CloseFn = void (*)(Board&, CellPictures&, int&, int&);

// A one-direction level: its mode, whether it moves along columns, the sign of the
// coordinate difference that puts the second gap farther from where the tiles go, and
// the gap procedure.
struct LineSlide {
    bool SlideModes::*mode;
    bool vertical;
    int farSide;
    CloseFn close;
};

constexpr LineSlide LineSlides[] = {
    {&SlideModes::slideUp, true, +1, CloseGapUp},
    {&SlideModes::slideDown, true, -1, CloseGapDown},
    {&SlideModes::slideLeft, false, +1, CloseGapLeft},
    {&SlideModes::slideRight, false, -1, CloseGapRight},
};

}  // namespace

void CloseGapUp(Board& board, CellPictures& Image2, int& row, int& col) {
    CloseGap(board, Image2, row, col, +1, 0);
}
void CloseGapDown(Board& board, CellPictures& Image2, int& row, int& col) {
    CloseGap(board, Image2, row, col, -1, 0);
}
void CloseGapLeft(Board& board, CellPictures& Image2, int& row, int& col) {
    CloseGap(board, Image2, row, col, 0, +1);
}
void CloseGapRight(Board& board, CellPictures& Image2, int& row, int& col) {
    CloseGap(board, Image2, row, col, 0, -1);
}

void SlideAfterRemoval(const SlideModes& modes, Board& board, CellPictures& Image2, int& row1,
                       int& col1, int& row2, int& col2) {
    // Runs one procedure on each gap, first the one given first.
    auto both = [&](CloseFn first, int& ra, int& ca, CloseFn second, int& rb, int& cb) {
        first(board, Image2, ra, ca);
        second(board, Image2, rb, cb);
    };

    if (modes.slideToMiddleH) {
        if (row1 == row2) {
            // Same row: columns 10..18 count as the right half.
            const bool right1 = col1 >= 10, right2 = col2 >= 10;
            if (right1 && right2) {
                if (col1 > col2)
                    both(CloseGapLeft, row1, col1, CloseGapLeft, row2, col2);
                else
                    both(CloseGapLeft, row2, col2, CloseGapLeft, row1, col1);
            } else if (!right1 && !right2) {
                if (col1 < col2)
                    both(CloseGapRight, row1, col1, CloseGapRight, row2, col2);
                else
                    both(CloseGapRight, row2, col2, CloseGapRight, row1, col1);
            } else if (!right1) {
                both(CloseGapRight, row1, col1, CloseGapLeft, row2, col2);
            } else {
                both(CloseGapLeft, row1, col1, CloseGapRight, row2, col2);
            }
        } else {
            // Different rows: column 10 is closed from the left.
            both(col1 > 10 ? CloseGapLeft : CloseGapRight, row1, col1,
                 col2 > 10 ? CloseGapLeft : CloseGapRight, row2, col2);
        }
    }
    if (modes.slideToMiddleV) {
        const bool lower1 = row1 > 4, lower2 = row2 > 4;
        if (col1 == col2 && lower1 && lower2) {
            if (row1 > row2)
                both(CloseGapUp, row1, col1, CloseGapUp, row2, col2);
            else
                both(CloseGapUp, row2, col2, CloseGapUp, row1, col1);
        } else if (col1 == col2 && !lower1 && !lower2) {
            if (row1 < row2)
                both(CloseGapDown, row1, col1, CloseGapDown, row2, col2);
            else
                both(CloseGapDown, row2, col2, CloseGapDown, row1, col1);
        } else {
            // Different columns, or one gap in each half: each half closes its own gap.
            both(lower1 ? CloseGapUp : CloseGapDown, row1, col1, lower2 ? CloseGapUp : CloseGapDown,
                 row2, col2);
        }
    }
    // Levels 2 to 5 slide along one axis. When both gaps lie in the same line of motion,
    // the one farther from the side the tiles move toward goes first.
    for (const LineSlide& slide : LineSlides) {
        if (!(modes.*slide.mode)) continue;
        const bool sameLine = slide.vertical ? col1 == col2 : row1 == row2;
        const int along1 = slide.vertical ? row1 : col1;
        const int along2 = slide.vertical ? row2 : col2;
        if (sameLine && (along2 - along1) * slide.farSide > 0)
            both(slide.close, row2, col2, slide.close, row1, col1);
        else
            both(slide.close, row1, col1, slide.close, row2, col2);
    }
}

}  // namespace tilvara
