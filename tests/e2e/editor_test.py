"""End-to-end: an author writes a new quiz with the keyboard alone (the
accessibility bus only reads what the window shows), saves it, opens it
again and plays it to its end."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import driver

EXE = None


def typed(text):
    """Types text into whatever has the keyboard focus."""
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def field(frame, label):
    """The text field a label names (as a screen reader pairs them)."""
    for node in driver.find_all(frame, "text"):
        for relation in node.getRelationSet():
            if relation.getRelationType() == driver.pyatspi.RELATION_LABELLED_BY and \
                    relation.getTarget(0).name == label:
                return node
    return None


def value(frame, label):
    return driver.text_of(field(frame, label))


def keys(*names):
    for name in names:
        subprocess.run(["xdotool", "key", "--delay", "60", name], check=True)


class EditorTest(unittest.TestCase):
    def test_a_quiz_written_with_the_keyboard_is_saved_and_plays_to_its_end(self):
        folder = tempfile.mkdtemp(prefix="mindprism-editor-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        path = os.path.join(folder, "mine.xml")

        # The save dialog starts in the home folder: the test's own.
        app = driver.MindPrism(EXE, env={"HOME": folder})
        self.addCleanup(app.stop)
        app.store_language("en")
        app.start()
        frame = app.window("Mind Prism - Which animal are you?")
        app.key(frame, "ctrl+n")
        frame = app.window("Mind Prism - Untitled quiz")
        driver.wait_for("the editor", lambda: value(frame, "Question ID:") == "1001")

        # Question 1001: its text, and its first answer leading on.
        keys("alt+x", "ctrl+a")
        typed("Ready?")
        keys("alt+w", "ctrl+a")
        typed("Yes")
        keys("Return")
        driver.wait_for("the text played", lambda: driver.question_text(frame)[0] == "Ready?")
        # Question 1002, added: the text field has the focus.
        keys("alt+i")
        driver.wait_for("question 1002", lambda: value(frame, "Question ID:") == "1002")
        keys("ctrl+a")
        typed("Sure?")
        keys("alt+w", "ctrl+a")
        typed("Quite sure")
        keys("Return")
        # Back to 1001 in the outline; its first answer goes to 1002.
        keys("alt+d", "shift+Tab", "Home")
        driver.wait_for("question 1001 selected", lambda: value(frame, "Question ID:") == "1001")
        keys("alt+g", "space")
        item = driver.wait_for("the targets", lambda: driver.find(frame, "menu item", "1002 · Sure?"))
        keys("Down", "Down", "Return")
        driver.wait_for("the answer leading on", lambda: driver.find(frame, "list item", "1002 · Yes")
                        or driver.find(frame, "table cell", "1002 · Yes"))
        self.assertTrue(item)

        keys("ctrl+s")
        chooser = app.window(role="file chooser", timeout=15)
        keys("ctrl+a")
        typed("mine.xml")
        keys("Return")
        app.window("Mind Prism - mine.xml")
        questions = driver.quiz_questions(path)
        self.assertEqual(questions["1001"], ("Ready?", [("Yes", "1002"), ("Second answer \u2192 Second result", "0")]))
        self.assertEqual(questions["1002"][1][0], ("Quite sure", "0"))
        self.assertTrue(chooser)
        app.stop()

        again = driver.MindPrism(EXE, args=[path])
        self.addCleanup(again.stop)
        again.store_language("en")
        again.start()
        frame = again.window("Mind Prism - mine.xml")
        driver.wait_for("the first question", lambda: driver.question_text(frame)[0] == "Ready?")
        again.press(frame, "Next")
        driver.wait_for("the second question", lambda: driver.question_text(frame)[0] == "Sure?")
        again.press(frame, "Next")
        box = again.window(role="alert")
        self.assertIn("Quite sure", [n.name for n in driver.find_all(box, "label")])


if __name__ == "__main__":
    EXE = os.path.abspath(sys.argv.pop(1))
    unittest.main()
