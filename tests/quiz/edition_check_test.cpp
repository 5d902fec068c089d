// Every check of a file keeps its language editions in step: every kind of
// drift between two editions, where it is reported and what it names, also
// for an edition being edited.
#include "quiz/question_table.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_document.h"
#include "quiz_xml.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// "LINE:code" per finding.
std::string Codes(const FindingList& findings)
{
    std::string codes;
    for (const Finding& finding : findings)
        codes += (codes.empty() ? "" : " ") + std::to_string(finding.line) + ":" + finding.code;
    return codes;
}

} // namespace

TEST(Editions, EachDriftOfTheOtherEditionIsReportedWithItsFileAndLine)
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

        const FileReport report = CheckQuizFile(path);
        for (const Finding& finding : report.findings)
        {
            EXPECT_EQ(finding.severity, Severity::Warning);
            const std::string message = finding.message.utf8_str().data();
            EXPECT_NE(message.find(std::string(dir.File(row.names).utf8_str())), std::string::npos)
                << message;
        }
        EXPECT_EQ(Codes(report.findings), row.findings);
    }
}

TEST(Editions, AnEditedEditionIsComparedAsEditedWithTheOthersAsTheyAreNow)
{
    TempDir dir;
    const std::string chinese = QuizXml({Q("1001", {"1002", "0"}), Q("1002", {"0"})});
    const wxString path = dir.Write(wxS("Quiz-zh_CN.xml"), chinese);
    dir.Write(wxS("Quiz-en.xml"), chinese);
    wxString error;
    const std::unique_ptr<QuizDocument> document = QuizDocument::OpenFile(path, error);
    ASSERT_TRUE(document) << error;
    const auto Read = [&] {
        QuestionTable table;
        QuizFileCheck check;
        document->Read(table, check);
        return check.report.findings;
    };
    EXPECT_EQ(Codes(Read()), "");

    // Answer 2 of 1001 ends the quiz in the file; here it leads on.
    const std::unique_ptr<QuizEdit> edit = document->SetAnswerTarget(0, 1, wxS("1002"));
    ASSERT_TRUE(edit && edit->Do());
    const FindingList findings = Read();
    ASSERT_EQ(Codes(findings), "2:edition-ending");
    EXPECT_EQ(findings[0].questionId, "1001");  // the Problems pane shows it when chosen

    // The other edition changes on disk, then catches up, its size (and
    // maybe its time) unchanged: it is read again each time.
    const std::string drifted = QuizXml({Q("1001", {"1002", "1003"}), Q("1002", {"0"})});
    const std::string caughtUp = QuizXml({Q("1001", {"1002", "1002"}), Q("1002", {"0"})});
    ASSERT_EQ(drifted.size(), caughtUp.size());
    dir.Write(wxS("Quiz-en.xml"), drifted);
    EXPECT_EQ(Codes(Read()), "2:edition-target");
    dir.Write(wxS("Quiz-en.xml"), caughtUp);
    EXPECT_EQ(Codes(Read()), "");
}
