"""Runs the benchmarks under Wine on a virtual display large enough for every screen measured.

    python3 bench/run.py BIN_DIR
"""

import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "gui"))

from desktop import Desktop  # noqa: E402


def main():
    bin_dir = os.path.abspath(sys.argv[1])
    d = Desktop(size=(7680, 2160)).start()
    try:
        for name in ["drag_step_bench.exe", "present_bench.exe"]:
            print("== %s" % name, flush=True)
            subprocess.run(["wine", os.path.join(bin_dir, name)], env=d.env(), check=True)
    finally:
        d.stop()


if __name__ == "__main__":
    main()
