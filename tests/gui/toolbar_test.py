"""The main tool bar, its tooltips and the right-click menu on the real desktop: where the bar
appears, its copy and exit buttons, and the menu's finish, exit and hide-the-bars items. The
screenshots are kept as artifacts (bar, tooltip, open menu)."""

import os
import subprocess
import time
import unittest

from capture_session import ARTIFACTS, BAR_W, CaptureCase, bar_position, button_centre
from desktop import wait_until

SELECTION = (600, 400, 900, 600)

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
