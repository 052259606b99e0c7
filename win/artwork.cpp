// Tile faces drawn with GDI+: an ivory tile in two slabs, and on it the picture rendered at
// build time at the sizes 100, 125, 150, 200 and 300 % need, copied 1:1 at those and shrunk
// from the next larger one at any other scale, so no face is ever enlarged and blurred.
#include "win/artwork.h"

#include "win/board_geometry.h"

#include <objidl.h>
#include <shlwapi.h>
// GDI+'s headers use min and max unqualified.
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <array>
#include <cmath>
#include <memory>

namespace tilvara::win {

namespace {

using namespace Gdiplus;

constexpr double PictureLeft = 2.5, PictureTop = 7.5, PictureSize = 31;
constexpr double SlabStep = 1.5, Corner = 4.5;

int Round(double x) { return static_cast<int>(std::floor(x + 0.5)); }

// Resource id 1000 + 8 * kind + the index in RenderedSides (win/tools/render_art.py).
std::unique_ptr<Bitmap> LoadPicture(int kind, int sizeIndex) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1000 + 8 * kind + sizeIndex), RT_RCDATA);
    if (!found) return nullptr;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    IStream* stream = SHCreateMemStream(data, SizeofResource(module, found));
    if (!stream) return nullptr;
    std::unique_ptr<Bitmap> picture(Bitmap::FromStream(stream));
    stream->Release();
    if (picture && picture->GetLastStatus() != Ok) picture.reset();
    return picture;
}

void RoundedRect(GraphicsPath& path, RectF r, REAL radius) {
    const REAL d = std::min({radius * 2, r.Width, r.Height});
    if (d <= 0) return;
    path.AddArc(r.X, r.Y, d, d, 180, 90);
    path.AddArc(r.X + r.Width - d, r.Y, d, d, 270, 90);
    path.AddArc(r.X + r.Width - d, r.Y + r.Height - d, d, d, 0, 90);
    path.AddArc(r.X, r.Y + r.Height - d, d, d, 90, 90);
    path.CloseFigure();
}

RectF Area(const RECT& r) {
    return {REAL(r.left), REAL(r.top), REAL(r.right - r.left), REAL(r.bottom - r.top)};
}

// One slab of the tile: `shift` design pixels down and right of the top surface.
void Slab(Graphics& g, double ratio, double shift, Color top, Color bottom, Color edge,
          REAL edgeWidth) {
    const auto r = static_cast<REAL>(ratio);
    const RectF area((0.5f + shift) * r, (0.5f + shift) * r, 35 * r, 45 * r);
    GraphicsPath path;
    RoundedRect(path, area, static_cast<REAL>(Corner) * r);
    // Corner to corner, a pixel beyond: every point of the slab lies between the two ends, so
    // the gradient never wraps round to its start colour.
    LinearGradientBrush fill(PointF(area.X - 1, area.Y - 1),
                             PointF(area.X + area.Width + 1, area.Y + area.Height + 1), top,
                             bottom);
    g.FillPath(&fill, &path);
    Pen pen(edge, edgeWidth * r);
    g.DrawPath(&pen, &path);
}

}  // namespace

GdiPlus::GdiPlus() {
    GdiplusStartupInput input;
    GdiplusStartup(&token_, &input, nullptr);
}

GdiPlus::~GdiPlus() { GdiplusShutdown(token_); }

Artwork::~Artwork() {
    for (auto& [key, bitmap] : faces_) DeleteObject(bitmap);
}

POINT PictureCorner(double ratio) {
    return {Round(PictureLeft * ratio), Round(PictureTop * ratio)};
}

void PaintClock(HDC dc, const RECT& backing, const RECT& bar, double ratio, bool warning) {
    Graphics g(dc);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    GraphicsPath groove;
    RoundedRect(groove, Area(backing), REAL(5 * ratio));
    LinearGradientBrush floor(Point(0, backing.top - 1), Point(0, backing.bottom + 1),
                              Color(24, 27, 32), Color(58, 64, 74));
    g.FillPath(&floor, &groove);
    Pen rim(Color(82, 90, 102), REAL(std::max(1.0, ratio)));
    g.DrawPath(&rim, &groove);
    GraphicsPath fill;
    RoundedRect(fill, Area(bar), REAL(4 * ratio));
    LinearGradientBrush gloss(Point(0, bar.top - 1), Point(0, bar.bottom + 1), Color(255, 214, 96),
                              Color(200, 100, 0));
    g.FillPath(&gloss, &fill);
    if (warning) {
        SolidBrush red(Color(200, 230, 40, 30));
        g.FillPath(&red, &fill);
    }
}

int PictureSource(int side) {
    int index = 0;
    while (index + 1 < static_cast<int>(std::size(RenderedSides)) && RenderedSides[index] < side)
        ++index;
    return index;
}

HBITMAP Artwork::Face(int kind, bool highlighted) {
    HBITMAP& face = faces_[{kind, highlighted}];
    if (face) return face;
    const SIZE size = FaceSize(ratio_);
    Bitmap canvas(size.cx, size.cy, PixelFormat32bppPARGB);
    Graphics g(&canvas);
    g.Clear(Color(255, 0, 0, 0));
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(PixelOffsetModeHalf);
    // Lower slab, upper slab, then the top surface: warm ivory, lit from the upper left.
    Slab(g, ratio_, 2 * SlabStep, Color(200, 178, 128), Color(160, 132, 84), Color(112, 88, 48), 1);
    Slab(g, ratio_, SlabStep, Color(238, 226, 196), Color(214, 196, 152), Color(110, 150, 124, 78),
         0.75f);
    Slab(g, ratio_, 0, Color(255, 254, 248), Color(240, 230, 205), Color(140, 116, 72), 1);

    // The picture: 1:1 from the rendering made for this size, or shrunk from the next larger.
    const int side = std::max(1, Round(PictureSize * ratio_));
    const int source = PictureSource(side);
    if (const auto picture = LoadPicture(kind, source)) {
        g.SetInterpolationMode(RenderedSides[source] == side ? InterpolationModeNearestNeighbor
                                                             : InterpolationModeHighQualityBicubic);
        g.SetPixelOffsetMode(PixelOffsetModeHalf);
        const POINT corner = PictureCorner(ratio_);
        const Rect to(corner.x, corner.y, side, side);
        ImageAttributes clamp;  // no blend with a phantom border when shrinking
        clamp.SetWrapMode(WrapModeTileFlipXY);
        g.DrawImage(picture.get(), to, 0, 0, picture->GetWidth(), picture->GetHeight(), UnitPixel,
                    &clamp);
    }
    if (highlighted) {
        // Whole device pixels: a blended edge would not be pure red.
        const int w = std::max(1, Round(ratio_));
        SolidBrush red(Color(255, 255, 0, 0));
        g.SetPixelOffsetMode(PixelOffsetModeNone);
        g.FillRectangle(&red, 0, 0, size.cx, w);
        g.FillRectangle(&red, 0, size.cy - w, size.cx, w);
        g.FillRectangle(&red, 0, 0, w, size.cy);
        g.FillRectangle(&red, size.cx - w, 0, w, size.cy);
    }
    canvas.GetHBITMAP(Color(255, 0, 0, 0), &face);
    return face;
}

}  // namespace tilvara::win
