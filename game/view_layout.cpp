// Path bands, the status lines' order, the focus frame and the clock's reading.
#include "game/view_layout.h"

#include "game/texts.h"
#include "game/window_layout.h"

namespace tilvara {

namespace {

PathBand BandOf(const Piece& piece, bool across) {
    const double half = (across ? piece.height : piece.width) / 2;
    const Box box =
        across ? Box{piece.left - half, piece.top - half, piece.width + 2 * half, piece.height}
               : Box{piece.left - half, piece.top - half, piece.width, piece.height + 2 * half};
    return {box, piece.visible};
}

}  // namespace

std::array<PathBand, 4> PathBands(const ViewState& view) {
    return {BandOf(view.Image4, true), BandOf(view.Image6, true), BandOf(view.Image5, false),
            BandOf(view.Image7, false)};
}

std::array<const Label*, 4> StatusLabels(const ViewState& view) {
    return {&view.Label4, &view.Label2, &view.Label3, &view.Label1};
}

Box CursorFrame(const ViewState& view) {
    const CellPicture& pic = view.Image2[IndexOf(view.cursor.row, view.cursor.col)];
    return {pic.left - CursorFrameWidth, pic.top - CursorFrameWidth,
            pic.width + 2 * CursorFrameWidth, pic.height + 2 * CursorFrameWidth};
}

int ClockSeconds(const ViewState& view) { return ClockSecondsLeft(view.Image10.width); }

std::string ClockValue(const ViewState& view) { return std::to_string(ClockSeconds(view)) + "秒"; }

std::string PageTitle(const ViewState& view) {
    if (view.caption == texts::AppTitle) return view.caption;
    return view.caption + " · " + texts::AppTitle;
}

const std::string& BoardDescription(const ViewState& view) { return view.startLine.caption; }

}  // namespace tilvara
