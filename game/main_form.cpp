// The main window's events: start-up, clicks on the cells and Label1, menu commands and
// closing; the phase every handler checks; the invariants between events.
#include "game/main_form.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

#include "game/texts.h"

namespace tilvara {

MainForm::MainForm(Host& host, Random& random, TimeOfDay& clock)
    : host_(host), random_(random), clock_(clock), view_(DesignedView()) {}

MainForm::Entry::Entry(const MainForm& game, Rule rule)
    : game_(game),
      runs_(game.phase_ != Phase::Closed && !(rule == NotDuringRemoval && game.removal_)) {}

MainForm::Entry::~Entry() {
    // Inside a removal the pair is half gone until its slide is done; after closing
    // nothing is kept up.
    const bool settled = game_.phase_ != Phase::Closed && !game_.removal_;
    assert(!runs_ || !settled || game_.IsConsistent());
    (void)settled;
}

// ---------------------------------------------------------------- start-up

void MainForm::Form_Load() {
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

// A click or tap on the board: the keyboard's focus frame gives way to the pointer.
void MainForm::Image2_Click(int Index) {
    if (phase_ != Phase::Closed) view_.cursor.framed = false;
    ClickPicture(Index);
}

void MainForm::ClickPicture(int Index) {
    const Entry entry(*this, Entry::NotDuringRemoval);  // a click during a removal is dropped
    if (!entry) return;
    if (Index < 0 || Index > CellCount || !view_.Image2[Index].visible) return;
    // Playing on after the clock ran out: the prompt over the board has been read.
    if (view_.startLine.caption == PromptText(texts::TimeUpPrompt)) view_.startLine.caption.clear();
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
        removal_ = Removal{Index, clicked.row, clicked.col, link.Length(), tickCount};
        ShowPath(selRow, selCol, clicked.row, clicked.col);
        return;
    }
    CloseAttempt(Index, false);
}

// The end of every second click that got this far: the search's outputs back at rest and
// the first tile's face normal again; without a removal the clicked tile is selected.
void MainForm::CloseAttempt(int Index, bool removed) {
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
void MainForm::EndClick(bool removed) {
    if (removed) tilesLeft -= 2;
    hasSelection = !hasSelection;
    link.linkFlag = LinkFlag::line;
    view_.caption = texts::Num(tilesLeft);
    // Only the removal of the last pair ends a level: a click on the template of an empty
    // board must not end it again.
    if (removed && tilesLeft == 0) EndLevel();
}

// ---------------------------------------------------------------- commands

void MainForm::exit_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    if (removal_) AbandonRemoval();
    phase_ = Phase::Closed;
    for (int t = 0; t < TimerCount; ++t) SetTimer(static_cast<TimerId>(t), false);
    host_.Unload();
}

std::string MainForm::EndedNotice() const {
    std::string notice = quitByKey_ ? texts::EndedByKey : texts::EndedByMenu;
    if (view_.levelLine.caption.empty()) return notice;  // never dealt
    return notice + texts::LevelPrefix + texts::Num(std::min(level, LastLevel)) +
           texts::EndedScore + texts::Num(totalScore) + "。";
}

void MainForm::Label1_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (entry) ++revealClicks;
}

MenuAnswer MainForm::Menu_Click(std::string_view item) {
    const Entry entry(*this, Entry::AnyTime);
    const MenuItem* menuItem = view_.FindItem(item);
    if (!entry || menuItem == nullptr || !menuItem->enabled) return MenuAnswer::NotMine;
    // The rules window and the about box are windows of the front end's own.
    if (item == "hard_help") return MenuAnswer::OpenHelp;
    if (item == "advertise" || item == "hard_about") return MenuAnswer::OpenAbout;
    if (item == "hard1")
        hard1_Click();
    else if (item == "hint")
        hint_Click();
    else if (item == "hint11")
        hint11_Click();
    else if (item == "exit")
        exit_Click();
    else
        return MenuAnswer::NotMine;
    return MenuAnswer::Taken;
}

void MainForm::Tick(TimerId id) {
    switch (id) {
        case TimerId::Timer1: return Timer1_Timer();
        case TimerId::Timer2: return Timer2_Timer();
        case TimerId::Timer3: return Timer3_Timer();
        case TimerId::Timer4: return Timer4_Timer();
        case TimerId::Timer5: return Timer5_Timer();
    }
}

ViewChanges MainForm::TakeChanges() {
    const ViewChanges changes = drawnOnce_ ? Compare(drawn_, view_) : ViewChanges::All();
    if (changes.Any()) drawn_ = view_;
    drawnOnce_ = true;
    return changes;
}

// ---------------------------------------------------------------- helpers

void MainForm::SetTimer(TimerId id, bool on) {
    view_.timers[static_cast<int>(id)] = on;
    host_.SetTimer(id, on);
}

void MainForm::Message(std::string_view text, std::function<void()> then) {
    if (phase_ == Phase::Closed) return;  // never after the window has gone
    const int box = ++lastBox_;
    openBoxes_.push_back(box);
    showingMessage_ = true;
    host_.ShowMessage(text, [this, box, then = std::move(then)] { MessageClosed(box, then); });
    showingMessage_ = false;
}

// A removal waits for every box above it, so each closing may let it go on. A box closes
// once: a second report of the same closing (two quick keys on a box a toolkit has not yet
// destroyed) would grant its reward twice.
void MainForm::MessageClosed(int box, const std::function<void()>& then) {
    assert(!showingMessage_);  // the rest of the handler that showed it has yet to run
    const auto open = std::find(openBoxes_.begin(), openBoxes_.end(), box);
    if (open == openBoxes_.end()) {
#ifndef NDEBUG
        std::fprintf(stderr, "tilvara: box %d was closed again; the closing is ignored\n", box);
#endif
        return;
    }
    const Entry entry(*this, Entry::AnyTime);
    openBoxes_.erase(open);
    if (!entry) return;
    if (then) then();
    AdvanceRemoval();
}

void MainForm::SetFace(int index, int kind, bool highlighted) {
    view_.Image2[index].face = {kind, highlighted};
}

bool MainForm::IsConsistent() const {
    if (!board.BorderEmpty() || !link.AtRest() || CountSet() > 1 || removal_) return false;
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

void MainForm::PlaceBoard(const Board& newBoard) {
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
