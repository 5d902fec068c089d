// The figures behind "Question 3 · 2 to 4 more", on small graphs.
#include "quiz/quiz_progress.h"
#include "quiz_test_util.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

TEST(Progress, FewestAndMostQuestionsLeftBeforeAnEnd)
{
    const std::optional<size_t> unbounded;
    struct Expect
    {
        const char* id;
        std::optional<QuizProgress> figures;  // empty: no end reachable
    };
    struct Case
    {
        const char* graph;
        std::string xml;
        std::vector<Expect> expected;
    };
    const std::vector<Case> cases = {
        {"chain",
         QuizXml(QuestionXml("1001", "q", {{"a", "1002"}}) + QuestionXml("1002", "q", {{"a", "1003"}}) +
                 QuestionXml("1003", "q", {{"a", "0"}})),
         {{"1001", QuizProgress{2, 2}}, {"1002", QuizProgress{1, 1}}, {"1003", QuizProgress{0, 0}}}},
        {"fork, one branch longer, the entry ending too",
         QuizXml(QuestionXml("1001", "q", {{"a", "1002"}, {"b", "1003"}, {"c", "0"}}) +
                 QuestionXml("1002", "q", {{"a", "0"}}) + QuestionXml("1003", "q", {{"a", "1004"}}) +
                 QuestionXml("1004", "q", {{"a", "1002"}})),
         {{"1001", QuizProgress{0, 3}}, {"1003", QuizProgress{2, 2}}, {"1004", QuizProgress{1, 1}}}},
        {"loop that can end, with a bounded tail after it",
         QuizXml(QuestionXml("1001", "q", {{"a", "1002"}}) +
                 QuestionXml("1002", "q", {{"back", "1001"}, {"on", "1003"}}) +
                 QuestionXml("1003", "q", {{"a", "0"}})),
         {{"1001", QuizProgress{2, unbounded}}, {"1002", QuizProgress{1, unbounded}},
          {"1003", QuizProgress{0, 0}}}},
        {"dead ends: a loop that never ends, a target naming nothing",
         QuizXml(QuestionXml("1001", "q", {{"stuck", "1002"}, {"lost", "1003"}, {"on", "1004"}}) +
                 QuestionXml("1002", "q", {{"again", "1002"}}) +
                 QuestionXml("1003", "q", {{"a", "4711"}}) + QuestionXml("1004", "q", {{"a", "0"}})),
         {{"1001", QuizProgress{1, 1}}, {"1002", std::nullopt}, {"1003", std::nullopt},
          {"4711", std::nullopt}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.graph);
        LoadedQuiz quiz(c.xml);
        ASSERT_TRUE(quiz.ok);
        const QuizProgressMap progress(quiz.table);
        for (const Expect& e : c.expected)
        {
            SCOPED_TRACE(e.id);
            const QuizProgress* found = progress.Find(wxString::FromUTF8(e.id));
            ASSERT_EQ(found != nullptr, e.figures.has_value());
            if (found)
            {
                EXPECT_EQ(found->fewest, e.figures->fewest);
                EXPECT_EQ(found->most, e.figures->most);
            }
        }
    }
}
