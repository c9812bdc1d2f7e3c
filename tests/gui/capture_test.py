"""The capture window as a user sees it: frozen, dimmed desktop, window highlight, a dragged
selection with its frame and handles, click-to-select a window, Esc to leave."""

import os
import unittest

from capture_session import FRAME, ARTIFACTS, CaptureCase, close, dimmed, hole, picture
from desktop import CHILDREN, desk_pixel


class CaptureWindowTest(CaptureCase):
    def leave(self):
        self.desk.xdotool("key", "Escape")
        self.assertEqual(self.engine.wait(15), 0)

    def assert_selection(self, shot, l, t, r, b):
        """Hole inside (l, t, r, b), dimmed outside, frame and handles around it."""
        for x, y in [(l + 3, t + 3), (r - 4, b - 4), ((l + r) // 2, (t + b) // 2)]:
            self.assertTrue(close(shot.pixel(x, y), hole(picture(x, y))), (x, y, shot.pixel(x, y)))
        # (Under the selection, left of its right edge, lies the main tool bar.)
        for x, y in [(l - 10, t - 10), (r + 10, b + 10), (l - 10, b - 10), (5, 5)]:
            self.assertTrue(close(shot.pixel(x, y), dimmed(picture(x, y))), (x, y, shot.pixel(x, y)))
        # Frame: column l - 1 and row b, away from the handles.
        self.assertEqual(shot.pixel(l - 1, t + (b - t) // 4), FRAME)
        self.assertEqual(shot.pixel(l + (r - l) // 4, b), FRAME)
        # Handles: 5 x 5 squares centred on the corners and edge middles of the frame.
        for x, y in [(l - 1, t - 1), (r, b), ((l + r) // 2, t - 1), (r, (t + b) // 2)]:
            self.assertEqual(shot.pixel(x + 2, y + 2), FRAME, (x, y))
            self.assertEqual(shot.pixel(x - 2, y - 2), FRAME, (x, y))

    def selection_shown(self, l, t, r, b):
        """The screen once the frame of (l, t, r, b) is drawn: its left column and bottom row."""
        def framed(shot):
            return (shot.pixel(l - 1, t + (b - t) // 4) == FRAME and
                    shot.pixel(l + (r - l) // 4, b) == FRAME and
                    close(shot.pixel(l + 3, t + 3), hole(picture(l + 3, t + 3))))
        return self.desk.wait_for_screen(framed)

    def test_hover_highlights_and_drag_selects(self):
        d = self.desk
        x, y, w, h, rgb = CHILDREN[0]
        d.xdotool("mousemove", x + 50, y + 50)
        # The 4-pixel highlight frame around the window, and the window undimmed inside it.
        shot = d.wait_for_screen(lambda s: s.pixel(x - 2, y + 20) == FRAME and
                                 close(s.pixel(x + 10, y + 10), hole(rgb)))
        self.assertEqual(shot.pixel(x - 2, y + 20), FRAME)
        self.assertTrue(close(shot.pixel(x + 10, y + 10), hole(rgb)), shot.pixel(x + 10, y + 10))
        self.assertEqual(shot.pixel(x + w + 2, y + 20), FRAME)

        self.drag(600, 500, 900, 700)
        self.selection_shown(600, 500, 900, 700)
        shot = d.screenshot(os.path.join(ARTIFACTS, "capture-drag.png"))
        self.assert_selection(shot, 600, 500, 900, 700)
        self.assertTrue(close(shot.pixel(x + 10, y + 10), dimmed(rgb)))  # highlight gone

        # Pull the bottom-right corner; the top-left stays.
        self.drag(900, 700, 950, 740)
        self.assert_selection(self.selection_shown(600, 500, 950, 740), 600, 500, 950, 740)
        # Move it by its inside.
        self.drag(700, 600, 650, 560)
        self.assert_selection(self.selection_shown(550, 460, 900, 700), 550, 460, 900, 700)
        self.leave()

    def test_click_selects_the_child_window_under_the_pointer(self):
        x, y, w, h, _ = CHILDREN[1]
        self.click(x + 40, y + 40)
        self.assert_selection(self.selection_shown(x, y, x + w, y + h), x, y, x + w, y + h)
        self.leave()

    def test_right_click_on_a_highlighted_window_leaves(self):
        x, y, _, _, _ = CHILDREN[2]
        self.desk.xdotool("mousemove", x + 30, y + 30)
        self.desk.xdotool("click", 3)
        self.assertEqual(self.engine.wait(15), 0)
        shot = self.desk.wait_for_screen(lambda s: s.pixel(5, 5) == desk_pixel(5, 5))
        self.assertEqual(shot.pixel(5, 5), desk_pixel(5, 5))


if __name__ == "__main__":
    unittest.main()
