#!/usr/bin/env bash
# Start-up time and peak memory of the game beside an empty Qt window and beside a window of
# the same widgets without the game (bench/same_widgets), in one interleaved run under a
# private Xvfb: launch to the rules window, launch to the main window after a key sent as soon
# as the rules window maps, and peak RSS (VmHWM) after "开始" and 20 removed pairs (the empty
# window: once it shows). Medians of [runs] (default 7).
# Usage: scripts/measure-startup.sh [runs] [game]   (TILVARA_BUILD picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
build=${TILVARA_BUILD:-build/default}
game=${2:-$build/ui/tilvara}
empty=$build/bench/empty_window
same=$build/bench/same_widgets
for tool in Xvfb xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh --test)"; exit 1; }
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "missing python3-xlib"; exit 1; }
if [ ! -x "$game" ] || [ ! -x "$empty" ] || [ ! -x "$same" ]; then
    cmake --build "$build" --target tilvara empty_window same_widgets
fi
# shellcheck source=scripts/private-xvfb.sh
. scripts/private-xvfb.sh
# shellcheck source=scripts/median.sh
. scripts/median.sh
results=$(mktemp)
trap 'stop_private_xvfb; rm -f "$results"' EXIT
start_private_xvfb || { echo "could not start Xvfb"; exit 1; }

for run in $(seq "$runs"); do
    line=$(/usr/bin/python3 scripts/drive_game.py "$empty" --single-window)
    {
        echo "empty $line $(echo "$line" | sed -n 's/^first_ms=\([0-9.]*\).*/main_ms=\1/p')"
        echo "same $(/usr/bin/python3 scripts/drive_game.py "$same" --removals 20)"
        echo "game $(/usr/bin/python3 scripts/drive_game.py "$game" --removals 20)"
    } >>"$results"
    echo "run $run of $runs done" >&2
done

row() {
    local what=$1 key=$2 unit=$3 scale=$4 e s g
    e=$(median empty "$key"); s=$(median same "$key"); g=$(median game "$key")
    awk -v w="$what" -v e="$e" -v s="$s" -v g="$g" -v u="$unit" -v k="$scale" 'BEGIN {
        printf "%-34s game %7.1f %s | same widgets %7.1f (game %.2fx) | empty %7.1f (game %.2fx)\n",
            w, g / k, u, s / k, g / s, e / k, g / e }'
}

echo "medians of $runs interleaved runs on $DISPLAY:"
row "launch to rules window" first_ms ms 1
row "launch to main window (key)" main_ms ms 1
row "peak RSS after 开始 + 20 removals" hwm_kb MB 1024
echo "(the empty window has one window: its launch figure stands in both time rows, its memory is"
echo " taken once it shows)"
# A run that failed half-way leaves its figures out; say so rather than hide it.
for who in empty same game; do
    printf '%s: %s of %s runs complete\n' "$who" "$(grep -c "^$who .*hwm_kb=" "$results")" "$runs"
done
