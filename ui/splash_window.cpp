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
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include "ui/application.h"
#include "ui/artwork.h"
#include "ui/link_labels.h"
#include "ui/screen_room.h"
#include "ui/shell_open.h"

namespace tilvara::ui {

namespace {

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
    const std::string line = text.toStdString();
    const std::string_view first = RuleLineParts(line).front();
    return QString::fromUtf8(first.data(), static_cast<qsizetype>(first.size()));
}

}  // namespace

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
    : Panel(name, QString::fromStdString(AdHeading()), parent) {
    setColours(QColor(255, 250, 238), QColor(231, 201, 139), QColor(251, 234, 198));
    const QFont font = LabelFont(10.5);
    Label5 = NewLabel(QStringLiteral("Label5"), QString::fromUtf8(texts::ads::Label5), font, this);
    Label6 = NewLabel(QStringLiteral("Label6"), QString::fromUtf8(texts::ads::Label6), font, this);
    Label7 = NewLabel(QStringLiteral("Label7"), QString::fromUtf8(texts::ads::Label7), font, this);
    body()->setSpacing(6);
    for (QLabel* label : {Label5, Label6, Label7}) {
        label->setCursor(Qt::PointingHandCursor);
        label->setMouseTracking(true);  // the hover colours follow the mouse without a press
        body()->addWidget(label, 0, Qt::AlignLeft);
    }
    Reset();
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
    setWindowTitle(QString::fromUtf8(texts::splash::Caption));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(RulesWindow::Timer1Interval);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Tick);
    BuildControls();
}

void frmSplash::BuildControls() {
    UseLightPalette(this);
    setAutoFillBackground(true);
    setAccessibleName(windowTitle());

    Frame1 = new Panel(QStringLiteral("Frame1"), QString(), this);
    lblCompanyProduct =
        NewLabel(QStringLiteral("lblCompanyProduct"),
                 QString::fromUtf8(texts::splash::lblCompanyProduct), LabelFont(20, true), Frame1);
    Label4 = NewLabel(QStringLiteral("Label4"), QString::fromUtf8(texts::splash::Label4),
                      LabelFont(11), Frame1);
    const QFont rules = LabelFont(12);
    Label1 = NewWrappedLabel(QStringLiteral("Label1"), QString::fromUtf8(texts::splash::Label1),
                             rules, Frame1);
    Label2 = NewWrappedLabel(QStringLiteral("Label2"), QString::fromUtf8(texts::splash::Label2),
                             rules, Frame1);
    Label3 = NewWrappedLabel(QStringLiteral("Label3"), QString::fromUtf8(texts::splash::Label3),
                             rules, Frame1);
    lblHowToPlay = NewWrappedLabel(QStringLiteral("lblHowToPlay"),
                                   QString::fromUtf8(texts::splash::lblHowToPlay), rules, Frame1);
    lblStart =
        NewLabel(QStringLiteral("lblStart"), QString::fromUtf8(texts::splash::lblStartAtStart),
                 LabelFont(11, true), Frame1);
    lblCountdown =
        NewLabel(QStringLiteral("lblCountdown"),
                 QString::fromStdString(texts::splash::Countdown(RulesWindow::TicksToClose)),
                 LabelFont(10), Frame1);
    lblCountdown->setMinimumWidth(lblCountdown->sizeHint().width());  // the widest count
    lblCountdown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
    frame1->addWidget(lblHowToPlay);
    frame1->addSpacing(10);
    frame1->addWidget(Label1);
    frame1->addSpacing(10);
    frame1->addWidget(Label2);
    frame1->addSpacing(14);
    frame1->addWidget(Label3);
    frame1->addSpacing(16);
    auto* start = new QHBoxLayout;
    start->setSpacing(12);
    start->addWidget(lblStart);
    start->addStretch();
    start->addWidget(lblCountdown);
    frame1->addLayout(start);

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
            QList<QLabel*> group;
            for (const char* name : RulesWindow::HoverGroup)
                group << findChild<QLabel*>(QLatin1String(name));
            HoverLink(label, group);
        });
    for (QWidget* control :
         std::initializer_list<QWidget*>{Frame1, lblCompanyProduct, Label1, Label2, Label3, Label4,
                                         lblHowToPlay, lblStart, lblCountdown, Frame2}) {
        clicks->Watch(control);
        if (RulesWindow::ClosesOnClick(control->objectName().toStdString()))
            control->setCursor(Qt::PointingHandCursor);
    }
    for (QLabel* label : {Frame2->Label5, Frame2->Label6, Frame2->Label7}) clicks->WatchLink(label);
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
    static_cast<FittedLabel*>(lblHowToPlay)->fitTo(rules);
    static_cast<FittedLabel*>(Label3)->fitTo(static_cast<int>(std::ceil(width(Label3) + slack)));
}

void frmSplash::ShowAtStart() {
    Load();
    KeepWithinScreen(*this, [this] { FitRuleLabels(); });
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
        // Centred over the game, but whole on its screen: a small game window must not push
        // the top of the rules off it.
        move(main->frameGeometry().center() - rect().center());
    }
    KeepWithinScreen(*this, [this] { FitRuleLabels(); });
    open();
}

void frmSplash::Load() {
    // Each load starts from the design: colours, no underlines, Timer1 enabled.
    PaintLink(Label1, DarkBlue, false);
    PaintLink(Label2, DarkBlue, false);
    PaintLink(Label3, LinkRed, false);
    PaintLink(lblCompanyProduct, LinkBlue, false);
    PaintLink(Label4, QColor(70, 62, 50), false);
    PaintLink(lblHowToPlay, DarkBlue, false);
    PaintLink(lblStart, DarkBlue, false);
    PaintLink(lblCountdown, QColor(128, 120, 108), false);
    Frame2->Reset();
    rules_.Form_Load();
    if (rules_.Timer1On())
        Timer1->start();
    else
        Timer1->stop();
    lblStart->setText(QString::fromUtf8(rules_.StartLine()));
    ShowCountdown();
}

// At start only: help never closes by itself, so it counts nothing down.
void frmSplash::ShowCountdown() {
    const int seconds = rules_.SecondsToClose();
    lblCountdown->setVisible(seconds > 0);
    if (seconds > 0)
        lblCountdown->setText(QString::fromStdString(texts::splash::Countdown(seconds)));
}

void frmSplash::Tick() {
    if (rules_.Tick())
        close();
    else
        ShowCountdown();
}

void frmSplash::done(int result) {
    if (isVisible()) {
        Timer1->stop();
        // Before hiding, so the run never has no window at all.
        if (rules_.Form_Unload()) emit firstClosed();
    }
    QDialog::done(result);
    // Closed, the window gives back its window-system window and backing store (a few
    // megabytes at a high density); showing it as help makes them again. Not before the
    // event that closed it has been handled, which may still use them.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible()) destroy();
    });
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
    const std::string name = control->objectName().toStdString();
    if (const std::string page = AdTarget(name); !page.empty())
        ShellOpen(QString::fromStdString(page));
    else if (RulesWindow::ClosesOnClick(name))
        close();
}

}  // namespace tilvara::ui
