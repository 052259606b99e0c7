// Asks the X server for the keyboard's state, and for held keys that repeat without releases.
#include "ui/key_state.h"

#ifdef TILVARA_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QGuiApplication>

#include <cstdlib>

// The keyboard extension's C header names a field after a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace tilvara::ui {
namespace {

xcb_connection_t* Connection() {
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

std::optional<bool> KeyDownNow(quint32 nativeScanCode) {
    xcb_connection_t* connection = Connection();
    if (!connection || nativeScanCode == 0 || nativeScanCode > 255) return std::nullopt;
    xcb_query_keymap_reply_t* keymap =
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    if (!keymap) return std::nullopt;
    const bool down = keymap->keys[nativeScanCode / 8] & (1u << (nativeScanCode % 8));
    std::free(keymap);
    return down;
}

bool AskForRepeatsWithoutReleases() {
    xcb_connection_t* connection = Connection();
    // The toolkit has already taken the keyboard extension into use on this connection. A
    // request of an extension the server lacks would close the connection: ask first.
    const xcb_query_extension_reply_t* xkb =
        connection ? xcb_get_extension_data(connection, &xcb_xkb_id) : nullptr;
    if (!xkb || !xkb->present) return false;
    constexpr uint32_t detectable = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_xkb_per_client_flags_reply_t* reply =
        xcb_xkb_per_client_flags_reply(connection,
                                       xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD,
                                                                detectable, detectable, 0, 0, 0),
                                       nullptr);
    const bool granted = reply && (reply->value & detectable);
    std::free(reply);
    return granted;
}

}  // namespace tilvara::ui

#else  // no X server to ask

namespace tilvara::ui {
std::optional<bool> KeyDownNow(quint32) { return std::nullopt; }
bool AskForRepeatsWithoutReleases() { return false; }
}  // namespace tilvara::ui

#endif
