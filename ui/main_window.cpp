// The main window: menus, keys, timers and painting wired to the core.
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "game/view_layout.h"
#include "ui/about_window.h"
#include "ui/board_accessible.h"
#include "ui/board_view.h"
#include "ui/key_state.h"
#include "ui/qt_host.h"
#include "ui/screen_room.h"
#include "ui/splash_window.h"

namespace tilvara::ui {

namespace {

// The core's key codes for the keys it answers. The window's commands come from any of its
// widgets; the board's own keys only while the board has the focus, so that after Alt the
// arrows and Return still walk the menu bar.
int KeyCodeOf(int qtKey, bool onBoard) {
    switch (qtKey) {
        case Qt::Key_Escape: return KeyEscape;
        case Qt::Key_F1: return KeyF1;
        case Qt::Key_F2: return KeyF2;
        case Qt::Key_F10: return KeyF10;
        default: break;
    }
    if (!onBoard) return 0;
    switch (qtKey) {
        case Qt::Key_Left: return KeyLeft;
        case Qt::Key_Up: return KeyUp;
        case Qt::Key_Right: return KeyRight;
        case Qt::Key_Down: return KeyDown;
        case Qt::Key_Space: return KeySpace;
        case Qt::Key_Return:
        case Qt::Key_Enter: return KeyReturn;
        default: return 0;
    }
}

}  // namespace

Form1::Form1(frmSplash* help, QWidget* parent) : QMainWindow(parent), help_(help) {
    host_ = std::make_unique<QtHost>(
        this,
        [this](TimerId id) {
            game_->Tick(id);
            Refresh();
        },
        [this] {
            Refresh();
            FocusBoard();
        });
    game_ = std::make_unique<Game>(*host_, random_, clock_);
    game_->Form_Load();

    board_ = std::make_unique<BoardView>(game_->View(), this);
    setCentralWidget(board_.get());
    BuildMenus();
    connect(board_.get(), &BoardView::cellClicked, this, [this](int index) {
        game_->Image2_Click(index);
        Refresh();
    });
    connect(board_.get(), &BoardView::label1Clicked, this, [this] {
        game_->Label1_Click();
        Refresh();
    });
    // F1, F2 and Esc reach the game whichever child has the focus and whether or not
    // their menu items are enabled.
    qApp->installEventFilter(this);
    repeatsWithoutReleases_ = AskForRepeatsWithoutReleases();
    if (help_) connect(help_, &QDialog::finished, this, &Form1::FocusBoard);
    board_->setAccessibleName(QString::fromUtf8(texts::access::Board));
    menuBar()->setAccessibleName(QString::fromUtf8(texts::access::MenuBar));
    Refresh();
    FitScreen();
}

// The design size, unless the screen's free area is smaller: then as large as fits, the
// board keeping its proportions. Room is left for a title bar the window manager adds. A
// screen too small for the board's usual minimum (a large scale factor) gets a smaller one,
// so the window never starts larger than the screen.
void Form1::FitScreen() {
    const QSize design = board_->sizeHint();
    const QSize chrome = sizeHint() - design;  // the menu bar
    const QSize room = WindowRoom(*this);
    if (room.isEmpty()) return resize(design + chrome);
    const qreal scale = std::min(qreal(room.width() - chrome.width()) / design.width(),
                                 qreal(room.height() - chrome.height()) / design.height());
    const QSize fitted =
        (QSizeF(design) * std::clamp(scale, qreal(0), qreal(1))).toSize().expandedTo(QSize(1, 1));
    if (scale < BoardView::MinimumScale) board_->setMinimumSize(fitted);
    resize(fitted + chrome);
}

Form1::~Form1() { qApp->removeEventFilter(this); }

void Form1::BuildMenus() {
    for (const Menu& menu : game_->View().menus) {
        QMenu* qmenu = menuBar()->addMenu(QString::fromStdString(menu.caption));
        qmenu->setObjectName(QString::fromStdString(menu.name));
        qmenu->menuAction()->setEnabled(menu.enabled);
        actions_.insert(QString::fromStdString(menu.name), qmenu->menuAction());
        for (const MenuItem& item : menu.items) {
            const QString name = QString::fromStdString(item.name);
            QAction* action = qmenu->addAction(QString::fromStdString(item.caption));
            action->setObjectName(name);
            connect(action, &QAction::triggered, this, [this, name] { OnMenu(name); });
            actions_.insert(name, action);
        }
    }
}

void Form1::OnMenu(const QString& name) {
    switch (game_->Menu_Click(name.toStdString())) {
        case MenuAnswer::OpenHelp:
            if (help_) help_->ShowHelp(this);
            break;
        case MenuAnswer::OpenAbout: {
            // Modal to this window and made afresh for each opening; the clock goes on behind it.
            auto* about = new frmAbout(this);
            about->setAttribute(Qt::WA_DeleteOnClose);
            connect(about, &QDialog::finished, this, &Form1::FocusBoard);
            about->open();
            break;
        }
        default: FocusBoard();  // a new deal, say, is played on the board
    }
    Refresh();
}

// The board takes the keys when a game is dealt and whenever the last box or window over
// the main window closes: without a window manager nothing else would give them back.
void Form1::FocusBoard() {
    if (game_->Unloaded() || !isVisible() || QApplication::activeModalWidget()) return;
    // A key let go while a box or window blocked this one never reached it.
    heldKeys_.clear();
    activateWindow();
    board_->setFocus(Qt::OtherFocusReason);
}

// F10, as desktop applications here have it: the first menu opens, its first item ready
// for Return.
void Form1::OpenFirstMenu() {
    const std::vector<Menu>& menus = game_->View().menus;
    QAction* opener = menus.empty() ? nullptr : action(QString::fromStdString(menus[0].name));
    QMenu* menu = opener ? opener->menu() : nullptr;
    if (!menu || !opener->isEnabled()) return;
    menuBar()->setActiveAction(opener);
    for (QAction* item : menu->actions()) {
        if (!item->isEnabled()) continue;
        menu->setActiveAction(item);
        break;
    }
}

void Form1::Refresh() {
    // The core says what changed: a tick of the counter, say, changes nothing on screen.
    const ViewChanges changes = game_->TakeChanges();
    if (!changes.Any()) return;
    const ViewState& view = game_->View();
    if (changes.caption) {
        const QString caption = QString::fromStdString(view.caption);
        setWindowTitle(caption);
        setAccessibleName(caption);  // what a screen reader calls the window, and tells anew
    }
    for (const Menu& menu : view.menus) {
        for (const MenuItem& item : menu.items) {
            QAction* action =
                changes.menus ? actions_.value(QString::fromStdString(item.name)) : nullptr;
            if (action) action->setEnabled(item.enabled);
        }
    }
    // The line on the empty field is painted; assistive technology reads it here.
    if (changes.startLine)
        board_->setAccessibleDescription(QString::fromStdString(BoardDescription(view)));
    board_->Sync(changes);
    NotifyBoardChanges(*board_, changes);
}

// Holding F1 or F2 must not spend every hint or reshuffle, nor Space click twice: the core
// takes a key's repeats only where they mean something (the arrows), so the shell must tell
// them apart. The toolkit's repeat flag misses some repeats under X. The X server is asked to
// send a held key's repeats as presses alone, so a press while the key is down is a repeat;
// a server that sends each repeat as a release and a press with the same server time, as X
// does by default, has those told by the time. Releases count in every window of the program
// (a box the key opened takes the release). A screen reader's bridge hands every key on
// again, later and without its time: then, where repeats still come with releases, a release
// while the X server holds the key down is a repeat's. (Read after the finger has let go, a
// repeat's release would pass for the last one, and its press for a new one: the repeats
// without releases are what keep a late reading right.)
bool Form1::RepeatsHeldKey(const QKeyEvent& key) {
    if (KeyCodeOf(key.key(), true) == 0) return false;
    HeldKey& held = heldKeys_[key.key()];
    if (key.type() == QEvent::KeyRelease) {
        if (!repeatsWithoutReleases_ && key.timestamp() == 0 &&
            KeyDownNow(key.nativeScanCode()).value_or(false)) {
            return false;
        }
        held = {false, key.timestamp()};
        return false;
    }
    const bool repeat = held.down || (key.timestamp() != 0 && key.timestamp() == held.releasedAt);
    held.down = true;
    return repeat;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A key let go while another program had the focus never reaches this one.
    if (type == QEvent::ApplicationStateChange &&
        QGuiApplication::applicationState() != Qt::ApplicationActive) {
        heldKeys_.clear();
    }
    // A key event comes here first for the window object, then for the widget and, when
    // ignored, for its parents: only widgets count, and seeing the same release again, or
    // another window's press, changes nothing.
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType()) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool repeat = RepeatsHeldKey(*key);
    const int code = KeyCodeOf(key->key(), watched == board_.get());
    if (type == QEvent::KeyPress && code != 0 && static_cast<QWidget*>(watched)->window() == this) {
        // The core decides which keys repeat while held.
        const KeyAnswer answer = game_->Form_KeyDown(code, repeat);
        if (game_->Unloaded()) return true;
        if (answer == KeyAnswer::OpenFirstMenu) OpenFirstMenu();
        Refresh();
        return answer != KeyAnswer::NotMine;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing the window is quitting, as Esc is.
    if (!game_->Unloaded()) game_->exit_Click();
    event->accept();
}

}  // namespace tilvara::ui
