// The main window in the browser: events in, changed view state out.
#include "web/main_window.h"

#include <cstring>

#include "game/tile_pictures.h"
#include "game/window_layout.h"
#include "web/page.h"
#include "web/shell.h"

namespace tilvara::web {

namespace {

double Px(double twips) { return twips / TwipsPerPixel; }

std::unique_ptr<Random> NewRandom(std::optional<std::uint64_t> seed) {
    if (seed) return std::make_unique<SeededRandom>(*seed);
    return std::make_unique<SystemRandom>();
}

bool SameBox(const Box& a, const Box& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

bool SamePlace(const CellPicture& a, const CellPicture& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

bool SamePiece(const Piece& a, const Piece& b) {
    return a.visible == b.visible && a.left == b.left && a.top == b.top && a.width == b.width &&
           a.height == b.height;
}

// The core puts a piece's corner on a cell centre; its band is drawn centred on that line and
// half its thickness longer at each end, so it runs through the cell centres and its corners
// join without a notch.
Box BandOf(const Piece& piece, bool across) {
    const double half = (across ? piece.height : piece.width) / 2;
    if (across) return {piece.left - half, piece.top - half, piece.width + 2 * half, piece.height};
    return {piece.left - half, piece.top - half, piece.width, piece.height + 2 * half};
}

}  // namespace

Form1::Form1(Shell& shell, std::optional<std::uint64_t> seed)
    : shell_(shell),
      random_(NewRandom(seed)),
      host_(shell),
      game_(std::make_unique<Game>(host_, *random_, clock_)) {
    game_->Form_Load();
    // The page's cells and menus outlive a run: a new run repaints them from scratch.
    static bool built = false;
    if (!built) {
        const Box& client = game_->View().client;
        page::Build(Rows, Cols, Px(client.width), Px(client.height));
        BuildMenus();
        built = true;
    }
    Refresh();
}

void Form1::BuildMenus() {
    const auto& menus = game_->View().menus;
    for (std::size_t m = 0; m < menus.size(); ++m) {
        page::AddMenu(menus[m].caption.c_str(), menus[m].enabled);
        for (const MenuItem& item : menus[m].items)
            page::AddMenuItem(static_cast<int>(m), item.caption.c_str(), item.enabled);
    }
}

void Form1::Refresh() {
    if (game_->Unloaded()) return;
    const ViewState& view = game_->View();
    const bool all = !painted_;
    if (all) painted_.emplace();
    Painted& was = *painted_;

    if (all || view.caption != was.caption) page::SetCaption(view.caption.c_str());

    // From the first deal on, every cell is there for the keyboard and a screen reader, an
    // empty one too; before it none is.
    const bool cellsShown = view.cursor.shown;
    const bool cellsChanged = all || cellsShown != was.cursor.shown;
    for (int i = 0; i <= CellCount; ++i) {
        const CellPicture& now = view.Image2[i];
        CellPicture& before = was.cells[i];
        if (all || !SamePlace(now, before))
            page::PlaceCell(i, Px(now.left), Px(now.top), Px(now.width), Px(now.height));
        if (i > 0 &&
            (cellsChanged || !(now.face == before.face) || now.visible != before.visible)) {
            page::PaintCell(i, std::string(PictureFile(now.face.kind)).c_str(),
                            now.face.highlighted, now.visible, cellsShown,
                            CellName(view, i).c_str());
        }
        before = now;
    }
    if (all || !(view.cursor == was.cursor)) {
        const CellPicture& at = view.Image2[IndexOf(view.cursor.row, view.cursor.col)];
        page::PaintCursor(IndexOf(view.cursor.row, view.cursor.col), Px(at.left), Px(at.top),
                          Px(at.width), Px(at.height), view.cursor.shown);
        was.cursor = view.cursor;
    }

    // Across first, as the page holds them.
    const std::array<const Piece*, 4> pieces = {&view.Image4, &view.Image6, &view.Image5,
                                                &view.Image7};
    for (int n = 0; n < 4; ++n) {
        if (!all && SamePiece(*pieces[n], was.pieces[n])) continue;
        const Box band = BandOf(*pieces[n], n < 2);
        page::PaintPiece(n, Px(band.left), Px(band.top), Px(band.width), Px(band.height),
                         pieces[n]->visible);
        was.pieces[n] = *pieces[n];
    }

    if (all || !SameBox(view.Image9, was.backing)) {
        const Box& b = view.Image9;
        page::PaintBacking(Px(b.left), Px(b.top), Px(b.width), Px(b.height),
                           ClockSecondsLeft(ClockBarWidth));
        was.backing = b;
    }
    if (all || !SameBox(view.Image10, was.bar)) {
        const Box& b = view.Image10;
        const int seconds = ClockSecondsLeft(b.width);
        page::PaintBar(Px(b.left), Px(b.top), Px(b.width), Px(b.height), seconds,
                       (std::to_string(seconds) + "秒").c_str());
        was.bar = b;
    }

    // In reading order on the screen.
    const std::array<const Label*, 4> labels = {&view.Label4, &view.Label2, &view.Label3,
                                                &view.Label1};
    for (int n = 0; n < 4; ++n) {
        const Label& now = *labels[n];
        Label& before = was.labels[n];
        if (!all && now.caption == before.caption && SameBox(now.box, before.box)) continue;
        page::PaintLabel(n, now.caption.c_str(), Px(now.box.left), Px(now.box.top),
                         Px(now.box.width), Px(now.box.height));
        before = now;
    }

    if (all || view.startLine.caption != was.startLine.caption ||
        !SameBox(view.startLine.box, was.startLine.box)) {
        const Box& b = view.startLine.box;
        page::PaintStartLine(view.startLine.caption.c_str(), Px(b.left), Px(b.top), Px(b.width),
                             Px(b.height));
        was.startLine = view.startLine;
    }

    was.enabled.resize(view.menus.size());
    for (std::size_t m = 0; m < view.menus.size(); ++m) {
        const auto& items = view.menus[m].items;
        was.enabled[m].resize(items.size(), true);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!all && items[i].enabled == was.enabled[m][i]) continue;
            page::EnableMenuItem(static_cast<int>(m), static_cast<int>(i), items[i].enabled);
            was.enabled[m][i] = items[i].enabled;
        }
    }
}

void Form1::Click(int index) {
    game_->Image2_Click(index);
    Refresh();
}

void Form1::Label1Click() {
    game_->Label1_Click();
    Refresh();
}

void Form1::Menu(int menu, int item) {
    const auto& menus = game_->View().menus;
    if (menu < 0 || menu >= static_cast<int>(menus.size())) return;
    const auto& items = menus[menu].items;
    if (item < 0 || item >= static_cast<int>(items.size())) return;
    switch (game_->Menu_Click(items[item].name)) {
        case MenuAnswer::OpenHelp: shell_.OpenHelp(); break;
        case MenuAnswer::OpenAbout: shell_.OpenAbout(); break;
        default: break;
    }
    Refresh();
}

bool Form1::KeyDown(int keyCode, bool repeat) {
    const KeyAnswer answer = game_->Form_KeyDown(keyCode, repeat);
    if (game_->Unloaded()) return true;
    // F10, as desktop applications have it: the first menu opens, its first item ready.
    if (answer == KeyAnswer::OpenFirstMenu) page::OpenMenu(0);
    Refresh();
    return answer != KeyAnswer::NotMine;
}

void Form1::Tick(TimerId id) {
    game_->Tick(id);
    Refresh();
}

}  // namespace tilvara::web
