// The keyboard: which keys the window answers, which of them repeat while held, and the
// board cursor that lets a game be played without a mouse.
#include <algorithm>

#include "game/main_form.h"

namespace tilvara {

namespace {

struct CursorStep {
    int key;
    int rowStep;
    int colStep;
};

constexpr CursorStep CursorSteps[] = {
    {KeyLeft, 0, -1}, {KeyUp, -1, 0}, {KeyRight, 0, 1}, {KeyDown, 1, 0}};

}  // namespace

KeyAnswer MainForm::Form_KeyDown(int keyCode, bool repeat) {
    // A held arrow walks on, as players expect; every other key acts once a press, so a
    // held Space never clicks twice and a held F1 never spends every hint.
    for (const CursorStep& step : CursorSteps) {
        if (keyCode != step.key) continue;
        MoveCursor(step.rowStep, step.colStep);
        ShowFrame();
        return KeyAnswer::Taken;
    }
    switch (keyCode) {
        case KeyEscape:
        case KeyF1:
        case KeyF2:
        case KeyF10:
        case KeySpace:
        case KeyReturn: break;
        default: return KeyAnswer::NotMine;
    }
    if (repeat) return KeyAnswer::Taken;
    switch (keyCode) {
        case KeyEscape:
            quitByKey_ = true;
            exit_Click();
            break;
        case KeyF1: hint_Click(); break;
        case KeyF2: hint11_Click(); break;
        case KeyF10: return KeyAnswer::OpenFirstMenu;
        default:
            PressCursor();
            ShowFrame();
            break;
    }
    return KeyAnswer::Taken;
}

// Over every cell, empty or not: the player may aim at a tile across a gap. Nothing else
// moves it: slides, reshuffles and removals leave it where it is.
void MainForm::MoveCursor(int rowStep, int colStep) {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry || !view_.cursor.shown) return;
    view_.cursor.row = std::clamp(view_.cursor.row + rowStep, 1, Rows);
    view_.cursor.col = std::clamp(view_.cursor.col + colStep, 1, Cols);
}

void MainForm::PressCursor() {
    if (view_.cursor.shown) ClickPicture(IndexOf(view_.cursor.row, view_.cursor.col));
}

// The keyboard drives the board now: its focus frame shows, as focus marks do once keys are
// used. A mouse player never sees it.
void MainForm::ShowFrame() {
    if (phase_ != Phase::Closed && view_.cursor.shown) view_.cursor.framed = true;
}

}  // namespace tilvara
