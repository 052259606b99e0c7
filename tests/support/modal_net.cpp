// Linked into every widget test: a modal window still open a few seconds after it opened (a
// check failed before the code that closes it) is closed and the test fails, instead of the
// window's loop holding the test until CTest's timeout.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int NetMs = 5000;

class ModalNet final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!window->isWindow() || !window->isModal()) return false;
        // Each opening gets its own net: an earlier opening's must not close a later one.
        const int opening = window->property("modalNetOpening").toInt() + 1;
        window->setProperty("modalNetOpening", opening);
        QTimer::singleShot(NetMs, window, [window = QPointer<QWidget>(window), opening] {
            if (!window || !window->isVisible() ||
                window->property("modalNetOpening").toInt() != opening) {
                return;
            }
            if (auto* dialog = qobject_cast<QDialog*>(window.data()))
                dialog->reject();
            else
                window->close();
            QTest::qFail("a modal window was left open; the safety net closed it", __FILE__,
                         __LINE__);
        });
        return false;
    }
};

void InstallModalNet() {
    auto* net = new ModalNet;
    net->setParent(qApp);
    qApp->installEventFilter(net);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallModalNet)
