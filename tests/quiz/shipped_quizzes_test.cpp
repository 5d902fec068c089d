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

struct Shipped : LoadedQuiz
{
    explicit Shipped(int index) { LoadFile(SourceDir() + wxFILE_SEP_PATH + QuizFilePath(index)); }

    // Questions reachable from the entry question.
    std::set<wxString> Reached() const
    {
        std::set<wxString> reached;
        std::vector<wxString> todo{QUIZ_ENTRY_ID};
        while (!todo.empty())
        {
            const wxString id = todo.back();
            todo.pop_back();
            const Question* question = table.FindQuestion(id);
            if (!question || !reached.insert(id).second)
                continue;
            for (const Answer& answer : question->answers)
                if (answer.target != QUIZ_END_TARGET)
                    todo.push_back(answer.target);
        }
        return reached;
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
    EXPECT_EQ(quiz.Reached().size(), quiz.table.size()) << "questions unreachable from 1001";
    EXPECT_TRUE(quiz.Trapped().empty()) << "questions that cannot reach an end";
}

// How many endings name each result. An ending reads "answer → verdict",
// the verdict being `verdict` and one of `names`; no question offers the
// same result twice.
std::map<wxString, int> Results(const Shipped& quiz, const char* verdict,
                                std::initializer_list<const char*> names)
{
    const wxString arrow = wxString::FromUTF8(" → ");
    std::map<wxString, int> count;
    for (const auto& entry : quiz.table.Index())
    {
        std::set<wxString> offered;
        for (const Answer& answer : entry.second->answers)
        {
            if (answer.target != QUIZ_END_TARGET)
                continue;
            const int at = answer.text.Find(arrow);
            EXPECT_GT(at, 0) << "ending without an answer before its verdict: " << answer.text;
            const wxString said = at > 0 ? answer.text.Mid(at + arrow.length()) : wxString();
            wxString result;
            for (const char* name : names)
                if (said == wxString::FromUTF8(verdict) + wxString::FromUTF8(name))
                    result = wxString::FromUTF8(name);
            if (result.empty())
            {
                ADD_FAILURE() << "ending names no single result: " << answer.text;
                continue;
            }
            EXPECT_TRUE(offered.insert(result).second) << entry.first << " offers " << result << " twice";
            ++count[result];
        }
    }
    return count;
}

// Every result can be reached, and by more than one ending.
void ExpectEachResultTwice(const std::map<wxString, int>& results, size_t expected)
{
    EXPECT_EQ(results.size(), expected);
    for (const auto& result : results)
        EXPECT_GE(result.second, 2) << result.first;
}

} // namespace

TEST(ShippedQuizzes, AnimalQuizReachesEachOfTheSevenTypes)
{
    Shipped quiz(0);
    ExpectSoundQuiz(quiz);
    ExpectEachResultTwice(Results(quiz, "你是 ", {"A 型：梅花鹿", "B 型：海龟", "C 型：折耳猫",
                                                  "D 型：牧羊犬", "E 型：金丝猴", "F 型：长颈鹿",
                                                  "G 型：野象"}),
                          7);
}

TEST(ShippedQuizzes, StarSignQuizReachesEachOfTheTwelveSigns)
{
    Shipped quiz(1);
    ExpectSoundQuiz(quiz);
    ExpectEachResultTwice(
        Results(quiz, "你的内在星座：", {"白羊座", "金牛座", "双子座", "巨蟹座", "狮子座", "处女座",
                                         "天秤座", "天蝎座", "射手座", "摩羯座", "水瓶座", "双鱼座"}),
        12);
}
