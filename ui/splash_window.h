// The rules window: the first window of a run, and the help window after that. Also the
// pieces both secondary windows share: the maker's web site and its advertising panel.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFrame>
#include <QString>

#include "game/secondary_windows.h"
#include "ui/link_labels.h"

class QLabel;
class QVBoxLayout;
class QTimer;

namespace tilvara::ui {

// Gives a secondary window its light look: background, text and button colours together,
// so it reads the same under a light or a dark desktop palette.
void UseLightPalette(QWidget* window);

// A rounded card with an optional heading band: the windows' frames.
class Panel : public QFrame {
public:
    Panel(const QString& name, const QString& caption, QWidget* parent);
    const QString& caption() const { return caption_; }
    // The panel's own layout, with room left for the heading band.
    QVBoxLayout* body() const { return body_; }
    void setColours(const QColor& fill, const QColor& border, const QColor& band);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int BandHeight() const;

    QString caption_;
    QVBoxLayout* body_;
    QColor fill_{255, 253, 247};
    QColor border_{216, 207, 189};
    QColor band_{251, 231, 191};
};

// The advertising panel of both windows: Label5 and Label6 advertise the maker's other
// software (page soft.htm), Label7 its goods (page tm.htm).
class AdPanel : public Panel {
public:
    AdPanel(const QString& name, QWidget* parent);
    // Back to the look the windows are designed with: no underline, dark blue.
    void Reset();

    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
};

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Program start: modeless, and closes itself after ten ticks of Timer1.
    void ShowAtStart();
    // The help menu: modal to the main window (open(), so it returns at once), and stays
    // until the player closes it.
    void ShowHelp(QWidget* over);

    // Every close goes through here: the close button, a key, a click, the tenth tick.
    void done(int result) override;

    // One tick of Timer1; public so a test can count ten seconds without waiting them.
    void Tick();
    // Sizes the rule lines from their font, so each breaks at its run of blanks; again after
    // the window's content is scaled to fit a small screen.
    void FitRuleLabels();

signals:
    // The first close of the run; the main window opens on it.
    void firstClosed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    // What creating the window from its design does, then Form_Load.
    void Load();
    void ShowCountdown();
    void Form_KeyPress();
    void Click(QObject* control);

    RulesWindow rules_;  // its timer and first closing, kept for the whole run

    Panel* Frame1 = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblHowToPlay = nullptr;  // what a move is
    QLabel* lblStart = nullptr;      // how to leave: start the game, or back to it
    QLabel* lblCountdown = nullptr;  // at start: the seconds until it starts by itself
    AdPanel* Frame2 = nullptr;
    QTimer* Timer1 = nullptr;
};

}  // namespace tilvara::ui
