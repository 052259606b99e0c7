// The rules window's timer and the link targets of both secondary windows.
#include "game/secondary_windows.h"

#include <algorithm>
#include <cctype>

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
    return std::to_string(seconds) + "秒后自动关闭";
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

std::string LinkAddress(std::string_view target) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    while (!target.empty() && blank(target.front())) target.remove_prefix(1);
    while (!target.empty() && blank(target.back())) target.remove_suffix(1);
    // A local path is no site.
    if (target.empty() || target.front() == '/') return {};
    const std::size_t colon = target.find(':');
    const std::string_view before = target.substr(0, colon);
    const bool scheme =
        colon != std::string_view::npos && !before.empty() &&
        std::isalpha(static_cast<unsigned char>(before.front())) &&
        std::all_of(before.begin(), before.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-';
        });
    if (scheme) {
        std::string name(before);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const bool web = name == "https" || name == "http" || name == "mailto";
        return web ? std::string(target) : std::string();
    }
    if (target.find('@') != std::string_view::npos && target.find('/') == std::string_view::npos) {
        // "a@x.org; b@y.org" names two recipients; mailto: separates them with commas.
        std::string to = "mailto:";
        bool separated = false;
        for (const char c : target) {
            if (blank(c) || c == ',' || c == ';') {
                separated = to.size() > 7;
            } else {
                if (separated) to += ',';
                separated = false;
                to += c;
            }
        }
        return to;
    }
    return "https://" + std::string(target);
}

std::vector<std::string_view> RuleLineParts(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t run = line.find("  ", start);
        if (run == std::string_view::npos) break;
        parts.push_back(line.substr(start, run - start));
        start = line.find_first_not_of(' ', run);
        if (start == std::string_view::npos) return parts;
    }
    parts.push_back(line.substr(start));
    return parts;
}

}  // namespace tilvara
