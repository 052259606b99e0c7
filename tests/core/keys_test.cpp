// The keyboard: the board cursor's moves, Space and Return as clicks on its cell, which keys
// repeat while held, and what else moves the cursor.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

Cell CursorOf(const MainForm& game) { return {game.View().cursor.row, game.View().cursor.col}; }

// Keys after a deal of "AB.A/CBC": where the cursor stops, the board, the selection.
TEST(Keys, CursorWalksEveryCellAndClicksItsOwn) {
    struct Case {
        std::vector<int> keys;
        Cell cursor;
        const char* board;
        int selIndex;
    };
    const Case cases[] = {
        {{KeyLeft, KeyUp}, {1, 1}, "AB.A/CBC", 0},
        {std::vector<int>(20, KeyRight), {1, 18}, "AB.A/CBC", 0},
        {std::vector<int>(10, KeyDown), {8, 1}, "AB.A/CBC", 0},
        {{KeyRight, KeyRight, KeySpace}, {1, 3}, "AB.A/CBC", 0},  // an empty cell: nothing
        {{KeyRight, KeySpace, KeyDown, KeyReturn}, {2, 2}, "A..A/C.C", 0},
        {{KeyDown, KeyReturn, KeyUp, KeySpace}, {1, 1}, "AB.A/CBC", IndexOf(1, 1)},  // C, A
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.game.hard1_Click();
        rig.Place("AB.A/CBC");
        for (const int key : c.keys) rig.game.Form_KeyDown(key);
        rig.host.Settle();
        EXPECT_EQ(CursorOf(rig.game), c.cursor);
        EXPECT_EQ(rig.game.board.ToPicture(), Picture(c.board).ToPicture());
        EXPECT_EQ(rig.game.selIndex, c.selIndex);
        EXPECT_TRUE(rig.host.messages.empty());
    }
}

// A held arrow walks on; a held Space, Return, F1, F2, F10 or Esc acts once.
TEST(Keys, OnlyTheArrowsRepeat) {
    Rig rig;
    rig.game.Form_KeyDown(KeyDown);
    EXPECT_FALSE(rig.game.View().cursor.shown);  // nothing to walk on before the first deal
    EXPECT_EQ(CursorOf(rig.game), (Cell{1, 1}));
    rig.game.hard1_Click();
    EXPECT_EQ(rig.game.Form_KeyDown(KeyRight, true), KeyAnswer::Taken);
    EXPECT_EQ(CursorOf(rig.game), (Cell{1, 2}));
    for (const int key : {KeySpace, KeyReturn, KeyF1, KeyF2, KeyF10, KeyEscape})
        EXPECT_EQ(rig.game.Form_KeyDown(key, true), KeyAnswer::Taken) << key;
    EXPECT_FALSE(rig.game.hasSelection);
    EXPECT_EQ(rig.game.hintsLeft, HintsPerDeal);
    EXPECT_EQ(rig.game.reshufflesLeft, ReshufflesPerDeal);
    EXPECT_FALSE(rig.game.Unloaded());
    EXPECT_EQ(rig.game.Form_KeyDown(KeyF10), KeyAnswer::OpenFirstMenu);
    EXPECT_EQ(rig.game.Form_KeyDown(65), KeyAnswer::NotMine);
}

// Clicks on tiles move the cursor; slides, reshuffles and removals leave it; a deal puts it
// back at the top left.
TEST(Keys, CursorFollowsClicksAndDealsOnly) {
    Rig rig;
    rig.game.hard2_Click();  // the tiles slide up after a removal
    rig.Place("AC/BD/BC/AD");
    rig.Click(2, 1);
    rig.Click(3, 1);
    EXPECT_EQ(rig.game.tilesLeft, 6);
    rig.Click(5, 5);  // a hidden cell
    rig.game.hint11_Click();
    rig.host.RunUntil(TimerId::Timer2);
    EXPECT_EQ(CursorOf(rig.game), (Cell{3, 1}));
    rig.game.hard1_Click();
    EXPECT_EQ(CursorOf(rig.game), (Cell{1, 1}));
}

}  // namespace
}  // namespace tilvara::test
