// The room a window has on its screen, and keeping a window within it.
#pragma once

#include <QSize>

class QWidget;

namespace tilvara::ui {

// The largest size a top-level window of `window`'s screen can take and still lie within the
// screen's available area, a title bar included, in logical pixels.
QSize WindowRoom(const QWidget& window);

// Before a top-level window is shown: cuts it down to WindowRoom where it is larger, and moves
// it into the available area where it was placed (move()) partly outside. A dialog left
// unplaced is centred within the area by Qt.
void KeepWithinScreen(QWidget& window);

}  // namespace tilvara::ui
