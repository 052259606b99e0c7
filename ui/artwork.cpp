// Draws the built-in pictures: tile bodies with the tile pictures on them, path bands and the
// clock, all at the screen's device pixel ratio so nothing is upscaled.
#include "ui/artwork.h"

#include <QApplication>
#include <QColor>
#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <memory>

#include "game/tile_pictures.h"

// Q_INIT_RESOURCE declares the resource's init function in the enclosing namespace, so it must
// run from global scope. The resources sit in a static library, whose initialiser the linker
// would otherwise drop.
static void InitTilvaraAssets() {
    Q_INIT_RESOURCE(assets);
    Q_INIT_RESOURCE(icon_sizes);
}

namespace tilvara::ui {

namespace {

constexpr QSize FaceSize(39, 49);
constexpr QSize HorizontalSize(8, 7);
constexpr QSize VerticalSize(7, 8);
constexpr QSize BackingSize(306, 21);
constexpr QSize BarSize(43, 16);

constexpr int AboutKind = 1;  // the apple, as on the application icon

// The band of a path piece, outer edge to outer edge; the red middle marks the path's centre.
constexpr std::array<QRgb, 7> Band = {qRgb(243, 198, 2), qRgb(247, 125, 1), qRgb(252, 51, 0),
                                      qRgb(255, 0, 0),   qRgb(252, 51, 0),  qRgb(247, 125, 1),
                                      qRgb(243, 198, 2)};

// Tile geometry in logical pixels. The cells abut without gaps, so the tile's depth (two
// slabs showing to the right and below) has to fit inside the cell; the top surface keeps
// the upper left.
constexpr QRectF TopSurface(0.5, 0.5, 35, 45);
constexpr qreal SlabStep = 1.5;
constexpr qreal Corner = 4.5;
constexpr QRectF PictureRect(2.5, 7.5, 31, 31);

void LoadResources() {
    static const bool loaded = (InitTilvaraAssets(), true);
    (void)loaded;
}

// At least a device pixel each way, however small the board is shrunk: a painter refuses an
// empty image, with a warning for every stroke.
QImage NewImage(QSize logical, qreal dpr) {
    QImage image(std::max(1, qRound(logical.width() * dpr)),
                 std::max(1, qRound(logical.height() * dpr)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(dpr);
    return image;
}

// QPainter applies an image's device pixel ratio only from 1 up; a board shrunk below its
// design size needs the ratio applied by hand.
void ScaleBelowOne(QPainter& p, const QImage& image) {
    if (image.devicePixelRatio() < 1) p.scale(image.devicePixelRatio(), image.devicePixelRatio());
}

// Takes the image: the pixmap adopts its pixels instead of holding a second copy meanwhile.
QPixmap ToPixmap(QImage image) {
    const qreal dpr = image.devicePixelRatio();
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

QImage TileBody(qreal dpr) {
    QImage image = NewImage(FaceSize, dpr);
    QPainter p(&image);
    ScaleBelowOne(p, image);
    p.setRenderHint(QPainter::Antialiasing);

    // Lower slab, then upper slab: each darker than the one above it, like stacked ivory.
    const QColor slabLine(112, 88, 48);
    QLinearGradient lower(0, 0, 0, FaceSize.height());
    lower.setColorAt(0, QColor(200, 178, 128));
    lower.setColorAt(1, QColor(160, 132, 84));
    p.setPen(QPen(slabLine, 1));
    p.setBrush(lower);
    p.drawRoundedRect(TopSurface.translated(2 * SlabStep, 2 * SlabStep), Corner, Corner);

    QLinearGradient upper(0, 0, 0, FaceSize.height());
    upper.setColorAt(0, QColor(238, 226, 196));
    upper.setColorAt(1, QColor(214, 196, 152));
    // A faint seam only: a full line at this half-pixel step would smear at 1x.
    p.setPen(QPen(QColor(150, 124, 78, 110), 0.75));
    p.setBrush(upper);
    p.drawRoundedRect(TopSurface.translated(SlabStep, SlabStep), Corner, Corner);

    // Top surface: warm ivory, lit from the upper left.
    QLinearGradient ivory(TopSurface.topLeft(), TopSurface.bottomRight());
    ivory.setColorAt(0, QColor(255, 254, 248));
    ivory.setColorAt(0.55, QColor(250, 245, 230));
    ivory.setColorAt(1, QColor(240, 230, 205));
    p.setPen(QPen(QColor(140, 116, 72), 1));
    p.setBrush(ivory);
    p.drawRoundedRect(TopSurface, Corner, Corner);

    // Bevel: a bright rim on the lit edges fading into a soft shade on the far ones.
    QLinearGradient bevel(TopSurface.topLeft(), TopSurface.bottomRight());
    bevel.setColorAt(0, QColor(255, 255, 255, 230));
    bevel.setColorAt(0.5, QColor(255, 255, 255, 40));
    bevel.setColorAt(0.75, QColor(200, 178, 130, 60));
    bevel.setColorAt(1, QColor(190, 165, 115, 170));
    p.setPen(QPen(QBrush(bevel), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(TopSurface.adjusted(1, 1, -1, -1), Corner - 1, Corner - 1);
    return image;
}

// The highlight frame is drawn in whole device pixels: a blended edge would not be pure red.
QImage WithFrame(QImage image) {
    const qreal dpr = image.devicePixelRatio();
    const int width = std::max(1, qRound(dpr));
    image.setDevicePixelRatio(1);
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QColor red(255, 0, 0);
    const int w = image.width();
    const int h = image.height();
    p.fillRect(0, 0, w, width, red);
    p.fillRect(0, h - width, w, width, red);
    p.fillRect(0, 0, width, h, red);
    p.fillRect(w - width, 0, width, h, red);
    p.end();
    image.setDevicePixelRatio(dpr);
    return image;
}

// Each device row (or column) takes the band colour under its centre, so the stripes stay
// hard-edged at any ratio and the middle one is pure red.
QColor BandAt(int device, int deviceCount) {
    const int index = static_cast<int>((device + 0.5) * Band.size() / deviceCount);
    return QColor(Band[std::clamp<int>(index, 0, Band.size() - 1)]);
}

QImage HorizontalBand(qreal dpr) {
    QImage image = NewImage(HorizontalSize, dpr);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb colour = BandAt(y, image.height()).rgb();
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), image.width(), colour);
    }
    return image;
}

QImage VerticalBand(qreal dpr) {
    QImage image = NewImage(VerticalSize, dpr);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) line[x] = BandAt(x, image.width()).rgb();
    }
    return image;
}

// The backing is a groove that the bar fills from the right. Where the bar sits follows from
// the clock's layout: its box spans y 1.53..17.53 and x up to 303.33 within the backing, and it
// grows 2/3 pixel a second, so a tick every 40 pixels from the right end marks each minute.
QImage ClockBacking(qreal dpr) {
    QImage image = NewImage(BackingSize, dpr);
    QPainter p(&image);
    ScaleBelowOne(p, image);
    p.setRenderHint(QPainter::Antialiasing);

    // Outer rim, shaded as a dip in the surface: dark above, catching the light below.
    const QRectF outer(0.5, 0.5, BackingSize.width() - 1, BackingSize.height() - 1);
    QLinearGradient rim(0, 0, 0, BackingSize.height());
    rim.setColorAt(0, QColor(24, 27, 32));
    rim.setColorAt(0.7, QColor(58, 64, 74));
    rim.setColorAt(1, QColor(150, 158, 170));
    // A grey outline keeps the shape readable on a black window as well as a coloured one.
    p.setPen(QPen(QColor(82, 90, 102), 1));
    p.setBrush(rim);
    p.drawRoundedRect(outer, 5, 5);

    const QRectF track(1.5, 1.2, BackingSize.width() - 3, 17.3);
    QLinearGradient floor(0, track.top(), 0, track.bottom());
    floor.setColorAt(0, QColor(10, 12, 15));
    floor.setColorAt(0.25, QColor(26, 30, 36));
    floor.setColorAt(1, QColor(38, 43, 51));
    p.setPen(Qt::NoPen);
    p.setBrush(floor);
    p.drawRoundedRect(track, 4, 4);

    // Minute marks, snapped to whole logical pixels so they stay one crisp line at 1x.
    const qreal right = 303.33;
    for (int minute = 1; minute <= 7; ++minute) {
        const qreal x = std::floor(right - 40.0 * minute) + 0.5;
        p.setPen(QPen(QColor(120, 130, 145, 150), 1));
        p.drawLine(QPointF(x, 4.5), QPointF(x, 15));
        const qreal half = std::floor(right - 40.0 * minute + 20) + 0.5;
        p.setPen(QPen(QColor(120, 130, 145, 70), 1));
        p.drawLine(QPointF(half, 7.5), QPointF(half, 12));
    }
    return image;
}

// Only the rows differ, so the bar can be stretched to any width without a seam.
QImage ClockBar(qreal dpr) {
    QImage image = NewImage(BarSize, dpr);
    QPainter p(&image);
    ScaleBelowOne(p, image);
    QLinearGradient gloss(0, 0, 0, BarSize.height());
    gloss.setColorAt(0.0, QColor(255, 240, 190));
    gloss.setColorAt(0.12, QColor(255, 214, 96));
    gloss.setColorAt(0.45, QColor(255, 184, 30));
    gloss.setColorAt(0.5, QColor(246, 156, 0));
    gloss.setColorAt(0.85, QColor(228, 122, 0));
    gloss.setColorAt(1.0, QColor(168, 78, 0));
    p.fillRect(QRectF(0, 0, BarSize.width(), BarSize.height()), gloss);
    return image;
}

}  // namespace

Artwork::Artwork(qreal devicePixelRatio) : dpr_(devicePixelRatio) {
    LoadResources();
    horizontal_ = ToPixmap(HorizontalBand(dpr_));
    vertical_ = ToPixmap(VerticalBand(dpr_));
    backing_ = ToPixmap(ClockBacking(dpr_));
    bar_ = ToPixmap(ClockBar(dpr_));
}

// Faces are drawn the first time they show: before a deal none does, and a face that is
// never highlighted never needs its frame.
const QPixmap& Artwork::face(int kind, bool highlighted) const {
    if (kind < 1 || kind > Kinds) return normal_[0];
    QPixmap& normal = normal_[kind];
    if (normal.isNull()) {
        if (body_.isNull()) body_ = TileBody(dpr_);
        QImage image = body_.copy();
        image.setDevicePixelRatio(dpr_);
        QPainter p(&image);
        ScaleBelowOne(p, image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const std::string_view file = PictureFile(kind);
        QSvgRenderer picture(QStringLiteral(":/tiles/%1.svg")
                                 .arg(QLatin1String(file.data(), static_cast<int>(file.size()))));
        picture.render(&p, PictureRect);
        p.end();
        normal = ToPixmap(std::move(image));
    }
    if (!highlighted) return normal;
    QPixmap& framed = highlighted_[kind];
    if (framed.isNull()) framed = ToPixmap(WithFrame(normal.toImage()));
    return framed;
}

void Artwork::keepFaces(const KindSet& shown, const KindSet& highlighted) {
    for (int kind = 1; kind <= Kinds; ++kind) {
        if (!shown[kind]) normal_[kind] = QPixmap();
        if (!highlighted[kind]) highlighted_[kind] = QPixmap();
    }
}

int Artwork::heldFaces() const {
    const auto held = [](const auto& faces) {
        return std::count_if(faces.begin(), faces.end(),
                             [](const QPixmap& f) { return !f.isNull(); });
    };
    return static_cast<int>(held(normal_) + held(highlighted_));
}

const QPixmap& Artwork::aboutPicture() const { return face(AboutKind, false); }

namespace {

// Draws the application's SVG for exactly the size asked, so the icon is never a rescaled
// bitmap, and only when something asks: the window system takes the few sizes listed below
// when a window maps, the rules window one more. Each size is drawn once. Done here rather
// than left to an SVG icon plugin, which a minimal install may lack.
class VectorIconEngine final : public QIconEngine {
public:
    QIconEngine* clone() const override { return new VectorIconEngine(*this); }
    QString key() const override { return QStringLiteral("tilvara-vector"); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        Drawing().render(painter, rect);
    }

    // QIcon asks for device pixels (the logical size times the ratio) and sets the ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        if (size.isEmpty()) return {};
        QPixmap pixmap = Plain(size);
        if (mode == QIcon::Disabled) {
            QStyleOption option;
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    // The sizes window managers show in title bars, task lists and switchers; larger ones
    // come from the installed icon files.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}};
    }

private:
    QSvgRenderer& Drawing() {
        if (!drawing_)
            drawing_ = std::make_shared<QSvgRenderer>(QStringLiteral(":/icons/tilvara.svg"));
        return *drawing_;
    }

    const QPixmap& Plain(QSize size) {
        for (const QPixmap& done : drawn_) {
            if (done.size() == size) return done;
        }
        // The sizes every start-up asks for were drawn from the same SVG at build time.
        QImage image(QStringLiteral(":/icons/tilvara-%1.png").arg(size.width()));
        if (image.size() != size) {
            image = NewImage(size, 1);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            Drawing().render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        drawn_.append(QPixmap::fromImage(std::move(image)));
        return drawn_.last();
    }

    std::shared_ptr<QSvgRenderer> drawing_;
    QList<QPixmap> drawn_;
};

}  // namespace

QIcon Artwork::applicationIcon() {
    LoadResources();
    return QIcon(new VectorIconEngine);
}

QString Artwork::pictureName(int kind) {
    const std::string_view name = PictureName(kind);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace tilvara::ui
