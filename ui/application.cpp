// Application-wide set-up: fonts that render Simplified Chinese, and the program's names.
#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <cstdio>

namespace tilvara::ui {

namespace {
const QStringList ChineseFamilies = {"Noto Sans CJK SC", "WenQuanYi Zen Hei", "Noto Sans SC",
                                     "Source Han Sans SC"};
}

const char* LabelFamily() { return "SimHei"; }

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName("Tilvara");
    QApplication::setApplicationVersion("2.0");
    QApplication::setDesktopFileName("tilvara");
    QApplication::setOrganizationName("Tilvara");

    QFont::insertSubstitutions("SimHei", ChineseFamilies);
    QFont font = app.font();
    QStringList families = ChineseFamilies;
    families.append(font.families());
    // The first installed Simplified face leads, so Han text never falls back to a
    // Japanese face under a C or English locale.
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : ChineseFamilies) {
        if (installed.contains(family)) {
            families.removeAll(family);
            families.prepend(family);
            break;
        }
    }
    font.setFamilies(families);
    QApplication::setFont(font);
}

void WarnWithoutChineseFont() {
    if (!QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty()) return;
    std::fprintf(stderr,
                 "tilvara: no installed font has Chinese characters, so every text shows as "
                 "boxes; install the package fonts-noto-cjk\n");
}

}  // namespace tilvara::ui
