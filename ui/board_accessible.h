// What assistive technology sees of the game area: the 144 cells, the four status lines
// and the clock, as children of the board.
#pragma once

#include "game/view_state.h"

namespace tilvara::ui {

class BoardView;

// Registers the factory that gives every BoardView its accessible interface; runs once.
void InstallBoardAccessible();

// Tells assistive technology what the core names as changed: the cursor's cell taking the
// focus, cells shown, hidden, selected or given another picture, new status texts, the
// clock's seconds. Does nothing while no client listens.
void NotifyBoardChanges(BoardView& board, const ViewChanges& changes);

// Tells assistive technology, once the board has taken the keyboard focus, that the cell
// under the board cursor has it.
void NotifyBoardFocus(BoardView& board);

}  // namespace tilvara::ui
