#!/usr/bin/python3
# Launches the game (or a stand-in with the same windows) on $DISPLAY and plays it the way
# the measuring scripts need: times to the rules and main windows, "开始", removals of
# linkable pairs found on screen, CPU and X damage during each removal's hold, peak memory.
# Prints one line of key=value figures. Needs python3-xlib (Debian's /usr/bin/python3).
import argparse
import os
import subprocess
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import damage, xtest

ROWS, COLS, FACE_W, FACE_H = 8, 18, 39, 49
GRID_LEFT, GRID_TOP = 41, 40  # the first cell in the game area, in pixels
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_ms(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000.0 / TICKS  # utime + stime


def cpu_ms_fine(pid):
    """The same from the scheduler's nanosecond counts, summed over the threads."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total / 1e6


def status_kb(pid, field):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def peak_kb(pid):
    return status_kb(pid, "VmHWM")


class Driver:
    def __init__(self):
        self.d = display.Display()
        self.root = self.d.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.d.sync()
        self.damage_times = []
        self.watched = None

    def pump(self, timeout):
        """Handles X events for up to timeout seconds; returns windows mapped meanwhile."""
        mapped = []
        end = time.monotonic() + timeout
        while True:
            while self.d.pending_events():
                e = self.d.next_event()
                if e.type == X.MapNotify:
                    mapped.append((time.monotonic(), e.window))
                elif e.__class__.__name__ == "DamageNotify":
                    # The server's own time of the drawing, in ms: when this script reads
                    # the event says nothing about when it happened.
                    a = e.area
                    self.damage_times.append((e.timestamp / 1000, a.x, a.y, a.width, a.height))
            if mapped or time.monotonic() >= end:
                return mapped
            time.sleep(0.001)

    def wait_map(self, timeout=20):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            mapped = self.pump(end - time.monotonic())
            if mapped:
                return mapped[0]
        sys.exit("drive_game: no window mapped in time")

    def name(self, window):
        try:
            prop = window.get_full_property(self.d.intern_atom("_NET_WM_NAME"), X.AnyPropertyType)
            return prop.value.decode() if prop else ""
        except Exception:
            return ""

    def key(self, window, *keysyms):
        """Presses and lets go of each key in turn, with no pause between them."""
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        for keysym in keysyms:
            code = self.d.keysym_to_keycode(XK.string_to_keysym(keysym))
            xtest.fake_input(self.d, X.KeyPress, code)
            xtest.fake_input(self.d, X.KeyRelease, code)
        self.d.sync()

    def click(self, window, x, y):
        pos = self.root.translate_coords(window, x, y)
        xtest.fake_input(self.d, X.MotionNotify, x=pos.x, y=pos.y)
        xtest.fake_input(self.d, X.ButtonPress, 1)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.sync()

    def answer_boxes(self, main):
        """Closes any message box over the main window with Return; true if there was one."""
        seen = False
        for _ in range(50):
            boxes = [w for w in self.root.query_tree().children
                     if w.id != main.id and w.get_attributes().map_state == X.IsViewable]
            if not boxes:
                return seen
            seen = True
            self.pump(0.1)
            self.key(boxes[0], "Return")
            self.pump(0.1)
        sys.exit("drive_game: a message box does not close")

    def start_game(self, main, top, k=1):
        """Chooses "开始" in the game menu; k device pixels to a logical one."""
        for _ in range(10):
            # A click that lands before the window takes input is lost: click again.
            self.click(main, 20 * k, top // 2)  # the first menu, "游戏"
            mapped = self.pump(1.0)
            if mapped:
                self.pump(0.2)
                self.click(mapped[0][1], 30 * k, 14 * k)  # its first item, "开始"
                self.pump(1.0)
                return
        sys.exit("drive_game: the game menu did not open")

    def watch_damage(self, window):
        self.d.damage_query_version()
        window.damage_create(damage.DamageReportRawRectangles)
        self.d.sync()

    def cells(self, window, top, k=1):
        """The face under each cell at k device pixels per design pixel, as raw pixels (None for
        an empty black cell). Only the inside of each cell counts: the selection's red edge and
        the keyboard's focus frame, which reaches a few pixels into the neighbours, change no
        face."""
        fw, fh = FACE_W * k, FACE_H * k
        image = window.get_image(GRID_LEFT * k, top + GRID_TOP * k, COLS * fw, ROWS * fh,
                                 X.ZPixmap, 0xFFFFFFFF).data
        stride = COLS * fw * 4
        margin = 5 * k
        faces = {}
        for r in range(ROWS):
            for c in range(COLS):
                rows = [image[(r * fh + y) * stride + (c * fw + margin) * 4:
                              (r * fh + y) * stride + ((c + 1) * fw - margin) * 4]
                        for y in range(margin, fh - margin, 3 * k)]
                face = b"".join(rows)
                faces[(r + 1, c + 1)] = None if face.count(0) >= len(face) * 3 // 4 else face
        return faces

    def board_top(self, window):
        """The menu bar's height: the first black row at the window's left edge."""
        for y in range(80):
            pixel = window.get_image(2, y, 1, 1, X.ZPixmap, 0xFFFFFFFF).data[:3]
            if pixel == b"\0\0\0":
                return y
        sys.exit("drive_game: no game area found")


def report(figures, decimals):
    """Prints the figures as one line of key=value."""
    print(" ".join(f"{k}={v:.{decimals}f}" if isinstance(v, float) else f"{k}={v}"
                   for k, v in figures.items()), flush=True)


def repaints(rects):
    """Start times of the repaints behind a list of damage rectangles. One repaint puts the
    rectangles of its region, which are disjoint and come top to bottom, left to right; a
    rectangle that overlaps one of the current repaint, comes before it in that order or
    after a pause of more than 2 ms starts the next repaint."""
    starts, group = [], []
    for t, x, y, w, h in rects:
        # The server stamps whole milliseconds, and one flush of many rectangles can cross a
        # tick or two: only a longer pause parts two repaints.
        fresh = not group or t - group[-1][0] > 0.0025 or (y, x) < (group[-1][2], group[-1][1])
        fresh = fresh or any(x < gx + gw and gx < x + w and y < gy + gh and gy < y + h
                             for _, gx, gy, gw, gh in group)
        if fresh:
            starts.append(t)
            group = []
        group.append((t, x, y, w, h))
    return starts


def linkable(faces):
    """A pair of equal faces joined by at most three straight segments through empty cells
    (the ring around the board counts as empty), or None."""
    def empty(r, c):
        return r < 1 or r > ROWS or c < 1 or c > COLS or faces[(r, c)] is None

    def path(a, b):
        # Breadth-first over (cell, direction) with the number of turns so far.
        best = {}
        queue = []
        for d in range(4):
            queue.append((a, d, 0))
        steps = ((-1, 0), (1, 0), (0, -1), (0, 1))
        while queue:
            nxt = []
            for (r, c), d, turns in queue:
                dr, dc = steps[d]
                r2, c2 = r + dr, c + dc
                if r2 < 0 or r2 > ROWS + 1 or c2 < 0 or c2 > COLS + 1:
                    continue
                if (r2, c2) == b:
                    return True
                if not empty(r2, c2):
                    continue
                for d2 in range(4):
                    t = turns + (d2 != d)
                    if t <= 2 and best.get(((r2, c2), d2), 9) > t:
                        best[((r2, c2), d2)] = t
                        nxt.append(((r2, c2), d2, t))
            queue = nxt
        return False

    by_face = {}
    for cell, face in sorted(faces.items()):
        if face is not None:
            by_face.setdefault(face, []).append(cell)
    for cells in by_face.values():
        for i, a in enumerate(cells):
            for b in cells[i + 1:]:
                if path(a, b):
                    return a, b
    return None


def link_length(faces, a, b):
    """The score of a link: the length of the shortest path of at most three straight
    segments between two cells through empty cells (the ring around the board counts as
    empty), or None when there is no such path. Tile kinds are not looked at."""
    def empty(r, c):
        return r < 1 or r > ROWS or c < 1 or c > COLS or faces[(r, c)] is None

    def between(p, q):  # the cells strictly between p and q, on one row or column
        if p[0] == q[0]:
            return [(p[0], c) for c in range(min(p[1], q[1]) + 1, max(p[1], q[1]))]
        return [(r, p[1]) for r in range(min(p[0], q[0]) + 1, max(p[0], q[0]))]

    (r1, c1), (r2, c2) = a, b
    best = None
    # Through two corners: on a connecting column, or on a connecting row.
    corners = [((r1, c), (r2, c)) for c in range(COLS + 2)]
    corners += [((r, c1), (r, c2)) for r in range(ROWS + 2)]
    for p, q in corners:
        cells = between(a, p) + between(p, q) + between(q, b) + [x for x in (p, q) if x not in (a, b)]
        if all(empty(*x) for x in cells):
            length = sum(abs(u[0] - v[0]) + abs(u[1] - v[1]) for u, v in ((a, p), (p, q), (q, b)))
            best = length if best is None else min(best, length)
    return best


def links(faces):
    """Every pair of equal faces that a link joins, as (score, a, b), longest first."""
    by_face = {}
    for cell, face in sorted(faces.items()):
        if face is not None:
            by_face.setdefault(face, []).append(cell)
    found = []
    for cells in by_face.values():
        for i, a in enumerate(cells):
            for b in cells[i + 1:]:
                length = link_length(faces, a, b)
                if length is not None:
                    found.append((length, a, b))
    return sorted(found, key=lambda link: -link[0])


def main():
    p = argparse.ArgumentParser()
    p.add_argument("program")
    p.add_argument("--removals", type=int, default=0)
    p.add_argument("--single-window", action="store_true", help="no rules window: the empty window")
    p.add_argument("--hold", action="store_true", help="CPU and damage per removal")
    args = p.parse_args()

    drv = Driver()
    env = dict(os.environ, LANG="C.UTF-8")
    start = time.monotonic()
    proc = subprocess.Popen([args.program], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    out = {}
    try:
        t_first, first = drv.wait_map()
        out["first_ms"] = (t_first - start) * 1000
        if args.single_window:
            drv.pump(1.0)
            out["hwm_kb"] = peak_kb(proc.pid)
            return out
        drv.key(first, "a")  # any key closes the rules window and opens the main one
        t_main, main = drv.wait_map()
        out["main_ms"] = (t_main - start) * 1000
        if args.removals == 0:
            drv.pump(1.0)
            out["hwm_kb"] = peak_kb(proc.pid)
            return out

        drv.pump(0.5)
        top = drv.board_top(main)
        drv.start_game(main, top)
        if args.hold:
            drv.watch_damage(main)

        holds, boxes, removed, lost = [], 0, 0, 0
        idle_rate = None
        while removed < args.removals:
            drv.answer_boxes(main)
            faces = drv.cells(main, top)
            if idle_rate is None and args.hold:
                # The idle cost of the running timers, subtracted from each hold below.
                c0, f0, t0 = cpu_ms(proc.pid), cpu_ms_fine(proc.pid), time.monotonic()
                drv.pump(3.0)
                idle_rate = (cpu_ms(proc.pid) - c0) / (time.monotonic() - t0)
                idle_fine = (cpu_ms_fine(proc.pid) - f0) / (time.monotonic() - t0)
                drv.damage_times.clear()
            pair = linkable(faces)
            if pair is None:
                # The game reshuffles a board without moves a tick or two later.
                lost += 1
                if lost > 10:
                    sys.exit("drive_game: no linkable pair on screen")
                drv.pump(0.5)
                continue
            centres = [(GRID_LEFT + (c - 1) * FACE_W + FACE_W // 2,
                        top + GRID_TOP + (r - 1) * FACE_H + FACE_H // 2) for r, c in pair]
            drv.click(main, *centres[0])
            drv.pump(0.15)
            c0, f0, t0 = cpu_ms(proc.pid), cpu_ms_fine(proc.pid), time.monotonic()
            drv.damage_times.clear()
            drv.click(main, *centres[1])
            box = False
            while True:
                if drv.pump(0.005):
                    box = drv.answer_boxes(main) or box  # a reward: leave this removal out
                now = drv.cells(main, top)
                if now[pair[0]] is None and now[pair[1]] is None:
                    break
                if time.monotonic() - t0 > 2:
                    break
            if now[pair[0]] is not None or now[pair[1]] is not None:
                lost += 1  # a click that went missing: look at the board again
                if lost > 10:
                    sys.exit(f"drive_game: the pair {pair} did not go")
                continue
            t_gone = time.monotonic()
            late = drv.pump(0.03)  # the removal's own repaint lands just after the cells clear
            c1, f1, t1 = cpu_ms(proc.pid), cpu_ms_fine(proc.pid), time.monotonic()
            shown = list(drv.damage_times)
            late += drv.pump(0.1)
            if late or drv.answer_boxes(main):
                box = drv.answer_boxes(main) or box  # a reward that came after the pair went
            removed += 1
            if box:
                boxes += 1
            elif args.hold:
                flushes = repaints(shown)
                per_frame = max((sum(1 for u in flushes if t <= u < t + 0.016) for t in flushes),
                                default=0)  # repaints within any 16 ms
                holds.append((c1 - c0 - idle_rate * (t1 - t0), t_gone - t0, len(flushes),
                              len(shown), per_frame, f1 - f0 - idle_fine * (t1 - t0)))
        drv.pump(0.5)
        out["hwm_kb"] = peak_kb(proc.pid)
        out["removals"] = removed
        out["reward_boxes"] = boxes
        out["retries"] = lost
        if holds:
            n = len(holds)
            out["holds"] = n
            out["idle_cpu_ms_per_s"] = idle_rate
            out["idle_cpu_ms_per_s_schedstat"] = idle_fine
            out["cpu_ms_per_removal"] = sum(h[0] for h in holds) / n
            out["cpu_ms_per_removal_schedstat"] = sum(h[5] for h in holds) / n
            out["click_to_gone_ms"] = sum(h[1] for h in holds) / n * 1000
            out["repaints_per_removal"] = sum(h[2] for h in holds) / n
            out["damage_rects_per_removal"] = sum(h[3] for h in holds) / n
            out["max_repaints_in_16ms"] = max(h[4] for h in holds)
        return out
    finally:
        proc.kill()
        proc.wait()
        report(out, 1)


if __name__ == "__main__":
    main()
