// The room a window has on its screen, and keeping a window within it.
#pragma once

#include <QSize>
#include <functional>

class QWidget;

namespace tilvara::ui {

// The largest size a top-level window of `window`'s screen can take and still lie within the
// screen's available area, a title bar included, in logical pixels.
QSize WindowRoom(const QWidget& window);

// Before a top-level window is shown: scales its content down (fonts, fixed sizes, margins and
// spacings) until it fits WindowRoom, as the game area is scaled to its window, and moves it
// into the available area where it was placed (move()) partly outside. A dialog left unplaced
// is centred within the area by Qt. `refit` lays out again what the window sizes from its
// fonts itself.
void KeepWithinScreen(QWidget& window, const std::function<void()>& refit = {});
// The same within any room: what the tests check.
void FitWithin(QWidget& window, QSize room, const std::function<void()>& refit = {});

}  // namespace tilvara::ui
