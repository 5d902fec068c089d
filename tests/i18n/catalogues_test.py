"""Every text that passes through the translation lookup has a translation:
Chinese for each English text in the Chinese catalogue, English for each
Chinese text in the English one. The texts are found in the sources by
xgettext, so a text added later without a translation fails here.

Usage: catalogues_test.py SOURCE_DIR BUILD_PO_DIR"""

import glob
import os
import re
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = None
BUILD_PO_DIR = None


def unquote(text):
    return bytes(text, "utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8")


def read_po(path):
    """{msgid: (msgid_plural or msgid, [msgstr, ...])} of a .po file, without
    its header and fuzzy entries; an entry without translation has no
    msgstr."""
    entries = {}
    with open(path, encoding="utf-8") as f:
        blocks = f.read().split("\n\n")
    for block in blocks:
        fields = {name: "".join(unquote(piece) for piece in re.findall(r'^"(.*)"$', value, re.M))
                  for name, value in re.findall(r'^(msgid|msgid_plural|msgstr(?:\[\d+\])?) ((?:".*"\n?)+)',
                                                block, re.M)}
        if fields.get("msgid") and not re.search(r"^#,.*\bfuzzy", block, re.M):
            translations = [text for name, text in sorted(fields.items())
                            if name.startswith("msgstr") and text]
            entries[fields["msgid"]] = (fields.get("msgid_plural", fields["msgid"]), translations)
    return entries


def extracted_texts():
    sources = [p for folder in ("src", "tools")
               for p in glob.glob(os.path.join(SOURCE_DIR, folder, "**", "*"), recursive=True)
               if p.endswith((".cpp", ".h"))]
    with tempfile.TemporaryDirectory() as tmp:
        pot = os.path.join(tmp, "Mindprism.pot")
        subprocess.run(["xgettext", "-k_", "-kwxTRANSLATE", "-kwxGetTranslation", "-kwxPLURAL:1,2",
                        "--from-code=UTF-8", "--language=C++", "-o", pot] + sources,
                       check=True)
        return set(read_po(pot))


def format_markers(text):
    """The printf conversions of `text` as (argument, conversion) pairs, so
    that a translation may take its arguments in another order (%2$s)."""
    markers = []
    for number, conversion in re.findall(r"%(?:(\d+)\$)?[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|z|j|t|L)?([sdufxXc%])",
                                         text):
        if conversion != "%":
            markers.append((int(number) if number else len(markers) + 1, conversion))
    return sorted(markers)


def is_chinese(text):
    return re.search(r"[\u3000-\u9fff\uff00-\uffef]", text) is not None


class CataloguesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.texts = extracted_texts()
        cls.chinese = read_po(os.path.join(SOURCE_DIR, "po", "zh_CN.po"))
        cls.english = read_po(os.path.join(BUILD_PO_DIR, "en.full.po"))

    def test_the_sources_have_texts_to_translate(self):
        self.assertIn("&Next", self.texts)
        self.assertIn("你具备哪种动物潜质？", self.texts)

    def test_chinese_catalogue_translates_every_english_text(self):
        missing = sorted(t for t in self.texts
                         if not is_chinese(t) and not self.chinese.get(t, ("", []))[1])
        self.assertEqual(missing, [], "texts without a Chinese translation")

    def test_english_catalogue_translates_every_chinese_text(self):
        missing = sorted(t for t in self.texts
                         if is_chinese(t) and not self.english.get(t, ("", []))[1])
        self.assertEqual(missing, [], "texts without an English translation")

    def test_english_catalogue_carries_the_result_catalogue(self):
        with open(os.path.join(SOURCE_DIR, "src", "quiz", "result_catalogue.txt"),
                  encoding="utf-8") as f:
            catalogue = f.read()
        english = "".join(self.english.get(catalogue, ("", []))[1])
        self.assertEqual(english.count("\n"), catalogue.count("\n"))
        self.assertTrue(english.startswith("-" * 24 + "\nA. "), english[:40])

    def test_translations_keep_the_format_markers(self):
        for catalogue in (self.chinese, self.english):
            for text, (source, translations) in catalogue.items():
                for translation in translations:
                    self.assertEqual(format_markers(source), format_markers(translation), text)
                    self.assertEqual("\t" in text, "\t" in translation, text)
        self.assertEqual(format_markers("%2$s %1$zu %%"), [(1, "u"), (2, "s")])


if __name__ == "__main__":
    BUILD_PO_DIR = os.path.abspath(sys.argv.pop(2))
    SOURCE_DIR = os.path.abspath(sys.argv.pop(1))
    unittest.main()
