#!/usr/bin/env python3
"""Pointer moves and key presses through the X server, and the latency
figures of the Wine benchmark (tools/bench/wine.sh).

  xinput.py now
      CLOCK_MONOTONIC_RAW in ns: the clock behind Wine's QueryPerformanceCounter
  xinput.py moves COUNT X0 Y0 X1 Y1 OUT WINDOW
      COUNT XTest pointer moves, alternately to (X1,Y1) and (X0,Y0); each
      waits until the last one has moved the X window WINDOW, then 20 to 50
      ms more (so that moves fall at every phase of the program's 10 ms
      cycle); writes the clock just before each move
  xinput.py chords COUNT OUT WINDOW staggered|together
      COUNT presses of the chord, each after 1.5 to 1.9 s with no key down:
      staggered, Shift down, then 50 to 100 ms later Ctrl down; together,
      both at once; both up 300 ms after Ctrl. The keys go to the X window
      WINDOW, which is given the input focus first if it lost it. Writes
      the clock just before each Ctrl press (staggered) or each pair
  xinput.py match MOVES WATCH BEFORE AFTER X0 Y0 X1 Y1 SPEED
      the latency of each move for the three windows of "bench_probe.exe
      watch" (the topmost, the test window and the desktop), until each
      stands where that move puts it; BEFORE and AFTER bracket the
      watcher's start, to check that both use one clock
  xinput.py stats FILE
      the same figures from the output of "bench_probe.exe sendinput"
  xinput.py noticed PRESSES SHOWN BEFORE AFTER
      per press of "chords", the time until "bench_probe.exe shown"
      saw the window appear (before the next press); one line: count, lost,
      median, p90, max in ms

Drag figures are printed one line each (count, lost, median, p90, p99, max in
ms) for: the topmost window; the test window when the pass reached it
before the desktop, and when after; the desktop; all three (the latest).
A move counts as lost for all when one window misses it.
"""
import ctypes
import random
import sys
import time


def now():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW)


def moves(count, x0, y0, x1, y1, out_path, paced_by):
    x11 = ctypes.CDLL("libX11.so.6")
    xtst = ctypes.CDLL("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XTranslateCoordinates.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                          ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                          ctypes.POINTER(ctypes.c_ulong)]
    xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("xinput.py: cannot open the display")
    root = x11.XDefaultRootWindow(display)

    def where():
        x, y, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        x11.XTranslateCoordinates(display, paced_by, root, 0, 0, ctypes.byref(x), ctypes.byref(y), ctypes.byref(child))
        return x.value, y.value

    rng = random.Random(4242)
    stamps = []
    for i in range(count):
        x, y = (x1, y1) if i % 2 == 0 else (x0, y0)
        before = where()
        stamps.append(now())
        xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
        x11.XSync(display, 0)  # the server has made the motion event
        # The next move waits until this one has moved the pacing window (as
        # the X server sees it), or a move arriving before the poll tick
        # would undo this one and both would be lost.
        deadline = time.monotonic() + 1
        while where() == before and time.monotonic() < deadline:
            time.sleep(0.0005)
        time.sleep(rng.uniform(0.020, 0.050))
    with open(out_path, "w") as out:
        out.writelines(f"{t}\n" for t in stamps)


def chords(count, out_path, focus, together):
    x11 = ctypes.CDLL("libX11.so.6")
    xtst = ctypes.CDLL("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XKeysymToKeycode.restype = ctypes.c_ubyte
    x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XGetInputFocus.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int)]
    x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
    xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("xinput.py: cannot open the display")
    shift = x11.XKeysymToKeycode(display, 0xFFE1)  # XK_Shift_L
    control = x11.XKeysymToKeycode(display, 0xFFE3)  # XK_Control_L

    def key(code, down):
        xtst.XTestFakeKeyEvent(display, code, 1 if down else 0, 0)
        x11.XSync(display, 0)

    def keep_focus():
        # Keys reach Wine only while one of its windows has the X focus.
        window, revert = ctypes.c_ulong(), ctypes.c_int()
        x11.XGetInputFocus(display, ctypes.byref(window), ctypes.byref(revert))
        if window.value != focus:
            x11.XSetInputFocus(display, focus, 2, 0)  # RevertToParent, CurrentTime
            x11.XSync(display, 0)

    rng = random.Random(2424)
    stamps = []
    for _ in range(count):
        keep_focus()
        time.sleep(rng.uniform(1.5, 1.9))  # the program is back in its idle wait
        if together:
            stamps.append(now())
            xtst.XTestFakeKeyEvent(display, shift, 1, 0)
            key(control, True)
        else:
            key(shift, True)
            time.sleep(rng.uniform(0.050, 0.100))
            stamps.append(now())
            key(control, True)
        time.sleep(0.300)
        key(control, False)
        key(shift, False)
    with open(out_path, "w") as out:
        out.writelines(f"{t}\n" for t in stamps)


def clock_start(watch_lines, before, after):
    start = int(watch_lines[0].split()[1])
    if not before <= start <= after:
        sys.exit(f"xinput.py: the watcher's clock ({start}) is not CLOCK_MONOTONIC_RAW ({before}..{after})")
    return start


def noticed(presses_path, shown_path, before, after):
    stamps = [int(line) for line in open(presses_path)]
    lines = open(shown_path).read().split("\n")
    clock_start(lines, before, after)
    shown = [int(t) for t, v in (line.split() for line in lines[1:] if line.strip()) if v == "1"]
    latencies, lost = [], 0
    for n, pressed in enumerate(stamps):
        until = stamps[n + 1] if n + 1 < len(stamps) else float("inf")
        seen = [t for t in shown if pressed <= t < until]
        if seen:
            latencies.append(seen[0] - pressed)
        else:
            lost += 1
    values = sorted(latencies)
    if not values:
        print(f"0 {lost} - - -")
        return
    print(f"{len(values)} {lost} {rank(values, 50) / 1e6:.2f} {rank(values, 90) / 1e6:.2f} {values[-1] / 1e6:.2f}")


def rank(values, p):
    """The p-th percentile of sorted values, by nearest rank."""
    return values[min(len(values) - 1, max(0, -(-len(values) * p // 100) - 1))]


def figures(latencies_ns, lost):
    values = sorted(latencies_ns)
    if not values:
        return f"0 {lost} - - - -"

    def ms(p):
        return rank(values, p) / 1e6

    return f"{len(values)} {lost} {ms(50):.2f} {ms(90):.2f} {ms(99):.2f} {values[-1] / 1e6:.2f}"


def report(rows, lost):
    """Prints the figures of moves given as (topmost, test, desktop)
    latencies: each window, the test window split by whether the pass
    reached it before or after the desktop, and the whole pass."""
    columns = list(zip(*rows)) or [(), (), ()]
    print(figures(columns[0], lost))
    print(figures([t for _, t, d in rows if t < d], lost))
    print(figures([t for _, t, d in rows if t >= d], lost))
    print(figures(columns[2], lost))
    print(figures([max(row) for row in rows], lost))


def match(moves_path, watch_path, before, after, x0, y0, x1, y1, speed):
    stamps = [int(line) for line in open(moves_path)]
    lines = open(watch_path).read().split("\n")
    start = clock_start(lines, before, after)
    changes = [tuple(int(v) for v in line.split()) for line in lines[1:] if line.strip()]
    home = {i: (cx, cy) for t, i, cx, cy in reversed(changes) if t == start}
    rows, lost = [], 0
    for n, sent in enumerate(stamps):
        x, y = (x1, y1) if n % 2 == 0 else (x0, y0)
        want = [(home[i][0] + (x - x0) * speed, home[i][1] + (y - y0) * speed) for i in range(3)]
        until = stamps[n + 1] if n + 1 < len(stamps) else float("inf")
        seen = {}
        for t, i, cx, cy in changes:
            if sent <= t < until and i not in seen and (cx, cy) == want[i]:
                seen[i] = t
        if len(seen) < 3:
            lost += 1
        else:
            rows.append(tuple(seen[i] - sent for i in range(3)))
    report(rows, lost)


def stats(path):
    rows, lost = [], 0
    for line in open(path):
        if line.strip() == "lost":
            lost += 1
        elif line.strip():
            rows.append(tuple(int(v) for v in line.split()))
    report(rows, lost)


def main(argv):
    if argv[:1] == ["now"]:
        print(now())
    elif argv[:1] == ["moves"] and len(argv) == 8:
        moves(int(argv[1]), *map(int, argv[2:6]), argv[6], int(argv[7], 0))
    elif argv[:1] == ["match"] and len(argv) == 10:
        match(argv[1], argv[2], int(argv[3]), int(argv[4]), *map(int, argv[5:10]))
    elif argv[:1] == ["stats"] and len(argv) == 2:
        stats(argv[1])
    elif argv[:1] == ["chords"] and len(argv) == 5 and argv[4] in ("staggered", "together"):
        chords(int(argv[1]), argv[2], int(argv[3], 0), argv[4] == "together")
    elif argv[:1] == ["noticed"] and len(argv) == 5:
        noticed(argv[1], argv[2], int(argv[3]), int(argv[4]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
