// What a front end relies on: the narrow Game's answers, the change record it repaints by, a
// box that closes once, and the small drawing rules every front end shares.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/secondary_windows.h"
#include "game/view_layout.h"
#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

// A rig taken to a settled, dealt board whose changes the front end has already taken.
struct DrawnRig : Rig {
    DrawnRig() {
        game.hard1_Click();
        Place("AA/BC/BC");
        app.TakeChanges();
    }
    ViewChanges After(const std::function<void()>& event) {
        event();
        return app.TakeChanges();
    }
};

// Each event names what it changed, and nothing else.
TEST(Contract, TheChangeRecordNamesWhatChanged) {
    DrawnRig rig;
    const ViewChanges first = rig.After([] {});
    EXPECT_FALSE(first.Any()) << "taken twice, the record is empty";

    const ViewChanges tick = rig.After([&] { rig.app.Tick(TimerId::Timer3); });
    EXPECT_FALSE(tick.Any()) << "the tick counter changes nothing on screen";

    const ViewChanges clock = rig.After([&] { rig.app.Tick(TimerId::Timer4); });
    EXPECT_TRUE(clock.clock);
    EXPECT_FALSE(clock.labels.any() || clock.pieces || clock.caption || clock.cells.any());

    const ViewChanges select = rig.After([&] { rig.app.Image2_Click(IndexOf(1, 1)); });
    EXPECT_EQ(select.cells.count(), 1u);
    EXPECT_TRUE(select.cells[IndexOf(1, 1)]);
    EXPECT_FALSE(select.cursor) << "the cursor was on that cell already";

    const ViewChanges path = rig.After([&] { rig.app.Image2_Click(IndexOf(1, 2)); });
    EXPECT_TRUE(path.pieces && path.cursor);
    const ViewChanges gone = rig.After([&] {
        for (int t = 0; t < 3; ++t) rig.app.Tick(TimerId::Timer3);
    });
    EXPECT_TRUE(gone.pieces && gone.caption && gone.labels.any());
    EXPECT_TRUE(gone.cells[IndexOf(1, 1)] && gone.cells[IndexOf(1, 2)]);

    Rig fresh;
    const ViewChanges all = fresh.app.TakeChanges();
    EXPECT_TRUE(all.caption && all.menus && all.pieces && all.clock && all.labels.all() &&
                all.cursor);
    EXPECT_TRUE(all.cells.all()) << "the first record names everything";
}

TEST(Contract, MenuAnswersTellTheFrontEndWhatIsLeft) {
    Rig rig;
    const struct {
        const char* item;
        MenuAnswer answer;
    } cases[] = {{"hard_help", MenuAnswer::OpenHelp},  {"hard_about", MenuAnswer::OpenAbout},
                 {"advertise", MenuAnswer::OpenAbout}, {"hint", MenuAnswer::NotMine},
                 {"hard2", MenuAnswer::NotMine},       {"no such item", MenuAnswer::NotMine},
                 {"hard1", MenuAnswer::Taken}};
    for (const auto& c : cases) EXPECT_EQ(rig.app.Menu_Click(c.item), c.answer) << c.item;
}

// 开始 chosen while a pair's path shows: the fresh deal shows no old path, and its first F1
// and clicks are taken at once.
TEST(Contract, ADealEndsAPendingRemovalAtOnce) {
    DrawnRig rig;
    rig.app.Image2_Click(IndexOf(1, 1));
    rig.app.Image2_Click(IndexOf(1, 2));
    ASSERT_TRUE(rig.game.RemovalAtWork());
    ASSERT_TRUE(rig.game.View().Image4.visible);

    EXPECT_EQ(rig.app.Menu_Click("hard1"), MenuAnswer::Taken);
    const ViewChanges deal = rig.app.TakeChanges();
    EXPECT_TRUE(deal.pieces);
    for (const PathBand& band : PathBands(rig.game.View())) EXPECT_FALSE(band.visible);
    EXPECT_FALSE(rig.game.RemovalAtWork());

    const int hints = rig.game.hintsLeft;
    EXPECT_EQ(rig.app.Form_KeyDown(KeyF1), KeyAnswer::Taken);
    EXPECT_EQ(rig.game.hintsLeft, hints - 1) << "the first F1 of the fresh deal is taken";
    rig.app.Image2_Click(IndexOf(5, 5));
    EXPECT_TRUE(rig.game.hasSelection) << "and so is its first click";
    for (int t = 0; t < 5; ++t) rig.app.Tick(TimerId::Timer3);
    EXPECT_EQ(rig.game.tilesLeft, CellCount) << "the old pair takes nothing from the new board";
    EXPECT_TRUE(rig.game.IsConsistent());
}

// Two quick keys on a box a toolkit has not yet destroyed report its closing twice: the
// reward is granted once and the next box still holds its removal.
TEST(Contract, ABoxClosesOnce) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("AA/BB/CC");
    rig.game.recentScore2 = 19;
    rig.game.recentScore3 = 19;  // a link of 1 earns a reshuffle
    const int reshuffles = rig.game.reshufflesLeft;
    rig.game.Image2_Click(IndexOf(1, 1));
    rig.game.Image2_Click(IndexOf(1, 2));
    const auto untilABox = [&] {
        while (rig.host.open.empty() && rig.host.RunNextTimer()) {
        }
    };
    untilABox();  // past the hold: the reward box is open
    ASSERT_EQ(rig.host.open.size(), 1u);
    const std::function<void()> closed = rig.host.open.back().closed;
    rig.host.open.clear();
    closed();
    closed();
    EXPECT_EQ(rig.game.reshufflesLeft, reshuffles + 1);
    EXPECT_FALSE(rig.game.RemovalAtWork());

    rig.game.recentScore2 = rig.game.recentScore3 = 19;
    rig.game.Image2_Click(IndexOf(2, 1));
    rig.game.Image2_Click(IndexOf(2, 2));
    untilABox();
    ASSERT_EQ(rig.host.open.size(), 1u);
    for (int t = 0; t < 10; ++t) rig.app.Tick(TimerId::Timer3);
    EXPECT_TRUE(rig.game.RemovalAtWork()) << "the second box still holds its removal";
    rig.host.CloseMessage();
    EXPECT_EQ(rig.game.reshufflesLeft, reshuffles + 2);
    EXPECT_TRUE(rig.game.IsConsistent());
}

TEST(Contract, PathBandsRunThroughTheCellCentres) {
    Rig rig;
    rig.game.DrawHLine1(2, 1, 3);  // across, two cells long
    rig.game.DrawVLine2(4, 1, 2);  // down, one cell long
    const std::array<PathBand, 4> bands = PathBands(rig.game.View());
    const Piece& across = rig.game.View().Image4;
    const Piece& down = rig.game.View().Image7;
    EXPECT_TRUE(bands[0].visible && !bands[1].visible && !bands[2].visible && bands[3].visible);
    EXPECT_DOUBLE_EQ(bands[0].box.left, across.left - across.height / 2);
    EXPECT_DOUBLE_EQ(bands[0].box.top, across.top - across.height / 2);
    EXPECT_DOUBLE_EQ(bands[0].box.width, across.width + across.height);
    EXPECT_DOUBLE_EQ(bands[3].box.height, down.height + down.width);
    EXPECT_DOUBLE_EQ(bands[3].box.width, down.width);
}

TEST(Contract, RuleLinesBreakAtRunsOfBlanks) {
    const struct {
        const char* line;
        std::vector<std::string_view> parts;
    } cases[] = {{"one line", {"one line"}},
                 {"first   second", {"first", "second"}},
                 {"a  b     c", {"a", "b", "c"}},
                 {"ends in blanks   ", {"ends in blanks"}}};
    for (const auto& c : cases) EXPECT_EQ(RuleLineParts(c.line), c.parts) << c.line;
}

// A label opens a web or mail address, never a program, a file or script.
TEST(Contract, LinkLabelsOpenOnlyWebAndMailAddresses) {
    const struct {
        const char* target;
        const char* address;
    } cases[] = {{"tilvara.example.org", "https://tilvara.example.org"},
                 {" https://x.org/a ", "https://x.org/a"},
                 {"HTTP://x.org", "HTTP://x.org"},
                 {"a@x.org", "mailto:a@x.org"},
                 {"a@x.org; b@y.org", "mailto:a@x.org,b@y.org"},
                 {"mailto:a@x.org", "mailto:a@x.org"},
                 {"javascript:alert(1)", ""},
                 {"file:///etc/passwd", ""},
                 {"/usr/share/doc", ""},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(LinkAddress(c.target), c.address) << c.target;
    EXPECT_EQ(LinkAddress(AboutLinkTarget("Label1", texts::about::Label1)),
              std::string("mailto:") + texts::about::Label1);
}

}  // namespace
}  // namespace tilvara::test
