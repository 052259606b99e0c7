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

constexpr int RulesTicksToClose = 10;

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

int KeyCodeOf(const Key& k) {
    if (k.key == "Escape") return KeyEscape;
    if (k.key == "F1") return KeyF1;
    if (k.key == "F2") return KeyF2;
    return 0;
}

}  // namespace

Shell::Shell(std::optional<std::uint64_t> seed) : seed_(seed) { FillWindows(); }

Shell::~Shell() { StopRulesTimer(); }

void Shell::StartRun() {
    firstShown_ = false;
    closeTicks_ = 0;
    page::ShowEnded(false);
    ShowRules();
    std::string pictures;
    for (int kind = 1; kind <= Kinds; ++kind) {
        if (kind > 1) pictures += ' ';
        pictures += PictureFile(kind);
    }
    page::PreloadArt(pictures);
}

// ---------------------------------------------------------------- windows

int Shell::Open(Kind kind, std::function<void()> closed) {
    const int id = nextWindow_++;
    windows_.push_back({id, kind, std::move(closed)});
    return id;
}

void Shell::Dismiss(int window) {
    const auto it = std::find_if(windows_.begin(), windows_.end(),
                                 [window](const Window& w) { return w.id == window; });
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
    if (form_) form_->Refresh();
}

void Shell::OpenBox(std::string_view text, std::function<void()> closed) {
    const int id = Open(Kind::Box, std::move(closed));
    page::OpenBox(id, texts::MessageTitle, std::string(text), texts::OkButton);
}

void Shell::OpenAbout() { page::OpenWindow(Open(Kind::About), "frmAbout"); }

void Shell::OpenHelp() { ShowRules(); }

// Each showing loads the window afresh: Timer1 runs, unless the window has closed before.
void Shell::ShowRules() {
    page::OpenWindow(Open(Kind::Rules), "frmSplash");
    StopRulesTimer();
    if (!firstShown_) rulesTimer_ = emscripten_set_interval(&Shell::OnRulesTick, 1000, this);
}

void Shell::OnRulesTick(void* shell) {
    auto& self = *static_cast<Shell*>(shell);
    // Exactly the tenth: the count never resets, so this happens once per run.
    if (++self.closeTicks_ != RulesTicksToClose) return;
    for (const Window& w : self.windows_) {
        if (w.kind == Kind::Rules) return self.Dismiss(w.id);
    }
}

void Shell::StopRulesTimer() {
    if (rulesTimer_) emscripten_clear_interval(rulesTimer_);
    rulesTimer_ = 0;
}

void Shell::RulesClosed() {
    StopRulesTimer();
    if (firstShown_) return;
    firstShown_ = true;
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
    self.form_.reset();
    page::ShowEnded(true);
}

// ---------------------------------------------------------------- input

bool Shell::MainWindowActive() const { return form_ && mainShown_ && windows_.empty(); }

void Shell::Click(int index) {
    if (MainWindowActive()) form_->Click(index);
}

void Shell::Label1Click() {
    if (MainWindowActive()) form_->Label1Click();
}

void Shell::Menu(int menu, int item) {
    if (MainWindowActive()) form_->Menu(menu, item);
}

bool Shell::KeyDown(const Key& key) {
    // F1 would open the browser's help and Esc stop the page: never, whoever gets the key.
    const bool reserved = key.key == "F1" || key.key == "F2" || key.key == "Escape";
    // Holding a key must not spend every hint or close box after box: one act a press.
    const bool fresh = keysDown_.insert(key.code).second && !key.repeat;
    if (!windows_.empty()) {
        const Window& top = windows_.back();
        const bool closes = top.kind == Kind::Rules ? TypesCharacter(key)
                                                    : key.key == "Enter" || key.key == "Escape";
        if (!closes) return reserved;
        if (fresh) Dismiss(top.id);
        return true;
    }
    const int code = KeyCodeOf(key);
    if (code == 0 || !MainWindowActive()) return reserved;
    if (fresh) form_->KeyDown(code);
    return true;
}

void Shell::KeyUp(const std::string& code) { keysDown_.erase(code); }

// A key released while the page had no focus sends no key-up.
void Shell::Blur() { keysDown_.clear(); }

}  // namespace tilvara::web
