"""The checker's --json output, read back by Python's JSON parser and
compared with its text output. Usage: checker_json_test.py CHECKER"""
import json
import os
import subprocess
import sys
import tempfile

CHECKER = sys.argv[1]

QUIZZES = {
    b"clean.xml": "<questions><QUESTION><ID>1001</ID><Q>q</Q><ANSWER><A>a</A><GOTO>1002</GOTO></ANSWER>"
                  "</QUESTION><QUESTION><ID>1002</ID><Q>q</Q><ANSWER><A>b</A><GOTO>0</GOTO></ANSWER>"
                  "</QUESTION></questions>",
    b"loop.xml": "<questions><QUESTION><ID>1001</ID><Q>q</Q><ANSWER><A>a</A><GOTO>1001</GOTO></ANSWER>"
                 "<ANSWER><A>b</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>",
    # Quotes, a backslash, a tab and Chinese text in values that messages quote.
    "问题.xml".encode(): "<questions>\n<QUESTION><ID>1001</ID>\n"
                        "<ANSWER><A>继续</A><GOTO>a\"b\\c&#9;d</GOTO></ANSWER>\n"
                        "<ANSWER><GOTO>0 </GOTO></ANSWER></QUESTION>\n"
                        "<QUESTION><ID>第二</ID></QUESTION>\n</questions>",
    b"broken-\xff.xml": "<questions><QUESTION>",
}


def run(arguments):
    return subprocess.run([CHECKER] + arguments, capture_output=True)


def check(condition, message):
    if not condition:
        sys.exit("FAIL: " + message)


def main():
    with tempfile.TemporaryDirectory() as folder:
        base = os.fsencode(folder)
        paths = []
        for name, xml in QUIZZES.items():
            path = os.path.join(base, name)
            with open(path, "wb") as quiz:
                quiz.write(xml.encode())
            paths.append(path)
        paths.append(os.path.join(base, b"missing.xml"))

        result = run(["--json"] + paths)
        document = json.loads(result.stdout.decode("utf-8"))  # strict UTF-8, one document
        check(result.returncode == 2 and document["status"] == 2, "status %d" % result.returncode)
        files = document["files"]
        check(len(files) == len(paths), "one entry per file")
        for entry in files:
            for finding in entry["findings"]:
                check(isinstance(finding["line"], int) and finding["line"] >= 1, repr(finding))
                check(finding["severity"] in ("error", "warning"), repr(finding))
                check(finding["code"] and finding["message"], repr(finding))
            check(entry["errors"] == sum(f["severity"] == "error" for f in entry["findings"]), "errors")
        check(document["errors"] == sum(f["errors"] for f in files), "total errors")

        clean, loop, chinese, broken, missing = files
        check(clean["findings"] == [] and clean["summary"] == {
            "questions": 2, "endings": 1, "shortest": 2, "longest": 2, "unbounded": False},
            repr(clean))
        check(loop["summary"]["longest"] is None and loop["summary"]["unbounded"], repr(loop))
        check(chinese["file"].endswith("问题.xml"), chinese["file"])
        messages = [f["message"] for f in chinese["findings"]]
        check('question "1001": GOTO "a\\"b\\\\c\\td" names no question' in messages, repr(messages))
        check(any('question "第二"' in m for m in messages), repr(messages))
        check(broken["file"].endswith("broken-\ufffd.xml"), broken["file"])
        check(broken["summary"] is None and broken["findings"][0]["code"] == "not-xml", repr(broken))
        check(missing["findings"][0]["code"] == "load-failed", repr(missing))

        # The text form says the same, line for line (file names that are UTF-8).
        text = run(paths[:3]).stdout.decode("utf-8").splitlines()
        expected = []
        for entry in files[:3]:
            expected += ["%s:%d: %s: %s [%s]" % (entry["file"], f["line"], f["severity"],
                                                 f["message"], f["code"]) for f in entry["findings"]]
        check([line for line in text if ": ok: " not in line] == expected, "\n".join(text))

        # --balance adds each file's shares and why some never end; the
        # rest stays as it was.
        balanced = json.loads(run(["--json", "--balance"] + paths).stdout.decode("utf-8"))
        check(all("balance" not in entry for entry in files), "balance without --balance")
        added = ("balance", "never_ends", "never_ends_exact", "never_ends_reasons")
        for entry, before in zip(balanced["files"], files):
            check({k: v for k, v in entry.items() if k not in added} == before, repr(entry))
        check([balanced["files"][1][k] for k in added] == [[{"result": "b", "share": 1.0, "exact": True}],
                                                          0, True, []], repr(balanced["files"][1]))
        # 1001's answers lead to no question: every player is stuck there.
        check([balanced["files"][2][k] for k in added] == [[], 1, True, ["stuck"]], repr(balanced["files"][2]))
        check(all(balanced["files"][3][k] is None for k in added), repr(balanced["files"][3]))

        # A quiz that describes its results gives each one's name, whether it
        # has a text, and its share, an unreached one with 0; the text form's
        # --balance lists that one too.
        hero = os.path.join(base, b"hero.xml")
        with open(hero, "wb") as quiz:
            quiz.write("<questions><QUESTION><ID>1001</ID><Q>q</Q>"
                       "<ANSWER><A>yes \u2192 Rogue</A><GOTO>0</GOTO></ANSWER></QUESTION>"
                       "<TITLE>Which hero?</TITLE><RESULT><NAME>Rogue</NAME><TEXT>t</TEXT></RESULT>"
                       "<RESULT><NAME>Saint</NAME></RESULT></questions>".encode())
        described = json.loads(run(["--json", hero]).stdout.decode("utf-8"))["files"][0]
        check(described["title"] == "Which hero?" and described["results"] == [
            {"name": "Rogue", "text": True, "share": 1.0}, {"name": "Saint", "text": False, "share": 0}],
            repr(described))
        files.append(described)
        balance_text = run(["--balance", hero]).stdout.decode("utf-8")
        check('0.0 %  "Saint"' in balance_text, balance_text)

        help_text = run(["--help"]).stdout.decode("utf-8")
        for code in {f["code"] for entry in files for f in entry["findings"]}:
            check(code in help_text, "--help does not explain " + code)
    print("ok")


main()
