// The main window as designed: where every element sits before start-up, and the menu bar.
#include "game/window_layout.h"

#include "game/texts.h"

namespace tilvara {

namespace {

constexpr double TemplateLeft = 0, TemplateTop = 600, TemplateWidth = 615, TemplateHeight = 255;

std::vector<Menu> MenuBar() {
    return {
        {"s1",
         "游戏",
         true,
         {{"hard1", "开始"},
          {"hint", "提示(F1)", false},
          {"hint11", "重排(F2)", false},
          {"hard2", "开始（2）向上", false},
          {"hard3", "开始（3）向下", false},
          {"hard4", "开始（4）向左", false},
          {"hard5", "开始（5）向右", false},
          {"hard6", "开始（6）向上下中间", false},
          {"hard7", "开始（7）向左右中间", false},
          {"exit", "退出(Esc)"}}},
        // Never available: the game has no network play.
        {"s2", "网络游戏", false, {{"hard_net", "开始", false}}},
        {"s3",
         "帮助",
         true,
         {{"hard_help", "帮助"}, {"advertise", "广告"}, {"hard_about", "关于"}}},
    };
}

}  // namespace

ViewState DesignedView() {
    ViewState view;
    view.caption = texts::AppTitle;
    view.menus = MenuBar();
    view.Image2[0] = {Face{}, true, TemplateLeft, TemplateTop, TemplateWidth, TemplateHeight};
    view.Image4 = {840, 0, 840, PieceThickness, false};
    view.Image6 = view.Image4;
    view.Image5 = {0, 0, PieceThickness, 600, false};
    view.Image7 = view.Image5;
    view.Image9 = {120, 120, 4590, 315};
    view.Image10 = {ClockBarLeft, 143, ClockBarWidth, 240};
    const double labelTop = GridTop + (Rows + 0.5) * FaceHeight;  // where every deal puts them
    view.Label4.box = {4920, 120, 2415, 375};
    view.Label2.box = {7680, 120, 4335, 375};
    view.Label3.box = {720, labelTop, 6855, 375};
    view.Label1.box = {8160, labelTop, 2415, 375};
    view.startLine = {texts::HowToStart, {GridLeft, GridTop, Cols * FaceWidth, Rows * FaceHeight}};
    // Inside the clock's backing, clear of its rounded ends.
    view.levelLine.box = {view.Image9.left + 180, view.Image9.top, 2700, view.Image9.height};
    view.clockText.box = {view.Image9.left + view.Image9.width - 1380, view.Image9.top, 1200,
                          view.Image9.height};
    // Room for the clock strip, the grid and the score line below it, with the grid's
    // own left margin on the right as well.
    view.client = {0, 0, GridLeft * 2 + Cols * FaceWidth, labelTop + 375 + 240};
    return view;
}

}  // namespace tilvara
