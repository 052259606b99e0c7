// The small rules every front end draws the view by, kept once: where a path piece's band
// lies, the order of the status lines, the focus frame, and what a screen reader is told.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/view_state.h"

namespace tilvara {

// A path piece as it is painted: a band centred on the line through the cell centres, half
// its thickness longer at each end so that the corners of a path join without a notch.
struct PathBand {
    Box box;
    bool visible = false;
};
// Across first (Image4, Image6), then down (Image5, Image7): the order they are painted in.
std::array<PathBand, 4> PathBands(const ViewState& view);
// The band's seven hard-edged stripes from one outer edge to the other, as 0xRRGGBB: yellow,
// through orange, to pure red on the path's centre line and back.
inline constexpr std::array<std::uint32_t, 7> PathBandColours = {
    0xf3c602, 0xf77d01, 0xfc3300, 0xff0000, 0xfc3300, 0xf77d01, 0xf3c602};

// The four red status lines in reading order on the screen: reshuffles, hints, score, pairs.
std::array<const Label*, 4> StatusLabels(const ViewState& view);

// The keyboard's focus frame stands this far outside the face of the cursor's cell.
constexpr double CursorFrameWidth = 3 * TwipsPerPixel;
// The outer edge of the frame around the cursor's cell.
Box CursorFrame(const ViewState& view);

// The seconds left on the level clock, as the clock's bar shows them.
int ClockSeconds(const ViewState& view);

// What assistive technology is told, beside each cell's name (CellName).
namespace texts::access {
inline constexpr const char* Board = "棋盘";
inline constexpr const char* MenuBar = "菜单栏";
inline constexpr const char* Clock = "剩余时间";
}  // namespace texts::access
// The clock's value: "452秒".
std::string ClockValue(const ViewState& view);
// A browser tab's title: the caption, and the game's name beside a count ("142 · Tilvara"),
// so that among other tabs a bare number still says what it is.
std::string PageTitle(const ViewState& view);
// The board's description: the line on the empty field, when there is one.
const std::string& BoardDescription(const ViewState& view);

}  // namespace tilvara
