// A removal from its second click to its end, as steps the window's events drive: the path
// shows for three ticks of Timer3, then the pair goes and scores, a reward box may hold it
// until the player closes the box, then the tiles slide and the click ends.
#include <cassert>

#include "game/main_form.h"

namespace tilvara {

// Three ticks of the 50 ms counter, or fewer when the counter wraps.
bool MainForm::HoldOver() const {
    const int now = tickCount;
    return now - removal_->holdStart > 2 || now < removal_->holdStart;
}

// Takes the removal as far as it can go now. It never moves while a box is open above it:
// the box's closing calls here again.
void MainForm::AdvanceRemoval() {
    if (!removal_ || !openBoxes_.empty()) return;
    if (removal_->holding) {
        if (!HoldOver()) return;
        HidePath();
        RemovePair();
        if (!openBoxes_.empty()) return;
    }
    FinishRemoval();
}

// The pair after its hold. Nothing that changes the board runs while a removal holds it
// (clicks, hints and board checks wait; a deal ends the removal), so the two still match.
void MainForm::RemovePair() {
    Removal& r = *removal_;
    assert(board(selRow, selCol) != 0 && board(selRow, selCol) == board(r.row, r.col));
    view_.Image2[IndexOf(selRow, selCol)].visible = false;
    view_.Image2[r.index].visible = false;
    board(selRow, selCol) = 0;
    board(r.row, r.col) = 0;
    r.holding = false;
    SetTimer(TimerId::Timer1, true);
    ScoreLink(r.score);
}

// After the scoring and any reward box: the slide, then the end of the click.
void MainForm::FinishRemoval() {
    Removal r = *removal_;
    SlideAfterRemoval(*this, board, view_.Image2, selRow, selCol, r.row, r.col);
    removal_.reset();
    CloseAttempt(r.index, true);
}

// A deal, or the window closing, while a removal is at work: the pair belonged to the old
// board, so the rest of the removal is dropped at once, its path with it, and play goes on
// from the fresh board, unselected.
void MainForm::AbandonRemoval() {
    HidePath();
    link.Rest();
    hasSelection = false;
    selIndex = 0;
    removal_.reset();
}

}  // namespace tilvara
