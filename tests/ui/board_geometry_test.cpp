// The board's geometry and input on the offscreen platform: the design-to-widget mapping at
// several window sizes, exact hit testing, held keys, and what the board tells
// assistive technology.
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>

#include "tests/support/fake_host.h"
#include "ui/application.h"
#include "ui/artwork.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

using namespace tilvara;
using namespace tilvara::ui;

namespace {

QRectF DesignOf(const CellPicture& pic) {
    return {pic.left / 15, pic.top / 15, pic.width / 15, pic.height / 15};
}

}  // namespace

class BoardGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    // Each window size scales the board uniformly and centres it; every pixel of a tile
    // answers for that tile, its first row and column included, and nothing else does.
    void hitTestFollowsTheScaledPictures_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("scale");
        // The design size is 784 x 497.5 logical pixels.
        QTest::newRow("design") << QSize(784, 498) << 1.0;
        QTest::newRow("smallest") << QSize(471, 299) << 471 / 784.0;
        QTest::newRow("wide") << QSize(1600, 398) << 0.8;
        QTest::newRow("one and a half") << QSize(1176, 900) << 1.5;
    }
    void hitTestFollowsTheScaledPictures() {
        QFETCH(QSize, size);
        QFETCH(qreal, scale);
        Form1 form;
        form.action("hard1")->trigger();
        BoardView& board = form.board();
        board.resize(size);
        QCOMPARE(board.scale(), scale);
        const QRect all = board.widgetRect(QRectF(QPointF(0, 0), QSizeF(784, 497.5)));
        QVERIFY(qAbs(all.center().x() - size.width() / 2) <= 2);
        QVERIFY(qAbs(all.center().y() - size.height() / 2) <= 2);

        const ViewState& view = test::GameProbe::Form(form.game()).View();
        for (int index : {1, 2, 19, 144}) {
            const QRectF drawn = board.pictureRect(index);
            QVERIFY(board.widgetRect(DesignOf(view.Image2[index])).contains(drawn.toRect()));
            const QPointF first = drawn.topLeft() + QPointF(0.01, 0.01);
            const QPointF last = drawn.bottomRight() - QPointF(0.01, 0.01);
            QCOMPARE(board.indexAt(first), index);
            // Rounded picture sizes may overlap by a device pixel: the later one is on top.
            const int atLast = board.indexAt(last);
            QVERIFY(atLast == index ||
                    (atLast > index && board.pictureRect(atLast).contains(last)));
            const CellPicture& pic = view.Image2[index];
            QCOMPARE(board.indexAt(board.pointOfTwips(pic.left, pic.top, pic.width, pic.height)),
                     index);
        }
        // The template answers left of the first row only, never over tile 1.
        const QRectF tile1 = board.pictureRect(1);
        QCOMPARE(board.indexAt(tile1.topLeft() - QPointF(0.5, -0.5)), 0);
        QCOMPARE(board.indexAt(tile1.topLeft()), 1);
    }

    void windowShrinksToSixTenthsAndStartsWithinTheScreen() {
        Form1 form;
        QCOMPARE(form.board().minimumSizeHint(), QSize(471, 299));
        // The offscreen screen (800 x 600) takes the design size.
        QCOMPARE(form.size(), form.sizeHint());
    }

    // Holding a key runs its command once, whatever the repeat flag says: under X the repeats
    // come as a release and a press at one server time, elsewhere as presses with no release.
    // A key pressed again at a later time runs it again.
    void heldF1AndF2RunOncePerPress() {
        Form1 form;
        QStringList messages;
        form.host().setMessageHandler([&](const QString& m) { messages << m; });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.action("hard1")->trigger();
        const auto send = [&](QEvent::Type type, Qt::Key key, quint64 time) {
            QKeyEvent event(type, key, Qt::NoModifier);
            event.setTimestamp(time);
            QApplication::sendEvent(&form.board(), &event);
        };
        const auto hold = [&](Qt::Key key, quint64 time, bool releases) {
            send(QEvent::KeyPress, key, time);
            for (quint64 repeat = time + 660; repeat < time + 800; repeat += 40) {
                if (releases) send(QEvent::KeyRelease, key, repeat);
                send(QEvent::KeyPress, key, repeat);
            }
            send(QEvent::KeyRelease, key, time + 810);
        };
        hold(Qt::Key_F1, 1000, true);
        QCOMPARE(test::GameProbe::Form(form.game()).hintsLeft, HintsPerDeal - 1);
        hold(Qt::Key_F2, 2000, true);
        QCOMPARE(test::GameProbe::Form(form.game()).reshufflesLeft, ReshufflesPerDeal - 1);
        QVERIFY(messages.isEmpty());
        hold(Qt::Key_F1, 3000, false);
        QCOMPARE(test::GameProbe::Form(form.game()).hintsLeft, HintsPerDeal - 2);
        send(QEvent::KeyPress, Qt::Key_F1, 3811);
        QCOMPARE(test::GameProbe::Form(form.game()).hintsLeft, HintsPerDeal - 3);
    }

    // What the accessibility smoke test cannot reach quickly: a hit on a scaled board,
    // the selection and the clock counting down.
    void boardExposesCellsLabelsAndClock() {
        Form1 form;
        form.show();
        form.board().resize(1176, 900);
        form.action("hard1")->trigger();
        test::GameProbe::Form(form.game()).Image2_Click(IndexOf(2, 3));
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&form.board());
        QAccessibleInterface* cell = board->child(IndexOf(2, 3) - 1);
        QVERIFY(cell->text(QAccessible::Name).endsWith(" 第2行第3列"));
        QVERIFY(cell->state().selected);
        QVERIFY(!board->child(0)->state().selected);
        const QPoint centre =
            form.board().mapToGlobal(form.board().pictureRect(21).center().toPoint());
        QCOMPARE(board->childAt(centre.x(), centre.y()), cell);
        QCOMPARE(board->indexOfChild(cell), IndexOf(2, 3) - 1);

        QAccessibleInterface* clock = board->child(CellCount + 4);
        QCOMPARE(clock->valueInterface()->currentValue().toInt(), 452);
        for (int t = 0; t < 60; ++t) test::GameProbe::Form(form.game()).Timer4_Timer();
        QCOMPARE(clock->valueInterface()->currentValue().toInt(), 392);
    }

    // The status labels are drawn over a path along the border, never over a tile: every
    // tile of the first row, under the labels, shows its picture exactly.
    void labelsLeaveTheTopRowAlone() {
        Form1 form;
        form.host().setMessageHandler([](const QString&) {});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.action("hard1")->trigger();
        form.board().clearFocus();  // the focus frame reaches into the second tile
        form.Refresh();
        const QImage shot = form.board().grab().toImage();
        const Artwork art(form.board().devicePixelRatioF());
        for (int col = 1; col <= Cols; ++col) {
            const QRect box = form.board().pictureRect(IndexOf(1, col)).toRect();
            QImage face(box.size(), QImage::Format_RGB32);
            face.fill(Qt::black);  // the window's background, in the face's corners
            QPainter(&face).drawPixmap(
                0, 0, art.face(test::GameProbe::Form(form.game()).board(1, col), false));
            QCOMPARE(shot.copy(box).convertToFormat(QImage::Format_RGB32), face);
        }
    }

    // A live resize draws the pictures at hand, scaled to fill the new boxes; once the size
    // settles they are drawn afresh for it and shown one device pixel per pixel, unless they
    // were drawn within 2% of it. Either way only the faces shown are held.
    void resizeDrawsThePicturesAfreshOnceSettled_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("settled");
        QTest::newRow("one and a half") << QSize(1176, 747) << 1.5;
        QTest::newRow("within 2%") << QSize(796, 506) << 1.0;
    }
    void resizeDrawsThePicturesAfreshOnceSettled() {
        QFETCH(QSize, size);
        QFETCH(qreal, settled);
        Form1 form;
        form.host().setMessageHandler([](const QString&) {});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.action("hard1")->trigger();
        test::GameProbe::Form(form.game()).Image2_Click(IndexOf(1, 1));
        form.board().clearFocus();  // the focus frame reaches into the neighbouring tiles
        form.Refresh();
        BoardView& board = form.board();
        QTRY_VERIFY(board.artworkInUse());
        board.resize(size);
        const QImage during = board.grab().toImage();
        QCOMPARE(board.artworkInUse()->devicePixelRatio(), 1.0);
        // Scaled, the face reaches the bottom of its new box: its lower slab is there.
        const QRectF tile = board.pictureRect(IndexOf(2, 5));
        QVERIFY(during.pixelColor(QPointF(tile.center().x(), tile.bottom() - 2).toPoint()) !=
                QColor(Qt::black));

        QTest::qWait(3 * BoardView::SettleMs);
        QTRY_COMPARE(board.artworkInUse()->devicePixelRatio(), settled);
        const QImage shot = board.grab().toImage();
        QCOMPARE(board.artworkInUse()->heldFaces(), Artwork::Kinds + 1);  // and one highlighted
        if (settled == 1.0) return;
        const Artwork art(settled);
        for (int col : {1, 2, 18}) {
            // Inside the box: the neighbours may overlap its edges by a device pixel.
            const QRect box = board.pictureRect(IndexOf(1, col)).toRect();
            const QRect inside(1, 1, box.width() - 2, box.height() - 2);
            QImage face =
                art.face(test::GameProbe::Form(form.game()).board(1, col), col == 1).toImage();
            face.setDevicePixelRatio(1);
            QImage onBlack(box.size(), QImage::Format_RGB32);
            onBlack.fill(Qt::black);
            QPainter(&onBlack).drawImage(0, 0, face);
            QCOMPARE(
                shot.copy(inside.translated(box.topLeft())).convertToFormat(QImage::Format_RGB32),
                onBlack.copy(inside));
        }
    }
};

QTEST_MAIN(BoardGeometryTest)
#include "board_geometry_test.moc"
