// Checks the built-in pictures: sizes at each pixel ratio, the highlight frame, the path band
// and that no two tile faces can be mistaken for each other.
#include <QtTest>

#include "ui/artwork.h"

#include <cstdlib>
#include <functional>
#include <vector>

using tilvara::ui::Artwork;

namespace {

QImage Pixels(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

QSize Device(QSize logical, qreal dpr) {
    return QSize(qRound(logical.width() * dpr), qRound(logical.height() * dpr));
}

// Mean difference per channel, 0..255.
double MeanDifference(const QImage& a, const QImage& b) {
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return double(sum) / (3.0 * a.width() * a.height());
}

// Share of the middle of a face that is coloured or dark, i.e. not bare ivory tile.
double PictureShare(const QImage& face, qreal dpr) {
    const QRect middle(qRound(3 * dpr), qRound(8 * dpr), qRound(30 * dpr), qRound(30 * dpr));
    int picture = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        for (int x = middle.left(); x <= middle.right(); ++x) {
            const QColor c = face.pixelColor(x, y);
            picture += c.value() < 200 || c.hsvSaturation() > 60;
        }
    }
    return double(picture) / (middle.width() * middle.height());
}

void Ratios() {
    QTest::addColumn<qreal>("dpr");
    for (qreal dpr : {1.0, 1.25, 1.5, 2.0}) QTest::newRow(qPrintable(QString::number(dpr))) << dpr;
}

}  // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void facesAreCrispAndDistinct_data() {
        Ratios();
        QTest::newRow("0.6, a shrunk window") << 0.6;
    }
    void facesAreCrispAndDistinct() {
        QFETCH(qreal, dpr);
        const Artwork art(dpr);
        std::vector<QImage> faces;
        for (int kind = 1; kind <= Artwork::Kinds; ++kind) {
            for (bool highlighted : {false, true}) {
                QCOMPARE(art.face(kind, highlighted).size(), Device({39, 49}, dpr));
                QCOMPARE(art.face(kind, highlighted).devicePixelRatio(), dpr);
            }
            faces.push_back(Pixels(art.face(kind, false)));
            // A picture that fails to load would leave a bare tile.
            QVERIFY2(PictureShare(faces.back(), dpr) > 0.15, qPrintable(QString::number(kind)));
        }
        // Look-alikes (monkey and coconut, grapes and octopus) must differ by more than a
        // few pixels.
        for (int a = 0; a < Artwork::Kinds; ++a) {
            for (int b = a + 1; b < Artwork::Kinds; ++b) {
                QVERIFY2(MeanDifference(faces[a], faces[b]) > 10,
                         qPrintable(QString("kinds %1 and %2 look alike").arg(a + 1).arg(b + 1)));
            }
        }
        QCOMPARE(art.aboutPicture().size(), Device({39, 49}, dpr));
        for (int kind : {0, -1, 37}) QVERIFY(art.face(kind, false).isNull());
        QVERIFY(art.face(0, true).isNull());
    }

    // The frame is whole device pixels of pure red, and nothing else changes.
    void highlightIsARedFrameAroundTheSameFace_data() { Ratios(); }
    void highlightIsARedFrameAroundTheSameFace() {
        QFETCH(qreal, dpr);
        const int frame = std::max(1, qRound(dpr));
        const Artwork art(dpr);
        for (int kind : {1, 17, 36}) {
            const QImage normal = Pixels(art.face(kind, false));
            const QImage lit = Pixels(art.face(kind, true));
            for (int y = 0; y < lit.height(); ++y) {
                for (int x = 0; x < lit.width(); ++x) {
                    const bool edge =
                        std::min({x, y, lit.width() - 1 - x, lit.height() - 1 - y}) < frame;
                    if (lit.pixel(x, y) != (edge ? qRgb(255, 0, 0) : normal.pixel(x, y)))
                        QFAIL(qPrintable(QString("kind %1 at %2,%3").arg(kind).arg(x).arg(y)));
                }
            }
        }
    }

    void pathPiecesCarryTheBand_data() { Ratios(); }
    void pathPiecesCarryTheBand() {
        QFETCH(qreal, dpr);
        const Artwork art(dpr);
        QCOMPARE(art.horizontalPiece().size(), Device({8, 7}, dpr));
        QCOMPARE(art.verticalPiece().size(), Device({7, 8}, dpr));
        const QImage h = Pixels(art.horizontalPiece());
        const QImage v = Pixels(art.verticalPiece());
        const int across = h.height();
        for (int i = 0; i < across; ++i) {
            // Uniform along the length, symmetric across, and the vertical piece is the same
            // band turned a quarter.
            const QRgb colour = h.pixel(0, i);
            QCOMPARE(h.pixel(0, across - 1 - i), colour);
            for (int x = 0; x < h.width(); ++x) QCOMPARE(h.pixel(x, i), colour);
            for (int y = 0; y < v.height(); ++y) QCOMPARE(v.pixel(i, y), colour);
        }
        QCOMPARE(h.pixel(0, 0), qRgb(243, 198, 2));
        QCOMPARE(h.pixel(0, across / 2), qRgb(255, 0, 0));
        QCOMPARE(h.pixel(0, (across - 1) / 2), qRgb(255, 0, 0));
    }

    // The bare tile, the clock's groove and its bar come from their SVG files: one that failed
    // to load would leave a hole where its colour should be.
    void boardArtIsDrawn_data() { Ratios(); }
    void boardArtIsDrawn() {
        QFETCH(qreal, dpr);
        const Artwork art(dpr);
        const auto light = [](QColor c) { return c.value() > 220 && c.hsvSaturation() < 40; };
        const auto dark = [](QColor c) { return c.value() < 60; };
        const auto amber = [](QColor c) {
            return c.hue() >= 25 && c.hue() <= 50 && c.value() > 200;
        };
        const struct {
            const char* what;
            QImage image;
            QPointF at;  // in design pixels
            std::function<bool(QColor)> looks;
        } samples[] = {
            {"the tile above its picture", Pixels(art.face(1, false)), {18, 4}, light},
            {"the groove between two minute marks", Pixels(art.clockBacking()), {150, 10}, dark},
            {"the bar", Pixels(art.clockBar()), {20, 5}, amber},
        };
        for (const auto& s : samples) {
            const QColor c = s.image.pixelColor((s.at * dpr).toPoint());
            QVERIFY2(c.alpha() == 255 && s.looks(c), s.what);
        }
    }

    // Only the faces the board shows are held; a dropped face comes back the same.
    void keepFacesHoldsOnlyWhatIsShown() {
        Artwork art(1.5);
        const QImage third = Pixels(art.face(3, false));
        for (int kind : {1, 2, 3}) art.face(kind, true);
        QCOMPARE(art.heldFaces(), 6);
        Artwork::KindSet shown, highlighted;
        art.keepFaces(shown.set(1).set(2), highlighted.set(2));
        QCOMPARE(art.heldFaces(), 3);
        QCOMPARE(Pixels(art.face(3, false)), third);
        QCOMPARE(art.heldFaces(), 4);
    }

    void clockBarStretchesWithoutSeams() {
        const Artwork art(2.0);
        QCOMPARE(art.clockBacking().size(), QSize(612, 42));
        QCOMPARE(art.clockBar().size(), QSize(86, 32));
        const QImage bar = Pixels(art.clockBar());
        for (int y = 0; y < bar.height(); ++y) {
            QCOMPARE(qAlpha(bar.pixel(0, y)), 255);
            for (int x = 1; x < bar.width(); ++x) QCOMPARE(bar.pixel(x, y), bar.pixel(0, y));
        }
        // The bar must stand out from the dark groove it fills.
        QVERIFY(qGray(bar.pixel(0, 16)) > qGray(Pixels(art.clockBacking()).pixel(300, 20)) + 80);
    }

    // Catches a resource left out of the build or a drawing the SVG renderer cannot read.
    void applicationIconIsDrawnAtSmallAndLargeSizes() {
        const QIcon icon = Artwork::applicationIcon();
        for (int size : {16, 256}) {
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            int opaque = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
            }
            QVERIFY2(opaque > size * size / 3, qPrintable(QString("size %1").arg(size)));
        }
        // What the windows ask for at start-up comes drawn with the build, not from the SVG.
        for (int size : {16, 24, 32, 44, 48, 88})
            QCOMPARE(QImage(QString(":/icons/tilvara-%1.png").arg(size)).size(), QSize(size, size));
    }
};

QTEST_MAIN(ArtworkTest)
#include "artwork_test.moc"
