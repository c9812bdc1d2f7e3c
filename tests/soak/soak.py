"""Soak: many captures through the launcher's hotkey on one test desktop, with kills, checking
that the user's settings and hotkey survive everything and that nothing piles up.

    python3 tests/soak/soak.py BUILD_OR_BIN_DIR [--captures N] [--engine-kills K]
                               [--launcher-kills L] [--seed S]

Given the build folder, it runs the build this machine runs (tests/gui/wine_arch.py); given a
bin folder, the Lumetta.exe and test programs in it (LUMETTA_WINE then names the Wine loader).
It makes its own test desktop unless it runs inside one (tests/gui/desktop.py). The launcher runs from a folder of its own, writes the real engine beside itself
and holds F3 from its GB 936 hotkey file; the engine's settings live in a folder named by the
host's registry value, seeded with a user's UTF-16 settings file that lacks the [Common] section,
so that every engine that ends normally must rewrite the file.

  * captures: F3 over the test desktop picture, a drag, a double-click; the engine must end, the
    clipboard must hold exactly the dragged pixels, and Config.ini must be the seed plus the one
    new key, whole.
  * engine kills: a capture whose engine is killed (SIGKILL) at a random moment, from the frozen
    screen to the end of its exit; Config.ini must then be the seed or the finished file, nothing
    in between, and the next capture must come up.
  * launcher kills: a burst of hotkey choices from the menu, the launcher killed at a random moment
    in it; the hotkey file must be whole and name one of F1 to F5, and a new launcher must hold
    that key.

At the start and every 10 captures it prints the launcher's memory and threads, the X server's
clients, windows and pixmaps (xrestop), and the engine's peak memory and threads in the last
captures. It ends with a summary and exits non-zero on any failure.
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "gui"))

from capture_session import FRAME, close, desk_pixel, dimmed, hole, parse_bmp, picture  # noqa: E402
from desktop import Desktop, wait_until  # noqa: E402
from wine_arch import choose, loader  # noqa: E402

INI = "热键配置.ini"
NAME_GB = "配置名".encode("gbk")
WM_COMMAND, CLOSE = 0x0111, 2002
F_KEYS = range(112, 117)

# A user's settings file: UTF-16LE, a hand-written key the engine never writes, a Chinese face.
# Every key the engine writes is there with the value it will write, except [Common] SaveType.
SEED_TEXT = ("[ColorTbArrow]\r\nDotStyle=2\r\nLineStyle=1\r\nCrStyle=12\r\n"
             "[ColorTbEllipse]\r\nDotStyle=1\r\nCrStyle=3\r\n"
             "[ColorTbPolyline]\r\nDotStyle=0\r\nCrStyle=10\r\n"
             "[ColorTbRectangle]\r\nDotStyle=0\r\nCrStyle=5\r\n"
             "[Extra]\r\nnote=截图 soak\r\n"
             "[TextTb]\r\nfHeight=24\r\nfName=宋体\r\nfBold=1\r\nfItalic=0\r\nfCr=7\r\n")
SEED = b"\xff\xfe" + SEED_TEXT.encode("utf-16-le")
FINISHED = b"\xff\xfe" + (SEED_TEXT + "[Common]\r\nSaveType=.png\r\n").encode("utf-16-le")

# Regions dragged in turn: over the desktop picture and its child windows.
REGIONS = [(333, 211, 612, 457), (120, 500, 420, 700), (700, 100, 1000, 350),
           (540, 180, 900, 560), (60, 60, 260, 200)]


class Failure(Exception):
    pass


class Soak:
    def __init__(self, folder, rng):
        if not os.path.exists(os.path.join(folder, "Lumetta.exe")):
            folder = os.path.join(folder, {"i686": "win", "x86_64": "win64"}[choose()[0]], "bin")
        self.bin = os.path.abspath(folder)
        self.rng = rng
        self.desk = Desktop.shared()
        self.tmp = tempfile.mkdtemp(prefix="lumetta-soak-")
        self.folder = os.path.join(self.tmp, "launcher")
        self.data = os.path.join(self.tmp, "data")
        self.config = os.path.join(self.data, "Plugin", "Screenshot", "Config.ini")
        self.launcher = None
        self.counts = dict(captures=0, exits=0, clipboard_ok=0, settings_ok=0,
                           engine_kills=0, engine_kills_intact=0, tmp_left=0,
                           recovered=0, launcher_kills=0, launcher_kills_intact=0)
        self.failures = []
        self.engine_peaks = []  # (rss kB, threads) per capture since the last report

    # ---- processes -------------------------------------------------------------------------
    def wine_pids(self, name):
        """Linux pids of the Windows processes named `name` in this desktop's Wine prefix."""
        pids = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/comm" % entry) as f:
                    if f.read().strip() != name:
                        continue
                with open("/proc/%s/environ" % entry, "rb") as f:
                    env = f.read().split(b"\0")
            except OSError:
                continue
            if ("WINEPREFIX=%s" % self.desk.prefix).encode() in env:
                pids.append(int(entry))
        return pids

    @staticmethod
    def status(pid):
        """(resident kB, threads) of a process, or None once it is gone."""
        try:
            with open("/proc/%d/status" % pid) as f:
                fields = dict(line.split(":", 1) for line in f if ":" in line)
            return int(fields["VmRSS"].split()[0]), int(fields["Threads"])
        except (OSError, KeyError, ValueError):
            return None

    def probe(self, *args):
        p = self.desk.wine(os.path.join(self.bin, "launcher_probe.exe"), *[str(a) for a in args],
                           stdout=subprocess.PIPE)
        out, _ = p.communicate(timeout=60)
        return p.returncode, out.decode("utf-8", "replace")

    def held(self):
        return [int(k) for k in self.probe("held")[1].split()]

    def start_launcher(self):
        self.launcher = self.desk.wine(os.path.join(self.folder, "Lumetta.exe"))
        if self.probe("ready")[0] != 0:
            raise Failure("the launcher's window never came up")

    # ---- set-up ----------------------------------------------------------------------------
    def set_up(self):
        os.makedirs(self.folder)
        shutil.copy(os.path.join(self.bin, "Lumetta.exe"), self.folder)
        self.write_hotkey_file(114)
        os.makedirs(os.path.dirname(self.config))
        self.reset_config()
        data = self.desk.winepath(self.data)
        base = [loader(), "reg", "add", "HKCU\\Software\\Corvane\\CorvanePinyin", "/v", "AppData",
                "/d", data, "/f"]
        if subprocess.run(base + ["/reg:64"], env=self.desk.env(), capture_output=True,
                          timeout=120).returncode != 0:
            subprocess.run(base, env=self.desk.env(), capture_output=True, check=True, timeout=120)
        self.desk.wine(os.path.join(self.bin, "testdesk.exe"), "--children")
        if not self.desk.wait_for_window("Lumetta test desktop"):
            raise Failure("no test desktop picture")
        self.start_launcher()
        if self.held() != [114]:
            raise Failure("F3 from the hotkey file is not held")
        self.desk.xdotool("mousemove", 700, 700)
        time.sleep(0.5)

    def write_hotkey_file(self, key):
        with open(os.path.join(self.folder, INI), "wb") as f:
            f.write(b"[" + NAME_GB + b"]\r\n" + NAME_GB + b"=" + str(key).encode() + b"\r\n")

    def reset_config(self):
        with open(self.config, "wb") as f:
            f.write(SEED)

    def config_bytes(self):
        with open(self.config, "rb") as f:
            return f.read()

    # ---- one capture -----------------------------------------------------------------------
    # Points of the plain desktop picture, clear of its child windows and of Wine's tray window.
    PLAIN = ((300, 700), (1200, 780))

    def capture_is_up(self):
        """The frozen screen: dimmed, or the full-screen picture highlighted (its frame)."""
        shot = self.desk.screenshot()
        x, y = self.PLAIN[0]
        rgb = shot.pixel(x, y)
        return (close(rgb, dimmed(desk_pixel(x, y)), 2) or close(rgb, hole(desk_pixel(x, y)), 1)
                or shot.pixel(1, 400) == FRAME)

    def screen_is_plain(self):
        shot = self.desk.screenshot()
        return all(shot.pixel(x, y) == desk_pixel(x, y) for x, y in self.PLAIN)

    def start_capture(self):
        """Presses F3; returns the engine's pid once its frozen screen is up."""
        if self.wine_pids("Snapshot.exe"):
            raise Failure("an engine is still running before the press")
        self.desk.xdotool("mousemove", 700, 700)
        self.desk.xdotool("key", "F3")
        pids = wait_until(lambda: self.wine_pids("Snapshot.exe"), 20, 0.1)
        if not pids:
            raise Failure("F3 started no engine")
        if not wait_until(self.capture_is_up, 20, 0.2):
            raise Failure("the engine started but no capture came up")
        return pids[0]

    def drag_and_copy(self, region):
        x0, y0, x1, y1 = region
        d = self.desk
        d.xdotool("mousemove", x0, y0)
        time.sleep(0.2)
        d.xdotool("mousedown", 1)
        for i in range(1, 9):
            d.xdotool("mousemove", x0 + (x1 - x0) * i // 8, y0 + (y1 - y0) * i // 8)
            time.sleep(0.03)
        d.xdotool("mouseup", 1)
        time.sleep(0.6)
        d.xdotool("mousemove", (x0 + x1) // 2, (y0 + y1) // 2)
        time.sleep(0.3)
        d.xdotool("click", "--repeat", 2, "--delay", 60, 1)

    def clipboard_shows(self, region):
        l, t, r, b = region
        try:
            width, height, rows = parse_bmp(self.desk.clipboard_bmp())
        except ValueError:
            return False
        if (width, height) != (r - l, b - t):
            return False
        return all(rgb == picture(x + l, y + t) for y, row in enumerate(rows)
                   for x, rgb in enumerate(row))

    def capture(self, n):
        self.reset_config()
        region = REGIONS[n % len(REGIONS)]
        pid = self.start_capture()
        peak = self.status(pid) or (0, 0)
        self.drag_and_copy(region)
        deadline = time.monotonic() + 20
        while True:  # sample the engine until it ends
            s = self.status(pid)
            if s is None:
                break
            peak = max(peak, s)
            if time.monotonic() > deadline:
                raise Failure("capture %d: the engine did not end after the copy" % n)
            time.sleep(0.1)
        self.engine_peaks.append(peak)
        self.counts["captures"] += 1
        self.counts["exits"] += 1
        if self.clipboard_shows(region):
            self.counts["clipboard_ok"] += 1
        else:
            self.failures.append("capture %d: the clipboard does not hold the region" % n)
        if self.config_bytes() == FINISHED:
            self.counts["settings_ok"] += 1
        else:
            self.failures.append("capture %d: Config.ini is not the finished file" % n)
        if not wait_until(self.screen_is_plain, 10, 0.2):
            shot = self.desk.screenshot(os.path.join(tempfile.gettempdir(), "soak-stuck.png"))
            raise Failure("capture %d: the frozen screen stayed up (see %s)" % (n, shot.path))

    # ---- kills -----------------------------------------------------------------------------
    def kill_engine(self, n):
        self.reset_config()
        pid = self.start_capture()
        when = self.rng.choice(["frozen", "copying"])
        if when == "copying":
            # From the double-click into the engine's exit, where it writes the settings.
            self.drag_and_copy(REGIONS[n % len(REGIONS)])
            time.sleep(self.rng.uniform(0.0, 0.5))
        else:
            time.sleep(self.rng.uniform(0.0, 1.0))
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        wait_until(lambda: not self.wine_pids("Snapshot.exe"), 20, 0.1)
        self.counts["engine_kills"] += 1
        config = self.config_bytes()
        if config in (SEED, FINISHED):
            self.counts["engine_kills_intact"] += 1
        else:
            self.failures.append("engine kill %d (%s): Config.ini damaged: %r" % (n, when, config[:80]))
        if os.path.exists(self.config + ".tmp"):
            self.counts["tmp_left"] += 1  # harmless: the next save writes over it
        wait_until(self.screen_is_plain, 10, 0.2)
        # The next capture must come up: nothing of the killed one may stand in its way.
        self.start_capture()
        self.desk.xdotool("key", "Escape")
        if not wait_until(lambda: not self.wine_pids("Snapshot.exe"), 20, 0.1):
            raise Failure("engine kill %d: the next capture did not end on Esc" % n)
        self.counts["recovered"] += 1
        wait_until(self.screen_is_plain, 10, 0.2)

    def kill_launcher(self, n):
        keys = [self.rng.choice(F_KEYS) for _ in range(12)]
        args = []
        for key in keys:
            args += [WM_COMMAND, 2000 + key, 0]
        self.probe("post", *args)
        time.sleep(self.rng.uniform(0.0, 0.3))
        for pid in self.wine_pids("Lumetta.exe"):
            os.kill(pid, signal.SIGKILL)
        wait_until(lambda: not self.wine_pids("Lumetta.exe"), 20, 0.1)
        self.counts["launcher_kills"] += 1
        with open(os.path.join(self.folder, INI), "rb") as f:
            data = f.read()
        m = re.fullmatch(rb"\[" + NAME_GB + rb"\]\r\n" + NAME_GB + rb"=(\d+)\r\n", data)
        key = int(m.group(1)) if m else None
        self.start_launcher()
        held = self.held()
        if key in F_KEYS and held == [key]:
            self.counts["launcher_kills_intact"] += 1
        else:
            self.failures.append("launcher kill %d: hotkey file %r, held %r" % (n, data, held))
        # Back to F3 for the captures that follow.
        self.probe("send", WM_COMMAND, 2000 + 114, 0)
        if self.held() != [114]:
            raise Failure("launcher kill %d: F3 could not be chosen again" % n)

    # ---- figures ---------------------------------------------------------------------------
    def x_resources(self):
        out = subprocess.run(["xrestop", "-b", "-m", "1"], env=self.desk.env(),
                             capture_output=True, text=True, timeout=60).stdout
        totals = dict(clients=0, windows=0, pixmaps=0, gcs=0, pixmap_kb=0)
        for line in out.splitlines():
            key, _, value = line.partition(":")
            key, value = key.strip().lower(), value.strip()
            if key == "res_base":
                totals["clients"] += 1
            elif key in ("windows", "pixmaps", "gcs"):
                totals[key] += int(value or 0)
            elif key == "pixmap bytes":
                totals["pixmap_kb"] += int(value.lstrip("~") or 0) // 1024
        return totals

    def report(self, label):
        pids = self.wine_pids("Lumetta.exe")
        launcher = self.status(pids[0]) if pids else None
        x = self.x_resources()
        peaks = self.engine_peaks
        engine = ("engine peak %d-%d MB, %d-%d threads" %
                  (min(p[0] for p in peaks) // 1024, max(p[0] for p in peaks) // 1024,
                   min(p[1] for p in peaks), max(p[1] for p in peaks))) if peaks else "engine -"
        self.engine_peaks = []
        print("%-12s launcher %s | X %d clients, %d windows, %d pixmaps (%d kB), %d GCs | %s" % (
            label, "%d MB, %d threads" % (launcher[0] // 1024, launcher[1]) if launcher else "gone",
            x["clients"], x["windows"], x["pixmaps"], x["pixmap_kb"], x["gcs"], engine),
            flush=True)

    def tear_down(self):
        if self.wine_pids("Lumetta.exe"):
            self.probe("post", WM_COMMAND, CLOSE, 0)
            wait_until(lambda: not self.wine_pids("Lumetta.exe"), 20, 0.2)
        self.desk.kill_started()
        shutil.rmtree(self.tmp, ignore_errors=True)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("bin")
    parser.add_argument("--captures", type=int, default=100)
    parser.add_argument("--engine-kills", type=int, default=20)
    parser.add_argument("--launcher-kills", type=int, default=10)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    args = parser.parse_args(argv)
    print("soak: %d captures, %d engine kills, %d launcher kills, seed %d" % (
        args.captures, args.engine_kills, args.launcher_kills, args.seed), flush=True)
    soak = Soak(args.bin, random.Random(args.seed))
    started = time.monotonic()
    try:
        soak.set_up()
        soak.report("start")
        kills_every = max(1, args.captures // max(1, args.engine_kills))
        kills = 0
        for n in range(1, args.captures + 1):
            soak.capture(n)
            if kills < args.engine_kills and n % kills_every == 0:
                soak.kill_engine(kills)
                kills += 1
            if n % 10 == 0:
                soak.report("capture %d" % n)
        while kills < args.engine_kills:
            soak.kill_engine(kills)
            kills += 1
        for n in range(args.launcher_kills):
            soak.kill_launcher(n)
        soak.report("end")
    except Failure as e:
        soak.failures.append(str(e))
    finally:
        soak.tear_down()
    c = soak.counts
    print("soak: %d captures, %d engine exits, clipboard right %d, settings right %d; "
          "engine kills %d (settings whole %d, temp file left %d, next capture up %d); "
          "launcher kills %d (hotkey whole and held %d); %.0f s" % (
              c["captures"], c["exits"], c["clipboard_ok"], c["settings_ok"], c["engine_kills"],
              c["engine_kills_intact"], c["tmp_left"], c["recovered"], c["launcher_kills"],
              c["launcher_kills_intact"], time.monotonic() - started))
    for failure in soak.failures:
        print("FAILED: " + failure)
    checks = c["captures"] * 2 + c["engine_kills"] * 2 + c["launcher_kills"]
    failed = len(soak.failures)
    print("soak: %d passed, %d failed" % (max(0, checks - failed), failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
