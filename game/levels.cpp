// Levels and the clock: starting a level, ending one, the next-level step, the countdown and the
// tick counter.
#include "game/main_form.h"

#include <cmath>
#include <cstdio>

#include "game/texts.h"
#include "game/window_layout.h"

namespace tilvara {

std::string FormatElapsed(double days) {
    const long long seconds = std::llround(days * 86400.0);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

void MainForm::hard1_Click() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    NewGame();
    level = 1;
    totalScore = 0;
    view_.Label3.caption = texts::ScorePrefix + texts::Num(totalScore);
    ClearModes();
}

void MainForm::StartLevel(int n) {
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

void MainForm::Timer5_Timer() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    SetTimer(TimerId::Timer5, false);
    if (level >= 2 && level <= LastLevel) {
        StartLevel(level);
    } else if (level == LastLevel + 1) {
        Message(texts::AllCleared);
    }
}

void MainForm::Timer4_Timer() {
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

void MainForm::Timer3_Timer() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    ++tickCount;
    if (tickCount > 999999) tickCount = 1;
    AdvanceRemoval();  // a path on show goes on its third tick
}

void MainForm::EndLevel() {
    const bool inTime = TimerOn(TimerId::Timer4);
    if (inTime) {
        ++level;
        SetTimer(TimerId::Timer4, false);
        view_.Image10.left = ClockBarLeft;
        view_.Image10.width = ClockBarWidth;
    }
    endTime = clock_.SteadyNow();
    usedTime = endTime - startTime;
    const std::string used = texts::UsedTimePrefix + FormatElapsed(usedTime);
    if (inTime) {
        // The next level starts half a second after the player has closed the box.
        Message(used + texts::NextLevelSuffix, [this] { SetTimer(TimerId::Timer5, true); });
    } else {
        Message(used + texts::NotPassedSuffix);
    }
}

}  // namespace tilvara
