// The board's pictures with GDI+: the bare tile, the tile pictures and the clock, each from its
// build-time rendering for the scale in use, copied 1:1 at 100, 125, 150, 200 and 300 % and
// shrunk from the next larger one at any other scale, so nothing is ever enlarged and blurred.
#include "win/artwork.h"

#include <objidl.h>
#include <shlwapi.h>
// GDI+'s headers use min and max unqualified.
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <cmath>
#include <memory>

namespace tilvara::win {

namespace {

using namespace Gdiplus;

constexpr double PictureLeft = 2.5, PictureTop = 7.5;
constexpr int RenderingCount = static_cast<int>(std::size(RenderedScales));

int Round(double x) { return static_cast<int>(std::floor(x + 0.5)); }

std::unique_ptr<Bitmap> LoadRendering(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (!found) return nullptr;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    IStream* stream = SHCreateMemStream(data, SizeofResource(module, found));
    if (!stream) return nullptr;
    std::unique_ptr<Bitmap> picture(Bitmap::FromStream(stream));
    stream->Release();
    if (picture && picture->GetLastStatus() != Ok) picture.reset();
    return picture;
}

// An image into `to`: pixel for pixel where the sizes agree; else smoothly, with no blend with a
// phantom border at the edges.
void Draw(Graphics& g, Image& image, const Rect& to) {
    const bool exact = static_cast<int>(image.GetWidth()) == to.Width &&
                       static_cast<int>(image.GetHeight()) == to.Height;
    g.SetInterpolationMode(exact ? InterpolationModeNearestNeighbor
                                 : InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(PixelOffsetModeHalf);
    ImageAttributes clamp;
    clamp.SetWrapMode(WrapModeTileFlipXY);
    g.DrawImage(&image, to, 0, 0, image.GetWidth(), image.GetHeight(), UnitPixel, &clamp);
}

// The rendering of the art whose renderings start at `firstId` that suits `to`, drawn into it.
void DrawRendering(Graphics& g, int firstId, SIZE design, const Rect& to) {
    if (const auto rendering = LoadRendering(firstId + SourceFor(design, {to.Width, to.Height})))
        Draw(g, *rendering, to);
}

// A piece of the board's art at this scale, on nothing.
std::unique_ptr<Bitmap> Rendered(BoardArt art, double ratio) {
    const SIZE design = BoardArtSize[static_cast<int>(art)];
    const SIZE size = DevicePixels(design, ratio);
    auto image = std::make_unique<Bitmap>(size.cx, size.cy, PixelFormat32bppPARGB);
    Graphics g(image.get());
    g.Clear(Color(0, 0, 0, 0));
    DrawRendering(g, BoardArtId(art, 0), design, Rect(0, 0, size.cx, size.cy));
    return image;
}

}  // namespace

GdiPlus::GdiPlus() {
    GdiplusStartupInput input;
    GdiplusStartup(&token_, &input, nullptr);
}

GdiPlus::~GdiPlus() { GdiplusShutdown(token_); }

SIZE DevicePixels(SIZE design, double ratio) {
    return {std::max(1, Round(design.cx * ratio)), std::max(1, Round(design.cy * ratio))};
}

int SourceFor(SIZE design, SIZE wanted) {
    int index = 0;
    for (; index + 1 < RenderingCount; ++index) {
        const SIZE rendered = DevicePixels(design, RenderedScales[index]);
        if (rendered.cx >= wanted.cx && rendered.cy >= wanted.cy) break;
    }
    return index;
}

POINT PictureCorner(double ratio) {
    return {Round(PictureLeft * ratio), Round(PictureTop * ratio)};
}

Artwork::Artwork(double ratio, COLORREF ground) : ratio_(ratio), ground_(ground) {}

Artwork::~Artwork() {
    for (auto& [key, bitmap] : faces_) DeleteObject(bitmap);
}

void Artwork::PaintClock(HDC dc, const RECT& backing, const RECT& bar, bool warning) {
    if (!groove_) groove_ = Rendered(BoardArt::Clock, ratio_);
    if (bar_.empty()) {
        // The last seconds' red lies over the bar at 200/255, as on the desktop.
        const auto blend = [](int below, int red) { return (red * 200 + below * 55 + 127) / 255; };
        const auto rows = Rendered(BoardArt::Bar, ratio_);
        for (UINT y = 0; y < rows->GetHeight(); ++y) {
            Color c;
            rows->GetPixel(0, y, &c);
            bar_.push_back(RGB(c.GetR(), c.GetG(), c.GetB()));
            warningBar_.push_back(
                RGB(blend(c.GetR(), 230), blend(c.GetG(), 40), blend(c.GetB(), 30)));
        }
    }
    {
        Graphics g(dc);
        Draw(g, *groove_,
             Rect(backing.left, backing.top, groove_->GetWidth(), groove_->GetHeight()));
    }
    // The bar keeps its rendered height; only its width follows the clock.
    const std::vector<COLORREF>& rows = warning ? warningBar_ : bar_;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const RECT row{bar.left, bar.top + static_cast<LONG>(y), bar.right,
                       bar.top + static_cast<LONG>(y) + 1};
        SetDCBrushColor(dc, rows[y]);
        FillRect(dc, &row, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
}

HBITMAP Artwork::Face(int kind, bool highlighted) {
    HBITMAP& face = faces_[{kind, highlighted}];
    if (face) return face;
    if (!tile_) tile_ = Rendered(BoardArt::Tile, ratio_);
    const SIZE size = DevicePixels(BoardArtSize[static_cast<int>(BoardArt::Tile)], ratio_);
    Bitmap canvas(size.cx, size.cy, PixelFormat32bppPARGB);
    Graphics g(&canvas);
    const Color ground(255, GetRValue(ground_), GetGValue(ground_), GetBValue(ground_));
    g.Clear(ground);
    Draw(g, *tile_, Rect(0, 0, size.cx, size.cy));
    const SIZE picture = DevicePixels({PictureSide, PictureSide}, ratio_);
    const POINT corner = PictureCorner(ratio_);
    DrawRendering(g, PictureId(kind, 0), {PictureSide, PictureSide},
                  Rect(corner.x, corner.y, picture.cx, picture.cy));
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
    canvas.GetHBITMAP(ground, &face);
    return face;
}

}  // namespace tilvara::win
