// The Windows board's geometry and art at the scales a Windows screen has: every cell answers
// where it is drawn, the cells tile the field, and the tiles, their pictures and the clock are
// copied 1:1 from their build-time renderings at 100, 125, 150, 200 and 300 %, never enlarged
// in between; the about box draws its picture for its monitor's scale.
#include <gtest/gtest.h>
#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <cmath>
#include <memory>
#include <vector>

#include "game/tile_pictures.h"
#include "game/view_layout.h"
#include "tests/support/fake_host.h"
#include "win/artwork.h"
#include "win/board_accessible.h"
#include "win/board_geometry.h"
#include "win/platform.h"
#include "win/secondary_windows.h"

namespace tilvara::win {
namespace {

constexpr double Scales[] = {0.6, 1, 1.25, 1.37, 1.5, 1.75, 2, 2.5, 3};
constexpr double WindowsScales[] = {1, 1.25, 1.5, 2, 3};

// A dealt board: every cell shows a picture.
struct Dealt {
    test::FakeClock clock;
    test::ScriptedRandom random;
    test::FakeHost host;
    Game game{host, random, clock};
    Dealt() {
        host.game = &test::GameProbe::Form(game);
        game.Form_Load();
        game.Menu_Click("hard1");
    }
};

TEST(BoardGeometry, EveryCellAnswersAtItsCentreAndCellsAbutAtAnyScale) {
    Dealt dealt;
    const ViewState& view = dealt.game.View();
    for (const double scale : Scales) {
        SCOPED_TRACE(scale);
        // A window a little wider than the area: the area is centred in it.
        const int width = static_cast<int>(view.client.width / TwipsPerPixel * scale) + 7;
        const int height = static_cast<int>(view.client.height / TwipsPerPixel * scale);
        const BoardGeometry geometry(view, width, height);
        const RECT area = geometry.Placed(view.client);
        EXPECT_LE(std::abs(area.left - (width - area.right)), 1);
        for (int i = 1; i <= CellCount; ++i) {
            const RECT r = geometry.Picture(i);
            ASSERT_EQ(geometry.IndexAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), i);
            // Neighbours meet within a device pixel: no seam of the board shows between them.
            const Cell cell = CellOf(i);
            if (cell.col < Cols) {
                EXPECT_LE(std::abs(geometry.Picture(i + 1).left - r.right), 1);
            }
            if (cell.row < Rows) {
                EXPECT_LE(std::abs(geometry.Picture(i + Cols).top - r.bottom), 1);
            }
        }
    }
}

// Everything drawn from an SVG: a tile picture, and the board's art.
constexpr SIZE Picture{PictureSide, PictureSide};
constexpr SIZE Designs[] = {Picture, BoardArtSize[0], BoardArtSize[1], BoardArtSize[2]};

TEST(Artwork, RenderingsAreCopiedAtWindowsScalesAndNeverEnlargedBetween) {
    for (const SIZE design : Designs) {
        SCOPED_TRACE(testing::Message() << design.cx << " x " << design.cy);
        for (const double scale : WindowsScales) {
            const SIZE wanted = DevicePixels(design, scale);
            const SIZE source = DevicePixels(design, RenderedScales[SourceFor(design, wanted)]);
            EXPECT_TRUE(source.cx == wanted.cx && source.cy == wanted.cy) << scale;
        }
        for (int percent = 30; percent <= 300; ++percent) {
            const SIZE wanted = DevicePixels(design, percent / 100.0);
            const SIZE source = DevicePixels(design, RenderedScales[SourceFor(design, wanted)]);
            EXPECT_TRUE(source.cx >= wanted.cx && source.cy >= wanted.cy) << percent << " %";
        }
    }
    for (int side = 1; side <= DevicePixels(Picture, 3).cx; ++side)
        EXPECT_GE(DevicePixels(Picture, RenderedScales[SourceFor(Picture, {side, side})]).cx, side)
            << side;
}

// A rendering built into the program, as decoded from its resource.
std::unique_ptr<Gdiplus::Bitmap> Rendering(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    EXPECT_NE(found, nullptr) << id;
    if (!found) return std::make_unique<Gdiplus::Bitmap>(1, 1);
    IStream* stream =
        SHCreateMemStream(static_cast<const BYTE*>(LockResource(LoadResource(module, found))),
                          SizeofResource(module, found));
    auto png = std::make_unique<Gdiplus::Bitmap>(stream);
    stream->Release();
    return png;
}

// The build renders each SVG at the size the program draws it, and the board's art has the
// size of the box the core lays it out in.
TEST(Artwork, RenderingsHaveTheSizesTheBoardDrawsThemAt) {
    const GdiPlus gdiPlus;
    Dealt dealt;
    const ViewState& view = dealt.game.View();
    const auto px = [](double twips) { return static_cast<LONG>(twips / TwipsPerPixel); };
    const SIZE boxes[] = {{px(view.Image2[1].width), px(view.Image2[1].height)},
                          {px(view.Image9.width), px(view.Image9.height)},
                          {BoardArtSize[2].cx, px(view.Image10.height)}};
    for (int art = 0; art < 3; ++art) {
        EXPECT_EQ(BoardArtSize[art].cx, boxes[art].cx) << art;
        EXPECT_EQ(BoardArtSize[art].cy, boxes[art].cy) << art;
    }
    for (int index = 0; index < static_cast<int>(std::size(RenderedScales)); ++index) {
        const auto check = [&](int id, SIZE design) {
            const SIZE size = DevicePixels(design, RenderedScales[index]);
            const auto png = Rendering(id);
            EXPECT_TRUE(LONG(png->GetWidth()) == size.cx && LONG(png->GetHeight()) == size.cy)
                << "resource " << id << " is " << png->GetWidth() << " x " << png->GetHeight();
        };
        for (int art = 0; art < 3; ++art)
            check(BoardArtId(static_cast<BoardArt>(art), index), BoardArtSize[art]);
        for (const int kind : {1, 36}) check(PictureId(kind, index), Picture);
    }
}

// A rendering's opaque pixels: where nothing from below may show through.
std::vector<std::pair<POINT, Gdiplus::ARGB>> OpaquePixels(int id) {
    const auto png = Rendering(id);
    std::vector<std::pair<POINT, Gdiplus::ARGB>> pixels;
    for (UINT y = 0; y < png->GetHeight(); ++y) {
        for (UINT x = 0; x < png->GetWidth(); ++x) {
            Gdiplus::Color colour;
            png->GetPixel(x, y, &colour);
            if (colour.GetA() == 255)
                pixels.push_back({{LONG(x), LONG(y)}, colour.GetValue() & 0xffffff});
        }
    }
    return pixels;
}

// A device-independent image to draw on and read back, top row first.
struct Canvas {
    SIZE size;
    DWORD* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    HGDIOBJ old;
    explicit Canvas(SIZE s) : size(s) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = s.cx;
        info.bmiHeader.biHeight = -s.cy;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                  nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    DWORD At(LONG x, LONG y) const { return bits[y * size.cx + x] & 0xffffff; }  // 0xRRGGBB
    void Copy(HBITMAP from) {
        HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ before = SelectObject(source, from);
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, before);
        DeleteDC(source);
        GdiFlush();
    }
    // The rendering's opaque pixels that differ here, drawn from `corner` on, but for those
    // `unless` says lie under something else.
    template <typename Unless>
    int Differ(int id, POINT corner, Unless unless) const {
        const auto pixels = OpaquePixels(id);
        EXPECT_GT(pixels.size(), 100u) << id;
        int differ = 0;
        for (const auto& [at, colour] : pixels)
            differ += !unless(at) && At(corner.x + at.x, corner.y + at.y) != colour;
        return differ;
    }
};

// The bare tile, and the picture over it, both pixel for pixel as rendered for the scale.
TEST(Artwork, FacesShowTheirPicturesPixelForPixelAtWindowsScales) {
    const GdiPlus gdiPlus;
    for (const double scale : WindowsScales) {
        Artwork art(scale);
        const POINT corner = PictureCorner(scale);
        const SIZE side = DevicePixels(Picture, scale);
        const RECT picture{corner.x, corner.y, corner.x + side.cx, corner.y + side.cy};
        const int source = SourceFor(Picture, side);
        for (const int kind : {1, 18, 36}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << ", " << PictureName(kind));
            Canvas face(FaceSize(scale));
            face.Copy(art.Face(kind, false));
            EXPECT_EQ(face.Differ(PictureId(kind, source), corner, [](POINT) { return false; }), 0);
            EXPECT_EQ(face.Differ(BoardArtId(BoardArt::Tile, source), {0, 0},
                                  [&](POINT p) { return PtInRect(&picture, p); }),
                      0);
        }
    }
}

// The groove and the bar pixel for pixel as rendered for the scale, the bar stretched sideways
// to any width; red over the bar in the last seconds.
TEST(Artwork, ClockShowsItsGrooveAndBarPixelForPixelAtWindowsScales) {
    const GdiPlus gdiPlus;
    for (const double scale : WindowsScales) {
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        Artwork art(scale);
        const SIZE groove = DevicePixels(BoardArtSize[1], scale);
        const SIZE bar = DevicePixels(BoardArtSize[2], scale);
        const POINT at{5, 3};
        const RECT backing{at.x, at.y, at.x + groove.cx, at.y + groove.cy};
        // Wider and narrower than its rendering, as the clock runs.
        for (const int width : {7, 250}) {
            const RECT filled{backing.right - 4 - width, at.y + 2, backing.right - 4, at.y + 99};
            const RECT inGroove{filled.left - at.x, 2, filled.right - at.x, 2 + bar.cy};
            Canvas clock({backing.right + 5, backing.bottom + 5});
            for (const bool warning : {false, true}) {
                art.PaintClock(clock.dc, backing, filled, warning);
                GdiFlush();
                EXPECT_EQ(
                    clock.Differ(BoardArtId(BoardArt::Clock, SourceFor(BoardArtSize[1], groove)),
                                 at, [&](POINT p) { return PtInRect(&inGroove, p); }),
                    0);
                const auto rows =
                    OpaquePixels(BoardArtId(BoardArt::Bar, SourceFor(BoardArtSize[2], bar)));
                int differ = 0, red = 0;
                for (const auto& [p, colour] : rows) {
                    if (p.x != 0) continue;
                    for (LONG x = filled.left; x < filled.right; ++x) {
                        const DWORD shown = clock.At(x, filled.top + p.y);
                        differ += shown != colour;
                        red += (shown >> 16) > 200 && ((shown >> 8) & 0xff) < 100;
                    }
                }
                const int pixels = width * bar.cy;
                EXPECT_EQ(differ, warning ? pixels : 0) << "bar " << width << " wide";
                EXPECT_EQ(red, warning ? pixels : 0) << "bar " << width << " wide";
            }
        }
    }
}

// Where `face` shows pixel for pixel on `shot`, or {-1, -1}.
POINT Find(const Canvas& shot, const Canvas& face) {
    for (LONG y = 0; y + face.size.cy <= shot.size.cy; ++y) {
        for (LONG x = 0; x + face.size.cx <= shot.size.cx; ++x) {
            bool same = true;
            for (LONG v = 0; same && v < face.size.cy; ++v)
                for (LONG u = 0; same && u < face.size.cx; ++u)
                    same = shot.At(x + u, y + v) == face.At(u, v);
            if (same) return {x, y};
        }
    }
    return {-1, -1};
}

// The about box shows the game's picture, rendered for its monitor's scale; moved to a monitor
// of 150 % the scale, it takes the place Windows suggests and lays itself out anew at that
// scale, picture and all. (At 200 % it would not fit on wine's screen without a display.)
TEST(SecondaryWindows, AboutBoxShowsItsPictureAtItsMonitorsScale) {
    const GdiPlus gdiPlus;
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    OpenAbout(owner);
    HWND about = FindWindowW(nullptr, Wide(texts::about::Caption).c_str());
    ASSERT_NE(about, nullptr);
    const UINT dpi = DpiOf(about);
    SIZE laid[2];
    for (const UINT now : {dpi, dpi * 3 / 2}) {
        SCOPED_TRACE(testing::Message() << now << " dpi");
        if (now != dpi) {
            RECT suggested{30, 20, 0, 0};
            suggested.right = suggested.left + laid[0].cx * 3 / 2;
            suggested.bottom = suggested.top + laid[0].cy * 3 / 2;
            SendMessageW(about, WM_DPICHANGED, MAKEWPARAM(now, now),
                         reinterpret_cast<LPARAM>(&suggested));
            RECT frame;
            GetWindowRect(about, &frame);
            EXPECT_EQ(frame.left, suggested.left);
            EXPECT_EQ(frame.top, suggested.top);
        }
        RECT client;
        GetClientRect(about, &client);
        laid[now != dpi] = {client.right, client.bottom};
        Canvas shot(laid[now != dpi]);
        SendMessageW(about, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc), PRF_CLIENT);
        GdiFlush();
        // On the window's own paper, as its top left pixel shows it.
        Artwork art(now / 96.0,
                    RGB(shot.At(0, 0) >> 16, (shot.At(0, 0) >> 8) & 0xff, shot.At(0, 0) & 0xff));
        Canvas face(FaceSize(art.Ratio()));
        face.Copy(art.Face(AboutPictureKind, false));
        const POINT found = Find(shot, face);
        EXPECT_TRUE(found.x >= 0 && found.x < laid[now != dpi].cx / 4)
            << "not at the window's left";
    }
    // The text is measured afresh in fonts made for the scale: near 150 % the size, not the
    // old layout left as it was.
    EXPECT_NEAR(laid[1].cx, laid[0].cx * 3 / 2, 4);
    EXPECT_NEAR(laid[1].cy, laid[0].cy * 3 / 2, laid[0].cy / 10);
    SendMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(about));
    DestroyWindow(owner);
}

// Each second the rules window lays its countdown out again: moved by the player, it stays
// where it was put.
TEST(SecondaryWindows, RulesWindowStaysWhereItWasMovedWhileCountingDown) {
    RulesWindow rules([] {});
    rules.Open(nullptr);
    HWND window = FindWindowW(nullptr, Wide(texts::splash::Caption).c_str());
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window, WM_TIMER, 1, 0);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    SendMessageW(window, WM_CLOSE, 0, 0);
}

// The board as a screen reader reaches it, over a dealt game; the window is never asked.
struct ReadBoard final : AccessibleBoard {
    Dealt dealt;
    bool focus = true;
    BoardAccessible* accessible = NewBoardAccessible(nullptr, this);
    ~ReadBoard() override { Detach(accessible); }
    const ViewState& View() const override { return dealt.game.View(); }
    RECT CellOnScreen(int) const override { return {}; }
    int CellAt(POINT) const override { return 0; }
    bool BoardHasFocus() const override { return focus; }
    void PressCell(int index) override {
        dealt.game.Image2_Click(index);
        dealt.host.Settle();  // the path's hold
    }
    IAccessible& Acc() { return *AsAccessible(accessible); }
    long State(long child) {
        VARIANT state;
        EXPECT_EQ(Acc().get_accState(Child(child), &state), S_OK);
        return state.lVal;
    }
    std::wstring Name(long child) {
        BSTR name = nullptr;
        EXPECT_EQ(Acc().get_accName(Child(child), &name), S_OK);
        std::wstring text(name ? name : L"");
        SysFreeString(name);
        return text;
    }
    static VARIANT Child(long id) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = id;
        return v;
    }
};

TEST(BoardAccessible, NavigatesTheCellsAsATable) {
    ReadBoard board;
    const struct {
        long from, direction, to;  // 0: nowhere
    } moves[] = {{CHILDID_SELF, NAVDIR_FIRSTCHILD, 1},
                 {CHILDID_SELF, NAVDIR_LASTCHILD, CellCount},
                 {1, NAVDIR_RIGHT, 2},
                 {Cols, NAVDIR_RIGHT, 0},
                 {Cols, NAVDIR_NEXT, Cols + 1},
                 {Cols + 1, NAVDIR_LEFT, 0},
                 {Cols + 1, NAVDIR_PREVIOUS, Cols},
                 {1, NAVDIR_UP, 0},
                 {1, NAVDIR_DOWN, Cols + 1},
                 {CellCount, NAVDIR_DOWN, 0},
                 {CellCount, NAVDIR_NEXT, 0},
                 {CellCount, NAVDIR_UP, CellCount - Cols}};
    for (const auto& move : moves) {
        VARIANT end;
        const HRESULT found =
            board.Acc().accNavigate(move.direction, ReadBoard::Child(move.from), &end);
        EXPECT_EQ(found == S_OK ? end.lVal : 0, move.to) << move.from << " " << move.direction;
    }
}

// A hint marks a pair, the cursor's cell has the focus only while the board has it, and two
// default actions on the pair remove it: the cells then read empty.
TEST(BoardAccessible, StatesAndNamesFollowTheGame) {
    ReadBoard board;
    EXPECT_EQ(board.Name(CHILDID_SELF), Wide(texts::access::Board));
    EXPECT_TRUE(board.State(1) & STATE_SYSTEM_FOCUSED);
    board.focus = false;
    EXPECT_FALSE(board.State(1) & STATE_SYSTEM_FOCUSED);
    board.dealt.game.Form_KeyDown(KeyF1);
    std::vector<long> marked;
    for (long i = 1; i <= CellCount; ++i) {
        EXPECT_FALSE(board.State(i) & STATE_SYSTEM_INVISIBLE);
        EXPECT_EQ(board.Name(i), Wide(CellName(board.View(), i)));
        if (board.State(i) & STATE_SYSTEM_SELECTED) marked.push_back(i);
    }
    ASSERT_EQ(marked.size(), 2u);
    for (const long i : marked)
        EXPECT_EQ(board.Acc().accDoDefaultAction(ReadBoard::Child(i)), S_OK);
    for (const long i : marked) {
        EXPECT_EQ(board.Name(i).substr(0, 1), L"空") << i;
        EXPECT_FALSE(board.State(i) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE));
    }
}

TEST(BoardAccessible, AnswersNothingOnceTheBoardHasGone) {
    ReadBoard board;
    IAccessible& acc = board.Acc();
    acc.AddRef();  // a screen reader's reference outlives the window
    Detach(std::exchange(board.accessible, NewBoardAccessible(nullptr, &board)));
    BSTR name = nullptr;
    long count = 0;
    EXPECT_EQ(acc.get_accName(ReadBoard::Child(1), &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(acc.get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(acc.accDoDefaultAction(ReadBoard::Child(1)), RPC_E_DISCONNECTED);
    acc.Release();
}

}  // namespace
}  // namespace tilvara::win
