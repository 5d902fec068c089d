// The balance of results under random play, on quizzes whose shares are
// known as fractions: the elimination, the direct solver of dense cores and
// the iteration beyond its budget, with the bound iteration must keep.
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "quiz_xml.h"

#include <gtest/gtest.h>

#include <cmath>
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

// Question k of `questions` as the map's outline holds it, with answers
// to `targets` (box numbers) and, where given, one that ends with `ending`.
QuizOutline::Box Box(size_t k, const std::vector<size_t>& targets, const std::string& ending = "")
{
    QuizOutline::Box box{wxString::Format(wxS("%zu"), 1001 + k), wxS("q"), true, true, {}};
    for (const size_t to : targets)
        box.arrows.push_back({wxS("go"), wxString::Format(wxS("%zu"), 1001 + to), false, to});
    if (!ending.empty())
        box.arrows.push_back({wxString::FromUTF8(End(ending)), wxS("0"), true, std::nullopt});
    return box;
}

// Every question has `answers` answers to random questions, and the one
// in the middle also "out → R": every player ends at R sooner or later.
// Built as an outline: reading tens of thousands of answers from XML would
// take most of the test's time.
QuizOutline OneWayOut(size_t questions, size_t answers)
{
    std::mt19937 random(7);
    QuizOutline outline;
    outline.entry = 0;
    for (size_t k = 0; k < questions; ++k)
    {
        std::vector<size_t> targets;
        for (size_t a = 0; a < answers; ++a)
            targets.push_back(random() % questions);
        outline.boxes.push_back(Box(k, targets, k == questions / 2 ? "R" : ""));
    }
    return outline;
}

// 1001 ends at "Early" or leads into six questions that each lead to all
// the others and end at a result of their own: too densely linked to be
// eliminated, so they are solved as a core. From the first of them, by
// symmetry, a player ends there 2 times in 7, at each other 1 in 7.
QuizOutline EarlyOrCore()
{
    QuizOutline outline;
    outline.entry = 0;
    outline.boxes.push_back(Box(0, {1}, "Early"));
    for (size_t k = 1; k <= 6; ++k)
    {
        std::vector<size_t> others;
        for (size_t to = 1; to <= 6; ++to)
            if (to != k)
                others.push_back(to);
        outline.boxes.push_back(Box(k, others, "R" + std::to_string(k)));
    }
    return outline;
}

double ShareOf(const QuizBalance& balance, const char* result)
{
    for (const ResultShare& share : balance.results)
        if (share.result == result)
            return share.share;
    ADD_FAILURE() << "no result " << result;
    return -1;
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

TEST(Balance, AnswersToMissingQuestionsDoNotCountAndDuplicatesDo)
{
    // The player stays at 1001 and chooses again: 1002 and B are equally
    // likely. 1003's only answer leads nowhere: whoever gets there is stuck.
    const QuizBalance stuck = BalanceOf(OutlineOf(
        QuestionXml("1001", "q", {{"lost", "9999"}, {End("B"), "0"}, {"on", "1002"}}) +
        QuestionXml("1002", "q", {{End("A"), "0"}, {End("B"), "0"}, {"on", "1003"}}) + Q("1003", {"9999"})));
    EXPECT_EQ(Shares(stuck), "B 0.666666667; A 0.166666667; never 0.166666667");
    EXPECT_EQ(stuck.stuck, stuck.neverEnds);
    // Two answers to one question count twice; of two questions 1002 the
    // later is kept, as the application keeps it: A = 1/3 + 2/3 * 1/2 * A.
    EXPECT_EQ(Shares(BalanceOf(OutlineOf(
                  QuestionXml("1001", "q", {{"a", "1002"}, {"b", "1002"}, {End("A"), "0"}}) +
                  QuestionXml("1002", "q", {{End("X"), "0"}}) +
                  QuestionXml("1002", "q", {{End("Y"), "0"}, {"back", "1001"}})))),
              "A 0.500000000; Y 0.500000000; never 0.000000000");
}

TEST(Balance, ThoseWhoNeverEndAreCountedByTheReasonThatHoldsThem)
{
    // 1002 and 1003 loop with no end, but 1003 leads on to 1004, which has
    // no answers: everyone in the loop leaves it and is stuck at 1004.
    const QuizBalance through = BalanceOf(OutlineOf(
        QuestionXml("1001", "q", {{"on", "1002"}, {End("A"), "0"}}) + Q("1002", {"1003"}) +
        Q("1003", {"1002", "1004"}) + QuestionXml("1004", "q", {})));
    EXPECT_EQ(Shares(through), "A 0.500000000; never 0.500000000");
    EXPECT_EQ(through.stuck, 0.5);
    EXPECT_EQ(through.caughtInLoop, 0);
    // A loop with no way out at all.
    const QuizBalance loop = BalanceOf(OutlineOf(QuestionXml("1001", "q", {{"in", "1002"}, {End("A"), "0"}}) +
                                                 Q("1002", {"1003"}) + Q("1003", {"1002", "9999"})));
    EXPECT_EQ(loop.caughtInLoop, 0.5);
    EXPECT_EQ(loop.stuck, 0);
    EXPECT_FALSE(loop.cannotStart);
    // No entry question: nobody ever ends, since nobody starts.
    const QuizBalance unplayable = BalanceOf(OutlineOf(QuestionXml("2000", "q", {{End("A"), "0"}})));
    EXPECT_EQ(Shares(unplayable), "A 0.000000000; never 1.000000000");
    EXPECT_TRUE(unplayable.cannotStart);
    EXPECT_EQ(unplayable.caughtInLoop + unplayable.stuck, 0);
}

TEST(Balance, DenseCoresAreSolvedExactlyToDoublePrecision)
{
    const QuizBalance core = BalanceOf(EarlyOrCore());
    EXPECT_TRUE(core.Exact());
    EXPECT_EQ(core.errorBound, 0);
    EXPECT_NEAR(ShareOf(core, "Early"), 1.0 / 2, 1e-15);
    EXPECT_NEAR(ShareOf(core, "R1"), 1.0 / 7, 1e-15);
    for (const char* other : {"R2", "R3", "R4", "R5", "R6"})
        EXPECT_NEAR(ShareOf(core, other), 1.0 / 14, 1e-15) << other;
    // Every player ends at R, however rarely the way out is taken: a
    // thousand questions of 20 random answers each (left once in some
    // 20,000 answers), five thousand of three.
    for (const auto& [questions, answers] : {std::pair<size_t, size_t>{1000, 20}, {5000, 3}})
    {
        const QuizBalance dense = BalanceOf(OneWayOut(questions, answers));
        ASSERT_EQ(dense.results.size(), 1u);
        EXPECT_NEAR(dense.results[0].share, 1, 1e-13) << questions;
        EXPECT_TRUE(dense.Exact()) << questions;
        EXPECT_NEAR(dense.neverEnds, 0, 1e-13) << questions;
    }
}

TEST(Balance, BeyondTheDirectBudgetSharesAreIteratedAndKeepTheirBound)
{
    // No budget for factorising: the core is iterated, given few steps or
    // enough. Early comes before the core and stays exact.
    const double exact[] = {1.0 / 7, 1.0 / 14, 1.0 / 14, 1.0 / 14, 1.0 / 14, 1.0 / 14};
    for (const double steps : {2.0, 1e6})
    {
        const QuizBalance balance = BalanceOf(EarlyOrCore(), SolverBudget{0, steps * 100});
        EXPECT_FALSE(balance.Exact());
        EXPECT_GT(balance.errorBound, 0);
        for (const ResultShare& share : balance.results)
        {
            if (share.result == "Early")
            {
                EXPECT_TRUE(share.exact);
                EXPECT_EQ(share.share, 0.5);
                continue;
            }
            EXPECT_FALSE(share.exact) << share.result;
            const double truth = exact[share.result.Mid(1).GetChar(0).GetValue() - '1'];
            EXPECT_LE(std::fabs(share.share - truth), balance.errorBound) << share.result << " " << steps;
        }
        if (steps > 100)
            EXPECT_LT(balance.errorBound, 1e-15);
        else
            EXPECT_GT(balance.errorBound, 1e-6);  // a bound that had something to bound
        // The editor's list marks them too.
        const std::vector<wxString> rows = BalanceRows(balance);
        EXPECT_EQ(rows.front(), "50.0 %  Early");
        EXPECT_TRUE(rows.back().StartsWith(wxString::FromUTF8("≈ "))) << rows.back();
    }
    // A core left rarely, where the rounding of every step adds up over the
    // players' many rounds: the bound takes that in too.
    const QuizBalance rare = BalanceOf(OneWayOut(1000, 20), SolverBudget{0, 1.5e8});
    ASSERT_EQ(rare.results.size(), 1u);
    EXPECT_FALSE(rare.results[0].exact);
    EXPECT_LE(std::fabs(rare.results[0].share - 1), rare.errorBound);
    EXPECT_LT(rare.errorBound, 1e-12);
}

TEST(Balance, DenselyLinkedQuizGivesTheSameSharesInAnyOrder)
{
    // 1,500 questions linked at random with few endings: too dense to be
    // eliminated, so its core is factorised. Listing the questions in
    // another order changes both the elimination and the factorisation's
    // order, not the answer.
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
    EXPECT_TRUE(one.Exact());
    EXPECT_EQ(Shares(one), Shares(other));
    double total = one.neverEnds;
    for (const ResultShare& result : one.results)
        total += result.share;
    EXPECT_NEAR(total, 1, 1e-9);
}
