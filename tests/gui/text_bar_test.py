"""The text bar on the test desktop, as a user meets it: choosing the text tool shows the bar
where the colour bar goes; blue and bold chosen on it write the next text, which the copy holds
in blue, and are written to the settings file's [TextTb]; the next capture's bar starts with
them; a colour chosen for another tool leaves the text colour alone. (Its lists opening and
closing are tested under Wine, tests/win/text_bar_test.cpp.) Screenshots are kept as
artifacts."""

import os
import unittest

import color_bar_test as colorbar
from capture_session import ARTIFACTS, CaptureCase, parse_bmp

SELECTION = (300, 150, 900, 550)
RECTANGLE_TOOL, TEXT_TOOL = 0, 5
TEXT_BAR_W, TEXT_BAR_H = 306, 34
RED, BLUE, GREEN = (255, 0, 0), (0, 0, 255), (0, 128, 0)
BOX_AT = (400, 250)  # where the text box opens
# Where "Hello" can lie: one line from the box's corner, well inside the selection.
TEXT_AREA = (BOX_AT[0], BOX_AT[1], BOX_AT[0] + 300, BOX_AT[1] + 60)


def count_in_text_area(pixel, colour):
    l, t, r, b = TEXT_AREA
    return sum(1 for y in range(t, b) for x in range(l, r) if pixel(x, y) == colour)


def text_bar_position():
    """The text bar chosen from the main tool bar: where the colour bar goes."""
    return colorbar.color_bar_position(*SELECTION)


def swatch(index, x, y):
    """Centre of palette swatch `index` of a text bar at (x, y)."""
    return x + 205 + 12 * (index % 8) + 5, y + (6 if index < 8 else 18) + 5


class TextBarTest(CaptureCase):
    START_ENGINE = False
    FRESH_SETTINGS = True

    def setUp(self):
        super().setUp()
        self.config = self.config_path()
        self.bar = text_bar_position()

    select = colorbar.ColorBarTest.select
    choose_tool = colorbar.ColorBarTest.choose_tool
    finish = colorbar.ColorBarTest.finish

    def bar_pixels(self, colour, name):
        """The text bar's pixels once its colour box shows `colour` and the picture settled."""
        x, y = self.bar
        crop = self.settled_pixels((x, y, TEXT_BAR_W, TEXT_BAR_H),
                                   lambda shot: shot.pixel(x + 189, y + 17) == colour, name)
        self.assertIsNotNone(crop, "the text bar shows %r at %r" % (colour, self.bar))
        return crop

    def leave(self):
        self.desk.xdotool("key", "Escape")
        self.assertEqual(self.engine.wait(20), 0)

    def test_a_style_chosen_on_the_bar_writes_the_text_and_comes_back_next_capture(self):
        x, y = self.bar
        self.select()
        # Green for the rectangle is the rectangle's, not the text's.
        self.choose_tool(RECTANGLE_TOOL)
        self.click(*colorbar.swatch(4, x, y))
        self.desk.wait_for_screen(lambda s: s.pixel(x + 96, y + 17) == GREEN)
        # The text tool's bar takes the colour bar's place, in the text's own (default) red.
        self.choose_tool(TEXT_TOOL)
        defaults = self.bar_pixels(RED, "text-bar-defaults.png")
        # Blue and bold.
        self.click(*swatch(13, x, y))
        self.click(x + 126, y + 18)
        self.desk.xdotool("mousemove", 200, 700)
        chosen = self.bar_pixels(BLUE, "text-bar-chosen.png")
        self.assertNotEqual(defaults, chosen)

        # The next text takes them: typed, kept, and copied in blue.
        self.click(*BOX_AT)
        self.desk.wait_for_screen(
            lambda s: all(c >= 230 for c in s.pixel(BOX_AT[0] + 4, BOX_AT[1] + 4)))
        self.desk.xdotool("type", "--delay", 30, "Hello")
        self.desk.wait_for_screen(lambda s: count_in_text_area(s.pixel, BLUE) > 30)
        typed = self.desk.screenshot(os.path.join(ARTIFACTS, "text-bar-typed.png"))
        # A click elsewhere in the selection keeps the text (the box's backdrop goes).
        edge = (BOX_AT[0] - 4, BOX_AT[1] + 2)
        self.click(800, 500)
        self.desk.wait_for_screen(lambda s: s.pixel(*edge) != typed.pixel(*edge))
        self.finish()
        width, height, rows = parse_bmp(self.desk.clipboard_bmp())
        l, t, r, b = SELECTION
        self.assertEqual((width, height), (r - l, b - t))
        blue = count_in_text_area(lambda px, py: rows[py - t][px - l], BLUE)
        self.assertGreater(blue, 30, "the copied text is blue")

        ini = colorbar.read_ini(self.config)
        self.assertEqual({s: set(k) for s, k in ini.items()}, colorbar.WRITTEN_KEYS)
        text = ini["TextTb"]
        self.assertEqual((text["fCr"], text["fBold"], text["fItalic"], text["fHeight"]),
                         ("13", "1", "0", "18"))
        self.assertNotEqual(text["fName"], "")
        self.assertEqual(ini["ColorTbRectangle"]["CrStyle"], "4")

        # The next capture's text bar starts as the last one was left: blue, bold.
        self.select()
        self.choose_tool(TEXT_TOOL)
        self.assertEqual(self.bar_pixels(BLUE, "text-bar-next.png"), chosen)
        self.leave()

if __name__ == "__main__":
    unittest.main()
