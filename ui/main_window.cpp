// The main window: menus, keys, timers and painting wired to the core.
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include "ui/about_window.h"
#include "ui/board_accessible.h"
#include "ui/board_view.h"
#include "ui/qt_host.h"
#include "ui/splash_window.h"

namespace tilvara::ui {

namespace {

// The core's key codes for the keys it answers.
int KeyCodeOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape: return KeyEscape;
        case Qt::Key_F1: return KeyF1;
        case Qt::Key_F2: return KeyF2;
        default: return 0;
    }
}

}  // namespace

Form1::Form1(frmSplash* help, QWidget* parent) : QMainWindow(parent), help_(help) {
    host_ = std::make_unique<QtHost>(
        this, [this](TimerId id) { OnTick(id); }, [this] { Refresh(); });
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
    setAccessibleName(QStringLiteral("Tilvara"));
    board_->setAccessibleName(QStringLiteral("棋盘"));
    menuBar()->setAccessibleName(QStringLiteral("菜单栏"));
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
    const QScreen* where = screen();
    if (!where) return resize(design + chrome);
    const QSize room = where->availableGeometry().size() -
                       QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const qreal scale = std::min((room.width() - chrome.width()) / qreal(design.width()),
                                 (room.height() - chrome.height()) / qreal(design.height()));
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
    if (name == "hard_help") {
        if (help_) help_->ShowHelp(this);
    } else if (name == "advertise" || name == "hard_about") {
        frmAbout about(this);
        about.exec();  // modal; the clock goes on behind it
    } else {
        game_->Menu_Click(name.toStdString());
    }
    Refresh();
}

void Form1::OnTick(TimerId id) {
    switch (id) {
        case TimerId::Timer1: game_->Timer1_Timer(); break;
        case TimerId::Timer2: game_->Timer2_Timer(); break;
        case TimerId::Timer3: game_->Timer3_Timer(); return;  // nothing to repaint
        case TimerId::Timer4: game_->Timer4_Timer(); break;
        case TimerId::Timer5: game_->Timer5_Timer(); break;
    }
    Refresh();
}

void Form1::Refresh() {
    const ViewState& view = game_->View();
    const QString caption = QString::fromStdString(view.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    for (const Menu& menu : view.menus) {
        for (const MenuItem& item : menu.items) {
            QAction* action = actions_.value(QString::fromStdString(item.name));
            if (action && action->isEnabled() != item.enabled) action->setEnabled(item.enabled);
        }
    }
    board_->Sync();
    NotifyBoardChanges(*board_);
}

// Holding F1 or F2 must not spend every hint or reshuffle: one command a physical press. The
// toolkit's repeat flag misses some repeats under X, so they are told apart here. X sends each
// repeat as a release and a press with the same server time; other platforms send presses
// with no release between. Releases count in every window of the program (a box the key
// opened takes the release), and a press that comes without a time is never a repeat by time.
bool Form1::RepeatsHeldKey(const QKeyEvent& key) {
    const int code = KeyCodeOf(key.key());
    if (code != KeyF1 && code != KeyF2) return false;
    HeldKey& held = heldKeys_[code == KeyF1 ? 0 : 1];
    if (key.type() == QEvent::KeyRelease) {
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
        heldKeys_ = {};
    }
    // A key event comes here first for the window object, then for the widget and, when
    // ignored, for its parents: only widgets count, and seeing the same release again, or
    // another window's press, changes nothing.
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType()) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool repeat = RepeatsHeldKey(*key);
    const int code = KeyCodeOf(key->key());
    if (type == QEvent::KeyPress && code != 0 && static_cast<QWidget*>(watched)->window() == this) {
        if (!repeat) {
            game_->Form_KeyDown(code);
            if (!game_->Unloaded()) Refresh();
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing the window is quitting, as Esc is.
    if (!game_->Unloaded()) game_->exit_Click();
    event->accept();
}

}  // namespace tilvara::ui
