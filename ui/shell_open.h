// The desktop shell's "open" verb: hands a link text to the desktop's default handler.
#pragma once

#include <functional>

#include <QString>
#include <QUrl>

namespace tilvara::ui {

// Opens a web address, an e-mail address or a path in the default handler. Failures are
// silent: a link that opens nothing must never interrupt the game.
void ShellOpen(const QString& target);

// The URL ShellOpen hands to the desktop for a link text; empty if there is nothing to open.
// A bare e-mail address becomes a mailto: URL, a bare host name an https: one.
QUrl ShellTargetUrl(const QString& target);

// Replaces what receives the URLs (tests capture them, so no browser ever starts); an
// empty function restores the desktop's handler.
void SetShellOpener(std::function<void(const QUrl&)> opener);

}  // namespace tilvara::ui
