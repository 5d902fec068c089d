"""End-to-end: starting Mind Prism, the first-start language choice, and
finding the run-time files from wherever the program is started."""

import os
import sys
import tempfile
import unittest

import driver

EXE = None


def first_question(language):
    """Text and answers of the first quiz's entry question, from the file
    the program reads for `language`."""
    text, answers = driver.quiz_questions(driver.quiz_edition(EXE, "Quiz_000", language))["1001"]
    return text, [answer for answer, _ in answers]


class StartTest(unittest.TestCase):
    def run_app(self, **kwargs):
        app = driver.MindPrism(EXE, **kwargs)
        self.addCleanup(app.stop)
        return app

    def assert_entry_question(self, frame, language):
        text, answers = driver.wait_for(
            "the entry question", lambda: driver.question_text(frame)
            if driver.question_text(frame)[0] else None)
        self.assertEqual((text, answers), first_question(language))

    def test_started_elsewhere_with_arguments_shows_the_entry_question_and_nothing_else(self):
        elsewhere = tempfile.mkdtemp(prefix="mindprism-cwd-")
        self.addCleanup(os.rmdir, elsewhere)
        app = self.run_app(cwd=elsewhere, args=["--unknown-option", "-x"])
        app.store_language("zh_CN")
        app.start()
        frame = app.window("心灵棱镜 - 你具备哪种动物潜质？")
        self.assert_entry_question(frame, "zh_CN")
        # An error box about the locale would come up as soon as the program
        # is idle, so certainly before it has handled a click on Next.
        entry = driver.question_text(frame)
        app.press(frame, "下一题(N)")
        driver.wait_for("the next question", lambda: driver.question_text(frame) != entry)
        self.assertEqual([w.name for w in app.windows()], [frame.name])

    def test_first_start_asks_for_the_language_and_remembers_it(self):
        app = self.run_app().start()
        dialog = app.window("Language selection")
        rows = [c.name for c in driver.find_all(dialog, "table cell")]
        self.assertEqual(rows, ["(Use default language)", "Chinese (Simplified)", "English"])
        driver.choose_row(dialog, "English")
        app.press(dialog, "OK")
        frame = app.window("Mind Prism - Which animal are you?")
        self.assert_entry_question(frame, "en")
        driver.find(frame, "menu item", "Quit").queryAction().doAction(0)
        self.assertEqual(app.wait_exit(), 0)
        self.assertIn("ui_language=en\n", app.stored())

        again = self.run_app(config_home=app.config_home).start()
        again.window("Mind Prism - Which animal are you?")
        self.assertEqual(len(again.windows()), 1, "asked again")


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv.pop(1))
    unittest.main()
