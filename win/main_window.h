// The main window: the menu bar the core describes, and the board child window that paints the
// view state, takes the mouse and the keys, and answers screen readers.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "win/artwork.h"
#include "win/board_accessible.h"
#include "win/board_geometry.h"
#include "win/win_host.h"

namespace tilvara::win {

class MainWindow final : public AccessibleBoard {
public:
    // `openHelp` and `openAbout` open those windows over this one.
    MainWindow(std::function<void(HWND)> openHelp, std::function<void(HWND)> openAbout);
    ~MainWindow() override;

    HWND Frame() const { return frame_; }
    void Show();
    // The board takes the keys whenever no box or window is over the main window.
    void FocusBoard();

    // AccessibleBoard
    const ViewState& View() const override { return game_->View(); }
    RECT CellOnScreen(int index) const override;
    int CellAt(POINT screen) const override;
    bool BoardHasFocus() const override { return GetFocus() == board_; }
    void PressCell(int index) override;

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK BoardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnFrame(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnBoard(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnKey(WPARAM key, LPARAM flags);
    void BuildMenus();
    void OnMenu(std::size_t item);
    void Refresh();
    void FitScreen();
    void Layout();
    void Paint(HDC dc, const RECT& exposed);
    void PaintTexts(HDC dc);

    std::function<void(HWND)> openHelp_, openAbout_;
    SystemRandom random_;
    SystemClock clock_;
    HWND frame_ = nullptr;
    HWND board_ = nullptr;
    std::unique_ptr<WinHost> host_;
    std::unique_ptr<Game> game_;
    std::vector<std::string> items_;  // menu command id - FirstItem -> the core's item name
    BoardAccessible* accessible_ = nullptr;
    BoardGeometry geometry_;
    std::unique_ptr<Artwork> art_;
    HFONT labelFont_ = nullptr, startFont_ = nullptr, clockFont_ = nullptr;
    HBITMAP backBuffer_ = nullptr;
    SIZE backSize_{};
    int pressed_ = -1;
    bool pressedLabel1_ = false;
    // Where the elements that move were last placed, so that a change repaints the old place.
    struct Placement {
        std::array<RECT, 4> bands{};
        std::array<RECT, 4> labels{};
        RECT cursor{};
    };
    Placement Placements() const;
    Placement painted_;
};

}  // namespace tilvara::win
