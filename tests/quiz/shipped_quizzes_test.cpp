// The quizzes the application ships: every path leads somewhere and ends.
#include "quiz/quiz_file.h"
#include "quiz_test_util.h"

#include <wx/filename.h>
#include <wx/xml/xml.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{

struct Shipped
{
    wxXmlDocument document;
    QuestionTable table;
    bool ok;
    explicit Shipped(int index)
        : ok(LoadQuiz(document, SourceDir() + wxFILE_SEP_PATH + QuizFilePath(index), table))
    {
    }

    // Text of every ending reachable from the entry question.
    std::set<wxString> Endings(std::set<wxString>& reached) const
    {
        std::set<wxString> endings;
        std::vector<wxString> todo{QUIZ_ENTRY_ID};
        while (!todo.empty())
        {
            const wxString id = todo.back();
            todo.pop_back();
            const Question* question = table.FindQuestion(id);
            if (!question || !reached.insert(id).second)
                continue;
            for (const Answer& answer : question->answers)
            {
                if (answer.target == QUIZ_END_TARGET)
                    endings.insert(answer.text);
                else
                    todo.push_back(answer.target);
            }
        }
        return endings;
    }

    // Questions from which no end can be reached.
    std::set<wxString> Trapped() const
    {
        std::set<wxString> canEnd;
        for (bool grew = true; grew;)
        {
            grew = false;
            for (const auto& entry : table.Index())
            {
                if (canEnd.count(entry.first))
                    continue;
                for (const Answer& answer : entry.second->answers)
                {
                    if (answer.target == QUIZ_END_TARGET || canEnd.count(answer.target))
                    {
                        canEnd.insert(entry.first);
                        grew = true;
                        break;
                    }
                }
            }
        }
        std::set<wxString> trapped;
        for (const auto& entry : table.Index())
            if (!canEnd.count(entry.first))
                trapped.insert(entry.first);
        return trapped;
    }
};

void ExpectSoundQuiz(const Shipped& quiz)
{
    ASSERT_TRUE(quiz.ok);
    EXPECT_GE(quiz.table.size(), 12u);
    EXPECT_EQ(quiz.table.RecordCount(), quiz.table.size()) << "duplicate IDs";
    for (const auto& entry : quiz.table.Index())
    {
        const Question& question = *entry.second;
        EXPECT_FALSE(question.text.empty()) << entry.first;
        EXPECT_GE(question.answers.size(), 2u) << entry.first;
        for (const Answer& answer : question.answers)
            EXPECT_TRUE(answer.target == QUIZ_END_TARGET || quiz.table.FindQuestion(answer.target))
                << entry.first << " leads to " << answer.target;
    }
    std::set<wxString> reached;
    quiz.Endings(reached);
    EXPECT_EQ(reached.size(), quiz.table.size()) << "questions unreachable from 1001";
    EXPECT_TRUE(quiz.Trapped().empty()) << "questions that cannot reach an end";
}

// How many reachable endings name each of `names`.
std::map<wxString, int> Named(const std::set<wxString>& endings,
                              std::initializer_list<const char*> names)
{
    std::map<wxString, int> count;
    for (const wxString& ending : endings)
    {
        int matches = 0;
        for (const char* name : names)
        {
            if (ending.Contains(wxString::FromUTF8(name)))
            {
                ++count[wxString::FromUTF8(name)];
                ++matches;
            }
        }
        EXPECT_EQ(matches, 1) << "ending names no single result: " << ending;
    }
    return count;
}

} // namespace

TEST(ShippedQuizzes, AnimalQuizReachesEachOfTheSevenTypes)
{
    Shipped quiz(0);
    ExpectSoundQuiz(quiz);
    std::set<wxString> reached;
    const auto types = Named(quiz.Endings(reached), {"A 型：梅花鹿", "B 型：海龟", "C 型：折耳猫",
                                                     "D 型：牧羊犬", "E 型：金丝猴", "F 型：长颈鹿",
                                                     "G 型：野象"});
    EXPECT_EQ(types.size(), 7u);
}

TEST(ShippedQuizzes, StarSignQuizReachesEachOfTheTwelveSigns)
{
    Shipped quiz(1);
    ExpectSoundQuiz(quiz);
    std::set<wxString> reached;
    const auto signs =
        Named(quiz.Endings(reached), {"白羊座", "金牛座", "双子座", "巨蟹座", "狮子座", "处女座",
                                      "天秤座", "天蝎座", "射手座", "摩羯座", "水瓶座", "双鱼座"});
    EXPECT_EQ(signs.size(), 12u);
}
