// The balance of results under random play, on quizzes whose shares are
// known.
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "quiz_xml.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace
{

QuizOutline OutlineOf(const std::string& body)
{
    const std::string xml = QuizXml(body);
    QuizOutline outline;
    CheckQuizBytes(xml.data(), xml.size(), wxS("balance.xml"), &outline);
    return outline;
}

std::string Share(double share)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9f", share);
    return text;
}

// "result share; " per result, largest first, then "never share".
std::string Shares(const QuizBalance& balance)
{
    std::string text;
    for (const ResultShare& result : balance.results)
        text += std::string(result.result.utf8_str()) + " " + Share(result.share) + "; ";
    return text + "never " + Share(balance.neverEnds);
}

std::string End(const std::string& result)
{
    return "x → " + result;
}

} // namespace

TEST(Balance, ResultIsTheTextAfterTheLastArrowTrimmed)
{
    EXPECT_EQ(ResultOf(wxString::FromUTF8("a → b →  Type C ")), "Type C");
    EXPECT_EQ(ResultOf(wxS("no arrow ")), "no arrow ");
    // Nothing after the arrow: the whole text rather than an empty result.
    EXPECT_EQ(ResultOf(wxString::FromUTF8("left open → ")), wxString::FromUTF8("left open → "));
}

TEST(Balance, ForkSharesResultsByTheWaysToThem)
{
    // 1001 splits three ways; X is reached directly and through 1002.
    // Z, never reachable, is listed at zero; equal shares go by text.
    const QuizBalance balance = BalanceOf(OutlineOf(
        QuestionXml("1001", "q", {{"a", "1002"}, {"b", "1003"}, {End("X"), "0"}}) +
        QuestionXml("1002", "q", {{End("X"), "0"}, {End("Y"), "0"}}) +
        QuestionXml("1003", "q", {{End("W"), "0"}, {End("V"), "0"}}) +
        QuestionXml("2000", "q", {{End("Z"), "0"}})));
    EXPECT_EQ(Shares(balance), "X 0.500000000; V 0.166666667; W 0.166666667; Y 0.166666667; "
                               "Z 0.000000000; never 0.000000000");
}

TEST(Balance, LoopsAreFollowedAndThoseWithoutExitNeverEnd)
{
    // With an exit: 1001 <-> 1002, 1002 also back to itself. Visits 4/3
    // and 1: E = 4/3 / 2, F = 1 / 3.
    EXPECT_EQ(Shares(BalanceOf(OutlineOf(
                  QuestionXml("1001", "q", {{"on", "1002"}, {End("E"), "0"}}) +
                  QuestionXml("1002", "q", {{"back", "1001"}, {"again", "1002"}, {End("F"), "0"}})))),
              "E 0.666666667; F 0.333333333; never 0.000000000");
    // Without: half the players go round 1002 and 1003 for ever.
    EXPECT_EQ(Shares(BalanceOf(OutlineOf(QuestionXml("1001", "q", {{"in", "1002"}, {End("A"), "0"}}) +
                                         Q("1002", {"1003"}) + Q("1003", {"1002"})))),
              "A 0.500000000; never 0.500000000");
    // A long chain where every question may send the player back to the
    // start: the end is reached once in 2^60 tries, but surely reached.
    std::string chain;
    for (int k = 0; k < 60; ++k)
        chain += Q(std::to_string(1001 + k), {std::to_string(1002 + k), "1001"});
    chain += QuestionXml("1061", "q", {{End("Patient"), "0"}});
    EXPECT_EQ(Shares(BalanceOf(OutlineOf(chain))), "Patient 1.000000000; never 0.000000000");
}

TEST(Balance, AnswersToMissingQuestionsDoNotCount)
{
    // The player stays at 1001 and chooses again: 1002 and B are equally
    // likely. 1003's only answer leads nowhere: whoever gets there is stuck.
    EXPECT_EQ(Shares(BalanceOf(OutlineOf(
                  QuestionXml("1001", "q", {{"lost", "9999"}, {End("B"), "0"}, {"on", "1002"}}) +
                  QuestionXml("1002", "q", {{End("A"), "0"}, {End("B"), "0"}, {"on", "1003"}}) +
                  Q("1003", {"9999"})))),
              "B 0.666666667; A 0.166666667; never 0.166666667");
    // No entry question: nobody ever ends.
    EXPECT_EQ(Shares(BalanceOf(OutlineOf(QuestionXml("2000", "q", {{End("A"), "0"}})))),
              "A 0.000000000; never 1.000000000");
}

TEST(Balance, DenselyLinkedQuizGivesTheSameSharesInAnyOrder)
{
    // 1,500 questions linked at random with few endings: too dense to be
    // eliminated, so its core is iterated. Listing the questions in another
    // order changes both the elimination and the sweeps, not the answer.
    std::mt19937 random(3);
    std::vector<std::string> questions;
    constexpr int COUNT = 1500;
    for (int k = 0; k < COUNT; ++k)
    {
        std::vector<AnswerXml> answers;
        for (int a = 0; a < 3; ++a)
            answers.emplace_back("go", std::to_string(1001 + random() % COUNT));
        if (k % 20 == 7)
            answers.emplace_back(End("R" + std::to_string(k % 3)), "0");
        questions.push_back(QuestionXml(std::to_string(1001 + k), "q", answers));
    }
    std::string forward;
    std::string backward;
    for (int k = 0; k < COUNT; ++k)
    {
        forward += questions[size_t(k)];
        backward += questions[size_t(COUNT - 1 - k)];
    }
    const QuizBalance one = BalanceOf(OutlineOf(forward));
    const QuizBalance other = BalanceOf(OutlineOf(backward));
    EXPECT_EQ(Shares(one), Shares(other));
    double total = one.neverEnds;
    for (const ResultShare& result : one.results)
        total += result.share;
    EXPECT_NEAR(total, 1, 1e-9);
}
