#!/usr/bin/python3
# Drives the game or a yardstick window on $DISPLAY for scripts/measure-resize.sh: CPU from
# launch to the main window, removals of linkable pairs found on screen, drag-resizes of the
# main window in steps with the CPU they cost and the time to each repainted frame, and peak
# memory. Prints one line of key=value figures. Needs python3-xlib (Debian's /usr/bin/python3).
import argparse
import os
import select
import subprocess
import sys
import time


sys.dont_write_bytecode = True  # no cache of the module below left in the source tree
import drive_game as dg  # noqa: E402

DESIGN_W, DESIGN_H = 784, 497.5  # the game area at scale 1, in logical pixels


def quiet_cpu(drv, pid, size=(1 << 30, 1 << 30), still=0.3, noise=1.0, limit=10):
    """Pumps events until the program neither draws a whole frame of this size nor spends more
    than noise ms of CPU (the game's idle timers take about 0.6) for still seconds; returns
    its CPU then (ms, schedstat) and the time of its last whole frame."""
    last, since = dg.cpu_ms_fine(pid), time.monotonic()
    drawn, seen = None, len(drv.damage_times)
    end = since + limit
    while time.monotonic() < end:
        drv.pump(0.01)
        now = dg.cpu_ms_fine(pid)
        fresh = drv.damage_times[seen:]
        seen = len(drv.damage_times)
        if any(x + w >= size[0] and y + h >= size[1] for _, x, y, w, h in fresh):
            drawn = time.monotonic()
            last, since = now, drawn
        elif now - last > noise:
            last, since = now, time.monotonic()
        elif time.monotonic() - since >= still:
            return last, drawn
    sys.exit("drive_window: the program never went quiet")


def wait_events(drv, timeout):
    """Waits for X events up to timeout seconds without spinning."""
    if not drv.d.pending_events():
        select.select([drv.d.fileno()], [], [], max(0.0, timeout))


def play(drv, main, top, k, removals):
    """Removes linkable pairs found on screen; the board must fill the window at scale k."""
    removed = lost = 0
    while removed < removals:
        drv.answer_boxes(main)
        faces = drv.cells(main, top, k)
        pair = dg.linkable(faces)
        if pair is None:
            lost += 1  # the game reshuffles a dead board a tick or two later
            if lost > 10:
                sys.exit("drive_window: no linkable pair on screen")
            drv.pump(0.5)
            continue
        for r, c in pair:
            drv.click(main, (dg.GRID_LEFT + (c - 1) * dg.FACE_W + dg.FACE_W // 2) * k,
                      top + (dg.GRID_TOP + (r - 1) * dg.FACE_H + dg.FACE_H // 2) * k)
            drv.pump(0.1)
        t0 = time.monotonic()
        while time.monotonic() - t0 < 2:
            drv.pump(0.01)
            drv.answer_boxes(main)
            now = drv.cells(main, top, k)
            if now[pair[0]] is None and now[pair[1]] is None:
                removed += 1
                break
        else:
            lost += 1
            if lost > 10:
                sys.exit(f"drive_window: the pair {pair} did not go")


def drag(drv, pid, main, sizes, idle_rate):
    """Resizes the window through sizes, each step once its last frame is on screen, as a
    window manager does during a live drag. Returns CPU per step (ms, idle subtracted), the
    mean and worst time from a resize to its repainted frame, and the time from the last
    resize to the last frame (the settled one)."""
    c0, t0 = dg.cpu_ms_fine(pid), time.monotonic()
    frames = []
    last_frame = t0
    for w, h in sizes:
        drv.damage_times.clear()
        main.configure(width=w, height=h)
        drv.d.sync()
        sent = time.monotonic()
        while True:
            wait_events(drv, sent + 3 - time.monotonic())
            drv.pump(0)
            # A repaint goes top to bottom: its frame is whole once the bottom right is in.
            if any(x + dw >= w and y + dh >= h for _, x, y, dw, dh in drv.damage_times):
                last_frame = time.monotonic()
                frames.append(last_frame - sent)
                break
            if time.monotonic() - sent > 3:
                sys.exit(f"drive_window: no frame after a resize to {w}x{h}")
    # What follows the last step, such as drawing the pictures afresh for the size it settled
    # at, belongs to the drag.
    c1, drawn = quiet_cpu(drv, pid, sizes[-1])
    t1 = time.monotonic()
    cpu = (c1 - c0 - idle_rate * (t1 - t0)) / len(sizes)
    settled = (drawn or last_frame) - sent
    return cpu, sum(frames) / len(frames) * 1000, max(frames) * 1000, settled * 1000


def steps(start, end, count):
    return [(round(start[0] + (end[0] - start[0]) * i / count),
             round(start[1] + (end[1] - start[1]) * i / count)) for i in range(1, count + 1)]


def main():
    p = argparse.ArgumentParser()
    p.add_argument("program")
    p.add_argument("--arg", action="append", default=[], help="an argument for the program")
    p.add_argument("--rules", action="store_true", help="a rules window first, closed by a key")
    p.add_argument("--deal", action="store_true", help="choose 开始 in the game menu")
    p.add_argument("--k", type=int, default=1, help="device pixels per design pixel at start")
    p.add_argument("--removals", type=int, default=0)
    p.add_argument("--resize", action="store_true", help="drag to 2x, play, drag to the screen")
    p.add_argument("--steps", type=int, default=30)
    args = p.parse_args()

    drv = dg.Driver()
    env = dict(os.environ, LANG="C.UTF-8")
    proc = subprocess.Popen([args.program] + args.arg, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    out = {}
    try:
        _, main = drv.wait_map()
        if args.rules:
            drv.key(main, "a")  # any key closes the rules window and opens the main one
            _, main = drv.wait_map()
        out["map_cpu_ms"] = dg.cpu_ms_fine(proc.pid)
        # The first frame is drawn after the window maps, so the watch begins in time.
        drv.watch_damage(main)
        geometry = main.get_geometry()
        end = time.monotonic() + 5
        while not any(x + w >= geometry.width and y + h >= geometry.height
                      for _, x, y, w, h in drv.damage_times):
            if time.monotonic() > end:
                sys.exit("drive_window: the main window's first frame never came")
            wait_events(drv, end - time.monotonic())
            drv.pump(0)
        out["frame_cpu_ms"] = dg.cpu_ms_fine(proc.pid)
        if not args.deal and not args.removals and not args.resize:
            out["hwm_kb"] = dg.peak_kb(proc.pid)
            return out
        k = args.k
        drv.pump(0.3)
        top = drv.board_top(main)
        if args.deal:
            drv.start_game(main, top, k)
        play(drv, main, top, k, args.removals)
        drv.pump(0.5)
        out["hwm_kb"] = dg.peak_kb(proc.pid)
        # The peak counts the pages of the font files the text touched, clean and shared with
        # every program using the fonts; the private part is the program's own.
        out["anon_kb"] = dg.status_kb(proc.pid, "RssAnon")
        if not args.resize:
            return out

        main.configure(x=0, y=0)
        quiet_cpu(drv, proc.pid)
        c0, t0 = dg.cpu_ms_fine(proc.pid), time.monotonic()
        drv.pump(2.0)
        idle_rate = (dg.cpu_ms_fine(proc.pid) - c0) / (time.monotonic() - t0)
        geometry = main.get_geometry()
        one = (geometry.width, geometry.height)
        two = (round(DESIGN_W * 2), top + round(DESIGN_H * 2))
        screen = drv.d.screen()
        (out["cpu_ms_per_step_2x"], out["frame_ms_2x"], out["worst_frame_ms_2x"],
         out["settled_ms_2x"]) = drag(drv, proc.pid, main, steps(one, two, args.steps), idle_rate)
        play(drv, main, top, 2, max(1, args.removals // 4))
        drv.pump(0.5)
        out["hwm_2x_kb"] = dg.peak_kb(proc.pid)
        full = (screen.width_in_pixels, screen.height_in_pixels)
        (out["cpu_ms_per_step_max"], out["frame_ms_max"], out["worst_frame_ms_max"],
         out["settled_ms_max"]) = drag(drv, proc.pid, main, steps(two, full, args.steps),
                                       idle_rate)
        drv.pump(0.5)
        out["hwm_max_kb"] = dg.peak_kb(proc.pid)
        out["anon_max_kb"] = dg.status_kb(proc.pid, "RssAnon")
        return out
    finally:
        proc.kill()
        proc.wait()
        dg.report(out, 2)


if __name__ == "__main__":
    main()
