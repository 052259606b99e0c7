// What assistive technology sees of the game area: the 144 cells, the four status lines
// and the clock, as children of the board.
#pragma once

namespace tilvara::ui {

// Registers the factory that gives every BoardView its accessible interface; runs once.
void InstallBoardAccessible();

}  // namespace tilvara::ui
