"""The page plays by the program's rules: the engine's walks (written by
conformance_walks) replayed in the exported page in headless Chromium, every
step's question, status line and result compared.

Usage: conformance_test.py WALKS_PROGRAM CHECKER DATA_DIR LOCALES_DIR"""

import json
import os
import subprocess
import sys
import tempfile
import time
import unittest

from browser import Browser, file_url

ARGS = {}
LEAST_WALKS = 1000


def export(checker, quiz, page):
    """Writes the page; a quiz with errors still gives one (status 2)."""
    done = subprocess.run([checker, "--web", page, quiz], capture_output=True, text=True)
    if not os.path.exists(page):
        raise AssertionError("no page for %s (%d): %s" % (quiz, done.returncode, done.stderr))


class ConformanceTest(unittest.TestCase):
    def test_the_page_takes_every_step_the_engine_takes(self):
        with tempfile.TemporaryDirectory() as tmp:
            subprocess.run([ARGS["walks"], tmp, ARGS["data"], ARGS["locales"]], check=True)
            with open(os.path.join(tmp, "walks.json"), encoding="utf-8") as f:
                pages = json.load(f)["pages"]
            walks = sum(len(page["walks"]) for page in pages)
            self.assertGreaterEqual(walks, LEAST_WALKS)
            steps = 0
            began = time.monotonic()
            with Browser() as driver:
                for number, page in enumerate(pages):
                    html = os.path.join(tmp, "page_%02d.html" % number)
                    export(ARGS["checker"], page["quiz"], html)
                    driver.get(file_url(html))
                    played = driver.execute_script(
                        "return arguments[0].map(w => window.mindPrismReplay(w.lang, w.steps));",
                        [{"lang": w["lang"], "steps": w["steps"]} for w in page["walks"]])
                    for index, (walk, seen) in enumerate(zip(page["walks"], played)):
                        steps += len(walk["steps"])
                        self.compare(page["quiz"], index, walk, seen)
                    self.assertFalse(driver.execute_script("return 'pwned' in window"),
                                     "a quiz text ran as script in " + page["quiz"])
            print("%d walks, %d steps agree in %.1f s" % (walks, steps, time.monotonic() - began))

    def compare(self, quiz, index, walk, seen):
        expected = walk["seen"]
        self.assertEqual(len(seen), len(expected))
        for step, (engine, page) in enumerate(zip(expected, seen)):
            if engine != page:
                self.fail("%s, walk %d (%s), step %d after %s: engine %s, page %s" % (
                    os.path.basename(quiz), index, walk["lang"], step,
                    walk["steps"][max(0, step - 6):step], engine, page))


if __name__ == "__main__":
    ARGS["locales"] = os.path.abspath(sys.argv.pop(4))
    ARGS["data"] = os.path.abspath(sys.argv.pop(3))
    ARGS["checker"] = os.path.abspath(sys.argv.pop(2))
    ARGS["walks"] = os.path.abspath(sys.argv.pop(1))
    unittest.main()
