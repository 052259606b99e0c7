// Tilvara: the rules window opens first; its first closing opens the game window.
#include <QApplication>
#include <memory>

#include "ui/application.h"
#include "ui/artwork.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"
#include "ui/startup_guard.h"

int main(int argc, char* argv[]) {
    tilvara::ui::IgnoreBadScaleFactors();
    tilvara::ui::StartupGuard startupGuard;
    QApplication app(argc, argv);
    startupGuard.Release();
    tilvara::ui::SetUpApplication(app);
    tilvara::ui::WarnWithoutChineseFont();
    QApplication::setWindowIcon(tilvara::ui::Artwork::applicationIcon());
    // The main window appears only when the rules window first closes.
    QApplication::setQuitOnLastWindowClosed(false);

    tilvara::ui::frmSplash splash;
    std::unique_ptr<tilvara::ui::Form1> form;
    QObject::connect(&splash, &tilvara::ui::frmSplash::firstClosed, [&] {
        form = std::make_unique<tilvara::ui::Form1>(&splash);
        form->show();
    });
    splash.ShowAtStart();
    return QApplication::exec();
}
