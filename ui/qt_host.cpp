// Qt side of the core's host interface.
#include "ui/qt_host.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "game/texts.h"
#include "ui/shell_open.h"

namespace tilvara::ui {

namespace {

constexpr int MessageMinimumWidth = 240;

// The box's text centred over the box and at least a comfortable width: without an icon,
// the indent left for one only pushes the text off-centre.
void Tidy(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!grid || !label) return;
    for (int i = grid->count() - 1; i >= 0; --i) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(i, &row, &column, &rows, &columns);
        if (QSpacerItem* indent = grid->itemAt(i)->spacerItem(); indent && column == 0) {
            grid->removeItem(indent);
            delete indent;
        }
    }
    // Across the whole width, as the button row is: a column to its left adds a spacing.
    grid->removeWidget(label);
    grid->addWidget(label, 0, 0, 1, grid->columnCount());
    const QMargins margins = grid->contentsMargins();
    label->setMinimumWidth(MessageMinimumWidth - margins.left() - margins.right());
    label->setAlignment(Qt::AlignCenter);
}

}  // namespace

QtHost::QtHost(QWidget* window, std::function<void(TimerId)> tick, std::function<void()> beforeWait)
    : window_(window), beforeWait_(std::move(beforeWait)) {
    for (int t = 0; t < TimerCount; ++t) {
        const auto id = static_cast<TimerId>(t);
        timers_[t].setInterval(TimerInterval(id));
        // The level clock counts 452 seconds; a coarse timer's 5% slack would show.
        timers_[t].setTimerType(Qt::PreciseTimer);
        connect(&timers_[t], &QTimer::timeout, this, [tick, id] { tick(id); });
    }
}

void QtHost::ShowMessage(std::string_view text) {
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (beforeWait_) beforeWait_();
    if (messageHandler_) {
        messageHandler_(message);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::MessageTitle), message,
                    QMessageBox::Ok, window_);
    QAbstractButton* ok = box.button(QMessageBox::Ok);
    ok->setText(QString::fromUtf8(texts::OkButton));
    ok->setIcon(QIcon());  // the style's stock icon is a bitmap, soft when scaled
    Tidy(box);
    box.exec();
}

void QtHost::ProcessEvents() {
    // The window asks for a repaint only of what changed, so once the path is on screen
    // nothing is posted here and the wait below really sleeps.
    if (beforeWait_) beforeWait_();
    // Sleeps until the next event; the 50 ms tick counter is always running, so the
    // hold never waits longer than one tick and never spins a core.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtHost::SetTimer(TimerId id, bool on) {
    QTimer& timer = timers_[static_cast<int>(id)];
    if (on)
        timer.start();  // restarts the interval when already running
    else
        timer.stop();
}

void QtHost::Unload() {
    for (QTimer& timer : timers_) timer.stop();
    // The window is only hidden here: a handler of the core may still be on the stack
    // below a nested loop, and it returns before the application's loop ends.
    if (window_) window_->hide();
    QCoreApplication::quit();
}

void QtHost::ShellOpen(std::string_view target) {
    ui::ShellOpen(QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size())));
}

void QtHost::setMessageHandler(std::function<void(const QString&)> handler) {
    messageHandler_ = std::move(handler);
}

}  // namespace tilvara::ui
