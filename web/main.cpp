// Tilvara in the browser: starts the first run and hands the page's events to the shell.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "web/page.h"
#include "web/shell.h"

namespace {

tilvara::web::Shell* shell = nullptr;

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
    return shell->KeyDown({event->key, event->code, event->repeat != 0, event->ctrlKey != 0,
                           event->altKey != 0, event->metaKey != 0});
}

EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* event, void*) {
    shell->KeyUp(event->code);
    return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
    shell->Blur();
    return EM_FALSE;
}

}  // namespace

// What page.js calls.
extern "C" {
EMSCRIPTEN_KEEPALIVE void tv_click(int index) { shell->Click(index); }
EMSCRIPTEN_KEEPALIVE void tv_label1() { shell->Label1Click(); }
EMSCRIPTEN_KEEPALIVE void tv_tap(int label) { shell->TapCount(label); }
EMSCRIPTEN_KEEPALIVE void tv_menu(int menu, int item) { shell->Menu(menu, item); }
EMSCRIPTEN_KEEPALIVE void tv_dismiss(int window) { shell->Dismiss(window); }
EMSCRIPTEN_KEEPALIVE void tv_control(int window, const char* control) {
    shell->ControlClick(window, control);
}
EMSCRIPTEN_KEEPALIVE void tv_new_run() { shell->StartRun(); }
EMSCRIPTEN_KEEPALIVE void tv_tick(int slot, bool behind) { shell->Tick(slot, behind); }
EMSCRIPTEN_KEEPALIVE void tv_paint() { shell->Repaint(); }
}

int main() {
    // Lives as long as the page; main returns, the page's event loop goes on.
    const double seed = tilvara::web::page::SeedParameter();
    static tilvara::web::Shell theShell(
        seed < 0 ? std::nullopt : std::optional<std::uint64_t>(static_cast<std::uint64_t>(seed)));
    shell = &theShell;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, OnKeyDown);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, OnKeyUp);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnBlur);
    shell->StartRun();
    return 0;
}
