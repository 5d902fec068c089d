// The checker's findings on small broken quizzes, one kind at a time, and
// its summary of clean ones.
#include "quiz/quiz_checker.h"
#include "quiz_xml.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

FileReport Check(const std::string& xml)
{
    return CheckQuizBytes(xml.data(), xml.size(), wxS("quiz.xml"));
}

// "LINE:severity:code" for each finding, space-separated, in order.
std::string Codes(const FileReport& report)
{
    std::string codes;
    for (const Finding& finding : report.findings)
        codes += (codes.empty() ? "" : " ") + std::to_string(finding.line) + ":" +
                 (finding.severity == Severity::Error ? "error" : "warning") + ":" + finding.code;
    return codes;
}

std::string Message(const FileReport& report, size_t index)
{
    return index < report.findings.size()
               ? std::string(report.findings[index].message.utf8_str())
               : std::string("<no finding>");
}

} // namespace

TEST(CheckerLoad, ReportsFilesThatDoNotLoadWithTheParsersLine)
{
    FileReport broken = Check("<questions>\n<QUESTION>\n</ANSWER>\n</questions>");
    EXPECT_EQ(Codes(broken), "3:error:not-xml");
    EXPECT_EQ(Message(broken, 0), "not well-formed XML: mismatched tag");
    EXPECT_FALSE(broken.summary);

    EXPECT_EQ(Codes(Check("")), "1:error:not-xml");
    EXPECT_EQ(Codes(Check("<questions>\n<Q>\xff\xfe</Q></questions>")), "2:error:not-xml");

    std::string deep = "<questions>";
    for (int i = 0; i < 5000; ++i)
        deep += "<x>";
    const FileReport tooDeep = Check(deep);
    EXPECT_EQ(Codes(tooDeep), "1:error:load-failed");
    EXPECT_NE(Message(tooDeep, 0).find("nested more than 1000 levels"), std::string::npos);
}

TEST(CheckerLoad, RefusesMissingFilesDirectoriesAndHugeTokensWithoutLoadingThem)
{
    TempDir dir;
    const FileReport missing = CheckQuizFile(dir.File(wxS("missing.xml")));
    EXPECT_EQ(Codes(missing), "1:error:load-failed");
    // The system's own reason, in its words ("No such file", "File not found").
    EXPECT_NE(Message(missing, 0).find("(error 2: "), std::string::npos) << Message(missing, 0);
    // The loader would try to allocate the directory's nominal size and throw.
    EXPECT_EQ(Codes(CheckQuizFile(dir.Path())), "1:error:load-failed");

    // The parser rescans an unfinished comment per kilobyte: minutes of work.
    const FileReport comment = Check("<questions>\n<!--" + std::string(4000000, 'x') + "-->\n</questions>");
    EXPECT_EQ(Codes(comment), "1:error:load-failed");
    EXPECT_NE(Message(comment, 0).find("too long to read"), std::string::npos) << Message(comment, 0);
}

TEST(CheckerRead, WrongRootIsTheOnlyFinding)
{
    const FileReport report = Check("<?xml version=\"1.0\"?>\n<quiz>" + Q("1001", {"0"}) + "</quiz>");
    EXPECT_EQ(Codes(report), "2:error:wrong-root");
    EXPECT_FALSE(report.summary);
}

TEST(CheckerRead, ReadingStopsAtTheFirstForeignNodeAndCountsWhatIsLost)
{
    const FileReport text = Check(QuizXml({Q("1001", {"0"}), "<!-- kept -->", "\n  stray", Q("1002", {"0"}), Q("1003", {"0"})}));
    EXPECT_EQ(Codes(text), "5:warning:reading-stopped");
    EXPECT_EQ(Message(text, 0), "reading stops at the text \"stray\", which is not a QUESTION: "
                                "the 2 QUESTION elements after it are ignored");

    const FileReport answer = Check(QuizXml({Q("1001", {"0"}), "<ANSWER><A>a</A><GOTO>0</GOTO></ANSWER>"}));
    EXPECT_EQ(Codes(answer), "3:warning:reading-stopped");
    EXPECT_NE(Message(answer, 0).find("<ANSWER>"), std::string::npos);
    EXPECT_NE(Message(answer, 0).find("nothing is lost"), std::string::npos);
}

TEST(CheckerRead, ALaterDuplicateWinsAndPointsAtTheEarlierOne)
{
    // The earlier 1002 leads to an unknown question, but it is never used.
    const FileReport report = Check(QuizXml({Q("1001", {"1002"}), Q("1002", {"9999"}), Q("1002", {"0"})}));
    EXPECT_EQ(Codes(report), "4:warning:duplicate-id");
    EXPECT_EQ(Message(report, 0), "question \"1002\" is defined again: this later one is used, "
                                  "the one at line 3 is ignored");
}

TEST(CheckerRead, AnswersDroppedOrBorrowingFromAnEarlierAnswer)
{
    const FileReport report = Check(QuizXml({
        "<QUESTION><ID>1001</ID><Q>t</Q>\n"
        "<ANSWER><A>first</A><GOTO>0</GOTO></ANSWER>\n"
        "<ANSWER><GOTO>1002</GOTO></ANSWER>\n"      // borrows the text
        "<ANSWER><A>third</A></ANSWER>\n"           // borrows the target
        "<ANSWER/>\n"                               // repeats the previous answer
        "<ANSWER><A></A><GOTO>0</GOTO></ANSWER>\n"  // empty text: dropped
        "</QUESTION>",
        "<QUESTION><ID>1002</ID><Q>t</Q><ANSWER><A>only text</A></ANSWER><ANSWER><A>e</A><GOTO>0</GOTO></ANSWER></QUESTION>"}));
    EXPECT_EQ(Codes(report), "4:warning:borrowed-text 5:warning:borrowed-target "
                             "6:warning:repeated-answer 7:warning:answer-dropped "
                             "9:warning:answer-dropped");
    EXPECT_EQ(Message(report, 0), "question \"1001\": ANSWER has no A: it takes the text \"first\" "
                                  "of an earlier ANSWER");
}

// The window selects the answer a finding names, as the editor lists them:
// every ANSWER element, those the reader drops too.
TEST(CheckerRead, AnswerFindingsNameTheirAnswerCountingDroppedOnes)
{
    const FileReport report = Check(QuizXml({
        "<QUESTION><ID>1001</ID><Q></Q>\n"
        "<ANSWER><A></A><GOTO>0</GOTO></ANSWER>\n"     // dropped
        "<ANSWER><A>on</A><GOTO>1099</GOTO></ANSWER>\n"
        "<ANSWER><GOTO> 0</GOTO></ANSWER></QUESTION>"}));
    std::string answers;
    for (const Finding& finding : report.findings)
        answers += std::string(finding.code) + "@" + std::to_string(finding.answer) + " ";
    EXPECT_EQ(answers, "missing-text@-1 no-end@-1 answer-dropped@0 unknown-target@1 "
                       "target-like-end@2 borrowed-text@2 unknown-target@2 ");
}

TEST(CheckerRead, TargetsThatLookLikeTheEndOrHaveBlanks)
{
    const FileReport report = Check(QuizXml({
        "<QUESTION><ID>1001</ID><Q>t</Q>\n"
        "<ANSWER><A>a</A><GOTO>00</GOTO></ANSWER>\n"
        "<ANSWER><A>b</A><GOTO> 0</GOTO></ANSWER>\n"
        "<ANSWER><A>c</A>\n<GOTO>0 </GOTO></ANSWER>\n"
        "<ANSWER><A>d</A><GOTO>1002\t</GOTO></ANSWER>\n"
        "<ANSWER><A>e</A><GOTO>0</GOTO></ANSWER></QUESTION>",
        Q("1002\t", {"0"})}));
    // Each near miss names no question as well; "1002\t" does exist.
    EXPECT_EQ(Codes(report), "3:warning:target-like-end 3:error:unknown-target "
                             "4:warning:target-like-end 4:error:unknown-target "
                             "6:warning:target-like-end 6:error:unknown-target "
                             "7:warning:target-blanks 9:warning:id-blanks");
    EXPECT_EQ(Message(report, 2), "question \"1001\": GOTO \" 0\" looks like the end of the quiz, "
                                  "but only exactly \"0\" ends it");
}

TEST(CheckerRead, QuizElementsWhereTheReaderIgnoresThem)
{
    const FileReport report = Check(QuizXml({
        "<QUESTION><ID>1001</ID><Q>t</Q>\n"
        "<A>stray</A><GOTO>0</GOTO>\n"
        "<QUESTION><ID>1002</ID></QUESTION>\n"
        "<note>authors may keep notes <b>here</b></note>\n"
        "<div><ANSWER><A>wrapped</A><GOTO>0</GOTO></ANSWER></div>\n"
        "<ANSWER><A>a</A><GOTO>0</GOTO><ID>7</ID><question/></ANSWER>\n"
        "</QUESTION>"}));
    EXPECT_EQ(Codes(report), "3:warning:ignored-element 3:warning:ignored-element "
                             "4:warning:ignored-element 6:warning:ignored-element "
                             "7:warning:ignored-element 7:warning:ignored-element");
    EXPECT_EQ(Message(report, 5), "question \"1001\": <question> inside <ANSWER> is ignored: "
                                  "questions belong directly under the root element");
}

TEST(CheckerGraph, MissingEntryOnlyReportsItself)
{
    const FileReport report = Check(QuizXml({Q("1002", {"1003"}), Q("1003", {})}));
    EXPECT_EQ(Codes(report), "1:error:no-entry");
    ASSERT_TRUE(report.summary);
    EXPECT_FALSE(report.summary->shortest);
}

TEST(CheckerGraph, DeadEndsAndUnreachableQuestions)
{
    // 1002 is reachable without answers: one error, not also a warning.
    // 1003 cannot be reached and has no answers: two warnings. 1004 leads
    // only into the dead end.
    const FileReport report = Check(QuizXml({Q("1001", {"1002", "1004", "0"}), Q("1002", {}), Q("1003", {}),
                                          Q("1004", {"1002"}), "<QUESTION><Q>no id</Q></QUESTION>",
                                          "<QUESTION><ID>1005</ID><Q></Q><ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION>"}));
    EXPECT_EQ(Codes(report), "3:error:dead-end 4:warning:unreachable 4:warning:no-answers "
                             "5:error:no-end 6:warning:missing-id 6:warning:no-answers "
                             "7:warning:missing-text 7:warning:unreachable");
}

TEST(CheckerGraph, TrapLoopsNameTheirOtherQuestions)
{
    const FileReport report = Check(QuizXml({Q("1001", {"1002", "0"}), Q("1002", {"1003"}), Q("1003", {"1002"}),
                                          Q("1004", {"1004"})}));
    // 1004 loops on itself, but nobody can get there.
    EXPECT_EQ(Codes(report), "3:error:no-end 4:error:no-end 5:warning:unreachable");
    EXPECT_EQ(Message(report, 0), "no end can be reached from question \"1002\": "
                                  "it is caught in a loop with \"1003\", with no way out");
}

TEST(CheckerSummary, CountsQuestionsEndingsAndPathLengthsBoundedOrNot)
{
    // 1001 -> 1002 -> 0 is the shortest (2 questions); 1001 -> 1003 -> 1004
    // -> 1002 -> 0 the longest (4). The displaced 1004 is not counted.
    const FileReport report = Check(QuizXml({Q("1001", {"1002", "1003"}), Q("1002", {"0", "0"}),
                                          Q("1004", {"0"}), Q("1003", {"1004", "0"}), Q("1004", {"1002"})}));
    EXPECT_EQ(Codes(report), "6:warning:duplicate-id");
    ASSERT_TRUE(report.summary);
    EXPECT_EQ(report.summary->questions, 4u);
    EXPECT_EQ(report.summary->endings, 3u);
    EXPECT_EQ(report.summary->shortest, 2u);
    EXPECT_EQ(report.summary->longest, 4u);
    EXPECT_FALSE(report.summary->unbounded);

    // A loop that can still end makes the longest path unbounded.
    const FileReport loop = Check(QuizXml({Q("1001", {"1002"}), Q("1002", {"1001", "0"})}));
    EXPECT_EQ(Codes(loop), "");
    ASSERT_TRUE(loop.summary);
    EXPECT_EQ(loop.summary->shortest, 2u);
    EXPECT_FALSE(loop.summary->longest);
    EXPECT_TRUE(loop.summary->unbounded);
}

TEST(CheckerSummary, ALongChainIsAnalysedWithoutRecursion)
{
    // 100,000 questions in one chain, each also skipping one ahead: deep
    // enough to overflow the stack of any recursive search.
    constexpr int COUNT = 100000;
    std::string xml = "<questions>";
    for (int i = 0; i < COUNT; ++i)
    {
        const int id = 1001 + i;
        const std::string next = i + 1 < COUNT ? std::to_string(id + 1) : "0";
        const std::string skip = i + 2 < COUNT ? std::to_string(id + 2) : "0";
        xml += "<QUESTION><ID>" + std::to_string(id) + "</ID><Q>t</Q><ANSWER><A>n</A><GOTO>" + next +
               "</GOTO></ANSWER><ANSWER><A>s</A><GOTO>" + skip + "</GOTO></ANSWER></QUESTION>";
    }
    const FileReport report = Check(xml + "</questions>");
    EXPECT_EQ(Codes(report), "");
    ASSERT_TRUE(report.summary);
    EXPECT_EQ(report.summary->questions, size_t(COUNT));
    EXPECT_EQ(report.summary->shortest, size_t(COUNT / 2));
    EXPECT_EQ(report.summary->longest, size_t(COUNT));
}
