// The texts the player reads in the main window, word for word.
#pragma once

#include <string>

namespace tilvara::texts {

// A count as the status texts show it: plain decimal digits, a minus sign when negative.
inline std::string Num(int n) { return std::to_string(n); }

inline constexpr const char* AppTitle = "Tilvara";
inline constexpr const char* MessageTitle = "提示";
inline constexpr const char* OkButton = "确定";

// On the empty field until the first deal.
inline constexpr const char* HowToStart = "请选择菜单“游戏” → “开始”开始游戏";

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
