// What the C++ side asks of the page: its calls, each written once with its C signature in
// web/page_library.js. Positions and sizes are design pixels (twips / 15); the page scales
// the game area. Strings are UTF-8.
#pragma once

namespace tilvara::web::page {

extern "C" {
// The 145 cell pictures of the board (0 is the template) and the design size of the area.
void Build(int rows, int cols, double width, double height);
void PlaceCell(int index, double left, double top, double width, double height);
// picture is the file stem of a tile picture, "" for none; visible says whether it shows a
// tile, shown whether the cell is there at all (from the first deal on, empty or not); name is
// its accessible name.
void PaintCell(int index, const char* picture, bool highlighted, bool visible, bool shown,
               const char* name);
// The keyboard's cursor on cell picture index: shown, it tells a screen reader which cell has
// the focus; framed, its frame (the box given) is drawn while the board has the focus.
void PaintCursor(int index, double left, double top, double width, double height, bool shown,
                 bool framed);
bool BoardHasFocus();
void FocusBoard();
// Pieces 0 and 1 run across, 2 and 3 down.
void PaintPiece(int n, double left, double top, double width, double height, bool visible);
// The status lines in reading order: Label4, Label2, Label3, Label1.
void PaintLabel(int n, const char* text, double left, double top, double width, double height);
void PaintBacking(double left, double top, double width, double height, int secondsMax);
// warning: the last seconds, when the bar turns red.
void PaintBar(double left, double top, double width, double height, int secondsLeft,
              const char* secondsText, bool warning);
// The texts on the clock strip: 0 the level and its slide (at the left), 1 the seconds left
// (at the right).
void PaintClockText(int n, const char* text, double left, double top, double width, double height);
// The prompt on the field: how to start, or what happened when a level ended with no next one;
// empty while playing.
void PaintStartLine(const char* text, double left, double top, double width, double height);
void SetCaption(const char* caption);

void AddMenu(const char* caption, bool enabled);
void AddMenuItem(int menu, const char* caption, bool enabled);
void EnableMenuItem(int menu, int item, bool enabled);
void OpenMenu(int menu);

void ShowMainWindow(bool shown);
void ShowEnded(bool shown, const char* notice);

// A control of the rules window (frmSplash), by the name the game's rules give it. The page
// carries the windows' fixed texts, links and pictures from the build; these change.
void SetText(const char* window, const char* control, const char* text);

// Modal windows, each under an id of the shell's; the page answers with tv_dismiss(id).
void OpenBox(int id, const char* title, const char* text, const char* ok);
void OpenWindow(int id, const char* element);
void CloseWindow(int id);

// Timers of the page, by slot: each calls tv_tick(slot) every ms, and the ticks a throttled
// or hidden page missed come late but all of them, in order. Starting a running slot restarts
// it from now.
void StartInterval(int slot, int ms);
void StopInterval(int slot);

// Fetches the art the board will need while the rules are read: the pictures by file stem,
// separated by blanks.
void PreloadArt(const char* pictures);

// The page's ?seed=N, which fixes the deals for tests; negative when absent or not a number.
double SeedParameter();
}

}  // namespace tilvara::web::page
