"""The launcher's hotkey file as a user may have left it: saved from an editor as UTF-8 or as
UTF-16 ("Unicode"). The real launcher must hold the key the file names, write a new choice from
its menu in that same encoding without touching anything else, and hold the choice after a
restart. Icon and menu events reach the launcher through programs/launcher_probe.cpp."""

import os
import shutil
import unittest

from launcher_test import BIN, INI, WM_COMMAND, F3, F5, LauncherCase

NAME = "配置名"


class HotkeyFileTest(LauncherCase):
    def test_a_file_saved_as_utf8_or_utf16_keeps_its_hotkey_and_its_encoding(self):
        for name, encode in [("utf-8 with mark", lambda t: b"\xef\xbb\xbf" + t.encode("utf-8")),
                             ("utf-8", lambda t: t.encode("utf-8")),
                             ("utf-16", lambda t: b"\xff\xfe" + t.encode("utf-16-le"))]:
            with self.subTest(name):
                folder = os.path.join(self.tmp, name)
                os.makedirs(folder)
                shutil.copy(os.path.join(BIN, "Lumetta.exe"), folder)
                path = os.path.join(folder, INI)
                text = "; 截图的热键\r\n[%s]\r\n%s=%%d\r\n" % (NAME, NAME)
                with open(path, "wb") as f:
                    f.write(encode(text % F3))
                proc = self.launch(folder)
                self.assertEqual(self.held(), [F3], "the key the file names is not held")

                self.assertEqual(self.probe("send", WM_COMMAND, 2000 + F5, 0)[0], 0)
                self.assertEqual(self.held(), [F5])
                with open(path, "rb") as f:
                    self.assertEqual(f.read(), encode(text % F5))
                self.assertEqual(sorted(os.listdir(folder)), sorted(["Lumetta.exe", "Snapshot.exe",
                                                                     INI]))
                self.close(proc)
                self.launch(folder)
                self.assertEqual(self.held(), [F5], "the choice is not back after a restart")
                self.close(self.launched[-1])


if __name__ == "__main__":
    unittest.main()
