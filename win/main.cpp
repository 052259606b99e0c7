// Tilvara for Windows: the rules window first, then the main window, one message loop.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <objbase.h>

#include <memory>

#include "win/artwork.h"
#include "win/main_window.h"
#include "win/platform.h"
#include "win/secondary_windows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace tilvara::win;
    // Before any window: Windows 10 takes the manifest's per-monitor awareness; this only
    // covers a system that ignored it (Vista to 8 have the system-wide kind alone).
    if (!IsProcessDPIAware()) SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    // Screen readers reach the board's accessible object through COM on this thread.
    OleInitialize(nullptr);
    const GdiPlus gdiPlus;
    // The level clock counts whole seconds on a one-second timer: at the default 15.6 ms
    // resolution each tick would come up to 15 ms late, and the clock lag seconds a level.
    timeBeginPeriod(1);

    std::unique_ptr<MainWindow> main;
    RulesWindow rules([&main] { main->Show(); });
    main = std::make_unique<MainWindow>([&rules](HWND over) { rules.Open(over); }, OpenAbout);
    rules.Open(nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Enter, Esc and Tab in the boxes and the about box, as in any dialog.
        const HWND active = GetActiveWindow();
        if (IsMarkedDialog(active) && IsDialogMessageW(active, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    main.reset();
    timeEndPeriod(1);
    OleUninitialize();
    return static_cast<int>(message.wParam);
}
