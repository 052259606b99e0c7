// A removal from its second click to its end, as steps the window's events drive: the path
// shows for three ticks of Timer3, then the pair goes and scores, a reward box may hold it
// until the player closes the box, then the tiles slide and the click ends.
#include "game/game.h"

namespace tilvara {

// Three ticks of the 50 ms counter, or fewer when the counter wraps.
bool Game::HoldOver() const {
    const int now = tickCount;
    return now - removal_->holdStart > 2 || now < removal_->holdStart;
}

// Takes the removal as far as it can go now. It never moves while a box is open above it:
// the box's closing calls here again.
void Game::AdvanceRemoval() {
    if (!removal_ || openMessages_ > 0 || phase_ != Phase::Removing) return;
    if (removal_->holding) {
        if (!HoldOver()) return;
        HidePath();
        if (!RemovePair() || openMessages_ > 0) return;
    }
    FinishRemoval();
}

// The pair after its hold. False when the removal ended here: the board was dealt anew,
// or changed so that the two cells no longer match.
bool Game::RemovePair() {
    Removal& r = *removal_;
    if (r.deal != dealCount_) {
        AbandonRemoval();
        return false;
    }
    if (board(selRow, selCol) != board(r.row, r.col)) {
        // Nothing is removed, the first tile stays selected, and the next search starts
        // from rest.
        link.Rest();
        EndRemoval();
        return false;
    }
    view_.Image2[IndexOf(selRow, selCol)].visible = false;
    view_.Image2[r.index].visible = false;
    board(selRow, selCol) = 0;
    board(r.row, r.col) = 0;
    r.holding = false;
    SetTimer(TimerId::Timer1, true);
    ScoreLink(r.score);
    return true;
}

// After the scoring and any reward box: the slide, then the end of the click.
void Game::FinishRemoval() {
    Removal r = *removal_;
    if (r.deal != dealCount_) return AbandonRemoval();
    SlideAfterRemoval(*this, board, view_.Image2, selRow, selCol, r.row, r.col);
    EndRemoval();
    CloseAttempt(r.index, true);
}

// A new deal came while a removal was at work (or the window closed): the pair belonged
// to the old board, so the rest of the removal is dropped and play goes on from the fresh
// board, unselected.
void Game::AbandonRemoval() {
    link.Rest();
    hasSelection = false;
    selIndex = 0;
    EndRemoval();
}

// Back to play, unless the window closed meanwhile.
void Game::EndRemoval() {
    removal_.reset();
    if (phase_ == Phase::Removing) phase_ = Phase::Playing;
}

}  // namespace tilvara
