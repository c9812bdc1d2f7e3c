"""A capture engine running over the test desktop picture, and what the tests need to drive it:
the desktop's known pixels, drags and clicks with xdotool, and the clipboard read back as BMP."""

import os
import struct
import unittest

from desktop import CHILDREN, Desktop, desk_pixel

BIN = os.environ.get("LUMETTA_BIN", "")
ARTIFACTS = os.environ.get("LUMETTA_ARTIFACTS", "/tmp")
FRAME = (2, 169, 255)


def picture(x, y):
    """RGB of the test desktop with its child windows at screen point (x, y)."""
    for cx, cy, cw, ch, rgb in CHILDREN:
        if cx <= x < cx + cw and cy <= y < cy + ch:
            return rgb
    return desk_pixel(x, y)


def dimmed(rgb):
    # Black with alpha 0x60 over the picture: each channel times (255 - 0x60) / 255.
    return tuple(c * (255 - 0x60) // 255 for c in rgb)


def hole(rgb):
    return tuple(c * (255 - 4) // 255 for c in rgb)


def close(a, b, tol=1):
    return all(abs(x - y) <= tol for x, y in zip(a, b))


def parse_bmp(data):
    """(width, height, rows top first as lists of RGB) of a 24-bit BMP file."""
    if not data or data[:2] != b"BM":
        raise ValueError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _planes, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        raise ValueError("expected 24 bits per pixel, got %d" % bits)
    row = (width * 3 + 3) & ~3
    bottom_up = height > 0
    height = abs(height)
    rows = []
    for y in range(height):
        src = offset + (height - 1 - y if bottom_up else y) * row
        rows.append([(data[src + 3 * x + 2], data[src + 3 * x + 1], data[src + 3 * x])
                     for x in range(width)])
    return width, height, rows


class CaptureCase(unittest.TestCase):
    """Starts the desktop picture, then the engine (with ENGINE_ARGS), and waits for the dim."""

    ENGINE_ARGS = ()
    START_ENGINE = True

    def setUp(self):
        self.desk = Desktop.shared()
        self.desk.wine(os.path.join(BIN, "testdesk.exe"), "--children")
        self.assertTrue(self.desk.wait_for_window("Lumetta test desktop"))
        self.desk.wait_for_screen(lambda shot: shot.pixel(5, 5) == desk_pixel(5, 5))
        self.desk.xdotool("mousemove", 700, 700)
        if self.START_ENGINE:
            self.engine = self.start_engine(*self.ENGINE_ARGS)

    def tearDown(self):
        self.desk.kill_started()

    def start_engine(self, *args, **kw):
        engine = self.desk.wine(os.path.join(BIN, "Snapshot.exe"), *args, **kw)
        self.wait_for_capture()
        return engine

    def wait_for_capture(self, timeout=20):
        """True once the overlay is up: the desktop dimmed, or the full-screen desktop picture
        window highlighted (its 4-pixel frame along the screen's edge)."""
        def up(shot):
            return close(shot.pixel(5, 5), dimmed(desk_pixel(5, 5)), 2) or shot.pixel(1, 400) == FRAME
        return up(self.desk.wait_for_screen(up, timeout))

    # Input goes through the X server in order and the engine handles it in that order, so the
    # steps below need no pauses between them; whoever looks at the result waits for it.
    def drag(self, x0, y0, x1, y1, steps=8):
        d = self.desk
        d.xdotool("mousemove", x0, y0)
        d.xdotool("mousedown", 1)
        for i in range(1, steps + 1):
            d.xdotool("mousemove", x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
        d.xdotool("mouseup", 1)

    def click(self, x, y, button=1):
        """Moves the pointer to (x, y) (the window under it is highlighted), then clicks."""
        self.desk.xdotool("mousemove", x, y)
        self.desk.xdotool("click", button)

    def double_click(self, x, y):
        self.desk.xdotool("mousemove", x, y)
        self.desk.xdotool("click", "--repeat", 2, "--delay", 60, 1)

    def wait_for_frame_at(self, x, y, timeout=10):
        """The screen once the pixel (x, y) shows the frame colour (a selection's or a highlight's
        frame line drawn there)."""
        return self.desk.wait_for_screen(lambda shot: shot.pixel(x, y) == FRAME, timeout)

    def assert_clipboard_shows(self, l, t, r, b):
        """The clipboard holds exactly the desktop picture's pixels of (l, t, r, b)."""
        width, height, rows = parse_bmp(self.desk.clipboard_bmp())
        self.assertEqual((width, height), (r - l, b - t))
        wrong = [(x + l, y + t) for y, row in enumerate(rows) for x, rgb in enumerate(row)
                 if rgb != picture(x + l, y + t)]
        self.assertEqual(wrong[:5], [], "%d pixels differ" % len(wrong))
