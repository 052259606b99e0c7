// What the main window shows, in the window's own unit (twips, 15 to a pixel at 96 dpi):
// the core keeps it, the shell only paints it.
#pragma once

#include <array>
#include <bitset>
#include <string>
#include <vector>

#include "game/board.h"

namespace tilvara {

constexpr double TwipsPerPixel = 15.0;

// A face from the normal store (Image1) or the highlighted store (Image8); kind 0 is blank.
struct Face {
    int kind = 0;
    bool highlighted = false;
    bool operator==(const Face&) const = default;
};

struct CellPicture {
    Face face;
    bool visible = false;
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const CellPicture&) const = default;
};

// Element 0 is the template: no picture, always in the window left of the first row.
using CellPictures = std::array<CellPicture, CellCount + 1>;

// A stretched path piece; its placement is kept in single precision.
struct Piece {
    float left = 0, top = 0, width = 0, height = 0;
    bool visible = false;
    bool operator==(const Piece&) const = default;
};

struct Box {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

struct Label {
    std::string caption;
    Box box;
    bool visible = true;  // a status line whose level has ended over an empty field is not
    bool operator==(const Label&) const = default;
};

struct MenuItem {
    std::string name;  // hard1, hint, ..., the name the shell hands back on a click
    std::string caption;
    bool enabled = true;
    bool operator==(const MenuItem&) const = default;
};

struct Menu {
    std::string name;
    std::string caption;
    bool enabled = true;
    std::vector<MenuItem> items;
    bool operator==(const Menu&) const = default;
};

enum class TimerId { Timer1, Timer2, Timer3, Timer4, Timer5 };
constexpr int TimerCount = 5;

constexpr int TimerInterval(TimerId id) {
    switch (id) {
        case TimerId::Timer4: return 1000;
        case TimerId::Timer5: return 500;
        default: return 50;
    }
}

// The keyboard's place on the board: a cell of the field, on any of the 144 whether it holds
// a tile or not. Shown from the first deal on; a front end draws it while it has the focus.
// Its frame is drawn only while the keyboard drives the board (`framed`): from an arrow, Space
// or Return until the next click or tap on the board.
struct BoardCursor {
    int row = 1;
    int col = 1;
    bool shown = false;
    bool framed = false;
    bool operator==(const BoardCursor&) const = default;
};

struct ViewState {
    std::string caption;
    CellPictures Image2{};
    Face Image3;  // scratch picture while two faces are exchanged
    Piece Image4, Image5, Image6, Image7;
    Box Image9;   // clock backing
    Box Image10;  // clock bar, growing leftward
    Label Label1, Label2, Label3, Label4;
    // The prompt centred on the field: how to start, before the first deal; after a level has
    // ended with no next level, what happened and how to go on. Empty while playing.
    Label startLine;
    // On the clock strip: the level and its slide at the left, the seconds left at the right;
    // the last seconds are a warning.
    Label levelLine, clockText;
    bool clockWarning = false;
    std::vector<Menu> menus;
    std::array<bool, TimerCount> timers{};
    Box client;  // the window's initial client area
    BoardCursor cursor;

    const MenuItem* FindItem(std::string_view name) const;
    MenuItem* FindItem(std::string_view name);
};

// What changed in the view between two looks at it, as a front end repaints it and tells
// assistive technology: each flag names a group of elements; the bit sets name Image2
// indices, and the status lines go in their reading order (StatusLabels).
struct ViewChanges {
    bool caption = false;
    bool menus = false;       // the menus' and items' enabled states
    bool pieces = false;      // the path, Image4 to Image7
    bool clock = false;       // the clock strip: backing, bar, level line, seconds, warning
    bool seconds = false;     // the whole seconds the clock shows
    bool startLine = false;   // the line on the field
    bool cursor = false;      // the board cursor's place or showing
    bool cellsShown = false;  // the cells came on show for the keyboard (the first deal)
    std::bitset<4> labels;    // the status lines' texts or boxes
    std::bitset<CellCount + 1> cells;     // a picture changed: face, highlight, showing or place
    std::bitset<CellCount + 1> selected;  // a tile's selected state (a highlighted face shown)
    std::bitset<CellCount + 1> named;     // what a cell shows: its tile's kind, or empty

    bool Any() const {
        return caption || menus || pieces || clock || startLine || cursor || labels.any() ||
               cells.any();
    }
    static ViewChanges All();
};

ViewChanges Compare(const ViewState& before, const ViewState& now);

}  // namespace tilvara
