"""End-to-end: F1 shows the about dialog, F2 changes the interface language
for the next start."""

import os
import sys
import unittest

import driver

EXE = None


class AboutAndLanguageTest(unittest.TestCase):
    def start(self, config_home=None):
        app = driver.MindPrism(EXE, config_home=config_home)
        self.addCleanup(app.stop)
        if config_home is None:
            app.store_language("zh_CN")
        return app.start()

    def test_f1_shows_the_about_dialog_and_f2_changes_the_next_starts_language(self):
        app = self.start()
        frame = app.window("心灵棱镜 - 你具备哪种动物潜质？")
        app.key(frame, "F1")
        about = app.window("关于心灵棱镜")
        labels = [n.name for n in driver.find_all(about, "label")]
        version = os.environ["MINDPRISM_VERSION"]
        self.assertIn(f"Version {version}  (Build 207.10062011)", labels)
        self.assertTrue(any(l.startswith("wxWidgets 3.") and l.endswith("-Linux-Unicode build")
                            for l in labels), labels)
        self.assertNotIn("wx-build-info", labels)
        app.press(about, "确定(O)")
        app.gone("关于心灵棱镜")

        app.key(frame, "F2")
        dialog = app.window("选择界面语言")
        driver.choose_row(dialog, "English")
        app.press(dialog, "确定(O)")
        message = app.window(role="alert")
        self.assertTrue(driver.find(message, "label", "重新启动程序后，更改才会生效。"))
        app.press(message, "确定(O)")
        app.gone(role="alert")
        # The running interface stays Chinese.
        self.assertTrue(driver.find(frame, "push button", "下一题(N)"))
        driver.find(frame, "menu item", "退出(Q)").queryAction().doAction(0)
        self.assertEqual(app.wait_exit(), 0)
        self.assertIn("ui_language=en\n", app.stored())

        again = self.start(config_home=app.config_home)
        frame = again.window("Mind Prism - Which animal are you?")
        self.assertTrue(driver.find(frame, "push button", "Next"))


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv.pop(1))
    unittest.main()
