"""End-to-end: an author starts Mind Prism with the quiz file they are
writing, and the window follows their saves: a new text shows where the
player stands, a broken save shows its problem, the next good save mends it."""

import os
import shutil
import sys
import tempfile
import unittest

import driver

EXE = None


def quiz(second_text):
    """A quiz of two questions without problems; the second one's text given."""
    return ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<questions>\n"
            "<QUESTION><ID>1001</ID><Q>Where do you start?</Q>"
            "<ANSWER><A>Here</A><GOTO>1002</GOTO></ANSWER></QUESTION>\n"
            "<QUESTION><ID>1002</ID><Q>%s</Q>"
            "<ANSWER><A>Done</A><GOTO>0</GOTO></ANSWER></QUESTION>\n"
            "</questions>\n" % second_text)


def save_by_rename(path, text):
    """Saves as most editors do: a new file, renamed over the old one."""
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(temporary, path)


def problem_rows(frame):
    """Texts of the Problems pane's rows, while it is shown (else [])."""
    for table in driver.find_all(frame, "table"):
        headers = [h.name for h in driver.find_all(table, "table column header")]
        if "Message" in headers:
            if not table.getState().contains(driver.pyatspi.STATE_SHOWING):
                return []
            return [c.name for c in driver.find_all(table, "table cell")]
    return []


class AuthoringTest(unittest.TestCase):
    def test_the_window_follows_the_saves_of_the_file_named_on_the_command_line(self):
        folder = tempfile.mkdtemp(prefix="mindprism-authoring-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        name = "我的 quiz 草稿.xml"
        path = os.path.join(folder, name)
        save_by_rename(path, quiz("What comes next?"))

        app = driver.MindPrism(EXE, args=[path])
        self.addCleanup(app.stop)
        app.store_language("en")
        app.start()
        frame = app.window("Mind Prism - " + name)
        driver.wait_for("the first question",
                        lambda: driver.question_text(frame)[0] == "Where do you start?")
        app.press(frame, "Next")
        driver.wait_for("the second question",
                        lambda: driver.question_text(frame) == ("What comes next?", ["Done"]))

        save_by_rename(path, quiz("What comes after the edit?"))
        driver.wait_for("the new text in place", lambda: driver.question_text(frame) ==
                        ("What comes after the edit?", ["Done"]))

        save_by_rename(path, "<questions><QUESTION><ID>1001</ID>")
        rows = driver.wait_for("the problem shown", lambda: problem_rows(frame))
        self.assertIn("error", rows)
        self.assertEqual(driver.question_text(frame)[0], "What comes after the edit?")

        save_by_rename(path, quiz("Mended."))
        driver.wait_for("the mended quiz", lambda: driver.question_text(frame)[0] == "Mended.")
        driver.wait_for("the problem gone", lambda: not problem_rows(frame))


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv.pop(1))
    unittest.main()
