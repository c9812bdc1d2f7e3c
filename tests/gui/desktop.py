"""A GUI test desktop: Xvfb with a compositor, pointer-root keyboard focus and one Wine prefix.

Used two ways:
  * as a library by the GUI tests (``Desktop.shared()``), which attach to the session below when
    it runs, or else start a private one for the test process;
  * as a command that wraps another command in a fresh session:
        python3 tests/gui/desktop.py [--size 1280x800] -- ctest ...
    so that every Wine program of a test run shares one display and one prefix (a prefix takes
    about 10 s to make).

Why each piece is there:
  * xcompmgr: without a compositor, per-pixel-alpha layered windows show unblended (the engine's
    dim layer turns black);
  * PointerRoot focus: no window manager gives focus, so without it Wine never sees keys and hot
    keys never fire;
  * Wine in its normal mode (not a virtual desktop): there, layered windows are not composited.

The session only ever kills processes it started itself.
"""

import atexit
import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from wine_arch import loader

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_SIZE = (1280, 800)


def desk_pixel(x, y):
    """RGB of the test desktop picture at (x, y); must match DeskPixel() in programs/testdesk.cpp."""
    r = (x * 7 + y) & 0xFF
    g = (y * 5 + (x >> 3)) & 0xFF
    b = ((x >> 4) * 16 + (y >> 4) * 8) & 0xFF
    return (r, g, b)


# Child windows of the test desktop (x, y, width, height, RGB); must match programs/testdesk.cpp.
CHILDREN = [
    (100, 120, 300, 200, (200, 40, 40)),
    (500, 150, 240, 320, (40, 160, 60)),
    (820, 420, 260, 180, (40, 60, 200)),
]


def wait_until(pred, timeout, step=0.05):
    """pred() once it is truthy, polling every `step` seconds for up to `timeout` seconds."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        v = pred()
        if v:
            return v
        time.sleep(step)
    return pred()


class Image:
    """An RGB screenshot held in memory (rows top to bottom, 3 bytes a pixel)."""

    def __init__(self, width, height, data, path=None):
        self.width, self.height, self.data, self.path = width, height, data, path

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])


class Desktop:
    _shared = None

    def __init__(self, size=DEFAULT_SIZE):
        self.size = size
        self.display = None
        self.prefix = None
        self.owns_session = False
        self._procs = []          # processes we started, newest last
        self._session_procs = []  # Xvfb and the compositor
        self._tmp = None

    # ---- session -------------------------------------------------------------------------
    @classmethod
    def shared(cls):
        """The desktop of this test process: the enclosing session's, or a private one."""
        if cls._shared is None:
            d = cls()
            if os.environ.get("LUMETTA_DESKTOP") and os.environ.get("WINEPREFIX"):
                d.display = os.environ["LUMETTA_DESKTOP"]
                d.prefix = os.environ["WINEPREFIX"]
                w, h = os.environ.get("LUMETTA_DESKTOP_SIZE", "%dx%d" % DEFAULT_SIZE).split("x")
                d.size = (int(w), int(h))
            else:
                d.start()
            atexit.register(d.stop)
            cls._shared = d
        return cls._shared

    def start(self):
        self.owns_session = True
        self._tmp = tempfile.mkdtemp(prefix="lumetta-desktop-")
        self.display = self._start_xvfb()
        self._session_procs.append(subprocess.Popen(
            ["xcompmgr"], env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.set_pointer_root_focus()
        self.prefix = os.path.join(self._tmp, "wineprefix")
        subprocess.run([loader(), "wineboot", "-i"], env=self.env(), check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=180)
        # No window manager runs here: Wine's wait for one to withdraw a hidden "managed" window
        # would stall every hide for seconds. Unmanaged windows behave as on Windows.
        subprocess.run([loader(), "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed",
                        "/d", "N", "/f"], env=self.env(), check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120)
        # The engine's widgets ask for the face "宋体", which every Chinese Windows has; here a
        # CJK font of the distribution stands in for it (otherwise Chinese shows as boxes).
        subprocess.run([loader(), "reg", "add", "HKCU\\Software\\Wine\\Fonts\\Replacements", "/v",
                        "宋体", "/d", "Droid Sans Fallback", "/f"], env=self.env(), check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        # Wait for the prefix's start-up programs to finish: otherwise the first window a test
        # creates waits about 10 s for them.
        subprocess.run(["wineserver", "-w"], env=self.env(), timeout=120)
        return self

    def _start_xvfb(self):
        for n in range(90, 200):
            if os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
                continue
            w, h = self.size
            p = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "%dx%dx24" % (w, h),
                                  "-nolisten", "tcp", "-noreset"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % n) or p.poll() is not None, 10) \
                    and p.poll() is None:
                self._session_procs.append(p)
                return ":%d" % n
            if p.poll() is None:
                p.kill()
        raise RuntimeError("no free X display for Xvfb")

    def set_pointer_root_focus(self):
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        dpy = x11.XOpenDisplay(self.display.encode())
        if not dpy:
            raise RuntimeError("cannot open display %s" % self.display)
        POINTER_ROOT, REVERT_TO_POINTER_ROOT, CURRENT_TIME = 1, 1, 0
        x11.XSetInputFocus(dpy, POINTER_ROOT, REVERT_TO_POINTER_ROOT, CURRENT_TIME)
        x11.XCloseDisplay(dpy)

    def env(self, **extra):
        e = dict(os.environ)
        e["DISPLAY"] = self.display
        if self.prefix:
            e["WINEPREFIX"] = self.prefix
        e["WINEDEBUG"] = e.get("WINEDEBUG", "-all")
        e["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winemenubuilder.exe=d"
        e["LUMETTA_DESKTOP"] = self.display
        e["LUMETTA_DESKTOP_SIZE"] = "%dx%d" % self.size
        e.update(extra)
        return e

    def stop(self):
        self.kill_started()
        if self.owns_session:
            subprocess.run(["wineserver", "-k"], env=self.env(), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=30)
            for p in reversed(self._session_procs):
                if p.poll() is None:
                    p.terminate()
                    try:
                        p.wait(5)
                    except subprocess.TimeoutExpired:
                        p.kill()
            self._session_procs = []
            if self._tmp:
                shutil.rmtree(self._tmp, ignore_errors=True)
            self.owns_session = False

    # ---- processes -----------------------------------------------------------------------
    def spawn(self, argv, **kw):
        kw.setdefault("stdout", subprocess.DEVNULL)
        kw.setdefault("stderr", subprocess.DEVNULL)
        p = subprocess.Popen(argv, env=kw.pop("env", None) or self.env(), **kw)
        self._procs.append(p)
        return p

    def wine(self, exe, *args, **kw):
        """Start a Windows program under Wine; returns its Popen (the Windows process itself)."""
        return self.spawn([loader(), exe] + list(args), **kw)

    def winepath(self, path, to="-w"):
        """`path` converted by Wine's winepath (-w: to a Windows path, -u: to a Unix path)."""
        return subprocess.run([loader(), "winepath", to, path], env=self.env(),
                              capture_output=True, text=True, timeout=60).stdout.strip()

    def kill_started(self):
        for p in reversed(self._procs):
            if p.poll() is None:
                p.kill()
                try:
                    p.wait(10)
                except subprocess.TimeoutExpired:
                    pass
        self._procs = []

    # ---- X helpers -----------------------------------------------------------------------
    def xdotool(self, *args):
        return subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env(),
                              capture_output=True, text=True, timeout=30).stdout

    def find_windows(self, name):
        out = self.xdotool("search", "--onlyvisible", "--name", name)
        return [int(w) for w in out.split()]

    def wait_for_window(self, name, timeout=30):
        return wait_until(lambda: self.find_windows(name), timeout, 0.2)

    def start_picture(self, exe, *args, name="Lumetta test desktop", timeout=20):
        """Starts the full-screen picture program and waits for its window; returns its Popen.
        A start whose window never shows (seen once in CI on a loaded machine, with nothing
        wrong in the program) is reported on stderr and tried once more."""
        for attempt in (1, 2):
            proc = self.wine(exe, *args)
            if self.wait_for_window(name, timeout):
                return proc
            sys.stderr.write("%s: no window after %d s (attempt %d, exit status %r, windows %r)\n"
                             % (os.path.basename(exe), timeout, attempt, proc.poll(),
                                self.xdotool("search", "--name", name).split()))
            proc.kill()
            proc.wait(10)
        return None

    def screenshot(self, path=None):
        """What a user sees (composited), as an Image; also saved as PNG when path is given."""
        if path is None:
            path = os.path.join(self._tmp or tempfile.gettempdir(), "shot-%d.png" % os.getpid())
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       env=self.env(), check=True, timeout=60)
        raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                             capture_output=True, timeout=60).stdout
        w, h = self.size
        if len(raw) != w * h * 3:
            raise RuntimeError("unexpected screenshot size")
        return Image(w, h, raw, path)

    def wait_for_screen(self, pred, timeout=10):
        """The first screenshot for which pred(shot) holds, polling for up to `timeout` seconds;
        the last one taken when none does (the caller's assertions then say what is wrong)."""
        end = time.monotonic() + timeout
        shot = self.screenshot()
        while not pred(shot) and time.monotonic() < end:
            time.sleep(0.05)
            shot = self.screenshot()
        return shot

    def clipboard_bmp(self):
        """The clipboard as a BMP file read by an X11 client (None when it holds no image)."""
        r = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/bmp", "-o"],
                           env=self.env(), capture_output=True, timeout=30)
        return r.stdout if r.returncode == 0 and r.stdout else None


def main(argv):
    size = DEFAULT_SIZE
    if "--" not in argv:
        print("usage: desktop.py [--size WxH] -- command ...", file=sys.stderr)
        return 2
    i = argv.index("--")
    opts, cmd = argv[:i], argv[i + 1:]
    if len(opts) == 2 and opts[0] == "--size":
        w, h = opts[1].split("x")
        size = (int(w), int(h))
    d = Desktop(size).start()

    def on_signal(signum, _frame):
        d.stop()
        sys.exit(128 + signum)

    signal.signal(signal.SIGTERM, on_signal)
    try:
        return subprocess.run(cmd, env=d.env()).returncode
    finally:
        d.stop()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
