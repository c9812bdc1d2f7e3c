"""Which Wine loader runs the Windows programs here, and which build the tests should exercise.

Some machines of ours cannot execute 32-bit programs at all: there the 32-bit Wine loader fails
with "Exec format error" and only the 64-bit loader runs. Debian's `wine` wrapper still picks
the 32-bit loader whenever it is installed, so the tools call the loaders by their own paths.

    python3 tests/gui/wine_arch.py           # prints "i686" or "x86_64" and the reason
    python3 tests/gui/wine_arch.py --target  # prints the make target of that build

LUMETTA_WINE names the loader explicitly (the test runner sets it for the build under test);
TEST_ARCH=i686 or TEST_ARCH=x86_64 forces the choice of build.
"""

import os
import subprocess
import sys

LOADER_32 = "/usr/lib/wine/wine"
LOADER_64 = "/usr/lib/wine/wine64"
LOADERS = {"i686": LOADER_32, "x86_64": LOADER_64}


def _starts(loader):
    """(True, "") when the loader starts here, else (False, what it said)."""
    try:
        p = subprocess.run([loader, "--version"], capture_output=True, text=True, timeout=60)
    except OSError as e:
        return False, str(e)
    if p.returncode == 0:
        return True, ""
    return False, (p.stderr.strip() or "exit %d" % p.returncode).splitlines()[-1]


def runs_32bit():
    return _starts(LOADER_32)[0]


def choose():
    """(arch, reason): the build whose Windows and GUI tests run on this machine."""
    forced = os.environ.get("TEST_ARCH")
    if forced:
        if forced not in LOADERS:
            raise SystemExit("TEST_ARCH must be i686 or x86_64, not %r" % forced)
        return forced, "forced by TEST_ARCH"
    ok, said = _starts(LOADER_32)
    if ok:
        return "i686", "the 32-bit Wine loader runs here (the shipped build)"
    return "x86_64", "the 32-bit Wine loader cannot run here (%s)" % said


def loader():
    """The loader for Windows programs: LUMETTA_WINE, else the one for the chosen build."""
    return os.environ.get("LUMETTA_WINE") or LOADERS[choose()[0]]


if __name__ == "__main__":
    arch, why = choose()
    if sys.argv[1:] == ["--target"]:
        print({"i686": "win", "x86_64": "win64"}[arch])
    else:
        print("%s (%s)" % (arch, why))
    sys.exit(0)
