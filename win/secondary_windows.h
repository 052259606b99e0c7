// The program's secondary windows: lines of text and link labels laid out top to bottom, built
// from the core's texts and rules. The rules window (first at start-up, later as help), the
// about box, and the message boxes (win_host.cpp).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/secondary_windows.h"
#include "win/artwork.h"

namespace tilvara::win {

class TextWindow {
public:
    virtual ~TextWindow();
    HWND Window() const { return window_; }

protected:
    struct Item {
        std::string control;  // the core's name for it, handed back on a click
        std::string text;
        int pixels = 14;  // character height in design pixels
        bool bold = false;
        COLORREF colour = RGB(32, 28, 24);
        bool link = false;
        bool sameLine = false;  // right of the item before, not below it
        bool panel = false;     // in the advertising panel's box
        int gapBefore = 6;
        bool besidePicture = false;  // right of the window's picture, not under it
        HFONT font = nullptr;
        RECT at{};
    };

    // Makes the window (hidden) with its caption; `okButton` adds a button so captioned.
    void Create(const std::string& caption, HWND owner, const char* okButton);
    // Lays the items out for the window's scale, smaller where the screen is too small, and
    // sizes the window, centred over `over` (or the screen) and kept on the screen.
    void Place(std::vector<Item> items, HWND over);
    static void AddAdPanel(std::vector<Item>& items, int gapBefore);
    virtual void OnClick(const std::string& control) = 0;
    virtual void OnKey() {}
    virtual void OnTimer() {}
    virtual void OnClose() = 0;

    HWND window_ = nullptr;
    int width_ = 540;       // design pixels
    bool centred_ = false;  // the lines and the button centred, as in a message box
    int pictureKind_ = 0;   // a tile's face in the top left corner, for a kind 1..36

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    const Item* ItemAt(POINT p) const;
    void FreeFonts();
    SIZE Lay(UINT dpi);  // the window's size with its contents at this scale
    // Laid out for `dpi`, or smaller where that would not fit in `room`.
    SIZE Fit(UINT dpi, const RECT& room);
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    std::vector<Item> items_;
    HWND ok_ = nullptr;
    HFONT buttonFont_ = nullptr;
    std::string pressed_;
    UINT dpi_ = 96;     // the scale of the monitor the window is on
    int panelPad_ = 0;  // round the advertising panel's items, at the scale laid out for
    std::unique_ptr<Artwork> art_;
    RECT picture_{};
};

// Opens first and starts the game when it closes; later opened again as help.
class RulesWindow final : public TextWindow {
public:
    explicit RulesWindow(std::function<void()> firstClosed);
    void Open(HWND over);  // at start-up (over nothing) or as help over the main window

private:
    void Lay(HWND over);
    void OnClick(const std::string& control) override;
    void OnKey() override { Close(); }
    void OnTimer() override;
    void OnClose() override { Close(); }
    void Close();

    tilvara::RulesWindow rules_;
    std::function<void()> firstClosed_;
    HWND over_ = nullptr;
};

// Window-modal over the main window, made afresh for each opening; the clock goes on behind.
void OpenAbout(HWND over);

}  // namespace tilvara::win
