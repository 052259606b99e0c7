// The calls into web/page.js: each a small JavaScript function compiled into the module.
#include "web/page.h"

#include <emscripten/emscripten.h>

namespace tilvara::web::page {

namespace {

// clang-format off
EM_JS(void, js_build, (int rows, int cols, double width, double height), {
    TilvaraPage.build(rows, cols, width, height);
});
EM_JS(void, js_place, (int index, double left, double top, double width, double height), {
    TilvaraPage.place(index, left, top, width, height);
});
EM_JS(void, js_cell, (int index, const char* picture, int lit, int visible, int shown,
                      const char* name), {
    TilvaraPage.cell(index, UTF8ToString(picture), lit, visible, shown, UTF8ToString(name));
});
EM_JS(void, js_cursor, (int index, double left, double top, double width, double height,
                        int shown), {
    TilvaraPage.cursor(index, left, top, width, height, shown);
});
EM_JS(int, js_board_has_focus, (), { return TilvaraPage.boardHasFocus(); });
EM_JS(void, js_focus_board, (), { TilvaraPage.focusBoard(); });
EM_JS(void, js_piece, (int n, double left, double top, double width, double height, int on), {
    TilvaraPage.piece(n, left, top, width, height, on);
});
EM_JS(void, js_label, (int n, const char* text, double left, double top, double width,
                       double height), {
    TilvaraPage.label(n, UTF8ToString(text), left, top, width, height);
});
EM_JS(void, js_backing, (double left, double top, double width, double height, int max), {
    TilvaraPage.backing(left, top, width, height, max);
});
EM_JS(void, js_bar, (double left, double top, double width, double height, int now,
                     const char* text), {
    TilvaraPage.bar(left, top, width, height, now, UTF8ToString(text));
});
EM_JS(void, js_start_line, (const char* text, double left, double top, double width,
                            double height), {
    TilvaraPage.startLine(UTF8ToString(text), left, top, width, height);
});
EM_JS(void, js_caption, (const char* text), { TilvaraPage.caption(UTF8ToString(text)); });
EM_JS(void, js_add_menu, (const char* caption, int enabled), {
    TilvaraPage.addMenu(UTF8ToString(caption), enabled);
});
EM_JS(void, js_add_item, (int menu, const char* caption, int enabled), {
    TilvaraPage.addItem(menu, UTF8ToString(caption), enabled);
});
EM_JS(void, js_enable_item, (int menu, int item, int enabled), {
    TilvaraPage.enableItem(menu, item, enabled);
});
EM_JS(void, js_open_menu, (int menu), { TilvaraPage.openMenu(menu); });
EM_JS(void, js_show_main, (int shown), { TilvaraPage.showMain(shown); });
EM_JS(void, js_ended, (int shown), { TilvaraPage.ended(shown); });
EM_JS(void, js_text, (const char* dialog, const char* control, const char* text), {
    TilvaraPage.text(UTF8ToString(dialog), UTF8ToString(control), UTF8ToString(text));
});
EM_JS(void, js_link, (const char* dialog, const char* control, const char* text,
                      const char* href), {
    TilvaraPage.link(UTF8ToString(dialog), UTF8ToString(control), UTF8ToString(text),
                     UTF8ToString(href));
});
EM_JS(void, js_hover_group, (const char* dialog, const char* control), {
    TilvaraPage.joinHoverGroup(UTF8ToString(dialog), UTF8ToString(control));
});
EM_JS(void, js_picture, (const char* dialog, const char* control, const char* picture), {
    TilvaraPage.picture(UTF8ToString(dialog), UTF8ToString(control), UTF8ToString(picture));
});
EM_JS(void, js_open_box, (int id, const char* title, const char* text, const char* ok), {
    TilvaraPage.openBox(id, UTF8ToString(title), UTF8ToString(text), UTF8ToString(ok));
});
EM_JS(void, js_open_window, (int id, const char* element), {
    TilvaraPage.openWindow(id, UTF8ToString(element));
});
EM_JS(void, js_close_window, (int id), { TilvaraPage.closeWindow(id); });
EM_JS(void, js_start_interval, (int slot, int ms), { TilvaraPage.startInterval(slot, ms); });
EM_JS(void, js_stop_interval, (int slot), { TilvaraPage.stopInterval(slot); });
EM_JS(void, js_preload, (const char* pictures), {
    TilvaraPage.preloadArt(UTF8ToString(pictures));
});
EM_JS(double, js_seed, (), { return TilvaraPage.seed(); });
// clang-format on

}  // namespace

void Build(int rows, int cols, double width, double height) { js_build(rows, cols, width, height); }

void PlaceCell(int index, double left, double top, double width, double height) {
    js_place(index, left, top, width, height);
}

void PaintCell(int index, const std::string& picture, bool highlighted, bool visible, bool shown,
               const std::string& name) {
    js_cell(index, picture.c_str(), highlighted, visible, shown, name.c_str());
}

void PaintCursor(int index, double left, double top, double width, double height, bool shown) {
    js_cursor(index, left, top, width, height, shown);
}

bool BoardHasFocus() { return js_board_has_focus() != 0; }

void FocusBoard() { js_focus_board(); }

void PaintPiece(int n, double left, double top, double width, double height, bool visible) {
    js_piece(n, left, top, width, height, visible);
}

void PaintLabel(int n, const std::string& text, double left, double top, double width,
                double height) {
    js_label(n, text.c_str(), left, top, width, height);
}

void PaintBacking(double left, double top, double width, double height, int secondsMax) {
    js_backing(left, top, width, height, secondsMax);
}

void PaintBar(double left, double top, double width, double height, int secondsLeft,
              const std::string& secondsText) {
    js_bar(left, top, width, height, secondsLeft, secondsText.c_str());
}

void PaintStartLine(const std::string& text, double left, double top, double width, double height) {
    js_start_line(text.c_str(), left, top, width, height);
}

void SetCaption(const std::string& caption) { js_caption(caption.c_str()); }

void AddMenu(const std::string& caption, bool enabled) { js_add_menu(caption.c_str(), enabled); }

void AddMenuItem(int menu, const std::string& caption, bool enabled) {
    js_add_item(menu, caption.c_str(), enabled);
}

void EnableMenuItem(int menu, int item, bool enabled) { js_enable_item(menu, item, enabled); }

void OpenMenu(int menu) { js_open_menu(menu); }

void ShowMainWindow(bool shown) { js_show_main(shown); }

void ShowEnded(bool shown) { js_ended(shown); }

void SetText(const std::string& window, const std::string& control, const std::string& text) {
    js_text(window.c_str(), control.c_str(), text.c_str());
}

void SetLink(const std::string& window, const std::string& control, const std::string& text,
             const std::string& href) {
    js_link(window.c_str(), control.c_str(), text.c_str(), href.c_str());
}

void JoinHoverGroup(const std::string& window, const std::string& control) {
    js_hover_group(window.c_str(), control.c_str());
}

void SetPicture(const std::string& window, const std::string& control, const std::string& picture) {
    js_picture(window.c_str(), control.c_str(), picture.c_str());
}

void OpenBox(int id, const std::string& title, const std::string& text, const std::string& ok) {
    js_open_box(id, title.c_str(), text.c_str(), ok.c_str());
}

void OpenWindow(int id, const std::string& element) { js_open_window(id, element.c_str()); }

void CloseWindow(int id) { js_close_window(id); }

void StartInterval(int slot, int ms) { js_start_interval(slot, ms); }

void StopInterval(int slot) { js_stop_interval(slot); }

void PreloadArt(const std::string& pictures) { js_preload(pictures.c_str()); }

std::optional<std::uint64_t> SeedParameter() {
    const double seed = js_seed();
    if (seed < 0) return std::nullopt;
    return static_cast<std::uint64_t>(seed);
}

}  // namespace tilvara::web::page
