// What the player sees at device pixel ratio 2: faces, frames and path bands land on whole
// device pixels (crisp, never an upscaled 1x bitmap), and the path runs through the cell
// centres. Set TILVARA_SHOT_DIR to keep the screenshots.
#include <QApplication>
#include <QTest>

#include "tests/support/fake_host.h"
#include "ui/application.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

using namespace tilvara;
using namespace tilvara::ui;

class RenderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    void pathAndHighlightAreCrispAtTwiceTheDensity() {
        Form1 form;
        form.host().setMessageHandler([](const QString&) {});
        // The offscreen screen is too small for the design size at twice the density, so
        // the window starts scaled down: give it the design size to check the 1:1 drawing.
        QVERIFY(form.width() < form.sizeHint().width());
        QVERIFY(form.height() < form.sizeHint().height());
        form.resize(form.sizeHint());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));  // the board has the focus: the frame shows
        QCOMPARE(form.board().devicePixelRatioF(), 2.0);
        form.action("hard1")->trigger();
        MainForm& game = test::GameProbe::Form(form.game());
        // A column path through the top border from (1, 3) to (1, 7), and tile 1 selected.
        game.DrawHLine1(0, 3, 7);
        game.DrawVLine1(3, 0, 1);
        game.DrawVLine2(7, 0, 1);
        game.Image2_Click(IndexOf(8, 1));
        game.Form_KeyDown(KeyDown);  // the bottom row: the keyboard's frame shows where it is
        for (int t = 0; t < 60; ++t) game.Timer4_Timer();
        form.Refresh();

        const QImage shot = form.board().grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), 2.0);
        if (const QByteArray dir = qgetenv("TILVARA_SHOT_DIR"); !dir.isEmpty())
            shot.save(QString::fromLocal8Bit(dir) + "/render-2x.png");

        const QPoint origin = form.board().origin() * 2;
        const auto at = [&](double twipsX, double twipsY) {
            return shot.pixelColor(origin +
                                   QPoint(qRound(twipsX / 15 * 2), qRound(twipsY / 15 * 2)));
        };
        const QColor red(255, 0, 0);
        // The selected tile's frame: its two outermost device pixel rows are pure red.
        const CellPicture& sel = game.View().Image2[IndexOf(8, 1)];
        const double midX = sel.left + sel.width / 2;
        QCOMPARE(at(midX, sel.top), red);
        QCOMPARE(at(midX, sel.top + 7.5), red);
        QVERIFY(at(midX, sel.top + 15) != red);
        // The click put the cursor there and a key showed its focus frame, three design pixels
        // wide, outside the face.
        const QColor blue(0, 150, 255);
        QCOMPARE(at(midX, sel.top - 7.5), blue);
        QCOMPARE(at(midX, sel.top - 37.5), blue);
        QVERIFY(at(midX, sel.top - 52.5) != blue);
        // The band's red middle runs down the centre line of column 3 from border row 0 to
        // the tile; up on the clock strip the clock is drawn over the band.
        const double row0 = 967.5 - 735;
        const double col3 = 907.5 + 2 * 585;
        const double col5 = 907.5 + 4 * 585;
        QCOMPARE(at(col3 - 7.5, 520), red);
        QVERIFY(at(col3 - 60, 520) != red);
        QVERIFY(at(col3 + 60, 520) != red);
        QVERIFY(at(col5, row0 - 7.5) != red);
    }

    // After time-up the prompt stands over a board still in play: a dark band behind it keeps
    // it readable, where on the empty field before the first deal it needs none.
    void promptOverTilesHasADarkBand() {
        Form1 form;
        form.host().setMessageHandler([](const QString&) {});
        form.resize(form.sizeHint());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        MainForm& game = test::GameProbe::Form(form.game());
        form.action("hard1")->trigger();
        for (int t = 0; t < 1000 && game.View().startLine.caption.empty(); ++t)
            game.Tick(TimerId::Timer4);
        form.Refresh();
        QCOMPARE(game.View().clockText.caption, std::string("0秒"));
        const QImage shot = form.board().grab().toImage();
        if (const QByteArray dir = qgetenv("TILVARA_SHOT_DIR"); !dir.isEmpty())
            shot.save(QString::fromLocal8Bit(dir) + "/time-up-2x.png");
        // Beside the text, over the middle rows' first tile.
        const CellPicture& tile = game.View().Image2[IndexOf(4, 1)];
        const QPoint at = (form.board().origin() + QPointF((tile.left + tile.width / 2) / 15,
                                                           (tile.top + tile.height) / 15))
                              .toPoint() *
                          2;
        QVERIFY2(qGray(shot.pixel(at)) < 80, "the band darkens the tiles under the prompt");
    }
};

int main(int argc, char* argv[]) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    RenderTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "render_test.moc"
