#!/usr/bin/env bash
# Plays tilvara.exe under wine as a player would, in a private X server and a fresh prefix at
# 200 % (192 dpi): closes the rules window with a key, deals by the menu (F10, Return), checks
# that the faces are drawn for the scale and that the focus a screen reader follows moves with
# the arrow keys, removes two hinted pairs with real clicks on the cells the board's IAccessible
# reports, reshuffles with F2 and closes the box a second F2 opens, then quits with Esc and
# expects exit code 0.
# usage: windows_smoke.sh TILVARA_EXE A11Y_PROBE_EXE
set -uo pipefail
exe=$1
probe=$2
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=scripts/private-xvfb.sh
. "$here/../../scripts/private-xvfb.sh"
# shellcheck source=tests/win/wine_prefix.sh
. "$here/wine_prefix.sh"

game=
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    drop_wine_prefix
    stop_private_xvfb
}
trap cleanup EXIT
fail() {
    echo "windows_smoke: FAIL: $*" >&2
    exit 1
}

start_private_xvfb 2560x1600 || fail "no X server"
new_wine_prefix 192 || fail "no wine prefix"

# The board as a screen reader reads it: the focused cell, then "index left top width height
# state name" per cell.
cells=
focus=
read_board() {
    local lines
    lines=$("$TILVARA_WINE" "$probe") || fail "the board has no IAccessible"
    read -r _ _ focus _ <<<"$lines"
    cells=$(tail -n +2 <<<"$lines")
}
# Polls the board until the awk condition holds on one of its lines, within about 10 s.
wait_board() {
    for _ in $(seq 40); do
        read_board
        awk "$1 { found = 1 } END { exit !found }" <<<"$cells" && return 0
        sleep 0.25
    done
    fail "$2"
}
# The cells a hint marked: selected (STATE_SYSTEM_SELECTED, 0x2) and not empty.
marked() {
    local index x y w h state name
    while read -r index x y w h state name; do
        ((0x$state & 2)) && [[ "$name" != 空* ]] && echo "$index $((x + w / 2)) $((y + h / 2))"
    done <<<"$cells"
}

"$TILVARA_WINE" "$exe" &
game=$!
wait_window --name '游戏规则' >/dev/null || fail "no rules window"
xdotool key space
wait_window --name '^Tilvara$' >/dev/null || fail "no main window after a key on the rules window"
read_board
grep -qv ' 空 ' <<<"$cells" && fail "tiles show before the first deal"

xdotool key F10
sleep 0.3
xdotool key Return
wait_board '$7 != "空"' "the menu's 开始 dealt no tiles"
# Per-monitor awareness: at 192 dpi a face is twice its 39 x 49 design pixels.
read -r _ _ _ width height _ <<<"$cells"
[[ "$width x $height" == "78 x 98" ]] || fail "a face is $width x $height pixels at 200 %"
((focus == 1)) || fail "the focus is on cell $focus after the deal, not on the first"
xdotool key Right Right Down
for _ in $(seq 20); do
    read_board
    ((focus == 21)) && break
    sleep 0.2
done
((focus == 21)) || fail "Right Right Down took the focus to cell $focus, not 21"

for pair in 1 2; do
    xdotool key F1
    wait_board '$6 ~ /[2367abef]$/ && $7 != "空"' "F1 marked no pair ($pair)"
    mapfile -t hinted < <(marked)
    ((${#hinted[@]} == 2)) || fail "F1 marked ${#hinted[@]} cells, not a pair"
    for cell in "${hinted[@]}"; do
        read -r _ x y <<<"$cell"
        xdotool mousemove "$x" "$y" click 1
    done
    first=${hinted[0]%% *}
    second=${hinted[1]%% *}
    wait_board "(\$1 == $first || \$1 == $second) && \$7 == \"空\" { n++ } n == 2" \
        "clicking the hinted pair ($pair) removed it not"
done

xdotool key F2
sleep 0.5
xdotool key F2
box=$(wait_window --name '^提示$') || fail "a second F2 opened no box"
xdotool key Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^提示$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^提示$' >/dev/null 2>&1 && fail "Return left the box $box open"

xdotool key Escape
wait "$game"
code=$?
game=
((code == 0)) || fail "Esc ended the program with exit code $code"
echo "windows_smoke: ok"
