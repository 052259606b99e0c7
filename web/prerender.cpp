// Run under node at build time: prints what the rules and about windows show before anything
// happens (texts, link addresses, hover groups) as JSON rows [window, control, what, value],
// which web/prerender.js writes into the page, so the browser paints the rules window while
// the module is still loading.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "game/secondary_windows.h"

using namespace tilvara;

namespace {

std::string Json(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out + '"';
}

bool first = true;

void Row(std::string_view window, std::string_view control, std::string_view what,
         const std::string& value) {
    std::printf("%s[%s, %s, %s, %s]", first ? "[\n" : ",\n", Json(window).c_str(),
                Json(control).c_str(), Json(what).c_str(), value.c_str());
    first = false;
}

void Text(std::string_view window, std::string_view control, std::string_view text) {
    Row(window, control, "text", Json(text));
}

// A rule line whose runs of blanks end a line: its parts, each drawn on a line of its own.
void Lines(std::string_view control, std::string_view text) {
    std::string parts = "[";
    while (!text.empty()) {
        const std::size_t gap = text.find("  ");
        parts += (parts.size() > 1 ? ", " : "") + Json(text.substr(0, gap));
        if (gap == std::string_view::npos) break;
        text = text.substr(text.find_first_not_of(' ', gap));
    }
    Row("frmSplash", control, "lines", parts + "]");
}

// What a link label's target text opens in a new tab: a web or mail address with its scheme as
// it is, a bare e-mail address as mailto:, anything else without a scheme as a web site. No
// other scheme opens anything (a javascript: link would run in the page).
std::string LinkAddress(std::string_view target) {
    const std::size_t colon = target.find(':');
    if (colon != std::string_view::npos) {
        std::string scheme(target.substr(0, colon));
        std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const bool web = scheme == "https" || scheme == "http" || scheme == "mailto";
        return web ? std::string(target) : std::string();
    }
    if (target.find('@') != std::string_view::npos) return "mailto:" + std::string(target);
    return "https://" + std::string(target);
}

}  // namespace

int main() {
    namespace splash = texts::splash;
    namespace about = texts::about;
    for (const auto& [control, text] : {std::pair{"Caption", splash::Caption},
                                        {"lblCompanyProduct", splash::lblCompanyProduct},
                                        {"Label4", splash::Label4},
                                        {"lblHowToPlay", splash::lblHowToPlay}})
        Text("frmSplash", control, text);
    for (const auto& [control, text] : {std::pair{"Label1", splash::Label1},
                                        {"Label2", splash::Label2},
                                        {"Label3", splash::Label3}})
        Lines(control, text);
    RulesWindow rules;
    rules.Form_Load();
    Text("frmSplash", "lblStart", rules.StartLine());
    Text("frmSplash", "lblCountdown", splash::Countdown(rules.SecondsToClose()));
    for (const char* control : RulesWindow::HoverGroup)
        Row("frmSplash", control, "class", "\"linked\"");

    for (const auto& [control, text] : {std::pair{"Caption", about::Caption},
                                        {"lblTitle", about::lblTitle},
                                        {"lblDescription", about::lblDescription},
                                        {"Label4", about::Label4},
                                        {"Label2", about::Label2},
                                        {"lblDisclaimer", about::lblDisclaimer},
                                        {"cmdOK", about::cmdOK}})
        Text("frmAbout", control, text);
    for (const auto& [control, caption] :
         {std::pair{"Label1", about::Label1}, {"Label3", SiteHost}}) {
        Text("frmAbout", control, caption);
        Row("frmAbout", control, "href", Json(LinkAddress(AboutLinkTarget(control, caption))));
    }
    for (const char* control : AboutLinks) Row("frmAbout", control, "class", "\"linked\"");

    // Both windows carry the same advertising panel.
    for (const char* window : {"frmSplash", "frmAbout"}) {
        Text(window, "Heading", AdHeading());
        for (const auto& [control, text] : {std::pair{"Label5", texts::ads::Label5},
                                            {"Label6", texts::ads::Label6},
                                            {"Label7", texts::ads::Label7}}) {
            Text(window, control, text);
            Row(window, control, "href", Json(AdTarget(control)));
        }
    }
    std::printf("\n]\n");
    return 0;
}
