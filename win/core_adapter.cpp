// Puts together what the core holds in pieces today (see core_adapter.h).
#include "win/core_adapter.h"

#include "game/secondary_windows.h"
#include "game/window_layout.h"

namespace tilvara::win {

bool Tick(Game& game, TimerId id) {
    switch (id) {
        case TimerId::Timer1: game.Timer1_Timer(); break;
        case TimerId::Timer2: game.Timer2_Timer(); break;
        case TimerId::Timer3: {
            const bool removing = game.RemovalAtWork();
            game.Timer3_Timer();
            return removing;
        }
        case TimerId::Timer4: game.Timer4_Timer(); break;
        case TimerId::Timer5: game.Timer5_Timer(); break;
    }
    return true;
}

MenuAnswer MenuClick(Game& game, std::string_view item) {
    if (item == "hard_help") return MenuAnswer::OpenHelp;
    if (item == "hard_about" || item == "advertise") return MenuAnswer::OpenAbout;
    return game.Menu_Click(item) ? MenuAnswer::Taken : MenuAnswer::NotMine;
}

Box BandOf(const Piece& piece, bool horizontal) {
    const double half = (horizontal ? piece.height : piece.width) / 2;
    if (horizontal)
        return {piece.left - half, piece.top - half, piece.width + 2 * half, piece.height};
    return {piece.left - half, piece.top - half, piece.width, piece.height + 2 * half};
}

std::array<std::pair<const Piece*, bool>, 4> PiecesOf(const ViewState& view) {
    return {
        {{&view.Image4, true}, {&view.Image6, true}, {&view.Image5, false}, {&view.Image7, false}}};
}

std::array<const Label*, 4> StatusLabels(const ViewState& view) {
    return {&view.Label4, &view.Label2, &view.Label3, &view.Label1};
}

Box FocusFrame(const ViewState& view) {
    const CellPicture& pic = view.Image2[IndexOf(view.cursor.row, view.cursor.col)];
    constexpr double Width = 3 * TwipsPerPixel;
    return {pic.left - Width, pic.top - Width, pic.width + 2 * Width, pic.height + 2 * Width};
}

std::vector<std::string> RuleLineParts(std::string_view line) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t run = line.find("  ", start);
        parts.emplace_back(line.substr(start, run - start));
        if (run == std::string_view::npos) break;
        start = line.find_first_not_of(' ', run);
        if (start == std::string_view::npos) break;
    }
    return parts;
}

std::string AboutLinkAddress(std::string_view control, std::string_view caption) {
    std::string target = AboutLinkTarget(control, caption);
    if (control == "Label1") return "mailto:" + target;
    if (control == "Label3") return "https://" + target;
    return target;
}

}  // namespace tilvara::win
