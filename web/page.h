// What the C++ side asks of the page (web/page.js): the few DOM changes the windows need.
// Positions and sizes are design pixels (twips / 15); the page scales the game area.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tilvara::web::page {

// The 145 cell pictures of the board (0 is the template) and the design size of the area.
void Build(int rows, int cols, double width, double height);
void PlaceCell(int index, double left, double top, double width, double height);
// picture is the file stem of a tile picture, "" for none; visible says whether it shows a
// tile, shown whether the cell is there at all (from the first deal on, empty or not); name is
// its accessible name.
void PaintCell(int index, const std::string& picture, bool highlighted, bool visible, bool shown,
               const std::string& name);
// The keyboard's frame around cell picture index (its box given), drawn while the board has
// the focus; it also tells a screen reader which cell has the focus.
void PaintCursor(int index, double left, double top, double width, double height, bool shown);
bool BoardHasFocus();
void FocusBoard();
// Pieces 0 and 1 run across, 2 and 3 down.
void PaintPiece(int n, double left, double top, double width, double height, bool visible);
// The status lines in reading order: Label4, Label2, Label3, Label1.
void PaintLabel(int n, const std::string& text, double left, double top, double width,
                double height);
void PaintBacking(double left, double top, double width, double height, int secondsMax);
void PaintBar(double left, double top, double width, double height, int secondsLeft,
              const std::string& secondsText);
// The line on the empty field that says how to start; empty once dealt.
void PaintStartLine(const std::string& text, double left, double top, double width, double height);
void SetCaption(const std::string& caption);

void AddMenu(const std::string& caption, bool enabled);
void AddMenuItem(int menu, const std::string& caption, bool enabled);
void EnableMenuItem(int menu, int item, bool enabled);
void OpenMenu(int menu);

void ShowMainWindow(bool shown);
void ShowEnded(bool shown);

// The controls of the rules window (frmSplash) and the about box (frmAbout), by the names the
// game's rules give them: their texts, the links' addresses, the hover group and pictures.
void SetText(const std::string& window, const std::string& control, const std::string& text);
void SetLink(const std::string& window, const std::string& control, const std::string& text,
             const std::string& href);
void JoinHoverGroup(const std::string& window, const std::string& control);
void SetPicture(const std::string& window, const std::string& control, const std::string& picture);

// Modal windows, each under an id of the shell's; the page answers with tv_dismiss(id).
void OpenBox(int id, const std::string& title, const std::string& text, const std::string& ok);
void OpenWindow(int id, const std::string& element);
void CloseWindow(int id);

// Intervals of the page's event loop, by slot: each calls tv_tick(slot) every ms. Starting a
// running slot restarts it from now. The page keeps their ids, which the module never sees.
void StartInterval(int slot, int ms);
void StopInterval(int slot);

// Fetches the art the board will need while the rules are read: the pictures by file stem,
// separated by blanks.
void PreloadArt(const std::string& pictures);

// The page's ?seed=N, which fixes the deals for tests; nothing when absent or not a number.
std::optional<std::uint64_t> SeedParameter();

}  // namespace tilvara::web::page
