// An opened quiz read again after the author saved it: the player's place
// carried over, the answered count, and a failed read changing nothing.
#include "quiz/navigator.h"
#include "quiz/quiz_checker.h"
#include "quiz_test_util.h"

#include <wx/filefn.h>
#include <wx/xml/xml.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// 1001 -> 1002 -> 1003 -> 1004 -> end, with three answers on 1004 and a
// question 1005 that nothing leads to.
std::string Chain(const std::string& thirdText = "three", bool with1002 = true,
                  bool with1004 = true, size_t answersOf1004 = 3)
{
    std::vector<AnswerXml> last = {{"x", "0"}, {"y", "0"}, {"z", "0"}};
    last.resize(answersOf1004);
    return QuizXml(QuestionXml("1001", "one", {{"a", with1002 ? "1002" : "1003"}}) +
                   (with1002 ? QuestionXml("1002", "two", {{"a", "1003"}}) : "") +
                   QuestionXml("1003", thirdText, {{"a", "1004"}}) +
                   (with1004 ? QuestionXml("1004", "four", last) : "") +
                   QuestionXml("1005", "aside", {{"a", "0"}}));
}

std::string Id(const Question* question)
{
    return question ? std::string(question->id.utf8_str()) : "nothing";
}

} // namespace

TEST(Reload, ThePlayerKeepsTheirPlaceAsFarAsTheNewFileAllows)
{
    struct Case
    {
        const char* what;
        std::string saved;
        std::string show;
        int selection;
        bool restarted;
        std::vector<std::string> prevs;  // what Prev then shows, to the end
        size_t answered;
    };
    const std::vector<Case> cases = {
        {"text changed, answer index kept", Chain("THREE"), "1004", 2, false,
         {"1003", "1002", "1001", "nothing"}, 3},
        {"answer index gone", Chain("three", true, true, 2), "1004", 0, false,
         {"1003", "1002", "1001", "nothing"}, 3},
        {"way back cut at the first missing question", Chain("three", false), "1004", 2, false,
         {"1003", "nothing"}, 3},
        {"question gone", Chain("three", true, false), "1001", 0, true, {"nothing"}, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const wxString path = dir.Write(wxS("quiz.xml"), Chain());
        wxXmlDocument document;
        QuizNavigator nav;
        QuizFileCheck check;
        ASSERT_TRUE(nav.Load(document, path, check)) << check.error;
        nav.Start();
        for (int i = 0; i < 3; ++i)
            nav.Next(0);
        ASSERT_EQ(Id(nav.Current()), "1004");
        const Question* shown = nav.Current();

        dir.Write(wxS("quiz.xml"), c.saved);
        const QuizNavigator::ReloadResult result = nav.Reload(document, path, 2, check);
        ASSERT_TRUE(result.loaded) << check.error;
        EXPECT_EQ(shown->text, wxS("four")) << "the record on screen lives until it is replaced";
        EXPECT_EQ(Id(result.show), c.show);
        EXPECT_EQ(result.show, nav.Current());
        EXPECT_EQ(result.show, nav.Questions().FindQuestion(result.show->id)) << "the new record";
        EXPECT_EQ(result.selection, c.selection);
        EXPECT_EQ(result.restarted, c.restarted);
        EXPECT_EQ(nav.Answered(), c.answered);
        EXPECT_EQ(nav.Questions().FindQuestion(wxS("1003"))->text,
                  wxString::FromUTF8(c.saved == Chain("THREE") ? "THREE" : "three"));
        for (const std::string& expected : c.prevs)
            EXPECT_EQ(Id(nav.Prev()), expected);
        nav.ReleaseDisplaced();
        EXPECT_LE(nav.Questions().RecordCount(), nav.Questions().size() + 2)
            << "the old version is freed, but for what navigation points at";
    }
}

TEST(Reload, OnlyTheNewFilesQuestionsAreFoundAndABrokenSaveChangesNothing)
{
    TempDir dir;
    const wxString path = dir.Write(wxS("quiz.xml"), Chain());
    wxXmlDocument document;
    QuizNavigator nav;
    QuizFileCheck check;
    ASSERT_TRUE(nav.Load(document, path, check));
    nav.Start();
    nav.Next(0);

    for (const char* broken : {"<questions><QUESTION>", "",
                               "<questions><QUESTION><ID>2001</ID><Q>no entry</Q></QUESTION></questions>"})
    {
        SCOPED_TRACE(broken);
        dir.Write(wxS("quiz.xml"), broken);
        EXPECT_FALSE(nav.Reload(document, path, 0, check).loaded);
        EXPECT_FALSE(check.error.empty());
        EXPECT_NE(check.error.find(path), wxString::npos) << "names the file: " << check.error;
        EXPECT_EQ(Id(nav.Current()), "1002");
        EXPECT_NE(nav.Questions().FindQuestion(wxS("1005")), nullptr);
        EXPECT_EQ(nav.Questions().FindQuestion(wxS("2001")), nullptr);
    }
    dir.Write(wxS("quiz.xml"), "<questions><QUESTION>\n<ID>1001</ID></QUESTION>");
    nav.Reload(document, path, 0, check);
    EXPECT_NE(check.error.find(wxS("line 2")), wxString::npos) << "the parser's line: " << check.error;
    ASSERT_TRUE(wxRemoveFile(path));
    EXPECT_FALSE(nav.Reload(document, path, 0, check).loaded);
    EXPECT_NE(check.error.find(path), wxString::npos) << "a removed file: " << check.error;
    EXPECT_EQ(Id(nav.Current()), "1002");

    // The mended file: 1005 is gone, so it is no longer found.
    dir.Write(wxS("quiz.xml"), QuizXml(QuestionXml("1001", "one", {{"a", "1002"}}) +
                                       QuestionXml("1002", "two", {{"a", "4711"}})));
    EXPECT_TRUE(nav.Reload(document, path, 0, check).loaded);
    EXPECT_EQ(nav.Questions().FindQuestion(wxS("1005")), nullptr);
    EXPECT_EQ(nav.Questions().size(), 2u);
    // The checker's findings come along, as mindprism-check would give them.
    const FileReport checked = CheckQuizFile(path);
    ASSERT_EQ(check.report.findings.size(), checked.findings.size());
    EXPECT_GE(checked.findings.size(), 1u);
    for (size_t i = 0; i < checked.findings.size(); ++i)
    {
        EXPECT_EQ(check.report.findings[i].line, checked.findings[i].line);
        EXPECT_EQ(check.report.findings[i].message, checked.findings[i].message);
    }
}

TEST(Reload, AnsweredCountsMovesNotStepsInPlace)
{
    TempDir dir;
    wxXmlDocument document;
    QuizNavigator nav;
    ASSERT_TRUE(nav.Load(document, dir.Write(wxS("quiz.xml"), Chain())));
    nav.Start();
    nav.Next(0);
    nav.Next(0);
    EXPECT_EQ(nav.Answered(), 2u);
    nav.Start();
    EXPECT_EQ(nav.Answered(), 0u);
    EXPECT_EQ(Id(nav.Prev()), "1002") << "the way back outlives Reset";
    EXPECT_EQ(nav.Answered(), 0u) << "never below 0";
    nav.Next(0);
    nav.Next(0);
    EXPECT_EQ(nav.Next(2).kind, QuizNavigator::Step::Ended);
    EXPECT_EQ(nav.Answered(), 2u);
    // After an end, Prev first shows the same question again: no move.
    EXPECT_EQ(Id(nav.Prev()), "1004");
    EXPECT_EQ(nav.Answered(), 2u);
    EXPECT_EQ(Id(nav.Prev()), "1003");
    EXPECT_EQ(nav.Answered(), 1u);
}

TEST(Reload, AWayBackThatLoopsStillLoopsAfterwards)
{
    const std::string loop = QuizXml(QuestionXml("1001", "one", {{"a", "1002"}}) +
                                     QuestionXml("1002", "two", {{"a", "1003"}}) +
                                     QuestionXml("1003", "three", {{"a", "1001"}}));
    TempDir dir;
    const wxString path = dir.Write(wxS("quiz.xml"), loop);
    wxXmlDocument document;
    QuizNavigator nav;
    QuizFileCheck check;
    ASSERT_TRUE(nav.Load(document, path, check));
    nav.Start();
    for (int i = 0; i < 4; ++i)
        nav.Next(0);  // round once, on 1002 again
    const QuizPlace place = nav.Place(0);
    EXPECT_EQ(place.wayBack, (std::vector<wxString>{wxS("1001"), wxS("1003"), wxS("1002"), wxS("1001")}));
    ASSERT_TRUE(nav.Reload(document, path, 0, check).loaded);
    for (const char* expected : {"1001", "1003", "1002", "1001", "1003"})
        EXPECT_EQ(Id(nav.Prev()), expected);
}
