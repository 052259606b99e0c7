// Sliding after a removal: levels 2 to 7 close the two gaps by pulling neighbouring tiles in.
#pragma once

#include "game/board.h"
#include "game/view_state.h"

namespace tilvara {

// The level's mode; at most one is set, none in level 1.
struct SlideModes {
    bool slideUp = false;         // level 2
    bool slideDown = false;       // level 3
    bool slideLeft = false;       // level 4
    bool slideRight = false;      // level 5
    bool slideToMiddleV = false;  // level 6: toward the line between rows 4 and 5
    bool slideToMiddleH = false;  // level 7: toward the line between columns 9 and 10

    int CountSet() const {
        return slideUp + slideDown + slideLeft + slideRight + slideToMiddleV + slideToMiddleH;
    }
    void ClearModes() { *this = SlideModes{}; }
};

// Each closes the empty cell (row, col) by moving the contiguous run of tiles on one side
// one cell toward it (pictures, visibility and kinds alike), and leaves in the moving
// coordinate the cell where the gap ended.
void CloseGapUp(Board& board, CellPictures& Image2, int& row, int& col);
void CloseGapDown(Board& board, CellPictures& Image2, int& row, int& col);
void CloseGapLeft(Board& board, CellPictures& Image2, int& row, int& col);
void CloseGapRight(Board& board, CellPictures& Image2, int& row, int& col);

// The two gaps of a removed pair: the first selected tile's cell and the second's.
void SlideAfterRemoval(const SlideModes& modes, Board& board, CellPictures& Image2, int& row1,
                       int& col1, int& row2, int& col2);

}  // namespace tilvara
