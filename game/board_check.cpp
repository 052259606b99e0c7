// The hint, the board check after each removal, and reshuffles: the uses of the pair scan.
#include "game/main_form.h"

#include <algorithm>
#include <optional>

#include "game/pair_scan.h"
#include "game/texts.h"

namespace tilvara {

void MainForm::MarkPair(Cell a, Cell b) {
    SetFace(IndexOf(a.row, a.col), board(a.row, a.col), true);
    SetFace(IndexOf(b.row, b.col), board(b.row, b.col), true);
}

void MainForm::hint_Click() {
    // Not while a removal holds its path: the pair is still on the board.
    const Entry entry(*this, Entry::NotDuringRemoval);
    if (!entry || hintsLeft < 1) return;
    const std::optional<CellPair> pair = PairScan(board).FirstLinkablePair();
    if (!pair) return;
    MarkPair(pair->first, pair->second);
    --hintsLeft;
    view_.Label2.caption = texts::StillPrefix + texts::Num(hintsLeft) + texts::HintsSuffix;
}

int MainForm::CountLinkablePairs(bool mark) {
    int count = 0;
    PairScan(board).ForEachLinkablePair([&](Cell a, Cell b) {
        count += 2;  // the count of ordered pairs, as the label and the reshuffle expect
        if (mark) MarkPair(a, b);
    });
    view_.Label1.caption = texts::StillPrefix + texts::Num(count / 2) + texts::PairsSuffix;
    return count;
}

void MainForm::Timer1_Timer() {
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
        view_.Label4.caption = texts::Num(reshufflesLeft) + texts::ReshufflesSuffix;
    }
}

void MainForm::ReshufflePass() {
    for (int i = 1; i <= Rows; ++i) {
        for (int j = 1; j <= Cols; ++j) {
            if (board(i, j) == 0) continue;
            const Cell target = DrawCell();
            if (board(target.row, target.col) != 0) ExchangeCells(Cell{i, j}, target);
        }
    }
}

void MainForm::Timer2_Timer() {
    const Entry entry(*this, Entry::NotDuringRemoval);
    if (!entry) return;
    if (reshufflesLeft < 0) {
        // Off before the message, or every tick while it is open would show another.
        SetTimer(TimerId::Timer2, false);
        Prompt(texts::DeadBoardPrompt);
        Message(texts::DeadBoardLost);
        return;
    }
    ReshufflePass();
    const int count = CountLinkablePairs(revealClicks > RevealThreshold);
    if (count != 0) SetTimer(TimerId::Timer2, false);
    if (tilesLeft == 0) SetTimer(TimerId::Timer2, false);
}

void MainForm::hint11_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    if (reshufflesLeft < 1) {
        Message(texts::NoReshuffleLeft);
        return;
    }
    SetTimer(TimerId::Timer2, true);
    --reshufflesLeft;
    view_.Label4.caption = texts::Num(reshufflesLeft) + texts::ReshufflesSuffix;
}

}  // namespace tilvara
