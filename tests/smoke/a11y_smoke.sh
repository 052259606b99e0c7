#!/usr/bin/env bash
# Reads the game through the accessibility bus (at-spi), as a screen reader does: the board
# lists its 144 cells, the status lines and the clock, a cell can be selected through its
# action, and the clock's seconds reach listeners. Runs its own D-Bus session and Xvfb.
set -euo pipefail
binary=${1:?usage: a11y_smoke.sh path/to/tilvara}
if [ -z "${A11Y_SMOKE_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "a11y_smoke: missing dbus-run-session"; exit 1; }
    A11Y_SMOKE_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
for tool in Xvfb xdotool xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "a11y_smoke: missing $tool"; exit 1; }
done
# Debian's python3 has the bindings; another python3 first on PATH may not.
/usr/bin/python3 -c 'import pyatspi' || { echo "a11y_smoke: missing python3-pyatspi"; exit 1; }
# shellcheck source=tests/smoke/xvfb.sh
. "$(dirname "$0")/xvfb.sh"
start_xvfb || { echo "a11y_smoke: could not start Xvfb"; exit 1; }

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8 "$binary" &
pid=$!
# The rules window comes first; a key closes it and the main window opens.
splash=$(wait_window --all --pid "$pid" --name Tilvara) || { echo "a11y_smoke: no rules window"; exit 1; }
xdotool windowfocus --sync "$splash" 2>/dev/null || true
xdotool key a
wait_window --name '^Tilvara$' >/dev/null || { echo "a11y_smoke: no main window"; exit 1; }

/usr/bin/python3 - "$pid" <<'PY'
import re, sys, time
import pyatspi

def fail(text):
    print("a11y_smoke:", text)
    sys.exit(1)

def poll(what, test, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        value = test()
        if value:
            return value
        time.sleep(0.2)
    fail(what)

def find(root, pred):
    return pyatspi.findDescendant(root, pred, breadth_first=True)

def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.get_process_id() == int(sys.argv[1]):
            return a

application = poll("the game is not on the accessibility bus", app)
frame = poll("no main window on the bus", lambda: find(
    application, lambda x: x.getRole() == pyatspi.ROLE_FRAME and x.name == "Tilvara"))
board = poll("no board", lambda: find(frame, lambda x: x.name == "棋盘"))
if board.childCount != 149:
    fail(f"the board has {board.childCount} children, not 149")
cells = [board.getChildAtIndex(i) for i in range(144)]
if cells[0].name != "空 第1行第1列" or cells[0].getState().contains(pyatspi.STATE_VISIBLE):
    fail(f"before a deal: {cells[0].name!r}")
if any(c.getRole() != pyatspi.ROLE_TABLE_CELL for c in cells):
    fail("a cell without the table cell role")

# "开始" in the "游戏" menu deals.
start = find(frame, lambda x: x.getRole() == pyatspi.ROLE_MENU_ITEM and x.name == "开始")
if start is None:
    fail("no menu item 开始")
start.queryAction().doAction(0)
poll("no tile after a deal", lambda: board.getChildAtIndex(0).name != "空 第1行第1列")
names = [board.getChildAtIndex(i).name for i in range(144)]
pattern = re.compile(r"^\S+ 第(\d)行第(\d+)列$")
for i, name in enumerate(names):
    m = pattern.match(name)
    if not m or (int(m.group(1)), int(m.group(2))) != (i // 18 + 1, i % 18 + 1):
        fail(f"cell {i} is named {name!r}")
kinds = {}
for name in names:
    kinds[name.split()[0]] = kinds.get(name.split()[0], 0) + 1
if len(kinds) != 36 or set(kinds.values()) != {4}:
    fail(f"not 36 pictures four times each: {kinds}")
labels = [board.getChildAtIndex(144 + i).name for i in range(4)]
if labels[1] != "5次提示,F1键" or labels[0] != "1次重排,F2键":
    fail(f"status lines {labels}")
clock = board.getChildAtIndex(148)
seconds = clock.queryValue().currentValue
if clock.getRole() != pyatspi.ROLE_PROGRESS_BAR or not 400 <= seconds <= 452:
    fail(f"clock {clock.getRoleName()} {seconds}")

# Pressing a cell selects it.
cell = board.getChildAtIndex(20)
cell.queryAction().doAction(0)
poll("a pressed cell is not selected", lambda: cell.getState().contains(pyatspi.STATE_SELECTED))

# Listeners hear the clock count down.
from gi.repository import GLib
heard = []
pyatspi.Registry.registerEventListener(lambda e: heard.append(e.source.name),
                                       "object:property-change:accessible-value")
context = GLib.MainContext.default()
poll("the clock's seconds are not announced",
     lambda: [context.iteration(False), "剩余时间" in heard][1], 5)
print(f"a11y_smoke: 144 cells ({names[0]} ...), {labels}, clock {seconds:.0f} s")
PY
