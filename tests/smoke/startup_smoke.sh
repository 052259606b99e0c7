#!/usr/bin/env bash
# Start-up of the real binary where it cannot or should not go ahead as asked: without a usable
# display or with an unknown platform it says why in one line and exits with status 1 (no
# abort); an unusable QT_SCALE_FACTOR is ignored with one warning and the game opens at scale 1;
# a normal quit ends with status 0 (and, in a sanitizer build, no leak).
set -euo pipefail
binary=${1:?usage: startup_smoke.sh path/to/tilvara}
for tool in Xvfb xdotool xdpyinfo xwininfo; do
    command -v "$tool" >/dev/null || {
        echo "startup_smoke: $tool is missing (packages xvfb, xdotool, x11-utils)"
        exit 1
    }
done
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
# shellcheck source=tests/smoke/xvfb.sh
. "$(dirname "$0")/xvfb.sh"
start_xvfb || { echo "startup_smoke: could not start Xvfb"; exit 1; }

# Prints the first window's size, and leaves the game's stderr in $work/err.
first_window_size() {
    "$@" 2>"$work/err" &
    pid=$!
    local window
    window=$(wait_window --pid "$pid") || true
    [ -n "$window" ] && xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 }
        END { print w "x" h }'
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

normal=$(first_window_size "$binary")
[ -n "$normal" ] || { fail "no window at scale 1"; exit 1; }
for factor in 0 -2 nan 9; do
    size=$(first_window_size env QT_SCALE_FACTOR="$factor" "$binary")
    [ "$size" = "$normal" ] || fail "QT_SCALE_FACTOR=$factor: window ${size:-missing}, not $normal"
    if [ "$(grep -c QT_SCALE_FACTOR "$work/err")" != 1 ] ||
        ! head -n 1 "$work/err" | grep -q "^tilvara: ignoring QT_SCALE_FACTOR=$factor: "; then
        fail "QT_SCALE_FACTOR=$factor: no single warning: $(cat "$work/err")"
    fi
done
# A usable factor still applies.
size=$(first_window_size env QT_SCALE_FACTOR=2 "$binary")
[ "$size" != "$normal" ] || fail "QT_SCALE_FACTOR=2 was not applied"
! grep -q QT_SCALE_FACTOR "$work/err" || fail "QT_SCALE_FACTOR=2: warned: $(cat "$work/err")"

# --- A normal quit (a key on the rules window, Esc on the game window) ends with status 0; in a
# sanitizer build this is where leak detection runs.
"$binary" 2>"$work/err" &
pid=$!
splash=$(wait_window --pid "$pid")
xdotool windowfocus --sync "$splash" key a
game=$(wait_window --name '^Tilvara$')
xdotool windowfocus --sync "$game" key Escape
status=0
timeout 30 tail --pid="$pid" -f /dev/null || fail "the game did not quit on Esc"
wait "$pid" || status=$?
pid=
[ "$status" = 0 ] || fail "quitting ended with status $status: $(cat "$work/err")"

rm -rf "$work"
[ "$failures" = 0 ] || exit 1
echo "startup_smoke: passed (window $normal at scale 1, ${size} at scale 2)"
