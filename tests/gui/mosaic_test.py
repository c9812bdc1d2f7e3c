"""The mosaic on the test desktop, as a user does it: the mosaic tool chosen on the tool bar, an
area dragged out over the picture (across a child window's edge), then copied. The clipboard holds
that area as blocks of 10 x 10 pixels from its top-left corner (narrower and lower where the area
ends), each the average of the desktop's own pixels in it, and every other pixel of the selection
untouched; the screen showed the same blocks before the copy. A screenshot is kept as an
artifact."""

import os
import unittest

from capture_session import (ARTIFACTS, CaptureCase, button_centre, close, hole,
                             parse_bmp, picture)

SELECTION = (300, 150, 900, 550)
MOSAIC_TOOL, FINISH = 4, 9
# The drag, in screen coordinates: 273 x 157 pixels, so the last column of blocks is 3 pixels
# wide and the last row 7 high; the green child window's left edge (x = 500) runs through it.
AREA = (350, 200, 623, 357)


def blocks(l, t, r, b, size=10):
    """The blocks of an area: (left, top, right, bottom) of each."""
    for y in range(t, b, size):
        for x in range(l, r, size):
            yield x, y, min(x + size, r), min(y + size, b)


def average(block):
    """Each channel's integer average of the desktop's pixels in a block."""
    l, t, r, b = block
    pixels = [picture(x, y) for y in range(t, b) for x in range(l, r)]
    return tuple(sum(p[c] for p in pixels) // len(pixels) for c in range(3))


class MosaicTest(CaptureCase):
    def setUp(self):
        super().setUp()
        self.bar = self.select_area(SELECTION)

    def test_mosaic_dragged_over_the_picture_is_copied_as_blocks_of_their_own_average(self):
        expected = {block: average(block) for block in blocks(*AREA)}
        self.click(*button_centre(MOSAIC_TOOL, *self.bar))
        self.drag(*AREA)
        # A block over the desktop's gradient, on the screen (the selection's faint hole may dim
        # it a little): its average is no pixel of the picture under it.
        block = (450, 250, 460, 260)
        want = expected[block]
        self.assertNotIn(want, [picture(x, y) for x in range(450, 460) for y in range(250, 260)])

        def blurred(shot):
            return all(close(shot.pixel(x, y), want, 2) or close(shot.pixel(x, y), hole(want), 2)
                       for x, y in ((450, 250), (459, 259), (455, 254)))
        shot = self.desk.wait_for_screen(blurred)
        self.assertTrue(blurred(shot), (shot.pixel(450, 250), want))
        self.desk.screenshot(os.path.join(ARTIFACTS, "mosaic-drawn.png"))

        self.click(*button_centre(FINISH, *self.bar))
        self.assertEqual(self.engine.wait(20), 0)
        width, height, rows = parse_bmp(self.desk.clipboard_bmp())
        l, t, r, b = SELECTION
        self.assertEqual((width, height), (r - l, b - t), "exactly the selection")

        def at(x, y):
            return tuple(rows[y - t][x - l])

        wrong = [(block, at(x, y), colour) for block, colour in sorted(expected.items())
                 for y in range(block[1], block[3]) for x in range(block[0], block[2])
                 if at(x, y) != colour]
        self.assertEqual(wrong[:3], [], "%d pixels of the area are not their block's average"
                         % len(wrong))
        # Blocks on both sides of the child window's edge differ: the blur is of the picture.
        self.assertNotEqual(expected[(490, 200, 500, 210)], expected[(500, 200, 510, 210)])
        al, at_, ar, ab = AREA
        outside = [(x, y) for y in range(t, b) for x in range(l, r)
                   if not (al <= x < ar and at_ <= y < ab) and at(x, y) != picture(x, y)]
        self.assertEqual(outside[:5], [], "%d pixels outside the area differ" % len(outside))


if __name__ == "__main__":
    unittest.main()
