"""Text typed in place on the test desktop, as a user does it: the text tool chosen on the tool
bar, a click in the selection opens the box, the keyboard types into it, a click elsewhere keeps
the text, and the copy holds text pixels in the text colour inside the box's area and the
desktop's own pixels everywhere else. Screenshots are kept as artifacts."""

import os
import unittest

from capture_session import (ARTIFACTS, CaptureCase, button_centre, parse_bmp,
                             picture)

SELECTION = (300, 150, 900, 550)
TEXT_TOOL, FINISH = 5, 9
RED = (255, 0, 0)  # the text colour a fresh settings file gives
BOX_AT = (400, 250)  # where the box opens
# Where "Hello world" can lie: one line from the box's corner, well inside the selection.
TEXT_AREA = (BOX_AT[0], BOX_AT[1], BOX_AT[0] + 300, BOX_AT[1] + 60)


def inside(area, x, y):
    l, t, r, b = area
    return l <= x < r and t <= y < b


class TextBoxTest(CaptureCase):
    def setUp(self):
        super().setUp()
        self.bar = self.select_area(SELECTION)

    def red_in_text_area(self, pixel):
        l, t, r, b = TEXT_AREA
        return sum(1 for y in range(t, b) for x in range(l, r) if pixel(x, y) == RED)

    def test_typed_text_is_kept_and_copied_in_its_colour(self):
        self.click(*button_centre(TEXT_TOOL, *self.bar))
        self.click(*BOX_AT)
        # The keyboard is the box's once it is shown: its light backdrop at its corner.
        self.desk.wait_for_screen(
            lambda s: all(c >= 230 for c in s.pixel(BOX_AT[0] + 4, BOX_AT[1] + 4)))
        self.desk.xdotool("type", "--delay", 30, "Hello world")
        shot = self.desk.wait_for_screen(lambda s: self.red_in_text_area(s.pixel) > 30)
        shot = self.desk.screenshot(os.path.join(ARTIFACTS, "text-typed.png"))
        self.assertGreater(self.red_in_text_area(shot.pixel), 30, "the typed text shows")
        # A click elsewhere in the selection keeps the text; the box's backdrop goes.
        self.click(800, 500)
        self.desk.wait_for_screen(
            lambda s: s.pixel(BOX_AT[0] - 4, BOX_AT[1] + 2) != shot.pixel(BOX_AT[0] - 4,
                                                                          BOX_AT[1] + 2))
        self.desk.screenshot(os.path.join(ARTIFACTS, "text-kept.png"))
        self.click(*button_centre(FINISH, *self.bar))
        self.assertEqual(self.engine.wait(20), 0)
        width, height, rows = parse_bmp(self.desk.clipboard_bmp())
        l, t, r, b = SELECTION
        self.assertEqual((width, height), (r - l, b - t), "exactly the selection")
        at = lambda x, y: rows[y - t][x - l]
        self.assertGreater(self.red_in_text_area(at), 30, "text pixels in the text colour")
        wrong = [(x, y) for y in range(t, b) for x in range(l, r)
                 if not inside(TEXT_AREA, x, y) and at(x, y) != picture(x, y)]
        self.assertEqual(wrong[:5], [], "%d pixels outside the text differ" % len(wrong))


if __name__ == "__main__":
    unittest.main()
