// Next, Prev, Reset and switching, over small quizzes made by the tests.
#include "quiz/navigator.h"
#include "quiz/quiz_file.h"
#include "quiz_test_util.h"

#include <wx/xml/xml.h>

#include <gtest/gtest.h>

namespace
{

class Navigation : public testing::Test
{
protected:
    TempDir m_dir;
    wxXmlDocument m_document;
    QuestionTable m_table;
    QuizNavigator m_nav;

    // Adds a quiz to the table, later files winning, as the built-in
    // quizzes are read.
    bool Load(const std::string& xml, const char* name = "quiz.xml")
    {
        QuestionTable file;
        if (!LoadQuiz(m_document, m_dir.Write(wxString::FromUTF8(name), xml), file))
            return false;
        m_table.Adopt(file);
        m_nav.ReleaseDisplaced(m_table);
        m_nav.Play(m_table);
        return true;
    }
    std::string Current() const
    {
        return m_nav.Current() ? std::string(m_nav.Current()->id.utf8_str()) : "none";
    }
    QuizNavigator::Step Next(int choice = 0) { return m_nav.Next(choice); }
    std::string Prev()
    {
        const Question* shown = m_nav.Prev();
        return shown ? std::string(shown->id.utf8_str()) : "nothing";
    }
};

// 1001 -> 1002 -> 1003 -> end, with a loop from 1003 back to 1001, and a
// draft question without ID, stored under the empty ID.
const std::string LOOP_QUIZ =
    QuizXml(QuestionXml("", "draft", {{"back", "1001"}}) +
            QuestionXml("1001", "one", {{"to two", "1002"}}) +
            QuestionXml("1002", "two", {{"to three", "1003"}, {"nowhere", "4711"}}) +
            QuestionXml("1003", "three", {{"loop", "1001"}, {"done", "0"}, {"zeros", "00"},
                                          {"blank", " 0"}}));

} // namespace

TEST_F(Navigation, NextFollowsTheChosenAnswerAndPrevWalksBack)
{
    ASSERT_TRUE(Load(LOOP_QUIZ));
    ASSERT_NE(m_nav.Start(), nullptr);
    EXPECT_EQ(Current(), "1001");
    EXPECT_EQ(Prev(), "nothing") << "Prev at the entry question does nothing, not even "
                                    "through its empty back link to the draft";
    EXPECT_EQ(Current(), "1001");

    EXPECT_EQ(Next().kind, QuizNavigator::Step::Moved);
    EXPECT_EQ(Next().kind, QuizNavigator::Step::Moved);
    EXPECT_EQ(Current(), "1003");
    EXPECT_EQ(m_nav.Current()->backId, wxS("1002"));
    // Reset shows the entry, and Prev still goes where it would have.
    EXPECT_EQ(m_nav.Start()->id, wxS("1001"));
    EXPECT_EQ(Prev(), "1002");
    EXPECT_EQ(Prev(), "1001");
    EXPECT_EQ(Prev(), "nothing") << "1001 was never reached by Next";
    EXPECT_EQ(Current(), "1001");
}

TEST_F(Navigation, ALoopBackToTheEntryMakesPrevCircleForever)
{
    ASSERT_TRUE(Load(LOOP_QUIZ));
    m_nav.Start();
    Next();
    Next();
    EXPECT_EQ(Next(0).question->id, wxS("1001"));
    EXPECT_EQ(m_nav.Current()->backId, wxS("1003"));
    for (const char* expected : {"1003", "1002", "1001", "1003", "1002", "1001", "1003"})
        EXPECT_EQ(Prev(), expected);
}

TEST_F(Navigation, OnlyTheExactTargetZeroEndsTheQuizAndUnknownTargetsStayPut)
{
    ASSERT_TRUE(Load(LOOP_QUIZ));
    m_nav.Start();
    Next();
    Next();
    QuizNavigator::Step end = Next(1);
    EXPECT_EQ(end.kind, QuizNavigator::Step::Ended);
    EXPECT_EQ(end.answer->text, wxS("done"));
    EXPECT_EQ(Current(), "1003");
    EXPECT_EQ(Next(1).kind, QuizNavigator::Step::Ended) << "the end again gives the result again";
    EXPECT_EQ(Next(2).kind, QuizNavigator::Step::Stayed) << "\"00\" is an ID like any other";
    EXPECT_EQ(Next(3).kind, QuizNavigator::Step::Stayed) << "\" 0\" is an ID like any other";
    // After the end or staying put, Prev shows the same question first.
    EXPECT_EQ(Prev(), "1003");
    EXPECT_EQ(Prev(), "1002");
    EXPECT_EQ(Next(1).kind, QuizNavigator::Step::Stayed) << "4711 names no question";
    EXPECT_EQ(Current(), "1002");
    EXPECT_EQ(Prev(), "1002");
    EXPECT_EQ(Prev(), "1001");
}

TEST_F(Navigation, NothingChosenOrNoAnswersChangesNothing)
{
    ASSERT_TRUE(Load(QuizXml(QuestionXml("1001", "one", {{"to empty", "1002"}}) +
                             QuestionXml("1002", "no answers", {}))));
    EXPECT_EQ(Next().kind, QuizNavigator::Step::NoChoice) << "nothing started yet";
    m_nav.Start();
    EXPECT_EQ(Next(wxNOT_FOUND).kind, QuizNavigator::Step::NoChoice);
    EXPECT_EQ(m_nav.Previous(), nullptr);
    Next();
    EXPECT_EQ(Current(), "1002");
    EXPECT_EQ(Next(0).kind, QuizNavigator::Step::NoChoice);
    EXPECT_EQ(Current(), "1002");
}

TEST_F(Navigation, PrevAfterASwitchShowsTheEarlierQuizsQuestion)
{
    ASSERT_TRUE(Load(QuizXml(QuestionXml("1001", "animals", {{"a", "2001"}}) +
                             QuestionXml("2001", "animal question", {{"b", "2002"}}) +
                             QuestionXml("2002", "last animal question", {{"c", "0"}}))));
    m_nav.Start();
    Next();
    Next();
    ASSERT_TRUE(Load(QuizXml(QuestionXml("1001", "stars", {{"c", "0"}})), "stars.xml"));
    EXPECT_EQ(m_nav.Start()->text, wxS("stars"));
    const Question* back = m_nav.Prev();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->text, wxS("animal question"));
    EXPECT_EQ(Prev(), "1001");
    // That is the second quiz's entry now: the first quiz's was displaced.
    EXPECT_EQ(m_nav.Current()->text, wxS("stars"));
}

TEST_F(Navigation, AQuizWithoutEntryQuestionCannotStart)
{
    ASSERT_TRUE(Load(QuizXml(QuestionXml("2001", "no entry", {{"a", "0"}}))));
    EXPECT_EQ(m_nav.Start(), nullptr);
    EXPECT_EQ(m_nav.Current(), nullptr);
    EXPECT_EQ(Prev(), "nothing");
}

TEST_F(Navigation, ReloadingStartsAfreshAndFreesDisplacedRecordsNobodyPointsAt)
{
    ASSERT_TRUE(Load(LOOP_QUIZ));
    m_nav.Start();
    Next();  // current 1002, previous 1001
    const Question* before = m_nav.Current();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(Load(LOOP_QUIZ));
    // Four live records plus the two the navigation still points at.
    EXPECT_EQ(m_table.RecordCount(), 6u);
    EXPECT_EQ(m_nav.Current(), before);
    EXPECT_EQ(m_nav.Previous()->text, wxS("one"));

    EXPECT_EQ(m_nav.Start()->id, wxS("1001"));
    const Question* fresh = m_table.FindQuestion(wxS("1002"));
    EXPECT_NE(fresh, before);
    EXPECT_TRUE(fresh->backId.empty());
    // Prev still goes to the displaced 1001 it pointed at before.
    EXPECT_EQ(Prev(), "1001");
    EXPECT_NE(m_nav.Current(), m_table.FindQuestion(wxS("1001")));
}
