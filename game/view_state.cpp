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

}  // namespace tilvara
