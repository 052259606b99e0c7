// Paints the main window's game area from the core's view state (twips to logical
// pixels) and reports clicks on the cell pictures and on Label1.
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
    explicit BoardView(const ViewState& view, QWidget* parent = nullptr);
    ~BoardView() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Where the game area's origin sits in the widget: centred when the window is larger.
    QPoint origin() const;
    // The widget rectangle that covers a rectangle of the game area in design pixels
    // (twips / 15); every mapping of an element to the widget goes through here.
    QRect widgetRect(const QRectF& designPixels) const;
    // Asks for a repaint of the elements whose look changed since the last call, and of
    // nothing else: an unchanged view posts no paint at all. Repaints come at most one a
    // frame; a change sooner after the last paint waits for the next frame.
    void Sync();
    static constexpr int FrameMs = 17;  // a 60 Hz frame, rounded up
    // The widget point at the centre of an element in twips, for tests and tools.
    QPoint pointOfTwips(double left, double top, double width, double height) const;
    // The cell picture under a point, -1 for none (hidden pictures never answer).
    int indexAt(QPoint pos) const;
    bool label1At(QPoint pos) const;

signals:
    void cellClicked(int index);
    void label1Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // One painted element: where it shows and what it shows, so a change of either repaints
    // the old and the new place.
    struct Drawn {
        QRectF area;  // design pixels; empty when it shows nothing
        int look = 0;
        std::string text;
        QRectF box;  // a label's box, which its text may overrun
        bool operator==(const Drawn&) const = default;
    };
    // Clock backing and bar, the four labels, the 144 cells, the four path pieces, in
    // painting order. A label's text is measured only when it differs from the last sync.
    std::vector<Drawn> Elements() const;
    const Artwork& artwork();

    const ViewState& view_;
    std::unique_ptr<Artwork> artwork_;
    QFont labelFont_;
    std::vector<Drawn> synced_;
    QElapsedTimer sincePaint_;
    QRegion pending_;
    QTimer nextFrame_;
    int pressedIndex_ = -1;
    bool pressedLabel1_ = false;
};

}  // namespace tilvara::ui
