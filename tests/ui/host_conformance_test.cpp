// The scripted removal with a box in its middle on the Qt shell: real boxes, the live timers.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "tests/support/fake_host.h"
#include "tests/support/host_conformance.h"
#include "ui/application.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

using namespace tilvara;
using namespace tilvara::ui;

namespace {

class QtDriver final : public test::HostDriver {
public:
    QtDriver() {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    MainForm& game() override { return test::GameProbe::Form(form.game()); }
    void Click(int index) override {
        form.Refresh();  // the window paints the board the script placed
        const CellPicture& pic = game().View().Image2[index];
        QTest::mouseClick(&form.board(), Qt::LeftButton, {},
                          form.board().pointOfTwips(pic.left, pic.top, pic.width, pic.height));
    }
    bool RunUntil(const std::function<bool()>& done) override {
        return QTest::qWaitFor(done, 5000);
    }
    std::string OpenMessage() override {
        QMessageBox* box = form.host().openMessage();
        return box && box->isVisible() ? box->text().toStdString() : std::string();
    }
    void CloseMessage() override {
        QTest::mouseClick(form.host().openMessage()->buttons().first(), Qt::LeftButton);
    }
    void Check(bool ok, const char* what) override {
        QTest::qVerify(ok, what, "", __FILE__, __LINE__);
    }

    Form1 form;
};

}  // namespace

class HostConformanceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    void removalWithABoxInItsMiddle() {
        QtDriver driver;
        test::ScriptedRemovalWithABox(driver);
        // The box was modal to the window and is gone with its closing.
        QVERIFY(!driver.form.host().openMessage());
    }

    // A click reaches the window through the window system, where modality is decided: with a
    // box open it selects nothing, once the box is closed it selects.
    void aBoxBlocksTheWindowBehindIt() {
        QtDriver driver;
        Form1& form = driver.form;
        form.action("hard1")->trigger();
        test::GameProbe::Form(form.game()).reshufflesLeft = 0;
        test::GameProbe::Form(form.game()).hint11_Click();
        QTRY_VERIFY(driver.OpenMessage() == "重排机会用完!");
        const CellPicture& pic = test::GameProbe::Form(form.game()).View().Image2[1];
        const QPoint at = form.board().mapTo(
            &form, form.board().pointOfTwips(pic.left, pic.top, pic.width, pic.height));
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(!test::GameProbe::Form(form.game()).hasSelection);
        driver.CloseMessage();
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(test::GameProbe::Form(form.game()).hasSelection);
    }
};

QTEST_MAIN(HostConformanceTest)
#include "host_conformance_test.moc"
