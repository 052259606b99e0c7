// Paints the main window's game area from the core's view state (twips to logical
// pixels) and reports clicks on the cell pictures and on Label1.
#pragma once

#include <QWidget>
#include <memory>

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
    const Artwork& artwork();

    const ViewState& view_;
    std::unique_ptr<Artwork> artwork_;
    int pressedIndex_ = -1;
    bool pressedLabel1_ = false;
};

}  // namespace tilvara::ui
