// The rules window and the about box, drawn with GDI on a light background.
#include "win/secondary_windows.h"

#include <algorithm>
#include <utility>

#include "game/tile_pictures.h"
#include "win/board_geometry.h"
#include "win/platform.h"

namespace tilvara::win {

namespace {

constexpr wchar_t TextClass[] = L"TilvaraText";
constexpr int Margin = 22, ButtonWidth = 88, ButtonHeight = 28;
constexpr COLORREF Paper = RGB(243, 239, 230), PanelFill = RGB(250, 247, 240),
                   PanelEdge = RGB(200, 190, 170), LinkBlue = RGB(20, 90, 190),
                   Quiet = RGB(110, 104, 94);
constexpr UINT_PTR Timer1 = 1;
constexpr int PictureGap = 18;  // between the picture and the lines beside it
// WM_GETDPISCALEDSIZE: Windows 10 1703's, which the headers hide from a program for Windows 7.
constexpr UINT GetDpiScaledSize = 0x02E4;

}  // namespace

TextWindow::~TextWindow() {
    FreeFonts();
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void TextWindow::Create(const std::string& caption, HWND owner, const char* okButton) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = TextClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, TextClass, Wide(caption).c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                              width_, 400, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (okButton) {
        ok_ = CreateWindowExW(0, L"BUTTON", Wide(okButton).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 10, 10,
                              window_, reinterpret_cast<HMENU>(IDOK), GetModuleHandleW(nullptr),
                              nullptr);
        MarkDialog(window_);
    }
}

void TextWindow::FreeFonts() {
    for (Item& item : items_)
        if (item.font) DeleteObject(std::exchange(item.font, nullptr));
    if (buttonFont_) DeleteObject(std::exchange(buttonFont_, nullptr));
}

namespace {

RECT WorkArea(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

}  // namespace

void TextWindow::Place(std::vector<Item> items, HWND over) {
    FreeFonts();
    items_ = std::move(items);
    const RECT room = WorkArea(MonitorFromWindow(over ? over : window_, MONITOR_DEFAULTTONEAREST));
    // Before it shows, a window takes the scale of the one it opens over; laid out again while
    // showing (the countdown), it keeps that of the monitor it has been moved to since.
    const bool showing = IsWindowVisible(window_);
    if (!showing) dpi_ = DpiOf(over ? over : window_);
    const SIZE size = Fit(dpi_, room);
    // Centred over the window it opens over; laid out again while showing, it stays where the
    // player has moved it.
    RECT around = room;
    if (showing) {
        GetWindowRect(window_, &around);
        around.right = around.left + size.cx;
        around.bottom = around.top + size.cy;
    } else if (over) {
        GetWindowRect(over, &around);
    }
    const int left = (around.left + around.right - size.cx) / 2;
    const int top = (around.top + around.bottom - size.cy) / 2;
    SetWindowPos(window_, nullptr, std::clamp<int>(left, room.left, room.right - size.cx),
                 std::clamp<int>(top, room.top, std::max<int>(room.top, room.bottom - size.cy)),
                 size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

SIZE TextWindow::Fit(UINT dpi, const RECT& room) {
    // A small screen at a large scale: the content shrinks until the window fits on it.
    SIZE size = Lay(dpi);
    while ((size.cx > room.right - room.left || size.cy > room.bottom - room.top) && dpi > 48)
        size = Lay(dpi = dpi * 15 / 16);
    return size;
}

// Moved to a monitor of another scale: the text is measured afresh in fonts made for it, and
// the window takes the size that text needs where Windows suggests it go. WM_GETDPISCALEDSIZE
// has told Windows that size, so the two agree unless the new monitor is too small.
void TextWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    const SIZE size = Fit(dpi, WorkArea(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST)));
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

SIZE TextWindow::Lay(UINT dpi) {
    FreeFonts();
    const int margin = Scaled(Margin, dpi), right = Scaled(width_, dpi) - margin;
    panelPad_ = Scaled(8, dpi);
    // The picture is drawn at this scale, so that it is as crisp as the text beside it.
    art_.reset();
    picture_ = {margin, margin, margin, margin};
    if (pictureKind_) {
        art_ = std::make_unique<Artwork>(dpi / 96.0, Paper);
        const SIZE face = FaceSize(art_->Ratio());
        picture_ = {margin, margin, margin + face.cx, margin + face.cy};
    }
    const int besideLeft = picture_.right + (art_ ? Scaled(PictureGap, dpi) : 0);
    HDC dc = GetDC(window_);
    int y = margin;
    RECT last{margin, margin, margin, margin};
    for (Item& item : items_) {
        if (!item.besidePicture) y = std::max<int>(y, picture_.bottom);
        const int inset = item.panel ? Scaled(12, dpi) : 0;
        item.font = GameFont(Scaled(item.pixels, dpi), item.bold);
        if (item.link) {
            LOGFONTW face;
            GetObjectW(item.font, sizeof face, &face);
            face.lfUnderline = TRUE;
            DeleteObject(item.font);
            item.font = CreateFontIndirectW(&face);
        }
        const HGDIOBJ old = SelectObject(dc, item.font);
        const int left = item.sameLine        ? last.right + Scaled(4, dpi)
                         : item.besidePicture ? besideLeft
                                              : margin + inset;
        const int top = item.sameLine ? last.top : y + Scaled(item.gapBefore, dpi);
        RECT r{left, top, right - inset, top};
        DrawTextW(dc, Wide(item.text).c_str(), -1, &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        SelectObject(dc, old);
        if (centred_) OffsetRect(&r, (right + margin - r.right - r.left) / 2, 0);
        item.at = r;
        y = std::max<int>(y, r.bottom + (item.panel ? Scaled(4, dpi) : 0));
        last = r;
    }
    ReleaseDC(window_, dc);
    if (ok_) {
        buttonFont_ = GameFont(Scaled(14, dpi), false);
        SendMessageW(ok_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
        y += Scaled(12, dpi);
        const int button = Scaled(ButtonWidth, dpi);
        MoveWindow(ok_, centred_ ? (right + margin - button) / 2 : right - button, y, button,
                   Scaled(ButtonHeight, dpi), FALSE);
        y += Scaled(ButtonHeight, dpi);
    }
    RECT frame{0, 0, Scaled(width_, dpi), y + margin};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// Both windows carry the advertising panel: its heading and three link labels.
void TextWindow::AddAdPanel(std::vector<Item>& items, int gapBefore) {
    items.push_back({"Label8", AdHeading(), 13, true, Quiet, false, false, true, gapBefore});
    for (const auto& [control, text] : {std::pair{"Label5", texts::ads::Label5},
                                        {"Label6", texts::ads::Label6},
                                        {"Label7", texts::ads::Label7}})
        items.push_back({control, text, 14, false, LinkBlue, true, false, true, 4});
}

const TextWindow::Item* TextWindow::ItemAt(POINT p) const {
    for (const Item& item : items_)
        if (PtInRect(&item.at, p)) return &item;
    return nullptr;
}

void TextWindow::Paint(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    SetDCBrushColor(dc, Paper);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    // The advertising panel: one box round its items.
    RECT panel{};
    for (const Item& item : items_)
        if (item.panel) UnionRect(&panel, &panel, &item.at);
    if (!IsRectEmpty(&panel)) {
        const int pad = panelPad_;
        SelectObject(dc, GetStockObject(DC_PEN));
        SetDCPenColor(dc, PanelEdge);
        SetDCBrushColor(dc, PanelFill);
        RoundRect(dc, panel.left - pad, panel.top - pad, client.right - panel.left + pad,
                  panel.bottom + pad, pad, pad);
    }
    if (art_) {
        HDC face = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(face, art_->Face(pictureKind_, false));
        BitBlt(dc, picture_.left, picture_.top, picture_.right - picture_.left,
               picture_.bottom - picture_.top, face, 0, 0, SRCCOPY);
        SelectObject(face, old);
        DeleteDC(face);
    }
    SetBkMode(dc, TRANSPARENT);
    for (const Item& item : items_) {
        const HGDIOBJ old = SelectObject(dc, item.font);
        SetTextColor(dc, item.link ? LinkBlue : item.colour);
        RECT r = item.at;
        DrawTextW(dc, Wide(item.text).c_str(), -1, &r,
                  DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | (centred_ ? DT_CENTER : 0));
        SelectObject(dc, old);
    }
}

LRESULT CALLBACK TextWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TextWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            self->Paint(BeginPaint(window, &ps));
            EndPaint(window, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: self->Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        // Per-monitor awareness: the scale of the monitor the window is moved to. Windows 10
        // 1703 on asks for the size first.
        case GetDpiScaledSize:
            *reinterpret_cast<SIZE*>(lParam) = self->Lay(LOWORD(wParam));
            return TRUE;
        case WM_DPICHANGED:
            self->OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETCURSOR: {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(window, &at);
            const Item* item = self->ItemAt(at);
            if (LOWORD(lParam) != HTCLIENT || !item || !item->link) break;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        // A click is a press and a release on the same item.
        case WM_LBUTTONDOWN: {
            const Item* item = self->ItemAt(p);
            self->pressed_ = item ? item->control : "Form";
            return 0;
        }
        case WM_LBUTTONUP: {
            const Item* item = self->ItemAt(p);
            const std::string control = item ? item->control : "Form";
            if (control == std::exchange(self->pressed_, "")) self->OnClick(control);
            return 0;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam == VK_MENU || wParam == VK_F10) return 0;
            self->OnKey();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) self->OnClose();
            return 0;
        case WM_TIMER: self->OnTimer(); return 0;
        case WM_CLOSE: self->OnClose(); return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---------------------------------------------------------------- the rules window

RulesWindow::RulesWindow(std::function<void()> firstClosed) : firstClosed_(std::move(firstClosed)) {
    Create(texts::splash::Caption, nullptr, nullptr);
}

void RulesWindow::Lay(HWND over) {
    namespace s = texts::splash;
    std::vector<Item> items;
    items.push_back({"lblCompanyProduct", s::lblCompanyProduct, 22, true});
    items.push_back({"Label4", s::Label4, 14, false, Quiet});
    // Each rule line breaks where its run of blanks is.
    for (const auto& [control, text] : s::RuleLines) {
        int gap = 10;
        for (std::string_view part : RuleLineParts(text)) {
            items.push_back({control, std::string(part), 15});
            items.back().gapBefore = gap;
            gap = 2;
        }
    }
    items.push_back({"lblStart", rules_.StartLine(), 15, true, RGB(150, 30, 20)});
    items.back().gapBefore = 14;
    if (const int seconds = rules_.SecondsToClose())
        items.push_back({"lblStart", s::Countdown(seconds), 13, false, Quiet});
    AddAdPanel(items, 26);
    Place(std::move(items), over);
}

void RulesWindow::Open(HWND over) {
    over_ = over;
    rules_.Form_Load();
    if (rules_.Timer1On()) SetTimer(window_, Timer1, tilvara::RulesWindow::Timer1Interval, nullptr);
    // As help it is modal to the main window.
    SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(over));
    Lay(over);
    Block(over, true);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(window_);
}

void RulesWindow::OnClick(const std::string& control) {
    if (tilvara::RulesWindow::ClosesOnClick(control)) {
        Close();
        return;
    }
    OpenLink(LinkAddress(AdTarget(control)));
}

void RulesWindow::OnTimer() {
    if (rules_.Tick()) return Close();
    Lay(over_);  // the countdown
}

void RulesWindow::Close() {
    if (!IsWindowVisible(window_)) return;
    KillTimer(window_, Timer1);
    Block(over_, false);
    ShowWindow(window_, SW_HIDE);
    if (rules_.Form_Unload()) {
        firstClosed_();
    } else if (over_) {
        SetForegroundWindow(over_);
        SetFocus(over_);
    }
}

// ---------------------------------------------------------------- the about box

namespace {

class AboutBox final : public TextWindow {
public:
    explicit AboutBox(HWND over) : over_(over) {
        namespace a = texts::about;
        Create(a::Caption, over, a::cmdOK);
        pictureKind_ = AboutPictureKind;
        std::vector<Item> items;
        items.push_back({"lblTitle", a::lblTitle, 26, true});
        items.push_back({"lblDescription", a::lblDescription, 14});
        items.push_back({"Label4", a::Label4, 14});
        items.back().gapBefore = 12;
        items.push_back({"Label3", SiteHost, 14, false, LinkBlue, true, true});
        items.push_back({"Label2", a::Label2, 14});
        items.push_back({"Label1", a::Label1, 14, false, LinkBlue, true, true});
        // The title and the contacts stand beside the game's picture, as on the desktop.
        for (Item& item : items) item.besidePicture = true;
        AddAdPanel(items, 24);
        items.push_back({"lblDisclaimer", a::lblDisclaimer, 12, false, Quiet});
        items.back().gapBefore = 22;
        Place(std::move(items), over);
        Block(over, true);
        ShowWindow(window_, SW_SHOW);
        SetFocus(GetDlgItem(window_, IDOK));
    }

private:
    void OnClick(const std::string& control) override {
        for (const char* link : AboutLinks) {
            if (control != link) continue;
            const std::string caption = control == "Label1" ? texts::about::Label1 : SiteHost;
            OpenLink(LinkAddress(AboutLinkTarget(control, caption)));
        }
    }
    void OnClose() override {
        Block(over_, false);
        SetForegroundWindow(over_);
        delete this;  // its window goes with it
    }

    HWND over_;
};

}  // namespace

void OpenAbout(HWND over) { new AboutBox(over); }

}  // namespace tilvara::win
