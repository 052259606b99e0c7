// Dealing: the sorted layout of start-up and the shuffled deal that starts every level.
#include "game/main_form.h"

#include <algorithm>

#include "game/texts.h"
#include "game/window_layout.h"

namespace tilvara {

namespace {

bool Multiple(int n, int d) { return n % d == 0; }

}  // namespace

// Fills the field with kinds 1..36 in reading order, four rounds, and places the pictures
// by walking the cells, each next to the one before.
void MainForm::LayOutSorted(bool createPictures) {
    const CellPicture& tmpl = view_.Image2[0];
    double x = tmpl.left + tmpl.width;
    double y = tmpl.top;
    int k = 1;
    for (int row = 1; row <= Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            const int n = IndexOf(row, col);
            CellPicture& pic = view_.Image2[n];
            if (createPictures) pic = CellPicture{};  // a copy of the template, hidden
            pic.face = {k, false};
            pic.width = FaceWidth;
            pic.height = FaceHeight;
            board(row, col) = k;
            k = Multiple(n, Kinds) ? 1 : k + 1;
            pic.left = x;
            x = Multiple(n, Cols) ? tmpl.left + tmpl.width : pic.left + pic.width;
            pic.top = y;
            if (Multiple(n, Cols)) y = pic.top + pic.height;
        }
    }
}

// A cell of the field drawn at random, row first, after mixing the time into the generator.
Cell MainForm::DrawCell() {
    random_.Reseed(clock_.Now());
    const int r = std::min(Rows, static_cast<int>(Rows * random_.Next()) + 1);
    const int c = std::min(Cols, static_cast<int>(Cols * random_.Next()) + 1);
    return {r, c};
}

// Kinds and faces of two cells change places, the faces through the scratch picture.
void MainForm::ExchangeCells(Cell here, Cell target) {
    CellPicture& a = view_.Image2[IndexOf(here.row, here.col)];
    CellPicture& b = view_.Image2[IndexOf(target.row, target.col)];
    view_.Image3 = b.face;
    b.face = a.face;
    a.face = view_.Image3;
    std::swap(board(here.row, here.col), board(target.row, target.col));
}

void MainForm::NewGame() {
    if (phase_ == Phase::Closed) return;
    // A pair on its way out belongs to the old board: its path goes with it.
    if (removal_) AbandonRemoval();
    view_.startLine.caption.clear();  // the field is dealt: nothing left to explain
    ShowPlayLabels(true);
    view_.FindItem("hint")->enabled = true;
    view_.FindItem("hint11")->enabled = true;
    SetTimer(TimerId::Timer4, false);
    view_.Image10.left = ClockBarLeft;
    view_.Image10.width = ClockBarWidth;
    view_.Label3.caption = texts::ScorePrefix + texts::Num(totalScore);
    hintsLeft = HintsPerDeal;
    reshufflesLeft = ReshufflesPerDeal;
    view_.Label2.caption = texts::Num(hintsLeft) + texts::HintsSuffix;
    view_.Label4.caption = texts::Num(reshufflesLeft) + texts::ReshufflesSuffix;
    SetTimer(TimerId::Timer4, true);
    ShowClock();
    tilesLeft = CellCount;
    LayOutSorted(false);

    // Each cell swaps with a cell drawn from the whole field, in reading order; faces and
    // kinds swap together, the faces through the scratch picture.
    for (int i = 1; i <= Rows; ++i) {
        for (int j = 1; j <= Cols; ++j) {
            ExchangeCells(Cell{i, j}, DrawCell());
            view_.Image2[IndexOf(i, j)].visible = true;
        }
    }
    startTime = clock_.SteadyNow();  // the wall clock may be set during the level
    const CellPicture& pic113 = view_.Image2[IndexOf(7, 5)];
    view_.Label3.box.top = pic113.top + 2.5 * pic113.height;
    view_.Label1.box.top = view_.Label3.box.top;
    ClearModes();
    if (phase_ == Phase::BeforeFirstDeal) phase_ = Phase::Playing;
    view_.cursor = {1, 1, true};  // every deal starts the keyboard at the top left
    ++dealCount_;
}

}  // namespace tilvara
