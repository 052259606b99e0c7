#!/usr/bin/env bash
# A reward box closes once, whatever the keys. The real binary is played through the X server
# (XTEST clicks on the longest links, the board read from the screen) until reshuffle rewards
# open their box, and each box is hit by two keys at once: Return Return, Escape Escape,
# Escape Return. Afterwards the board holds as many tiles as the caption says, in pairs, and
# F2 reshuffles exactly once per reshuffle earned (plus the deal's one) before its box says
# none are left. No screen reader runs: its bridge would hand the keys on later, one by one.
set -euo pipefail
binary=${1:?usage: reward_box_smoke.sh path/to/tilvara}
for tool in Xvfb xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "reward_box_smoke: missing $tool"; exit 1; }
done
/usr/bin/python3 -c 'import Xlib' || { echo "reward_box_smoke: missing python3-xlib"; exit 1; }
scripts=$(dirname "$0")/../../scripts
# shellcheck source=scripts/private-xvfb.sh
. "$scripts/private-xvfb.sh"
trap stop_private_xvfb EXIT
start_private_xvfb || { echo "reward_box_smoke: could not start Xvfb"; exit 1; }

/usr/bin/python3 - "$binary" "$scripts" <<'PY'
import os, subprocess, sys, tempfile, time
sys.path.insert(0, sys.argv[2])
from Xlib import X
from drive_game import COLS, FACE_H, FACE_W, GRID_LEFT, GRID_TOP, Driver, links

def fail(text):
    shot = os.path.join(os.environ.get("SMOKE_OUT") or tempfile.mkdtemp(), "failure.png")
    subprocess.run(["import", "-window", "root", shot], check=False)
    print(f"reward_box_smoke: {text} (the screen: {shot})", flush=True)
    sys.exit(1)

def poll(what, test, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        drv.pump(0.02)
        value = test()
        if value:
            return value
    fail(what)

drv = Driver()
game = subprocess.Popen([sys.argv[1]], env=dict(os.environ, LANG="C.UTF-8"),
                        stdout=subprocess.DEVNULL)
try:
    drv.key(drv.wait_map()[1], "a")  # the rules window closes on a key
    main = drv.wait_map()[1]
    drv.pump(0.5)
    top = drv.board_top(main)
    drv.start_game(main, top)
    faces = lambda: drv.cells(main, top)
    poll("no deal", lambda: any(faces().values()))

    def box():
        for w in drv.root.query_tree().children:
            if w.get_attributes().map_state == X.IsViewable and drv.name(w) == "提示":
                return w

    recent, earned, spent, removals = [0, 0], 0, 0, 0

    def remove_longest():
        """Removes the longest link whose score earns no hint, and that leaves a link on the
        board where one can; true if it earned a reshuffle, whose box is then open (the box
        opens before the board shows the pair gone). A board left without a link is reshuffled
        at the cost of a reshuffle, and the game is lost when none is left."""
        global removals, spent

        def without(board, cells):
            return {cell: None if cell in cells else face for cell, face in board.items()}

        board = poll("no link on the board", lambda: faces() if links(faces()) else None)
        fine = [l for l in links(board) if sum(recent) + l[0] not in (37, 38)]
        score, a, b = next((l for l in fine if links(without(board, l[1:]))), fine[0])
        spent += not links(without(board, (a, b)))
        for r, c in (a, b):
            drv.click(main, GRID_LEFT + (c - 1) * FACE_W + FACE_W // 2,
                      top + GRID_TOP + (r - 1) * FACE_H + FACE_H // 2)
        poll(f"{a} and {b} do not go", lambda: (lambda f: f[a] is None and f[b] is None)(faces()))
        removals += 1
        reward = sum(recent) + score >= 39
        recent[:] = [recent[1], score]
        if reward != (box() is not None):
            fail(f"after a link of {score}: box {box() is not None}, reward {reward}")
        return reward

    bursts = [("Return", "Return"), ("Escape", "Escape"), ("Escape", "Return")]
    for keys in bursts:
        while not remove_longest():
            pass
        earned += 1
        drv.key(box(), *keys)
        poll(f"the box stays open after {'+'.join(keys)}", lambda: box() is None)
    # The bursts' keys have all been read once a later pair has gone.
    if remove_longest():
        earned += 1
        drv.key(box(), "Return")
        poll("the box stays open", lambda: box() is None)

    board = [f for f in faces().values() if f is not None]
    caption = drv.name(main)
    if str(len(board)) != caption or any(board.count(f) % 2 for f in board):
        fail(f"{len(board)} tiles on the board, the caption says {caption}")

    # F2 reshuffles as often as reshuffles are left, then its box says none are.
    reshuffles = 0
    while True:
        before = faces()
        drv.key(main, "F2")
        if poll("F2 neither reshuffles nor opens a box",
                lambda: "box" if box() else faces() != before and "new") == "box":
            break
        reshuffles += 1
        poll("the board does not settle", lambda: faces() == faces())
    if reshuffles != 1 + earned - spent:
        fail(f"{reshuffles} reshuffles left after earning {earned} and {spent} spent on boards "
             "without a link: a box closed twice")
    if game.poll() is not None:
        fail(f"the game ended with status {game.returncode}")
    print(f"reward_box_smoke: passed ({earned} reshuffles earned, {spent} spent in {removals} "
          f"removals, boxes closed by {', '.join('+'.join(k) for k in bursts)}; {reshuffles} left)")
finally:
    game.kill()
    game.wait()
PY
