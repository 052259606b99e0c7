// The about box offscreen: its texts, one red link at a time, where each link leads, and
// that it is modal until "确定".
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "label_support.h"
#include "ui/about_window.h"
#include "ui/application.h"
#include "ui/shell_open.h"
#include "ui/splash_window.h"

using namespace tilvara::ui;

namespace {

const char* const LinkNames[] = {"Label1", "Label3", "Label5", "Label6", "Label7"};

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }
    void cleanup() { SetShellOpener({}); }

    void textsAndPicture() {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QString("关于"));
        QCOMPARE(LabelOf(about, "lblTitle")->text(), QString("Tilvara"));
        QVERIFY(LabelOf(about, "lblDescription")->text().startsWith("版本：2.0"));
        QVERIFY(LabelOf(about, "lblDescription")->text().contains("作者："));
        QCOMPARE(LabelOf(about, "Label4")->text(), QString("网站："));
        QCOMPARE(LabelOf(about, "Label2")->text(), QString("邮箱："));
        QCOMPARE(about.findChild<QPushButton*>("cmdOK")->text(), QString("确定"));
        // The tile pictures' licence asks for this credit wherever they are shown.
        const QString notice = LabelOf(about, "lblDisclaimer")->text();
        for (const char* part : {"Twemoji", "Twitter, Inc", "CC-BY 4.0",
                                 "https://creativecommons.org/licenses/by/4.0/"}) {
            QVERIFY2(notice.contains(QString::fromUtf8(part)), part);
        }
        QVERIFY(about.findChild<Panel*>("Frame1")->caption().contains(QLatin1String(SiteHost)));
        const QPixmap picture = LabelOf(about, "picIcon")->pixmap();
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(39, 49));
    }

    void hoverLeavesExactlyOneRedLink() {
        frmAbout about;
        about.show();
        for (const char* name : {"Label1", "Label3"}) {
            QCOMPARE(ColourOf(LabelOf(about, name)), QColor(0, 0, 255));
            QVERIFY(LabelOf(about, name)->font().underline());
        }
        for (const char* hovered : {"Label5", "Label1", "Label7", "Label3", "Label6", "Label5"}) {
            QLabel* label = LabelOf(about, hovered);
            QTest::mouseMove(label, label->rect().center());
            int red = 0;
            for (const char* name : LinkNames) {
                const QColor colour = ColourOf(LabelOf(about, name));
                if (colour == QColor(255, 0, 0))
                    ++red;
                else
                    QCOMPARE(colour, QColor(0, 0, 255));
            }
            QCOMPARE(red, 1);
            QCOMPARE(ColourOf(label), QColor(255, 0, 0));
            QVERIFY(label->font().underline());
        }
        // Underlines once on stay on; the plain labels never take part.
        for (const char* name : LinkNames) QVERIFY(LabelOf(about, name)->font().underline());
        QVERIFY(ColourOf(LabelOf(about, "Label4")) != QColor(0, 0, 255));
        about.close();
    }

    void linksOpenTheirTargets() {
        QList<QUrl> opened;
        SetShellOpener([&](const QUrl& url) { opened << url; });
        frmAbout about;
        about.show();
        const auto click = [&](const char* name) {
            QLabel* label = LabelOf(about, name);
            QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        };
        for (const char* name : LinkNames) click(name);
        QCOMPARE(opened, (QList<QUrl>{QUrl("mailto:tilvara@example.org"),
                                      QUrl("https://tilvara.example.org"),
                                      QUrl("https://tilvara.example.org/soft.htm"),
                                      QUrl("https://tilvara.example.org/soft.htm"),
                                      QUrl("https://tilvara.example.org/tm.htm")}));
        // The contact labels open what they say, not a fixed address.
        opened.clear();
        LabelOf(about, "Label1")->setText("help@example.net");
        LabelOf(about, "Label3")->setText("https://example.net/tilvara/");
        click("Label1");
        click("Label3");
        QCOMPARE(opened, (QList<QUrl>{QUrl("mailto:help@example.net"),
                                      QUrl("https://example.net/tilvara/")}));
        QVERIFY(about.isVisible());
        about.close();
    }

    void modalUntilOk() {
        QList<QUrl> opened;
        SetShellOpener([&](const QUrl& url) { opened << url; });
        QWidget main;
        main.show();
        frmAbout about(&main);
        bool checked = false;
        QTimer::singleShot(0, &about, [&] {
            QCOMPARE(QApplication::activeModalWidget(), &about);
            QVERIFY(about.isModal());
            QLabel* link = LabelOf(about, "Label7");
            QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
            QVERIFY(about.isVisible());
            checked = true;
            QTest::mouseClick(about.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        // A safety net: a failed check above must not leave the loop running.
        QTimer::singleShot(5000, &about, &QDialog::reject);
        QCOMPARE(about.exec(), int(QDialog::Accepted));
        QVERIFY(checked);
        QCOMPARE(opened.size(), 1);
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
