// The rules window shown at start-up and as help, with its advertising panel.
#include "ui/splash_window.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include "ui/application.h"
#include "ui/artwork.h"
#include "ui/link_labels.h"
#include "ui/shell_open.h"

namespace tilvara::ui {

namespace {

constexpr int TicksToClose = 10;
constexpr int Radius = 8;

// A word-wrapped label whose size is worked out once: a plain QLabel lays its text out
// again at trial widths each time a layout asks for its size hints.
class FittedLabel final : public QLabel {
public:
    using QLabel::QLabel;
    void fitTo(int width) {
        fitted_ = {width, QLabel::heightForWidth(width)};
        setFixedSize(fitted_);
    }
    QSize sizeHint() const override { return fitted_; }
    QSize minimumSizeHint() const override { return fitted_; }
    bool hasHeightForWidth() const override { return false; }
    int heightForWidth(int) const override { return fitted_.height(); }

private:
    QSize fitted_;
};

FittedLabel* NewWrappedLabel(const QString& name, const QString& text, const QFont& font,
                             QWidget* parent) {
    auto* label = new FittedLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The text before the run of blanks that must end its line.
QString BeforeBlanks(const QString& text) {
    return text.left(text.indexOf(QLatin1String("  ")));  // all of it when there is no run
}

}  // namespace

QString SitePage(const char* page) {
    return QStringLiteral("https://") + QLatin1String(SiteHost) + QLatin1Char('/') +
           QLatin1String(page);
}

void UseLightPalette(QWidget* window) {
    QPalette palette = window->palette();
    const QColor ink(32, 28, 24);
    for (const auto& [role, colour] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
             {QPalette::Window, QColor(243, 239, 230)},
             {QPalette::WindowText, ink},
             {QPalette::Base, QColor(255, 253, 247)},
             {QPalette::AlternateBase, QColor(247, 242, 232)},
             {QPalette::Text, ink},
             {QPalette::PlaceholderText, QColor(120, 112, 100)},
             {QPalette::Button, QColor(236, 230, 217)},
             {QPalette::ButtonText, ink},
             {QPalette::BrightText, Qt::white},
             {QPalette::Light, Qt::white},
             {QPalette::Midlight, QColor(245, 241, 233)},
             {QPalette::Mid, QColor(190, 182, 166)},
             {QPalette::Dark, QColor(150, 142, 126)},
             {QPalette::Shadow, QColor(80, 74, 64)},
             {QPalette::Highlight, QColor(48, 96, 176)},
             {QPalette::HighlightedText, Qt::white},
             {QPalette::ToolTipBase, QColor(255, 250, 230)},
             {QPalette::ToolTipText, ink},
             {QPalette::Link, LinkBlue}}) {
        palette.setColor(role, colour);
    }
    const QColor faint(150, 144, 134);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, faint);
    window->setPalette(palette);
}

// ---- Panel ----

Panel::Panel(const QString& name, const QString& caption, QWidget* parent)
    : QFrame(parent), caption_(caption) {
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    // QFrame owns the widget's contents margins (it resets them to its frame width), so
    // the room around the contents belongs to the layout.
    body_ = new QVBoxLayout(this);
    const int band = BandHeight();
    body_->setContentsMargins(18, band + (band ? 10 : 16), 18, band ? 12 : 16);
}

void Panel::setColours(const QColor& fill, const QColor& border, const QColor& band) {
    fill_ = fill;
    border_ = border;
    band_ = band;
    update();
}

int Panel::BandHeight() const {
    if (caption_.isEmpty()) return 0;
    return QFontMetrics(LabelFont(9.5, true)).height() + 10;
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 1.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(box, Radius, Radius);

    // A soft drop shadow one pixel below lifts the card off the window. The card and its
    // outline cover it except about the rounded corners, so only the rows of the corners are
    // drawn: one fill instead of one for every row. It is translucent, and a translucent fill
    // over many rows at once would make the raster engine start a thread pool (two more
    // threads for a window that never changes).
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 18));
    const int corner = Radius + 3;
    painter.setClipRegion(QRegion(0, 0, width(), corner) +
                          QRegion(0, height() - corner, width(), corner));
    painter.drawRoundedRect(box.translated(0, 1), Radius, Radius);
    painter.setClipping(false);
    painter.setBrush(fill_);
    painter.drawPath(outline);

    if (const int band = BandHeight()) {
        painter.save();
        painter.setClipPath(outline);
        painter.fillRect(QRectF(box.left(), box.top(), box.width(), band), band_);
        painter.setPen(QPen(border_, 1));
        painter.drawLine(QPointF(box.left(), box.top() + band),
                         QPointF(box.right(), box.top() + band));
        painter.restore();
        painter.setFont(LabelFont(9.5, true));
        painter.setPen(QColor(122, 82, 0));
        painter.drawText(QRectF(box.left() + 14, box.top(), box.width() - 28, band),
                         Qt::AlignVCenter | Qt::AlignLeft, caption_);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(border_, 1));
    painter.drawPath(outline);
}

// ---- AdPanel ----

AdPanel::AdPanel(const QString& name, QWidget* parent)
    : Panel(name, QStringLiteral("广告 · ") + QLatin1String(SiteHost), parent) {
    setColours(QColor(255, 250, 238), QColor(231, 201, 139), QColor(251, 234, 198));
    const QFont font = LabelFont(10.5);
    Label5 = NewLabel(QStringLiteral("Label5"), QStringLiteral("▸ 更多益智小游戏，免费下载"), font,
                      this);
    Label6 = NewLabel(QStringLiteral("Label6"), QStringLiteral("▸ Tilvara 开发组新作抢先试玩"),
                      font, this);
    Label7 = NewLabel(QStringLiteral("Label7"),
                      QStringLiteral("▸ Tilvara 周边：牌面马克杯、拼图与贴纸"), font, this);
    body()->setSpacing(6);
    for (QLabel* label : {Label5, Label6, Label7}) {
        label->setCursor(Qt::PointingHandCursor);
        label->setMouseTracking(true);  // the hover colours follow the mouse without a press
        body()->addWidget(label, 0, Qt::AlignLeft);
    }
    Reset();
}

QString AdPanel::PageOf(const QLabel* label) {
    return SitePage(label->objectName() == QLatin1String("Label7") ? "tm.htm" : "soft.htm");
}

void AdPanel::Reset() {
    for (QLabel* label : {Label5, Label6, Label7}) {
        QFont font = label->font();
        font.setUnderline(false);
        label->setFont(font);
        PaintLink(label, DarkBlue, false);
    }
}

// ---- frmSplash ----

frmSplash::frmSplash(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("游戏规则 - Tilvara"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    BuildControls();
}

void frmSplash::BuildControls() {
    UseLightPalette(this);
    setAutoFillBackground(true);
    setAccessibleName(windowTitle());

    Frame1 = new Panel(QStringLiteral("Frame1"), QString(), this);
    lblCompanyProduct = NewLabel(QStringLiteral("lblCompanyProduct"),
                                 QStringLiteral("Tilvara  2.0版"), LabelFont(20, true), Frame1);
    Label4 = NewLabel(QStringLiteral("Label4"),
                      QStringLiteral("本软件共7关,第四关比较难过,需要较多的重排机会!"),
                      LabelFont(11), Frame1);
    const QFont rules = LabelFont(12);
    Label1 = NewWrappedLabel(
        QStringLiteral("Label1"),
        QStringLiteral("得分规则：得分是按照连接的路线的长度记分。所以大家要尽       "
                       "    可能的连通更长的两张牌。"),
        rules, Frame1);
    Label2 = NewWrappedLabel(
        QStringLiteral("Label2"),
        QStringLiteral("奖励规则：最近三次连通总分大于37分，就奖励一次提示；大       "
                       "    于39分，就奖励一次重新排列的机会。"),
        rules, Frame1);
    Label3 = NewWrappedLabel(QStringLiteral("Label3"),
                             QStringLiteral("爱心提示: 长时间玩游戏          容易损伤视力"), rules,
                             Frame1);
    FitRuleLabels();

    auto* icon = new QLabel(Frame1);  // clicks on it fall through to Frame1
    const int iconSize = 44;
    icon->setFixedSize(iconSize, iconSize);
    icon->setPixmap(
        Artwork::applicationIcon().pixmap(QSize(iconSize, iconSize), devicePixelRatioF()));
    icon->setAccessibleName(QStringLiteral("Tilvara"));

    auto* rule = new QFrame(Frame1);
    rule->setFrameShape(QFrame::HLine);
    rule->setFixedHeight(1);
    rule->setAutoFillBackground(true);
    QPalette rulePalette = rule->palette();
    rulePalette.setColor(QPalette::Window, QColor(232, 224, 207));
    rulePalette.setColor(QPalette::WindowText, QColor(232, 224, 207));
    rule->setPalette(rulePalette);

    auto* title = new QHBoxLayout;
    title->setSpacing(12);
    title->addWidget(icon);
    title->addWidget(lblCompanyProduct);
    title->addStretch();

    QVBoxLayout* frame1 = Frame1->body();
    frame1->setSpacing(0);
    frame1->addLayout(title);
    frame1->addSpacing(12);
    frame1->addWidget(rule);
    frame1->addSpacing(12);
    frame1->addWidget(Label4);
    frame1->addSpacing(14);
    frame1->addWidget(Label1);
    frame1->addSpacing(10);
    frame1->addWidget(Label2);
    frame1->addSpacing(14);
    frame1->addWidget(Label3);

    Frame2 = new AdPanel(QStringLiteral("Frame2"), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* clicks = new ClickFilter(
        this, [this](QObject* control) { Click(control); },
        [this](QLabel* label) {
            HoverLink(label, {Frame2->Label5, Frame2->Label6, Frame2->Label7, Label1, Label3});
        });
    for (QWidget* control : std::initializer_list<QWidget*>{Frame1, lblCompanyProduct, Label1,
                                                            Label2, Label3, Label4, Frame2})
        clicks->Watch(control);
    for (QLabel* label : {Frame2->Label5, Frame2->Label6, Frame2->Label7}) clicks->WatchLink(label);
    for (QWidget* closer : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(lblCompanyProduct),
                            static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                            static_cast<QWidget*>(Label3)}) {
        closer->setCursor(Qt::PointingHandCursor);
    }
}

// A run of blanks pushes the rest of its sentence onto the next line only if the label is
// too narrow for the blanks and the next character: each label is as wide as the text
// before its blanks plus half a character, whatever font the machine resolves.
void frmSplash::FitRuleLabels() {
    const QFontMetricsF metrics(Label1->font());
    const qreal slack = metrics.horizontalAdvance(QChar(0x4E2D)) / 2;
    const auto width = [&](const QLabel* label) {
        return metrics.horizontalAdvance(BeforeBlanks(label->text()));
    };
    const int rules = static_cast<int>(std::ceil(std::max(width(Label1), width(Label2)) + slack));
    // Fixed heights too: a box layout hands word-wrapped labels less than they ask for.
    static_cast<FittedLabel*>(Label1)->fitTo(rules);
    static_cast<FittedLabel*>(Label2)->fitTo(rules);
    static_cast<FittedLabel*>(Label3)->fitTo(static_cast<int>(std::ceil(width(Label3) + slack)));
}

void frmSplash::ShowAtStart() {
    Load();
    show();
    raise();
    activateWindow();
}

void frmSplash::ShowHelp(QWidget* over) {
    Load();
    if (over) {
        QWidget* main = over->window();
        winId();  // the native window must exist to get a transient parent
        if (windowHandle() && main->windowHandle()) {
            windowHandle()->setTransientParent(main->windowHandle());
        }
        adjustSize();
        move(main->frameGeometry().center() - rect().center());
    }
    exec();
}

void frmSplash::Load() {
    // Each load starts from the design: colours, no underlines, Timer1 enabled.
    PaintLink(Label1, DarkBlue, false);
    PaintLink(Label2, DarkBlue, false);
    PaintLink(Label3, LinkRed, false);
    PaintLink(lblCompanyProduct, LinkBlue, false);
    PaintLink(Label4, QColor(70, 62, 50), false);
    Frame2->Reset();
    Timer1->start();
    Form_Load();
}

void frmSplash::Form_Load() {
    if (firstShown) Timer1->stop();
}

void frmSplash::Timer1_Timer() {
    ++closeTicks;
    // Exactly the tenth: the counter never resets, so this happens once per run.
    if (closeTicks == TicksToClose) close();
}

void frmSplash::done(int result) {
    if (isVisible()) {
        Timer1->stop();  // the timer belongs to the loaded window
        Form_Unload();
    }
    QDialog::done(result);
    // Closed, the window gives back its window-system window and backing store (a few
    // megabytes at a high density); showing it as help makes them again. Not before the
    // event that closed it has been handled, which may still use them.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible()) destroy();
    });
}

void frmSplash::Form_Unload() {
    if (firstShown) return;
    firstShown = true;
    emit firstClosed();  // before hiding, so the run never has no window at all
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    // Any key that types a character, Esc and Enter included; Shift or F1 alone do not.
    if (!event->text().isEmpty()) {
        Form_KeyPress();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmSplash::Form_KeyPress() { close(); }

void frmSplash::Click(QObject* control) {
    if (control == Frame2->Label5 || control == Frame2->Label6 || control == Frame2->Label7) {
        ShellOpen(AdPanel::PageOf(static_cast<QLabel*>(control)));
    } else if (control == Frame1 || control == Label1 || control == Label2 || control == Label3 ||
               control == lblCompanyProduct) {
        close();
    }
    // Label4 and Frame2 do nothing.
}

}  // namespace tilvara::ui
