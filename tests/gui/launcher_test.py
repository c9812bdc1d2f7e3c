"""The launcher as a real process: the engine file it writes beside itself, its notification icon,
window and menu, the hotkey from its INI file (GB 936) and from the menu, the engine it starts on
a key press, and its log-on entry in Wine's registry.

Icon and menu events reach the launcher's window the way Windows delivers them (the icon's
callback message with the mouse message, WM_COMMAND with the item), sent or posted by
programs/launcher_probe.cpp; keys are pressed with xdotool. A stand-in engine
(programs/engine_standin.cpp) placed as Snapshot.exe records every start, since a file of that
name is never replaced."""

import os
import shutil
import subprocess
import tempfile
import time
import unittest

from desktop import Desktop, desk_pixel, wait_until

# Some checks are that something does NOT happen (no start, no crash); they give the launcher
# this long to do it wrongly.
NOTHING_HAPPENS = 1.0

BIN = os.environ.get("LUMETTA_BIN", "")

# Must match launcher/window_protocol.h.
NOTIFY = 0x8000 + 1
OPEN, CLOSE = 2001, 2002
AUTO_ON, AUTO_OFF = 1002, 1003


def key_item(vk):
    return 2000 + vk


WM_COMMAND, WM_SYSCOMMAND, SC_MINIMIZE = 0x0111, 0x0112, 0xF020
WM_LBUTTONUP, WM_LBUTTONDBLCLK = 0x0202, 0x0203
F1, F2, F3, F4, F5 = 112, 113, 114, 115, 116

INI = "热键配置.ini"
TRAY = "^Wine System Tray$"  # where Wine shows notification icons without a desktop panel


def ini_bytes(value):
    """A hotkey file as an earlier launcher wrote it on a Chinese system (GB 936)."""
    return b"[\xc5\xe4\xd6\xc3\xc3\xfb]\r\n\xc5\xe4\xd6\xc3\xc3\xfb=" + value + b"\r\n"


class LauncherCase(unittest.TestCase):
    """Launchers started in folders of a temporary directory, each closed at the end of a test;
    their window reached through programs/launcher_probe.cpp."""

    def setUp(self):
        self.desk = Desktop.shared()
        self.tmp = tempfile.mkdtemp(prefix="lumetta-launcher-")
        self.picture = None
        self.launched = []

    def tearDown(self):
        # Launchers leave through "关闭", taking their icons down, so that Wine's tray window is
        # gone from the display for the tests that follow.
        for proc in self.launched:
            if proc.poll() is None and self.probe("post", WM_COMMAND, CLOSE, 0)[0] == 0:
                try:
                    proc.wait(20)
                except subprocess.TimeoutExpired:
                    pass
        self.desk.kill_started()
        wait_until(lambda: not self.desk.find_windows(TRAY), 10)
        shutil.rmtree(self.tmp, ignore_errors=True)

    # ---- helpers ---------------------------------------------------------------------------
    def folder(self, name, launcher="Lumetta.exe", engine=None, ini=None):
        """A folder holding the launcher as `launcher`; engine: None (no file), b"" (an empty
        file) or "standin"; ini: bytes of the hotkey file."""
        path = os.path.join(self.tmp, name)
        os.makedirs(path)
        if launcher:
            shutil.copy(os.path.join(BIN, "Lumetta.exe"), os.path.join(path, launcher))
        if engine == "standin":
            shutil.copy(os.path.join(BIN, "engine_standin.exe"), os.path.join(path, "Snapshot.exe"))
        elif engine is not None:
            with open(os.path.join(path, "Snapshot.exe"), "wb") as f:
                f.write(engine)
        if ini is not None:
            with open(os.path.join(path, INI), "wb") as f:
                f.write(ini)
        return path

    def probe(self, *args):
        p = self.desk.wine(os.path.join(BIN, "launcher_probe.exe"), *[str(a) for a in args],
                           stdout=subprocess.PIPE)
        out, _ = p.communicate(timeout=60)
        return p.returncode, out.decode("utf-8")

    def launch(self, folder, name="Lumetta.exe"):
        proc = self.desk.wine(os.path.join(folder, name))
        self.launched.append(proc)
        self.assertEqual(self.probe("ready")[0], 0, "the launcher's window never came up")
        return proc

    def close(self, proc):
        """Chooses "关闭": the launcher ends normally."""
        self.assertEqual(self.probe("post", WM_COMMAND, CLOSE, 0)[0], 0)
        self.assertEqual(proc.wait(20), 0)

    def held(self):
        """The keys among F1 to F5 that a hotkey holds."""
        return [int(k) for k in self.probe("held")[1].split()]


class LauncherTest(LauncherCase):
    def icon_up(self):
        return self.probe("icon")[0] == 0

    def state(self):
        """(visible, left, top, right, bottom) of the launcher's window."""
        return tuple(int(v) for v in self.probe("state")[1].split())

    def winepath(self, path, to="-w"):
        """A Unix path as the Windows programs see it (to="-u": the other way round)."""
        return self.desk.winepath(path, to)

    def press(self, vk):
        """Presses a key over a Wine window (Wine sees keys only there, and checks hotkeys then)."""
        if self.picture is None:
            self.picture = self.desk.start_picture(os.path.join(BIN, "testdesk.exe"))
            self.assertTrue(self.picture)
            self.desk.xdotool("mousemove", 640, 600)
            self.desk.wait_for_screen(lambda shot: shot.pixel(640, 600) == desk_pixel(640, 600))
        self.desk.xdotool("key", "F%d" % (vk - F1 + 1))

    @staticmethod
    def starts(folder, exe="Snapshot.exe"):
        """Command lines the stand-in recorded, one per start."""
        try:
            with open(os.path.join(folder, exe + ".started"), encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    # ---- tests -----------------------------------------------------------------------------
    def test_first_start_writes_the_engine_and_waits_behind_its_icon(self):
        folder = self.folder("first")
        proc = self.launch(folder)
        with open(os.path.join(BIN, "Snapshot.exe"), "rb") as f:
            built = f.read()
        with open(os.path.join(folder, "Snapshot.exe"), "rb") as f:
            self.assertTrue(f.read() == built, "Snapshot.exe is not the built engine")
        self.assertTrue(self.icon_up())
        self.assertEqual(self.state()[0], 0, "the window is shown")
        self.assertEqual(self.desk.find_windows("^Lumetta$"), [])
        self.assertEqual(self.held(), [], "a hotkey without an INI file")
        self.assertFalse(os.path.exists(os.path.join(folder, INI)))
        self.close(proc)

        # An existing Snapshot.exe, even an empty one, is the user's.
        folder = self.folder("empty engine", engine=b"")
        proc = self.launch(folder)
        self.assertTrue(self.icon_up())
        self.assertEqual(os.path.getsize(os.path.join(folder, "Snapshot.exe")), 0)
        self.close(proc)

    def test_hotkey_from_a_gb_file_starts_the_engine_by_its_bare_path(self):
        ini = ini_bytes(b"114") + "[其它]\r\n说明=截图\r\n".encode("gbk")
        folder = self.folder("gb", engine="standin", ini=ini)
        self.launch(folder)
        self.assertEqual(self.held(), [F3])
        self.press(F4)
        self.press(F3)
        engine = self.winepath(os.path.join(folder, "Snapshot.exe"))
        self.assertEqual(wait_until(lambda: self.starts(folder), 15), [engine])
        self.press(F3)
        self.assertEqual(wait_until(lambda: len(self.starts(folder)) == 2 and self.starts(folder),
                                    15), [engine, engine])
        time.sleep(NOTHING_HAPPENS)
        self.assertEqual(len(self.starts(folder)), 2, "a key that is not the hotkey started it")
        with open(os.path.join(folder, INI), "rb") as f:
            self.assertEqual(f.read(), ini, "reading changed the hotkey file")

    def test_hotkey_starts_the_real_engine_whose_capture_esc_ends(self):
        folder = self.folder("real", ini=ini_bytes(b"114"))
        self.launch(folder)
        self.press(F3)
        # The picture program fills the screen, so the capture highlights it: its pixels show
        # through the overlay's hole (black at alpha 4), just darker than the picture itself.
        x, y = 300, 700
        normal = desk_pixel(x, y)
        through_hole = tuple(c * (255 - 4) // 255 for c in normal)
        near = lambda a, b: all(abs(p - q) <= 1 for p, q in zip(a, b))
        self.assertTrue(wait_until(lambda: near(self.desk.screenshot().pixel(x, y), through_hole),
                                   20), "no capture came up")
        self.desk.xdotool("key", "Escape")
        self.assertTrue(wait_until(lambda: self.desk.screenshot().pixel(x, y) == normal, 20),
                        "the capture did not end")

    def test_menu_choice_takes_the_key_writes_the_file_and_holds_after_a_restart(self):
        folder = self.folder("run dir", engine="standin")
        # Were the engine's path run unquoted, Windows would try "...\run.exe" first.
        shutil.copy(os.path.join(BIN, "engine_standin.exe"), os.path.join(self.tmp, "run.exe"))
        proc = self.launch(folder)

        self.assertEqual(self.probe("send", WM_COMMAND, key_item(F2), 0)[0], 0)
        with open(os.path.join(folder, INI), "rb") as f:
            self.assertEqual(f.read(), ini_bytes(b"113"))
        self.assertEqual(self.held(), [F2])

        # Two choices back to back (the second may be handled while the first empties the queue):
        # one key is held at the end, and it is the one the file names.
        self.assertEqual(self.probe("post", WM_COMMAND, key_item(F4), 0,
                                    WM_COMMAND, key_item(F5), 0)[0], 0)
        self.assertEqual(self.probe("ready")[0], 0)

        def settled():
            # Both handled, however nested: one key held, and the file names it.
            held = self.held()
            with open(os.path.join(folder, INI), "rb") as f:
                text = f.read()
            return held if held in ([F4], [F5]) and text == ini_bytes(str(held[0]).encode()) \
                else None
        held = wait_until(settled, 10, 0.1)
        self.assertIn(held, ([F4], [F5]))

        self.press(held[0])
        engine = self.winepath(os.path.join(folder, "Snapshot.exe"))
        self.assertEqual(wait_until(lambda: self.starts(folder), 15), ['"%s"' % engine])
        self.assertEqual(self.starts(self.tmp, "run.exe"), [])

        self.close(proc)
        self.launch(folder)
        self.assertEqual(self.held(), held, "the chosen key is not back after a restart")

    def test_unusable_settings_and_files_give_no_hotkey_and_no_crash(self):
        folder = self.folder("bad", engine="standin")
        for value in [b"abc", b"", b"-1", b"999999999999", b"117", b"4294967410"]:
            with open(os.path.join(folder, INI), "wb") as f:
                f.write(ini_bytes(value))
            proc = self.launch(folder)
            self.assertEqual(self.held(), [], value)
            self.close(proc)

        # Neither the engine nor the hotkey file can be written (folders stand in their place):
        # the launcher runs on, the chosen key is held, and a press starts nothing.
        folder = self.folder("blocked")
        os.makedirs(os.path.join(folder, "Snapshot.exe"))
        os.makedirs(os.path.join(folder, INI))
        proc = self.launch(folder)
        self.assertTrue(self.icon_up())
        self.assertEqual(self.probe("send", WM_COMMAND, key_item(F3), 0)[0], 0)
        self.assertEqual(self.held(), [F3])
        self.press(F3)
        time.sleep(NOTHING_HAPPENS)
        self.assertIsNone(proc.poll())
        self.assertEqual(os.listdir(os.path.join(folder, "Snapshot.exe")), [])
        self.close(proc)

    def test_icon_opens_the_window_centred_and_minimising_returns_to_the_icon(self):
        self.launch(self.folder("window"))
        self.assertEqual(self.probe("send", NOTIFY, 0, WM_LBUTTONDBLCLK)[0], 0)
        self.assertEqual(self.state()[0], 0, "a double click opened the window")
        self.assertTrue(self.icon_up())

        def click_icon(button):
            # The launcher's icon is the first in the tray window, at its bottom left.
            tray = self.desk.wait_for_window(TRAY, 10)
            self.assertTrue(tray, "no icon on the display")
            geometry = dict(line.split("=") for line in
                            self.desk.xdotool("getwindowgeometry", "--shell", tray[0]).split())
            self.desk.xdotool("mousemove", int(geometry["X"]) + 12,
                              int(geometry["Y"]) + int(geometry["HEIGHT"]) - 12)
            self.desk.xdotool("click", button)

        def opened_by_click():
            click_icon(1)
            return wait_until(lambda: self.state()[0] == 1, 10)

        for opener in [opened_by_click, lambda: self.probe("send", WM_COMMAND, OPEN, 0)]:
            opener()
            visible, left, top, right, bottom = self.state()
            self.assertEqual(visible, 1, opener)
            self.assertEqual((right - left, bottom - top), (263, 109))
            w, h = self.desk.size
            self.assertLessEqual(abs(left - (w - 263) // 2), 1)
            self.assertLessEqual(abs(top - (h - 109) // 2), 1)
            self.assertTrue(self.desk.wait_for_window("^Lumetta$", 10), "not shown on the display")
            self.assertFalse(self.icon_up(), "the icon stays while the window is open")

            self.assertEqual(self.probe("send", WM_SYSCOMMAND, SC_MINIMIZE, 0)[0], 0)
            self.assertEqual(self.state()[0], 0, "minimised but not hidden")
            self.assertTrue(self.icon_up(), "minimised without bringing the icon back")

        click_icon(3)
        self.assertEqual(self.probe("menu")[0], 0, "no menu on a right click")

        # The shell restarted and forgot the icon: it is put up again.
        self.assertEqual(self.probe("shell-restarted")[0], 0)
        self.assertTrue(self.icon_up())

    def test_auto_start_entry_is_added_and_removed(self):
        rc, saved = self.probe("reg-get")
        saved = saved[len("REG_SZ "):] if rc == 0 else None
        rc, startup = self.probe("startup-dir")
        self.assertEqual(rc, 0)
        shortcut = os.path.join(self.winepath(startup, "-u"), "Lumetta.exe.lnk")
        saved_shortcut = None
        if os.path.exists(shortcut):
            with open(shortcut, "rb") as f:
                saved_shortcut = f.read()
        try:
            self.probe("reg-del")
            folder = self.folder("auto")
            proc = self.launch(folder)
            self.probe("send", NOTIFY, 0, WM_LBUTTONUP)
            self.assertEqual(self.probe("click", AUTO_ON)[0], 0)
            self.assertEqual(self.probe("reg-get"),
                             (0, "REG_SZ " + self.winepath(os.path.join(folder, "Lumetta.exe"))))
            with open(shortcut, "wb") as f:
                f.write(b"a shortcut")
            self.assertEqual(self.probe("click", AUTO_OFF)[0], 0)
            self.assertEqual(self.probe("reg-get")[0], 1, "the Run value is still there")
            self.assertFalse(os.path.exists(shortcut), "the Startup shortcut is still there")
            self.close(proc)

            # Under another name the folder holds no Lumetta.exe: nothing is added. Once it does,
            # the entry names it, quoted since the folder name has a blank.
            folder = self.folder("auto start", launcher="Other.exe")
            self.launch(folder, "Other.exe")
            self.probe("send", NOTIFY, 0, WM_LBUTTONUP)
            self.assertEqual(self.probe("click", AUTO_ON)[0], 0)
            self.assertEqual(self.probe("reg-get")[0], 1, "a Run value without a Lumetta.exe")
            shutil.copy(os.path.join(BIN, "Lumetta.exe"), folder)
            self.assertEqual(self.probe("click", AUTO_ON)[0], 0)
            self.assertEqual(self.probe("reg-get"),
                             (0, 'REG_SZ "%s"' % self.winepath(os.path.join(folder, "Lumetta.exe"))))
        finally:
            self.probe("reg-set", saved) if saved is not None else self.probe("reg-del")
            if saved_shortcut is not None:
                with open(shortcut, "wb") as f:
                    f.write(saved_shortcut)
            elif os.path.exists(shortcut):
                os.remove(shortcut)


if __name__ == "__main__":
    unittest.main()
