// What the board repaints: nothing for an unchanged view, only a changed cell's rectangle, a
// handful of paints (not one per turn of the loop) while a removal holds its path, and at any
// scale all of a status line's old text. Every wait is for what it checks, never for a time;
// the clock strip, which the level clock repaints once a second, is left out of the counts.
#include <QApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <functional>

#include "game/texts.h"
#include "game/window_layout.h"
#include "tests/support/fake_host.h"
#include "tests/support/reference_scan.h"
#include "ui/application.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

using namespace tilvara;
using namespace tilvara::ui;

namespace {

QRect WidgetRect(const BoardView& board, double left, double top, double width, double height) {
    return board.widgetRect(QRectF(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                                   height / TwipsPerPixel));
}

QRect CellRect(Form1& form, int index) {
    const CellPicture& pic = test::GameProbe::Form(form.game()).View().Image2[index];
    return WidgetRect(form.board(), pic.left, pic.top, pic.width, pic.height);
}

// Records the region of every paint of the board but the clock strip's, with what the game
// showed at that moment.
class PaintLog : public QObject {
public:
    PaintLog(
        BoardView& board, std::function<int()> stamp = [] { return 0; })
        : stamp_(std::move(stamp)) {
        const Box& clock = board.view().Image9;
        strip_ = WidgetRect(board, clock.left, clock.top, clock.width, clock.height);
        board.installEventFilter(this);
    }
    struct Paint {
        QRegion region;
        int stamp;
    };
    QList<Paint> paints;

    QRegion All() const {
        QRegion all;
        for (const Paint& paint : paints) all += paint.region;
        return all;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        const QRegion region = static_cast<QPaintEvent*>(event)->region() - strip_;
        if (!region.isEmpty()) paints.append({region, stamp_()});
        return false;
    }

private:
    std::function<int()> stamp_;
    QRect strip_;
};

// The window on screen with a dealt board, and nothing left for Qt to paint.
void ShowDealt(Form1& form) {
    form.host().setMessageHandler([](const QString&) {});
    form.action("hard1")->trigger();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.board().repaint();  // paints at once whatever the window still owes
}

}  // namespace

class RepaintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    // Refreshing an unchanged view posts nothing: the next paint, after a click, is the
    // selected cell alone. A mouse player sees no focus frame; an arrow key brings it.
    void unchangedViewPaintsNothingAndASelectionOnlyItsCell() {
        Form1 form;
        ShowDealt(form);
        QVERIFY(QTest::qWaitForWindowActive(&form));  // the board has the focus
        form.board().repaint();
        PaintLog log(form.board());
        form.Refresh();
        form.Refresh();
        const auto [a, b] =
            reference::FirstLinkableIndices(test::GameProbe::Form(form.game()).board);
        QVERIFY(a > 0);
        QTest::mouseClick(&form.board(), Qt::LeftButton, {}, CellRect(form, a).center());
        QVERIFY(test::GameProbe::Form(form.game()).View().Image2[a].face.highlighted);
        QVERIFY(form.board().cursorShown() && !form.board().frameShown());
        QTRY_VERIFY(!log.paints.isEmpty());
        QCOMPARE(log.paints.first().region, QRegion(CellRect(form, a)));
    }

    // Whether the click returns before or after the hold, the paints made while the path
    // shows are few, and the one that shows the pair gone covers the pair, the path and the
    // labels only.
    void removalHoldsItsPathWithAFewPaints() {
        Form1 form;
        ShowDealt(form);
        const ViewState& view = test::GameProbe::Form(form.game()).View();
        const auto [a, b] =
            reference::FirstLinkableIndices(test::GameProbe::Form(form.game()).board);
        QTest::mouseClick(&form.board(), Qt::LeftButton, {}, CellRect(form, a).center());
        enum { PathShows = 1, PairGone = 2 };
        PaintLog log(form.board(), [&view, b = b] {
            return (view.Image4.visible || view.Image5.visible || view.Image6.visible ||
                    view.Image7.visible)
                       ? PathShows
                       : (view.Image2[b].visible ? 0 : PairGone);
        });
        QTest::mouseClick(&form.board(), Qt::LeftButton, {}, CellRect(form, b).center());
        const auto first = [&](int stamp) {
            for (const PaintLog::Paint& paint : log.paints)
                if (paint.stamp == stamp) return &paint;
            return static_cast<const PaintLog::Paint*>(nullptr);
        };
        QTRY_VERIFY(first(PairGone) != nullptr);
        const int holding = static_cast<int>(
            std::count_if(log.paints.begin(), log.paints.end(),
                          [](const PaintLog::Paint& p) { return p.stamp == PathShows; }));
        QVERIFY2(holding <= 2, qPrintable(QString::number(holding)));
        const QRegion removal = first(PairGone)->region;
        QVERIFY(removal.contains(CellRect(form, a).center()));
        QVERIFY(removal.contains(CellRect(form, b).center()));
        qint64 area = 0;
        for (const QRect& r : removal) area += qint64(r.width()) * r.height();
        QVERIFY(area < qint64(form.board().width()) * form.board().height() / 4);
    }

    // The scaled font's text is no simple multiple of the design size's (near 0.61 and 1.48 it
    // runs wider): each status line shortened must leave what is on screen exactly as a fresh
    // paint of the whole board.
    void shortenedStatusLinesLeaveNothingBehind_data() {
        QTest::addColumn<qreal>("scale");
        for (const qreal scale : {0.6, 0.61, 1.48, 1.5})
            QTest::newRow(qPrintable(QString::number(scale))) << scale;
    }
    void shortenedStatusLinesLeaveNothingBehind() {
        QFETCH(qreal, scale);
        using namespace texts;
        ViewState view = DesignedView();
        const struct {
            Label& label;
            std::string before, after;
        } lines[] = {
            {view.Label1, StillPrefix + Num(100) + PairsSuffix, StillPrefix + Num(1) + PairsSuffix},
            {view.Label2, StillPrefix + Num(12) + HintsSuffix, StillPrefix + Num(1) + HintsSuffix},
            {view.Label3, ScorePrefix + Num(1234567) + RecentPrefix + Num(123),
             ScorePrefix + Num(0)},
            {view.Label4, Num(12) + ReshufflesSuffix, Num(1) + ReshufflesSuffix},
        };
        for (const auto& line : lines) line.label.caption = line.before;
        BoardView board(view);
        board.resize((QSizeF(board.sizeHint()) * scale).toSize());
        board.Sync(ViewChanges::All());
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        board.repaint();
        PaintLog log(board);
        for (const auto& line : lines) line.label.caption = line.after;
        board.Sync(ViewChanges::All());
        QTRY_VERIFY(!log.paints.isEmpty());
        const QImage onScreen = board.screen()->grabWindow(board.winId()).toImage();
        QCOMPARE(onScreen.convertToFormat(QImage::Format_RGB32),
                 board.grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(RepaintTest)
#include "repaint_test.moc"
