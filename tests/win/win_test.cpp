// The Windows board's geometry and faces at the scales a Windows screen has: every cell answers
// where it is drawn, the cells tile the field, and the pictures are copied 1:1 from their
// build-time renderings at 100, 125, 150, 200 and 300 %, never enlarged in between.
#include <gtest/gtest.h>
#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <cmath>
#include <vector>

#include "game/tile_pictures.h"
#include "game/view_layout.h"
#include "tests/support/fake_host.h"
#include "win/artwork.h"
#include "win/board_accessible.h"
#include "win/board_geometry.h"
#include "win/platform.h"

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

TEST(Artwork, PicturesAreCopiedAtWindowsScalesAndNeverEnlargedBetween) {
    for (const double scale : WindowsScales) {
        const int side = static_cast<int>(std::floor(31 * scale + 0.5));
        EXPECT_EQ(RenderedSides[PictureSource(side)], side) << scale;
    }
    for (int side = 1; side <= RenderedSides[std::size(RenderedSides) - 1]; ++side)
        EXPECT_GE(RenderedSides[PictureSource(side)], side) << side;
}

// The picture's opaque pixels as rendered at build time, from the program's resources.
std::vector<std::pair<POINT, Gdiplus::ARGB>> OpaquePixels(int kind, int source) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1000 + 8 * kind + source), RT_RCDATA);
    EXPECT_NE(found, nullptr);
    if (!found) return {};
    IStream* stream =
        SHCreateMemStream(static_cast<const BYTE*>(LockResource(LoadResource(module, found))),
                          SizeofResource(module, found));
    Gdiplus::Bitmap png(stream);
    stream->Release();
    std::vector<std::pair<POINT, Gdiplus::ARGB>> pixels;
    for (UINT y = 0; y < png.GetHeight(); ++y) {
        for (UINT x = 0; x < png.GetWidth(); ++x) {
            Gdiplus::Color colour;
            png.GetPixel(x, y, &colour);
            if (colour.GetA() == 255)
                pixels.push_back({{LONG(x), LONG(y)}, colour.GetValue() & 0xffffff});
        }
    }
    return pixels;
}

TEST(Artwork, FacesShowTheirPicturesPixelForPixelAtWindowsScales) {
    const GdiPlus gdiPlus;
    for (const double scale : WindowsScales) {
        Artwork art(scale);
        const SIZE size = FaceSize(scale);
        const POINT corner = PictureCorner(scale);
        const int source = PictureSource(static_cast<int>(std::floor(31 * scale + 0.5)));
        for (const int kind : {1, 18, 36}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << ", " << PictureName(kind));
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            info.bmiHeader.biWidth = size.cx;
            info.bmiHeader.biHeight = -size.cy;  // top-down
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            std::vector<DWORD> face(size.cx * size.cy);
            HDC screen = GetDC(nullptr);
            ASSERT_EQ(GetDIBits(screen, art.Face(kind, false), 0, size.cy, face.data(), &info,
                                DIB_RGB_COLORS),
                      size.cy);
            ReleaseDC(nullptr, screen);
            const auto pixels = OpaquePixels(kind, source);
            ASSERT_GT(pixels.size(), 100u);
            int differ = 0;
            for (const auto& [at, colour] : pixels)
                differ +=
                    (face[(corner.y + at.y) * size.cx + corner.x + at.x] & 0xffffff) != colour;
            EXPECT_EQ(differ, 0) << "of " << pixels.size() << " opaque pixels";
        }
    }
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
