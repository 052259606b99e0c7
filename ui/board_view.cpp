// Painting of the game area. Positions come from the core in twips, 15 to a design pixel;
// the whole area is scaled uniformly to the widget, and the artwork is rendered for the
// scale times the device pixel ratio, so nothing is ever stretched from a smaller bitmap.
#include "ui/board_view.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "ui/application.h"
#include "ui/artwork.h"
#include "ui/board_accessible.h"

namespace tilvara::ui {

namespace {

QRectF Px(double left, double top, double width, double height) {
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
            height / TwipsPerPixel};
}

QRectF Px(const Box& box) { return Px(box.left, box.top, box.width, box.height); }

QRectF Px(const CellPicture& pic) { return Px(pic.left, pic.top, pic.width, pic.height); }

const QColor LabelColour(255, 0, 0);

// Half-open, as pixels are: a point on the shared edge of two pictures belongs to one.
bool Covers(const QRectF& r, QPointF p) {
    return p.x() >= r.left() && p.x() < r.right() && p.y() >= r.top() && p.y() < r.bottom();
}

}  // namespace

BoardView::BoardView(const ViewState& view, QWidget* parent) : QWidget(parent), view_(view) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    InstallBoardAccessible();
}

BoardView::~BoardView() = default;

QSize BoardView::sizeHint() const { return Px(view_.client).size().toSize(); }

QSize BoardView::minimumSizeHint() const {
    const QSizeF design = Px(view_.client).size();
    return {qCeil(design.width() * MinimumScale), qCeil(design.height() * MinimumScale)};
}

qreal BoardView::scale() const {
    const QSizeF design = Px(view_.client).size();
    if (design.isEmpty() || width() <= 0 || height() <= 0) return 1;
    return std::min(width() / design.width(), height() / design.height());
}

QPointF BoardView::offset() const {
    const QSizeF design = Px(view_.client).size() * scale();
    // Whole device pixels, so a scale of 1 puts every picture where it always was.
    const qreal dpr = devicePixelRatioF();
    return {std::floor((width() - design.width()) / 2 * dpr) / dpr,
            std::floor((height() - design.height()) / 2 * dpr) / dpr};
}

QPoint BoardView::origin() const { return offset().toPoint(); }

QRectF BoardView::placed(const QRectF& designPixels) const {
    const qreal s = scale();
    const qreal dpr = devicePixelRatioF();
    const QPointF o = offset();
    const auto snap = [dpr](qreal logical) { return std::round(logical * dpr) / dpr; };
    const qreal left = snap(o.x() + designPixels.left() * s);
    const qreal top = snap(o.y() + designPixels.top() * s);
    const qreal right = snap(o.x() + designPixels.right() * s);
    const qreal bottom = snap(o.y() + designPixels.bottom() * s);
    return {left, top, right - left, bottom - top};
}

QRect BoardView::widgetRect(const QRectF& designPixels) const {
    // A picture rendered at a rounded size may reach one device pixel past its box.
    const qreal spare = 1 / devicePixelRatioF();
    return placed(designPixels).adjusted(0, 0, spare, spare).toAlignedRect();
}

QRectF BoardView::pictureRect(int index) const {
    const CellPicture& pic = view_.Image2[index];
    const QRectF box = placed(Px(pic));
    if (index == 0) return box;
    // A face is drawn unscaled at its snapped corner, as large as the artwork renders it.
    const qreal dpr = devicePixelRatioF();
    const qreal ratio = scale() * dpr;
    return {box.topLeft(), QSizeF(qRound(pic.width / TwipsPerPixel * ratio) / dpr,
                                  qRound(pic.height / TwipsPerPixel * ratio) / dpr)};
}

QPoint BoardView::pointOfTwips(double left, double top, double width, double height) const {
    return placed(Px(left, top, width, height)).center().toPoint();
}

const Artwork& BoardView::artwork() {
    const qreal ratio = scale() * devicePixelRatioF();
    if (!artwork_ || !qFuzzyCompare(artwork_->devicePixelRatio(), ratio))
        artwork_ = std::make_unique<Artwork>(ratio);
    return *artwork_;
}

int BoardView::indexAt(QPointF pos) const {
    // Later pictures are drawn over earlier ones: the topmost answers.
    for (int i = static_cast<int>(view_.Image2.size()) - 1; i >= 1; --i) {
        if (view_.Image2[i].visible && Covers(pictureRect(i), pos)) return i;
    }
    return view_.Image2[0].visible && Covers(pictureRect(0), pos) ? 0 : -1;
}

bool BoardView::label1At(QPointF pos) const { return Covers(placed(Px(view_.Label1.box)), pos); }

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The window's background is the standard scheme's menu-text colour: black.
    painter.fillRect(rect(), Qt::black);
    const Artwork& art = artwork();
    const qreal dpr = devicePixelRatioF();
    // A pixmap rendered at the effective ratio, shown one device pixel per pixel.
    const auto drawAt = [&](QPointF topLeft, const QPixmap& pixmap) {
        painter.drawPixmap(QRectF(topLeft, QSizeF(pixmap.size()) / dpr), pixmap,
                           QRectF(pixmap.rect()));
    };

    for (int i = 1; i < static_cast<int>(view_.Image2.size()); ++i) {
        const CellPicture& pic = view_.Image2[i];
        if (!pic.visible) continue;
        const QPixmap& face = art.face(pic.face.kind, pic.face.highlighted);
        if (!face.isNull()) drawAt(pictureRect(i).topLeft(), face);
    }

    // Path pieces over the tiles. The core places a piece's corner on a cell centre; the
    // band is drawn centred on that line and half its thickness longer at each end, so
    // it runs through the cell centres and its corners join without a notch.
    const auto drawPiece = [&](const Piece& piece, bool horizontal) {
        if (!piece.visible) return;
        QRectF r = Px(piece.left, piece.top, piece.width, piece.height);
        const qreal half = (horizontal ? r.height() : r.width()) / 2;
        if (horizontal)
            r.adjust(-half, -half, half, -half);
        else
            r.adjust(-half, -half, -half, half);
        const QPixmap& band = horizontal ? art.horizontalPiece() : art.verticalPiece();
        painter.drawPixmap(placed(r), band, QRectF(band.rect()));
    };
    drawPiece(view_.Image4, true);
    drawPiece(view_.Image6, true);
    drawPiece(view_.Image5, false);
    drawPiece(view_.Image7, false);

    // The clock strip and the labels stay readable over a path along the border.
    painter.drawPixmap(placed(Px(view_.Image9)), art.clockBacking(),
                       QRectF(art.clockBacking().rect()));
    painter.drawPixmap(placed(Px(view_.Image10)), art.clockBar(), QRectF(art.clockBar().rect()));

    // Labels: red, bold, 18 pt at the design size, heavy CJK sans.
    QFont font(LabelFamily());
    font.setPointSizeF(18 * scale());
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(LabelColour);
    for (const Label* label : {&view_.Label4, &view_.Label2, &view_.Label3, &view_.Label1}) {
        if (label->caption.empty()) continue;
        painter.drawText(placed(Px(label->box)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromStdString(label->caption));
    }
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressedIndex_ = indexAt(event->position());
    pressedLabel1_ = label1At(event->position());
}

// A click is a press and a release on the same picture.
void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF pos = event->position();
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
