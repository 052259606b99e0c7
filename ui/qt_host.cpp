// Qt side of the core's host interface.
#include "ui/qt_host.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "game/texts.h"

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

QtHost::QtHost(QWidget* window, std::function<void(TimerId)> tick, std::function<void()> afterClose)
    : window_(window), afterClose_(std::move(afterClose)) {
    for (int t = 0; t < TimerCount; ++t) {
        const auto id = static_cast<TimerId>(t);
        timers_[t].setInterval(TimerInterval(id));
        // The level clock counts 452 seconds; a coarse timer's 5% slack would show.
        timers_[t].setTimerType(Qt::PreciseTimer);
        connect(&timers_[t], &QTimer::timeout, this, [tick, id] { tick(id); });
    }
}

void QtHost::ShowMessage(std::string_view text, std::function<void()> closed) {
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const auto close = [this, closed = std::move(closed)] {
        closed();
        if (afterClose_) afterClose_();
    };
    if (messageHandler_) {
        messageHandler_(message);
        QMetaObject::invokeMethod(this, close, Qt::QueuedConnection);
        return;
    }
    // A box over the newest open one blocks that one too, so boxes close newest first.
    QWidget* over = openMessage() ? static_cast<QWidget*>(openMessage()) : window_;
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(texts::MessageTitle),
                                message, QMessageBox::Ok, over);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    ok->setText(QString::fromUtf8(texts::OkButton));
    ok->setIcon(QIcon());  // the style's stock icon is a bitmap, soft when scaled
    Tidy(*box);
    open_.append(box);
    // The host is the context: a box that outlives it (the program ending) calls nothing.
    // A box finishes again when a second quick key reaches it before it is deleted: only its
    // first closing counts, or its continuation (a reward, say) would run twice.
    connect(
        box, &QDialog::finished, this,
        [this, box, close] {
            open_.removeAll(box);
            close();
        },
        Qt::SingleShotConnection);
    box->open();  // window-modal: the window and older boxes take no input, timers go on
}

QMessageBox* QtHost::openMessage() const {
    for (auto it = open_.crbegin(); it != open_.crend(); ++it)
        if (*it) return *it;
    return nullptr;
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
    // Only hidden here: the core's handler that asked is still on the stack, and the window
    // goes once the application's loop has ended.
    if (window_) window_->hide();
    QCoreApplication::quit();
}

void QtHost::setMessageHandler(std::function<void(const QString&)> handler) {
    messageHandler_ = std::move(handler);
}

}  // namespace tilvara::ui
