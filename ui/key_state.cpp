// Asks the X server for the keyboard's state.
#include "ui/key_state.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QGuiApplication>

#include <cstdlib>

namespace tilvara::ui {

std::optional<bool> KeyDownNow(quint32 nativeScanCode) {
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || nativeScanCode == 0 || nativeScanCode > 255) return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    xcb_query_keymap_reply_t* keymap =
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    if (!keymap) return std::nullopt;
    const bool down = keymap->keys[nativeScanCode / 8] & (1u << (nativeScanCode % 8));
    std::free(keymap);
    return down;
}

}  // namespace tilvara::ui
