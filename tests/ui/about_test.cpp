// The about box offscreen: its texts, one red link at a time, where each link leads, and
// that it is modal until "确定".
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "label_support.h"
#include "ui/about_window.h"
#include "ui/application.h"
#include "ui/shell_open.h"
#include "ui/splash_window.h"

using namespace tilvara::ui;

namespace {

const char* const LinkNames[] = {"Label1", "Label3", "Label5", "Label6", "Label7"};

double Luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every text of a window against the window's own background, and every button's text
// against the button.
void ExpectReadable(QWidget& window) {
    const QColor background = window.palette().color(QPalette::Window);
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        const QColor ink = label->palette().color(QPalette::WindowText);
        QVERIFY2(Contrast(ink, background) >= 3, qPrintable(label->objectName()));
    }
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        const QPalette& p = button->palette();
        QVERIFY(Contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)) >= 4.5);
    }
}

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }
    void cleanup() { SetShellOpener({}); }

    // A dark desktop palette must not leave dark-on-dark or light-on-light text behind.
    void secondaryWindowsReadUnderADarkPalette() {
        const QPalette light = QApplication::palette();
        QPalette dark;
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            dark.setColor(role, QColor(40, 40, 44));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(235, 235, 235));
        QApplication::setPalette(dark);
        {
            frmAbout about;
            ExpectReadable(about);
            frmSplash rules;
            ExpectReadable(rules);
        }
        QApplication::setPalette(light);
    }

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
        QVERIFY(about.findChild<Panel*>("Frame1")->caption().contains(
            QLatin1String(tilvara::SiteHost)));
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
