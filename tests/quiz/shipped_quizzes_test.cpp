// The quizzes the application ships: every question offers a choice and
// every result can be reached by several endings. Links, reachability and
// ends are checked by running the checker on the same files.
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_file.h"
#include "quiz/quiz_edition.h"
#include "quiz/quiz_list.h"
#include "quiz_test_util.h"

#include <wx/filefn.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{

// Checks the quiz with this index. An ending reads "answer → verdict", the
// verdict being `verdict` and one of `results`; no question offers the same
// result twice, and each result is offered by at least two endings.
void ExpectEachResultTwice(int index, const char* verdict, std::initializer_list<const char*> results)
{
    LoadedQuiz quiz;
    const wxString path = QuizEditionPath(BuiltInQuizzes()[index].stem, QUIZ_BASE_LANGUAGE);
    ASSERT_TRUE(quiz.LoadFile(SourceDir() + wxFILE_SEP_PATH + path));
    EXPECT_GE(quiz.table.size(), 12u);
    const wxString arrow = wxString::FromUTF8(" → ");
    std::map<wxString, int> count;
    for (const auto& entry : quiz.table.Index())
    {
        EXPECT_GE(entry.second->answers.size(), 2u) << entry.first;
        std::set<wxString> offered;
        for (const Answer& answer : entry.second->answers)
        {
            if (answer.target != QUIZ_END_TARGET)
                continue;
            const int at = answer.text.Find(arrow);
            EXPECT_GT(at, 0) << "ending without an answer before its verdict: " << answer.text;
            const wxString said = at > 0 ? answer.text.Mid(at + arrow.length()) : wxString();
            wxString result;
            for (const char* name : results)
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
    EXPECT_EQ(count.size(), results.size());
    for (const auto& result : count)
        EXPECT_GE(result.second, 2) << result.first;
}

// The balance of results of one edition of a built-in quiz.
QuizBalance EditionBalance(size_t index, const char* language)
{
    QuizOutline outline;
    CheckQuizFile(SourceDir() + wxFILE_SEP_PATH +
                      QuizEditionPath(BuiltInQuizzes()[index].stem, wxString::FromUTF8(language)),
                  &outline);
    return BalanceOf(outline);
}

} // namespace

TEST(ShippedQuizzes, AnimalQuizReachesEachOfTheSevenTypes)
{
    ExpectEachResultTwice(0, "你是 ", {"A 型：梅花鹿", "B 型：海龟", "C 型：折耳猫", "D 型：牧羊犬",
                                       "E 型：金丝猴", "F 型：长颈鹿", "G 型：野象"});
}

TEST(ShippedQuizzes, StarSignQuizReachesEachOfTheTwelveSigns)
{
    ExpectEachResultTwice(1, "你的内在星座：", {"白羊座", "金牛座", "双子座", "巨蟹座", "狮子座", "处女座",
                                                "天秤座", "天蝎座", "射手座", "摩羯座", "水瓶座", "双鱼座"});
}

TEST(ShippedQuizzes, BothEditionsGiveEachResultAsOften)
{
    for (size_t index = 0; index < BuiltInQuizzes().size(); ++index)
    {
        const QuizBalance chinese = EditionBalance(index, "zh_CN");
        const QuizBalance english = EditionBalance(index, "en");
        EXPECT_EQ(chinese.neverEnds, 0);
        EXPECT_EQ(english.neverEnds, 0);
        ASSERT_EQ(chinese.results.size(), english.results.size()) << index;
        for (size_t i = 0; i < chinese.results.size(); ++i)
        {
            EXPECT_NEAR(chinese.results[i].share, english.results[i].share, 1e-12)
                << chinese.results[i].result << " / " << english.results[i].result;
            EXPECT_GT(chinese.results[i].share, 0.04) << chinese.results[i].result;
        }
    }
}
