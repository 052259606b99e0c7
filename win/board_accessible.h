// The board as Windows screen readers read it (MSAA): a table whose 144 children are the
// cells, with the core's names and states.
#pragma once

#include <oleacc.h>
#include <windows.h>

#include "game/view_state.h"

namespace tilvara::win {

// What the accessible object asks of the board window.
class AccessibleBoard {
public:
    virtual ~AccessibleBoard() = default;
    virtual const ViewState& View() const = 0;
    virtual RECT CellOnScreen(int index) const = 0;
    virtual int CellAt(POINT screen) const = 0;  // 1..144, or 0 for none
    virtual bool BoardHasFocus() const = 0;
    virtual void PressCell(int index) = 0;  // the default action: a click
};

// One reference, the window's; Detach() before the window goes, after which every call fails
// as a disconnected object's would.
class BoardAccessible;
BoardAccessible* NewBoardAccessible(HWND board, AccessibleBoard* model);
void Detach(BoardAccessible* accessible);
IAccessible* AsAccessible(BoardAccessible* accessible);
// The answer to WM_GETOBJECT.
LRESULT Answer(BoardAccessible* accessible, WPARAM wParam, LPARAM lParam);

}  // namespace tilvara::win
