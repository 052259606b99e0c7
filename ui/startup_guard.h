// Start-up checks that turn a missing display or a bad scale factor into one clear line.
#pragma once

namespace tilvara::ui {

// Drops a QT_SCALE_FACTOR, or a QT_SCREEN_SCALE_FACTORS with an entry, that is not a finite
// number from 0.1 to 8 (Qt would open no window and never end, or giant ones), and a
// QT_SCREEN_SCALE_FACTORS that scales a screen below 0.1 or above 8 times QT_SCALE_FACTOR,
// with a one-line warning each.
void IgnoreBadScaleFactors();

// Holds back Qt's messages while it exists. If Qt gives up on its platform plugin meanwhile
// (no display, unknown platform), one line says why and the program exits with status 1
// instead of aborting. Release() lets the held messages out, once the application exists.
class StartupGuard {
public:
    StartupGuard();
    ~StartupGuard();
    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;
    void Release();

private:
    bool active = true;
};

}  // namespace tilvara::ui
