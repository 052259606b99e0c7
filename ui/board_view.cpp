// Painting of the game area. Positions come from the core in twips, 15 to a logical
// pixel; Qt maps logical pixels to device pixels, and the artwork is rendered at the
// device pixel ratio, so nothing is ever upscaled.
#include "ui/board_view.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <array>

#include "ui/application.h"
#include "ui/artwork.h"

namespace tilvara::ui {

namespace {

QRectF Px(double left, double top, double width, double height) {
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
            height / TwipsPerPixel};
}

QRectF Px(const Box& box) { return Px(box.left, box.top, box.width, box.height); }

QRectF Px(const CellPicture& pic) { return Px(pic.left, pic.top, pic.width, pic.height); }

const QColor LabelColour(255, 0, 0);

}  // namespace

BoardView::BoardView(const ViewState& view, QWidget* parent)
    : QWidget(parent), view_(view), labelFont_(LabelFamily()) {
    labelFont_.setPointSize(18);
    labelFont_.setBold(true);
    nextFrame_.setSingleShot(true);
    nextFrame_.setTimerType(Qt::PreciseTimer);
    connect(&nextFrame_, &QTimer::timeout, this, [this] {
        update(pending_);
        pending_ = QRegion();
    });
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

BoardView::~BoardView() = default;

QSize BoardView::sizeHint() const { return Px(view_.client).size().toSize(); }

QPoint BoardView::origin() const {
    const QSize design = sizeHint();
    return {std::max(0, (width() - design.width()) / 2),
            std::max(0, (height() - design.height()) / 2)};
}

QPoint BoardView::pointOfTwips(double left, double top, double width, double height) const {
    return Px(left, top, width, height).center().toPoint() + origin();
}

const Artwork& BoardView::artwork() {
    const qreal dpr = devicePixelRatioF();
    if (!artwork_ || artwork_->devicePixelRatio() != dpr) artwork_ = std::make_unique<Artwork>(dpr);
    return *artwork_;
}

int BoardView::indexAt(QPoint pos) const {
    const QPointF p = QPointF(pos - origin());
    for (int i = 0; i < static_cast<int>(view_.Image2.size()); ++i) {
        const CellPicture& pic = view_.Image2[i];
        if (pic.visible && Px(pic).contains(p)) return i;
    }
    return -1;
}

bool BoardView::label1At(QPoint pos) const {
    return Px(view_.Label1.box).contains(QPointF(pos - origin()));
}

QRect BoardView::widgetRect(const QRectF& designPixels) const {
    if (designPixels.isEmpty()) return {};
    return designPixels.translated(origin()).toAlignedRect();
}

namespace {

constexpr int FirstLabel = 2;
constexpr int FirstCell = FirstLabel + 4;
constexpr int FirstPiece = FirstCell + CellCount;
constexpr int ElementCount = FirstPiece + 4;
constexpr Qt::Alignment LabelFlags = Qt::AlignLeft | Qt::AlignTop;

// The core places a piece's corner on a cell centre; the band is drawn centred on that line
// and half its thickness longer at each end, so it runs through the cell centres and its
// corners join without a notch.
QRectF BandOf(const Piece& piece, bool horizontal) {
    QRectF r = Px(piece.left, piece.top, piece.width, piece.height);
    const qreal half = (horizontal ? r.height() : r.width()) / 2;
    if (horizontal)
        r.adjust(-half, -half, half, -half);
    else
        r.adjust(-half, -half, -half, half);
    return r;
}

}  // namespace

std::vector<BoardView::Drawn> BoardView::Elements() const {
    std::vector<Drawn> drawn(ElementCount);
    drawn[0].area = Px(view_.Image9);
    drawn[1].area = Px(view_.Image10);
    const std::array<const Label*, 4> labels = {&view_.Label4, &view_.Label2, &view_.Label3,
                                                &view_.Label1};
    for (int i = 0; i < 4; ++i) {
        Drawn& d = drawn[FirstLabel + i];
        d.text = labels[i]->caption;
        d.box = Px(labels[i]->box);
        if (d.text.empty()) continue;
        if (static_cast<int>(synced_.size()) == ElementCount) {
            const Drawn& before = synced_[FirstLabel + i];
            if (before.text == d.text && before.box == d.box) {
                d.area = before.area;
                continue;
            }
        }
        // A bold glyph's ink may stand a little outside its advance.
        d.area =
            QFontMetricsF(labelFont_, this)
                .boundingRect(d.box, LabelFlags | Qt::TextDontClip, QString::fromStdString(d.text))
                .adjusted(-2, -2, 2, 2);
    }
    for (int i = 1; i <= CellCount; ++i) {
        const CellPicture& pic = view_.Image2[i];
        if (!pic.visible) continue;
        Drawn& d = drawn[FirstCell + i - 1];
        d.area = Px(pic);
        d.look = 1 + 2 * pic.face.kind + (pic.face.highlighted ? 1 : 0);
    }
    const std::array<std::pair<const Piece*, bool>, 4> pieces = {{{&view_.Image4, true},
                                                                  {&view_.Image6, true},
                                                                  {&view_.Image5, false},
                                                                  {&view_.Image7, false}}};
    for (int i = 0; i < 4; ++i) {
        if (!pieces[i].first->visible) continue;
        drawn[FirstPiece + i].area = BandOf(*pieces[i].first, pieces[i].second);
        drawn[FirstPiece + i].look = 1;
    }
    return drawn;
}

void BoardView::Sync() {
    std::vector<Drawn> now = Elements();
    QRegion changed;
    if (synced_.size() != now.size()) {
        changed = rect();
    } else {
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i] == synced_[i]) continue;
            changed += widgetRect(synced_[i].area);
            changed += widgetRect(now[i].area);
        }
    }
    synced_ = std::move(now);
    if (changed.isEmpty()) return;
    const qint64 since = sincePaint_.isValid() ? sincePaint_.elapsed() : FrameMs;
    if (since >= FrameMs && !nextFrame_.isActive()) {
        update(changed);
        return;
    }
    pending_ += changed;
    if (!nextFrame_.isActive()) nextFrame_.start(static_cast<int>(FrameMs - since));
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The window's background is the standard scheme's menu-text colour: black.
    painter.fillRect(event->rect(), Qt::black);
    const QRect exposed = event->rect();
    const std::vector<Drawn> drawn = Elements();
    const auto shows = [&](int element) {
        return widgetRect(drawn[element].area).intersects(exposed);
    };
    painter.translate(origin());
    const Artwork& art = artwork();

    // The clock strip: backing, then the bar stretched over it.
    if (shows(0))
        painter.drawPixmap(drawn[0].area, art.clockBacking(), QRectF(art.clockBacking().rect()));
    if (shows(1)) painter.drawPixmap(drawn[1].area, art.clockBar(), QRectF(art.clockBar().rect()));

    // Labels: red, bold, 18 pt, heavy CJK sans.
    painter.setFont(labelFont_);
    painter.setPen(LabelColour);
    for (int i = FirstLabel; i < FirstCell; ++i) {
        if (!shows(i)) continue;
        painter.drawText(drawn[i].box, LabelFlags | Qt::TextDontClip,
                         QString::fromStdString(drawn[i].text));
    }

    for (int i = 1; i <= CellCount; ++i) {
        if (!shows(FirstCell + i - 1)) continue;
        const CellPicture& pic = view_.Image2[i];
        const QPixmap& face = art.face(pic.face.kind, pic.face.highlighted);
        if (!face.isNull()) painter.drawPixmap(Px(pic).topLeft(), face);
    }

    // Path pieces over the tiles.
    for (int i = 0; i < 4; ++i) {
        if (!shows(FirstPiece + i)) continue;
        const QPixmap& band = i < 2 ? art.horizontalPiece() : art.verticalPiece();
        painter.drawPixmap(drawn[FirstPiece + i].area, band, QRectF(band.rect()));
    }
    // From the end, so the next frame is a whole frame after this one reaches the screen.
    sincePaint_.start();
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressedIndex_ = indexAt(event->position().toPoint());
    pressedLabel1_ = label1At(event->position().toPoint());
}

// A click is a press and a release on the same picture.
void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    const int pressed = pressedIndex_;
    const bool pressedLabel1 = pressedLabel1_;
    pressedIndex_ = -1;
    pressedLabel1_ = false;
    if (pressed >= 0 && indexAt(pos) == pressed)
        emit cellClicked(pressed);
    else if (pressedLabel1 && label1At(pos))
        emit label1Clicked();
}

}  // namespace tilvara::ui
