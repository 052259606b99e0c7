// The game's main window without the game, as any resizable window would draw it: the same menus,
// clock strip, four red labels and 144 tile pictures, rendered once at start-up and drawn scaled
// to fit on every paint. The yardstick of scripts/measure-resize.sh; a click hides a tile so the
// board can be "played" alike. With --rules it opens as the game does, when a window with the
// rules window's texts closes.
#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>

#include <array>
#include <cmath>
#include <vector>

#include "bench/bare_rules.h"
#include "bench/game_menus.h"
#include "ui/application.h"
#include "ui/artwork.h"

namespace {

constexpr int Rows = 8, Cols = 18, FaceW = 39, FaceH = 49, GridLeft = 41, GridTop = 40;
constexpr QSizeF Design(784, 497.5);
constexpr QRectF BackingBox(8, 8, 306, 21), BarBox(310, 9.5, 1, 16);

struct Text {
    QPointF at;
    const char* text;
};
// The status lines as a deal leaves them, where the game puts them.
constexpr std::array<Text, 4> Texts = {{{{328, 8}, "1次重排,F2键"},
                                        {{512, 8}, "5次提示,F1键"},
                                        {{48, 456.5}, "目前总分:0    最近三次连通总分:0"},
                                        {{544, 456.5}, "还有12个连通!"}}};

class Board : public QWidget {
public:
    explicit Board(QWidget* parent) : QWidget(parent), art_(qApp->devicePixelRatio()) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        // Four of each picture, in the order the game lays them out before a deal.
        for (int kind = 1; kind <= tilvara::ui::Artwork::Kinds; ++kind)
            faces_.push_back(art_.face(kind, false));
        font_ = QFont(tilvara::ui::LabelFamily());
        font_.setPointSizeF(18);
        font_.setBold(true);
    }
    QSize sizeHint() const override { return Design.toSize(); }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.fillRect(event->rect(), Qt::black);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const qreal s = Scale();
        p.translate(Offset());
        p.scale(s, s);
        p.drawPixmap(BackingBox, art_.clockBacking(), QRectF(art_.clockBacking().rect()));
        p.drawPixmap(BarBox, art_.clockBar(), QRectF(art_.clockBar().rect()));
        for (int i = 0; i < Rows * Cols; ++i) {
            const QPixmap& face = faces_[i % faces_.size()];
            if (!hidden_[i]) p.drawPixmap(CellRect(i), face, QRectF(face.rect()));
        }
        p.setFont(font_);
        p.setPen(Qt::red);
        for (const Text& t : Texts) {
            p.drawText(QRectF(t.at, QSizeF(400, 25)),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::fromUtf8(t.text));
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPointF at = (event->position() - Offset()) / Scale();
        for (int i = 0; i < Rows * Cols; ++i) {
            if (!hidden_[i] && CellRect(i).contains(at)) {
                hidden_[i] = true;
                update();
            }
        }
    }

private:
    qreal Scale() const { return std::min(width() / Design.width(), height() / Design.height()); }
    // Centred, on whole device pixels.
    QPointF Offset() const {
        const qreal s = Scale(), dpr = devicePixelRatioF();
        return {std::floor((width() - Design.width() * s) / 2 * dpr) / dpr,
                std::floor((height() - Design.height() * s) / 2 * dpr) / dpr};
    }
    static QRectF CellRect(int i) {
        return {qreal(GridLeft + i % Cols * FaceW), qreal(GridTop + i / Cols * FaceH), FaceW,
                FaceH};
    }
    tilvara::ui::Artwork art_;
    std::vector<QPixmap> faces_;
    QFont font_;
    std::array<bool, Rows * Cols> hidden_{};
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tilvara::ui::SetUpApplication(app);
    return bench::RunMainWindow(app.arguments().contains("--rules"), [] {
        auto* window = new QMainWindow;
        window->setWindowTitle("Tilvara");
        AddGameMenus(window->menuBar());
        window->setCentralWidget(new Board(window));
        return window;
    });
}
