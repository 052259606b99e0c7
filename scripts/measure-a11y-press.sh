#!/usr/bin/env bash
# How long an accessibility "press" on a cell keeps the screen reader waiting: plays level 1
# through the at-spi bus alone (cells pressed by their action, boxes closed by their button),
# timing every press, under a private Xvfb and D-Bus session. Reports the presses that
# completed a pair, and among them those after which a box opened.
# Usage: scripts/measure-a11y-press.sh [pairs] [binary]   (default 72: the whole level)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${MEASURE_A11Y_SESSION:-}" ]; then
    MEASURE_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
pairs=${1:-72}
game=${2:-build/default/ui/tilvara}
for tool in Xvfb xdpyinfo xdotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh --test)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "missing python3-pyatspi"; exit 1; }
[ -x "$game" ] || cmake --build build/default --target tilvara
# shellcheck source=scripts/private-xvfb.sh
. scripts/private-xvfb.sh
pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; stop_private_xvfb' EXIT
start_private_xvfb || { echo "could not start Xvfb"; exit 1; }

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8 "$game" &
pid=$!
for _ in $(seq 200); do
    xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool key a  # any key closes the rules window; the main window opens

/usr/bin/python3 - "$pid" "$pairs" <<'PY'
import statistics, sys, time
import pyatspi
sys.path.insert(0, "scripts")
from drive_game import ROWS, COLS, linkable

pid, wanted = int(sys.argv[1]), int(sys.argv[2])

def poll(test, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        value = test()
        if value:
            return value
        time.sleep(0.05)
    sys.exit("measure-a11y-press: gave up waiting")

def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.get_process_id() == pid:
            return a

def find(root, pred):
    return pyatspi.findDescendant(root, pred, breadth_first=True)

application = poll(app)
frame = poll(lambda: find(application, lambda x: x.getRole() == pyatspi.ROLE_FRAME
                          and x.name == "Tilvara"))
board = poll(lambda: find(frame, lambda x: x.name == "棋盘"))
find(frame, lambda x: x.getRole() == pyatspi.ROLE_MENU_ITEM and x.name == "开始") \
    .queryAction().doAction(0)
cells = [board.getChildAtIndex(i) for i in range(144)]
poll(lambda: not cells[0].name.startswith("空"))

def faces():
    out = {}
    for i, cell in enumerate(cells):
        name = cell.name.split()[0]
        out[(i // COLS + 1, i % COLS + 1)] = None if name == "空" else name
    return out

def close_boxes():
    """Presses 确定 on every open box; the number closed."""
    closed = 0
    while True:
        boxes = [w for w in application if w is not None and w.name == "提示"
                 and w.getState().contains(pyatspi.STATE_SHOWING)]
        if not boxes:
            return closed
        ok = find(boxes[0], lambda x: x.getRole() == pyatspi.ROLE_PUSH_BUTTON)
        ok.queryAction().doAction(0)
        closed += 1
        poll(lambda: not boxes[0].getState().contains(pyatspi.STATE_SHOWING), 5)

first_presses, pair_presses, boxed = [], [], []
removed = 0
while removed < wanted:
    close_boxes()
    board_now = faces()
    if all(f is None for f in board_now.values()):
        break
    pair = linkable(board_now)
    if pair is None:
        time.sleep(0.2)  # a dead board is reshuffled a tick later
        continue
    a, b = (cells[(r - 1) * COLS + c - 1] for r, c in pair)
    t0 = time.perf_counter()
    a.queryAction().doAction(0)
    first_presses.append(time.perf_counter() - t0)
    poll(lambda: a.getState().contains(pyatspi.STATE_SELECTED), 5)
    t0 = time.perf_counter()
    b.queryAction().doAction(0)
    pair_presses.append(time.perf_counter() - t0)
    # The pair goes after its path's hold; a box may open then.
    poll(lambda: a.name.startswith("空") or not a.getState().contains(pyatspi.STATE_VISIBLE)
         or any(w is not None and w.name == "提示" for w in application), 5)
    time.sleep(0.2)
    if close_boxes():
        boxed.append(pair_presses[-1])
    removed += 1

def ms(values):
    return f"median {statistics.median(values) * 1000:.1f} ms, max {max(values) * 1000:.1f} ms" \
        if values else "none"
print(f"pairs removed by presses: {removed}")
print(f"first presses (select): {len(first_presses)}, {ms(first_presses)}")
print(f"presses completing a pair: {len(pair_presses)}, {ms(pair_presses)}")
print(f"  of which a box followed: {len(boxed)}, {ms(boxed)}")
PY
