// Scoring: the total, the last three links, and the rewards at 37 and 39.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_host.h"

namespace tilvara::test {
namespace {

struct RewardCase {
    const char* name;
    std::vector<int> scores;
    int extraHints, extraReshuffles;
    std::vector<std::string> messages;
};
void PrintTo(const RewardCase& c, std::ostream* os) { *os << c.name; }

class Rewards : public ::testing::TestWithParam<RewardCase> {};

TEST_P(Rewards, LastThreeSumDecides) {
    const RewardCase& c = GetParam();
    Rig rig;
    rig.game.hard1_Click();
    for (const int score : c.scores) {
        rig.game.ScoreLink(score);
        rig.host.Settle();  // the player closes each reward box
    }
    EXPECT_EQ(rig.game.hintsLeft, 5 + c.extraHints);
    EXPECT_EQ(rig.game.reshufflesLeft, 1 + c.extraReshuffles);
    EXPECT_EQ(rig.host.messages, c.messages);
    if (c.extraHints > 0) {
        EXPECT_EQ(rig.game.View().Label2.caption, std::to_string(5 + c.extraHints) + "次提示,F1键");
    }
    if (c.extraReshuffles > 0) {
        EXPECT_EQ(rig.game.View().Label4.caption,
                  std::to_string(1 + c.extraReshuffles) + "次重排,F2键");
    }
}

const std::string Hint = "奖励一次提示机会";
const std::string Reshuffle = "奖励一次重新排牌机会";

INSTANTIATE_TEST_SUITE_P(
    Score, Rewards,
    ::testing::Values(RewardCase{"Sum36", {12, 12, 12}, 0, 0, {}},
                      RewardCase{"Sum37", {12, 12, 13}, 1, 0, {Hint}},
                      RewardCase{"Sum38", {12, 13, 13}, 1, 0, {Hint}},
                      RewardCase{"Sum39", {13, 13, 13}, 0, 1, {Reshuffle}},
                      RewardCase{"Sum60", {1, 1, 58}, 0, 1, {Reshuffle}},
                      // Nothing is cleared after a reward: 12, 13, 13 pays again.
                      RewardCase{"TwoHintsInARow", {12, 12, 13, 13}, 2, 0, {Hint, Hint}},
                      // Only the last three count: the 30 has dropped out by the 36.
                      RewardCase{"OldestDropsOut", {30, 1, 1, 36}, 1, 0, {Hint}},
                      RewardCase{"TwoOfThree", {19, 19}, 1, 0, {Hint}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Score, LabelHoldsTotalAndLastThree) {
    Rig rig;
    rig.game.hard1_Click();
    rig.game.ScoreLink(1);
    EXPECT_EQ(rig.game.View().Label3.caption, "目前总分:1    最近三次连通总分:1");
    rig.game.ScoreLink(5);
    rig.game.ScoreLink(2);
    rig.game.ScoreLink(3);
    EXPECT_EQ(rig.game.View().Label3.caption, "目前总分:11    最近三次连通总分:10");
}

// The reward is counted once the player has closed its message.
TEST(Score, RewardGrantedAfterTheMessageCloses) {
    Rig rig;
    rig.game.hard1_Click();
    int hintsDuringMessage = -1;
    rig.host.onMessage = [&](std::string_view) { hintsDuringMessage = rig.game.hintsLeft; };
    rig.game.ScoreLink(37);
    rig.host.Settle();
    EXPECT_EQ(hintsDuringMessage, 5);
    EXPECT_EQ(rig.game.hintsLeft, 6);
}

// The total restarts with level 1 from the menu; the last three carry over every deal.
TEST(Score, LastThreeCarryAcrossDealsAndLevels) {
    Rig rig;
    rig.game.hard1_Click();
    rig.game.ScoreLink(12);
    rig.game.ScoreLink(12);
    rig.game.hard4_Click();
    EXPECT_EQ(rig.game.totalScore, 24);
    EXPECT_EQ(rig.game.View().Label3.caption, "目前总分:24");
    rig.game.Menu_Click("hard1");
    EXPECT_EQ(rig.game.totalScore, 0);
    EXPECT_EQ(rig.game.View().Label3.caption, "目前总分:0");
    rig.game.ScoreLink(13);
    EXPECT_EQ(rig.game.View().Label3.caption, "目前总分:13    最近三次连通总分:37");
    EXPECT_EQ(rig.host.messages, std::vector<std::string>{Hint});
}

// Played for real: the score of a removal is the length of the path shown.
TEST(Score, ARemovalScoresItsPathLength) {
    Rig rig;
    rig.game.hard1_Click();
    rig.Place("ABA/C.C/.B.");  // the second B keeps every kind paired
    rig.Click(1, 1);
    rig.Click(1, 3);
    EXPECT_EQ(rig.game.totalScore, 4);  // up to the border row, across and down
    EXPECT_EQ(rig.game.recentScore3, 4);
}

}  // namespace
}  // namespace tilvara::test
