// Two bare windows that open the way the game's do: the rules window's texts as plain labels in
// the same fonts, closed by any key, then a main window with the same menu bar over an empty
// area of the game's design size. The start-up yardstick of scripts/measure-resize.sh: what any
// program costs that opens these windows with this text, without pictures, panels or a game.
// With --main-only the main window opens at once.
#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>

#include <array>
#include <memory>
#include <vector>

#include "bench/game_menus.h"
#include "ui/application.h"

namespace {

struct Text {
    const char* text;
    qreal points;
    bool bold;
};

constexpr std::array<Text, 9> RulesTexts = {{
    {"Tilvara  2.0版", 20, true},
    {"本软件共7关,第四关比较难过,需要较多的重排机会!", 11, false},
    {"得分规则：得分是按照连接的路线的长度记分。所以大家要尽           可能的连通更长的两张牌。",
     12, false},
    {"奖励规则：最近三次连通总分大于37分，就奖励一次提示；大           于39分，就奖励一次重新排列的"
     "机会。",
     12, false},
    {"爱心提示: 长时间玩游戏          容易损伤视力", 12, false},
    {"广告 · tilvara.example.org", 9.5, true},
    {"▸ 更多益智小游戏，免费下载", 10.5, false},
    {"▸ Tilvara 开发组新作抢先试玩", 10.5, false},
    {"▸ Tilvara 周边：牌面马克杯、拼图与贴纸", 10.5, false},
}};

class Rules : public QDialog {
public:
    Rules() {
        setWindowTitle(QString::fromUtf8("游戏规则 - Tilvara"));
        auto* layout = new QVBoxLayout(this);
        for (const Text& t : RulesTexts) {
            auto* label = new QLabel(QString::fromUtf8(t.text), this);
            QFont font(tilvara::ui::LabelFamily());
            font.setPointSizeF(t.points);
            font.setBold(t.bold);
            label->setFont(font);
            layout->addWidget(label);
        }
    }

protected:
    void keyPressEvent(QKeyEvent*) override { accept(); }
};

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
    QApplication::setQuitOnLastWindowClosed(false);  // the rules close before the main window

    std::unique_ptr<QMainWindow> window;
    if (app.arguments().contains("--main-only")) {
        window.reset(MainWindow());
        window->show();
        return QApplication::exec();
    }
    Rules rules;
    QObject::connect(&rules, &QDialog::finished, [&] {
        window.reset(MainWindow());
        window->show();
    });
    rules.show();
    return QApplication::exec();
}
