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
    // A face's size in device pixels: the cell's 39 x 49 design pixels, rounded.
    SIZE FaceSize() const;
    // Kind 1..36, plain or with the selection's red frame.
    HBITMAP Face(int kind, bool highlighted);

private:
    double ratio_;
    std::map<std::pair<int, bool>, HBITMAP> faces_;
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
