// Application-wide set-up shared by the game and its tests: Chinese fonts, names, icon.
#pragma once

class QApplication;

namespace tilvara::ui {

// Maps SimHei and the default font to a Simplified Chinese face, so every Han character
// takes its Simplified form and none shows as a box, whatever the locale.
void SetUpApplication(QApplication& app);

// Every text of the game is Chinese: without a font that has its characters, one line on
// standard error says which package to install. The game starts all the same.
void WarnWithoutChineseFont();

// The heavy CJK face of the labels: "SimHei" where installed, else its substitute.
const char* LabelFamily();

}  // namespace tilvara::ui
