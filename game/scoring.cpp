// Scoring a removed pair and the rewards of the last three scores.
#include "game/main_form.h"

#include "game/texts.h"

namespace tilvara {

void MainForm::ScoreLink(int score) {
    const unsigned deal = dealCount_;
    totalScore += score;
    view_.Label3.caption = texts::ScorePrefix + texts::Num(totalScore);
    recentScore1 = recentScore2;
    recentScore2 = recentScore3;
    recentScore3 = score;
    const int sum = recentScore1 + recentScore2 + recentScore3;
    view_.Label3.caption += texts::RecentPrefix + texts::Num(sum);
    // The reward is granted once the message is closed, for the board it was earned on.
    if (sum == 37 || sum == 38) {
        Message(texts::HintReward, [this, deal] {
            if (deal != dealCount_) return;
            ++hintsLeft;
            view_.Label2.caption = texts::Num(hintsLeft) + texts::HintsSuffix;
        });
    } else if (sum >= 39) {
        Message(texts::ReshuffleReward, [this, deal] {
            if (deal != dealCount_) return;
            ++reshufflesLeft;
            view_.Label4.caption = texts::Num(reshufflesLeft) + texts::ReshufflesSuffix;
        });
    }
}

}  // namespace tilvara
