#!/usr/bin/env bash
# CPU per removal during the path hold and the repaints the X server sees, over removals of
# linkable pairs in a level started with "开始", under a private Xvfb.
# Usage: scripts/measure-hold.sh [removals] [binary]   (default 30, build/default/ui/tilvara)
# Figures: cpu_ms_per_removal is utime+stime from /proc/PID/stat (10 ms ticks) from the second
# click until the pair is gone plus 30 ms, less the idle rate over the same time, averaged over
# the removals without a reward message; *_schedstat is the same from the nanosecond counts.
# repaints_per_removal groups the DAMAGE rectangles into repaints; max_repaints_in_16ms is the
# most seen in any 16 ms.
set -euo pipefail
cd "$(dirname "$0")/.."
removals=${1:-30}
game=${2:-build/default/ui/tilvara}
for tool in Xvfb xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh --test)"; exit 1; }
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "missing python3-xlib"; exit 1; }
[ -x "$game" ] || cmake --build build/default --target tilvara
# shellcheck source=scripts/private-xvfb.sh
. scripts/private-xvfb.sh
trap stop_private_xvfb EXIT
start_private_xvfb || { echo "could not start Xvfb"; exit 1; }
/usr/bin/python3 scripts/drive_game.py "$game" --removals "$removals" --hold | tr ' ' '\n'
