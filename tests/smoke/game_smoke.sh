#!/usr/bin/env bash
# Plays the first move of a game on the real binary in a real X server: the rules window
# closes on a key, "开始" deals, F1 marks a linkable pair, two clicks remove it and the
# caption drops to 142. Screenshots land in $SMOKE_OUT (default: a temporary folder).
set -euo pipefail
binary=${1:?usage: game_smoke.sh path/to/tilvara}
for tool in Xvfb xdotool import xdpyinfo python3; do
    command -v "$tool" >/dev/null || { echo "game_smoke: missing $tool"; exit 1; }
done
out=${SMOKE_OUT:-$(mktemp -d)}
mkdir -p "$out"
# shellcheck source=scripts/private-xvfb.sh
. "$(dirname "$0")/../../scripts/private-xvfb.sh"
pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; stop_private_xvfb' EXIT
start_private_xvfb || { echo "game_smoke: could not start Xvfb"; exit 1; }

fail() { echo "game_smoke: $*"; import -window root "$out/failure.png" 2>/dev/null || true; exit 1; }

LANG=C.UTF-8 "$binary" &
pid=$!
# The rules window comes first: a titled top-level window of the process.
splash=$(wait_window --all --pid "$pid" --name Tilvara) || fail "no rules window"
xdotool windowfocus --sync "$splash" 2>/dev/null || true
xdotool key a
main=$(wait_window --name '^Tilvara$') || fail "no main window after a key on the rules window"
sleep 0.5
xdotool windowfocus --sync "$main" 2>/dev/null || true

# "游戏" is the first menu of the menu bar; "开始" its first item.
eval "$(xdotool getwindowgeometry --shell "$main")"
popup=
for attempt in $(seq 100); do
    # A click that lands before the window takes input is lost: click again now and then.
    [ $((attempt % 25)) = 1 ] && xdotool mousemove "$((X + 20))" "$((Y + 10))" click 1
    popup=$(xdotool search --onlyvisible --pid "$pid" | grep -v -x -e "$main" -e "$splash" | head -n 1 || true)
    [ -n "$popup" ] && break
    sleep 0.1
done
[ -n "$popup" ] || fail "the game menu did not open"
eval "$(xdotool getwindowgeometry --shell "$popup")"
xdotool mousemove "$((X + 30))" "$((Y + 14))" click 1
sleep 0.5
import -window "$main" "$out/dealt.png"

# The keyboard's blue focus frame: none for a player who deals by mouse, there from the first
# arrow key, gone again at the next click on the board.
blue_pixels() {
    convert "$1" -fill black +opaque 'rgb(0,150,255)' -fill white -opaque 'rgb(0,150,255)' \
        -format '%[fx:round(mean*w*h)]' info:
}
[ "$(blue_pixels "$out/dealt.png")" = 0 ] || fail "a focus frame shows before any key was used"
xdotool key Right
framed=0
for _ in $(seq 20); do
    import -window "$main" "$out/arrow.png"
    framed=$(blue_pixels "$out/arrow.png")
    [ "$framed" -gt 100 ] && break
    sleep 0.2
done
[ "$framed" -gt 100 ] || fail "an arrow key showed no focus frame"

# F1 marks the first linkable pair with red frames; find the two framed tiles.
marked_tiles() {
    python3 - "$1" <<'PY'
import subprocess, sys
ppm = subprocess.run(["convert", sys.argv[1], "ppm:-"], capture_output=True, check=True).stdout
parts = ppm.split(maxsplit=4)
w, h, data = int(parts[1]), int(parts[2]), parts[4]
red = lambda x, y: data[3 * (y * w + x): 3 * (y * w + x) + 3] == b"\xff\x00\x00"
# A highlighted tile is a 39 x 49 frame of pure red: look for its top-left corners.
found = []
for y in range(h - 49):
    for x in range(w - 39):
        if red(x, y) and red(x + 38, y) and red(x, y + 48) and red(x + 38, y + 48) \
                and red(x + 19, y) and red(x, y + 24) and not red(x + 19, y + 24):
            # Vertically neighbouring tiles overlap by a row, so two marked neighbours
            # also show a framed box shifted by one pixel: count each tile once.
            if all(abs(x + 19 - fx) > 19 or abs(y + 24 - fy) > 24 for fx, fy in found):
                found.append((x + 19, y + 24))
print(" ".join(f"{x},{y}" for x, y in found[:2]), len(found))
PY
}
# A loaded machine may still be dealing when the first F1 arrives (the hint is off until the
# deal is done), so look a few times and ask again once.
centres=()
for attempt in $(seq 12); do
    if [ "$attempt" = 1 ] || [ "$attempt" = 6 ]; then
        xdotool windowfocus --sync "$main" 2>/dev/null || true
        xdotool key F1
    fi
    sleep 0.5
    import -window "$main" "$out/hint.png"
    read -r -a centres < <(marked_tiles "$out/hint.png") || true
    [ "${centres[2]:-0}" = 2 ] && break
done
[ "${centres[2]:-0}" = 2 ] || fail "expected two hinted tiles, found ${centres[2]:-none}"
eval "$(xdotool getwindowgeometry --shell "$main")"
for c in "${centres[0]}" "${centres[1]}"; do
    xdotool mousemove "$((X + ${c%,*}))" "$((Y + ${c#*,}))" click 1
    sleep 0.3
done
for _ in $(seq 100); do [ "$(xdotool getwindowname "$main")" = 142 ] && break; sleep 0.1; done
[ "$(xdotool getwindowname "$main")" = 142 ] || fail "caption is '$(xdotool getwindowname "$main")', not 142"
import -window "$main" "$out/removed.png"
[ "$(blue_pixels "$out/removed.png")" = 0 ] || fail "the focus frame stayed after mouse clicks"
colours=$(identify -format %k "$out/removed.png")
[ "$colours" -gt 200 ] || fail "the window looks blank ($colours colours)"

# 开始 chosen by the keyboard while the next pair's path shows, F1 straight after it, all in
# one burst from the X server: the fresh deal takes the F1 (two tiles hinted) at once, which it
# can only once the old removal, path and all, has ended. (On a machine too slow to land the burst inside the path's
# hold the deal comes after the removal, and this passes without proving the point.)
centres=()
for attempt in $(seq 12); do
    if [ "$attempt" = 1 ] || [ "$attempt" = 6 ]; then xdotool key F1; fi
    sleep 0.5
    import -window "$main" "$out/hint2.png"
    read -r -a centres < <(marked_tiles "$out/hint2.png") || true
    [ "${centres[2]:-0}" = 2 ] && break
done
[ "${centres[2]:-0}" = 2 ] || fail "expected two hinted tiles for the second pair"
xdotool mousemove "$((X + ${centres[0]%,*}))" "$((Y + ${centres[0]#*,}))" click 1
sleep 0.3
xdotool mousemove "$((X + ${centres[1]%,*}))" "$((Y + ${centres[1]#*,}))" click 1 key --delay 0 F10 Return F1
centres=()
for _ in $(seq 10); do
    sleep 0.3
    import -window "$main" "$out/dealt-during-hold.png"
    read -r -a centres < <(marked_tiles "$out/dealt-during-hold.png") || true
    [ "${centres[2]:-0}" = 2 ] && break
done
if [ "${centres[2]:-0}" != 2 ]; then
    # The removal that 开始 interrupted took no tiles (the caption still says 142), yet the
    # F1 after it was dropped: the fault. Any other caption means the burst never dealt
    # inside the hold (a machine too busy to open the menu in time): nothing to judge.
    [ "$(xdotool getwindowname "$main")" != 142 ] ||
        fail "the fresh deal dropped the F1 pressed during the old path's hold"
    echo "game_smoke: 开始 did not land inside the path's hold; that check is left out this time"
fi
echo "game_smoke: passed ($colours colours; screenshots in $out)"
