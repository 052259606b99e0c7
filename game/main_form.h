// The main window minus pixels: the whole game state, every event handler, and the view
// state the shell paints. Front ends reach it through Game (game/game.h); tests through a probe.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/board.h"
#include "game/host.h"
#include "game/link.h"
#include "game/random.h"
#include "game/slide.h"
#include "game/time_of_day.h"
#include "game/view_state.h"
#include "game/window_layout.h"

namespace tilvara {

constexpr int HintsPerDeal = 5;
constexpr int ReshufflesPerDeal = 1;
constexpr int LastLevel = 7;
constexpr int RevealThreshold = 5;  // clicks on Label1 above this mark every linkable tile
// Key codes as the window receives them.
constexpr int KeyReturn = 13;
constexpr int KeyEscape = 27;
constexpr int KeySpace = 32;
constexpr int KeyLeft = 37;
constexpr int KeyUp = 38;
constexpr int KeyRight = 39;
constexpr int KeyDown = 40;
constexpr int KeyF1 = 112;
constexpr int KeyF2 = 113;
constexpr int KeyF10 = 121;

// What is left for the front end once the core has had a key.
enum class KeyAnswer {
    NotMine,       // a key the window does not answer: the toolkit may use it
    Taken,         // done, or a held key's repeat that the window drops
    OpenFirstMenu  // F10: only the front end can open the menu bar's first menu
};

// What is left for the front end once the core has had a menu item.
enum class MenuAnswer {
    NotMine,    // unknown or disabled: nothing happens
    Taken,      // done
    OpenHelp,   // the rules window, as help: a window of the front end's own
    OpenAbout,  // the about box, likewise
};

// The variables of the main window, under their own names.
struct GameState : SlideModes {
    bool hasSelection = false;
    LinkOutputs link;  // linkFlag, minLenViaCol, bestCol, minLenViaRow, bestRow
    Board board;
    int selCol = 0;
    int selRow = 0;
    int selIndex = 0;
    int revealClicks = 0;
    int tilesLeft = 0;
    int tickCount = 0;
    double startTime = 0;
    double endTime = 0;
    double usedTime = 0;  // a fraction of a day
    int hintsLeft = 0;
    int level = 0;
    int totalScore = 0;
    int recentScore1 = 0;  // oldest of the last three link scores
    int recentScore2 = 0;
    int recentScore3 = 0;
    int reshufflesLeft = 0;
};

// Where the window is in its life. Every handler checks it once on entry. A removal at work
// (from the second click of a pair until its slide is done) is a step within Playing.
enum class Phase {
    BeforeFirstDeal,  // started up: the sorted layout lies hidden
    Playing,
    Closed,  // unloaded: every handler returns at once
};

// "H:mm:ss" for a span of the steady clock, given as a fraction of a day.
std::string FormatElapsed(double days);

class MainForm : public GameState {
public:
    MainForm(Host& host, Random& random, TimeOfDay& clock);
    // Its boxes' continuations and the host hold on to this window.
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    const ViewState& View() const { return view_; }
    // What changed in the view since the last call; the first call names everything. A front
    // end takes it after every event it forwards and repaints exactly what it names.
    ViewChanges TakeChanges();
    // Whether the view has changed since the front end last took the changes.
    bool ChangesWaiting() const { return !drawnOnce_ || Compare(drawn_, view_).Any(); }

    // Start-up, before the window is first shown.
    void Form_Load();
    void NewGame();

    void Image2_Click(int Index);
    void Label1_Click();
    // A key pressed while the window has the focus; `repeat` marks a held key's repeats.
    KeyAnswer Form_KeyDown(int keyCode, bool repeat = false);
    // A menu item by name, as the view's menus name them.
    MenuAnswer Menu_Click(std::string_view item);
    // Every timer's tick, through one entry.
    void Tick(TimerId id);

    void hard1_Click();
    void hard2_Click() { StartLevel(2); }
    void hard3_Click() { StartLevel(3); }
    void hard4_Click() { StartLevel(4); }
    void hard5_Click() { StartLevel(5); }
    void hard6_Click() { StartLevel(6); }
    void hard7_Click() { StartLevel(7); }
    void hint_Click();
    void hint11_Click();
    void exit_Click();
    // The board cursor: one cell at a time, stopping at the edges.
    void MoveCursor(int rowStep, int colStep);
    // Space or Return: a click on the cursor's cell.
    void PressCursor();
    void ShowFrame();

    void Timer1_Timer();
    void Timer2_Timer();
    // The tick counter; its ticks also end a removal's path hold.
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();

    // The path pieces: a segment between the centres of two cells of one row or column.
    void DrawHLine1(int row, int colA, int colB);
    void DrawHLine2(int row, int colA, int colB);
    void DrawVLine1(int col, int rowA, int rowB);
    void DrawVLine2(int col, int rowA, int rowB);

    // Scores one removed pair and grants the rewards of the last three scores (a reward
    // once the player has closed its box).
    void ScoreLink(int score);
    // Twice the number of linkable pairs (a pair counts once from each end); in reveal mode
    // it also marks them.
    int CountLinkablePairs(bool mark);

    bool Unloaded() const { return phase_ == Phase::Closed; }
    // Once unloaded: how the game ended (Esc or the quit item) and, after a deal, the level
    // and the score, for a front end that stays on screen.
    std::string EndedNotice() const;
    bool RemovalAtWork() const { return removal_.has_value(); }
    // The invariants that hold between events: border empty, kinds in even counts, pictures
    // visible exactly on tiles after the first deal, link outputs at rest, one mode at most.
    bool IsConsistent() const;
    // Puts a board in place with matching pictures, for tests and tools.
    void PlaceBoard(const Board& newBoard);

private:
    // Opened at the top of every handler: tells whether the handler runs in this phase and,
    // in debug builds, checks the invariants once it returns outside a removal.
    class Entry {
    public:
        enum Rule { AnyTime, NotDuringRemoval };
        Entry(const MainForm& game, Rule rule);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;
        explicit operator bool() const { return runs_; }

    private:
        const MainForm& game_;
        bool runs_;
    };

    // A removal outlives the click that starts it: its path shows for three ticks of
    // Timer3, and a reward box holds it until the player closes the box. The first tile is
    // the selection (selRow, selCol); the path it showed stays in `link` until it ends.
    // A deal, a quit or the level's end ends it at once.
    struct Removal {
        int index = 0;  // Image2 index of the tile clicked second, and its cell
        int row = 0;
        int col = 0;
        int score = 0;        // the path's length, taken when the path was drawn
        int holdStart = 0;    // tickCount then
        bool holding = true;  // the path still shows; false once the pair is gone and scored
    };

    void ClickPicture(int Index);
    void StartLevel(int n);
    // The prompt on the field after a level has ended: what happened, then how to go on.
    void Prompt(const char* what);
    static std::string PromptText(const char* what);
    void ShowClock();
    void ShowLevel();
    void ShowPlayLabels(bool shown);
    void SetTimer(TimerId id, bool on);
    bool TimerOn(TimerId id) const { return view_.timers[static_cast<int>(id)]; }
    // Shows a box; `then` runs once the player has closed it, unless the window has closed.
    void Message(std::string_view text, std::function<void()> then = {});
    void MessageClosed(int box, const std::function<void()>& then);
    void SetFace(int index, int kind, bool highlighted);
    void LayOutSorted(bool createPictures);
    Cell DrawCell();
    void ExchangeCells(Cell here, Cell target);
    void ShowPath(int row1, int col1, int row2, int col2);
    void HidePath();
    bool HoldOver() const;
    void AdvanceRemoval();
    void RemovePair();
    void FinishRemoval();
    void AbandonRemoval();
    void CloseAttempt(int Index, bool removed);
    void EndClick(bool removed);
    void EndLevel();
    void ReshufflePass();
    void MarkPair(Cell a, Cell b);
    void DrawSegment(Piece& piece, bool horizontal, int line, int from, int to);

    Host& host_;
    Random& random_;
    TimeOfDay& clock_;
    ViewState view_;
    ViewState drawn_;         // the view as the front end last took it
    bool drawnOnce_ = false;  // the front end has taken it at least once
    Phase phase_ = Phase::BeforeFirstDeal;
    unsigned dealCount_ = 0;  // a reward is granted only on the board it was earned on
    std::optional<Removal> removal_;
    // The boxes shown and not yet closed, each by the token its closing carries: a host
    // that reports a closing twice, or one that never opened, changes nothing.
    std::vector<int> openBoxes_;
    int lastBox_ = 0;
    bool showingMessage_ = false;  // a host must never close a box from inside ShowMessage
    bool quitByKey_ = false;       // Esc, rather than the quit item, closed the window
};

}  // namespace tilvara
