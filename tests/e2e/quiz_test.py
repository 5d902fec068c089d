"""End-to-end: a user takes the first quiz from its first question to the
result dialog, and the second one to its result message."""

import os
import sys
import unittest

import driver

EXE = None


class QuizTest(unittest.TestCase):
    def walk_to_the_result(self, is_result):
        """Presses Next on the preselected first answer until a window for
        which is_result() holds opens; returns it and the answer chosen last."""
        for _ in range(40):
            table = driver.find(self.frame, "table")
            chosen = table.querySelection().getSelectedChild(0).name
            before = driver.question_text(self.frame)
            self.app.press(self.frame, "Next")

            def moved_or_ended():
                for window in self.app.windows():
                    if is_result(window):
                        return window
                return driver.question_text(self.frame) != before
            outcome = driver.wait_for("the next question or the result", moved_or_ended)
            if outcome is not True:
                return outcome, chosen
        self.fail("no result after 40 questions")

    def test_each_quiz_ends_in_its_result(self):
        self.app = driver.MindPrism(EXE)
        self.addCleanup(self.app.stop)
        self.app.store_language("en")
        self.app.start()
        self.frame = self.app.window("Mind Prism - Which animal are you?")
        start = driver.question_text(self.frame)
        dialog, chosen = self.walk_to_the_result(lambda w: w.name == "Result")
        self.assertIn(chosen, [n.name for n in driver.find_all(dialog, "label")])
        catalogue = driver.text_of(driver.find(dialog, "text"))
        self.assertTrue(catalogue.startswith("-" * 24 + "\nA. Sika Deer\n"), catalogue[:60])
        self.assertIn("G. Wild Elephant", catalogue)
        self.app.press(dialog, "OK")
        self.app.gone("Result")
        # The last question stays; Reset goes back to the first.
        self.assertNotEqual(driver.question_text(self.frame), start)
        self.app.press(self.frame, "Reset")
        driver.wait_for("the first question", lambda: driver.question_text(self.frame) == start)

        combo = driver.find(self.frame, "combo box")
        driver.find(combo, "menu item", "What is your inner star sign?").queryAction().doAction(0)
        self.frame = self.app.window("Mind Prism - What is your inner star sign?")
        box, chosen = self.walk_to_the_result(lambda w: w.getRoleName() == "alert")
        self.assertIn(chosen, [n.name for n in driver.find_all(box, "label")])
        self.app.press(box, "OK")
        self.app.gone(role="alert")


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv.pop(1))
    unittest.main()
