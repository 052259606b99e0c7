#!/usr/bin/env bash
# Reads the game through the accessibility bus (at-spi), as a screen reader does: the board
# lists its 144 cells, the status lines and the clock; played by keys alone through the X
# server, the cursor's cell takes the focus, selections and a removed pair are announced and
# the window is named by its caption; F10 opens the game menu; F1 and F2 held through the X
# server spend one hint and one reshuffle a hold; a cell can be selected through its action,
# and the clock's seconds reach listeners. Runs its own D-Bus session and Xvfb.
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
# shellcheck source=scripts/private-xvfb.sh
. "$(dirname "$0")/../../scripts/private-xvfb.sh"
pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; stop_private_xvfb' EXIT
start_private_xvfb || { echo "a11y_smoke: could not start Xvfb"; exit 1; }

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8 "$binary" &
pid=$!
# The rules window comes first; a key closes it and the main window opens.
splash=$(wait_window --all --pid "$pid" --name Tilvara) || { echo "a11y_smoke: no rules window"; exit 1; }
xdotool windowfocus --sync "$splash" 2>/dev/null || true
xdotool key a
main=$(wait_window --name '^Tilvara$') || { echo "a11y_smoke: no main window"; exit 1; }

/usr/bin/python3 - "$pid" "$main" "$(dirname "$0")/../../scripts" <<'PY'
import os, re, signal, subprocess, sys, time
import pyatspi
from gi.repository import GLib

def fail(text):
    print("a11y_smoke:", text)
    sys.exit(1)

context = GLib.MainContext.default()

def poll(what, test, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        while context.iteration(False):  # events heard meanwhile
            pass
        value = test()
        if value:
            return value
        time.sleep(0.1)
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

# Played by keyboard alone, keys through the X server: what a screen reader hears.
sys.path.insert(0, sys.argv[3])
from drive_game import linkable
events = []

def heard(event):
    try:
        events.append((event.type, event.source.name, event.detail1))
    except Exception:  # a source gone meanwhile
        pass

for kind in ("focus:", "object:state-changed:selected", "object:property-change:accessible-name"):
    pyatspi.Registry.registerEventListener(heard, kind)

def keys(*names):
    if names[1:]:
        subprocess.run(["xdotool", *names], check=True)

def at(cell):
    return f"第{cell[0]}行第{cell[1]}列"

def cursor():
    """The cell of the last focus event."""
    for kind, name, _ in reversed(events):
        m = pattern.match(name)
        if kind == "focus:" and m:
            return int(m.group(1)), int(m.group(2))

def move_to(cell):
    (row, col), cell_of = cursor(), cells[(cell[0] - 1) * 18 + cell[1] - 1]
    keys("key", *["Down"] * (cell[0] - row), *["Up"] * (row - cell[0]),
         *["Right"] * (cell[1] - col), *["Left"] * (col - cell[1]))
    poll(f"no focus event for {at(cell)}", lambda: cursor() == cell)
    if not cell_of.getState().contains(pyatspi.STATE_FOCUSED):
        fail(f"{at(cell)} has the cursor but not the focus")

def selected(cell, value):
    return any(kind.endswith(":selected") and name.endswith(at(cell)) and d == value
               for kind, name, d in events)

keys("windowfocus", "--sync", sys.argv[2])
# The bus learns of the listeners a little later: step until a move is heard.
steps = iter(range(200))
poll("no focus event for the board cursor",
     lambda: cursor() or keys("key", "Left" if next(steps) % 2 else "Right"))
faces = {(i // 18 + 1, i % 18 + 1): names[i].split()[0] for i in range(144)}
a, b = linkable(faces)
x = next(c for c in sorted(faces) if faces[c] != faces[a])
move_to(x)
keys("key", "space")
poll(f"selecting {at(x)} is not announced", lambda: selected(x, 1))
move_to(a)
keys("key", "space")
poll("the wrong pair's second cell is not announced", lambda: selected(x, 0) and selected(a, 1))
move_to(b)
keys("key", "space")
poll("the pair is not removed",
     lambda: all(cells[(c[0] - 1) * 18 + c[1] - 1].name == f"空 {at(c)}" for c in (a, b)))
poll("the window's name does not follow its caption", lambda: frame.name == "142")

# F10 opens the game menu; Return deals, and the cursor starts again at the top left.
start_item = find(frame, lambda x: x.getRole() == pyatspi.ROLE_MENU_ITEM and x.name == "开始")
keys("key", "F10")
poll("F10 does not open the game menu", lambda: start_item.getState().contains(pyatspi.STATE_SHOWING))
events.clear()
keys("key", "Return")
poll("no focus at row 1, column 1 after a deal", lambda: cursor() == (1, 1))
keys("keydown", "Right")  # held, it walks on
try:
    poll("a held arrow does not walk to the last column", lambda: cursor() == (1, 18))
finally:
    keys("keyup", "Right")
# The second reshuffle has none left: a box. Once it closes, the board has the focus again.
keys("key", "F2", "F2")
box = poll("no box after the second reshuffle", lambda: subprocess.run(
    ["xdotool", "search", "--onlyvisible", "--name", "^提示$"],
    capture_output=True, text=True).stdout.split())
events.clear()
keys("windowfocus", "--sync", box[0])
keys("key", "Return")
poll("the board does not take the focus back after a box", lambda: cursor() == (1, 18))

# A fresh deal for the holds below: 5 hints, 1 reshuffle.
keys("key", "F10")
poll("F10 does not open the game menu", lambda: start_item.getState().contains(pyatspi.STATE_SHOWING))
keys("key", "Return")
poll("no fresh deal", lambda: board.getChildAtIndex(145).name == "5次提示,F1键")

# Keys held through the X server (XTEST, as a player's finger) for 1.5 s, past the server's own
# repeats (from 660 ms, 25 a second, each a release and a press at one time): each hold runs
# its command once, and F2's repeats open no box. One hold is read only after the finger has
# let go (the game stopped meanwhile), as on a busy machine: a screen reader's bridge hands
# the keys on without their times, and a repeat read then must still be a repeat. The game
# reads the Escape that closes the "游戏" menu after every key before it, so once the menu has
# closed the game has answered them all.
def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                          text=True).stdout

def others():
    found = xdotool("search", "--onlyvisible", "--pid", sys.argv[1]).split()
    return [w for w in found if w != sys.argv[2]]

def hold(key, late=False):
    xdotool("windowfocus", "--sync", sys.argv[2])
    if late:
        os.kill(int(sys.argv[1]), signal.SIGSTOP)
    xdotool("keydown", key)
    time.sleep(1.5)
    xdotool("keyup", key)
    if late:
        os.kill(int(sys.argv[1]), signal.SIGCONT)
    geometry = dict(line.split("=") for line in
                    xdotool("getwindowgeometry", "--shell", sys.argv[2]).split())
    xdotool("mousemove", int(geometry["X"]) + 20, int(geometry["Y"]) + 10, "click", 1)
    menu = poll(f"no menu after holding {key}", others)
    for window in menu:
        if xdotool("getwindowname", window).strip() == "提示":
            fail(f"holding {key} opened a box")
    xdotool("key", "Escape")
    poll(f"the menu stays open after holding {key}", lambda: not others())
    # With the bridge on, a key reaches the game after its round trip through the bus: read
    # the lines once they have stayed the same for a while.
    lines, same = None, 0
    for _ in range(60):
        while context.iteration(False):
            pass
        now = [board.getChildAtIndex(144 + i).name for i in range(2)]
        same = same + 1 if now == lines else 0
        lines = now
        if same >= 6:
            break
        time.sleep(0.25)
    return lines

for left, late in ((4, False), (3, False), (2, True)):
    lines = hold("F1", late)
    if lines[1] != f"还有{left}次提示,F1键":
        fail(f"F1 held: {lines[1]!r}, not {left} hints left")
lines = hold("F2")
if lines[0] != "0次重排,F2键":
    fail(f"F2 held: {lines[0]!r}")


# Pressing a cell selects it.
cell = board.getChildAtIndex(20)
cell.queryAction().doAction(0)
poll("a pressed cell is not selected", lambda: cell.getState().contains(pyatspi.STATE_SELECTED))

# Listeners hear the clock count down.
seconds_heard = []
pyatspi.Registry.registerEventListener(lambda e: seconds_heard.append(e.source.name),
                                       "object:property-change:accessible-value")
poll("the clock's seconds are not announced", lambda: "剩余时间" in seconds_heard, 5)
print(f"a11y_smoke: 144 cells ({names[0]} ...), {labels}, clock {seconds:.0f} s; "
      f"by keyboard {at(x)}, then {at(a)} and {at(b)}")
PY
