"""The colour and pen bar on the test desktop, as a user meets it: choosing the ellipse tool shows
the bar under the main tool bar; width 8 and green chosen on it draw a green stroke about 8
pixels wide, which the copy holds; the settings file then holds exactly the engine's keys with
the ellipse's new pen, and the next capture's bar shows that pen for the ellipse and the
defaults for the rectangle. Screenshots are kept as artifacts."""

import codecs
import os
import unittest

from capture_session import ARTIFACTS, CaptureCase, bar_position, button_centre, parse_bmp

SELECTION = (300, 150, 900, 550)
ELLIPSE = ((400, 200), (700, 450))  # the drag that draws it, in screen coordinates
RECTANGLE_TOOL, ELLIPSE_TOOL, FINISH = 0, 1, 9
COLOR_BAR_W, COLOR_BAR_H = 213, 34
RED, GREEN = (255, 0, 0), (0, 128, 0)

# Every key the engine writes, by section; nothing else may be in a file it made.
TOOL_SECTIONS = ("ColorTbRectangle", "ColorTbEllipse", "ColorTbArrow", "ColorTbPolyline")
WRITTEN_KEYS = dict([(s, {"DotStyle", "CrStyle"}) for s in TOOL_SECTIONS] +
                    [("TextTb", {"fHeight", "fName", "fBold", "fItalic", "fCr"}),
                     ("Common", {"SaveType"})])


def color_bar_position(l, t, r, b):
    """The colour bar chosen from the main tool bar: its left edge, 3 pixels under it."""
    x, y = bar_position(l, t, r, b)
    return x, y + 30 + 3


def width_button(index, x, y):
    """Centre of pen-width button `index` (2, 5, 8 pixels) of a colour bar at (x, y)."""
    return x + 7 + 23 * index + 10, y + 17


def swatch(index, x, y):
    """Centre of palette swatch `index` of a colour bar at (x, y)."""
    return x + 112 + 12 * (index % 8) + 5, y + (6 if index < 8 else 18) + 5


def read_ini(path):
    """{section: {key: value}} of an INI file in UTF-16 (with its byte-order mark) or UTF-8."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] in (codecs.BOM_UTF16_LE, codecs.BOM_UTF16_BE):
        text = data.decode("utf-16")
    else:
        text = data.decode("utf-8-sig")
    sections, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key.strip()] = value.strip()
    return sections


def runs(values, wanted):
    """Lengths of the runs of `wanted` in `values`."""
    found, n = [], 0
    for v in list(values) + [None]:
        if v == wanted:
            n += 1
        elif n:
            found.append(n)
            n = 0
    return found


class ColorBarTest(CaptureCase):
    START_ENGINE = False
    FRESH_SETTINGS = True

    def setUp(self):
        super().setUp()
        self.config = self.config_path()
        self.bar = color_bar_position(*SELECTION)

    def select(self):
        self.engine = self.start_engine()
        self.select_area(SELECTION)

    def choose_tool(self, tool):
        self.click(*button_centre(tool, *bar_position(*SELECTION)))
        # Off every bar, so that no tooltip or hover look lies over the colour bar.
        self.desk.xdotool("mousemove", 200, 700)

    def box_colour(self, shot):
        """The colour bar's current-colour box, as the screen shows it."""
        x, y = self.bar
        return shot.pixel(x + 96, y + 17)

    def bar_pixels(self, colour, name):
        """The colour bar's pixels once its box shows `colour` and the picture has settled."""
        crop = self.settled_pixels((*self.bar, COLOR_BAR_W, COLOR_BAR_H),
                                   lambda shot: self.box_colour(shot) == colour, name)
        self.assertIsNotNone(crop, "the colour bar shows %r at %r" % (colour, self.bar))
        return crop

    def finish(self):
        self.click(*button_centre(FINISH, *bar_position(*SELECTION)))
        self.assertEqual(self.engine.wait(20), 0)

    def test_a_pen_chosen_on_the_bar_draws_is_copied_and_comes_back_next_capture(self):
        self.select()
        self.choose_tool(ELLIPSE_TOOL)
        defaults = self.bar_pixels(RED, "color-bar-defaults.png")
        self.click(*width_button(2, *self.bar))
        self.click(*swatch(4, *self.bar))
        self.desk.xdotool("mousemove", 200, 700)
        chosen = self.bar_pixels(GREEN, "color-bar-chosen.png")
        self.assertNotEqual(defaults, chosen)

        (x0, y0), (x1, y1) = ELLIPSE
        self.drag(x0, y0, x1, y1)
        mid_y, mid_x = (y0 + y1) // 2, (x0 + x1) // 2
        shot = self.desk.wait_for_screen(lambda s: s.pixel(x0, mid_y) == GREEN)
        self.desk.screenshot(os.path.join(ARTIFACTS, "color-bar-ellipse.png"))
        self.assertEqual(shot.pixel(x0, mid_y), GREEN)
        self.finish()

        # The copy: a green stroke about 8 pixels across where the ellipse is upright (its left
        # end) and where it lies flat (its bottom).
        width, height, rows = parse_bmp(self.desk.clipboard_bmp())
        l, t, r, b = SELECTION
        self.assertEqual((width, height), (r - l, b - t))
        across = runs([rows[mid_y - t][x - l] for x in range(x0 - 12, x0 + 13)], GREEN)
        down = runs([rows[y - t][mid_x - l] for y in range(y1 - 12, y1 + 13)], GREEN)
        for found in (across, down):
            self.assertEqual(len(found), 1, found)
            self.assertTrue(6 <= found[0] <= 9, found)

        # The settings file: exactly the engine's keys, the ellipse's new pen, the others' defaults.
        ini = read_ini(self.config)
        self.assertEqual({s: set(k) for s, k in ini.items()}, WRITTEN_KEYS)
        for section in TOOL_SECTIONS:
            want = ("2", "4") if section == "ColorTbEllipse" else ("0", "10")
            self.assertEqual((ini[section]["DotStyle"], ini[section]["CrStyle"]), want, section)

        # The next capture: the ellipse's bar as it was left, the rectangle's as a first run has it.
        self.select()
        self.choose_tool(ELLIPSE_TOOL)
        self.assertEqual(self.bar_pixels(GREEN, "color-bar-next-ellipse.png"), chosen)
        self.choose_tool(RECTANGLE_TOOL)
        self.assertEqual(self.bar_pixels(RED, "color-bar-next-rectangle.png"), defaults)
        self.desk.xdotool("key", "Escape")
        self.assertEqual(self.engine.wait(20), 0)


if __name__ == "__main__":
    unittest.main()
