// The 36 tile pictures: the file each kind is drawn from and the name a player calls it by,
// shared by every front end so that a picture and its spoken name never disagree.
#pragma once

#include <string>
#include <string_view>

#include "game/view_state.h"

namespace tilvara {

// The file stem of kind 1..36's picture under assets/tiles ("1f34e" for 1f34e.svg); empty for
// kind 0 and anything out of range.
std::string_view PictureFile(int kind);
// What the picture shows, in the game's language ("苹果"); empty likewise.
std::string_view PictureName(int kind);
// A cell picture's accessible name: what it shows, or "空" when hidden, and where it lies,
// as in "苹果 第1行第3列". Index 1..144.
std::string CellName(const ViewState& view, int index);

// The about box's picture beside its title: the apple, as on the program's icon.
inline constexpr int AboutPictureKind = 1;

}  // namespace tilvara
