// Form1, the main game window: a thin shell that paints the core and forwards every
// click, key, menu command and timer tick to it.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QMap>
#include <array>
#include <memory>

#include "game/game.h"
#include "game/random.h"
#include "game/time_of_day.h"

class QAction;
class QKeyEvent;

namespace tilvara::ui {

class BoardView;
class QtHost;
class frmSplash;

class Form1 final : public QMainWindow {
    Q_OBJECT
public:
    // help is the rules window that the help item opens again; null leaves it out.
    explicit Form1(frmSplash* help = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    Game& game() { return *game_; }
    QtHost& host() { return *host_; }
    BoardView& board() { return *board_; }
    QAction* action(const QString& name) const { return actions_.value(name); }

    // Brings the window's widgets in line with the core's view state.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void FitScreen();
    void OnMenu(const QString& name);
    void FocusBoard();
    void OpenFirstMenu();
    // True for a press of a key the game answers that repeats one still held, whatever the
    // toolkit's own flag says; also keeps track of the presses and releases of those keys.
    bool RepeatsHeldKey(const QKeyEvent& key);

    SystemRandom random_;
    SystemClock clock_;
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<Game> game_;
    // After the game: the board view and its accessible cells read the game's view state, so
    // they must go first. Deleting it also takes it out of the window as its central widget.
    std::unique_ptr<BoardView> board_;
    frmSplash* help_;
    QMap<QString, QAction*> actions_;
    // The keys the game answers, by Qt key: whether down, and the server time of the last
    // release (0: none known).
    struct HeldKey {
        bool down = false;
        quint64 releasedAt = 0;
    };
    QHash<int, HeldKey> heldKeys_;
    // Whether the X server sends a held key's repeats as presses alone.
    bool repeatsWithoutReleases_ = false;
};

}  // namespace tilvara::ui
