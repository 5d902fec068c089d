"""End-to-end: a user takes the first quiz from its first question to the
result dialog, and the second one to its result message; in English, the
quiz itself is the English edition."""

import os
import re
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

    def test_english_interface_takes_the_english_edition_to_an_english_result(self):
        path = os.path.join(os.path.dirname(EXE), "data", "Quiz_000-en.xml")
        if not os.path.isfile(path):
            self.skipTest("this build has no English edition of the first quiz")
        questions = driver.quiz_questions(path)
        self.app = driver.MindPrism(EXE)
        self.addCleanup(self.app.stop)
        self.app.store_language("en")
        self.app.start()
        self.frame = self.app.window("Mind Prism - Which animal are you?")
        text, answers = questions["1001"]
        driver.wait_for("the English entry question",
                        lambda: driver.question_text(self.frame) == (text, [a for a, _ in answers]))
        dialog, chosen = self.walk_to_the_result(lambda w: w.name == "Result")
        self.assertIn(chosen, [a for _, q in questions.items() for a, goto in q[1] if goto == "0"])
        self.assertIn(chosen, [n.name for n in driver.find_all(dialog, "label")])
        # The answer names its type as the catalogue below it does.
        verdict = re.search(r"→ Type ([A-G]): (.+)$", chosen)
        self.assertTrue(verdict, chosen)
        self.assertIn("\n%s. %s\n" % verdict.groups(), driver.text_of(driver.find(dialog, "text")))
        self.app.press(dialog, "OK")
        self.app.gone("Result")


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv.pop(1))
    unittest.main()
