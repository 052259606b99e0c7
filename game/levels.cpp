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
    ShowLevel();
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
    ShowLevel();
}

void MainForm::ShowLevel() {
    if (phase_ == Phase::Closed || level < 1 || level > LastLevel) return;
    view_.levelLine.caption =
        texts::LevelPrefix + texts::Num(level) + texts::LevelSuffix + texts::SlideNames[level - 1];
}

void MainForm::ShowClock() {
    const int seconds = ClockSecondsLeft(view_.Image10.width);
    view_.clockText.caption = texts::Num(seconds) + texts::SecondsSuffix;
    view_.clockWarning = seconds <= ClockWarningSeconds;
}

std::string MainForm::PromptText(const char* what) {
    return std::string(what) + "\n" + texts::HowToGoOn;
}

void MainForm::Prompt(const char* what) {
    view_.startLine.caption = PromptText(what);
    view_.cursor.framed = false;
}

// The field is empty and no level follows: only the score still means something.
void MainForm::ShowPlayLabels(bool shown) {
    view_.Label1.visible = view_.Label2.visible = view_.Label4.visible = shown;
}

void MainForm::Timer5_Timer() {
    const Entry entry(*this, Entry::AnyTime);
    if (!entry) return;
    SetTimer(TimerId::Timer5, false);
    if (level >= 2 && level <= LastLevel) {
        StartLevel(level);
    } else if (level == LastLevel + 1) {
        Prompt(texts::AllClearedPrompt);
        ShowPlayLabels(false);
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
        view_.clockText.caption = texts::Num(0) + texts::SecondsSuffix;
        Prompt(texts::TimeUpPrompt);
        Message(texts::TimeUp);
        return;
    }
    ShowClock();
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
        Prompt(texts::NotPassedPrompt);
        ShowPlayLabels(false);
        Message(used + texts::NotPassedSuffix);
    }
}

}  // namespace tilvara
