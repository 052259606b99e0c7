// The texts the player reads in the main window, word for word.
#pragma once

#include <string>

namespace tilvara::texts {

// A count as the status texts show it: plain decimal digits, a minus sign when negative.
inline std::string Num(int n) { return std::to_string(n); }

inline constexpr const char* AppTitle = "Tilvara";
inline constexpr const char* MessageTitle = "提示";
inline constexpr const char* OkButton = "确定";

// The prompt on the field: before the first deal, and after a level ends with no next level
// to go to, saying what happened (first line) and how to go on (second line).
inline constexpr const char* HowToStart = "选择菜单“游戏” → “开始”，或按F10再按回车，发牌开局";
inline constexpr const char* HowToGoOn =
    "选择菜单“游戏” → “开始”，或按F10再按回车，从第1关重新开局";
inline constexpr const char* NotPassedPrompt = "本关用时超过452秒，没有通关。";
inline constexpr const char* AllClearedPrompt = "七关全部打完！";
inline constexpr const char* DeadBoardPrompt = "已经无牌可消，重排机会也用完了。";
// Over a board still in play: it goes once the player plays on.
inline constexpr const char* TimeUpPrompt = "时间已到，本关已不能通关，可以接着练习。";

// The level and which way its tiles slide, shown on the clock strip: "第2关 · 向上".
inline constexpr const char* LevelPrefix = "第";
inline constexpr const char* LevelSuffix = "关 · ";
inline constexpr const char* SlideNames[] = {"不移动", "向上",       "向下",      "向左",
                                             "向右",   "向上下中间", "向左右中间"};
inline constexpr const char* SecondsSuffix = "秒";

// What a page, which cannot close itself, leaves when the game has ended: how it ended, and
// where the player was.
inline constexpr const char* EndedByKey = "你按了Esc，游戏已结束。";
inline constexpr const char* EndedByMenu = "你选择了“退出”，游戏已结束。";
inline constexpr const char* EndedScore = "关，目前总分";  // between the level and the score

inline constexpr const char* HintsSuffix = "次提示,F1键";
inline constexpr const char* ReshufflesSuffix = "次重排,F2键";
inline constexpr const char* StillPrefix = "还有";  // before the hints left, and the pairs
inline constexpr const char* PairsSuffix = "个连通!";
inline constexpr const char* ScorePrefix = "目前总分:";
inline constexpr const char* RecentPrefix = "    最近三次连通总分:";

inline constexpr const char* HintReward = "奖励一次提示机会";
inline constexpr const char* ReshuffleReward = "奖励一次重新排牌机会";
inline constexpr const char* NoReshuffleLeft = "重排机会用完!";
inline constexpr const char* DeadBoardLost = "重排机会用完,你没有过关!";
inline constexpr const char* TimeUp = "您的速度太慢，时间已经用完！";
inline constexpr const char* AllCleared = "恭喜,您打完了所有关!";
inline constexpr const char* UsedTimePrefix = "用时";
inline constexpr const char* NextLevelSuffix = "，准备进入下一关！";
inline constexpr const char* NotPassedSuffix = "，你没有通关！";

}  // namespace tilvara::texts
