// The main window in the browser: events in, changed view state out.
#include "web/main_window.h"

#include "game/tile_pictures.h"
#include "game/view_layout.h"
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
    ViewChanges changes = game_->TakeChanges();
    if (changes.caption) page::SetCaption(PageTitle(view).c_str());

    // From the first deal on, every cell is there for the keyboard and a screen reader, an
    // empty one too; before it none is.
    const bool shown = view.cursor.shown;
    const auto cells = changes.cellsShown ? ~decltype(changes.cells)()
                                          : changes.cells | changes.selected | changes.named;
    for (int i = 0; i <= CellCount; ++i) {
        if (!cells[i]) continue;
        const CellPicture& cell = view.Image2[i];
        page::PlaceCell(i, Px(cell.left), Px(cell.top), Px(cell.width), Px(cell.height));
        if (i > 0) {
            page::PaintCell(i, std::string(PictureFile(cell.face.kind)).c_str(),
                            cell.face.highlighted, cell.visible, shown, CellName(view, i).c_str());
        }
    }
    if (changes.cursor) {
        const Box frame = CursorFrame(view);
        page::PaintCursor(IndexOf(view.cursor.row, view.cursor.col), Px(frame.left), Px(frame.top),
                          Px(frame.width), Px(frame.height), view.cursor.shown, view.cursor.framed);
    }
    if (changes.pieces) {
        const auto bands = PathBands(view);
        for (int n = 0; n < 4; ++n) {
            const Box& b = bands[n].box;
            page::PaintPiece(n, Px(b.left), Px(b.top), Px(b.width), Px(b.height), bands[n].visible);
        }
    }
    if (changes.clock || changes.seconds) {
        const Box& back = view.Image9;
        page::PaintBacking(Px(back.left), Px(back.top), Px(back.width), Px(back.height),
                           ClockSecondsLeft(ClockBarWidth));
        const Box& bar = view.Image10;
        page::PaintBar(Px(bar.left), Px(bar.top), Px(bar.width), Px(bar.height), ClockSeconds(view),
                       ClockValue(view).c_str(), view.clockWarning);
        for (const Label* text : {&view.levelLine, &view.clockText}) {
            const Box& b = text->box;
            page::PaintClockText(text == &view.clockText, text->caption.c_str(), Px(b.left),
                                 Px(b.top), Px(b.width), Px(b.height));
        }
    }
    const auto labels = StatusLabels(view);
    for (int n = 0; n < 4; ++n) {
        if (!changes.labels[n]) continue;
        const Box& b = labels[n]->box;
        // A status line whose level has ended over an empty field shows nothing.
        page::PaintLabel(n, labels[n]->visible ? labels[n]->caption.c_str() : "", Px(b.left),
                         Px(b.top), Px(b.width), Px(b.height));
    }
    if (changes.startLine) {
        const Box& b = view.startLine.box;
        page::PaintStartLine(view.startLine.caption.c_str(), Px(b.left), Px(b.top), Px(b.width),
                             Px(b.height));
    }
    if (changes.menus) {
        for (std::size_t m = 0; m < view.menus.size(); ++m) {
            const auto& items = view.menus[m].items;
            for (std::size_t i = 0; i < items.size(); ++i)
                page::EnableMenuItem(static_cast<int>(m), static_cast<int>(i), items[i].enabled);
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

void Form1::Tick(TimerId id, bool behind) {
    game_->Tick(id);
    if (behind) return;
    Refresh();
}

}  // namespace tilvara::web
