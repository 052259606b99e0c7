// Painting of the game area. Positions come from the core in twips, 15 to a design pixel;
// the whole area is scaled uniformly to the widget, and the artwork is rendered for the
// scale times the device pixel ratio, so a settled board is never stretched from a smaller
// bitmap. Only during a live resize are the pictures at hand drawn scaled.
#include "ui/board_view.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

#include "game/view_layout.h"
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
// The focus frame: blue beside the selection's red, on the light tiles and the black board.
const QColor CursorColour(0, 150, 255);
constexpr qreal CursorWidth = CursorFrameWidth / TwipsPerPixel;  // design pixels

// Half-open, as pixels are: a point on the shared edge of two pictures belongs to one.
bool Covers(const QRectF& r, QPointF p) {
    return p.x() >= r.left() && p.x() < r.right() && p.y() >= r.top() && p.y() < r.bottom();
}

// The painted elements, in painting order: the clock and the labels stay readable over a
// path along the border.
constexpr int FirstCell = 0;
constexpr int FirstPiece = FirstCell + CellCount;
constexpr int Backing = FirstPiece + 4;
constexpr int Bar = Backing + 1;
constexpr int FirstLabel = Bar + 1;
constexpr int StartLine = FirstLabel + 4;
constexpr int ElementCount = StartLine + 1;
constexpr Qt::Alignment LabelFlags = Qt::AlignLeft | Qt::AlignTop;
constexpr qreal LabelPoints = 18;  // at the design size
// The prompt on the field: quieter than the red status lines, on a dark band where tiles lie
// under it.
constexpr qreal StartLinePoints = 14;
const QColor StartLineColour(200, 200, 200);
const QColor PromptBand(0, 0, 0, 225);
// The texts on the clock strip, and the bar in its last seconds.
constexpr qreal ClockTextPoints = 9;
const QColor ClockTextColour(255, 255, 255);
const QColor WarningColour(230, 40, 30, 200);

// Pictures drawn for a ratio this close to the one needed are scaled rather than drawn again:
// a size the window manager nudges by a few pixels costs no drawing of faces.
bool NearRatio(qreal drawn, qreal needed) { return std::abs(drawn / needed - 1) < 0.02; }

}  // namespace

BoardView::BoardView(const ViewState& view, QWidget* parent)
    : QWidget(parent), view_(view), labelFont_(LabelFamily()) {
    labelFont_.setPointSizeF(LabelPoints);
    labelFont_.setBold(true);
    nextFrame_.setSingleShot(true);
    nextFrame_.setTimerType(Qt::PreciseTimer);
    connect(&nextFrame_, &QTimer::timeout, this, [this] {
        update(pending_);
        pending_ = QRegion();
    });
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] {
        // The old set goes before the new one is drawn, at the next paint: one set at a time.
        if (artwork_ && !NearRatio(artwork_->devicePixelRatio(), scale() * devicePixelRatioF()))
            artwork_.reset();
        update();  // the labels at their own size, the faces as drawn for it
    });
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);  // the keyboard plays on the board
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
    if (designPixels.isEmpty()) return {};  // an element that shows nothing covers nothing
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
    // A resize in progress keeps the pictures at hand; anything else that changes the ratio,
    // such as a screen of another density, has them drawn afresh at once.
    if (!artwork_ || (!settle_.isActive() && !NearRatio(artwork_->devicePixelRatio(), ratio)))
        artwork_ = std::make_unique<Artwork>(ratio);
    return *artwork_;
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Each step of a live resize restarts the wait, so the faces are drawn once, at the end.
    if (artwork_ && !NearRatio(artwork_->devicePixelRatio(), scale() * devicePixelRatioF()))
        settle_.start();
}

void BoardView::KeepShownFaces() {
    Artwork::KindSet shown, highlighted;
    for (int i = 1; i <= CellCount; ++i) {
        const CellPicture& pic = view_.Image2[i];
        if (!pic.visible || pic.face.kind < 1 || pic.face.kind > Artwork::Kinds) continue;
        shown.set(pic.face.kind);
        if (pic.face.highlighted) highlighted.set(pic.face.kind);
    }
    artwork_->keepFaces(shown, highlighted);
}

int BoardView::indexAt(QPointF pos) const {
    // Later pictures are drawn over earlier ones: the topmost answers.
    for (int i = static_cast<int>(view_.Image2.size()) - 1; i >= 1; --i) {
        if (view_.Image2[i].visible && Covers(pictureRect(i), pos)) return i;
    }
    return view_.Image2[0].visible && Covers(pictureRect(0), pos) ? 0 : -1;
}

bool BoardView::label1At(QPointF pos) const { return Covers(placed(Px(view_.Label1.box)), pos); }

std::vector<BoardView::Drawn> BoardView::Elements() const {
    std::vector<Drawn> drawn(ElementCount);
    for (int i = 1; i <= CellCount; ++i) {
        const CellPicture& pic = view_.Image2[i];
        if (!pic.visible) continue;
        drawn[FirstCell + i - 1].area = Px(pic);
    }
    const std::array<PathBand, 4> bands = PathBands(view_);
    for (int i = 0; i < 4; ++i)
        if (bands[i].visible) drawn[FirstPiece + i].area = Px(bands[i].box);
    drawn[Backing].area = Px(view_.Image9);
    drawn[Bar].area = Px(view_.Image10);
    // Centred in its box (the field), which holds it whole.
    if (!view_.startLine.caption.empty()) {
        drawn[StartLine].area = drawn[StartLine].box = Px(view_.startLine.box);
        drawn[StartLine].text = view_.startLine.caption;
    }
    const std::array<const Label*, 4> labels = StatusLabels(view_);
    for (int i = 0; i < 4; ++i) {
        Drawn& d = drawn[FirstLabel + i];
        d.text = labels[i]->visible ? labels[i]->caption : std::string();
        d.box = Px(labels[i]->box);
        if (d.text.empty()) continue;
        if (static_cast<int>(synced_.size()) == ElementCount && syncedScale_ == scale()) {
            const Drawn& before = synced_[FirstLabel + i];
            if (before.text == d.text && before.box == d.box) {
                d.area = before.area;
                continue;
            }
        }
        d.area = LabelArea(d.text, d.box);
    }
    return drawn;
}

// Measured as it is painted, in the scaled font at the scaled box: hinting makes a scaled
// font's text no simple multiple of the design size's. A bold glyph's ink may stand a little
// outside its advance.
QRectF BoardView::LabelArea(const std::string& text, const QRectF& box) const {
    const qreal s = scale();
    const QRectF painted =
        QFontMetricsF(scaledLabelFont(), this)
            .boundingRect(placed(box), LabelFlags | Qt::TextDontClip, QString::fromStdString(text));
    return QRectF((painted.topLeft() - offset()) / s, painted.size() / s).adjusted(-3, -3, 3, 3);
}

QFont BoardView::scaledLabelFont() const {
    QFont font = labelFont_;
    font.setPointSizeF(LabelPoints * scale());
    return font;
}

void BoardView::Sync(const ViewChanges& changes) {
    // A resize repainted everything at the new scale, the old texts too if they were still
    // the view's then: where they stand now is measured anew, and asks for no paint itself.
    if (syncedScale_ != scale()) {
        syncedScale_ = scale();
        for (std::size_t i = FirstLabel; i < synced_.size(); ++i) {
            if (!synced_[i].text.empty())
                synced_[i].area = LabelArea(synced_[i].text, synced_[i].box);
        }
    }
    std::vector<Drawn> now = Elements();
    QRegion changed = CursorChange();
    // What the core names is repainted where it was and where it is now.
    const auto repaint = [&](int element) {
        changed += widgetRect(synced_[element].area);
        changed += widgetRect(now[element].area);
    };
    if (synced_.size() != now.size()) {
        changed = rect();
    } else {
        for (int i = 1; i <= CellCount; ++i)
            if (changes.cells[i]) repaint(FirstCell + i - 1);
        for (int i = 0; changes.pieces && i < 4; ++i) repaint(FirstPiece + i);
        if (changes.clock) {
            repaint(Backing);
            repaint(Bar);
        }
        for (int i = 0; i < 4; ++i)
            if (changes.labels[i]) repaint(FirstLabel + i);
        if (changes.startLine) repaint(StartLine);
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
    const QRect exposed = event->rect();
    // The window's background is the standard scheme's menu-text colour: black.
    painter.fillRect(exposed, Qt::black);
    const std::vector<Drawn> drawn = Elements();
    const auto shows = [&](int element) {
        return !drawn[element].area.isEmpty() &&
               widgetRect(drawn[element].area).intersects(exposed);
    };
    const Artwork& art = artwork();
    // Drawn for the ratio in use, a face fills its picture's box one device pixel per pixel;
    // drawn for another, it is scaled smoothly into the box.
    if (art.devicePixelRatio() != scale() * devicePixelRatioF())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);

    for (int i = 1; i <= CellCount; ++i) {
        if (!shows(FirstCell + i - 1)) continue;
        const CellPicture& pic = view_.Image2[i];
        const QPixmap& face = art.face(pic.face.kind, pic.face.highlighted);
        if (!face.isNull()) painter.drawPixmap(pictureRect(i), face, QRectF(face.rect()));
    }

    // Path pieces over the tiles.
    for (int i = 0; i < 4; ++i) {
        if (!shows(FirstPiece + i)) continue;
        const QPixmap& band = i < 2 ? art.horizontalPiece() : art.verticalPiece();
        painter.drawPixmap(placed(drawn[FirstPiece + i].area), band, QRectF(band.rect()));
    }
    PaintCursor(painter, exposed);

    // The clock strip and the labels stay readable over a path along the border.
    if (shows(Backing))
        painter.drawPixmap(placed(drawn[Backing].area), art.clockBacking(),
                           QRectF(art.clockBacking().rect()));
    if (shows(Bar)) {
        const QRectF bar = placed(drawn[Bar].area);
        painter.drawPixmap(bar, art.clockBar(), QRectF(art.clockBar().rect()));
        // The last seconds: the bar turns red.
        if (view_.clockWarning) painter.fillRect(bar, WarningColour);
    }
    if (shows(Backing)) PaintClockTexts(painter);

    if (shows(StartLine)) PaintPrompt(painter, placed(drawn[StartLine].box));

    // Labels: red, bold, 18 pt at the design size, heavy CJK sans. Over a path along the
    // border, but never over the tiles: a glyph that reaches into the first row stays under
    // them, so every tile of a kind shows the same picture.
    const QRectF grid = pictureRect(1).united(pictureRect(CellCount));
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(grid.toAlignedRect())),
                          Qt::IntersectClip);
    // While a resize settles, the text keeps the size of the pictures at hand and is
    // stretched like them: a font size for every step would fill the font caches with sizes
    // shown once.
    const qreal fontScale =
        settle_.isActive() ? art.devicePixelRatio() / devicePixelRatioF() : scale();
    const qreal stretch = scale() / fontScale;
    QFont font = labelFont_;
    font.setPointSizeF(LabelPoints * fontScale);
    painter.setFont(font);
    painter.setPen(LabelColour);
    for (int i = FirstLabel; i < FirstLabel + 4; ++i) {
        if (!shows(i)) continue;
        const QRectF box = placed(drawn[i].box);
        const QString text = QString::fromStdString(drawn[i].text);
        if (stretch == 1) {
            painter.drawText(box, LabelFlags | Qt::TextDontClip, text);
            continue;
        }
        painter.save();
        painter.translate(box.topLeft());
        painter.scale(stretch, stretch);
        painter.drawText(QRectF(QPointF(0, 0), box.size() / stretch), LabelFlags | Qt::TextDontClip,
                         text);
        painter.restore();
    }
    KeepShownFaces();
    // A resize waits from the end of its last frame: one whose frames take longer than the
    // wait itself must not have the faces drawn afresh between its steps.
    if (settle_.isActive()) settle_.start();
    // From the end, so the next frame is a whole frame after this one reaches the screen.
    sincePaint_.start();
}

void BoardView::PaintClockTexts(QPainter& painter) const {
    QFont font(LabelFamily());
    font.setPointSizeF(ClockTextPoints * scale());
    font.setBold(true);
    painter.setFont(font);
    const auto text = [&](const Label& label, Qt::Alignment align) {
        const QRectF box = placed(Px(label.box));
        const QString caption = QString::fromStdString(label.caption);
        const qreal shadow = std::max(qreal(1), scale());
        painter.setPen(Qt::black);  // a shadow keeps it readable over the bar and the ticks
        painter.drawText(box.translated(shadow, shadow), align | Qt::AlignVCenter, caption);
        painter.setPen(ClockTextColour);
        painter.drawText(box, align | Qt::AlignVCenter, caption);
    };
    text(view_.levelLine, Qt::AlignLeft);
    text(view_.clockText, Qt::AlignRight);
}

void BoardView::PaintPrompt(QPainter& painter, const QRectF& field) const {
    QFont font(LabelFamily());
    font.setPointSizeF(StartLinePoints * scale());
    painter.setFont(font);
    const QString text = QString::fromStdString(view_.startLine.caption);
    const QRectF ink = painter.boundingRect(field, Qt::AlignCenter, text);
    bool overTiles = false;
    for (int i = 1; i <= CellCount && !overTiles; ++i)
        overTiles = view_.Image2[i].visible && pictureRect(i).intersects(ink);
    if (overTiles) {
        const qreal pad = 8 * scale();
        painter.fillRect(
            QRectF(field.left(), ink.top() - pad, field.width(), ink.height() + 2 * pad),
            PromptBand);
    }
    painter.setPen(StartLineColour);
    painter.drawText(field, Qt::AlignCenter, text);
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

// ---------------------------------------------------------------- the focus frame

bool BoardView::cursorShown() const { return view_.cursor.shown && hasFocus(); }

bool BoardView::frameShown() const { return view_.cursor.framed && cursorShown(); }

QRectF BoardView::cursorRect() const {
    const qreal dpr = devicePixelRatioF();
    const qreal width = std::max(qreal(1), std::round(CursorWidth * scale() * dpr)) / dpr;
    return pictureRect(IndexOf(view_.cursor.row, view_.cursor.col))
        .adjusted(-width, -width, width, width);
}

QRegion BoardView::CursorChange() {
    const QRect now = frameShown() ? cursorRect().toAlignedRect() : QRect();
    if (now == cursorPainted_) return {};
    const QRegion changed = QRegion(cursorPainted_) + QRegion(now);
    cursorPainted_ = now;
    return changed;
}

// Over the tiles and the path, so it shows on a tile and on an empty cell alike. The face
// inside it stays uncovered, red frame and all, and so does a selected neighbour's red
// edge where the frame crosses it.
void BoardView::PaintCursor(QPainter& painter, const QRect& exposed) const {
    if (!frameShown() || !cursorRect().toAlignedRect().intersects(exposed)) return;
    const BoardCursor& cursor = view_.cursor;
    QPainterPath band;  // the space between the two edges: rectangles filled odd-even
    band.addRect(cursorRect());
    band.addRect(pictureRect(IndexOf(cursor.row, cursor.col)));
    const qreal dpr = devicePixelRatioF();
    const qreal edge = std::max(qreal(1), std::round(scale() * dpr)) / dpr;  // as the artwork's
    QPainterPath kept;
    for (int row = std::max(1, cursor.row - 1); row <= std::min(Rows, cursor.row + 1); ++row) {
        for (int col = std::max(1, cursor.col - 1); col <= std::min(Cols, cursor.col + 1); ++col) {
            const CellPicture& pic = view_.Image2[IndexOf(row, col)];
            if (!pic.visible || !pic.face.highlighted) continue;
            const QRectF face = pictureRect(IndexOf(row, col));
            kept.addRect(face);
            kept.addRect(face.adjusted(edge, edge, -edge, -edge));
        }
    }
    painter.fillPath(kept.isEmpty() ? band : band.subtracted(kept), CursorColour);
}

// Only the frame changes with the focus: the rest of the board keeps its pixels.
void BoardView::focusInEvent(QFocusEvent*) {
    update(CursorChange());
    // After the toolkit has told assistive technology that the board has the focus: within
    // it, the cursor's cell has it.
    QMetaObject::invokeMethod(
        this, [this] { NotifyBoardFocus(*this); }, Qt::QueuedConnection);
}

void BoardView::focusOutEvent(QFocusEvent*) { update(CursorChange()); }

}  // namespace tilvara::ui
