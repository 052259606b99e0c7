// The room a window has on its screen, and keeping a window within it.
#include "ui/screen_room.h"

#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tilvara::ui {

namespace {

// Qt rounds the available area's device pixels to the nearest logical pixel, and a window's
// logical pixels back to device pixels: a window as large as the logical area can come out a
// device pixel larger than the screen (427 logical pixels at scale 3 for 1280). The most
// logical pixels that stay within the fewest device pixels `logical` can stand for.
int LogicalRoom(int logical, qreal scale) {
    const qreal fewest = std::ceil((logical - 0.5) * scale);
    return std::max(0, static_cast<int>(std::ceil((fewest + 0.5) / scale)) - 1);
}

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return {};
    const QRect area = screen->availableGeometry();
    const qreal scale = screen->devicePixelRatio();
    return {area.topLeft(),
            QSize(LogicalRoom(area.width(), scale), LogicalRoom(area.height(), scale))};
}

}  // namespace

QSize WindowRoom(const QWidget& window) {
    const QSize area = AvailableArea(window).size();
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return {area.width(), std::max(0, area.height() - titleBar)};
}

void KeepWithinScreen(QWidget& window) {
    // The content laid out at its own size, as the window would open without a screen's limit.
    QLayout* layout = window.layout();
    if (layout) {
        layout->setEnabled(true);
        layout->activate();
    } else if (!window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
    }
    const QSize room = WindowRoom(window);
    if (room.isEmpty()) return;
    if (window.width() > room.width() || window.height() > room.height()) {
        // What does not fit is cut off at the window's edge, rather than the window reaching
        // past the screen or its content squeezed on top of itself.
        if (layout) layout->setEnabled(false);
        window.setMinimumSize(0, 0);
        window.resize(window.size().boundedTo(room));
    }
    if (window.testAttribute(Qt::WA_Moved)) {
        const QRect area = AvailableArea(window);
        const QPoint last = area.topLeft() + QPoint(room.width(), room.height()) -
                            QPoint(window.width(), window.height());
        window.move(std::clamp(window.x(), area.left(), std::max(area.left(), last.x())),
                    std::clamp(window.y(), area.top(), std::max(area.top(), last.y())));
    }
}

}  // namespace tilvara::ui
