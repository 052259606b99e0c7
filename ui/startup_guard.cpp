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
#include <optional>
#include <utility>
#include <vector>

namespace tilvara::ui {

namespace {

// Beyond these the windows would take gigabytes, or be too small to show or to count in
// whole pixels.
constexpr double MinScaleFactor = 0.1;
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

// The smallest and largest factor a value sets (a screen a list names no factor for keeps 1),
// or nothing when an entry is not a finite number from 0.1 to 8. Parsed as Qt parses it, so what
// passes here is what Qt applies: QT_SCALE_FACTOR is one number, QT_SCREEN_SCALE_FACTORS a
// list of "factor" or "name=factor" entries, one a screen, between semicolons, where empty
// entries count for nothing.
std::optional<std::pair<double, double>> FactorRange(const QString& text, bool list) {
    double smallest = list ? 1 : MaxScaleFactor, largest = list ? 1 : MinScaleFactor;
    for (const QString& entry : list ? text.split(u';') : QStringList{text}) {
        if (list && entry.isEmpty()) continue;
        bool ok = false;
        const double factor = (list ? entry.section(u'=', -1) : entry).toDouble(&ok);
        if (!ok || !std::isfinite(factor) || factor < MinScaleFactor || factor > MaxScaleFactor)
            return std::nullopt;
        smallest = std::min(smallest, factor);
        largest = std::max(largest, factor);
    }
    return std::pair{smallest, largest};
}

}  // namespace

void IgnoreBadScaleFactors() {
    const struct {
        const char* name;
        bool list;
        const char* fallback;
    } variables[] = {{"QT_SCALE_FACTOR", false, "starting at scale 1"},
                     {"QT_SCREEN_SCALE_FACTORS", true, "each screen keeps its own scale"}};
    // The two multiply: together they must stay in range as well, or the rules window alone
    // could take gigabytes, or no window would ever show.
    double scale = 1;
    for (const auto& variable : variables) {
        const QString text = qEnvironmentVariable(variable.name);
        if (text.isEmpty()) continue;
        const auto range = FactorRange(text, variable.list);
        QByteArray why;
        if (!range) {
            why = QByteArray("not a number from ") + QByteArray::number(MinScaleFactor) + " to " +
                  QByteArray::number(MaxScaleFactor);
        } else if (scale * range->first < MinScaleFactor) {
            why = "times QT_SCALE_FACTOR, a scale below " + QByteArray::number(MinScaleFactor);
        } else if (scale * range->second > MaxScaleFactor) {
            why = "times QT_SCALE_FACTOR, a scale above " + QByteArray::number(MaxScaleFactor);
        } else {
            scale *= range->second;  // QT_SCALE_FACTOR comes first, and is one factor
            continue;
        }
        // The value as typed, but on one line whatever it holds.
        QByteArray shown = text.toLocal8Bit();
        for (char& c : shown) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
        }
        std::fprintf(stderr, "tilvara: ignoring %s=%s: %s; %s\n", variable.name, shown.constData(),
                     why.constData(), variable.fallback);
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
