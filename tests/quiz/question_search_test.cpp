// Go to question's search: what an author types, and the question it finds.
#include "quiz/question_search.h"
#include "quiz/quiz_analysis.h"

#include <gtest/gtest.h>

namespace
{

QuizOutline Outline(std::initializer_list<std::pair<const char*, const char*>> questions)
{
    QuizOutline outline;
    for (const auto& [id, text] : questions)
        outline.boxes.push_back(QuizOutline::Box{wxString::FromUTF8(id), wxString::FromUTF8(text), true, true, {}});
    return outline;
}

} // namespace

TEST(QuestionSearch, FindsAnIdThenAnOfferedLabelThenEveryWordOfAText)
{
    const QuizOutline outline = Outline({{"1001", "What do you do on a Sunday morning?"},
                                         {" 7 ", "Sunday again"},
                                         {"7", "Seven"},
                                         {"1003", "周末 早上 你想做什么？"}});
    EXPECT_EQ(FindQuestion(outline, wxS("1001")), wxS("1001"));
    // An ID as typed first (the checker warns of blanks around one), then
    // without the blanks an author most likely typed by accident.
    EXPECT_EQ(FindQuestion(outline, wxS(" 7 ")), wxS(" 7 "));
    EXPECT_EQ(FindQuestion(outline, wxS("7 ")), wxS("7"));
    EXPECT_EQ(FindQuestion(outline, QuestionLabel(wxS("1003"), outline.boxes[3].text)), wxS("1003"));
    // Words in any order and case; the first question in the file that has them all.
    EXPECT_EQ(FindQuestion(outline, wxS("MORNING sunday")), wxS("1001"));
    EXPECT_EQ(FindQuestion(outline, wxS("sunday")), wxS("1001"));
    EXPECT_EQ(FindQuestion(outline, wxS("again sunday")), wxS(" 7 "));
    EXPECT_EQ(FindQuestion(outline, wxString::FromUTF8("早上\xE3\x80\x80周末")), wxS("1003"));
    EXPECT_EQ(FindQuestion(outline, wxS("sunday evening")), wxString());
    EXPECT_EQ(FindQuestion(outline, wxS("  ")), wxString());
}

TEST(QuestionSearch, OffersIdsByTheirStartAndTextsByTheirWordsUpToALimit)
{
    const QuizOutline outline = Outline({{"1001", "First\nline"}, {"1002", "A second"}, {"2001", "Another first"}});
    EXPECT_EQ(QuestionsMatching(outline, wxS("100"), 10),
              (std::vector<wxString>{wxString::FromUTF8("1001 · First line"), wxString::FromUTF8("1002 · A second")}));
    EXPECT_EQ(QuestionsMatching(outline, wxS("first"), 10),
              (std::vector<wxString>{wxString::FromUTF8("1001 · First line"),
                                     wxString::FromUTF8("2001 · Another first")}));
    EXPECT_EQ(QuestionsMatching(outline, wxS("first"), 1).size(), 1u);
    EXPECT_TRUE(QuestionsMatching(outline, wxS(" "), 10).empty());
    // A long text is cut in its label, on one line.
    const wxString label = QuestionLabel(wxS("1"), wxString(wxS('x'), 200));
    EXPECT_LT(label.length(), 60u);
}
