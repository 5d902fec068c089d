"""The exported page in a real browser (headless Chromium): played with the
keyboard alone to a result, its live region, a phone's width, the language
switch, quiz texts shown as text, dark mode and contrast, no request leaving
the page and no console error.

Usage: page_test.py CHECKER DATA_DIR"""

import os
import re
import subprocess
import sys
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from browser import Browser, file_url

CHECKER = None
DATA = None

# An author's quiz with hostile texts, a target naming no question, a word
# longer than any phone is wide and a loop back to the entry.
HOSTILE_QUIZ = """<questions>
<QUESTION><ID>1001</ID><Q>&lt;img src=x onerror="window.pwned = 1"&gt; first?</Q>
<ANSWER><A>&lt;script&gt;window.pwned = 1&lt;/script&gt;</A><GOTO>1002</GOTO></ANSWER>
<ANSWER><A>Nowhere</A><GOTO>4711</GOTO></ANSWER>
<ANSWER><A>{long}</A><GOTO>1002</GOTO></ANSWER>
</QUESTION>
<QUESTION><ID>1002</ID><Q>Second</Q>
<ANSWER><A>Done → The Rogue</A><GOTO>0</GOTO></ANSWER>
<ANSWER><A>Again</A><GOTO>1001</GOTO></ANSWER>
</QUESTION>
</questions>
""".replace("{long}", "W" * 300)


def export(quiz, page):
    # The checker's own language decides the words of a file that is no
    # edition: English here.
    environment = dict(os.environ, LANG="C", LC_ALL="C", LANGUAGE="")
    subprocess.run([CHECKER, "--web", page, quiz], env=environment, capture_output=True)
    if not os.path.exists(page):
        raise AssertionError("no page written for " + quiz)


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def parse_colour(text):
    return tuple(int(v) for v in re.findall(r"\d+", text)[:3])


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.animal = os.path.join(cls.tmp.name, "animal.html")
        export(os.path.join(DATA, "Quiz_000-zh_CN.xml"), cls.animal)
        quiz = os.path.join(cls.tmp.name, "hostile.xml")
        with open(quiz, "w", encoding="utf-8") as f:
            f.write(HOSTILE_QUIZ)
        cls.hostile = os.path.join(cls.tmp.name, "hostile.html")
        export(quiz, cls.hostile)
        cls.browser = Browser(languages="zh-CN,zh")
        cls.driver = cls.browser.driver

    @classmethod
    def tearDownClass(cls):
        cls.browser.__exit__(None, None, None)
        cls.tmp.cleanup()

    def setUp(self):
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        self.driver.get_log("browser")  # what earlier tests left

    def open(self, page):
        self.driver.get(file_url(page))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def active(self):
        return self.js("const e = document.activeElement; "
                       "return {tag: e.tagName, id: e.id, name: e.name || '', value: e.value || '', "
                       "checked: !!e.checked};")

    def text(self, element_id):
        return self.driver.find_element(By.ID, element_id).get_attribute("textContent")

    def shown(self, element_id):
        return self.driver.find_element(By.ID, element_id).is_displayed()

    def assert_clean_console(self):
        errors = [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [])

    def test_the_keyboard_alone_plays_to_a_result_and_copies_it(self):
        self.driver.execute_cdp_cmd("Browser.grantPermissions",
                                    {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.open(self.animal)
        for _ in range(10):
            if self.active()["name"] == "answer":
                break
            self.keys(Keys.TAB)
        self.assertEqual(self.active(), {"tag": "INPUT", "id": "", "name": "answer", "value": "0",
                                         "checked": True})
        for step in range(20):
            if self.shown("result"):
                break
            question = self.text("question-text")
            # The arrow keys choose (the second answer), Enter goes on.
            self.keys(Keys.ARROW_DOWN)
            self.assertEqual(self.active()["value"], "1")
            self.keys(Keys.ENTER)
            if not self.shown("result"):
                self.assertNotEqual(self.text("question-text"), question)
                self.assertEqual(self.active(), {"tag": "INPUT", "id": "", "name": "answer",
                                                 "value": "0", "checked": True},
                                 "the focus moves to the new question")
                self.assertRegex(self.text("status"), r"^第 %d 题 · " % (step + 2))
        self.assertTrue(self.shown("result"), "no result reached")
        self.assertEqual(self.active()["id"], "result-heading")
        self.assertEqual(self.text("result-heading"), "结果")
        answer = self.text("result-answer")
        self.assertIn("→ 你是 ", answer)
        self.assertTrue(self.text("result-text").startswith("-" * 24 + "\nA. 梅花鹿\n"),
                        "the animal quiz's catalogue follows the answer")

        self.keys(Keys.TAB)
        self.assertEqual(self.active()["id"], "copy")
        self.keys(Keys.ENTER)
        self.driver.implicitly_wait(0)
        copied = self.driver.execute_async_script(
            "const done = arguments[0]; navigator.clipboard.readText().then(done, e => done('failed: ' + e));")
        self.assertEqual(copied, "你具备哪种动物潜质？\n" + answer.rsplit("→", 1)[1].strip())
        self.assertEqual(self.text("copy-note"), "结果已复制。")

        # OK closes the result: the last question stays, as in the program.
        self.driver.find_element(By.ID, "ok").send_keys(Keys.ENTER)
        self.assertTrue(self.shown("question"))
        self.assertEqual(self.active()["value"], "1")
        self.assert_clean_console()

    def test_a_polite_live_region_says_where_the_player_is_and_why_next_stayed(self):
        self.open(self.hostile)
        status = self.driver.find_element(By.ID, "status")
        self.assertEqual(status.get_attribute("aria-live"), "polite")
        self.assertEqual(status.get_attribute("role"), "status")
        self.assertEqual(status.text, "Question 1 · at least 1 more")
        nowhere = self.driver.find_elements(By.CSS_SELECTOR, "#choices input")[1]
        nowhere.click()
        self.driver.find_element(By.ID, "next").click()
        self.assertEqual(status.text, "This answer leads to question 4711, which this quiz does not have")
        self.assertTrue(nowhere.is_selected(), "the player stays, the answer still chosen")
        self.driver.find_elements(By.CSS_SELECTOR, "#choices input")[0].click()
        self.driver.find_element(By.ID, "next").click()
        self.assertEqual(status.text, "Question 2 · at least 0 more")
        self.assertEqual(self.active()["value"], "0")
        self.assert_clean_console()

    def test_quiz_texts_show_as_text_never_as_markup(self):
        self.open(self.hostile)
        self.assertEqual(self.text("question-text"), '<img src=x onerror="window.pwned = 1"> first?')
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#choices span")[0].text,
                         "<script>window.pwned = 1</script>")
        self.assertEqual(self.js("return document.querySelectorAll('img').length + "
                                 "document.querySelectorAll('script').length"), 2)
        self.assertFalse(self.js("return 'pwned' in window"))
        # An opened quiz has no title: the page is called after the program,
        # its words in the checker's language, and no language switch.
        self.assertEqual(self.driver.title, "Mind Prism")
        self.assertFalse(self.shown("title"))
        self.assertFalse(self.shown("languages"))
        self.assertEqual(self.js("return document.documentElement.lang"), "en")

    def test_a_phone_shows_everything_without_sideways_scrolling(self):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": 360, "height": 740, "deviceScaleFactor": 2, "mobile": True})
        fits = "return document.documentElement.scrollWidth <= window.innerWidth"
        self.open(self.hostile)
        self.assertEqual(self.js("return window.innerWidth"), 360)
        self.assertTrue(self.js(fits), "a 300-letter word pushes the page sideways")
        for button in self.driver.find_elements(By.CSS_SELECTOR, "button"):
            if button.is_displayed():
                self.assertGreaterEqual(button.size["height"], 44, button.text)
        self.open(self.animal)
        for language in ("English", "简体中文"):
            self.driver.find_element(By.XPATH, "//nav/button[text()='%s']" % language).click()
            self.js("window.mindPrismReplay(arguments[0], [0, 0, 0, 0, 0, 0, 0, 0])",
                    "en" if language == "English" else "zh_CN")
            self.assertTrue(self.shown("result"))
            self.assertTrue(self.js(fits), "the result with the catalogue in " + language)
            self.assertGreaterEqual(self.js("return parseFloat(getComputedStyle(document.body).fontSize)"), 16)

    def test_the_language_switch_keeps_the_place_and_follows_the_browser(self):
        self.open(self.animal)
        self.assertEqual(self.js("return document.documentElement.lang"), "zh-CN")
        self.assertEqual(self.text("next"), "下一题")
        self.assertEqual(self.driver.title, "你具备哪种动物潜质？")
        for _ in range(2):
            self.driver.find_element(By.ID, "next").click()
        chinese = self.text("question-text")
        english_button = self.driver.find_element(By.XPATH, "//nav/button[text()='English']")
        self.assertEqual(english_button.get_attribute("lang"), "en")
        english_button.click()
        self.assertEqual(self.js("return document.documentElement.lang"), "en")
        self.assertEqual(english_button.get_attribute("aria-pressed"), "true")
        self.assertEqual([self.text(b) for b in ("reset", "prev", "next")], ["Reset", "Prev", "Next"])
        self.assertEqual(self.driver.title, "Which animal are you?")
        self.assertNotEqual(self.text("question-text"), chinese)
        self.assertRegex(self.text("status"), r"^Question 3 · ")
        self.driver.find_element(By.ID, "prev").click()
        self.assertRegex(self.text("status"), r"^Question 2 · ")
        self.assert_clean_console()

        # The page opens in the language the browser prefers when it has
        # it, else in the edition exported.
        for languages, opened in (("en-US,en", "en"), ("fr-FR,fr", "zh-CN")):
            with Browser(languages=languages) as driver:
                driver.get(file_url(self.animal))
                self.assertEqual(driver.execute_script("return document.documentElement.lang"), opened,
                                 languages)

    def test_no_request_leaves_the_page_and_the_console_stays_clean(self):
        with open(self.animal, encoding="utf-8") as f:
            page = f.read()
        self.assertLess(len(page.encode("utf-8")), 1 << 20, "the animal quiz's page is under 1 MB")
        for outside in ("://", "src=", "href=", "url(", "@import", "@font-face"):
            self.assertNotIn(outside, page)
        self.open(self.animal)
        self.js("window.mindPrismReplay('en', [1, 1, 1, 1, 1, 1, 1, 1])")
        self.driver.find_element(By.ID, "copy").click()
        self.driver.find_element(By.XPATH, "//nav/button[text()='简体中文']").click()
        self.assertEqual(self.js("return performance.getEntriesByType('resource').length"), 0)
        self.assert_clean_console()
        # The page's policy itself forbids requests, whatever a script tries.
        blocked = self.driver.execute_async_script("""
            const done = arguments[0], seen = [];
            document.addEventListener('securitypolicyviolation', e => seen.push(e.effectiveDirective));
            const image = document.createElement('img');
            image.src = 'http://127.0.0.1:9/x.png';
            document.body.appendChild(image);
            fetch('http://127.0.0.1:9/x').catch(() => {}).finally(() => setTimeout(() => done(seen), 200));""")
        self.assertEqual(sorted(blocked), ["connect-src", "img-src"])

    def test_dark_mode_and_more_contrast_keep_every_text_readable_and_nothing_moves(self):
        self.open(self.animal)
        backgrounds = set()
        for scheme in ("light", "dark"):
            for more in ("no-preference", "more"):
                self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
                    {"name": "prefers-color-scheme", "value": scheme},
                    {"name": "prefers-contrast", "value": more}]})
                pairs = self.js("""
                    const style = e => getComputedStyle(e);
                    const page = style(document.body).backgroundColor;
                    const pair = (sel, bg) => [style(document.querySelector(sel)).color,
                                               bg || style(document.querySelector(sel)).backgroundColor];
                    return {body: pair('body'), status: pair('#status', page),
                            next: pair('#next'), choice: pair('.choice span',
                                style(document.querySelector('.choice')).backgroundColor),
                            pressed: pair('nav button[aria-pressed=true]'), page: page};""")
                backgrounds.add(pairs.pop("page"))
                for name, (fg, bg) in pairs.items():
                    ratio = contrast(parse_colour(fg), parse_colour(bg))
                    self.assertGreaterEqual(ratio, 7 if more == "more" else 4.5,
                                            "%s in %s/%s: %s on %s" % (name, scheme, more, fg, bg))
        self.assertEqual(len(backgrounds), 3, "light, dark, and black for more contrast in the dark")
        # Nothing moves, whether or not the player asked for less motion.
        self.driver.find_element(By.ID, "next").click()
        self.assertEqual(self.js("return document.getAnimations().length"), 0)
        self.assertEqual(self.js("""return [...document.querySelectorAll('*')].filter(e => {
                                        const s = getComputedStyle(e);
                                        return s.transitionDuration.split(',').some(d => parseFloat(d) > 0)
                                            || s.animationName !== 'none'; }).length"""), 0)

    def test_a_result_the_author_describes_shows_its_name_and_text(self):
        # The hostile quiz with a title and its result described, as the
        # author writes them in the file.
        quiz = os.path.join(self.tmp.name, "described.xml")
        with open(quiz, "w", encoding="utf-8") as f:
            f.write(HOSTILE_QUIZ.replace("</questions>", "<TITLE>Which hero are you?</TITLE>\n"
                                         "<RESULT><NAME>The Rogue</NAME>"
                                         "<TEXT>You live by your wits.\n&lt;b&gt;Bold?</TEXT></RESULT>\n"
                                         "</questions>"))
        path = os.path.join(self.tmp.name, "described.html")
        export(quiz, path)
        self.driver.execute_cdp_cmd("Browser.grantPermissions",
                                    {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.open(path)
        self.assertEqual(self.driver.title, "Which hero are you?")
        self.assertEqual(self.text("title"), "Which hero are you?")
        self.js("window.mindPrismReplay('en', [0, 0])")
        self.assertEqual(self.text("result-answer"), "Done → The Rogue")
        self.assertEqual(self.text("result-name"), "The Rogue")
        self.assertEqual(self.text("result-text"), "You live by your wits.\n<b>Bold?")
        self.driver.find_element(By.ID, "copy").click()
        copied = self.driver.execute_async_script(
            "const done = arguments[0]; navigator.clipboard.readText().then(done, e => done('failed: ' + e));")
        self.assertEqual(copied, "Which hero are you?\nThe Rogue")
        self.assert_clean_console()

    def test_a_quiz_without_its_entry_says_so(self):
        quiz = os.path.join(self.tmp.name, "no-entry.xml")
        with open(quiz, "w", encoding="utf-8") as f:
            f.write("<questions><QUESTION><ID>1002</ID><Q>Lost</Q>"
                    "<ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>")
        page = os.path.join(self.tmp.name, "no-entry.html")
        export(quiz, page)
        self.open(page)
        self.assertEqual(self.text("empty"), 'The quiz has no question with the ID "1001".')
        self.assertFalse(self.shown("question"))
        self.assert_clean_console()


if __name__ == "__main__":
    DATA = os.path.abspath(sys.argv.pop(2))
    CHECKER = os.path.abspath(sys.argv.pop(1))
    unittest.main()
