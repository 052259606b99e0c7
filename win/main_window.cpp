// The main window: menus, keys, timers and painting wired to the core. Positions come from the
// core in twips, 15 to a design pixel; the whole game area is scaled uniformly to the board
// window, in device pixels, and the faces are rendered for that scale.
#include "win/main_window.h"

#include "game/secondary_windows.h"

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <utility>

#include "game/view_layout.h"
#include "win/platform.h"

namespace tilvara::win {

namespace {

constexpr wchar_t FrameClass[] = L"TilvaraMain";
constexpr wchar_t BoardClass[] = L"TilvaraBoard";
constexpr UINT FirstItem = 100;
constexpr double LabelPixels = 24;      // 18 pt at the design size, bold
constexpr double StartLinePixels = 19;  // 14 pt: quieter than the red status lines
constexpr double ClockTextPixels = 12;  // 9 pt
constexpr COLORREF LabelColour = RGB(255, 0, 0), StartLineColour = RGB(200, 200, 200);
// The focus frame: blue beside the selection's red, on the light tiles and the black board.
constexpr COLORREF CursorColour = RGB(0, 150, 255);

int Round(double x) { return static_cast<int>(std::floor(x + 0.5)); }

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Each device row (or column) takes the stripe under its centre, so the stripes stay
// hard-edged at any scale.
void PaintBand(HDC dc, const RECT& r, bool horizontal) {
    constexpr int stripes = static_cast<int>(PathBandColours.size());
    const int across = horizontal ? r.bottom - r.top : r.right - r.left;
    for (int i = 0; i < across; ++i) {
        const std::uint32_t rgb =
            PathBandColours[std::clamp((2 * i + 1) * stripes / (2 * across), 0, stripes - 1)];
        const RECT line = horizontal ? RECT{r.left, r.top + i, r.right, r.top + i + 1}
                                     : RECT{r.left + i, r.top, r.left + i + 1, r.bottom};
        Fill(dc, line, RGB(rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff));
    }
}

void RegisterClasses() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = FrameClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassExW(&wc);
    wc.lpszClassName = BoardClass;
    wc.hbrBackground = nullptr;  // painted whole, from a back buffer
    wc.style = CS_DBLCLKS;
    RegisterClassExW(&wc);
}

}  // namespace

MainWindow::MainWindow(std::function<void(HWND)> openHelp, std::function<void(HWND)> openAbout)
    : openHelp_(std::move(openHelp)), openAbout_(std::move(openAbout)) {
    RegisterClasses();
    frame_ = CreateWindowExW(0, FrameClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                             CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    board_ =
        CreateWindowExW(0, BoardClass, Wide(texts::access::Board).c_str(), WS_CHILD | WS_VISIBLE, 0,
                        0, 0, 0, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
    for (HWND window : {frame_, board_})
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc));
    SetWindowLongPtrW(board_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoardProc));
    host_ = std::make_unique<WinHost>(frame_, [this] {
        Refresh();
        FocusBoard();
    });
    game_ = std::make_unique<Game>(*host_, random_, clock_);
    game_->Form_Load();
    accessible_ = NewBoardAccessible(board_, this);
    BuildMenus();
    FitScreen();
    Layout();
    Refresh();
}

MainWindow::~MainWindow() {
    Detach(accessible_);
    if (IsWindow(frame_)) DestroyWindow(frame_);
    host_.reset();  // its boxes go before the game
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(labelFont_), static_cast<HGDIOBJ>(startFont_),
                           static_cast<HGDIOBJ>(clockFont_), static_cast<HGDIOBJ>(backBuffer_)})
        if (object) DeleteObject(object);
}

void MainWindow::Show() {
    ShowWindow(frame_, SW_SHOW);
    SetForegroundWindow(frame_);
    FocusBoard();
}

void MainWindow::FocusBoard() {
    if (game_->Unloaded() || !IsWindowVisible(frame_) || !IsWindowEnabled(frame_)) return;
    SetFocus(board_);
}

void MainWindow::BuildMenus() {
    HMENU bar = CreateMenu();
    for (const Menu& menu : game_->View().menus) {
        HMENU popup = CreatePopupMenu();
        for (const MenuItem& item : menu.items) {
            AppendMenuW(popup, MF_STRING, FirstItem + items_.size(), Wide(item.caption).c_str());
            items_.push_back(item.name);
        }
        AppendMenuW(bar, MF_POPUP | (menu.enabled ? 0 : MF_GRAYED),
                    reinterpret_cast<UINT_PTR>(popup), Wide(menu.caption).c_str());
    }
    SetMenu(frame_, bar);
}

// The design size, unless the screen's free area is smaller: then as large as fits.
void MainWindow::FitScreen() {
    const Box& client = game_->View().client;
    const UINT dpi = DpiOf(frame_);
    RECT frame{0, 0, Round(client.width / TwipsPerPixel * dpi / 96),
               Round(client.height / TwipsPerPixel * dpi / 96)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(frame_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& room = monitor.rcWork;
    const int w = std::min<int>(frame.right - frame.left, room.right - room.left);
    const int h = std::min<int>(frame.bottom - frame.top, room.bottom - room.top);
    SetWindowPos(frame_, nullptr, room.left + (room.right - room.left - w) / 2,
                 room.top + (room.bottom - room.top - h) / 2, w, h, SWP_NOZORDER);
}

void MainWindow::Layout() {
    RECT client;
    GetClientRect(frame_, &client);
    MoveWindow(board_, 0, 0, client.right, client.bottom, TRUE);
    const double before = geometry_.Scale();
    geometry_ = BoardGeometry(game_->View(), client.right, client.bottom);
    const double scale = geometry_.Scale();
    if (scale != before || !art_) {
        art_ = std::make_unique<Artwork>(scale);
        for (HFONT font : {labelFont_, startFont_, clockFont_})
            if (font) DeleteObject(font);
        labelFont_ = GameFont(Round(LabelPixels * scale), true);
        clockFont_ = GameFont(Round(ClockTextPixels * scale), true);
        startFont_ = GameFont(Round(StartLinePixels * scale), false);
    }
    painted_ = Placements();
}

RECT MainWindow::CellOnScreen(int index) const {
    RECT r = geometry_.Picture(index);
    MapWindowPoints(board_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int MainWindow::CellAt(POINT screen) const {
    ScreenToClient(board_, &screen);
    return std::max(0, geometry_.IndexAt(screen));
}

void MainWindow::PressCell(int index) {
    game_->Image2_Click(index);
    Refresh();
}

void MainWindow::OnMenu(std::size_t item) {
    if (item >= items_.size()) return;
    switch (game_->Menu_Click(items_[item])) {
        case MenuAnswer::OpenHelp: openHelp_(frame_); break;
        case MenuAnswer::OpenAbout: openAbout_(frame_); break;
        default: FocusBoard(); break;  // a new deal, say, is played on the board
    }
    if (!game_->Unloaded()) Refresh();
}

bool MainWindow::OnKey(WPARAM key, LPARAM flags) {
    // The core's key codes are the window's virtual-key codes; bit 30 marks a held key's
    // repeats, which the core drops where they mean nothing.
    const KeyAnswer answer = game_->Form_KeyDown(static_cast<int>(key), (flags & (1 << 30)) != 0);
    if (game_->Unloaded()) return true;
    if (answer == KeyAnswer::OpenFirstMenu) {
        // As a press of F10 itself does on Windows, with the first menu opened at once.
        PostMessageW(frame_, WM_SYSCOMMAND, SC_KEYMENU, 0);
        PostMessageW(frame_, WM_KEYDOWN, VK_DOWN, 0);
    }
    Refresh();
    return answer != KeyAnswer::NotMine;
}

MainWindow::Placement MainWindow::Placements() const {
    const ViewState& view = game_->View();
    Placement placed;
    const std::array<PathBand, 4> bands = PathBands(view);
    for (std::size_t i = 0; i < bands.size(); ++i)
        if (bands[i].visible) placed.bands[i] = geometry_.Placed(bands[i].box);
    // A line's text may run past its box: to the board's right edge, and lower.
    RECT client;
    GetClientRect(board_, &client);
    std::size_t n = 0;
    for (const Label* label : StatusLabels(view)) {
        const RECT r = geometry_.Placed(label->box);
        placed.labels[n++] = {r.left, r.top, client.right, r.bottom + (r.bottom - r.top)};
    }
    if (view.cursor.framed) placed.cursor = geometry_.Placed(CursorFrame(view));
    return placed;
}

// Repaints exactly what the core says changed, and tells screen readers about it.
void MainWindow::Refresh() {
    if (game_->Unloaded()) return;
    const ViewChanges changes = game_->TakeChanges();
    if (!changes.Any()) return;
    const ViewState& view = game_->View();
    if (changes.caption) SetWindowTextW(frame_, Wide(view.caption).c_str());
    if (changes.menus) {
        HMENU bar = GetMenu(frame_);
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const MenuItem* item = view.FindItem(items_[i]);
            EnableMenuItem(bar, FirstItem + i,
                           MF_BYCOMMAND | (item && item->enabled ? MF_ENABLED : MF_GRAYED));
        }
    }
    const auto repaint = [this](const RECT& r) { InvalidateRect(board_, &r, FALSE); };
    for (int i = 1; i <= CellCount; ++i) {
        if (changes.cells[i]) repaint(geometry_.Picture(i));
        if (changes.named[i]) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, board_, OBJID_CLIENT, i);
        if (changes.selected[i]) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, board_, OBJID_CLIENT, i);
    }
    // From the first deal every cell is on show: a screen reader reads the board afresh.
    if (changes.cellsShown) NotifyWinEvent(EVENT_OBJECT_REORDER, board_, OBJID_CLIENT, 0);
    const Placement before = std::exchange(painted_, Placements());
    if (changes.pieces) {
        for (std::size_t i = 0; i < painted_.bands.size(); ++i) {
            repaint(before.bands[i]);
            repaint(painted_.bands[i]);
        }
    }
    if (changes.clock) {
        for (const Box& box : {view.Image9, view.Image10, view.levelLine.box, view.clockText.box})
            repaint(geometry_.Placed(box));
    }
    for (std::size_t i = 0; i < painted_.labels.size(); ++i) {
        if (!changes.labels[i]) continue;
        repaint(before.labels[i]);
        repaint(painted_.labels[i]);
    }
    if (changes.startLine) repaint(geometry_.Placed(view.startLine.box));
    if (changes.cursor) {
        repaint(before.cursor);
        repaint(painted_.cursor);
        // Within the board, the cursor's cell has the focus: a screen reader follows it.
        if (BoardHasFocus() && view.cursor.shown)
            NotifyWinEvent(EVENT_OBJECT_FOCUS, board_, OBJID_CLIENT,
                           IndexOf(view.cursor.row, view.cursor.col));
    }
}

LRESULT CALLBACK MainWindow::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnFrame(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::BoardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnBoard(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::OnFrame(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: Layout(); return 0;
        case WM_TIMER:
            if (wParam >= 1 && wParam <= TimerCount && !game_->Unloaded()) {
                game_->Tick(static_cast<TimerId>(wParam - 1));
                Refresh();
            }
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0 && lParam == 0) OnMenu(LOWORD(wParam) - FirstItem);
            return 0;
        case WM_SETFOCUS: FocusBoard(); return 0;
        case WM_GETMINMAXINFO: {
            // Below about 60 % the pictures stop being recognisable.
            const UINT dpi = DpiOf(frame_);
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {Scaled(480, dpi), Scaled(340, dpi)};
            return 0;
        }
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(frame_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            // Closing the window is quitting, as Esc is.
            if (!game_->Unloaded()) game_->exit_Click();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (OnKey(wParam, lParam)) return 0;
            break;
        default: break;
    }
    return DefWindowProcW(frame_, message, wParam, lParam);
}

LRESULT MainWindow::OnBoard(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(board_, &ps);
            Paint(dc, ps.rcPaint);
            EndPaint(board_, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const RECT label1 = geometry_.Placed(game_->View().Label1.box);
            pressed_ = geometry_.IndexAt(p);
            pressedLabel1_ = PtInRect(&label1, p);
            SetCapture(board_);
            SetFocus(board_);
            return 0;
        }
        case WM_LBUTTONUP: {
            // A click is a press and a release on the same picture.
            ReleaseCapture();
            const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const RECT label1 = geometry_.Placed(game_->View().Label1.box);
            const int pressed = std::exchange(pressed_, -1);
            const bool pressedLabel1 = std::exchange(pressedLabel1_, false);
            if (pressed >= 0 && geometry_.IndexAt(p) == pressed) {
                PressCell(pressed);
            } else if (pressedLabel1 && PtInRect(&label1, p)) {
                game_->Label1_Click();
                Refresh();
            }
            return 0;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (OnKey(wParam, lParam)) return 0;
            break;
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            // Only the focus frame changes with the focus; with it, the cursor's cell has it.
            const ViewState& view = game_->View();
            InvalidateRect(board_, &painted_.cursor, FALSE);
            if (message == WM_SETFOCUS && view.cursor.shown)
                NotifyWinEvent(EVENT_OBJECT_FOCUS, board_, OBJID_CLIENT,
                               IndexOf(view.cursor.row, view.cursor.col));
            return 0;
        }
        case WM_GETOBJECT: {
            const LRESULT answer = Answer(accessible_, wParam, lParam);
            if (answer) return answer;
            break;
        }
        default: break;
    }
    return DefWindowProcW(board_, message, wParam, lParam);
}

void MainWindow::Paint(HDC target, const RECT& exposed) {
    RECT client;
    GetClientRect(board_, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    HDC dc = CreateCompatibleDC(target);
    if (!backBuffer_ || backSize_.cx != client.right || backSize_.cy != client.bottom) {
        if (backBuffer_) DeleteObject(backBuffer_);
        backBuffer_ = CreateCompatibleBitmap(target, client.right, client.bottom);
        backSize_ = {client.right, client.bottom};
    }
    const HGDIOBJ oldBitmap = SelectObject(dc, backBuffer_);
    IntersectClipRect(dc, exposed.left, exposed.top, exposed.right, exposed.bottom);
    Fill(dc, client, RGB(0, 0, 0));
    const ViewState& view = game_->View();

    HDC faces = CreateCompatibleDC(target);
    const SIZE size = FaceSize(geometry_.Scale());
    for (int i = 1; i <= CellCount; ++i) {
        const CellPicture& pic = view.Image2[i];
        if (!pic.visible || pic.face.kind < 1) continue;
        const HGDIOBJ old = SelectObject(faces, art_->Face(pic.face.kind, pic.face.highlighted));
        const RECT r = geometry_.Picture(i);
        BitBlt(dc, r.left, r.top, size.cx, size.cy, faces, 0, 0, SRCCOPY);
        SelectObject(faces, old);
    }
    DeleteDC(faces);

    // Path pieces over the tiles.
    const std::array<PathBand, 4> bands = PathBands(view);
    for (std::size_t i = 0; i < bands.size(); ++i)
        if (bands[i].visible) PaintBand(dc, geometry_.Placed(bands[i].box), i < 2);

    // The focus frame, over tiles and path alike, while the keyboard drives the board.
    if (view.cursor.shown && view.cursor.framed && BoardHasFocus()) {
        const RECT outer = geometry_.Placed(CursorFrame(view));
        const RECT inner = geometry_.Picture(IndexOf(view.cursor.row, view.cursor.col));
        Fill(dc, {outer.left, outer.top, outer.right, inner.top}, CursorColour);
        Fill(dc, {outer.left, inner.bottom, outer.right, outer.bottom}, CursorColour);
        Fill(dc, {outer.left, inner.top, inner.left, inner.bottom}, CursorColour);
        Fill(dc, {inner.right, inner.top, outer.right, inner.bottom}, CursorColour);
    }
    art_->PaintClock(dc, geometry_.Placed(view.Image9), geometry_.Placed(view.Image10),
                     view.clockWarning);
    PaintTexts(dc);
    BitBlt(target, exposed.left, exposed.top, exposed.right - exposed.left,
           exposed.bottom - exposed.top, dc, exposed.left, exposed.top, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
}

void MainWindow::PaintTexts(HDC dc) {
    const ViewState& view = game_->View();
    SetBkMode(dc, TRANSPARENT);
    // On the clock strip, white on a black shadow over the bar: the level left, seconds right.
    const HGDIOBJ old = SelectObject(dc, clockFont_);
    const int shadow = std::max(1, Round(geometry_.Scale()));
    for (const auto& [label, align] :
         {std::pair{&view.levelLine, DT_LEFT}, {&view.clockText, DT_RIGHT}}) {
        for (const auto& [offset, colour] :
             {std::pair{shadow, RGB(0, 0, 0)}, {0, RGB(255, 255, 255)}}) {
            RECT box = geometry_.Placed(label->box);
            OffsetRect(&box, offset, offset);
            SetTextColor(dc, colour);
            DrawTextW(dc, Wide(label->caption).c_str(), -1, &box,
                      align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    if (!view.startLine.caption.empty()) {
        // The prompt: on a dark band where tiles lie under it.
        RECT field = geometry_.Placed(view.startLine.box), ink = field;
        const std::wstring text = Wide(view.startLine.caption);
        SelectObject(dc, startFont_);
        DrawTextW(dc, text.c_str(), -1, &ink, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const int pad = Round(8 * geometry_.Scale()), h = ink.bottom - ink.top;
        RECT band{field.left, (field.top + field.bottom - h) / 2 - pad, field.right, 0};
        band.bottom = band.top + h + 2 * pad;
        bool overTiles = false;
        for (int i = 1; i <= CellCount && !overTiles; ++i) {
            RECT r = geometry_.Picture(i), both;
            overTiles = view.Image2[i].visible && IntersectRect(&both, &r, &band);
        }
        if (overTiles) Fill(dc, band, RGB(0, 0, 0));
        SetTextColor(dc, StartLineColour);
        DrawTextW(dc, text.c_str(), -1, &field,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    // Over a path along the border, never over the tiles: a glyph that reaches into the first
    // row stays under them.
    const int saved = SaveDC(dc);
    const RECT grid{geometry_.Picture(1).left, geometry_.Picture(1).top,
                    geometry_.Picture(CellCount).right, geometry_.Picture(CellCount).bottom};
    ExcludeClipRect(dc, grid.left, grid.top, grid.right, grid.bottom);
    SelectObject(dc, labelFont_);
    SetTextColor(dc, LabelColour);
    for (const Label* label : StatusLabels(view)) {
        if (label->caption.empty() || !label->visible) continue;
        RECT box = geometry_.Placed(label->box);
        DrawTextW(dc, Wide(label->caption).c_str(), -1, &box,
                  DT_LEFT | DT_TOP | DT_NOCLIP | DT_NOPREFIX | DT_SINGLELINE);
    }
    RestoreDC(dc, saved);
    SelectObject(dc, old);
}

}  // namespace tilvara::win
