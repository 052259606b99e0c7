// The desktop shell's "open" verb, shared by the splash and about windows' link labels.
#include "ui/shell_open.h"

#include <QDesktopServices>

#include "game/secondary_windows.h"

namespace tilvara::ui {

namespace {

std::function<void(const QUrl&)>& Opener() {
    static std::function<void(const QUrl&)> opener;
    return opener;
}

}  // namespace

QUrl ShellTargetUrl(const QString& target) {
    const std::string address = LinkAddress(target.toStdString());
    if (address.empty()) return {};
    const QUrl url(QString::fromStdString(address), QUrl::TolerantMode);
    return url.isValid() ? url : QUrl();
}

void ShellOpen(const QString& target) {
    const QUrl url = ShellTargetUrl(target);
    if (url.isEmpty()) return;
    if (Opener()) {
        Opener()(url);
    } else {
        QDesktopServices::openUrl(url);  // the result is not looked at: failures are silent
    }
}

void SetShellOpener(std::function<void(const QUrl&)> opener) { Opener() = std::move(opener); }

}  // namespace tilvara::ui
