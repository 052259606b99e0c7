// The about box. Its link labels open the site, the mail program and the ad pages.
#include "ui/about_window.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/artwork.h"
#include "ui/link_labels.h"
#include "ui/shell_open.h"
#include "ui/splash_window.h"

namespace tilvara::ui {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    BuildControls();
    Form_Load();
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

    lblTitle =
        NewLabel(QStringLiteral("lblTitle"), QStringLiteral("Tilvara"), LabelFont(20, true), this);
    lblDescription =
        NewLabel(QStringLiteral("lblDescription"),
                 QStringLiteral("版本：2.0\n作者：Tilvara 开发组"), LabelFont(10.5), this);

    const QFont contact = LabelFont(10.5);
    Label4 = NewLabel(QStringLiteral("Label4"), QStringLiteral("网站："), contact, this);
    Label3 = NewLabel(QStringLiteral("Label3"), QLatin1String(SiteHost), contact, this);
    Label2 = NewLabel(QStringLiteral("Label2"), QStringLiteral("邮箱："), contact, this);
    Label1 =
        NewLabel(QStringLiteral("Label1"), QStringLiteral("tilvara@example.org"), contact, this);

    lblDisclaimer = NewLabel(
        QStringLiteral("lblDisclaimer"),
        QStringLiteral("免费软件，欢迎复制分发；不得出售或用于商业用途，不附带任何担保。\n"
                       "Tile pictures: Twemoji, (c) Twitter, Inc and other contributors, "
                       "CC-BY 4.0, https://creativecommons.org/licenses/by/4.0/ - placed on "
                       "tile backgrounds and scaled."),
        LabelFont(9), this);
    lblDisclaimer->setWordWrap(true);
    QPalette grey = lblDisclaimer->palette();
    grey.setColor(QPalette::WindowText, QColor(98, 90, 78));
    lblDisclaimer->setPalette(grey);

    Frame1 = new AdPanel(QStringLiteral("Frame1"), this);

    cmdOK = new QPushButton(QStringLiteral("确定"), this);
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
    return {Label1, Label3, Frame1->Label5, Frame1->Label6, Frame1->Label7};
}

void frmAbout::Form_Load() {
    for (QLabel* label : {Label1, Label3}) {
        PaintLink(label, LinkBlue, true);
        label->adjustSize();
    }
}

void frmAbout::Click(QObject* control) {
    if (control == Label1 || control == Label3) {
        // The caption itself is the target: what the player reads is what opens.
        ShellOpen(static_cast<QLabel*>(control)->text());
    } else {
        ShellOpen(AdPanel::PageOf(static_cast<QLabel*>(control)));
    }
}

}  // namespace tilvara::ui
