#!/usr/bin/env bash
# The X server helper of every smoke test and measuring script never hands out a display that
# another server holds, not even one taken between its look at the display and its own
# server's start: here a rival server takes the first free display at that very moment.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "private_xvfb_smoke: missing Xvfb"; exit 1; }
# shellcheck source=scripts/private-xvfb.sh
. "$(dirname "$0")/../../scripts/private-xvfb.sh"
work=$(mktemp -d)
trap 'stop_private_xvfb; [ ! -s "$work/rival" ] || kill "$(cat "$work/rival")"; rm -rf "$work"' EXIT

# The helper's first start finds its display taken by the rival and fails, as a real server
# does; later starts are real.
Xvfb() {
    if [ -e "$work/rival" ]; then exec Xvfb "$@"; fi
    : >"$work/rival"
    command Xvfb "$@" >/dev/null 2>&1 &
    echo $! >"$work/rival"
    echo "$1" >"$work/rival-display"
    for _ in $(seq 100); do
        [ -e "/tmp/.X${1#:}-lock" ] && DISPLAY=$1 xdpyinfo >/dev/null 2>&1 && exit 1
        sleep 0.1
    done
    exit 1
}

start_private_xvfb || { echo "private_xvfb_smoke: no display"; exit 1; }
rival=$(cat "$work/rival-display")
if [ "$DISPLAY" = "$rival" ]; then
    echo "private_xvfb_smoke: DISPLAY is $DISPLAY, the rival's server"
    exit 1
fi
[ "$(tr -d ' ' <"/tmp/.X${DISPLAY#:}-lock")" = "$private_xvfb" ] ||
    { echo "private_xvfb_smoke: $DISPLAY's lock does not name our server"; exit 1; }
echo "private_xvfb_smoke: passed (rival on $rival, ours on $DISPLAY)"
