// The labels of the rules and about windows: their fonts and colours, and the mouse handling
// that turns some of them into links.
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QLabel;
class QWidget;

namespace tilvara::ui {

// Colours the windows' texts are designed with, and the hover colours of their link labels.
inline const QColor DarkBlue{0, 0, 192};
inline const QColor LinkBlue{0, 0, 255};
inline const QColor LinkRed{255, 0, 0};

// The windows' face at a size in points.
QFont LabelFont(qreal points, bool bold = false);

// A named label that shows its text as it stands: "<" or "&" never turn it into markup.
QLabel* NewLabel(const QString& name, const QString& text, const QFont& font, QWidget* parent);

// Sets a label's text colour and, when asked, switches its underline on. Hover rules
// never switch an underline off, so there is no way to ask for that here.
void PaintLink(QLabel* label, const QColor& colour, bool underline);

// The hover rule of both windows: the label under the mouse turns red and underlined, the
// other links blue.
void HoverLink(QLabel* hovered, const QList<QLabel*>& links);

// Turns mouse events on a window's controls into that window's clicks and hovers. A click
// is a left press and release on the same control; presses are swallowed, so a click on a
// label never reaches the frame behind it.
class ClickFilter final : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void(QObject*)> click,
                std::function<void(QLabel*)> hover);
    // A control that answers clicks.
    void Watch(QWidget* control);
    // A label that answers clicks and follows the mouse with its hover colours.
    void WatchLink(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QObject*)> click_;
    std::function<void(QLabel*)> hover_;
    QList<QObject*> links_;
};

}  // namespace tilvara::ui
