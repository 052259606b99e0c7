// The rules window and the about box without pixels: their texts, what a click on each of
// their controls does, and the rules window's timer. Every front end builds them from here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tilvara {

// The maker's web site, whose pages the link labels of both windows open.
inline constexpr const char* SiteHost = "tilvara.example.org";
std::string SitePage(std::string_view page);  // "https://" + SiteHost + "/" + page

namespace texts::splash {
inline constexpr const char* Caption = "游戏规则 - Tilvara";
inline constexpr const char* lblCompanyProduct = "Tilvara  2.0版";
inline constexpr const char* Label4 = "本软件共7关,第四关比较难过,需要较多的重排机会!";
// The runs of blanks push the rest of a sentence onto the label's next line.
inline constexpr const char* Label1 =
    "得分规则：得分是按照连接的路线的长度记分。所以大家要尽           "
    "可能的连通更长的两张牌。";
inline constexpr const char* Label2 =
    "奖励规则：最近三次连通总分大于37分，就奖励一次提示；大           "
    "于39分，就奖励一次重新排列的机会。";
inline constexpr const char* Label3 = "爱心提示: 长时间玩游戏          容易损伤视力";
// What a move is, and how to leave the window: the game starts at the first closing, and
// later (as help) the closing goes back to it.
// Then the keys, the clock and the sliding levels, on a line of their own.
inline constexpr const char* lblHowToPlay =
    "消牌规则：点两张相同的牌，如果能用不超过三段的直线把它们连起来，这两张牌就会消去。"
    "连线只能经过空位，也可以绕到牌阵的外圈。\n"
    "按键：F1提示，F2重排，方向键移动、空格或回车选牌，F10打开菜单，Esc立即退出。"
    "每关限时452秒；从第2关起，每消去一对，其余的牌都会朝一个方向移动。";
// The window opens the main window; a game is dealt from its menu.
inline constexpr const char* lblStartAtStart = "按任意键，或点击上面的规则，进入游戏。";
inline constexpr const char* lblStartAsHelp = "按任意键，或点击上面的规则，回到游戏。";
// The lines under Label4, in reading order: how to play, then the rules.
struct ControlText {
    const char* control;
    const char* text;
};
inline constexpr ControlText RuleLines[] = {
    {"lblHowToPlay", lblHowToPlay}, {"Label1", Label1}, {"Label2", Label2}, {"Label3", Label3}};
// The seconds until the window closes by itself, at start only.
std::string Countdown(int seconds);  // "10秒后自动关闭"
}  // namespace texts::splash

// The advertising panel both windows carry, for the game's own pages: Label5 and Label6 on
// getting and playing it (page soft.htm), Label7 on reporting a problem (page tm.htm).
namespace texts::ads {
inline constexpr const char* HeadingPrefix = "广告 · ";  // then the site's host
inline constexpr const char* Label5 = "▸ 下载 Tilvara，查看源代码";
inline constexpr const char* Label6 = "▸ 在浏览器里玩 Tilvara";
inline constexpr const char* Label7 = "▸ 报告问题，提出建议";
}  // namespace texts::ads

namespace texts::about {
inline constexpr const char* Caption = "关于";
inline constexpr const char* lblTitle = "Tilvara";
inline constexpr const char* lblDescription = "版本：2.0\n作者：Tilvara 开发组";
inline constexpr const char* Label4 = "网站：";
inline constexpr const char* Label2 = "邮箱：";
inline constexpr const char* Label1 = "tilvara@example.org";
// The terms of the copyright file: the game under the MIT (Expat) licence, the tile
// pictures under CC-BY 4.0 with their credit.
inline constexpr const char* lblDisclaimer =
    "© 2026 Tilvara 开发组。本游戏是自由软件，按 MIT 许可证发布：任何人都可以免费使用、复制、"
    "修改、合并、发布、分发、再许可和出售，只须保留版权声明和许可声明。本软件按“原样”提供，"
    "不附带任何明示或暗示的担保。\n"
    "牌面图案取自 Twemoji（© Twitter, Inc 及其他贡献者），按 CC-BY 4.0 许可使用"
    "（https://creativecommons.org/licenses/by/4.0/），经缩放后印在牌面上。";
inline constexpr const char* cmdOK = "确定";
}  // namespace texts::about

// The advertising panel's heading: the prefix and the site's host.
std::string AdHeading();
// The page an advertising label opens: soft.htm for Label5 and Label6, tm.htm for Label7;
// empty for any other control.
std::string AdTarget(std::string_view control);

// The rules window's own state, kept for the whole run (closing it resets nothing). It opens
// first and closes itself on the tenth tick of its one-second Timer1; its first closing
// opens the main window. Opened again as help, it stays until the player closes it.
class RulesWindow {
public:
    static constexpr int Timer1Interval = 1000;  // ms
    static constexpr int TicksToClose = 10;

    // Each opening: Timer1 runs only until the window has been closed once.
    void Form_Load() { timer1On_ = !firstShown; }
    bool Timer1On() const { return timer1On_; }
    // A tick of Timer1: true when the window closes now. Exactly the tenth: the count
    // never resets, so this happens once a run.
    bool Timer1_Timer();
    // What a front end calls on each tick of the window's timer, as Game::Tick for the game's.
    bool Tick() { return Timer1_Timer(); }
    // Every closing, however it came: true on the first of the run, when the main window
    // opens.
    bool Form_Unload();
    // Whether a click on the control closes the window: the product line, the rule lines,
    // the line that says so and the frame around them do; Label4 and the advertising panel
    // do not.
    static bool ClosesOnClick(std::string_view control);
    // The controls whose colour the hover rule sets blue when another is under the mouse.
    static constexpr const char* HoverGroup[] = {"Label5", "Label6", "Label7", "Label1", "Label3"};

    // The seconds until the window closes by itself, while it will; 0 when it will not.
    int SecondsToClose() const { return timer1On_ ? TicksToClose - closeTicks : 0; }
    // After the first closing the window is help: its closing goes back to the game.
    const char* StartLine() const;

    bool firstShown = false;
    int closeTicks = 0;

private:
    bool timer1On_ = false;
};

// The about box: what a click on one of its five link labels opens. Label1 and Label3 open
// their own caption; the advertising labels their page. Empty for any other control.
std::string AboutLinkTarget(std::string_view control, std::string_view caption);
inline constexpr const char* AboutLinks[] = {"Label1", "Label3", "Label5", "Label6", "Label7"};

// What a link label's target opens: a web or mail address with its scheme as it is, a bare
// e-mail address (or several) as mailto:, anything else without a scheme as a web site. No
// other scheme and no local path: a label must never run a program or open a file (nor, in a
// page, run script). Empty for those and for an empty target.
std::string LinkAddress(std::string_view target);

// A rule line's parts: a run of blanks ends a line of the label, so the first part sets its
// width and each part starts a line.
std::vector<std::string_view> RuleLineParts(std::string_view line);

}  // namespace tilvara
