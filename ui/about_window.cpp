// The about box. Its link labels open the site, the mail program and the ad pages.
#include "ui/about_window.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "game/secondary_windows.h"
#include "ui/artwork.h"
#include "ui/link_labels.h"
#include "ui/screen_room.h"
#include "ui/shell_open.h"
#include "ui/splash_window.h"

namespace tilvara::ui {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromUtf8(texts::about::Caption));
    BuildControls();
    Form_Load();
    KeepWithinScreen(*this);  // at a large scale it could reach past the screen
}

void frmAbout::BuildControls() {
    UseLightPalette(this);
    setAutoFillBackground(true);
    setAccessibleName(windowTitle());

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setFixedSize(39, 49);
    picIcon->setPixmap(Artwork(devicePixelRatioF()).aboutPicture());
    picIcon->setAccessibleName(QStringLiteral("Tilvara"));

    const auto utf8 = [](const char* s) { return QString::fromUtf8(s); };
    lblTitle = NewLabel(QStringLiteral("lblTitle"), utf8(texts::about::lblTitle),
                        LabelFont(20, true), this);
    lblDescription = NewLabel(QStringLiteral("lblDescription"), utf8(texts::about::lblDescription),
                              LabelFont(10.5), this);

    const QFont contact = LabelFont(10.5);
    Label4 = NewLabel(QStringLiteral("Label4"), utf8(texts::about::Label4), contact, this);
    Label3 = NewLabel(QStringLiteral("Label3"), utf8(SiteHost), contact, this);
    Label2 = NewLabel(QStringLiteral("Label2"), utf8(texts::about::Label2), contact, this);
    Label1 = NewLabel(QStringLiteral("Label1"), utf8(texts::about::Label1), contact, this);

    lblDisclaimer = NewLabel(QStringLiteral("lblDisclaimer"), utf8(texts::about::lblDisclaimer),
                             LabelFont(9), this);
    lblDisclaimer->setWordWrap(true);
    QPalette grey = lblDisclaimer->palette();
    grey.setColor(QPalette::WindowText, QColor(98, 90, 78));
    lblDisclaimer->setPalette(grey);

    Frame1 = new AdPanel(QStringLiteral("Frame1"), this);

    cmdOK = new QPushButton(utf8(texts::about::cmdOK), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(96);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* rule = new QFrame(this);
    rule->setFixedHeight(1);
    rule->setAutoFillBackground(true);
    QPalette line = rule->palette();
    line.setColor(QPalette::Window, QColor(220, 211, 193));
    rule->setPalette(line);

    auto* contacts = new QGridLayout;
    contacts->setHorizontalSpacing(4);
    contacts->setVerticalSpacing(6);
    contacts->addWidget(Label4, 0, 0);
    contacts->addWidget(Label3, 0, 1, Qt::AlignLeft);
    contacts->addWidget(Label2, 1, 0);
    contacts->addWidget(Label1, 1, 1, Qt::AlignLeft);
    contacts->setColumnStretch(1, 1);

    auto* text = new QVBoxLayout;
    text->setSpacing(0);
    text->addWidget(lblTitle);
    text->addSpacing(4);
    text->addWidget(lblDescription);
    text->addSpacing(14);
    text->addLayout(contacts);

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 22, 24, 18);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addSpacing(16);
    layout->addWidget(rule);
    layout->addSpacing(12);
    layout->addWidget(lblDisclaimer);
    layout->addSpacing(14);
    layout->addWidget(Frame1);
    layout->addSpacing(18);
    layout->addLayout(buttons);
    // Word-wrapped text needs a fixed width to settle its height.
    lblDisclaimer->setFixedWidth(440);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* clicks = new ClickFilter(
        this, [this](QObject* control) { Click(control); },
        [this](QLabel* label) { HoverLink(label, LinkLabels()); });
    for (QLabel* label : LinkLabels()) clicks->WatchLink(label);
}

QList<QLabel*> frmAbout::LinkLabels() const {
    QList<QLabel*> links;
    for (const char* name : AboutLinks) links << findChild<QLabel*>(QLatin1String(name));
    return links;
}

void frmAbout::Form_Load() {
    for (QLabel* label : {Label1, Label3}) {
        PaintLink(label, LinkBlue, true);
        label->adjustSize();
    }
}

// Label1 and Label3 open their caption itself: what the player reads is what opens.
void frmAbout::Click(QObject* control) {
    const auto* label = static_cast<QLabel*>(control);
    ShellOpen(QString::fromStdString(
        AboutLinkTarget(label->objectName().toStdString(), label->text().toStdString())));
}

}  // namespace tilvara::ui
