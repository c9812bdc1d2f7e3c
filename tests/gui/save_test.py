"""Saving on the test desktop, as a user does it: a rectangle drawn over a selection, the save
button, a name typed in the save dialog with BMP chosen, Enter. The file holds exactly what the
copy of the same drawing puts on the clipboard; the next capture's dialog has BMP first and
preselected; Cancel brings the capture back with its drawings and the text box being typed in,
and Esc still leaves it. Screenshots are kept as artifacts."""

import os
import shutil
import struct
import tempfile

from capture_session import (ARTIFACTS, CaptureCase, bar_position, button_centre, dimmed,
                             parse_bmp, picture, close)
from desktop import wait_until

SELECTION = (300, 150, 700, 450)
RECTANGLE = ((350, 200), (500, 300))
RECTANGLE_TOOL, TEXT_TOOL, SAVE, FINISH = 0, 5, 7, 9
# Where a text box opens and its first words lie: inside the selection, clear of the rectangle.
TEXT_AREA = (540, 330, 690, 390)
DIALOG_TITLE = "^Save As$"


def read_bmp(data):
    """(width, height, rows top first as lists of RGB) of a 24- or 32-bit BMP file."""
    if data[:2] != b"BM":
        raise ValueError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _planes, bits = struct.unpack_from("<iiHH", data, 18)
    if bits == 24:
        return parse_bmp(data)
    if bits != 32:
        raise ValueError("unexpected %d bits per pixel" % bits)
    bottom_up = height > 0
    height = abs(height)
    rows = []
    for y in range(height):
        src = offset + (height - 1 - y if bottom_up else y) * width * 4
        rows.append([(data[src + 4 * x + 2], data[src + 4 * x + 1], data[src + 4 * x])
                     for x in range(width)])
    return width, height, rows


class SaveTest(CaptureCase):
    START_ENGINE = False
    FRESH_SETTINGS = True  # a first run's dialog: PNG first

    def setUp(self):
        super().setUp()
        self.folder = tempfile.mkdtemp(prefix="lumetta-save-")
        self.win_folder = self.desk.winepath(self.folder)
        self.bar = bar_position(*SELECTION)

    def tearDown(self):
        super().tearDown()
        shutil.rmtree(self.folder, ignore_errors=True)

    def capture_with_rectangle(self):
        self.engine = self.start_engine()
        self.select_area(SELECTION)
        self.click(*button_centre(RECTANGLE_TOOL, *self.bar))
        self.drag(*RECTANGLE[0], *RECTANGLE[1])
        # Drawn once the screen shows the stroke.
        def drawn(shot):
            return shot.pixel(425, 200)[0] >= 180 and shot.pixel(425, 200)[1] < 90
        self.assertTrue(drawn(self.desk.wait_for_screen(drawn)), "no rectangle drawn")

    def open_dialog(self):
        """Clicks save; answers the dialog's window id once it shows, the pointer over it (the
        keyboard follows the pointer on the test desktop)."""
        self.click(*button_centre(SAVE, *self.bar))
        found = self.desk.wait_for_window(DIALOG_TITLE, 20)
        if not found:
            self.desk.screenshot(os.path.join(ARTIFACTS, "save-no-dialog.png"))
        self.assertTrue(found, "no save dialog")
        wid = found[0]
        geo = self.desk.xdotool("getwindowgeometry", wid)
        pos = [int(v) for v in geo.split("Position: ")[1].split()[0].split(",")]
        size = [int(v) for v in geo.split("Geometry: ")[1].split()[0].split("x")]
        self.desk.xdotool("mousemove", pos[0] + size[0] // 2, pos[1] + 10)
        # Ready for typing once its lower controls are painted (black until then).
        right, bottom = pos[0] + size[0], pos[1] + size[1]
        self.desk.wait_for_screen(lambda s: s.pixel(right - 85, bottom - 33) != (0, 0, 0), 10)
        return wid, pos, size

    def type_name(self, name):
        self.desk.xdotool("key", "Home", "shift+End")
        self.desk.xdotool("type", "--delay", 20, name)

    def wait_for_exit(self, timeout=20):
        ended = wait_until(lambda: self.engine.poll() is not None, timeout, 0.1)
        if not ended:
            self.desk.screenshot(os.path.join(ARTIFACTS, "save-no-exit.png"))
        self.assertTrue(ended, "the engine did not end")

    def test_saved_bmp_is_the_copy_and_comes_first_next_time(self):
        # Saved as BMP: a name without extension, the type box two entries down from PNG.
        self.capture_with_rectangle()
        _wid, pos, size = self.open_dialog()
        shot = self.desk.screenshot(os.path.join(ARTIFACTS, "save-dialog.png"))
        # Centred on the screen; the capture hidden (the desktop shows undimmed beside it).
        self.assertLessEqual(abs(pos[0] + size[0] // 2 - 640), 2)
        self.assertTrue(close(shot.pixel(5, 5), picture(5, 5), 2), shot.pixel(5, 5))
        self.type_name(self.win_folder + "\\shot")
        self.desk.xdotool("key", "Tab", "Down", "Down", "Return")
        self.wait_for_exit()
        path = os.path.join(self.folder, "shot.bmp")
        self.assertTrue(os.path.exists(path), os.listdir(self.folder))
        with open(path, "rb") as f:
            width, height, rows = read_bmp(f.read())

        # The same drawing copied.
        self.capture_with_rectangle()
        self.click(*button_centre(FINISH, *self.bar))
        self.wait_for_exit()
        cw, ch, crows = parse_bmp(self.desk.clipboard_bmp())
        self.assertEqual((width, height), (cw, ch))
        self.assertEqual((width, height), (SELECTION[2] - SELECTION[0], SELECTION[3] - SELECTION[1]))
        wrong = [(x, y) for y in range(height) for x in range(width) if rows[y][x] != crows[y][x]]
        self.assertEqual(wrong[:5], [], "%d pixels differ" % len(wrong))
        # And it is the drawing: red on the rectangle's edge, the desktop elsewhere.
        self.assertGreaterEqual(rows[250 - 150][350 - 300][0], 180)
        self.assertEqual(rows[10][10], picture(310, 160))

        # The next dialog has BMP first and chosen: a bare name gets ".bmp".
        self.capture_with_rectangle()
        self.open_dialog()
        self.type_name(self.win_folder + "\\second")
        self.desk.xdotool("key", "Return")
        self.wait_for_exit()
        self.assertTrue(os.path.exists(os.path.join(self.folder, "second.bmp")),
                        os.listdir(self.folder))

    def red_text(self, pixel):
        l, t, r, b = TEXT_AREA
        return sum(1 for y in range(t, b) for x in range(l, r) if pixel(x, y) == (255, 0, 0))

    def test_cancel_brings_the_capture_back_and_esc_still_leaves(self):
        # A rectangle drawn and a text box open with text in it (red, as a fresh settings file
        # gives).
        self.capture_with_rectangle()
        self.click(*button_centre(TEXT_TOOL, *self.bar))
        self.click(*TEXT_AREA[:2])
        self.desk.wait_for_screen(
            lambda s: all(c >= 230 for c in s.pixel(TEXT_AREA[0] + 4, TEXT_AREA[1] + 4)))
        self.desk.xdotool("type", "--delay", 30, "Hello")
        typed = self.red_text(self.desk.wait_for_screen(lambda s: self.red_text(s.pixel) > 20).pixel)
        self.assertGreater(typed, 20, "no text typed")
        self.open_dialog()
        self.desk.xdotool("key", "Escape")
        self.assertTrue(wait_until(lambda: not self.desk.find_windows(DIALOG_TITLE), 10, 0.1))
        self.desk.xdotool("mousemove", 600, 400)
        # The capture runs on, as it was: the tool bar with its buttons, the dim layer over the
        # frozen picture, the rectangle and the text on it.
        self.assertIsNone(self.engine.poll())
        x, y = self.bar

        def back(s):
            return (s.pixel(x + 5, y + 15) == (255, 255, 255)
                    and close(s.pixel(5, 5), dimmed(picture(5, 5)), 2)
                    and s.pixel(425, 200)[0] >= 180 and s.pixel(425, 200)[1] < 90
                    and self.red_text(s.pixel) >= typed)
        shot = self.desk.wait_for_screen(back)
        if shot.path:
            os.makedirs(ARTIFACTS, exist_ok=True)
            shutil.copy(shot.path, os.path.join(ARTIFACTS, "save-cancelled.png"))
        self.assertEqual(shot.pixel(x + 5, y + 15), (255, 255, 255))
        self.assertTrue(close(shot.pixel(5, 5), dimmed(picture(5, 5)), 2), shot.pixel(5, 5))
        self.assertGreaterEqual(shot.pixel(425, 200)[0], 180)
        # (The last letters may reach the screen only now: at least what showed before.)
        shown = self.red_text(shot.pixel)
        self.assertGreaterEqual(shown, typed)
        # The keyboard is the text box's again.
        self.desk.xdotool("type", "--delay", 30, " world")
        shot = self.desk.wait_for_screen(lambda s: self.red_text(s.pixel) > shown + 20)
        self.assertGreater(self.red_text(shot.pixel), shown + 20, "typing after Cancel is lost")
        self.desk.xdotool("mousemove", 600, 400)
        self.desk.xdotool("key", "Escape")
        self.wait_for_exit()
        self.assertEqual(os.listdir(self.folder), [])
