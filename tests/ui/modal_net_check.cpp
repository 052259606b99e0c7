// Fails on purpose, as a widget test with a broken check would: the check inside the box's
// loop fails before the box is closed, and the safety net must close it within seconds.
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class ModalNetCheck : public QObject {
    Q_OBJECT
private slots:
    void failedCheckInsideABox() {
        QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Ok);
        QTimer::singleShot(0, &box, [] {
            QVERIFY2(false, "the box is open");
            // Never reached: the box stays open.
        });
        box.exec();
    }
};

QTEST_MAIN(ModalNetCheck)
#include "modal_net_check.moc"
