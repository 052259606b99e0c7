// Fonts, colours and mouse handling of the secondary windows' labels.
#include "ui/link_labels.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "ui/application.h"

namespace tilvara::ui {

QFont LabelFont(qreal points, bool bold) {
    QFont font(QString::fromLatin1(LabelFamily()));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* NewLabel(const QString& name, const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

void PaintLink(QLabel* label, const QColor& colour, bool underline) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    if (underline && !label->font().underline()) {
        QFont font = label->font();
        font.setUnderline(true);
        label->setFont(font);
    }
}

void HoverLink(QLabel* hovered, const QList<QLabel*>& links) {
    for (QLabel* other : links) {
        if (other != hovered) PaintLink(other, LinkBlue, false);
    }
    PaintLink(hovered, LinkRed, true);
}

ClickFilter::ClickFilter(QObject* parent, std::function<void(QObject*)> click,
                         std::function<void(QLabel*)> hover)
    : QObject(parent), click_(std::move(click)), hover_(std::move(hover)) {}

void ClickFilter::Watch(QWidget* control) { control->installEventFilter(this); }

void ClickFilter::WatchLink(QLabel* label) {
    Watch(label);
    label->setMouseTracking(true);  // the hover colours follow the mouse without a press
    label->setCursor(Qt::PointingHandCursor);
    links_.append(label);
}

bool ClickFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: return true;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const auto* widget = static_cast<QWidget*>(watched);
            if (mouse->button() == Qt::LeftButton &&
                widget->rect().contains(mouse->position().toPoint())) {
                click_(watched);
            }
            return true;
        }
        case QEvent::MouseMove:
            if (links_.contains(watched)) hover_(static_cast<QLabel*>(watched));
            return false;
        default: return QObject::eventFilter(watched, event);
    }
}

}  // namespace tilvara::ui
