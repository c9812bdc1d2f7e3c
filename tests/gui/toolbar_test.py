"""The main tool bar, its tooltips and the right-click menu on the real desktop: where the bar
appears, its copy and exit buttons, and the menu's finish, exit and hide-the-bars items. The
screenshots are kept as artifacts (bar, tooltip, open menu)."""

import os
import re
import subprocess
import time
import unittest

from capture_session import ARTIFACTS, CaptureCase
from desktop import wait_until

BAR_W, BAR_H = 283, 30
SELECTION = (600, 400, 900, 600)


def bar_position(l, t, r, b, screen=(1280, 800)):
    """Under the selection, right-aligned, 5 pixels below (the desktop is one monitor)."""
    x = max(r - BAR_W, 0)
    y = b + 5 if b + BAR_H <= screen[1] else t - BAR_H - 5
    return x, y


def button_centre(index, x, y):
    """Centre of button `index` (0 rectangle ... 8 exit, 9 finish) of a bar at (x, y)."""
    left = 7 + 24 * index
    width = 52 if index == 9 else 24
    return x + left + width // 2, y + 2 + 13


WHITE = (255, 255, 255)

# A few checks are that something does NOT happen (the capture goes on); they give the engine
# this long to do it wrongly.
NOTHING_HAPPENS = 0.4


class ToolbarTest(CaptureCase):
    def select(self):
        self.drag(*SELECTION)
        x, y = bar_position(*SELECTION)
        self.desk.wait_for_screen(lambda shot: shot.pixel(x + 5, y + 15) == WHITE)
        return x, y

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
        """Right-clicks at (x, y) and answers the menu once it is shown at its place (it is
        parked off screen until its first picture is presented)."""
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

    def test_bar_under_the_selection_with_tooltip_and_copy_button(self):
        x, y = self.select()
        self.desk.xdotool("mousemove", *button_centre(0, x, y))
        shot = self.desk.screenshot(os.path.join(ARTIFACTS, "toolbar.png"))
        # The rounded white panel fills the bar's margins; the selection's pixels are not there.
        for px, py in [(x + 5, y + 15), (x + BAR_W - 5, y + 15)]:
            self.assertEqual(shot.pixel(px, py), (255, 255, 255), (px, py))
        self.assertNotEqual(shot.pixel(x - 3, y + 15), (255, 255, 255))

        def tooltips():
            return [w for w in self.engine_windows() if w[1] > y + 20 and w[3] < 60]
        wait_until(tooltips, 5, 0.1)  # it shows after 800 ms
        self.desk.screenshot(os.path.join(ARTIFACTS, "toolbar-tooltip.png"))
        self.assertEqual(len(tooltips()), 1, "one tooltip under the pointer")

        self.desk.xdotool("click", 1)  # on the rectangle tool: no finish
        time.sleep(NOTHING_HAPPENS)
        self.assertIsNone(self.engine.poll())
        self.desk.xdotool("mousemove", *button_centre(9, x, y))
        self.desk.xdotool("click", 1)
        self.assertEqual(self.engine.wait(20), 0)
        self.assert_clipboard_shows(*SELECTION)

    def test_choosing_another_tool_shows_the_old_one_released_at_once(self):
        x, y = self.select()
        for index in (0, 1):  # rectangle, then ellipse; the pointer stays on the ellipse
            self.desk.xdotool("mousemove", *button_centre(index, x, y))
            self.desk.xdotool("click", 1)

        def button(shot, index):
            left = x + 7 + 24 * index
            return [shot.pixel(left + dx, y + dy) for dy in range(2, 28) for dx in range(24)
                    if dx < 3 or dx > 20 or dy < 5 or dy > 24]  # its margin, not its picture

        # The rectangle button's margin becomes the plain panel again, like the arrow button's,
        # which was never chosen; the ellipse button shows the pressed look.
        shot = self.desk.wait_for_screen(
            lambda s: button(s, 0) == button(s, 2) and button(s, 1) != button(s, 2))
        shot = self.desk.screenshot(os.path.join(ARTIFACTS, "toolbar-ellipse-chosen.png"))
        self.assertEqual(button(shot, 0), button(shot, 2))
        self.assertNotEqual(button(shot, 1), button(shot, 2))
        self.desk.xdotool("key", "Escape")
        self.assertEqual(self.engine.wait(20), 0)

    def test_exit_button_leaves(self):
        x, y = self.select()
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=b"before",
                       env=self.desk.env(), check=True, timeout=10)
        self.desk.xdotool("mousemove", *button_centre(8, x, y))
        self.desk.xdotool("click", 1)
        self.assertEqual(self.engine.wait(20), 0)
        r = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.desk.env(),
                           capture_output=True, timeout=10)
        self.assertEqual(r.stdout, b"before")

    def test_menu_finish_copies(self):
        self.select()
        menu = self.open_menu(700, 450)
        self.desk.screenshot(os.path.join(ARTIFACTS, "context-menu.png"))
        self.desk.xdotool("mousemove", *self.menu_item(menu, 8, 1))  # 完成截图
        self.desk.xdotool("click", 1)
        self.assertEqual(self.engine.wait(20), 0)
        self.assert_clipboard_shows(*SELECTION)

    def test_menu_exit_leaves(self):
        self.select()
        menu = self.open_menu(700, 450)
        self.desk.xdotool("mousemove", *self.menu_item(menu, 12, 3))  # 退出截图
        self.desk.xdotool("click", 1)
        self.assertEqual(self.engine.wait(20), 0)

    def test_menu_hides_the_bar_and_a_new_selection_keeps_it_hidden(self):
        x, y = self.select()
        menu = self.open_menu(700, 450)
        self.desk.xdotool("mousemove", *self.menu_item(menu, 11, 2))  # 隐藏工具条
        self.desk.xdotool("click", 1)
        shot = self.desk.wait_for_screen(lambda s: s.pixel(x + 5, y + 15) != WHITE)
        self.assertNotEqual(shot.pixel(x + 5, y + 15), WHITE)
        # A new drag makes a new selection, and the bar stays hidden under it.
        self.drag(100, 100, 400, 300)
        bx, by = bar_position(100, 100, 400, 300)
        self.wait_for_frame_at(99, 200)  # the new selection's left frame line
        time.sleep(NOTHING_HAPPENS)
        shot = self.desk.screenshot()
        self.assertNotEqual(shot.pixel(bx + 5, by + 15), WHITE)
        self.desk.xdotool("key", "Escape")
        self.assertEqual(self.engine.wait(20), 0)

    def test_esc_closes_the_menu_and_a_second_esc_leaves(self):
        self.select()
        self.open_menu(700, 450)
        self.desk.xdotool("key", "Escape")
        wait_until(lambda: not self.menus(), 10, 0.1)
        self.assertEqual(self.menus(), [])
        time.sleep(NOTHING_HAPPENS)
        self.assertIsNone(self.engine.poll())  # only the menu closed
        self.desk.xdotool("key", "Escape")
        self.assertEqual(self.engine.wait(20), 0)

    def test_a_click_outside_the_menu_closes_it(self):
        self.select()
        self.open_menu(700, 450)
        self.desk.xdotool("mousemove", 200, 700)
        self.desk.xdotool("click", 1)
        wait_until(lambda: not self.menus(), 10, 0.1)
        self.assertEqual(self.menus(), [])
        self.desk.xdotool("key", "Escape")
        self.assertEqual(self.engine.wait(20), 0)


if __name__ == "__main__":
    unittest.main()
