// The main window on the offscreen platform: menus, real clicks, keys and message boxes
// reach the core, and what the core shows reaches the window.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "tests/support/fake_host.h"
#include "tests/support/reference_scan.h"
#include "ui/application.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

using namespace tilvara;
using namespace tilvara::ui;

namespace {

QPoint CentreOf(Form1& form, int index) {
    const CellPicture& pic = test::GameProbe::Form(form.game()).View().Image2[index];
    return form.board().pointOfTwips(pic.left, pic.top, pic.width, pic.height);
}

void ClickCell(Form1& form, int index) {
    QTest::mouseClick(&form.board(), Qt::LeftButton, {}, CentreOf(form, index));
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }

    void menusHaveTheirCaptionsOrderAndAvailability() {
        Form1 form;
        const QList<QAction*> menus = form.menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), QString("游戏"));
        QCOMPARE(menus[1]->text(), QString("网络游戏"));
        QCOMPARE(menus[2]->text(), QString("帮助"));
        QVERIFY(!menus[1]->isEnabled());

        QStringList captions;
        for (QAction* a : menus[0]->menu()->actions()) captions << a->text();
        QCOMPARE(captions,
                 (QStringList{"开始", "提示(F1)", "重排(F2)", "开始（2）向上", "开始（3）向下",
                              "开始（4）向左", "开始（5）向右", "开始（6）向上下中间",
                              "开始（7）向左右中间", "退出(Esc)"}));
        captions.clear();
        for (QAction* a : menus[2]->menu()->actions()) captions << a->text();
        QCOMPARE(captions, (QStringList{"帮助", "广告", "关于"}));

        QVERIFY(!form.action("hint")->isEnabled());
        QVERIFY(!form.action("hint11")->isEnabled());
        form.action("hard1")->trigger();
        QVERIFY(form.action("hint")->isEnabled());
        QVERIFY(form.action("hint11")->isEnabled());
        for (int n = 2; n <= 7; ++n) QVERIFY(!form.action(QString("hard%1").arg(n))->isEnabled());
        QCOMPARE(form.windowTitle(), QString("Tilvara"));
    }

    void realClicksSelectAndRemoveAPair() {
        Form1 form;
        QStringList messages;
        form.host().setMessageHandler([&](const QString& m) { messages << m; });
        form.show();
        form.action("hard1")->trigger();
        QVERIFY(form.host().timer(TimerId::Timer4).isActive());

        const auto [a, b] =
            reference::FirstLinkableIndices(test::GameProbe::Form(form.game()).board);
        QVERIFY(a > 0);
        ClickCell(form, a);
        QCOMPARE(form.windowTitle(), QString("144"));
        QVERIFY(test::GameProbe::Form(form.game()).View().Image2[a].face.highlighted);

        // The pair goes on the third tick of the live 50 ms timer; what the window shows is
        // read on that tick, before the board check's own tick can come.
        // The window shows it on that same tick, not on some later event.
        bool timer1OnRemoval = false;
        QString titleOnRemoval;
        QObject::connect(&form.host().timer(TimerId::Timer3), &QTimer::timeout, &form, [&] {
            if (titleOnRemoval.isEmpty() &&
                !test::GameProbe::Form(form.game()).View().Image2[b].visible) {
                timer1OnRemoval = form.host().timer(TimerId::Timer1).isActive();
                titleOnRemoval = form.windowTitle();
            }
        });
        ClickCell(form, b);
        QTRY_COMPARE(titleOnRemoval, QString("142"));
        QCOMPARE(form.windowTitle(), QString("142"));
        QVERIFY(!test::GameProbe::Form(form.game()).View().Image2[a].visible);
        QVERIFY(!test::GameProbe::Form(form.game()).View().Image2[b].visible);
        QVERIFY(timer1OnRemoval);
        QTRY_VERIFY(!form.host().timer(TimerId::Timer1).isActive());
        QVERIFY(QString::fromStdString(test::GameProbe::Form(form.game()).View().Label1.caption)
                    .startsWith("还有"));
        QVERIFY(messages.isEmpty());
    }

    void hiddenCellsAndLabel1AreHandledByTheCore() {
        Form1 form;
        form.show();
        QTest::mouseClick(&form.board(), Qt::LeftButton, {}, CentreOf(form, 1));
        QCOMPARE(form.windowTitle(), QString("Tilvara"));  // no tile is shown before a deal
        const Box& box = test::GameProbe::Form(form.game()).View().Label1.box;
        QTest::mouseClick(&form.board(), Qt::LeftButton, {},
                          form.board().pointOfTwips(box.left, box.top, box.width, box.height));
        QCOMPARE(test::GameProbe::Form(form.game()).revealClicks, 1);
    }

    void functionKeysWorkFromAnyChildAndBeforeTheFirstDeal() {
        Form1 form;
        QStringList messages;
        form.host().setMessageHandler([&](const QString& m) { messages << m; });
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        QTest::keyClick(&form.board(), Qt::Key_F2);
        QCOMPARE(messages, QStringList{"重排机会用完!"});
        QTest::keyClick(&form.board(), Qt::Key_F1);
        QCOMPARE(test::GameProbe::Form(form.game()).hintsLeft, 9);
        QCOMPARE(test::GameProbe::Form(form.game()).View().Label2.caption,
                 std::string("还有9次提示,F1键"));

        form.action("hard1")->trigger();
        QTest::keyClick(&form, Qt::Key_F2);
        QCOMPARE(test::GameProbe::Form(form.game()).View().Label4.caption,
                 std::string("0次重排,F2键"));
        QVERIFY(form.host().timer(TimerId::Timer2).isActive());
        QTest::keyClick(&form.board(), Qt::Key_Escape);
        QVERIFY(test::GameProbe::Form(form.game()).Unloaded());
        QVERIFY(!form.isVisible());
        QVERIFY(!form.host().timer(TimerId::Timer3).isActive());
    }

    void messageBoxIsModalWithTitleAndOneOkButton() {
        Form1 form;
        form.show();
        bool seen = false, noIcon = false, centred = false;
        int width = 0;
        QRect text;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            QCOMPARE(box->windowTitle(), QString("提示"));
            QCOMPARE(box->text(), QString("重排机会用完!"));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->buttons().first()->text(), QString("确定"));
            noIcon = box->buttons().first()->icon().isNull();
            width = box->width();
            // The text sits in the middle of the box.
            auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            text = label->geometry();
            centred = label->alignment() & Qt::AlignHCenter;
            box->buttons().first()->click();
        });
        test::GameProbe::Form(form.game()).hint11_Click();
        QTRY_VERIFY(seen);
        QVERIFY(noIcon);
        QVERIFY(width >= 240);
        QVERIFY(centred);
        QVERIFY2(qAbs(text.left() - (width - 1 - text.right())) <= 2,
                 qPrintable(QString("%1 %2 %3").arg(text.left()).arg(text.right()).arg(width)));
    }

    void clockRunsOnTheRealTimer() {
        Form1 form;
        form.show();
        form.action("hard1")->trigger();
        const double width = test::GameProbe::Form(form.game()).View().Image10.width;
        QTRY_VERIFY_WITH_TIMEOUT(test::GameProbe::Form(form.game()).View().Image10.width > width,
                                 10000);
        QCOMPARE(test::GameProbe::Form(form.game()).View().Image10.left +
                     test::GameProbe::Form(form.game()).View().Image10.width,
                 4670.0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
