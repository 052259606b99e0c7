// The main window's fixed layout in twips and its menu bar, as a form designer would hold them.
#pragma once

#include "game/view_state.h"

namespace tilvara {

constexpr double GridLeft = 615, GridTop = 600;  // right of and level with the template
constexpr double FaceWidth = 39 * TwipsPerPixel, FaceHeight = 49 * TwipsPerPixel;
constexpr float PieceThickness = 105;
constexpr double ClockBarLeft = 4660, ClockBarWidth = 10;
constexpr double ClockFullWidth = 4590 - 70;  // a wider bar means the time is up
// The last seconds of a level, when the clock warns.
constexpr int ClockWarningSeconds = 30;
// Whole seconds left on the clock for a bar of this width (it grows 10 twips a second):
// 452 at the start of a deal, 1 on the last second.
constexpr int ClockSecondsLeft(double barWidth) {
    return static_cast<int>((ClockFullWidth - barWidth) / 10) + 1;
}

// The window before start-up: caption, menus, the template picture, hidden path pieces,
// the clock strip, the labels' boxes and the client area.
ViewState DesignedView();

}  // namespace tilvara
