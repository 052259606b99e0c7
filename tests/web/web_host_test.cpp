// The scripted removal with a box in its middle on the page's host, under node: the shell and
// main window of the page as built, the page itself a recording stand-in (its C functions here)
// whose timers run on a clock of the test's.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/view_layout.h"
#include "tests/support/host_conformance.h"
#include "web/main_window.h"
#include "web/page.h"
#include "web/shell.h"

namespace {

// What the page shows, as the host painted it.
struct Page {
    std::string caption;
    std::string labels[4];
    std::vector<std::pair<int, std::string>> windows;  // id and the box's text, newest last
    std::map<int, std::pair<int, double>> timers;      // slot: interval and due time
    double now = 0;
} page;

}  // namespace

namespace tilvara::web::page {
extern "C" {
void Build(int, int, double, double) {}
void PlaceCell(int, double, double, double, double) {}
void PaintCell(int, const char*, bool, bool, bool, const char*) {}
void PaintCursor(int, double, double, double, double, bool, bool) {}
bool BoardHasFocus() { return true; }
void FocusBoard() {}
void PaintPiece(int, double, double, double, double, bool) {}
void PaintLabel(int n, const char* text, double, double, double, double) {
    ::page.labels[n] = text;
}
void PaintBacking(double, double, double, double, int) {}
void PaintBar(double, double, double, double, int, const char*, bool) {}
void PaintClockText(int, const char*, double, double, double, double) {}
void PaintStartLine(const char*, double, double, double, double) {}
void SetCaption(const char* caption) { ::page.caption = caption; }
void AddMenu(const char*, bool) {}
void AddMenuItem(int, const char*, bool) {}
void EnableMenuItem(int, int, bool) {}
void OpenMenu(int) {}
void ShowMainWindow(bool) {}
void ShowEnded(bool, const char*) {}
void SetText(const char*, const char*, const char*) {}
void SetPicture(const char*, const char*, const char*) {}
void OpenBox(int id, const char*, const char* text, const char*) {
    ::page.windows.emplace_back(id, text);
}
void OpenWindow(int id, const char*) { ::page.windows.emplace_back(id, ""); }
void CloseWindow(int id) {
    std::erase_if(::page.windows, [id](auto& w) { return w.first == id; });
}
void StartInterval(int slot, int ms) { ::page.timers[slot] = {ms, ::page.now + ms}; }
void StopInterval(int slot) { ::page.timers.erase(slot); }
void PreloadArt(const char*) {}
double SeedParameter() { return -1; }
}
}  // namespace tilvara::web::page

namespace tilvara::test {
namespace {

class WebDriver final : public HostDriver {
public:
    WebDriver() {
        shell.StartRun();
        shell.Dismiss(page.windows.back().first);  // the rules window; the main window opens
    }
    MainForm& game() override { return GameProbe::Form(shell.MainWindow()->game()); }
    void Click(int index) override { shell.Click(index); }
    // The page's timers as page.js runs them: the earliest due first, each at its due time.
    bool RunUntil(const std::function<bool()>& done) override {
        for (int step = 0; step < 1000 && !done() && !page.timers.empty(); ++step) {
            auto next = page.timers.begin();
            for (auto t = page.timers.begin(); t != page.timers.end(); ++t)
                if (t->second.second < next->second.second) next = t;
            page.now = next->second.second;
            next->second.second += next->second.first;
            shell.Tick(next->first);
        }
        return done();
    }
    std::string OpenMessage() override {
        return page.windows.empty() ? std::string() : page.windows.back().second;
    }
    void CloseMessage() override { shell.Dismiss(page.windows.back().first); }
    // Each check also finds the page showing the view: a host that left out a repaint (after
    // a box has closed, say) shows an old caption or status line.
    void Check(bool ok, const char* what) override {
        EXPECT_TRUE(ok) << what;
        const ViewState& view = game().View();
        EXPECT_EQ(page.caption, PageTitle(view)) << "the page's caption, at: " << what;
        const auto labels = StatusLabels(view);
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(page.labels[n], labels[n]->visible ? labels[n]->caption : "")
                << "status line " << n << ", at: " << what;
    }

    web::Shell shell{std::nullopt};
};

TEST(WebHostConformance, RemovalWithABoxInItsMiddle) {
    WebDriver driver;
    ScriptedRemovalWithABox(driver);
}

}  // namespace
}  // namespace tilvara::test
