// Finding the secondary windows' labels by name and reading their text colour.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>

inline QLabel* LabelOf(const QWidget& window, const char* name) {
    auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    if (!label) qFatal("no label %s", name);
    return label;
}

inline QColor ColourOf(const QLabel* label) { return label->palette().color(QPalette::WindowText); }
