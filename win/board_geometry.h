// Where the game area lands in the board window: the core's twips scaled uniformly to the
// window's device pixels and centred, each face as large as the artwork renders it.
#pragma once

#include <windows.h>

#include "game/view_state.h"

namespace tilvara::win {

// A face in device pixels at this many device pixels per design pixel: the cell's 39 x 49
// design pixels, rounded.
SIZE FaceSize(double ratio);

class BoardGeometry {
public:
    BoardGeometry() = default;
    // The view's design area fitted into a window of width x height device pixels.
    BoardGeometry(const ViewState& view, int width, int height);

    double Scale() const { return scale_; }
    RECT Placed(const Box& twips) const;
    // The area a cell's face covers; the template, never drawn, answers over its own box.
    RECT Picture(int index) const;
    // The picture drawn on top under a point, -1 for none (hidden pictures never answer);
    // the template only where no cell picture lies.
    int IndexAt(POINT p) const;

private:
    const ViewState* view_ = nullptr;
    double scale_ = 1;
    double left_ = 0, top_ = 0;  // the game area's corner
};

}  // namespace tilvara::win
