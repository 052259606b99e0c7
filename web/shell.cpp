// The run, the modal windows and the keys of the page.
#include "web/shell.h"

#include <emscripten/html5.h>

#include <algorithm>

#include "game/game.h"
#include "game/texts.h"
#include "game/tile_pictures.h"
#include "web/main_window.h"
#include "web/page.h"

namespace tilvara::web {

namespace {

// The game's timers have the interval slots of their numbers; the rules window's is next.
constexpr int RulesTimerSlot = TimerCount;

// A key that types a character, Enter, Esc, Tab and Backspace included, and no shortcut of
// the browser's.
bool TypesCharacter(const Key& k) {
    if (k.ctrl || k.alt || k.meta) return false;
    if (k.key == "Enter" || k.key == "Escape" || k.key == "Tab" || k.key == "Backspace")
        return true;
    // One code point: its UTF-8 lead byte is followed by continuation bytes only.
    return !k.key.empty() && std::all_of(k.key.begin() + 1, k.key.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    });
}

// The core's key codes for the keys it answers. The window's commands come from anywhere in
// it; the board's own keys only while the board has the focus, so that on the menu bar the
// arrows and Return still walk the menus.
int KeyCodeOf(const Key& k, bool onBoard) {
    if (k.key == "Escape") return KeyEscape;
    if (k.key == "F1") return KeyF1;
    if (k.key == "F2") return KeyF2;
    if (k.key == "F10") return KeyF10;
    if (!onBoard) return 0;
    if (k.key == "ArrowLeft") return KeyLeft;
    if (k.key == "ArrowUp") return KeyUp;
    if (k.key == "ArrowRight") return KeyRight;
    if (k.key == "ArrowDown") return KeyDown;
    if (k.key == " ") return KeySpace;
    if (k.key == "Enter") return KeyReturn;
    return 0;
}

}  // namespace

Shell::Shell(std::optional<std::uint64_t> seed) : seed_(seed) {}

Shell::~Shell() { StopRulesTimer(); }

void Shell::StartRun() {
    rules_ = RulesWindow{};
    page::ShowEnded(false, "");
    ShowRules();
    // The clock's bar first shows at the deal, with the faces.
    std::string pictures = "bar";
    for (int kind = 1; kind <= Kinds; ++kind) (pictures += ' ') += PictureFile(kind);
    page::PreloadArt(pictures.c_str());
}

// ---------------------------------------------------------------- windows

int Shell::Open(Kind kind, std::function<void()> closed) {
    const int id = nextWindow_++;
    windows_.push_back({id, kind, std::move(closed)});
    return id;
}

std::vector<Shell::Window>::iterator Shell::FindWindow(int window) {
    return std::find_if(windows_.begin(), windows_.end(),
                        [window](const Window& w) { return w.id == window; });
}

void Shell::Dismiss(int window) {
    const auto it = FindWindow(window);
    if (it == windows_.end()) return;
    const Window closing = std::move(*it);
    windows_.erase(it);
    page::CloseWindow(closing.id);
    switch (closing.kind) {
        case Kind::Rules: RulesClosed(); break;
        case Kind::About: break;
        case Kind::Box:
            if (closing.closed) closing.closed();
            break;
    }
    if (!form_) return;
    form_->Refresh();
    // The board takes the keys again once the last window over the main window is gone.
    if (MainWindowActive()) page::FocusBoard();
}

void Shell::ControlClick(int window, std::string_view control) {
    const auto it = FindWindow(window);
    if (it != windows_.end() && it->kind == Kind::Rules && RulesWindow::ClosesOnClick(control))
        Dismiss(window);
}

void Shell::OpenBox(std::string_view text, std::function<void()> closed) {
    const int id = Open(Kind::Box, std::move(closed));
    page::OpenBox(id, texts::MessageTitle, std::string(text).c_str(), texts::OkButton);
}

void Shell::OpenAbout() { page::OpenWindow(Open(Kind::About), "frmAbout"); }

void Shell::OpenHelp() { ShowRules(); }

// Each showing loads the window afresh: Timer1 runs, unless the window has closed before.
void Shell::ShowRules() {
    rules_.Form_Load();
    page::SetText("frmSplash", "lblStart", rules_.StartLine());
    ShowCountdown();
    page::OpenWindow(Open(Kind::Rules), "frmSplash");
    if (rules_.Timer1On())
        page::StartInterval(RulesTimerSlot, RulesWindow::Timer1Interval);
    else
        StopRulesTimer();
}

void Shell::Tick(int slot, bool behind) {
    if (slot == RulesTimerSlot)
        RulesTick();
    else if (form_ && slot >= 0 && slot < TimerCount)
        form_->Tick(static_cast<TimerId>(slot), behind);
}

void Shell::Repaint() {
    if (form_) form_->Refresh();
}

// At start only: help never closes by itself, so it counts nothing down.
void Shell::ShowCountdown() {
    const int seconds = rules_.SecondsToClose();
    page::SetText("frmSplash", "lblCountdown",
                  seconds > 0 ? texts::splash::Countdown(seconds).c_str() : "");
}

void Shell::RulesTick() {
    if (!rules_.Tick()) return ShowCountdown();
    for (const Window& w : windows_) {
        if (w.kind == Kind::Rules) return Dismiss(w.id);
    }
}

void Shell::StopRulesTimer() { page::StopInterval(RulesTimerSlot); }

void Shell::RulesClosed() {
    StopRulesTimer();
    if (!rules_.Form_Unload()) return;
    form_ = std::make_unique<Form1>(*this, seed_);
    page::ShowMainWindow(true);
    mainShown_ = true;
}

// ---------------------------------------------------------------- the end of a run

void Shell::Unload() {
    // Whatever is still open goes without a word to the core.
    while (!windows_.empty()) {
        page::CloseWindow(windows_.back().id);
        windows_.pop_back();
    }
    StopRulesTimer();
    page::ShowMainWindow(false);
    mainShown_ = false;
    // The game is inside one of its handlers: it goes once that has returned.
    if (!ending_) emscripten_set_timeout(&Shell::OnEndRun, 0, this);
    ending_ = true;
}

void Shell::OnEndRun(void* shell) {
    auto& self = *static_cast<Shell*>(shell);
    self.ending_ = false;
    const std::string notice = self.form_->EndedNotice();
    self.form_.reset();
    page::SetCaption(texts::AppTitle);
    page::ShowEnded(true, notice.c_str());
}

// ---------------------------------------------------------------- input

bool Shell::MainWindowActive() const { return form_ && mainShown_ && windows_.empty(); }

void Shell::Click(int index) {
    if (MainWindowActive()) form_->Click(index);
}

void Shell::Label1Click() {
    if (MainWindowActive()) form_->Label1Click();
}

void Shell::TapCount(int label) {
    if (MainWindowActive()) form_->KeyDown(label == 0 ? KeyF2 : KeyF1, false);
}

void Shell::Menu(int menu, int item) {
    if (MainWindowActive()) form_->Menu(menu, item);
}

bool Shell::KeyDown(const Key& key) {
    // F1 would open the browser's help, F10 its menu and Esc stop the page: never, whoever
    // gets the key.
    const bool reserved =
        key.key == "F1" || key.key == "F2" || key.key == "F10" || key.key == "Escape";
    // A held key: the browser flags its repeats, though not always; a key still down is one
    // too. The core decides which keys act again while held; boxes close once a press.
    const bool repeat = !keysDown_.insert(key.code).second || key.repeat;
    const bool fresh = !repeat;
    if (!windows_.empty()) {
        const Window& top = windows_.back();
        const bool closes = top.kind == Kind::Rules ? TypesCharacter(key)
                                                    : key.key == "Enter" || key.key == "Escape";
        if (!closes) return reserved;
        if (fresh) Dismiss(top.id);
        return true;
    }
    if (!MainWindowActive()) return reserved;
    const int code = KeyCodeOf(key, page::BoardHasFocus());
    return (code != 0 && form_->KeyDown(code, repeat)) || reserved;
}

void Shell::KeyUp(const std::string& code) { keysDown_.erase(code); }

// A key released while the page had no focus sends no key-up.
void Shell::Blur() { keysDown_.clear(); }

}  // namespace tilvara::web
