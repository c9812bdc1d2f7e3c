"""Runs the benchmarks under Wine, each on a test desktop of the virtual screen size it measures
(1920x1080, 3840x2160, 7680x2160; start-up, memory and copy also at 7680x4320), and prints a
summary with ratios.

    python3 bench/run.py BIN_DIR [--runs N]

On each desktop: present_bench.exe (drag step with the real present), startup_bench.exe (start-up
with the engine's own phase timeline, and peak memory, of Snapshot.exe against
minimal_capture.exe, N runs each, medians), copy_bench.exe (the copy command and the clipboard for
a whole-screen selection against a memcpy). Once: drag_step_bench.exe (the drag step on the pixel
store alone, no display involved) and, on the 1920x1080 desktop, board_bench.exe (the annotation
board: rebuilding the background with 10, 100 and 1,000 objects, and a brush drag step with a
2,000-point stroke over 0, 100 and 1,000 settled objects).
"""

import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "gui"))

from desktop import Desktop  # noqa: E402
from wine_arch import loader  # noqa: E402

SIZES = [(1920, 1080), (3840, 2160), (7680, 2160), (7680, 4320)]
# The largest desktop gets only start-up, memory and copy (the drag figures change little).
DRAG_SIZES = SIZES[:3]
MIB = 1024.0 * 1024.0


def run(desk, argv, timeout):
    """Runs a Wine program on the desktop, echoes its output and returns (ok, RESULT rows)."""
    print("== %s" % " ".join(os.path.basename(a) for a in argv), flush=True)
    p = subprocess.run([loader()] + argv, env=desk.env(), capture_output=True, text=True,
                       timeout=timeout)
    rows = []
    for line in p.stdout.splitlines():
        if line.startswith("RESULT "):
            rows.append(line.split()[1:])
        else:
            print(line)
    sys.stdout.flush()
    return p.returncode == 0, rows


def parse(rows):
    """RESULT rows keyed by (kind, cx, cy), numbers as floats where they are numbers."""
    out = {}
    for r in rows:
        vals = []
        for v in r[3:]:
            try:
                vals.append(float(v))
            except ValueError:
                vals.append(v)
        out[(r[0], int(r[1]), int(r[2]))] = vals
    return out


def buffer_bytes(cx, cy):
    return cx * cy * 4.0


def summary(res):
    print("\n==== Drag step (median per step) ====")
    print("%-10s %9s %12s %12s %9s %9s %11s %9s %9s" % (
        "screen", "store us", "incr+dirty", "full+full", "memcpy", "full/inc", "inc/memcpy",
        "1px call", "inc/call"))
    for cx, cy in SIZES:
        p = res.get(("present", cx, cy))
        s = res.get(("store", cx, cy))
        if not p:
            continue
        inc, full, mem, _first, floor = p[0], p[1], p[2], p[3], p[4]
        print("%-10s %9s %9.1f ms %9.1f ms %6.2f ms %8.1fx %10.1fx %6.1f ms %8.2fx" % (
            "%dx%d" % (cx, cy), "%.1f" % s[0] if s else "-", inc, full, mem, full / inc,
            inc / mem, floor, inc / floor))
    print("store us: the incremental strip update alone (no present).  1px call: one layered-"
          "window\nupdate with a 1 x 1 dirty rectangle, the fixed cost of any present here.")

    print("\n==== Start-up: process start to the dimmed overlay on screen (median) ====")
    print("%-10s %12s %12s %15s" % ("screen", "minimal", "Snapshot.exe", "engine/minimal"))
    for cx, cy in SIZES:
        s = res.get(("startup", cx, cy))
        if not s:
            continue
        m, e = s[0], s[1]
        print("%-10s %9.0f ms %9.0f ms %14.2fx" % ("%dx%d" % (cx, cy), m, e, e / m if m else 0))

    print("\n==== Engine start-up timeline (median ms since its process started) ====")
    for cx, cy in SIZES:
        t = res.get(("timeline", cx, cy))
        s = res.get(("startup", cx, cy))
        if not t:
            continue
        marks = [v.split("=") for v in t if isinstance(v, str) and "=" in v]
        line = "  ".join("%s %.0f" % (n, float(ms)) for n, ms in marks)
        print("%-10s %s  | shown %.0f" % ("%dx%d" % (cx, cy), line, s[1] if s else 0))

    print("\n==== Copy of a whole-screen selection (median ms) ====")
    print("%-10s %13s %8s %7s %13s %10s %16s" % (
        "screen", "compose+pack", "memcpy", "ratio", "hide (apart)", "clipboard", "via an image"))
    for cx, cy in SIZES:
        c = res.get(("copy", cx, cy))
        if not c:
            continue
        compose, mem, hide, clip, separate = c[:5]
        print("%-10s %13.2f %8.2f %6.2fx %13.2f %10.2f %9.2f (%.1fx)" % (
            "%dx%d" % (cx, cy), compose, mem, compose / mem if mem else 0, hide, clip,
            separate, separate / mem if mem else 0))
    print("compose+pack: the final picture packed into the 24-bit clipboard block; hide: the copy "
          "command\nhiding the capture windows; clipboard: allocating the block, opening the "
          "clipboard, handing it over;\nvia an image: composing into a picture of its own first "
          "and packing from it, as the copy did before.")

    b = res.get(("board", 1920, 1080))
    if b:
        print("\n==== Annotation board on a 1920x1080 selection (median ms) ====")
        print("rebuild of the background:  10 objects %8.2f   100 objects %8.2f   1000 objects %8.2f"
              % (b[0], b[1], b[2]))
        print("brush drag step, 2,000 points, settled objects:    0: %6.2f   100: %6.2f   "
              "1000: %6.2f" % (b[3], b[4], b[5]))
        print("  the same with the capture window's compose:       0: %6.2f   100: %6.2f   "
              "1000: %6.2f" % (b[6], b[7], b[8]))
        print("rebuild: the frozen pixels copied and every live object drawn again (shapes up to "
              "400 pixels\nacross); a drag step draws the stroke alone, over the settled objects' "
              "background.")

    print("\n==== Memory (working set, median; buffer = one cx x cy x 4 picture) ====")
    print("%-10s %10s %11s %20s %20s %14s" % (
        "screen", "1 buffer", "frozen+ovl", "engine peak / held", "minimal peak / held",
        "engine-minimal"))
    pts = {"engine peak": [], "engine held": [], "minimal peak": [], "minimal held": []}
    for cx, cy in SIZES:
        m = res.get(("memory", cx, cy))
        if not m:
            continue
        buf = buffer_bytes(cx, cy)
        for key, v in zip(("engine peak", "engine held", "minimal peak", "minimal held"), m):
            pts[key].append((buf, v))
        print("%-10s %6.1f MiB %7.1f MiB %8.0f / %4.0f MiB %8.0f / %4.0f MiB %6.1f buffers" % (
            "%dx%d" % (cx, cy), buf / MIB, 2 * buf / MIB, m[0] / MIB, m[1] / MIB, m[2] / MIB,
            m[3] / MIB, (m[0] - m[2]) / buf))
    for name, p in pts.items():
        if len(p) >= 2:
            # Least-squares slope of bytes over buffer bytes: how many full-screen buffers the
            # process holds, whatever its fixed part (Wine's DLLs and heaps).
            n = len(p)
            mx = sum(x for x, _ in p) / n
            my = sum(y for _, y in p) / n
            slope = sum((x - mx) * (y - my) for x, y in p) / sum((x - mx) ** 2 for x, _ in p)
            print("%-13s %4.1f full-screen buffers + %3.0f MiB" % (
                name + ":", slope, (my - slope * mx) / MIB))
    print("""
Full-screen buffers of the engine (cx x cy x 4 bytes each):
  held for the whole capture, by the engine:
    frozen desktop                 painted by the backdrop, sampled by the magnifier, the
                                   source of the final picture
    overlay buffer                 the reference buffer ((cx+9) x (cy+9) + 9 pixels)
  held for the whole capture, by Wine inside the process:
    overlay's layered surface      what the layered window shows
    backdrop dialog's surface      (painted as soon as it is shown, before the overlay)
  transient:
    one temporary bitmap in every  Wine copies the whole window surface into it and back on
    layered-window update          every update, with or without a dirty rectangle
""")


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    bin_dir = os.path.abspath(sys.argv[1])
    runs = 7
    if "--runs" in sys.argv:
        runs = int(sys.argv[sys.argv.index("--runs") + 1])
    exe = lambda name: os.path.join(bin_dir, name)  # noqa: E731
    rows, ok = [], True
    print("load average at start: %.1f %.1f %.1f (timings are wall-clock medians)" % os.getloadavg())
    for i, (cx, cy) in enumerate(SIZES):
        print("\n######## test desktop %dx%d" % (cx, cy), flush=True)
        d = Desktop(size=(cx, cy)).start()
        try:
            steps = []
            if i == 0:
                steps.append(([exe("drag_step_bench.exe")], 300))
                steps.append(([exe("board_bench.exe"), str(runs)], 1800))
            if (cx, cy) in DRAG_SIZES:
                steps.append(([exe("present_bench.exe")], 600))
            steps.append(([exe("startup_bench.exe"), exe("Snapshot.exe"),
                           exe("minimal_capture.exe"), str(runs)], 1200))
            steps.append(([exe("copy_bench.exe"), exe("Snapshot.exe")], 600))
            for argv, timeout in steps:
                good, r = run(d, argv, timeout)
                ok = ok and good
                rows += r
        finally:
            d.stop()
    summary(parse(rows))
    if not ok:
        print("\nSOME BENCHMARKS FAILED (see above)")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
