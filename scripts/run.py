"""The main job: the launcher under Wine on this display, or a scripted demo without one.

    python3 scripts/run.py BUILD_DIR

The 32-bit build (BUILD_DIR/win/bin) runs where this machine runs 32-bit programs, else the
64-bit one (BUILD_DIR/win64/bin); the command says which. With DISPLAY set, Lumetta.exe is copied to out/lumetta/ and started there under Wine (it writes
Snapshot.exe beside itself, as it does on Windows); the command returns when the launcher ends.

Without a display, a virtual desktop (Xvfb, compositor) shows the test picture, the engine is
started, a region is dragged out and copied, and out/demo/ receives what the user saw
(screen.png) and what landed on the clipboard (capture.png).
"""

import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "gui"))

from desktop import Desktop  # noqa: E402
from wine_arch import LOADERS, choose  # noqa: E402


def run_launcher(bin_dir):
    folder = os.path.join(ROOT, "out", "lumetta")
    os.makedirs(folder, exist_ok=True)
    shutil.copy2(os.path.join(bin_dir, "Lumetta.exe"), folder)
    print("Starting %s/Lumetta.exe under Wine on %s" % (folder, os.environ["DISPLAY"]))
    env = dict(os.environ, WINEDEBUG=os.environ.get("WINEDEBUG", "-all"))
    return subprocess.call([os.environ["LUMETTA_WINE"], os.path.join(folder, "Lumetta.exe")],
                           cwd=folder, env=env)


def run_demo(bin_dir):
    out = os.path.join(ROOT, "out", "demo")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    d = Desktop.shared()
    try:
        d.wine(os.path.join(bin_dir, "testdesk.exe"), "--children")
        d.wait_for_window("Lumetta test desktop")
        time.sleep(1.0)
        engine = d.wine(os.path.join(bin_dir, "Snapshot.exe"))
        time.sleep(3.0)
        d.xdotool("mousemove", 140, 160)
        time.sleep(0.3)
        d.xdotool("mousedown", 1)
        for step in range(1, 21):
            d.xdotool("mousemove", 140 + step * 25, 160 + step * 15)
            time.sleep(0.02)
        d.xdotool("mouseup", 1)
        time.sleep(1.0)
        shot = d.screenshot(os.path.join(out, "screen.png"))
        print("What the user saw: %s" % shot.path)
        d.xdotool("click", "--repeat", 2, "--delay", 80, 1)
        try:
            engine.wait(5)
        except subprocess.TimeoutExpired:
            d.xdotool("key", "Escape")  # no copy happened: leave the capture
            engine.wait(10)
        bmp = d.clipboard_bmp()
        if bmp:
            with open(os.path.join(out, "capture.bmp"), "wb") as f:
                f.write(bmp)
            subprocess.run(["convert", os.path.join(out, "capture.bmp"),
                            os.path.join(out, "capture.png")], check=True)
            os.remove(os.path.join(out, "capture.bmp"))
            print("What the capture copied: %s" % os.path.join(out, "capture.png"))
        else:
            print("The engine put no image on the clipboard.")
    finally:
        d.stop()
    print("Demo output is in %s" % out)
    return 0


def main():
    arch, why = choose()
    os.environ["LUMETTA_WINE"] = LOADERS[arch]
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    bin_dir = os.path.join(build, "win" if arch == "i686" else "win64", "bin")
    print("Running the %s build: %s" % (arch, why))
    if os.environ.get("DISPLAY"):
        return run_launcher(bin_dir)
    return run_demo(bin_dir)


if __name__ == "__main__":
    sys.exit(main())
