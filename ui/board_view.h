// Paints the main window's game area from the core's view state (twips to design pixels,
// scaled to the widget) and reports clicks on the cell pictures and on Label1.
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QRectF>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "game/view_state.h"

namespace tilvara::ui {

class Artwork;

class BoardView final : public QWidget {
    Q_OBJECT
public:
    // Below this share of the design size the tiles' pictures stop being recognisable.
    static constexpr qreal MinimumScale = 0.6;

    explicit BoardView(const ViewState& view, QWidget* parent = nullptr);
    ~BoardView() override;

    const ViewState& view() const { return view_; }
    QSize sizeHint() const override;  // the design size
    QSize minimumSizeHint() const override;
    // The game area keeps its proportions: the largest scale at which it fits the widget.
    qreal scale() const;
    // Where the scaled game area's top-left corner sits in the widget: centred.
    QPoint origin() const;
    // The one mapping from design pixels (twips / 15) to the widget: scaled, centred and
    // snapped outward to whole logical pixels, so an update() of it covers all that is drawn
    // for that box.
    QRect widgetRect(const QRectF& designPixels) const;
    // The exact area a cell picture covers in the widget (edges on device pixels); the
    // template, never drawn, answers over its own box.
    QRectF pictureRect(int index) const;
    // Asks for a repaint of the elements the core names as changed, at their old and new
    // places, and of nothing else. Repaints come at most one a frame; a change sooner after
    // the last paint waits for the next frame.
    void Sync(const ViewChanges& changes);
    static constexpr int FrameMs = 17;  // a 60 Hz frame, rounded up
    // During a live resize the board is drawn from the pictures at hand, scaled; they are drawn
    // afresh for the new size once no resize has come for this long.
    static constexpr int SettleMs = 100;
    // The pictures in use, null before the first paint. Their ratio lags behind scale() *
    // devicePixelRatioF() while a resize settles, and stays when the two differ by less than
    // about 2%; they hold the faces the board shows and no others.
    const Artwork* artworkInUse() const { return artwork_.get(); }
    // The widget point at the centre of an element in twips, for tests and tools.
    QPoint pointOfTwips(double left, double top, double width, double height) const;
    // The picture drawn on top under a point, -1 for none (hidden pictures never answer);
    // the template only where no cell picture lies.
    int indexAt(QPointF pos) const;
    bool label1At(QPointF pos) const;
    // The board cursor is on show while the board has the keyboard focus; its focus frame
    // only while the keyboard drives the board.
    bool cursorShown() const;
    bool frameShown() const;
    // The frame's outer edge: round the cursor's cell, outside its face.
    QRectF cursorRect() const;

signals:
    void cellClicked(int index);
    void label1Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // One painted element: where it shows, so a change repaints the old and the new place.
    struct Drawn {
        QRectF area;  // design pixels; empty when it shows nothing
        std::string text;
        QRectF box;  // a label's box, which its text may overrun
    };
    // The 144 cells, the four path pieces, the clock backing and bar, the four labels, in
    // painting order. A label is measured only when its text or box changed since the last
    // sync, or the scale did.
    std::vector<Drawn> Elements() const;
    const Artwork& artwork();
    QFont scaledLabelFont() const;
    // Where a label's text shows, in design pixels, at the present scale.
    QRectF LabelArea(const std::string& text, const QRectF& box) const;
    // Lets the artwork drop the faces no cell shows.
    void KeepShownFaces();
    // A design rectangle in the widget, edges snapped to device pixels.
    QRectF placed(const QRectF& designPixels) const;
    QPointF offset() const;
    // What to repaint for the focus frame since it was last painted: its old and new place.
    QRegion CursorChange();
    void PaintCursor(QPainter& painter, const QRect& exposed) const;
    void PaintClockTexts(QPainter& painter) const;
    void PaintPrompt(QPainter& painter, const QRectF& field) const;

    const ViewState& view_;
    std::unique_ptr<Artwork> artwork_;
    QFont labelFont_;
    std::vector<Drawn> synced_;
    qreal syncedScale_ = 0;  // the scale synced_'s label areas were measured at
    QElapsedTimer sincePaint_;
    QRegion pending_;
    QTimer nextFrame_;
    QRect cursorPainted_;
    QTimer settle_;
    int pressedIndex_ = -1;
    bool pressedLabel1_ = false;
};

}  // namespace tilvara::ui
