// The main window's events: start-up, clicks on the cells and Label1, menu commands and
// closing; the phase every handler checks; the invariants between events.
#include "game/game.h"

#include <cassert>

#include "game/texts.h"

namespace tilvara {

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

// ---------------------------------------------------------------- start-up

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

// ---------------------------------------------------------------- selection

void Game::Image2_Click(int Index) {
    const Entry entry(*this, Entry::NotDuringRemoval);  // a click during a removal is dropped
    if (!entry) return;
    if (Index < 0 || Index > CellCount || !view_.Image2[Index].visible) return;
    const Cell clicked = CellOf(Index);
    // The keyboard goes on from where the mouse was; the template is no cell of the field.
    if (Index != 0) {
        view_.cursor.row = clicked.row;
        view_.cursor.col = clicked.col;
    }

    if (!hasSelection) {
        selIndex = Index;
        selCol = clicked.col;
        selRow = clicked.row;
        SetFace(Index, board(selRow, selCol), true);
        return EndClick(false);
    }
    SearchLinkPaths(board, link, selRow, selCol, clicked.row, clicked.col);
    if (link.Found() && board(selRow, selCol) == board(clicked.row, clicked.col)) {
        // The path shows now; the pair goes on the third tick of Timer3 (AdvanceRemoval).
        removal_ = Removal{Index, clicked.row, clicked.col, link.Length(), tickCount, dealCount_};
        phase_ = Phase::Removing;
        ShowPath(selRow, selCol, clicked.row, clicked.col);
        return;
    }
    CloseAttempt(Index, false);
}

// The end of every second click that got this far: the search's outputs back at rest and
// the first tile's face normal again; without a removal the clicked tile is selected.
void Game::CloseAttempt(int Index, bool removed) {
    link.Rest();
    const Cell sel = CellOf(selIndex);
    SetFace(selIndex, board(sel.row, sel.col), false);
    selIndex = 0;
    if (!removed) {
        const Cell clicked = CellOf(Index);
        SetFace(Index, board(clicked.row, clicked.col), true);
        selIndex = Index;
        selCol = clicked.col;
        selRow = clicked.row;
        hasSelection = false;
    }
    EndClick(removed);
}

// What every click on a shown picture ends with: the tiles left in the caption.
void Game::EndClick(bool removed) {
    if (removed) tilesLeft -= 2;
    hasSelection = !hasSelection;
    link.linkFlag = LinkFlag::line;
    view_.caption = texts::Num(tilesLeft);
    // Only the removal of the last pair ends a level: a click on the template of an empty
    // board must not end it again.
    if (removed && tilesLeft == 0) EndLevel();
}

// ---------------------------------------------------------------- commands

void Game::exit_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    if (removal_) AbandonRemoval();
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

void Game::Message(std::string_view text, std::function<void()> then) {
    if (phase_ == Phase::Closed) return;  // never after the window has gone
    ++openMessages_;
    showingMessage_ = true;
    host_.ShowMessage(text, [this, then = std::move(then)] { MessageClosed(then); });
    showingMessage_ = false;
}

// A removal waits for every box above it, so each closing may let it go on.
void Game::MessageClosed(const std::function<void()>& then) {
    assert(!showingMessage_);  // the rest of the handler that showed it has yet to run
    const Entry entry(*this, Entry::AnyTime);
    --openMessages_;
    if (!entry) return;
    if (then) then();
    AdvanceRemoval();
}

void Game::SetFace(int index, int kind, bool highlighted) {
    view_.Image2[index].face = {kind, highlighted};
}

bool Game::IsConsistent() const {
    if (!board.BorderEmpty() || !link.AtRest() || CountSet() > 1 || removal_ || openMessages_ < 0)
        return false;
    const BoardCursor& cursor = view_.cursor;
    if (cursor.row < 1 || cursor.row > Rows || cursor.col < 1 || cursor.col > Cols ||
        cursor.shown != (phase_ != Phase::BeforeFirstDeal))
        return false;
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
    view_.cursor.shown = true;
}

}  // namespace tilvara
