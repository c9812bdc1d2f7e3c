"""The GUI test desktop itself: a window of ours shows its known pixels, and the processes that a
test starts are gone after it."""

import os
import subprocess
import unittest

from desktop import CHILDREN, Desktop, desk_pixel

BIN = os.environ.get("LUMETTA_BIN", "")


class DesktopSmokeTest(unittest.TestCase):
    def setUp(self):
        self.desk = Desktop.shared()

    def tearDown(self):
        self.desk.kill_started()

    def test_picture_program_shows_known_pixels_and_goes_away(self):
        proc = self.desk.wine(os.path.join(BIN, "testdesk.exe"), "--children")
        self.assertTrue(self.desk.wait_for_window("Lumetta test desktop"), "window never appeared")
        shot = self.desk.wait_for_screen(lambda s: s.pixel(37, 611) == desk_pixel(37, 611))
        w, h = shot.width, shot.height
        for x, y in [(0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1), (37, 611), (w // 2, h - 60)]:
            self.assertEqual(shot.pixel(x, y), desk_pixel(x, y), "desktop pixel at %d,%d" % (x, y))
        for x, y, cw, ch, rgb in CHILDREN:
            self.assertEqual(shot.pixel(x, y), rgb)
            self.assertEqual(shot.pixel(x + cw - 1, y + ch - 1), rgb)
            self.assertEqual(shot.pixel(x + cw, y + ch), desk_pixel(x + cw, y + ch))

        self.desk.kill_started()
        self.assertIsNotNone(proc.poll())
        alive = subprocess.run(["ps", "-p", str(proc.pid)], capture_output=True).returncode == 0
        self.assertFalse(alive, "the picture program is still running")
        self.assertFalse(self.desk.find_windows("Lumetta test desktop"), "its window is still shown")


if __name__ == "__main__":
    unittest.main()
