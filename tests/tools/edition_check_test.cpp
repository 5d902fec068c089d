// The checker keeps language editions of a quiz in step: every kind of
// drift between two editions, where it is reported and what it names.
#include "edition_check.h"
#include "quiz_xml.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CheckerEditions, ReportsEachDriftOfTheOtherEditionWithItsFileAndLine)
{
    // Line N holds question N - 1.
    const std::string chinese =
        QuizXml({Q("1001", {"1002", "1003"}), Q("1002", {"0", "1003"}), Q("1003", {"0"})});
    const struct
    {
        const char* what;
        std::string english;
        const char* findings;  // "LINE:code" in the Chinese edition's report
        const char* names;     // the other file's place its message names
    } rows[] = {
        {"in step", chinese, "", ""},
        {"a question only there", QuizXml({Q("1001", {"1002", "1003"}), Q("1002", {"0", "1003"}),
                                           Q("1003", {"0"}), Q("1004", {"0"})}),
         "1:edition-question", "Quiz-en.xml:5"},
        {"a question only here", QuizXml({Q("1001", {"1002", "1003"}), Q("1002", {"0", "1003"})}),
         "4:edition-question", "Quiz-en.xml"},
        {"another number of answers",
         QuizXml({Q("1001", {"1002", "1003"}), Q("1002", {"0"}), Q("1003", {"0"})}),
         "3:edition-answers", "Quiz-en.xml:3"},
        {"another target",
         QuizXml({Q("1001", {"1002", "1002"}), Q("1002", {"0", "1003"}), Q("1003", {"0"})}),
         "2:edition-target", "Quiz-en.xml:2"},
        {"an end in one only",
         QuizXml({Q("1001", {"1002", "1003"}), Q("1002", {"1003", "1003"}), Q("1003", {"0"})}),
         "3:edition-ending", "Quiz-en.xml:3"},
        {"an edition that cannot be read", "<questions>\n<QUESTION>\n", "1:edition-unread", "Quiz-en.xml"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const wxString path = dir.Write(wxS("Quiz-zh_CN.xml"), chinese);
        dir.Write(wxS("Quiz-en.xml"), row.english);
        // Neither is an edition of this quiz.
        dir.Write(wxS("Other-en.xml"), "not a quiz");
        dir.Write(wxS("Quiz.xml"), "not a quiz");

        FileReport report;
        CompareEditions(path, report);
        std::string findings;
        for (const Finding& finding : report.findings)
        {
            findings += (findings.empty() ? "" : " ") + std::to_string(finding.line) + ":" + finding.code;
            EXPECT_EQ(finding.severity, Severity::Warning);
            const std::string message = finding.message.utf8_str().data();
            EXPECT_NE(message.find(std::string(dir.File(row.names).utf8_str())), std::string::npos)
                << message;
        }
        EXPECT_EQ(findings, row.findings);
    }
}
