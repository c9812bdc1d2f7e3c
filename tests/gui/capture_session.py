"""A capture engine running over the test desktop picture, and what the tests need to drive it:
the desktop's known pixels, drags and clicks with xdotool, and the clipboard read back as BMP."""

import glob
import os
import re
import struct
import unittest

from desktop import CHILDREN, Desktop, desk_pixel, wait_until

BIN = os.environ.get("LUMETTA_BIN", "")
ARTIFACTS = os.environ.get("LUMETTA_ARTIFACTS", "/tmp")
FRAME = (2, 169, 255)
BAR_W, BAR_H = 283, 30  # the main tool bar


def bar_position(l, t, r, b, screen=(1280, 800)):
    """Where the main tool bar goes for a selection: under it, right-aligned, 5 pixels below
    (the desktop is one monitor)."""
    x = max(r - BAR_W, 0)
    y = b + 5 if b + BAR_H <= screen[1] else t - BAR_H - 5
    return x, y


def button_centre(index, x, y):
    """Centre of button `index` (0 rectangle, 1 ellipse, 2 arrow, 3 brush, 4 mosaic, 5 text,
    6 undo, 7 save, 8 exit, 9 finish) of a bar at (x, y)."""
    left = 7 + 24 * index
    width = 52 if index == 9 else 24
    return x + left + width // 2, y + 2 + 13


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
    # True: each test starts from no settings file, as a first run does, and leaves the file as
    # the other tests of the run had it.
    FRESH_SETTINGS = False

    def setUp(self):
        self.desk = Desktop.shared()
        self.saved_settings = None
        if self.FRESH_SETTINGS:
            config = self.config_path()
            if os.path.exists(config):
                with open(config, "rb") as f:
                    self.saved_settings = f.read()
                os.remove(config)
        self.assertTrue(self.desk.start_picture(os.path.join(BIN, "testdesk.exe"), "--children"))
        self.desk.wait_for_screen(lambda shot: shot.pixel(5, 5) == desk_pixel(5, 5))
        self.desk.xdotool("mousemove", 700, 700)
        if self.START_ENGINE:
            self.engine = self.start_engine(*self.ENGINE_ARGS)

    def tearDown(self):
        self.desk.kill_started()
        if self.FRESH_SETTINGS:
            config = self.config_path()
            if self.saved_settings is not None:
                with open(config, "wb") as f:
                    f.write(self.saved_settings)
            elif os.path.exists(config):
                os.remove(config)

    def settled_pixels(self, area, ready, name):
        """The pixels of `area` (x, y, width, height), rows top first, once `ready(shot)` holds
        and two screenshots in a row agree on them; None when that does not happen within 10 s.
        The screen is kept as artifact `name`."""
        x, y, w, h = area
        last = [None]

        def settled():
            shot = self.desk.screenshot()
            if not ready(shot):
                last[0] = None
                return None
            crop = [shot.pixel(x + i, y + j) for j in range(h) for i in range(w)]
            same = crop == last[0]
            last[0] = crop
            return crop if same else None
        crop = wait_until(settled, 10, 0.1)
        self.desk.screenshot(os.path.join(ARTIFACTS, name))
        return crop

    def select_area(self, selection):
        """Drags out `selection` (left, top, right, bottom) and answers the main tool bar's
        position once the bar shows."""
        self.drag(*selection)
        x, y = bar_position(*selection)
        self.desk.wait_for_screen(lambda shot: shot.pixel(x + 5, y + 15) == (255, 255, 255))
        return x, y

    def config_path(self):
        """The engine's settings file under the prefix user's roaming application-data folder."""
        users = os.path.join(self.desk.prefix, "drive_c", "users")
        for roaming in (("AppData", "Roaming"), ("Application Data",)):
            for folder in sorted(glob.glob(os.path.join(users, "*", *roaming))):
                if folder[len(users) + 1:].split(os.sep)[0].lower() != "public":
                    return os.path.join(folder, "Corvane", "CorvanePinyin", "Plugin",
                                        "Screenshot", "Config.ini")
        self.fail("no roaming application-data folder in the prefix")

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

    def engine_windows(self):
        """(x, y, w, h) of every visible window of the engine."""
        out = self.desk.xdotool("search", "--onlyvisible", "--class", "snapshot.exe")
        found = []
        for wid in out.split():
            geo = self.desk.xdotool("getwindowgeometry", wid)
            m = re.search(r"Position: (-?\d+),(-?\d+).*Geometry: (\d+)x(\d+)", geo, re.S)
            if m:
                found.append(tuple(int(v) for v in m.groups()))
        return found

    def menus(self):
        """The engine's visible windows shaped like the right-click menu."""
        return [w for w in self.engine_windows()
                if w[2] not in (BAR_W, 122, 1280) and 100 < w[3] < 800]

    def open_menu(self, x, y):
        """Right-clicks at (x, y) and answers the menu (x, y, w, h) once it is shown at its
        place (it is parked off screen until its first picture is presented)."""
        self.desk.xdotool("mousemove", x, y)
        self.desk.xdotool("click", 3)

        def placed():
            menus = self.menus()
            return menus if menus and all(0 <= m[0] < 1280 and 0 <= m[1] < 800 for m in menus) \
                else None
        menus = wait_until(placed, 10, 0.1) or self.menus()
        self.assertEqual(len(menus), 1, self.engine_windows())
        return menus[0]

    def menu_item(self, menu, normal_index, separators_before):
        """Centre of a menu item: 13 rows of one height and three 2-pixel separators inside
        margins of 8 above and below."""
        mx, my, mw, mh = menu
        row = (mh - 16 - 3 * 2) // 13
        top = my + 8 + normal_index * row + separators_before * 2
        return mx + mw // 2, top + row // 2

    def assert_clipboard_shows(self, l, t, r, b):
        """The clipboard holds exactly the desktop picture's pixels of (l, t, r, b)."""
        width, height, rows = parse_bmp(self.desk.clipboard_bmp())
        self.assertEqual((width, height), (r - l, b - t))
        wrong = [(x + l, y + t) for y, row in enumerate(rows) for x, rgb in enumerate(row)
                 if rgb != picture(x + l, y + t)]
        self.assertEqual(wrong[:5], [], "%d pixels differ" % len(wrong))
