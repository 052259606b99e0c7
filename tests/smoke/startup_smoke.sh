#!/usr/bin/env bash
# Start-up of the real binary where it cannot or should not go ahead as asked: without a usable
# display or with an unknown platform it says why in one line and exits with status 1 (no
# abort); an unusable QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS (below 0.1 or above 8), or a
# pair that scales outside that range together, is ignored with one warning, and at the
# smallest, a large and the largest usable scale every window starts within the screen; without
# a Chinese font one line names the package to install and the game starts all the same. A normal game shrunk far below its minimum size writes nothing
# to stderr, and a normal quit ends with status 0 (and, in a sanitizer build, no leak).
set -euo pipefail
binary=${1:?usage: startup_smoke.sh path/to/tilvara}
for tool in Xvfb xdotool xdpyinfo xwininfo; do
    command -v "$tool" >/dev/null || {
        echo "startup_smoke: $tool is missing (packages xvfb, xdotool, x11-utils)"
        exit 1
    }
done
/usr/bin/python3 -c 'import Xlib' || { echo "startup_smoke: missing python3-xlib"; exit 1; }
work=$(mktemp -d)
# A private runtime directory, so Qt has no warning of its own to add to stderr.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR
failures=0

fail() {
    echo "startup_smoke: $*"
    failures=$((failures + 1))
}

# A display number nothing listens on.
free_display=987
while [ -e "/tmp/.X11-unix/X$free_display" ]; do free_display=$((free_display + 1)); done

# --- No usable display, unknown platform: status 1 and exactly one line on stderr.
expect_refusal() {
    local name=$1 status=0
    shift
    timeout 60 "$@" >/dev/null 2>"$work/err" || status=$?
    local lines
    lines=$(wc -l <"$work/err")
    [ "$status" = 1 ] || fail "$name: exit status $status, not 1"
    [ "$lines" = 1 ] || fail "$name: $lines lines on stderr, not 1: $(cat "$work/err")"
    grep -q '^tilvara: cannot open a window: ' "$work/err" ||
        fail "$name: unexpected message: $(cat "$work/err")"
    echo "startup_smoke: $name -> $(head -n 1 "$work/err")"
}
expect_refusal "no DISPLAY" env -u DISPLAY "$binary"
expect_refusal "DISPLAY=:$free_display" env DISPLAY=":$free_display" "$binary"
expect_refusal "-platform bogus" "$binary" -platform bogus

# --- A bad scale factor: one warning, and the rules window opens at the size it has at scale 1.
# shellcheck source=scripts/private-xvfb.sh
. "$(dirname "$0")/../../scripts/private-xvfb.sh"
pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; stop_private_xvfb' EXIT
start_private_xvfb || { echo "startup_smoke: could not start Xvfb"; exit 1; }
screen=$(xdpyinfo | awk '/dimensions:/ { print $2 }')

window_size() {
    xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'
}

stop_game() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

# Starts the game (the arguments are its command) with its stderr in $work/err, and waits for
# the rules window.
launch() {
    "$@" 2>"$work/err" &
    pid=$!
    splash=$(wait_window --pid "$pid") || splash=
}

# The game window, once a key has closed the rules window.
open_game() {
    [ -n "$splash" ] || return 1
    xdotool windowfocus --sync "$splash" key a 2>/dev/null || true
    wait_window --all --pid "$pid" --name '^Tilvara$'
}

# Prints the size of the first window, or with --game of the game window.
first_window_size() {
    local game=
    if [ "$1" = --game ]; then game=1 && shift; fi
    launch "$@"
    local window=$splash
    [ -z "$game" ] || window=$(open_game) || window=
    [ -z "$window" ] || window_size "$window"
    stop_game
}

# Exactly one line on stderr, and it starts with $1.
one_line() {
    [ "$(wc -l <"$work/err")" = 1 ] && head -n 1 "$work/err" | grep -q "^$1"
}

normal=$(first_window_size "$binary")
[ -n "$normal" ] || { fail "no window at scale 1"; exit 1; }
for variable in QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS; do
    for factor in 0 -2 nan inf 1e9 9 1e-9 0.09; do
        size=$(first_window_size env "$variable=$factor" "$binary")
        [ "$size" = "$normal" ] || fail "$variable=$factor: window ${size:-missing}, not $normal"
        one_line "tilvara: ignoring $variable=$factor: " ||
            fail "$variable=$factor: no single warning: $(cat "$work/err")"
    done
    # A usable factor still applies, and the game window starts within the screen even when
    # the largest one leaves less room than the board's usual minimum.
    size=$(first_window_size env "$variable=2" "$binary")
    [ "$size" != "$normal" ] || fail "$variable=2 was not applied"
    [ ! -s "$work/err" ] || fail "$variable=2: warned: $(cat "$work/err")"
    size=$(first_window_size --game env "$variable=8" "$binary")
    [ -n "$size" ] && [ "${size%x*}" -le "${screen%x*}" ] && [ "${size#*x}" -le "${screen#*x}" ] ||
        fail "$variable=8: game window ${size:-missing} on a $screen screen"
done

# The two multiply, and together they must stay in range too: the screens' factor goes.
size=$(first_window_size env QT_SCALE_FACTOR=4 QT_SCREEN_SCALE_FACTORS=4 "$binary")
one_line "tilvara: ignoring QT_SCREEN_SCALE_FACTORS=4: times QT_SCALE_FACTOR, a scale above 8" ||
    fail "4 times 4: no single warning: $(cat "$work/err")"
[ "$size" = "$(first_window_size env QT_SCALE_FACTOR=4 "$binary")" ] ||
    fail "4 times 4: window $size, not as at QT_SCALE_FACTOR=4"

# Below the floor together: the screens' factor goes.
size=$(first_window_size env QT_SCALE_FACTOR=0.5 QT_SCREEN_SCALE_FACTORS=0.1 "$binary")
one_line "tilvara: ignoring QT_SCREEN_SCALE_FACTORS=0.1: times QT_SCALE_FACTOR, a scale below 0.1" ||
    fail "0.5 times 0.1: no single warning: $(cat "$work/err")"

# --- At any accepted scale every window starts within the screen: the rules window, the game
# window, and the help and about windows its menu opens ("帮助" is the last menu: F10, then Left).
within_screen() {
    local window x y w h
    for window in "$@"; do
        read -r x y w h < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 }
            /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 }
            END { print x, y, w, h }')
        [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "${screen%x*}" ] &&
            [ $((y + h)) -le "${screen#*x}" ] || echo "$(xdotool getwindowname "$window") ${w}x${h}+$x+$y; "
    done
}
for scale in "QT_SCALE_FACTOR=3" "QT_SCALE_FACTOR=8" "QT_SCALE_FACTOR=2 QT_SCREEN_SCALE_FACTORS=4" \
    "QT_SCALE_FACTOR=0.1"; do
    # shellcheck disable=SC2086  # the scale is one or two assignments
    launch env $scale "$binary"
    outside=$(within_screen "$splash")
    game=$(open_game) || { fail "$scale: no game window"; stop_game; continue; }
    outside+=$(within_screen "$game")
    xdotool windowfocus --sync "$game" key F10 Left Return
    help=$(wait_window --all --pid "$pid" --name '^游戏规则') || fail "$scale: no help window"
    outside+=$(within_screen "$help")
    xdotool windowfocus --sync "$help" key Escape
    xdotool windowfocus --sync "$game" key F10 Left Up Return
    about=$(wait_window --all --pid "$pid" --name '^关于$') || fail "$scale: no about window"
    outside+=$(within_screen "$about")
    [ -z "$outside" ] || fail "$scale: windows reach past the $screen screen: $outside"
    [ ! -s "$work/err" ] || fail "$scale: warned: $(cat "$work/err")"
    stop_game
done

# --- Without a font that has Chinese characters: one line says which package to install, and
# the game starts all the same.
dejavu=$(find /usr/share/fonts -name DejaVuSans.ttf -printf '%h\n' -quit)
[ -n "$dejavu" ] || fail "no DejaVu fonts (package fonts-dejavu-core)"
cat >"$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig><dir>$dejavu</dir><cachedir>$work/fc-cache</cachedir></fontconfig>
CONF
size=$(first_window_size env FONTCONFIG_FILE="$work/fonts.conf" "$binary")
[ -n "$size" ] || fail "no window without a Chinese font"
one_line "tilvara: no installed font has Chinese characters.*fonts-noto-cjk" ||
    fail "without a Chinese font: not one line naming fonts-noto-cjk: $(cat "$work/err")"

# --- A normal game: shrunk far below its minimum, as a window manager that ignores it may do,
# the window paints what fits and says nothing; a normal quit (Esc) ends with status 0 and,
# in a sanitizer build, no leak. Each size waits until the game has drawn the whole window.
launch "$binary"
game=$(open_game) || fail "no game window"
if [ -n "$game" ]; then
    /usr/bin/python3 - "$game" 300x40 20x300 60x30 1x1 <<'PY' || fail "the game did not draw a shrunk window"
import sys, time
from Xlib import display
from Xlib.ext import damage
d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1]))
d.damage_query_version()
window.damage_create(damage.DamageReportRawRectangles)
for size in sys.argv[2:]:
    w, h = map(int, size.split("x"))
    d.sync()
    while d.pending_events():
        d.next_event()
    window.configure(width=w, height=h)
    d.sync()
    seen = [w, h, 0, 0]  # the bounds of what was drawn since
    end = time.time() + 30
    while seen != [0, 0, w, h]:
        if time.time() > end:
            sys.exit(1)
        while d.pending_events():
            e = d.next_event()
            if e.__class__.__name__ == "DamageNotify":
                a = e.area
                seen = [min(seen[0], a.x), min(seen[1], a.y),
                        max(seen[2], a.x + a.width), max(seen[3], a.y + a.height)]
        time.sleep(0.02)
PY
    xdotool windowsize "$game" 784 520 windowfocus --sync "$game" key Escape
fi
status=0
timeout 30 tail --pid="$pid" -f /dev/null || fail "the game did not quit on Esc"
wait "$pid" || status=$?
pid=
[ "$status" = 0 ] || fail "quitting ended with status $status: $(cat "$work/err")"
[ ! -s "$work/err" ] || fail "the game wrote to stderr: $(sort "$work/err" | uniq -c | sort -rn | head)"

rm -rf "$work"
[ "$failures" = 0 ] || exit 1
echo "startup_smoke: passed (window $normal at scale 1, ${size} without a Chinese font)"
