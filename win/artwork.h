// The board's pictures for one scale (device pixels per design pixel): tile faces, rendered
// once each from the pictures built into the program and kept as opaque bitmaps on the
// board's black, so painting a board is 144 plain copies.
#pragma once

#include <windows.h>

#include <map>
#include <utility>

namespace tilvara::win {

class Artwork {
public:
    explicit Artwork(double ratio) : ratio_(ratio) {}
    ~Artwork();
    Artwork(const Artwork&) = delete;
    Artwork& operator=(const Artwork&) = delete;

    double Ratio() const { return ratio_; }
    // Kind 1..36, plain or with the selection's red frame.
    HBITMAP Face(int kind, bool highlighted);

private:
    double ratio_;
    std::map<std::pair<int, bool>, HBITMAP> faces_;
};

// The pictures are rendered at build time at these sides, one for each of 100, 125, 150, 200
// and 300 %. A picture of another side is shrunk from the next larger one, never enlarged
// (beyond 300 % only).
inline constexpr int RenderedSides[] = {31, 39, 47, 62, 93};
// Which rendering a picture `side` device pixels wide is drawn from: an index of RenderedSides.
int PictureSource(int side);

// The clock: a dark groove (its backing) that the bar fills from the right, red in a
// level's last seconds.
void PaintClock(HDC dc, const RECT& backing, const RECT& bar, double ratio, bool warning);

// Where a face's picture starts inside the face, in device pixels.
POINT PictureCorner(double ratio);

// Starts and ends GDI+ for the program's lifetime.
class GdiPlus {
public:
    GdiPlus();
    ~GdiPlus();

private:
    ULONG_PTR token_ = 0;
};

}  // namespace tilvara::win
