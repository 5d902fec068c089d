// The checker's output: JSON strings, the text summary, and the executable
// itself as quiz authors and scripts run it.
#include "checker_run.h"
#include "report_output.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

TEST(CheckerJson, EscapesWhatJsonRequiresAndReplacesBytesThatAreNotUtf8)
{
    const std::pair<std::string, std::string> cases[] = {
        {"a\"b\\c/d", R"("a\"b\\c/d")"},
        {std::string("\n\r\t\b\f\x01\x1f", 7), R"("\n\r\t\b\f\u0001\u001f")"},
        {std::string("nul\0end", 7), R"("nul\u0000end")"},
        {"问题 \xF0\x9F\x98\x80", "\"问题 \xF0\x9F\x98\x80\""},
        {"a\xff" "b", "\"a\xEF\xBF\xBD" "b\""},
        {"cut \xE9\x97", "\"cut \xEF\xBF\xBD\""},
    };
    for (const auto& [file, quoted] : cases)
    {
        FileReport report;
        report.file = file;
        const std::string json = JsonReport({report});
        EXPECT_NE(json.find("\"file\": " + quoted + ","), std::string::npos) << json;
    }
}

TEST(CheckerText, SummariesOfCleanQuizzesSayWhetherTheyCanLoop)
{
    FileReport clean;
    clean.file = "q.xml";
    clean.summary = QuizSummary{3, 2, 2, 3, false};
    EXPECT_EQ(TextReport(clean), "q.xml: ok: 3 questions, 2 endings; questions answered from 1001 "
                                 "to an end: shortest: 2, longest: 3\n");
    clean.summary->longest.reset();
    clean.summary->unbounded = true;
    EXPECT_NE(TextReport(clean).find("longest: unbounded (the quiz can loop)\n"), std::string::npos);
}

TEST(CheckerText, BalanceQuotesResultsAndSaysWhySomeNeverEndAndWhatIsNotExact)
{
    FileReport report;
    report.file = "q.xml";
    EXPECT_EQ(BalanceLines(report), "");
    // A result's name is the author's text: a line break in it cannot
    // start a line that passes for a finding.
    report.balance = QuizBalance{{{wxS("Type C"), 1.0 / 7},
                                  {wxS("Other\nother.xml:12: error: forged [no-end]"), 0.005}}};
    const std::string lines = "q.xml: results when every answer is chosen at random:\n"
                              "  14.3 %  \"Type C\"\n"
                              "   0.5 %  \"Other\\nother.xml:12: error: forged [no-end]\"\n";
    EXPECT_EQ(BalanceLines(report), lines);
    // Only the reasons that apply, each with its share.
    report.balance->caughtInLoop = 0.25;
    report.balance->neverEnds = 0.25;
    EXPECT_EQ(BalanceLines(report), lines + "  25.0 %  never reach an end: caught in a loop with no way out\n");
    report.balance->stuck = 0.125;
    report.balance->neverEnds = 0.375;
    EXPECT_EQ(BalanceLines(report), lines + "  25.0 %  never reach an end: caught in a loop with no way out\n"
                                            "  12.5 %  never reach an end: stuck at a question none of whose "
                                            "answers leads on\n");
    // A share not worked out exactly is marked, and its bound said.
    report.balance->results[1].exact = false;
    report.balance->neverEndsExact = false;
    report.balance->errorBound = 2e-9;
    EXPECT_EQ(BalanceLines(report),
              "q.xml: results when every answer is chosen at random:\n"
              "  14.3 %  \"Type C\"\n"
              "\xE2\x89\x88  0.5 %  \"Other\\nother.xml:12: error: forged [no-end]\"\n"
              "\xE2\x89\x88 25.0 %  never reach an end: caught in a loop with no way out\n"
              "\xE2\x89\x88 12.5 %  never reach an end: stuck at a question none of whose answers leads on\n"
              "q.xml: \xE2\x89\x88 marks a share that could not be worked out exactly in time, the quiz being "
              "too densely linked or too rarely left there: each such share is within 2e-07 % of the exact one\n");

    QuizBalance unplayable;
    unplayable.cannotStart = true;
    unplayable.neverEnds = 1;
    report.balance = unplayable;
    EXPECT_EQ(BalanceLines(report), "q.xml: results when every answer is chosen at random:\n"
                                    " 100.0 %  never reach an end: the quiz cannot start (see the errors above)\n");
}

TEST(CheckerProgram, ExitStatusFollowsTheWorstFindingOverAllFiles)
{
    TempDir dir;
    const wxString clean = dir.Write(wxS("clean.xml"),
        "<questions><QUESTION><ID>1001</ID><Q>q</Q><ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>");
    const wxString warned = dir.Write(wxS("warned.xml"),
        "<questions><QUESTION><ID>1001</ID><Q>q</Q><ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION>\n"
        "<QUESTION><ID>1002</ID><Q>q</Q><ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>");
    const wxString broken = dir.Write(wxS("问题.xml"), "<questions>");
    const Outcome ok = RunChecker(ShellQuoted(clean));
    EXPECT_EQ(ok.status, 0) << ok.out;
    EXPECT_NE(ok.out.find("clean.xml: ok: 1 question, 1 ending;"), std::string::npos) << ok.out;

    const Outcome warning = RunChecker(ShellQuoted(clean) + " " + ShellQuoted(warned));
    EXPECT_EQ(warning.status, 1) << warning.out;
    EXPECT_NE(warning.out.find("warned.xml:2: warning: question \"1002\" cannot be reached"),
              std::string::npos) << warning.out;

    const Outcome error = RunChecker(ShellQuoted(broken) + " " + ShellQuoted(warned));
    EXPECT_EQ(error.status, 2) << error.out;
    EXPECT_NE(error.out.find("问题.xml:1: error: not well-formed XML"), std::string::npos) << error.out;
}

TEST(CheckerProgram, UsageErrorsAndHelp)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "no quiz file given"},
        {"--frobnicate quiz.xml", "unknown option '--frobnicate'"},
        {"-- --json", "--json:1: error: can't open file"},  // after "--", a file
    };
    for (const auto& [arguments, said] : cases)
    {
        const Outcome run = RunChecker(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.out.find(said), std::string::npos) << run.out;
    }
    const Outcome help = RunChecker("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* topic : {"Usage:", "FILE:LINE: error:", "unknown-target", "no-end", "reading-stopped",
                              "Exit status", "--json", "Examples"})
        EXPECT_NE(help.out.find(topic), std::string::npos) << topic;
}
