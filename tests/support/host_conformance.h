// One removal with a reward box in its middle, scripted once and run on every host (the test
// doubles and the Qt shell): what a front end must honour, seen from the core.
#pragma once

#include <functional>
#include <string>

#include "tests/support/fake_host.h"

namespace tilvara::test {

// What a host's test provides to the script.
class HostDriver {
public:
    virtual ~HostDriver() = default;
    virtual MainForm& game() = 0;
    // A click on a cell picture, along the host's own input path.
    virtual void Click(int index) = 0;
    // Lets the window run (its timers tick, boxes stay open) until done() holds; false
    // when it never does.
    virtual bool RunUntil(const std::function<bool()>& done) = 0;
    // The text of the newest open box, empty when none is open.
    virtual std::string OpenMessage() = 0;
    // The player closes the newest box; returns once the host has handled the closing, before
    // any timer of the host's can tick.
    virtual void CloseMessage() = 0;
    virtual void Check(bool ok, const char* what) = 0;
};

inline void ScriptedRemovalWithABox(HostDriver& d) {
    MainForm& g = d.game();
    g.hard2_Click();  // tiles slide up after a removal
    g.PlaceBoard(Picture("BC/AA/BC"));
    g.recentScore2 = g.recentScore3 = 18;  // a link of 1 earns a hint
    const int hints = g.hintsLeft;
    d.Click(IndexOf(2, 1));
    d.Click(IndexOf(2, 2));
    const int clicked = g.tickCount;
    d.Check(g.RemovalAtWork() && g.board(2, 1) != 0 && g.View().Image4.visible,
            "the second click returns with its path on show and the pair still there");

    d.Check(d.RunUntil([&] { return !d.OpenMessage().empty(); }), "the reward box opens");
    d.Check(d.OpenMessage() == "奖励一次提示机会", "the box says what the reward is");
    d.Check(g.tickCount - clicked >= 3, "the path shows for three ticks");
    d.Check(g.board(2, 1) == 0 && g.board(3, 1) != 0 && !g.View().Image4.visible,
            "the pair is gone and the path hidden; the slide waits for the box");
    d.Check(g.RemovalAtWork() && g.hintsLeft == hints, "the reward waits for the box");

    const double bar = g.View().Image10.width;
    d.Check(d.RunUntil([&] { return g.View().Image10.width > bar; }),
            "the clock runs behind the box");
    d.Click(IndexOf(1, 1));
    d.Check(g.selIndex == IndexOf(2, 1) && !g.View().Image2[IndexOf(1, 1)].face.highlighted,
            "a click while the box is open changes nothing");

    d.CloseMessage();
    d.Check(d.OpenMessage().empty() && !g.RemovalAtWork(), "closing the box ends the removal");
    d.Check(!g.ChangesWaiting(), "the host repaints as soon as the box has closed");
    d.Check(g.hintsLeft == hints + 1, "the reward is granted");
    d.Check(g.board.ToPicture() == Picture("BC/BC").ToPicture() && g.tilesLeft == 4,
            "the tiles have slid up");
    d.Check(g.View().caption == "4", "the caption shows the tiles left");
}

}  // namespace tilvara::test
