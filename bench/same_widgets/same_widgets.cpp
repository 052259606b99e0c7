// The game's windows without the game: a rules dialog of the same kinds of widgets and texts,
// then on a key a main window with the same menus, four CJK labels and 144 tile pictures. The
// yardstick of scripts/measure-startup.sh; a click hides a tile so it can be "played" alike.
#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>

#include <array>
#include <memory>
#include <vector>

namespace {

constexpr int Rows = 8, Cols = 18, FaceW = 39, FaceH = 49, GridLeft = 41, GridTop = 40;

QFont Font(qreal points, bool bold = false) {
    QFont font("SimHei");
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* Label(const QString& text, const QFont& font, QWidget* parent, bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setWordWrap(wrap);
    return label;
}

// A tile: an ivory rounded body with a coloured disc and a number, one look per kind.
QPixmap Tile(int kind) {
    QPixmap pixmap(FaceW, FaceH);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ivory(0, 0, FaceW, FaceH);
    ivory.setColorAt(0, QColor(255, 254, 248));
    ivory.setColorAt(1, QColor(214, 196, 152));
    p.setPen(QColor(140, 116, 72));
    p.setBrush(ivory);
    p.drawRoundedRect(QRectF(0.5, 0.5, 36, 46), 4.5, 4.5);
    p.setBrush(QColor::fromHsv(kind * 10, 200, 220));
    p.drawEllipse(QRectF(4, 9, 29, 29));
    p.setFont(Font(9, true));
    p.drawText(QRectF(4, 9, 29, 29), Qt::AlignCenter, QString::number(kind));
    return pixmap;
}

class Board : public QWidget {
public:
    explicit Board(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(2 * GridLeft + Cols * FaceW, 498);
        // 36 pictures, four of each, as the game draws them.
        for (int kind = 1; kind <= 36; ++kind) tiles_.push_back(Tile(kind));
        for (int i = 36; i < Rows * Cols; ++i) tiles_.push_back(tiles_[i % 36]);
        const std::array<const char*, 4> texts = {"1次重排,F2键", "还有5次提示,F1键", "得分:0",
                                                  "还有72对"};
        for (int i = 0; i < 4; ++i) {
            QLabel* label = Label(QString::fromUtf8(texts[i]), Font(18, true), this);
            label->setStyleSheet("color: red");
            label->move(i < 2 ? 46 + i * 330 : 46 + (i - 2) * 330, i < 2 ? 440 : 465);
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.fillRect(event->rect(), Qt::black);
        for (int i = 0; i < Rows * Cols; ++i) {
            if (!hidden_[i]) p.drawPixmap(CellRect(i).topLeft(), tiles_[i]);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        for (int i = 0; i < Rows * Cols; ++i) {
            if (!hidden_[i] && CellRect(i).contains(event->position().toPoint())) {
                hidden_[i] = true;
                update(CellRect(i));
            }
        }
    }

private:
    static QRect CellRect(int i) {
        return {GridLeft + i % Cols * FaceW, GridTop + i / Cols * FaceH, FaceW, FaceH};
    }
    std::vector<QPixmap> tiles_;
    std::array<bool, Rows * Cols> hidden_{};
};

class Rules : public QDialog {
public:
    Rules() {
        setWindowTitle(QString::fromUtf8("游戏规则 - Tilvara"));
        auto* frame1 = new QFrame(this);
        auto* body = new QVBoxLayout(frame1);
        auto* title = new QHBoxLayout;
        auto* icon = new QLabel(frame1);
        QPixmap picture(44, 44);
        picture.fill(QColor(220, 40, 40));
        icon->setPixmap(picture);
        title->addWidget(icon);
        title->addWidget(Label(QString::fromUtf8("Tilvara  2.0版"), Font(20, true), frame1));
        body->addLayout(title);
        body->addWidget(Label(QString::fromUtf8("本软件共7关,第四关比较难过,需要较多的重排机会!"),
                              Font(11), frame1));
        for (const char* text :
             {"得分规则：得分是按照连接的路线的长度记分。所以大家要尽           可能的连通更长的"
              "两张牌。",
              "奖励规则：最近三次连通总分大于37分，就奖励一次提示；大           于39分，就奖励"
              "一次重新排列的机会。",
              "爱心提示: 长时间玩游戏          容易损伤视力"}) {
            QLabel* label = Label(QString::fromUtf8(text), Font(12), frame1, true);
            label->setFixedWidth(440);
            body->addWidget(label);
        }
        auto* frame2 = new QFrame(this);
        auto* ads = new QVBoxLayout(frame2);
        for (const char* text : {"▸ 更多益智小游戏，免费下载", "▸ Tilvara 开发组新作抢先试玩",
                                 "▸ Tilvara 周边：牌面马克杯、拼图与贴纸"})
            ads->addWidget(Label(QString::fromUtf8(text), Font(10.5), frame2));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(frame1);
        layout->addWidget(frame2);
    }

protected:
    void keyPressEvent(QKeyEvent*) override { accept(); }
};

// The main window, built when the rules window closes, as the game builds its own.
QMainWindow* MainWindow() {
    auto* window = new QMainWindow;
    window->setWindowTitle("Tilvara");
    const std::array<std::pair<const char*, std::vector<const char*>>, 3> menus = {{
        {"游戏",
         {"开始", "提示(F1)", "重排(F2)", "开始（2）向上", "开始（3）向下", "开始（4）向左",
          "开始（5）向右", "开始（6）向上下中间", "开始（7）向左右中间", "退出(Esc)"}},
        {"网络游戏", {}},
        {"帮助", {"帮助", "广告", "关于"}},
    }};
    Board* board = new Board(window);
    for (const auto& [caption, items] : menus) {
        QMenu* menu = window->menuBar()->addMenu(QString::fromUtf8(caption));
        menu->menuAction()->setEnabled(!items.empty());
        for (const char* item : items) {
            QAction* action = menu->addAction(QString::fromUtf8(item));
            QObject::connect(action, &QAction::triggered, board, [board] { board->update(); });
        }
    }
    window->setCentralWidget(board);
    return window;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QFont::insertSubstitutions("SimHei", {"Noto Sans CJK SC", "WenQuanYi Zen Hei"});
    QFont font = app.font();
    font.setFamilies(QStringList{"Noto Sans CJK SC"} + font.families());
    QApplication::setFont(font);
    QApplication::setQuitOnLastWindowClosed(false);  // the rules close before the main window

    Rules rules;
    std::unique_ptr<QMainWindow> window;
    QObject::connect(&rules, &QDialog::finished, [&] {
        window.reset(MainWindow());
        window->show();
    });
    rules.show();
    return QApplication::exec();
}
