// Look-ups in the view state.
#include "game/view_state.h"

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
    all.caption = all.menus = all.pieces = all.clock = all.labels = all.cursor = true;
    all.cells.set();
    return all;
}

ViewChanges Compare(const ViewState& before, const ViewState& now) {
    ViewChanges changes;
    changes.caption = before.caption != now.caption;
    changes.menus = before.menus != now.menus;
    changes.pieces = !(before.Image4 == now.Image4 && before.Image5 == now.Image5 &&
                       before.Image6 == now.Image6 && before.Image7 == now.Image7);
    changes.clock = !(before.Image9 == now.Image9 && before.Image10 == now.Image10);
    changes.labels = !(before.Label1 == now.Label1 && before.Label2 == now.Label2 &&
                       before.Label3 == now.Label3 && before.Label4 == now.Label4 &&
                       before.startLine == now.startLine);
    changes.cursor = !(before.cursor == now.cursor);
    for (std::size_t i = 0; i < now.Image2.size(); ++i)
        changes.cells[i] = !(before.Image2[i] == now.Image2[i]);
    return changes;
}

}  // namespace tilvara
