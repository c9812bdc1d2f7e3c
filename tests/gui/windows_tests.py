"""Runs the Windows tests (GoogleTest under Wine) and the GUI tests on one test desktop.

    python3 tests/gui/windows_tests.py WIN_BUILD WIN64_BUILD

The shipped product is the 32-bit build; it is tested where the machine runs 32-bit programs.
Where it cannot, the 64-bit build takes its place for every suite. Where both run, the 64-bit
build's Wine unit tests run as well, so that 64-bit regressions show up on every machine.
TEST_ARCH=i686 or TEST_ARCH=x86_64 forces one path (and only that one).
"""

import os
import subprocess
import sys

from desktop import Desktop
from wine_arch import LOADERS, choose

BUILD_OF = {"i686": 0, "x86_64": 1}


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    builds = [os.path.abspath(b) for b in argv]
    arch, why = choose()
    print("Windows and GUI tests: the %s build (%s)" % (arch, why), flush=True)
    steps = [(arch, ["ctest", "--test-dir", builds[BUILD_OF[arch]], "--output-on-failure"])]
    if arch == "i686" and not os.environ.get("TEST_ARCH"):
        print("Windows unit tests: the x86_64 build as well", flush=True)
        steps.append(("x86_64", ["ctest", "--test-dir", builds[1], "--output-on-failure",
                                 "-R", "^win_tests$"]))

    desk = Desktop().start()
    failed = []
    try:
        for step_arch, cmd in steps:
            env = desk.env(LUMETTA_WINE=LOADERS[step_arch])
            if step_arch != arch:
                # The long random board session has run on the tested build already; here a
                # tenth of it shows the other architecture's regressions.
                env.setdefault("LUMETTA_BOARD_OPS", "10000")
            if subprocess.run(cmd, env=env).returncode != 0:
                failed.append(step_arch)
    finally:
        desk.stop()
    if failed:
        print("Windows tests failed on: %s" % ", ".join(failed), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
