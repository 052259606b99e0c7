// The game flow of the main window: start-up, deal, selection and removal, path display,
// scoring, hints, board checks and reshuffles, levels, clock and keys.
#include "game/game.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <optional>

#include "game/pair_scan.h"
#include "game/texts.h"
#include "game/window_layout.h"

namespace tilvara {

namespace {

std::string Num(int n) { return std::to_string(n); }

bool Multiple(int n, int d) { return n % d == 0; }

}  // namespace

std::string FormatElapsed(double days) {
    long long seconds = std::llround(days * 86400.0);
    while (seconds < 0) seconds += 86400;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

Game::Game(Host& host, Random& random, TimeOfDay& clock)
    : host_(host), random_(random), clock_(clock), view_(DesignedView()) {}

Game::Entry::Entry(const Game& game, Rule rule)
    : game_(game),
      runs_(game.phase_ != Phase::Closed &&
            !(rule == NotDuringRemoval && game.phase_ == Phase::Removing)) {}

Game::Entry::~Entry() {
    // Inside a removal the pair is half gone until its slide is done; after closing
    // nothing is kept up.
    const bool settled = game_.phase_ == Phase::BeforeFirstDeal || game_.phase_ == Phase::Playing;
    assert(!runs_ || !settled || game_.IsConsistent());
    (void)settled;
}

// ---------------------------------------------------------------- start-up and deal

void Game::Form_Load() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    view_.FindItem("hint")->enabled = false;
    view_.FindItem("hint11")->enabled = false;
    link.Rest();
    tilesLeft = CellCount;
    hintsLeft = 10;
    level = 1;
    LayOutSorted(true);
    SetTimer(TimerId::Timer3, true);
}

// Fills the field with kinds 1..36 in reading order, four rounds, and places the pictures
// by walking the cells, each next to the one before.
void Game::LayOutSorted(bool createPictures) {
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

void Game::NewGame() {
    if (phase_ == Phase::Closed) return;
    view_.FindItem("hint")->enabled = true;
    view_.FindItem("hint11")->enabled = true;
    SetTimer(TimerId::Timer4, false);
    view_.Image10.left = ClockBarLeft;
    view_.Image10.width = ClockBarWidth;
    view_.Label3.caption = texts::ScorePrefix + Num(totalScore);
    hintsLeft = HintsPerDeal;
    reshufflesLeft = ReshufflesPerDeal;
    view_.Label2.caption = Num(hintsLeft) + texts::HintsSuffix;
    view_.Label4.caption = Num(reshufflesLeft) + texts::ReshufflesSuffix;
    SetTimer(TimerId::Timer4, true);
    tilesLeft = CellCount;
    LayOutSorted(false);

    // Each cell swaps with a cell drawn from the whole field, in reading order; faces and
    // kinds swap together, the faces through the scratch picture.
    for (int i = 1; i <= Rows; ++i) {
        for (int j = 1; j <= Cols; ++j) {
            random_.Reseed(clock_.Now());
            const int r = std::min(Rows, static_cast<int>(Rows * random_.Next()) + 1);
            const int c = std::min(Cols, static_cast<int>(Cols * random_.Next()) + 1);
            CellPicture& a = view_.Image2[IndexOf(i, j)];
            CellPicture& b = view_.Image2[IndexOf(r, c)];
            view_.Image3 = b.face;
            b.face = a.face;
            a.face = view_.Image3;
            std::swap(board(i, j), board(r, c));
            a.visible = true;
        }
    }
    startTime = clock_.Now();
    const CellPicture& pic113 = view_.Image2[IndexOf(7, 5)];
    view_.Label3.box.top = pic113.top + 2.5 * pic113.height;
    view_.Label1.box.top = view_.Label3.box.top;
    ClearModes();
    if (phase_ == Phase::BeforeFirstDeal) phase_ = Phase::Playing;
    ++dealCount_;
}

// ---------------------------------------------------------------- selection and removal

void Game::Image2_Click(int Index) {
    const Entry entry(*this, Entry::NotDuringRemoval);  // a click during a hold is dropped
    if (!entry) return;
    if (Index < 0 || Index > CellCount || !view_.Image2[Index].visible) return;
    const Cell clicked = CellOf(Index);
    int row = clicked.row;
    int col = clicked.col;
    bool removed = false;

    if (!hasSelection) {
        selIndex = Index;
        selCol = col;
        selRow = row;
        SetFace(Index, board(selRow, selCol), true);
    } else {
        SearchLinkPaths(board, link, selRow, selCol, row, col);
        if (link.Found() && board(selRow, selCol) == board(row, col)) {
            const int score = link.Length();
            const unsigned deal = dealCount_;
            phase_ = Phase::Removing;
            ShowPath(selRow, selCol, row, col);
            if (phase_ == Phase::Closed || deal != dealCount_) return AbandonRemoval();
            if (board(selRow, selCol) != board(row, col)) {
                // The board changed under the path: nothing is removed, the first tile
                // stays selected, and the next search starts from rest.
                link.Rest();
                EndRemoval();
                return;
            }
            view_.Image2[IndexOf(selRow, selCol)].visible = false;
            view_.Image2[Index].visible = false;
            board(selRow, selCol) = 0;
            removed = true;
            board(row, col) = 0;
            SetTimer(TimerId::Timer1, true);
            ScoreLink(score);
            if (phase_ == Phase::Closed || deal != dealCount_) return AbandonRemoval();
            SlideAfterRemoval(*this, board, view_.Image2, selRow, selCol, row, col);
            EndRemoval();
        }

        link.Rest();
        const Cell sel = CellOf(selIndex);
        SetFace(selIndex, board(sel.row, sel.col), false);
        selIndex = 0;
        if (!removed) {
            SetFace(Index, board(row, col), true);
            selIndex = Index;
            selCol = col;
            selRow = row;
            hasSelection = false;
        }
    }

    if (removed) tilesLeft -= 2;
    hasSelection = !hasSelection;
    link.linkFlag = LinkFlag::line;
    view_.caption = Num(tilesLeft);
    // Only the removal of the last pair ends a level: a click on the template of an empty
    // board must not end it again.
    if (removed && tilesLeft == 0) EndLevel();
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
    if (phase_ == Phase::Removing) phase_ = Phase::Playing;
}

void Game::EndLevel() {
    const bool inTime = TimerOn(TimerId::Timer4);
    if (inTime) {
        ++level;
        SetTimer(TimerId::Timer4, false);
        view_.Image10.left = ClockBarLeft;
        view_.Image10.width = ClockBarWidth;
    }
    endTime = clock_.Now();
    usedTime = endTime - startTime;
    const std::string used = texts::UsedTimePrefix + FormatElapsed(usedTime);
    if (inTime) {
        Message(used + texts::NextLevelSuffix);
        if (phase_ != Phase::Closed) SetTimer(TimerId::Timer5, true);
    } else {
        Message(used + texts::NotPassedSuffix);
    }
}

// ---------------------------------------------------------------- path display

// A piece from the centre of one cell to the centre of another in the same row
// (horizontal) or column; only its length follows the segment, its thickness stays.
void Game::DrawSegment(Piece& piece, bool horizontal, int line, int from, int to) {
    if (from == to) return;
    const CellPicture& first = view_.Image2[1];
    const double x0 = first.left, y0 = first.top, w = first.width, h = first.height;
    const int lo = std::min(from, to);
    const int row = horizontal ? line : lo;
    const int col = horizontal ? lo : line;
    piece.top = static_cast<float>(y0 + (row - 1) * h + h / 2);
    piece.left = static_cast<float>(x0 + (col - 1) * w + w / 2);
    if (horizontal)
        piece.width = static_cast<float>(w * std::abs(to - from));
    else
        piece.height = static_cast<float>(h * std::abs(to - from));
    piece.visible = true;
}

void Game::DrawHLine1(int row, int colA, int colB) {
    DrawSegment(view_.Image4, true, row, colA, colB);
}
void Game::DrawHLine2(int row, int colA, int colB) {
    DrawSegment(view_.Image6, true, row, colA, colB);
}
void Game::DrawVLine1(int col, int rowA, int rowB) {
    DrawSegment(view_.Image5, false, col, rowA, rowB);
}
void Game::DrawVLine2(int col, int rowA, int rowB) {
    DrawSegment(view_.Image7, false, col, rowA, rowB);
}

void Game::ShowPath(int row1, int col1, int row2, int col2) {
    if (link.ViaColumn()) {
        const int c = link.bestCol;
        DrawHLine1(row1, c, col1);
        DrawHLine2(row2, c, col2);
        DrawVLine1(c, row1, row2);
    } else {
        const int r = link.bestRow;
        DrawVLine1(col1, r, row1);
        DrawVLine2(col2, r, row2);
        DrawHLine1(r, col1, col2);
    }
    HoldPath();
    view_.Image4.visible = false;
    view_.Image5.visible = false;
    view_.Image6.visible = false;
    view_.Image7.visible = false;
}

// Three ticks of the 50 ms counter with the window kept alive; a wrap of the counter
// ends the hold at once, and so does the window closing.
void Game::HoldPath() {
    const int start = tickCount;
    for (;;) {
        host_.ProcessEvents();
        if (phase_ == Phase::Closed) return;
        const int now = tickCount;
        if (now - start > 2 || now < start) return;
    }
}

// ---------------------------------------------------------------- scoring

void Game::ScoreLink(int score) {
    const unsigned deal = dealCount_;
    totalScore += score;
    view_.Label3.caption = texts::ScorePrefix + Num(totalScore);
    recentScore1 = recentScore2;
    recentScore2 = recentScore3;
    recentScore3 = score;
    const int sum = recentScore1 + recentScore2 + recentScore3;
    view_.Label3.caption += texts::RecentPrefix + Num(sum);
    // The reward is granted once the message is closed, for the board it was earned on.
    if (sum == 37 || sum == 38) {
        Message(texts::HintReward);
        if (phase_ == Phase::Closed || deal != dealCount_) return;
        ++hintsLeft;
        view_.Label2.caption = Num(hintsLeft) + texts::HintsSuffix;
    } else if (sum >= 39) {
        Message(texts::ReshuffleReward);
        if (phase_ == Phase::Closed || deal != dealCount_) return;
        ++reshufflesLeft;
        view_.Label4.caption = Num(reshufflesLeft) + texts::ReshufflesSuffix;
    }
}

// ---------------------------------------------------------------- hint, board check, reshuffle

void Game::MarkPair(Cell a, Cell b) {
    SetFace(IndexOf(a.row, a.col), board(a.row, a.col), true);
    SetFace(IndexOf(b.row, b.col), board(b.row, b.col), true);
}

void Game::hint_Click() {
    // Not while a removal holds its path: the pair is still on the board.
    const Entry entry(*this, Entry::NotDuringRemoval);
    if (!entry || hintsLeft < 1) return;
    const std::optional<CellPair> pair = PairScan(board).FirstLinkablePair();
    if (!pair) return;
    MarkPair(pair->first, pair->second);
    --hintsLeft;
    view_.Label2.caption = texts::StillPrefix + Num(hintsLeft) + texts::HintsSuffix;
}

int Game::CountLinkablePairs(bool mark) {
    int count = 0;
    PairScan(board).ForEachLinkablePair([&](Cell a, Cell b) {
        count += 2;  // the count of ordered pairs, as the label and the reshuffle expect
        if (mark) MarkPair(a, b);
    });
    view_.Label1.caption = texts::StillPrefix + Num(count / 2) + texts::PairsSuffix;
    return count;
}

void Game::Timer1_Timer() {
    // A tick during a removal is skipped; the timer stays on and the next one counts.
    const Entry entry(*this, Entry::NotDuringRemoval);
    if (!entry) return;
    const bool reveal = revealClicks > RevealThreshold;
    if (reveal)
        for (int row = 1; row <= Rows; ++row)
            for (int col = 1; col <= Cols; ++col)
                SetFace(IndexOf(row, col), board(row, col), false);
    const int count = CountLinkablePairs(reveal);
    SetTimer(TimerId::Timer1, false);
    if (count == 0 && tilesLeft != 0) {
        SetTimer(TimerId::Timer2, true);
        --reshufflesLeft;
        view_.Label4.caption = Num(reshufflesLeft) + texts::ReshufflesSuffix;
    }
}

void Game::ReshufflePass() {
    for (int i = 1; i <= Rows; ++i) {
        for (int j = 1; j <= Cols; ++j) {
            if (board(i, j) == 0) continue;
            random_.Reseed(clock_.Now());
            const int r = std::min(Rows, static_cast<int>(random_.Next() * Rows) + 1);
            const int c = std::min(Cols, static_cast<int>(random_.Next() * Cols) + 1);
            if (board(r, c) == 0) continue;
            CellPicture& target = view_.Image2[IndexOf(r, c)];
            CellPicture& here = view_.Image2[IndexOf(i, j)];
            view_.Image3 = target.face;
            target.face = here.face;
            here.face = view_.Image3;
            std::swap(board(i, j), board(r, c));
        }
    }
}

void Game::Timer2_Timer() {
    const Entry entry(*this, Entry::NotDuringRemoval);
    if (!entry) return;
    if (reshufflesLeft < 0) {
        // Off before the message, or every tick while it is open would show another.
        SetTimer(TimerId::Timer2, false);
        Message(texts::DeadBoardLost);
        return;
    }
    ReshufflePass();
    const int count = CountLinkablePairs(revealClicks > RevealThreshold);
    if (count != 0) SetTimer(TimerId::Timer2, false);
    if (tilesLeft == 0) SetTimer(TimerId::Timer2, false);
}

void Game::hint11_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    if (reshufflesLeft < 1) {
        Message(texts::NoReshuffleLeft);
        return;
    }
    SetTimer(TimerId::Timer2, true);
    --reshufflesLeft;
    view_.Label4.caption = Num(reshufflesLeft) + texts::ReshufflesSuffix;
}

// ---------------------------------------------------------------- levels and clock

void Game::hard1_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    NewGame();
    level = 1;
    totalScore = 0;
    view_.Label3.caption = texts::ScorePrefix + Num(totalScore);
    ClearModes();
}

void Game::StartLevel(int n) {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    NewGame();
    level = n;
    ClearModes();
    slideUp = n == 2;
    slideDown = n == 3;
    slideLeft = n == 4;
    slideRight = n == 5;
    slideToMiddleV = n == 6;
    slideToMiddleH = n == 7;
}

void Game::Timer5_Timer() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    SetTimer(TimerId::Timer5, false);
    if (level >= 2 && level <= LastLevel) {
        StartLevel(level);
    } else if (level == LastLevel + 1) {
        Message(texts::AllCleared);
    }
}

void Game::Timer4_Timer() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    view_.Image10.left -= 10;
    view_.Image10.width += 10;
    if (view_.Image10.width > ClockFullWidth) {
        SetTimer(TimerId::Timer4, false);
        view_.Image10.left = ClockBarLeft;
        view_.Image10.width = ClockBarWidth;
        Message(texts::TimeUp);
    }
}

void Game::Timer3_Timer() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    ++tickCount;
    if (tickCount > 999999) tickCount = 1;
}

// ---------------------------------------------------------------- keys and commands

void Game::Form_KeyDown(int keyCode) {
    switch (keyCode) {
        case KeyEscape: exit_Click(); break;
        case KeyF1: hint_Click(); break;
        case KeyF2: hint11_Click(); break;
        default: break;
    }
}

void Game::exit_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    phase_ = Phase::Closed;
    for (int t = 0; t < TimerCount; ++t) SetTimer(static_cast<TimerId>(t), false);
    host_.Unload();
}

void Game::Label1_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (entry) ++revealClicks;
}

bool Game::Menu_Click(std::string_view item) {
    const Entry entry(*this, Entry::AnyTime);
    const MenuItem* menuItem = view_.FindItem(item);
    if (!entry || menuItem == nullptr || !menuItem->enabled) return false;
    if (item == "hard1")
        hard1_Click();
    else if (item == "hint")
        hint_Click();
    else if (item == "hint11")
        hint11_Click();
    else if (item == "exit")
        exit_Click();
    else
        return false;
    return true;
}

// ---------------------------------------------------------------- helpers

void Game::SetTimer(TimerId id, bool on) {
    view_.timers[static_cast<int>(id)] = on;
    host_.SetTimer(id, on);
}

void Game::Message(std::string_view text) {
    if (phase_ != Phase::Closed) host_.ShowMessage(text);  // never after the window has gone
}

void Game::SetFace(int index, int kind, bool highlighted) {
    view_.Image2[index].face = {kind, highlighted};
}

bool Game::IsConsistent() const {
    if (!board.BorderEmpty() || !link.AtRest() || CountSet() > 1) return false;
    int counts[Kinds + 1] = {};
    int tiles = 0;
    for (int row = 1; row <= Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            const int kind = board(row, col);
            if (kind < 0 || kind > Kinds) return false;
            ++counts[kind];
            tiles += kind != 0;
            if (phase_ != Phase::BeforeFirstDeal &&
                view_.Image2[IndexOf(row, col)].visible != (kind != 0))
                return false;
        }
    }
    for (int kind = 1; kind <= Kinds; ++kind)
        if (counts[kind] % 2 != 0) return false;
    return tiles == tilesLeft;
}

void Game::PlaceBoard(const Board& newBoard) {
    board = newBoard;
    tilesLeft = board.CountTiles();
    for (int row = 1; row <= Rows; ++row) {
        for (int col = 1; col <= Cols; ++col) {
            CellPicture& pic = view_.Image2[IndexOf(row, col)];
            pic.face = {board(row, col), false};
            pic.visible = board(row, col) != 0;
        }
    }
    if (phase_ == Phase::BeforeFirstDeal) phase_ = Phase::Playing;
}

}  // namespace tilvara
