// A quiz's own title and results: how they are read after the questions,
// what the checker says about them, and the balance of a result no ending
// names.
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_document.h"
#include "widgets/xml_document_ex.h"
#include "xml_tree_util.h"
#include "quiz_test_util.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// Question 1001 with two endings naming `first` and `second`, then `after`.
std::string Quiz(const std::string& first, const std::string& second, const std::string& after)
{
    return "<questions>\n"
           "<QUESTION><ID>1001</ID><Q>Honest?</Q>\n"
           "<ANSWER><A>Of course \xE2\x86\x92 " + first + "</A><GOTO>0</GOTO></ANSWER>\n"
           "<ANSWER><A>" + second + "</A><GOTO>0</GOTO></ANSWER>\n"
           "</QUESTION>\n" + after + "</questions>\n";
}

std::string Codes(const FileReport& report)
{
    std::string codes;
    for (const Finding& finding : report.findings)
        codes += (codes.empty() ? "" : " ") + std::to_string(finding.line) + ":" + finding.code;
    return codes;
}

FileReport Check(const std::string& xml, QuizOutline* outline = nullptr)
{
    return CheckQuizBytes(xml.data(), xml.size(), wxS("quiz.xml"), outline);
}

} // namespace

TEST(QuizResults, TitleAndResultsAreReadAfterTheQuestionsWhichReadAsBefore)
{
    const LoadedQuiz quiz(Quiz("The Rogue", "The Saint",
                               "<title>First</title><Title>Which hero are you?</Title>\n"
                               "<RESULT><name>  The Rogue </name><TEXT>You live\nby your wits.</TEXT>"
                               "<TEXT><![CDATA[  Last one counts]]></TEXT></RESULT>\n"
                               "<result><NAME>The Saint</NAME></result>\n"
                               "<!-- aside --><RESULT><TEXT>no name</TEXT></RESULT>\n"));
    ASSERT_TRUE(quiz.ok);
    EXPECT_EQ(quiz.table.size(), 1u);
    EXPECT_EQ(AnswerList(quiz.Get("1001")), "Of course \xE2\x86\x92 The Rogue>0|The Saint>0");
    const QuizResults& results = quiz.table.Results();
    EXPECT_EQ(results.title, "Which hero are you?");
    ASSERT_EQ(results.results.size(), 3u);
    EXPECT_EQ(results.results[0].name, "The Rogue");
    EXPECT_EQ(results.results[0].text, "  Last one counts");
    EXPECT_TRUE(results.results[0].hasText);
    EXPECT_EQ(results.results[1].name, "The Saint");
    EXPECT_FALSE(results.results[1].hasText);
    EXPECT_EQ(results.results[2].name, "");
    // Endings name results by the text after their last arrow, trimmed.
    const Question& entry = quiz.Get("1001");
    EXPECT_EQ(results.ForAnswer(entry.answers[0].text), &results.results[0]);
    EXPECT_EQ(results.ForAnswer(entry.answers[1].text), &results.results[1]);
    EXPECT_EQ(results.ForAnswer(wxS("The rogue")), nullptr);  // names are compared exactly
    EXPECT_EQ(results.Find(wxString()), nullptr);

    // A quiz without them has none, and a later quiz's replace an earlier's.
    LoadedQuiz plain(Quiz("a", "b", ""));
    EXPECT_TRUE(plain.table.Results().Empty());
    EXPECT_TRUE(plain.table.Results().title.empty());
    QuestionTable table;
    table.Adopt(const_cast<QuestionTable&>(quiz.table));
    EXPECT_EQ(table.Results().title, "Which hero are you?");
    table.Adopt(plain.table);
    EXPECT_TRUE(table.Results().Empty());
}

TEST(QuizResults, TheCheckerSaysWhatIsWrongWithResultsAndWhyQuestionsAfterThemAreLost)
{
    // Line numbers: 1001 is on line 2, its endings on 3 and 4.
    const FileReport report = Check(Quiz("The Rogue", "Nobody",
        "<TITLE>One</TITLE>\n"                                        // 6
        "<TITLE>Two</TITLE>\n"                                        // 7
        "<RESULT><NAME>The Rogue</NAME><TEXT>t</TEXT></RESULT>\n"     // 8
        "<RESULT><NAME>The Rogue</NAME><TEXT>t</TEXT></RESULT>\n"     // 9
        "<RESULT><NAME>Unused</NAME></RESULT>\n"                      // 10
        "<RESULT><TEXT>t</TEXT></RESULT>\n"                           // 11
        "<QUESTION><ID>1002</ID></QUESTION>\n"));                     // 12
    EXPECT_EQ(Codes(report),
              "4:ending-no-result 6:title-repeated 9:duplicate-result 10:result-no-text "
              "10:result-unused 11:result-no-name 12:question-after-results");
    EXPECT_EQ(report.findings[0].questionId, "1001");
    EXPECT_EQ(report.findings[0].message,
              wxString::FromUTF8("question \"1001\": the ending \"Nobody\" names no result: "
                                 "no RESULT has the name \"Nobody\""));
    EXPECT_EQ(report.findings[2].message,
              "result \"The Rogue\" is defined again: players get the one at line 8");
    EXPECT_EQ(report.findings.back().message,
              "question \"1002\" comes after the title or results and is never read: "
              "questions go before <TITLE> and <RESULT>");

    // A stray element still stops the reading as before, even before results.
    EXPECT_EQ(Codes(Check(Quiz("a", "b", "<NOTE/>\n<RESULT><NAME>a</NAME><TEXT>t</TEXT></RESULT>"
                                         "<RESULT><NAME>b</NAME><TEXT>t</TEXT></RESULT>\n"))),
              "6:reading-stopped");
    // A quiz without results says nothing of endings naming none.
    EXPECT_EQ(Codes(Check(Quiz("a", "b", ""))), "");
}

TEST(QuizResults, TheBalanceListsAResultNoEndingNamesWithNoShare)
{
    QuizOutline outline;
    const FileReport report = Check(Quiz("A", "B",
        "<RESULT><NAME>Unreached</NAME><TEXT>t</TEXT></RESULT>\n"
        "<RESULT><NAME>B</NAME><TEXT>t</TEXT></RESULT>\n"
        "<RESULT><NAME>A</NAME><TEXT>t</TEXT></RESULT>\n"), &outline);
    EXPECT_EQ(Codes(report), "6:result-unused");
    EXPECT_EQ(outline.results, (std::vector<wxString>{"Unreached", "B", "A"}));
    const QuizBalance balance = BalanceOf(outline);
    ASSERT_EQ(balance.results.size(), 3u);
    EXPECT_EQ(balance.results[0].result, "A");
    EXPECT_DOUBLE_EQ(balance.results[0].share, 0.5);
    EXPECT_EQ(balance.results[1].result, "B");
    EXPECT_EQ(balance.results[2].result, "Unreached");
    EXPECT_EQ(balance.results[2].share, 0.0);
    EXPECT_TRUE(balance.results[2].exact);
}

TEST(QuizResults, EditionsHaveAsManyResultsAndCorrespondingEndingsNameCorrespondingOnes)
{
    const std::string results = "<RESULT><NAME>Rogue</NAME><TEXT>t</TEXT></RESULT>\n"   // 6
                                "<RESULT><NAME>Saint</NAME><TEXT>t</TEXT></RESULT>\n";  // 7
    const std::string chinese = Quiz("Rogue", "Saint", results);
    const struct
    {
        const char* what;
        std::string english;
        const char* findings;  // in the Chinese edition's report
    } rows[] = {
        {"in step, names translated",
         Quiz("Schurke", "Heiliger", "<RESULT><NAME>Schurke</NAME><TEXT>t</TEXT></RESULT>\n"
                                     "<RESULT><NAME>Heiliger</NAME><TEXT>t</TEXT></RESULT>\n"), ""},
        {"a result more there",
         Quiz("Rogue", "Saint", results + "<RESULT><NAME>Fool</NAME><TEXT>t</TEXT></RESULT>\n"),
         "6:edition-results"},
        {"no results there", Quiz("Rogue", "Saint", ""), "6:edition-results"},
        {"the endings name the results the other way round", Quiz("Saint", "Rogue", results),
         "3:edition-result 4:edition-result"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.what);
        TempDir dir;
        dir.Write(wxS("Hero-en.xml"), row.english);
        const FileReport report = CheckQuizFile(dir.Write(wxS("Hero-zh_CN.xml"), chinese));
        EXPECT_EQ(Codes(report), row.findings);
    }
}

namespace
{

std::unique_ptr<QuizDocument> OpenDocument(const std::string& xml)
{
    wxString error;
    auto document = QuizDocument::Open(xml.data(), xml.size(), wxS("quiz.xml"), error);
    EXPECT_TRUE(document) << error;
    return document;
}

// The saved bytes read back by the loader: questions in order with their
// answers, then the title and each result.
std::string ReadBack(const QuizDocument& document)
{
    bool saved = false;
    const std::string bytes = SaveToBytes(document.Xml(), 1, &saved);
    EXPECT_TRUE(saved);
    wxXmlDocument xml;
    QuestionTable table;
    EXPECT_TRUE(ParseQuizBytes(xml, bytes.data(), bytes.size(), wxS("saved.xml")));
    ReadQuestions(*xml.GetRoot(), table);
    std::string quiz;
    for (const wxXmlNode* element : ReadableQuestions(*xml.GetRoot()).questions)
    {
        const wxString id = LeafValue(*LastQuizChild(*element, "ID"));
        quiz += std::string(id.utf8_str()) + "=" + AnswerList(*table.FindQuestion(id)) + " ";
    }
    quiz += "title:" + std::string(table.Results().title.utf8_str());
    for (const QuizResult& result : table.Results().results)
        quiz += " " + std::string(result.name.utf8_str()) + ":" + std::string(result.text.utf8_str());
    return quiz;
}

} // namespace

TEST(QuizResultsWriting, RenamingAResultRenamesEveryEndingNamingItInOneUndoableEdit)
{
    const auto document = OpenDocument(
        "<questions>\n"
        "<QUESTION><ID>1001</ID><Q>q</Q>"
        "<ANSWER><A>Yes \xE2\x86\x92 Rogue</A><GOTO>0</GOTO></ANSWER>"
        "<ANSWER><A>Rogue</A><GOTO>0</GOTO></ANSWER>"       // the whole text names it
        "<ANSWER><A>No \xE2\x86\x92 Saint</A><GOTO>0</GOTO></ANSWER>"
        "<ANSWER><A>On \xE2\x86\x92 Rogue</A><GOTO>1002</GOTO></ANSWER></QUESTION>\n"  // not an ending
        "<QUESTION><ID>1002</ID><Q>q</Q><ANSWER><A>Sly\xE2\x86\x92  Rogue </A><GOTO>0</GOTO></ANSWER>"
        "</QUESTION>\n"
        "<!-- results -->\n"
        "<RESULT><NAME> Rogue </NAME><TEXT>wits</TEXT></RESULT>\n"
        "<RESULT><NAME>Saint</NAME><TEXT>grace</TEXT></RESULT>\n"
        "</questions>\n");
    const std::string before = ReadBack(*document);
    EXPECT_EQ(document->EndingsNaming(0), 3u);
    ASSERT_TRUE(document->Submit(document->SetResultName(0, wxS("Trickster"))));
    EXPECT_EQ(document->UndoName(), wxS("rename result"));
    EXPECT_EQ(ReadBack(*document),
              "1001=Yes \xE2\x86\x92 Trickster>0|Trickster>0|No \xE2\x86\x92 Saint>0|On \xE2\x86\x92 Rogue>1002 "
              "1002=Sly\xE2\x86\x92 Trickster>0 title: Trickster:wits Saint:grace");
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(ReadBack(*document), before);
    ASSERT_TRUE(document->Redo());
    EXPECT_EQ(document->EndingsNaming(0), 3u);

    // An empty name is no name: refused.
    EXPECT_EQ(document->SetResultName(0, wxS("  ")), nullptr);
    // Choosing a result for an ending keeps what stands before the arrow.
    ASSERT_TRUE(document->Submit(document->SetAnswerResult(0, 2, 0)));
    ASSERT_TRUE(document->Submit(document->SetAnswerResult(0, 1, 1)));
    EXPECT_EQ(document->Fields(0).answers[2].text, wxString::FromUTF8("No \xE2\x86\x92 Trickster"));
    EXPECT_EQ(document->Fields(0).answers[1].text, wxS("Saint"));
    EXPECT_EQ(document->EndingsNaming(1), 1u);
    EXPECT_EQ(document->SetAnswerResult(0, 1, 1), nullptr) << "it names that one already";
}

TEST(QuizResultsWriting, TitleAndResultsGoAfterTheLastQuestionAndEverythingElseStays)
{
    // A file whose reading stops at a stray element: results go before it.
    const auto document = OpenDocument(
        "<questions>\n<!-- c -->\n"
        "<QUESTION><ID>1001</ID><Q>q</Q><ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION>\n"
        "<QUESTION><ID>1002</ID><Q>q</Q><ANSWER><A>b</A><GOTO>0</GOTO></ANSWER></QUESTION>\n"
        "<appendix>kept</appendix>\n</questions>\n");
    ASSERT_TRUE(document->Submit(document->AddResult()));
    ASSERT_TRUE(document->Submit(document->AddResult()));
    ASSERT_TRUE(document->Submit(document->SetTitle(wxS("  Which hero?"))));
    ASSERT_TRUE(document->Submit(document->SetResultText(1, wxS("line one\n  line two"))));
    EXPECT_EQ(document->Title(), wxS("  Which hero?"));
    EXPECT_EQ(ReadBack(*document),
              "1001=a>0 1002=b>0 title:  Which hero? New result:Write here what this result tells the "
              "player. New result 2:line one\n  line two");
    bool saved = false;
    const std::string bytes = SaveToBytes(document->Xml(), 1, &saved);
    const size_t question = bytes.rfind("</QUESTION>");
    const size_t title = bytes.find("<TITLE>");
    const size_t result = bytes.find("<RESULT>");
    EXPECT_TRUE(question < title && title < result && result < bytes.find("<appendix>kept</appendix>")) << bytes;
    EXPECT_NE(bytes.find("<!-- c -->"), std::string::npos);

    // A question added afterwards is still read: it goes before the title.
    ASSERT_TRUE(document->Submit(document->AddQuestion()));
    EXPECT_EQ(document->QuestionCount(), 3u);
    EXPECT_EQ(document->ResultCount(), 2u);

    // Deleting the results and emptying the title: the quiz reads as before.
    ASSERT_TRUE(document->Submit(document->DeleteResult(0)));
    EXPECT_EQ(document->Result(0).name, wxS("New result 2"));
    ASSERT_TRUE(document->Submit(document->SetTitle(wxString())));
    EXPECT_EQ(document->Title(), wxString());
    EXPECT_EQ(document->SetTitle(wxString()), nullptr);
}
