// Timers, boxes and the program's end for the core.
#include "win/win_host.h"

#include <algorithm>

#include "game/texts.h"
#include "win/platform.h"

namespace tilvara::win {

namespace {

constexpr wchar_t BoxClass[] = L"TilvaraBox";
constexpr int MinimumWidth = 240, Margin = 20, ButtonWidth = 88, ButtonHeight = 28;
constexpr int TextPixels = 15;

struct BoxLook {
    std::wstring text;
    HFONT font;
    RECT textArea;
};

void RegisterBoxClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;  // replaced per window once its data is set
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = BoxClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

WinHost::WinHost(HWND window, std::function<void()> afterClose)
    : window_(window), afterClose_(std::move(afterClose)) {
    RegisterBoxClass();
}

WinHost::~WinHost() {
    // Boxes still open when the program ends are dropped without calling `closed`.
    for (const OpenBox& box : open_) DestroyWindow(box.window);
}

void WinHost::ShowMessage(std::string_view text, std::function<void()> closed) {
    const HWND owner = open_.empty() ? window_ : open_.back().window;
    const UINT dpi = DpiOf(owner);
    auto* look = new BoxLook{Wide(text), GameFont(Scaled(TextPixels, dpi), false), {}};

    // Measured in the box's font: as wide as the text's longest line, at least MinimumWidth.
    HDC dc = GetDC(owner);
    const HGDIOBJ old = SelectObject(dc, look->font);
    RECT measured{0, 0, Scaled(480, dpi), 0};
    DrawTextW(dc, look->text.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    SelectObject(dc, old);
    ReleaseDC(owner, dc);
    const int margin = Scaled(Margin, dpi);
    const int width = std::max<int>(Scaled(MinimumWidth, dpi), measured.right + 2 * margin);
    const int buttonTop = margin + measured.bottom + margin;
    look->textArea = {margin, margin, width - margin, margin + measured.bottom};
    RECT frame{0, 0, width, buttonTop + Scaled(ButtonHeight, dpi) + margin};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);

    // Centred over its owner.
    RECT over;
    GetWindowRect(owner, &over);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    const HWND box =
        CreateWindowExW(WS_EX_DLGMODALFRAME, BoxClass, Wide(texts::MessageTitle).c_str(), style,
                        (over.left + over.right - w) / 2, (over.top + over.bottom - h) / 2, w, h,
                        owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(look));
    SetPropW(box, L"TilvaraHost", this);
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc));
    const HWND ok =
        CreateWindowExW(0, L"BUTTON", Wide(texts::OkButton).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                        (width - Scaled(ButtonWidth, dpi)) / 2, buttonTop, Scaled(ButtonWidth, dpi),
                        Scaled(ButtonHeight, dpi), box, reinterpret_cast<HMENU>(IDOK),
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(look->font), FALSE);
    MarkDialog(box);

    // Window-modal: the owner (the main window or the box below) takes no input meanwhile.
    open_.push_back({box, owner, std::move(closed)});
    Block(owner, true);
    ShowWindow(box, SW_SHOW);
    SetFocus(ok);
}

LRESULT CALLBACK WinHost::BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* look = reinterpret_cast<BoxLook*>(GetWindowLongPtrW(box, GWLP_USERDATA));
    auto* host = static_cast<WinHost*>(GetPropW(box, L"TilvaraHost"));
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) host->Close(box);
            return 0;
        case WM_CLOSE: host->Close(box); return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(box, &ps);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            const HGDIOBJ old = SelectObject(dc, look->font);
            RECT area = look->textArea;
            DrawTextW(dc, look->text.c_str(), -1, &area, DT_WORDBREAK | DT_CENTER);
            SelectObject(dc, old);
            EndPaint(box, &ps);
            return 0;
        }
        case WM_NCDESTROY:
            DeleteObject(look->font);
            delete look;
            RemovePropW(box, L"TilvaraHost");
            RemovePropW(box, L"TilvaraDialog");
            break;
        default: break;
    }
    return DefWindowProcW(box, message, wParam, lParam);
}

// From the box's own message: the event loop, never inside ShowMessage.
void WinHost::Close(HWND box) {
    const auto found = std::find_if(open_.begin(), open_.end(),
                                    [box](const OpenBox& open) { return open.window == box; });
    if (found == open_.end()) return;
    OpenBox closing = std::move(*found);
    open_.erase(found);
    // The owner first, so that Windows hands it the activation as the box goes.
    Block(closing.owner, false);
    DestroyWindow(box);
    if (closing.closed) closing.closed();
    if (afterClose_) afterClose_();
}

void WinHost::SetTimer(TimerId id, bool on) {
    const UINT_PTR timer = static_cast<UINT_PTR>(id) + 1;
    if (on)
        ::SetTimer(window_, timer, TimerInterval(id), nullptr);  // restarts a running one
    else
        KillTimer(window_, timer);
}

void WinHost::Unload() {
    for (int t = 0; t < TimerCount; ++t) KillTimer(window_, t + 1);
    // Only hidden here: the core's handler that asked is still on the stack; the window and
    // the game go once the message loop has ended.
    ShowWindow(window_, SW_HIDE);
    PostQuitMessage(0);
}

}  // namespace tilvara::win
