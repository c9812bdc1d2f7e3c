"""One capture from start to clipboard, as a user does it with the mouse, read back by an X11
client (xclip): the copied pixels, the finishing gestures, Esc, the notification event, a
clipboard held by another program, and the hot keys given back at the end."""

import os
import subprocess
import unittest

from capture_session import BIN, CaptureCase
from desktop import CHILDREN
from wine_arch import loader


def set_clipboard_text(desk, text):
    # xclip stays in the background as the selection's owner.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(),
                   env=desk.env(), check=True, timeout=10)


def clipboard_text(desk):
    r = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=desk.env(),
                       capture_output=True, timeout=10)
    return r.stdout.decode(errors="replace") if r.returncode == 0 else None


class CopyTest(CaptureCase):
    def finish(self, engine=None):
        self.assertEqual((engine or self.engine).wait(20), 0)

    def test_drag_then_double_click_copies_the_dragged_pixels(self):
        self.drag(333, 211, 612, 457)  # over the desktop and two child windows
        self.double_click(450, 300)
        self.finish()
        self.assert_clipboard_shows(333, 211, 612, 457)

    def test_click_on_a_window_then_double_click_copies_that_window(self):
        x, y, w, h, _ = CHILDREN[1]
        self.click(x + 40, y + 40)
        self.double_click(x + 60, y + 60)
        self.finish()
        self.assert_clipboard_shows(x, y, x + w, y + h)

    def test_double_click_over_a_highlighted_window_copies_it(self):
        x, y, w, h, _ = CHILDREN[2]
        self.double_click(x + 30, y + 30)
        self.finish()
        self.assert_clipboard_shows(x, y, x + w, y + h)

    def test_right_click_outside_then_a_new_drag_copies_only_the_new_region(self):
        self.drag(100, 500, 300, 700)
        self.click(900, 200, button=3)  # outside the selection: back to hunting
        self.drag(700, 100, 1000, 350)
        self.double_click(800, 200)
        self.finish()
        self.assert_clipboard_shows(700, 100, 1000, 350)


class LeaveTest(CaptureCase):
    START_ENGINE = False

    def test_esc_leaves_the_clipboard_as_it_was(self):
        set_clipboard_text(self.desk, "kept")
        engine = self.start_engine()
        self.drag(200, 200, 500, 400)
        self.desk.xdotool("key", "Escape")
        self.assertEqual(engine.wait(20), 0)
        self.assertEqual(clipboard_text(self.desk), "kept")

    def test_hot_keys_belong_to_the_capture_only_while_it_runs(self):
        def probe():
            return subprocess.run([loader(), os.path.join(BIN, "capture_probe.exe"), "hotkeys"],
                                  env=self.desk.env(), capture_output=True, text=True,
                                  timeout=60).stdout.strip()

        engine = self.start_engine()
        self.assertEqual(probe(), "esc=0 delete=0")
        self.desk.xdotool("key", "Escape")
        self.assertEqual(engine.wait(20), 0)
        self.assertEqual(probe(), "esc=1 delete=1")

    def test_a_clipboard_held_by_another_program_is_left_alone(self):
        set_clipboard_text(self.desk, "held elsewhere")
        holder = self.desk.wine(os.path.join(BIN, "capture_probe.exe"), "hold", "60",
                                stdout=subprocess.PIPE)
        self.assertEqual(holder.stdout.readline().strip(), b"held")
        engine = self.start_engine()
        self.drag(200, 200, 500, 400)
        self.double_click(300, 300)
        self.assertEqual(engine.wait(20), 0)
        self.assertEqual(clipboard_text(self.desk), "held elsewhere")


class NotificationTest(CaptureCase):
    START_ENGINE = False

    def run_through_probe(self, *engine_args):
        probe = self.desk.wine(os.path.join(BIN, "capture_probe.exe"), "notify",
                               os.path.join(BIN, "Snapshot.exe"), *engine_args,
                               stdout=subprocess.PIPE, text=True)
        self.assertEqual(probe.stdout.readline().strip(), "started")
        self.assertTrue(self.wait_for_capture())
        self.drag(150, 150, 260, 230)
        self.double_click(200, 200)
        line = probe.stdout.readline().strip()
        probe.wait(20)
        self.assert_clipboard_shows(150, 150, 260, 230)
        return line

    def test_qxcreate_signals_the_event_after_a_copy(self):
        self.assertEqual(self.run_through_probe("--QXCreate"), "exit=0 signalled=1")

    def test_without_qxcreate_nothing_is_signalled(self):
        self.assertEqual(self.run_through_probe(), "exit=0 signalled=0")


if __name__ == "__main__":
    unittest.main()
