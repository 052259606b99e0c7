// The yardstick windows' menu bar: the game's own menus, captions and enabled items, taken from
// the core's table, so a yardstick lays out and paints the same bar as the game.
#pragma once

#include <QMenuBar>
#include <QString>

#include "game/window_layout.h"

inline void AddGameMenus(QMenuBar* bar) {
    for (const tilvara::Menu& menu : tilvara::DesignedView().menus) {
        QMenu* added = bar->addMenu(QString::fromStdString(menu.caption));
        added->menuAction()->setEnabled(menu.enabled);
        for (const tilvara::MenuItem& item : menu.items)
            added->addAction(QString::fromStdString(item.caption))->setEnabled(item.enabled);
    }
}
