// The page as the game's desktop: a run (the rules window, then the main window), the modal
// windows stacked over it, where each key goes, and what is left when the game has ended.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "game/secondary_windows.h"

namespace tilvara::web {

class Form1;

// A key as the browser reports it: key is what it means ("a", "Enter", "F1"), code which
// physical key it is.
struct Key {
    std::string key;
    std::string code;
    bool repeat = false;
    bool ctrl = false, alt = false, meta = false;
};

class Shell {
public:
    explicit Shell(std::optional<std::uint64_t> seed);
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // A run from its start: the rules window, whose first closing opens a fresh main window.
    void StartRun();

    // The page's events.
    void Click(int index);
    void Label1Click();
    // A tap on the reshuffle count (0) or the hint count (1), on a touch screen: F2 or F1.
    void TapCount(int label);
    void Menu(int menu, int item);
    // A window's close button, 确定 or close request; ids no longer open are ignored.
    void Dismiss(int window);
    // A click on a control of a window, by the control's name.
    void ControlClick(int window, std::string_view control);
    // An interval of the page: a timer of the game, or the rules window's Timer1.
    // behind: more ticks the page missed follow at once (a hidden tab's return), so this one
    // leaves the painting to the last of them.
    void Tick(int slot, bool behind = false);
    // Paints what the ticks before left unpainted.
    void Repaint();
    // Returns true when the browser's own meaning of the key must not run.
    bool KeyDown(const Key& key);
    void KeyUp(const std::string& code);
    void Blur();

    // The main window of the run, once the rules window has closed; none before.
    Form1* MainWindow() const { return form_.get(); }

    // What the main window and its host ask for.
    void OpenHelp();
    void OpenAbout();
    void OpenBox(std::string_view text, std::function<void()> closed);
    void Unload();

private:
    enum class Kind { Rules, About, Box };
    struct Window {
        int id;
        Kind kind;
        std::function<void()> closed;  // a box's
    };

    int Open(Kind kind, std::function<void()> closed = {});
    std::vector<Window>::iterator FindWindow(int window);
    void ShowRules();
    void RulesClosed();
    void StopRulesTimer();
    void RulesTick();
    void ShowCountdown();
    static void OnEndRun(void* shell);
    bool MainWindowActive() const;

    std::optional<std::uint64_t> seed_;
    std::unique_ptr<Form1> form_;
    bool mainShown_ = false;
    bool ending_ = false;
    std::vector<Window> windows_;  // the open modal windows, the newest last
    int nextWindow_ = 1;
    std::set<std::string> keysDown_;  // physical keys held, so a press counts once

    RulesWindow rules_;  // for the whole run: closing the window does not reset it
};

}  // namespace tilvara::web
