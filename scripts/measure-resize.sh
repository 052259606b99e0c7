#!/usr/bin/env bash
# Resizes, memory and start-up of the game beside its yardsticks, in one interleaved run on a
# private 3840x2160 Xvfb (medians of [runs], default 5, and of five start-ups a run):
# - beside bench/plain_board, a resizable window of the same size with the same menus, labels
#   and tile pictures, drawn scaled as any window would: CPU per step of a 30-step live resize
#   from 1x to 2x and from 2x to the whole screen, the time from each step to its repainted
#   frame and from the last step to the last frame (the game's pictures drawn afresh for the
#   settled size), and peak memory (VmHWM) after 20 removals at 1x, after 5 more at 2x, at the
#   whole screen, and after 20 removals under QT_SCALE_FACTOR=2; the same peaks beside that
#   window opened the way the game opens, when a window with the rules window's texts closes
#   (plain_board --rules), which tells what the game's own rules window costs; and the private
#   (anonymous) memory at the end, which leaves out the font files' pages the texts touched;
# - beside bench/bare_windows, the rules window's texts and a main window with the same menus,
#   opened the same way but bare: CPU from launch to the main window mapped (a key sent as the
#   rules window maps) and to its first whole frame, from the scheduler's nanosecond counts.
# Usage: scripts/measure-resize.sh [runs] [game]   (TILVARA_BUILD picks the build folder;
# TILVARA_RESULTS=FILE keeps every run's figures in FILE)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=${TILVARA_BUILD:-build/default}
game=${2:-$build/ui/tilvara}
plain=$build/bench/plain_board
bare=$build/bench/bare_windows
empty=$build/bench/empty_window
for tool in Xvfb xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh --test)"; exit 1; }
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "missing python3-xlib"; exit 1; }
if [ ! -x "$game" ] || [ ! -x "$plain" ] || [ ! -x "$bare" ] || [ ! -x "$empty" ]; then
    cmake --build "$build" --target tilvara plain_board bare_windows empty_window
fi
# shellcheck source=scripts/private-xvfb.sh
. scripts/private-xvfb.sh
# shellcheck source=scripts/median.sh
. scripts/median.sh
results=${TILVARA_RESULTS:-$(mktemp)}
: >"$results"
trap 'stop_private_xvfb; [ -n "${TILVARA_RESULTS:-}" ] || rm -f "$results"' EXIT
start_private_xvfb 3840x2160 || { echo "could not start Xvfb"; exit 1; }

drive() { /usr/bin/python3 scripts/drive_window.py "$@" || true; }
for run in $(seq "$runs"); do
    {
        # A start-up is short and the machine's load moves its CPU time: five of each a run,
        # in turns that change who goes first.
        for turn in 1 2 3 4 5; do
            if [ $(((run + turn) % 2)) = 0 ]; then
                echo "bare $(drive "$bare" --rules)"
                echo "game_start $(drive "$game" --rules)"
            else
                echo "game_start $(drive "$game" --rules)"
                echo "bare $(drive "$bare" --rules)"
            fi
        done
        echo "empty $(drive "$empty")"
        echo "plain $(drive "$plain" --removals 20 --resize)"
        echo "game $(drive "$game" --rules --deal --removals 20 --resize)"
        echo "plain_sf2 $(QT_SCALE_FACTOR=2 drive "$plain" --k 2 --removals 20)"
        echo "game_sf2 $(QT_SCALE_FACTOR=2 drive "$game" --rules --deal --k 2 --removals 20)"
        echo "rules $(drive "$plain" --arg=--rules --rules --removals 20 --resize)"
        echo "rules_sf2 $(QT_SCALE_FACTOR=2 drive "$plain" --arg=--rules --rules --k 2 --removals 20)"
    } >>"$results"
    echo "run $run of $runs done" >&2
done

# row WHAT GAME YARDSTICK KEY [UNIT SCALE]: the game's median beside the yardstick's.
row() {
    local what=$1 g s
    g=$(median "$2" "$4"); s=$(median "$3" "$4")
    awk -v w="$what" -v g="$g" -v s="$s" -v u="${5:-ms}" -v k="${6:-1}" 'BEGIN {
        printf "%-46s game %8.2f %s | yardstick %8.2f %s | %.2fx\n", w, g / k, u, s / k, u, g / s }'
}

echo "medians of $runs interleaved runs on $DISPLAY (3840x2160):"
echo "live resize beside bench/plain_board, 30 steps each:"
row "CPU per step, 1x to 2x" game plain cpu_ms_per_step_2x
row "CPU per step, 2x to the whole screen" game plain cpu_ms_per_step_max
row "resize to its frame, 1x to 2x (mean)" game plain frame_ms_2x
row "resize to its frame, 1x to 2x (worst)" game plain worst_frame_ms_2x
row "resize to its frame, 2x to screen (mean)" game plain frame_ms_max
row "resize to its frame, 2x to screen (worst)" game plain worst_frame_ms_max
row "last resize to last frame, 1x to 2x" game plain settled_ms_2x
row "last resize to last frame, 2x to screen" game plain settled_ms_max
echo "peak memory beside bench/plain_board:"
row "peak RSS after 20 removals at 1x" game plain hwm_kb MB 1024
row "peak RSS after 5 more at 2x" game plain hwm_2x_kb MB 1024
row "peak RSS at the whole screen" game plain hwm_max_kb MB 1024
row "peak RSS, QT_SCALE_FACTOR=2, 20 removals" game_sf2 plain_sf2 hwm_kb MB 1024
echo "peak memory beside bench/plain_board --rules (opened after the rules window's texts):"
row "peak RSS after 20 removals at 1x" game rules hwm_kb MB 1024
row "peak RSS after 5 more at 2x" game rules hwm_2x_kb MB 1024
row "peak RSS at the whole screen" game rules hwm_max_kb MB 1024
row "peak RSS, QT_SCALE_FACTOR=2, 20 removals" game_sf2 rules_sf2 hwm_kb MB 1024
echo "private (anonymous) memory at the end, beside bench/plain_board (font files left out):"
row "RssAnon after 20 removals at 1x" game plain anon_kb MB 1024
row "RssAnon at the whole screen" game plain anon_max_kb MB 1024
row "RssAnon, QT_SCALE_FACTOR=2, 20 removals" game_sf2 plain_sf2 anon_kb MB 1024
echo "start-up CPU beside bench/bare_windows:"
row "launch to the main window mapped" game_start bare map_cpu_ms
row "launch to its first whole frame" game_start bare frame_cpu_ms
row "(for scale: an empty window, one of them)" game_start empty map_cpu_ms
# A run that failed half-way leaves its figures out; say so rather than hide it.
for last in bare:hwm_kb game_start:hwm_kb empty:hwm_kb plain:hwm_max_kb game:hwm_max_kb \
    plain_sf2:hwm_kb game_sf2:hwm_kb rules:hwm_max_kb rules_sf2:hwm_kb; do
    printf '%s: %s runs complete\n' "${last%%:*}" "$(grep -c "^${last%%:*} .*${last#*:}=" "$results")"
done
