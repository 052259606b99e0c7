// The rules window's texts as plain labels in the game's fonts, closed by any key: how the
// yardstick windows open the way the game does, without its panels, pictures or game.
#pragma once

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "ui/application.h"

namespace bench {

struct RulesText {
    const char* text;
    qreal points;
    bool bold;
};

inline constexpr std::array<RulesText, 9> RulesTexts = {{
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

class BareRules : public QDialog {
public:
    BareRules() {
        setWindowTitle(QString::fromUtf8("游戏规则 - Tilvara"));
        auto* layout = new QVBoxLayout(this);
        for (const RulesText& t : RulesTexts) {
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

// Runs the application with the main window that make() builds, shown at once or, as the game
// does, when the rules window first closes.
inline int RunMainWindow(bool rulesFirst, const std::function<QMainWindow*()>& make) {
    QApplication::setQuitOnLastWindowClosed(false);  // the rules close before the main window
    std::unique_ptr<QMainWindow> window;
    const auto open = [&] {
        window.reset(make());
        window->show();
    };
    std::optional<BareRules> rules;
    if (rulesFirst) {
        rules.emplace();
        QObject::connect(&*rules, &QDialog::finished, open);
        rules->show();
    } else {
        open();
    }
    return QApplication::exec();
}

}  // namespace bench
