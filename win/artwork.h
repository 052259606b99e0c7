// The board's pictures for one scale (device pixels per design pixel): tile faces, each the bare
// tile with a picture on it, rendered once and kept as opaque bitmaps on the ground they are
// drawn on, so painting a board is 144 plain copies; and the clock's groove and bar.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace Gdiplus {
class Bitmap;
}

namespace tilvara::win {

// Every picture is rendered at build time from its SVG (win/tools/render_art.py) for 100, 125,
// 150, 200 and 300 %, and drawn 1:1 at those scales. At another scale it is shrunk from the next
// larger rendering, never enlarged (beyond 300 % only).
inline constexpr double RenderedScales[] = {1, 1.25, 1.5, 2, 3};

// The board's art in assets/board, in the order of its resource ids, and each one's SVG size in
// design pixels: a face, the clock's backing, and the clock's bar (stretched sideways).
enum class BoardArt { Tile, Clock, Bar };
inline constexpr SIZE BoardArtSize[] = {{39, 49}, {306, 21}, {43, 16}};
// A tile picture's side in design pixels.
inline constexpr int PictureSide = 31;

// The resource holding a rendering: `index` is one of RenderedScales'.
constexpr int BoardArtId(BoardArt art, int index) {
    return 900 + 8 * static_cast<int>(art) + index;
}
constexpr int PictureId(int kind, int index) { return 1000 + 8 * kind + index; }

// A design size at `ratio` device pixels per design pixel, each side rounded half up, as the
// build renders it.
SIZE DevicePixels(SIZE design, double ratio);
// Which rendering (an index of RenderedScales) an image of `design` pixels drawn `wanted`
// device pixels large comes from: the smallest that is at least as large both ways.
int SourceFor(SIZE design, SIZE wanted);

// Where a face's picture starts inside the face, in device pixels.
POINT PictureCorner(double ratio);

class Artwork {
public:
    // `ground` shows round the tile's rounded corners: the board's black, or a window's paper.
    explicit Artwork(double ratio, COLORREF ground = RGB(0, 0, 0));
    ~Artwork();
    Artwork(const Artwork&) = delete;
    Artwork& operator=(const Artwork&) = delete;

    double Ratio() const { return ratio_; }
    // Kind 1..36, plain or with the selection's red frame.
    HBITMAP Face(int kind, bool highlighted);
    // The clock: the groove from `backing`'s corner, and the bar that fills `bar` from the
    // right, red in a level's last seconds.
    void PaintClock(HDC dc, const RECT& backing, const RECT& bar, bool warning);

private:
    double ratio_;
    COLORREF ground_;
    std::map<std::pair<int, bool>, HBITMAP> faces_;
    // At this scale, made when first drawn.
    std::unique_ptr<Gdiplus::Bitmap> tile_, groove_;
    // The bar's rows are each one colour, so it is painted row by row at any width.
    std::vector<COLORREF> bar_, warningBar_;
};

// Starts and ends GDI+ for the program's lifetime.
class GdiPlus {
public:
    GdiPlus();
    ~GdiPlus();

private:
    ULONG_PTR token_ = 0;
};

}  // namespace tilvara::win
