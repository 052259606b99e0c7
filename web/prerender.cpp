// Run under node at build time: prints what the rules and about windows show before anything
// happens (texts, rule lines, link addresses, the icon, hover groups) as JSON rows
// [window, control, what, value],
// which web/prerender.js writes into the page, so the browser paints the rules window while
// the module is still loading.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "game/secondary_windows.h"
#include "game/tile_pictures.h"

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
    std::string parts;
    for (const std::string_view part : RuleLineParts(text))
        parts += (parts.empty() ? "" : ", ") + Json(part);
    Row("frmSplash", control, "lines", "[" + parts + "]");
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
    Row("frmAbout", "picIcon", "src",
        Json("art/" + std::string(PictureFile(AboutPictureKind)) + ".svg"));

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
