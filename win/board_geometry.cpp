// Twips to device pixels for the board window.
#include "win/board_geometry.h"

#include <algorithm>
#include <cmath>

#include "win/artwork.h"

namespace tilvara::win {

namespace {

int Round(double x) { return static_cast<int>(std::floor(x + 0.5)); }

}  // namespace

SIZE FaceSize(double ratio) {
    return DevicePixels(BoardArtSize[static_cast<int>(BoardArt::Tile)], ratio);
}

BoardGeometry::BoardGeometry(const ViewState& view, int width, int height) : view_(&view) {
    const double w = view.client.width / TwipsPerPixel, h = view.client.height / TwipsPerPixel;
    scale_ = std::max(0.05, std::min(width / w, height / h));
    // Kept exact: rounding it apart from the edges would leave one margin two pixels wider.
    left_ = (width - w * scale_) / 2;
    top_ = (height - h * scale_) / 2;
}

RECT BoardGeometry::Placed(const Box& twips) const {
    const double s = scale_ / TwipsPerPixel;
    return {Round(left_ + twips.left * s), Round(top_ + twips.top * s),
            Round(left_ + (twips.left + twips.width) * s),
            Round(top_ + (twips.top + twips.height) * s)};
}

RECT BoardGeometry::Picture(int index) const {
    const CellPicture& pic = view_->Image2[index];
    const RECT r = Placed({pic.left, pic.top, pic.width, pic.height});
    if (index == 0) return r;
    const SIZE size = FaceSize(scale_);
    return {r.left, r.top, r.left + size.cx, r.top + size.cy};
}

int BoardGeometry::IndexAt(POINT p) const {
    // Later pictures are drawn over earlier ones: the topmost answers; the template last.
    for (int i = CellCount; i >= 0; --i) {
        const RECT r = Picture(i);
        if (view_->Image2[i].visible && PtInRect(&r, p)) return i;
    }
    return -1;
}

}  // namespace tilvara::win
