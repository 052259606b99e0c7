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
#include "game/view_layout.h"

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

// Where a tile's picture lies: on the bare tile's top surface (tile.svg), above its middle.
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

// The bare tile, the clock's groove and its bar are drawn from the same SVG files as the page's,
// for the ratio in use.
QImage Rendered(const char* name, QSize logical, qreal dpr) {
    QImage image = NewImage(logical, dpr);
    QPainter p(&image);
    ScaleBelowOne(p, image);
    p.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(QStringLiteral(":/board/%1.svg").arg(QLatin1String(name)))
        .render(&p, QRectF(QPointF(0, 0), logical));
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
    const int index = static_cast<int>((device + 0.5) * PathBandColours.size() / deviceCount);
    return QColor(PathBandColours[std::clamp<int>(index, 0, PathBandColours.size() - 1)]);
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

}  // namespace

Artwork::Artwork(qreal devicePixelRatio) : dpr_(devicePixelRatio) {
    LoadResources();
    horizontal_ = ToPixmap(HorizontalBand(dpr_));
    vertical_ = ToPixmap(VerticalBand(dpr_));
    backing_ = ToPixmap(Rendered("clock", BackingSize, dpr_));
    bar_ = ToPixmap(Rendered("bar", BarSize, dpr_));
}

// Faces are drawn the first time they show: before a deal none does, and a face that is
// never highlighted never needs its frame.
const QPixmap& Artwork::face(int kind, bool highlighted) const {
    if (kind < 1 || kind > Kinds) return normal_[0];
    QPixmap& normal = normal_[kind];
    if (normal.isNull()) {
        if (body_.isNull()) body_ = Rendered("tile", FaceSize, dpr_);
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

const QPixmap& Artwork::aboutPicture() const { return face(AboutPictureKind, false); }

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
