#!/usr/bin/env bash
# Start-up time (launch to the first window mapped on the X server) and peak memory of
# the game, against an empty Qt window built beside it, under a private Xvfb.
# Usage: scripts/measure-startup.sh [runs]   (TILVARA_BUILD picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
build=${TILVARA_BUILD:-build/default}
game=$build/ui/tilvara
empty=$build/bench/empty_window
for tool in Xvfb xev xdotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh --test)"; exit 1; }
done
[ -x "$game" ] && [ -x "$empty" ] || cmake --build "$build" --target tilvara empty_window

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# One run: milliseconds from exec to the first MapNotify of a top-level window, then the
# peak resident set (VmHWM) once the program has settled, with a key sent to close the
# rules window so the game's main window is counted too.
measure() {
    local program=$1 events
    events=$(mktemp)
    xev -root -event substructure | while IFS= read -r line; do
        case $line in MapNotify*) echo "$EPOCHREALTIME" >>"$events" ;; esac
    done &
    local watcher=$!
    sleep 0.3
    local start=$EPOCHREALTIME
    "$program" >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 200); do [ -s "$events" ] && break; sleep 0.01; done
    local mapped
    mapped=$(head -n 1 "$events")
    sleep 0.5
    xdotool key --clearmodifiers a 2>/dev/null || true
    sleep 1
    local hwm
    hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    pkill -P "$watcher" xev 2>/dev/null || true; kill "$watcher" 2>/dev/null || true
    rm -f "$events"
    awk -v a="$start" -v b="$mapped" -v m="$hwm" 'BEGIN { printf "%.1f %.1f\n", (b - a) * 1000, m / 1024 }'
}

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

report() {
    local name=$1 program=$2 times=() mems=()
    for _ in $(seq "$runs"); do
        read -r t m < <(measure "$program")
        times+=("$t"); mems+=("$m")
    done
    printf '%-14s launch to first window: median %6.1f ms (runs: %s)\n' "$name" \
        "$(printf '%s\n' "${times[@]}" | median)" "${times[*]}"
    printf '%-14s peak RSS:               median %6.1f MB\n' "$name" \
        "$(printf '%s\n' "${mems[@]}" | median)"
}

report "empty window" "$empty"
report "Tilvara" "$game"
