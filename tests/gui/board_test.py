"""Annotation on the test desktop, as a user does it: a tool chosen on the tool bar, shapes drawn
with the mouse over the selection, then copied. The clipboard holds the selection's desktop
pixels with the shapes exactly where the pointer drew them (and as the screen showed them),
every other pixel untouched; the tool bar's undo takes the last shape out of the copy; a shape
right-clicked and deleted from the menu is gone. Screenshots are kept as artifacts."""

import math
import os
import unittest

from capture_session import (ARTIFACTS, CaptureCase, button_centre, parse_bmp,
                             picture)

SELECTION = (300, 150, 900, 550)
RECTANGLE_TOOL, ARROW_TOOL, BRUSH_TOOL, UNDO, FINISH = 0, 2, 3, 6, 9

# The shapes, in screen coordinates, as the pointer draws them (each tool's pen as a fresh
# settings file gives it: red, 2 pixels).
RECTANGLE = ((350, 200), (500, 300))
ARROW = ((550, 220), (800, 270))
BRUSH = [(380, 450), (480, 500), (580, 420), (700, 480)]  # where the pointer turns


def segments(shape):
    """The straight pieces a shape is drawn along."""
    if shape is RECTANGLE:
        (l, t), (r, b) = RECTANGLE
        corners = [(l, t), (r, t), (r, b), (l, b), (l, t)]
        return list(zip(corners, corners[1:]))
    if shape is ARROW:
        return [ARROW]
    return list(zip(BRUSH, BRUSH[1:]))


def distance(p, a, b):
    (px, py), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def near(shapes, reach=8):
    """Every screen pixel within `reach` of a shape's strokes (the arrow's head included)."""
    found = set()
    for shape in shapes:
        for a, b in segments(shape):
            for y in range(min(a[1], b[1]) - reach, max(a[1], b[1]) + reach + 1):
                for x in range(min(a[0], b[0]) - reach, max(a[0], b[0]) + reach + 1):
                    if distance((x + 0.5, y + 0.5), a, b) <= reach:
                        found.add((x, y))
    return found


def reddish(rgb):
    """A pixel of a red stroke, allowing for the anti-aliasing of slanted lines."""
    return rgb[0] >= 180 and rgb[1] <= 90 and rgb[2] <= 90


def red_near(pixel, x, y):
    """Whether the stroke covers (x, y) or a pixel next to it: which pixels a slanted 2-pixel
    line or its turn fills whole depends on where the pixel grid's centres lie."""
    return any(reddish(pixel(x + dx, y + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1))


# Points that lie on each shape's stroke: exactly red where the pen covers the pixel whole
# (the rectangle's edges, the inside of the arrow's head), a red pixel next to them along
# slanted lines and where the brush turned.
ON_STROKE = {
    id(RECTANGLE): [(350, 250, True), (500, 250, True), (425, 200, True), (425, 300, True)],
    id(ARROW): [(600, 230, False), (700, 250, False), (795, 269, True)],
    id(BRUSH): [(x, y, False) for x, y in BRUSH[1:-1]] + [(430, 475, False), (640, 450, False)],
}


class BoardTest(CaptureCase):
    def setUp(self):
        super().setUp()
        self.bar = self.select_area(SELECTION)

    def choose(self, button):
        self.click(*button_centre(button, *self.bar))

    def wait_shown(self, x, y, present=True):
        """The screen once (x, y) shows a stroke (or, with present False, the desktop again)."""
        def want(shot):
            if present:
                return red_near(shot.pixel, x, y)
            return all(shot.pixel(x + dx, y + dy) == picture(x + dx, y + dy)
                       for dx in (-1, 0, 1) for dy in (-1, 0, 1))
        shot = self.desk.wait_for_screen(want)
        self.assertTrue(want(shot), (x, y, shot.pixel(x, y)))
        return shot

    def draw(self, shape):
        d = self.desk
        if shape is BRUSH:
            self.choose(BRUSH_TOOL)
            d.xdotool("mousemove", *BRUSH[0])
            d.xdotool("mousedown", 1)
            for (ax, ay), (bx, by) in zip(BRUSH, BRUSH[1:]):
                for i in range(1, 7):
                    d.xdotool("mousemove", ax + (bx - ax) * i // 6, ay + (by - ay) * i // 6)
                # Moves the engine has not taken yet are merged into the newest one; the turn
                # is a point of the line once the preview shows it.
                self.wait_shown(bx, by)
            d.xdotool("mouseup", 1)
        else:
            self.choose(RECTANGLE_TOOL if shape is RECTANGLE else ARROW_TOOL)
            (x0, y0), (x1, y1) = shape
            self.drag(x0, y0, x1, y1)
        x, y, _ = ON_STROKE[id(shape)][0]
        return self.wait_shown(x, y)

    def copy(self):
        self.click(*button_centre(FINISH, *self.bar))
        self.assertEqual(self.engine.wait(20), 0)
        width, height, rows = parse_bmp(self.desk.clipboard_bmp())
        l, t, r, b = SELECTION
        self.assertEqual((width, height), (r - l, b - t), "exactly the selection")
        return lambda x, y: rows[y - t][x - l]

    def assert_copy_shows(self, at, present, absent=()):
        """The shapes in `present` on their strokes, those in `absent` not, and the desktop's
        own pixels everywhere further than 8 pixels from a present shape."""
        for shape in present:
            for x, y, exact in ON_STROKE[id(shape)]:
                if exact:
                    self.assertEqual(at(x, y), (255, 0, 0), (x, y))
                else:
                    self.assertTrue(red_near(at, x, y), (x, y, at(x, y)))
        for shape in absent:
            for x, y, _ in ON_STROKE[id(shape)]:
                for dx in (-1, 0, 1):
                    for dy in (-1, 0, 1):
                        self.assertEqual(at(x + dx, y + dy), picture(x + dx, y + dy), (x, y))
        drawn = near(present)
        l, t, r, b = SELECTION
        wrong = [(x, y) for y in range(t, b) for x in range(l, r)
                 if (x, y) not in drawn and at(x, y) != picture(x, y)]
        self.assertEqual(wrong[:5], [], "%d pixels away from the shapes differ" % len(wrong))

    def test_shapes_drawn_with_the_mouse_are_copied_where_they_were_drawn(self):
        for shape in (RECTANGLE, ARROW, BRUSH):
            shot = self.draw(shape)
        shot = self.desk.screenshot(os.path.join(ARTIFACTS, "board-drawn.png"))
        at = self.copy()
        self.assert_copy_shows(at, (RECTANGLE, ARROW, BRUSH))
        # As the screen showed them: the copy composes the same objects over the same pixels.
        l, t, r, b = SELECTION
        differ = [(x, y) for y in range(t, b) for x in range(l, r)
                  if any(abs(p - q) > 2 for p, q in zip(at(x, y), shot.pixel(x, y)))]
        self.assertEqual(differ[:5], [], "%d pixels differ from the screen" % len(differ))

    def test_undo_on_the_tool_bar_takes_the_last_shape_out_of_the_copy(self):
        for shape in (RECTANGLE, ARROW, BRUSH):
            self.draw(shape)
        self.choose(UNDO)
        x, y, _ = ON_STROKE[id(BRUSH)][0]
        self.wait_shown(x, y, present=False)
        self.assert_copy_shows(self.copy(), (RECTANGLE, ARROW), absent=(BRUSH,))

    def test_a_shape_right_clicked_and_deleted_from_the_menu_is_gone(self):
        self.draw(RECTANGLE)
        self.draw(ARROW)
        menu = self.open_menu(350, 250)  # on the rectangle's left edge
        self.desk.screenshot(os.path.join(ARTIFACTS, "board-menu.png"))
        self.click(*self.menu_item(menu, 6, 0))  # 删除
        self.wait_shown(350, 250, present=False)
        self.assertIsNone(self.engine.poll(), "deleting ends nothing")
        self.assert_copy_shows(self.copy(), (ARROW,), absent=(RECTANGLE,))


if __name__ == "__main__":
    unittest.main()
