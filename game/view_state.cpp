// Look-ups in the view state.
#include "game/view_state.h"

#include "game/view_layout.h"
#include "game/window_layout.h"

namespace tilvara {

const MenuItem* ViewState::FindItem(std::string_view name) const {
    for (const Menu& menu : menus)
        for (const MenuItem& item : menu.items)
            if (item.name == name) return &item;
    return nullptr;
}

MenuItem* ViewState::FindItem(std::string_view name) {
    return const_cast<MenuItem*>(static_cast<const ViewState&>(*this).FindItem(name));
}

ViewChanges ViewChanges::All() {
    ViewChanges all;
    all.caption = all.menus = all.pieces = all.clock = all.seconds = all.startLine = all.cursor =
        all.cellsShown = true;
    all.labels.set();
    all.cells.set();
    all.selected.set();
    all.named.set();
    return all;
}

namespace {
bool Selected(const CellPicture& pic) { return pic.visible && pic.face.highlighted; }
int Shown(const CellPicture& pic) { return pic.visible ? pic.face.kind : 0; }
}  // namespace

ViewChanges Compare(const ViewState& before, const ViewState& now) {
    ViewChanges changes;
    changes.caption = before.caption != now.caption;
    changes.menus = before.menus != now.menus;
    changes.pieces = !(before.Image4 == now.Image4 && before.Image5 == now.Image5 &&
                       before.Image6 == now.Image6 && before.Image7 == now.Image7);
    changes.clock = !(before.Image9 == now.Image9 && before.Image10 == now.Image10 &&
                      before.levelLine == now.levelLine && before.clockText == now.clockText &&
                      before.clockWarning == now.clockWarning);
    changes.seconds = ClockSecondsLeft(before.Image10.width) != ClockSecondsLeft(now.Image10.width);
    changes.startLine = !(before.startLine == now.startLine);
    changes.cursor = !(before.cursor == now.cursor);
    changes.cellsShown = before.cursor.shown != now.cursor.shown;
    const std::array<const Label*, 4> was = StatusLabels(before), is = StatusLabels(now);
    for (std::size_t n = 0; n < was.size(); ++n) changes.labels[n] = !(*was[n] == *is[n]);
    for (std::size_t i = 0; i < now.Image2.size(); ++i) {
        const CellPicture &a = before.Image2[i], &b = now.Image2[i];
        changes.cells[i] = !(a == b);
        changes.selected[i] = Selected(a) != Selected(b);
        changes.named[i] = Shown(a) != Shown(b);
    }
    return changes;
}

}  // namespace tilvara
