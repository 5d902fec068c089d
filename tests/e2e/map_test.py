"""End-to-end: Ctrl+M opens the quiz map beside the main window, where a
screen reader finds it by its title and its commands by their names."""

import os
import sys
import unittest

import driver

EXE = None


class MapTest(unittest.TestCase):
    def test_ctrl_m_opens_the_map_window_with_its_named_commands(self):
        app = driver.MindPrism(EXE)
        self.addCleanup(app.stop)
        app.store_language("zh_CN")
        app.start()
        frame = app.window("心灵棱镜 - 你具备哪种动物潜质？")
        self.assertTrue(driver.find(frame, "menu item", "测验地图(M)"))
        app.key(frame, "ctrl+m")
        window = app.window("测验地图 - 你具备哪种动物潜质？")
        for name in ("适合窗口", "放大", "缩小"):
            driver.wait_for("the %r button" % name,
                            lambda: driver.find(window, "push button", name))
        # The command again brings the same window forward: still one.
        app.key(frame, "ctrl+m")
        titles = [w.name for w in app.windows()]
        self.assertEqual(titles.count("测验地图 - 你具备哪种动物潜质？"), 1, titles)


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv.pop(1))
    unittest.main()
