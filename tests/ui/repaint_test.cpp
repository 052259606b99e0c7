// What the board repaints: nothing for an unchanged view, only a changed cell's rectangle,
// and a handful of paints (not one per turn of the loop) while a removal holds its path.
#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <QTimer>

#include "tests/support/reference_scan.h"
#include "ui/application.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

using namespace tilvara;
using namespace tilvara::ui;

namespace {

// Records the region of every paint of the board.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* widget) { widget->installEventFilter(this); }
    QList<QRegion> paints;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) paints << static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

QRect CellRect(Form1& form, int index) {
    const CellPicture& pic = form.game().View().Image2[index];
    return form.board().widgetRect(QRectF(pic.left / TwipsPerPixel, pic.top / TwipsPerPixel,
                                          pic.width / TwipsPerPixel, pic.height / TwipsPerPixel));
}

// The board's paints less the clock strip, whose bar grows once a second whatever the test does.
QList<QRegion> WithoutClock(Form1& form, const QList<QRegion>& paints) {
    const Box& clock = form.game().View().Image9;
    const QRect strip =
        form.board().widgetRect(QRectF(clock.left / TwipsPerPixel, clock.top / TwipsPerPixel,
                                       clock.width / TwipsPerPixel, clock.height / TwipsPerPixel));
    QList<QRegion> rest;
    for (const QRegion& paint : paints) {
        if (const QRegion r = paint - strip; !r.isEmpty()) rest << r;
    }
    return rest;
}

void Settle() {
    // Longer than a frame, shorter than a tick of the level clock.
    QTest::qWait(3 * BoardView::FrameMs);
}

}  // namespace

class RepaintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    void unchangedViewPaintsNothingAndASelectionOnlyItsCell() {
        Form1 form;
        form.host().setMessageHandler([](const QString&) {});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));  // the board has the focus, and its frame
        form.action("hard1")->trigger();
        Settle();
        PaintLog log(&form.board());

        form.Refresh();
        form.Refresh();
        Settle();
        QVERIFY(WithoutClock(form, log.paints).isEmpty());

        const auto [a, b] = reference::FirstLinkableIndices(form.game().board);
        QVERIFY(a > 0);
        const QRect frameFrom = form.board().cursorRect().toAlignedRect();
        QTest::mouseClick(&form.board(), Qt::LeftButton, {}, CellRect(form, a).center());
        QVERIFY(form.game().View().Image2[a].face.highlighted);
        // The cell, and the focus frame that the click moved there.
        const QRect frameTo = form.board().cursorRect().toAlignedRect();
        QVERIFY(form.board().cursorShown());
        QRegion expected(CellRect(form, a));
        if (frameTo != frameFrom) expected += QRegion(frameFrom) + frameTo;
        QTRY_VERIFY(!WithoutClock(form, log.paints).isEmpty());
        QCOMPARE(WithoutClock(form, log.paints).first(), expected);
    }

    void removalHoldsItsPathWithAFewPaints() {
        Form1 form;
        form.host().setMessageHandler([](const QString&) {});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.action("hard1")->trigger();
        const auto [a, b] = reference::FirstLinkableIndices(form.game().board);
        QTest::mouseClick(&form.board(), Qt::LeftButton, {}, CellRect(form, a).center());
        Settle();
        PaintLog log(&form.board());
        // The hold lasts three ticks of the live 50 ms timer after this click: the path shows
        // once, and a clock tick may add one more. The paints are counted on the tick that
        // ends the hold, before the removal's own.
        qsizetype holdPaints = -1;
        QObject::connect(&form.host().timer(TimerId::Timer3), &QTimer::timeout, &form, [&] {
            if (holdPaints < 0 && !form.game().View().Image2[b].visible)
                holdPaints = log.paints.size();
        });
        QTest::mouseClick(&form.board(), Qt::LeftButton, {}, CellRect(form, b).center());
        QTRY_VERIFY(!form.game().View().Image2[b].visible);
        QVERIFY(holdPaints > 0);
        QVERIFY2(holdPaints <= 2, qPrintable(QString::number(holdPaints)));
        // Then the removal itself, limited to the pair, the path and the labels.
        QTRY_VERIFY(log.paints.last().contains(CellRect(form, b).center()));
        qint64 area = 0;
        for (const QRect& r : log.paints.last()) area += qint64(r.width()) * r.height();
        QVERIFY(area < qint64(form.board().width()) * form.board().height() / 4);
    }
};

QTEST_MAIN(RepaintTest)
#include "repaint_test.moc"
