// Start-up checks that turn a missing display or a bad scale factor into one clear line.
#include "ui/startup_guard.h"

#include <unistd.h>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace tilvara::ui {

namespace {

constexpr double MaxScaleFactor = 8;

struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

std::vector<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;

QString HeldText(const char* category, const QString& needle) {
    for (const HeldMessage& message : held) {
        if (message.category == category && message.text.contains(needle)) {
            return message.text;
        }
    }
    return {};
}

// Qt's own account is several lines spread over several messages, and names reinstalling as
// the cure; the player needs to know which display or platform failed.
QString FailureReason(const QString& fatal) {
    const QString connect = HeldText("qt.qpa.xcb", "could not connect to display");
    if (!connect.isNull()) {
        const QString display = connect.section("display", 1).trimmed();
        return display.isEmpty() ? QStringLiteral("no X display (DISPLAY is not set)")
                                 : QStringLiteral("cannot connect to X display %1").arg(display);
    }
    const QString missing = HeldText("qt.qpa.plugin", "Could not find the Qt platform plugin");
    if (!missing.isNull()) {
        QString reason = QStringLiteral("unknown platform \"%1\"").arg(missing.section('"', 1, 1));
        const QString available = fatal.section("Available platform plugins are:", 1).trimmed();
        if (!available.isEmpty()) {
            reason += QStringLiteral(" (available: %1)").arg(available.chopped(1));
        }
        return reason;
    }
    for (const HeldMessage& message : held) {
        if (message.type != QtDebugMsg && message.type != QtInfoMsg) {
            return message.text.simplified();
        }
    }
    return fatal.section('\n', 0, 0);
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const QByteArray line = FailureReason(text).toLocal8Bit();
        std::fprintf(stderr, "tilvara: cannot open a window: %s\n", line.constData());
        std::fflush(stderr);
        // Not abort(): this is a user's set-up, not a bug, and deserves no core dump.
        _exit(1);
    }
    held.push_back({type, context.file, context.function, context.category, context.line, text});
}

// Parsed as Qt parses it, so what passes here is what Qt applies.
bool UsableFactor(const QString& text) {
    bool ok = false;
    const double factor = text.toDouble(&ok);
    return ok && std::isfinite(factor) && factor > 0 && factor <= MaxScaleFactor;
}

}  // namespace

void IgnoreBadScaleFactors() {
    // Qt reads QT_SCALE_FACTOR as one number, and QT_SCREEN_SCALE_FACTORS as a list of
    // "factor" or "name=factor" entries, one a screen, between semicolons; empty entries
    // count for nothing.
    const struct {
        const char* name;
        bool list;
        const char* fallback;
    } variables[] = {{"QT_SCALE_FACTOR", false, "starting at scale 1"},
                     {"QT_SCREEN_SCALE_FACTORS", true, "each screen keeps its own scale"}};
    for (const auto& variable : variables) {
        const QString text = qEnvironmentVariable(variable.name);
        if (text.isEmpty()) continue;
        const QStringList entries = variable.list ? text.split(u';') : QStringList{text};
        const bool usable = std::all_of(entries.begin(), entries.end(), [&](const QString& entry) {
            return (variable.list && entry.isEmpty()) ||
                   UsableFactor(variable.list ? entry.section(u'=', -1) : entry);
        });
        if (usable) continue;
        // The value as typed, but on one line whatever it holds.
        QByteArray shown = text.toLocal8Bit();
        for (char& c : shown) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
        }
        std::fprintf(stderr, "tilvara: ignoring %s=%s: not a number above 0 and at most %g; %s\n",
                     variable.name, shown.constData(), MaxScaleFactor, variable.fallback);
        qunsetenv(variable.name);
    }
}

StartupGuard::StartupGuard() { previousHandler = qInstallMessageHandler(HoldMessage); }

StartupGuard::~StartupGuard() { Release(); }

void StartupGuard::Release() {
    if (!active) {
        return;
    }
    active = false;
    qInstallMessageHandler(previousHandler);
    std::vector<HeldMessage> messages;
    messages.swap(held);
    for (const HeldMessage& message : messages) {
        const QMessageLogContext context(message.file.constData(), message.line,
                                         message.function.constData(),
                                         message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

}  // namespace tilvara::ui
