// The few pieces of the core's contract the Win32 front end needs that the core does not yet
// offer in one place: one timer entry, the menu's answer, the path band, the labels' reading
// order, the focus frame, the board's names, a rule line's parts and the about links'
// addresses. Only this file knows how they are put together today.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"

namespace tilvara::win {

// Every timer through one entry; false when the tick changed nothing on screen.
bool Tick(Game& game, TimerId id);

enum class MenuAnswer { NotMine, Taken, OpenHelp, OpenAbout };
MenuAnswer MenuClick(Game& game, std::string_view item);

// Where a path piece's band shows, in twips: centred on the line through the cell centres,
// half its thickness longer at each end. Horizontal for Image4 and Image6.
Box BandOf(const Piece& piece, bool horizontal);
// The path pieces in painting order, with their direction.
std::array<std::pair<const Piece*, bool>, 4> PiecesOf(const ViewState& view);
// The status lines in reading order.
std::array<const Label*, 4> StatusLabels(const ViewState& view);
// The keyboard's focus frame round the cursor's cell, in twips.
Box FocusFrame(const ViewState& view);
inline constexpr const char* BoardName = "棋盘";

// A rule line's parts: a run of blanks ends a line.
std::vector<std::string> RuleLineParts(std::string_view line);
// The address an about box link opens.
std::string AboutLinkAddress(std::string_view control, std::string_view caption);

}  // namespace tilvara::win
