// The tile pictures' files and names, kinds 1..36 in order.
#include "game/tile_pictures.h"

#include <array>

namespace tilvara {

namespace {

// Twemoji file stems.
constexpr std::array<std::string_view, Kinds> Files = {
    "1f34e", "1f34a", "1f347", "1f349", "1f34d", "1f346", "1f955", "1f344", "1f951",
    "1f965", "1f369", "1f36d", "1f438", "1f437", "1f43c", "1f42f", "1f435", "1f427",
    "1f433", "1f419", "1f98b", "1f41d", "1f980", "1f418", "26bd",  "2b50",  "1f680",
    "1f4da", "1f48e", "1f338", "1f33b", "1f340", "1f308", "2602",  "1f3a9", "1f697"};

constexpr std::array<std::string_view, Kinds> Names = {
    "苹果", "橘子",   "葡萄",   "西瓜",   "菠萝",   "茄子", "胡萝卜", "蘑菇", "牛油果",
    "椰子", "甜甜圈", "棒棒糖", "青蛙",   "小猪",   "熊猫", "老虎",   "猴子", "企鹅",
    "鲸鱼", "章鱼",   "蝴蝶",   "蜜蜂",   "螃蟹",   "大象", "足球",   "星星", "火箭",
    "书本", "宝石",   "樱花",   "向日葵", "四叶草", "彩虹", "雨伞",   "礼帽", "汽车"};

}  // namespace

std::string_view PictureFile(int kind) {
    return kind >= 1 && kind <= Kinds ? Files[kind - 1] : std::string_view();
}

std::string_view PictureName(int kind) {
    return kind >= 1 && kind <= Kinds ? Names[kind - 1] : std::string_view();
}

std::string CellName(const ViewState& view, int index) {
    const CellPicture& pic = view.Image2[index];
    const Cell cell = CellOf(index);
    std::string name(pic.visible ? PictureName(pic.face.kind) : "空");
    return name + " 第" + std::to_string(cell.row) + "行第" + std::to_string(cell.col) + "列";
}

}  // namespace tilvara
