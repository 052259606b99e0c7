// The room a window has on its screen, and keeping a window within it.
#include "ui/screen_room.h"

#include <QLabel>
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

namespace {

// Everything a window's size follows, times `factor`: the fonts its widgets set, the sizes
// they fix, and its layouts' margins, spacings and spaces.
void ScaleContent(QWidget& window, qreal factor) {
    const auto scaled = [factor](int n) { return static_cast<int>(std::floor(n * factor)); };
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (widget == &window || widget->testAttribute(Qt::WA_SetFont)) {
            QFont font = widget->font();
            if (font.pointSizeF() > 0)
                font.setPointSizeF(font.pointSizeF() * factor);
            else
                font.setPixelSize(std::max(1, scaled(font.pixelSize())));
            widget->setFont(font);
        }
        if (widget != &window && widget->minimumSize() == widget->maximumSize()) {
            widget->setFixedSize(scaled(widget->width()), scaled(widget->height()));
            if (auto* label = qobject_cast<QLabel*>(widget)) label->setScaledContents(true);
        }
    }
    QList<QLayout*> layouts = window.findChildren<QLayout*>();
    for (QLayout* layout : layouts) {
        const QMargins m = layout->contentsMargins();
        layout->setContentsMargins(scaled(m.left()), scaled(m.top()), scaled(m.right()),
                                   scaled(m.bottom()));
        if (layout->spacing() > 0) layout->setSpacing(scaled(layout->spacing()));
        for (int i = 0; i < layout->count(); ++i) {
            QSpacerItem* space = layout->itemAt(i)->spacerItem();
            if (!space) continue;
            const QSize size = space->sizeHint();
            const QSizePolicy policy = space->sizePolicy();
            space->changeSize(scaled(size.width()), scaled(size.height()),
                              policy.horizontalPolicy(), policy.verticalPolicy());
        }
        layout->invalidate();
    }
}

// The window at the size its content asks for.
QSize Settle(QWidget& window) {
    if (QLayout* layout = window.layout()) {
        layout->setEnabled(true);
        layout->activate();
    }
    window.adjustSize();
    return window.size();
}

}  // namespace

void FitWithin(QWidget& window, QSize room, const std::function<void()>& refit) {
    if (room.isEmpty()) return;
    // Text does not shrink quite in proportion to its font: a few rounds close in on it.
    for (int round = 0; round < 4; ++round) {
        const QSize size = Settle(window);
        if (size.width() <= room.width() && size.height() <= room.height()) return;
        const qreal factor =
            std::min(room.width() / qreal(size.width()), room.height() / qreal(size.height()));
        ScaleContent(window, std::max(factor * 0.98, 0.05));
        if (refit) refit();
    }
    // Still too large (a screen smaller than any legible text): what does not fit is cut off
    // at the window's edge rather than reaching past the screen.
    if (window.width() > room.width() || window.height() > room.height()) {
        if (window.layout()) window.layout()->setEnabled(false);
        window.setMinimumSize(0, 0);
        window.resize(window.size().boundedTo(room));
    }
}

void KeepWithinScreen(QWidget& window, const std::function<void()>& refit) {
    const QSize room = WindowRoom(window);
    if (room.isEmpty()) return;
    FitWithin(window, room, refit);
    if (window.testAttribute(Qt::WA_Moved)) {
        const QRect area = AvailableArea(window);
        const QPoint last = area.topLeft() + QPoint(room.width(), room.height()) -
                            QPoint(window.width(), window.height());
        window.move(std::clamp(window.x(), area.left(), std::max(area.left(), last.x())),
                    std::clamp(window.y(), area.top(), std::max(area.top(), last.y())));
    }
}

}  // namespace tilvara::ui
