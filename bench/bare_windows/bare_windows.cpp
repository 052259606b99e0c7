// Two bare windows that open the way the game's do: the rules window's texts as plain labels in
// the same fonts, closed by any key, then a main window with the same menu bar over an empty
// area of the game's design size. The start-up yardstick of scripts/measure-resize.sh: what any
// program costs that opens these windows with this text, without pictures, panels or a game.
// With --main-only the main window opens at once.
#include <QApplication>
#include <QMainWindow>

#include "bench/bare_rules.h"
#include "bench/game_menus.h"
#include "ui/application.h"

namespace {

QMainWindow* MainWindow() {
    auto* window = new QMainWindow;
    window->setWindowTitle("Tilvara");
    AddGameMenus(window->menuBar());
    auto* area = new QWidget(window);
    area->setAutoFillBackground(true);
    area->setPalette(QPalette(Qt::black));
    area->setMinimumSize(784, 498);
    window->setCentralWidget(area);
    return window;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tilvara::ui::SetUpApplication(app);
    return bench::RunMainWindow(!app.arguments().contains("--main-only"), MainWindow);
}
