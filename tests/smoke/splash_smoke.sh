#!/usr/bin/env bash
# The rules window on the real binary in a real X server: it is the first window, paints
# its rules in their colours, closes on a key and opens exactly one game window; started
# again and left alone, it closes itself after ten seconds and opens the game window.
# Screenshots land in $SMOKE_OUT (default: a temporary folder).
set -euo pipefail
binary=${1:?usage: splash_smoke.sh path/to/tilvara}
for tool in Xvfb xdotool xdpyinfo xwininfo xprop import convert; do
    command -v "$tool" >/dev/null || {
        echo "splash_smoke: $tool is missing (packages xvfb, xdotool, x11-utils, imagemagick)"
        exit 1
    }
done
export LC_ALL=C.UTF-8  # window titles are Chinese; xprop prints them in the locale's encoding
out=${SMOKE_OUT:-$(mktemp -d)}
splash_title="游戏规则 - Tilvara"

# shellcheck source=scripts/private-xvfb.sh
. "$(dirname "$0")/../../scripts/private-xvfb.sh"
pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; stop_private_xvfb' EXIT
start_private_xvfb || { echo "splash_smoke: could not start Xvfb"; exit 1; }

fail() {
    echo "splash_smoke: $*"
    import -window root "$out/failure.png" 2>/dev/null || true
    exit 1
}

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
title() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^[^"]*"\(.*\)"$/\1/p'; }

# Starts the game and waits for its first window, which must be the rules window.
launch() {
    LANG=C.UTF-8 "$binary" &
    pid=$!
    splash=$(wait_window --pid "$pid") || fail "no window within 30 s"
    [ "$(title "$splash")" = "$splash_title" ] ||
        fail "the first window is '$(title "$splash")', not the rules window"
    ! xdotool search --onlyvisible --name '^Tilvara$' >/dev/null ||
        fail "the game window is up before the rules window closed"
}

stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

# --- A key closes the rules window and opens the game window once.
launch
# Label1 and Label2 in dark blue, Label3 in red: the rules are on screen in their colours.
# A loaded machine may take a moment to paint, so look again for a few seconds.
for _ in $(seq 10); do
    sleep 0.5
    import -window root "$out/splash.png"
    colours=$(convert "$out/splash.png" -format %c histogram:info:-)
    missing=
    for colour in '#0000C0' '#FF0000' '#0000FF'; do
        grep -q "$colour" <<<"$colours" || missing=$colour
    done
    [ -z "$missing" ] && break
done
[ -z "$missing" ] || fail "no $missing text on the rules window"

# Focused, so xdotool types through XTEST: press and release both reach the server, and no
# key stays down to repeat into the game window.
xdotool windowfocus --sync "$splash"
xdotool key a
wait_window --name '^Tilvara$' >/dev/null || fail "no game window after a key on the rules window"
sleep 0.5
! viewable "$splash" || fail "the rules window is still up after a key"
[ "$(xdotool search --onlyvisible --name '^Tilvara$' | wc -l)" = 1 ] ||
    fail "more than one game window"
import -window root "$out/after-key.png"
stop

# --- Left alone, the rules window closes itself after ten seconds.
launch
start=$(date +%s.%N)
sleep 8
viewable "$splash" || fail "the rules window closed before ten seconds"
wait_window --name '^Tilvara$' >/dev/null || fail "no game window after waiting"
elapsed=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
awk -v t="$elapsed" 'BEGIN { exit !(t < 14) }' || fail "the rules window took ${elapsed} s to close"
sleep 0.3
! viewable "$splash" || fail "the rules window is still up after ten seconds"
stop
echo "splash_smoke: passed (closed itself after ${elapsed} s; screenshots in $out)"
