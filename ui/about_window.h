// The about box: title, version, contact links, the artwork credits and the ad panel.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tilvara::ui {

class AdPanel;

// Modal to the main window, created afresh for each opening; it keeps no state of its own.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

private:
    void BuildControls();
    void Form_Load();
    void Click(QObject* control);
    QList<QLabel*> LinkLabels() const;

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    AdPanel* Frame1 = nullptr;
    QPushButton* cmdOK = nullptr;
};

}  // namespace tilvara::ui
