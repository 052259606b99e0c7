// The rules window offscreen: the ways it closes, the one-time start of the main window,
// help that stays open, hover colours, link targets, and the blanks that break its lines.
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include <functional>

#include "label_support.h"
#include "ui/about_window.h"
#include "ui/application.h"
#include "ui/screen_room.h"
#include "ui/shell_open.h"
#include "ui/splash_window.h"

using namespace tilvara::ui;

namespace {

// A point of the control that none of its children covers, so the click is the control's own.
QPoint BarePoint(QWidget* control) {
    for (int y = 10; y < control->height(); y += 2) {
        for (int x = 10; x < control->width(); x += 2) {
            if (!control->childAt(x, y)) return {x, y};
        }
    }
    return control->rect().center();
}

void Click(QWidget* control, QPoint at = {}) {
    QTest::mouseClick(control, Qt::LeftButton, {}, at.isNull() ? control->rect().center() : at);
}

void Hover(QLabel* label) { QTest::mouseMove(label, label->rect().center()); }

// The lines QLabel draws for a word-wrapped plain text at the label's width.
QStringList WrappedLines(const QLabel* label) {
    QTextLayout layout(label->text(), label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->contentsRect().width());
        lines << label->text().mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

// Runs `inside` once the window's modal loop is running. It should close the window; if a
// check in it fails first, the window is closed all the same so the test cannot hang.
void WhileModal(QDialog& window, const std::function<void()>& inside) {
    QTimer::singleShot(0, &window, [&window, inside] {
        inside();
        if (window.isVisible()) window.close();
    });
}

}  // namespace

class SplashTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpApplication(*qApp); }
    void cleanup() { SetShellOpener({}); }

    void textsAreTheGamesOwn() {
        frmSplash splash;
        QCOMPARE(LabelOf(splash, "Label1")->text(),
                 QString("得分规则：得分是按照连接的路线的长度记分。所以大家要尽           "
                         "可能的连通更长的两张牌。"));
        QCOMPARE(LabelOf(splash, "Label2")->text(),
                 QString("奖励规则：最近三次连通总分大于37分，就奖励一次提示；大           "
                         "于39分，就奖励一次重新排列的机会。"));
        QCOMPARE(LabelOf(splash, "Label3")->text(),
                 QString("爱心提示: 长时间玩游戏          容易损伤视力"));
        QCOMPARE(LabelOf(splash, "Label4")->text(),
                 QString("本软件共7关,第四关比较难过,需要较多的重排机会!"));
        QCOMPARE(LabelOf(splash, "lblCompanyProduct")->text(), QString("Tilvara  2.0版"));
        auto* frame2 = splash.findChild<Panel*>("Frame2");
        QVERIFY(frame2->caption().contains(QLatin1String(tilvara::SiteHost)));
    }

    // The blanks must end the line they are on, and the label must be tall enough to show
    // what they pushed onto the next one.
    void blanksBreakTheRuleLines_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("nextLine");
        QTest::newRow("score") << "Label1"
                               << "可能的连通更长的两张牌。";
        QTest::newRow("reward") << "Label2"
                                << "于39分，就奖励一次重新排列的机会。";
        QTest::newRow("eyes") << "Label3"
                              << "容易损伤视力";
    }
    void blanksBreakTheRuleLines() {
        QFETCH(QString, name);
        QFETCH(QString, nextLine);
        frmSplash splash;
        splash.ShowAtStart();
        const QLabel* label = LabelOf(splash, name.toLatin1().constData());
        const QStringList lines = WrappedLines(label);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].endsWith(QLatin1String("  ")), qPrintable(lines[0]));
        QCOMPARE(lines[1], nextLine);
        QVERIFY(label->height() >= 2 * label->fontMetrics().height());
        splash.close();
    }

    void characterKeysClose_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter") << int(Qt::Key_A) << true;
        QTest::newRow("digit") << int(Qt::Key_7) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << false;
        QTest::newRow("F1") << int(Qt::Key_F1) << false;
    }
    void characterKeysClose() {
        QFETCH(int, key);
        QFETCH(bool, closes);
        frmSplash splash;
        QSignalSpy first(&splash, &frmSplash::firstClosed);
        splash.ShowAtStart();
        QTest::keyClick(&splash, Qt::Key(key));
        QCOMPARE(splash.isVisible(), !closes);
        QCOMPARE(first.size(), closes ? 1 : 0);
        if (closes) QVERIFY(!splash.findChild<QTimer*>("Timer1")->isActive());
        splash.close();
    }

    void clicksCloseOnlyOnClosingControls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("closes");
        for (const char* name : {"Frame1", "Label1", "Label2", "Label3", "lblCompanyProduct",
                                 "lblHowToPlay", "lblStart"})
            QTest::newRow(name) << name << true;
        // Label4 lies on Frame1: its click must not fall through to the frame.
        QTest::newRow("Label4") << "Label4" << false;
        QTest::newRow("Frame2") << "Frame2" << false;
    }
    void clicksCloseOnlyOnClosingControls() {
        QFETCH(QString, name);
        QFETCH(bool, closes);
        frmSplash splash;
        QSignalSpy first(&splash, &frmSplash::firstClosed);
        splash.ShowAtStart();
        auto* control = splash.findChild<QWidget*>(name);
        QVERIFY(control);
        QTest::mouseClick(control, Qt::RightButton, {}, BarePoint(control));
        QVERIFY(splash.isVisible());
        Click(control, BarePoint(control));
        QCOMPARE(splash.isVisible(), !closes);
        QCOMPARE(first.size(), closes ? 1 : 0);
        splash.close();
    }

    void tenthTickCloses() {
        frmSplash splash;
        QSignalSpy first(&splash, &frmSplash::firstClosed);
        splash.ShowAtStart();
        auto* timer = splash.findChild<QTimer*>("Timer1");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        // A quiet countdown of the seconds left, renewed on every tick.
        QLabel* countdown = LabelOf(splash, "lblCountdown");
        QStringList counts{countdown->text()};
        for (int tick = 1; tick <= 9; ++tick) {
            splash.Tick();
            QVERIFY(countdown->isVisible());
            counts << countdown->text();
        }
        counts.removeDuplicates();
        QCOMPARE(counts.size(), 10);
        QVERIFY(splash.isVisible());
        QCOMPARE(first.size(), 0);
        splash.Tick();
        QVERIFY(!splash.isVisible());
        QCOMPARE(first.size(), 1);
        QVERIFY(!timer->isActive());
    }

    // After the first close the window is help: modal, no timer, no second main window.
    // Extra ticks (were any to come) pass 10 and never meet it again.
    void helpStaysAndNeverStartsTheGameAgain() {
        QWidget main;
        main.resize(800, 600);
        main.show();
        frmSplash splash;
        QSignalSpy first(&splash, &frmSplash::firstClosed);
        splash.ShowAtStart();
        for (int tick = 0; tick < 10; ++tick) splash.Tick();
        QCOMPARE(first.size(), 1);

        bool checked = false;
        const QString startLine = LabelOf(splash, "lblStart")->text();
        WhileModal(splash, [&] {
            QCOMPARE(QApplication::activeModalWidget(), &splash);
            QVERIFY(!splash.findChild<QTimer*>("Timer1")->isActive());
            // Help counts nothing down, and its closing goes back to the game.
            QVERIFY(!LabelOf(splash, "lblCountdown")->isVisible());
            QVERIFY(LabelOf(splash, "lblStart")->text() != startLine);
            for (int tick = 0; tick < 15; ++tick) splash.Tick();
            QVERIFY(splash.isVisible());
            Hover(LabelOf(splash, "Label5"));  // turns Label3 blue until the next opening
            QTest::keyClick(&splash, Qt::Key_Q);
            QVERIFY(!splash.isVisible());
            checked = true;
        });
        splash.ShowHelp(&main);
        QTRY_VERIFY(checked);
        QVERIFY(!splash.isVisible());

        checked = false;
        WhileModal(splash, [&] {
            QVERIFY(!splash.findChild<QTimer*>("Timer1")->isActive());
            QCOMPARE(ColourOf(LabelOf(splash, "Label3")), QColor(255, 0, 0));
            splash.close();  // the title bar's close button
            QVERIFY(!splash.isVisible());
            checked = true;
        });
        splash.ShowHelp(&main);
        QTRY_VERIFY(checked);
        QVERIFY(!splash.isVisible());
        QCOMPARE(first.size(), 1);
    }

    // Closed, the window gives back its native window and backing store; it shows again.
    void closingReleasesTheNativeWindow() {
        frmSplash splash;
        splash.ShowAtStart();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        splash.close();
        QTRY_VERIFY(!splash.windowHandle());
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        splash.close();
    }

    void hoverPaintsAdsAndRules() {
        frmSplash splash;
        splash.ShowAtStart();
        QLabel* ads[] = {LabelOf(splash, "Label5"), LabelOf(splash, "Label6"),
                         LabelOf(splash, "Label7")};
        QLabel* label1 = LabelOf(splash, "Label1");
        QLabel* label3 = LabelOf(splash, "Label3");
        QCOMPARE(ColourOf(label1), QColor(0, 0, 192));
        QCOMPARE(ColourOf(label3), QColor(255, 0, 0));

        for (QLabel* hovered : {ads[1], ads[0], ads[2]}) {
            Hover(hovered);
            QCOMPARE(ColourOf(hovered), QColor(255, 0, 0));
            QVERIFY(hovered->font().underline());
            for (QLabel* other : {ads[0], ads[1], ads[2], label1, label3}) {
                if (other != hovered) QCOMPARE(ColourOf(other), QColor(0, 0, 255));
            }
        }
        // Underlines stay on; Label2 and the product line are no part of the highlight.
        for (QLabel* ad : ads) QVERIFY(ad->font().underline());
        QVERIFY(!label1->font().underline());
        QCOMPARE(ColourOf(LabelOf(splash, "Label2")), QColor(0, 0, 192));
        QCOMPARE(ColourOf(LabelOf(splash, "lblCompanyProduct")), QColor(0, 0, 255));

        // Leaving restores nothing.
        QTest::mouseMove(&splash, QPoint(1, 1));
        QCOMPARE(ColourOf(ads[2]), QColor(255, 0, 0));
        splash.close();
    }

    void adsOpenTheSitesPagesAndKeepTheWindow() {
        QList<QUrl> opened;
        SetShellOpener([&](const QUrl& url) { opened << url; });
        frmSplash splash;
        QSignalSpy first(&splash, &frmSplash::firstClosed);
        splash.ShowAtStart();
        for (const char* name : {"Label5", "Label6", "Label7"}) Click(LabelOf(splash, name));
        QCOMPARE(opened, (QList<QUrl>{QUrl("https://tilvara.example.org/soft.htm"),
                                      QUrl("https://tilvara.example.org/soft.htm"),
                                      QUrl("https://tilvara.example.org/tm.htm")}));
        QVERIFY(splash.isVisible());
        QCOMPARE(first.size(), 0);
        splash.close();
    }

    void shellOpenNamesWhatToOpen_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("url");
        // A bare address handed on unchanged would open no mail program.
        QTest::newRow("e-mail") << "tilvara@example.org"
                                << "mailto:tilvara@example.org";
        QTest::newRow("two e-mails") << " a@example.org; b@example.net "
                                     << "mailto:a@example.org,b@example.net";
        QTest::newRow("host") << "tilvara.example.org"
                              << "https://tilvara.example.org";
        QTest::newRow("host and port") << "example.org:8080/a"
                                       << "https://example.org:8080/a";
        QTest::newRow("web page") << "https://tilvara.example.org/soft.htm"
                                  << "https://tilvara.example.org/soft.htm";
        // A label opens web and mail addresses only: never a file or another program.
        QTest::newRow("user at host") << "ftp://me@example.org/"
                                      << "";
        QTest::newRow("path") << "/usr/share/doc"
                              << "";
        QTest::newRow("blank") << "   "
                               << "";
    }
    // On a screen of 960 x 540 logical pixels (1920 x 1080 at 200 %), the rules window and the
    // about box shrink to fit it, every line whole inside and the rule lines still breaking
    // where their blanks are.
    void secondaryWindowsFitASmallScreen() {
        const QSize room(960, 540 - 30);
        frmSplash rules;
        const QSize designed = rules.sizeHint();
        QVERIFY(designed.height() > room.height());  // the case worth testing
        FitWithin(rules, room, [&] { rules.FitRuleLabels(); });
        frmAbout about;
        FitWithin(about, room);
        for (QDialog* window : {static_cast<QDialog*>(&rules), static_cast<QDialog*>(&about)}) {
            QVERIFY2(window->width() <= room.width() && window->height() <= room.height(),
                     qPrintable(window->objectName()));
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (label->isHidden()) continue;
                const QRect at(label->mapTo(window, QPoint(0, 0)), label->size());
                QVERIFY2(window->rect().contains(at), qPrintable(label->objectName()));
            }
        }
        QVERIFY2(rules.height() > room.height() * 0.8, "shrunk no more than it must");
        const QLabel* rule = LabelOf(rules, "Label1");
        QCOMPARE(rule->heightForWidth(rule->width()) / rule->fontMetrics().lineSpacing(), 2);
    }

    void shellOpenNamesWhatToOpen() {
        QFETCH(QString, target);
        QFETCH(QString, url);
        QList<QUrl> opened;
        SetShellOpener([&](const QUrl& u) { opened << u; });
        ShellOpen(target);
        if (url.isEmpty()) {
            QVERIFY(opened.isEmpty());
        } else {
            QCOMPARE(opened.size(), 1);
            QCOMPARE(opened[0].toString(), url);
        }
    }
};

QTEST_MAIN(SplashTest)
#include "splash_test.moc"
