// The desktop shell's "open" verb, shared by the splash and about windows' link labels.
#include "ui/shell_open.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace tilvara::ui {

namespace {

std::function<void(const QUrl&)>& Opener() {
    static std::function<void(const QUrl&)> opener;
    return opener;
}

// "mailto:", "https:", "file:"... A dot before the colon means a host and port
// ("example.org:8080"), not a scheme.
bool HasScheme(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+-]*:"));
    return scheme.match(text).hasMatch();
}

// "a@x.org; b@y.org" names two recipients; mailto: separates them with commas.
QString MailRecipients(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    return text.split(separators, Qt::SkipEmptyParts).join(QLatin1Char(','));
}

}  // namespace

QUrl ShellTargetUrl(const QString& target) {
    const QString text = target.trimmed();
    if (text.isEmpty()) return {};
    QUrl url;
    if (text.startsWith(QLatin1Char('/'))) {
        url = QUrl::fromLocalFile(text);
    } else if (HasScheme(text)) {
        url = QUrl(text, QUrl::TolerantMode);
    } else if (text.contains(QLatin1Char('@')) && !text.contains(QLatin1Char('/'))) {
        // The desktop would take a bare address for a file name or a host with a user
        // name; the mail program opens only through mailto:.
        url = QUrl(QStringLiteral("mailto:") + MailRecipients(text), QUrl::TolerantMode);
    } else {
        url = QUrl(QStringLiteral("https://") + text, QUrl::TolerantMode);
    }
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
