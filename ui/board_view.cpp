// Painting of the game area. Positions come from the core in twips, 15 to a logical
// pixel; Qt maps logical pixels to device pixels, and the artwork is rendered at the
// device pixel ratio, so nothing is ever upscaled.
#include "ui/board_view.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>

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

BoardView::BoardView(const ViewState& view, QWidget* parent) : QWidget(parent), view_(view) {
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

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The window's background is the standard scheme's menu-text colour: black.
    painter.fillRect(rect(), Qt::black);
    painter.translate(origin());
    const Artwork& art = artwork();

    // The clock strip: backing, then the bar stretched over it.
    painter.drawPixmap(Px(view_.Image9), art.clockBacking(), QRectF(art.clockBacking().rect()));
    painter.drawPixmap(Px(view_.Image10), art.clockBar(), QRectF(art.clockBar().rect()));

    // Labels: red, bold, 18 pt, heavy CJK sans.
    QFont font(LabelFamily());
    font.setPointSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(LabelColour);
    for (const Label* label : {&view_.Label4, &view_.Label2, &view_.Label3, &view_.Label1}) {
        if (label->caption.empty()) continue;
        painter.drawText(Px(label->box), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromStdString(label->caption));
    }

    for (int i = 1; i < static_cast<int>(view_.Image2.size()); ++i) {
        const CellPicture& pic = view_.Image2[i];
        if (!pic.visible) continue;
        const QPixmap& face = art.face(pic.face.kind, pic.face.highlighted);
        if (!face.isNull()) painter.drawPixmap(Px(pic).topLeft(), face);
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
        painter.drawPixmap(r, band, QRectF(band.rect()));
    };
    drawPiece(view_.Image4, true);
    drawPiece(view_.Image6, true);
    drawPiece(view_.Image5, false);
    drawPiece(view_.Image7, false);
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
