// An empty Qt main window, the baseline for the game's start-up time and memory.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Empty");
    window.resize(784, 520);
    window.show();
    return QApplication::exec();
}
