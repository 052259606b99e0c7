// The link check: can two cells be joined by at most three straight segments through
// empty cells (the border included), and how short is the shortest such path.
#pragma once

#include "game/board.h"

namespace tilvara {

constexpr int NoLength = 9999;  // rest value of the two lengths: no path of that form
constexpr int NoLine = 999;     // rest value of the connecting column and row

// "line" while no blocked cell has been met in the segment test under way.
enum class LinkFlag { line, noline };

// The outputs of one search. Outside a search they rest at 9999 / 999 / "line";
// every search expects them so on entry.
struct LinkOutputs {
    LinkFlag linkFlag = LinkFlag::line;
    int minLenViaCol = NoLength;
    int bestCol = NoLine;
    int minLenViaRow = NoLength;
    int bestRow = NoLine;

    bool AtRest() const {
        return linkFlag == LinkFlag::line && minLenViaCol == NoLength && bestCol == NoLine &&
               minLenViaRow == NoLength && bestRow == NoLine;
    }
    void Rest() { *this = LinkOutputs{}; }
    bool Found() const { return bestCol != NoLine || bestRow != NoLine; }
    // A tie goes to the column path.
    bool ViaColumn() const { return minLenViaCol <= minLenViaRow; }
    int Length() const { return ViaColumn() ? minLenViaCol : minLenViaRow; }
};

// Scans every connecting column (when the rows differ) and every connecting row (when the
// columns differ) upward, keeping the first of the shortest of each. Ignores tile kinds.
void SearchLinkPaths(const Board& board, LinkOutputs& out, int row1, int col1, int row2, int col2);

// True exactly when the two cells differ, hold the same kind and some path joins them.
// Works on outputs of its own, so a search whose results are still held elsewhere is
// never disturbed by it.
bool CanLink(const Board& board, int row1, int col1, int row2, int col2);

}  // namespace tilvara
