// The rules window's timer and the link targets of both secondary windows.
#include "game/secondary_windows.h"

namespace tilvara {

std::string SitePage(std::string_view page) {
    return std::string("https://") + SiteHost + "/" + std::string(page);
}

std::string AdHeading() { return std::string(texts::ads::HeadingPrefix) + SiteHost; }

std::string AdTarget(std::string_view control) {
    if (control == "Label5" || control == "Label6") return SitePage("soft.htm");
    if (control == "Label7") return SitePage("tm.htm");
    return {};
}

std::string texts::splash::Countdown(int seconds) {
    return std::to_string(seconds) + "秒后自动开始";
}

const char* RulesWindow::StartLine() const {
    return firstShown ? texts::splash::lblStartAsHelp : texts::splash::lblStartAtStart;
}

bool RulesWindow::Timer1_Timer() {
    ++closeTicks;
    return closeTicks == TicksToClose;
}

bool RulesWindow::Form_Unload() {
    timer1On_ = false;  // the timer belongs to the loaded window
    if (firstShown) return false;
    firstShown = true;
    return true;
}

bool RulesWindow::ClosesOnClick(std::string_view control) {
    for (const char* closer :
         {"Frame1", "Label1", "Label2", "Label3", "lblCompanyProduct", "lblHowToPlay", "lblStart"})
        if (control == closer) return true;
    return false;
}

std::string AboutLinkTarget(std::string_view control, std::string_view caption) {
    if (control == "Label1" || control == "Label3") return std::string(caption);
    return AdTarget(control);
}

}  // namespace tilvara
