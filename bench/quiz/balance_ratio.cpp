// The balance of results of a large quiz against the analysis the checker
// and the window already run on it (the same quiz read from memory, with its
// findings and outline): processor time of the process, median of rounds.
// Five shapes of quiz: the engine benchmarks' chain quiz (one loop holding
// nearly every question, a quarter of the answers ending), the same with
// every target random and one question in ten ending (a densely linked core
// that leaks slowly), a chain whose every question may send the player back
// to the start (a thin loop that is left once in a great many rounds), and
// two quizzes with one way out among answers to random questions, 20 and 3
// to a question (dense and sparse cores left rarely, which every player
// still leaves: 100 % at the one result).
// Run: balance_ratio [--questions=N] [--rounds=N]
#include "bench_quiz.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"

#include <wx/init.h>

#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace
{

double CpuMilliseconds()
{
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

double MedianTime(int rounds, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round)
    {
        const double start = CpuMilliseconds();
        work();
        times.push_back(CpuMilliseconds() - start);
    }
    return Median(times);
}

std::string Question(int id, const std::vector<std::string>& targets)
{
    std::string xml = "  <QUESTION><ID>" + std::to_string(id) + "</ID><Q>第 " + std::to_string(id) +
                      " 题</Q>";
    for (const std::string& to : targets)
        xml += "<ANSWER><A>答案 → 结果 " + std::to_string(id % 7) + "</A><GOTO>" + to +
               "</GOTO></ANSWER>";
    return xml + "</QUESTION>\n";
}

std::string DenseQuiz(int questions)
{
    std::mt19937 random(42);
    std::string xml = "<questions>\n";
    for (int k = 0; k < questions; ++k)
    {
        std::vector<std::string> targets;
        for (int a = 0; a < 3; ++a)
            targets.push_back(std::to_string(1001 + random() % questions));
        if (k % 10 == 9)
            targets.push_back("0");
        xml += Question(1001 + k, targets);
    }
    return xml + "</questions>\n";
}

// Every question has `answers` answers to random questions; one more, on a
// question in the middle, is the one way out.
std::string OneWayOutQuiz(int questions, int answers)
{
    std::mt19937 random(7);
    std::string xml = "<questions>\n";
    for (int k = 0; k < questions; ++k)
    {
        std::vector<std::string> targets;
        for (int a = 0; a < answers; ++a)
            targets.push_back(std::to_string(1001 + random() % questions));
        if (k == questions / 2)
            targets.push_back("0");
        xml += Question(1001 + k, targets);
    }
    return xml + "</questions>\n";
}

std::string RestartQuiz(int questions)
{
    std::string xml = "<questions>\n";
    for (int k = 0; k < questions; ++k)
        xml += Question(1001 + k, {k + 1 < questions ? std::to_string(1002 + k) : "0", "1001"});
    return xml + "</questions>\n";
}

void Compare(const char* name, const std::string& xml, int rounds)
{
    QuizOutline outline;
    const double analysis = MedianTime(rounds, [&] {
        outline = QuizOutline();
        CheckQuizBytes(xml.data(), xml.size(), wxS("bench.xml"), &outline);
    });
    QuizBalance balance;
    const double took = MedianTime(rounds, [&] { balance = BalanceOf(outline); });
    double total = balance.neverEnds;
    for (const ResultShare& result : balance.results)
        total += result.share;
    char exactness[64] = "exact";
    if (!balance.Exact())
        std::snprintf(exactness, sizeof exactness, "within %.1e %%", 100 * balance.errorBound);
    std::printf("  %-22s analysis %8.1f ms  balance %8.1f ms  %5.2f x analysis  (shares add up to 1 %+.1e; "
                "largest %.4f %%, %s)\n",
                name, analysis, took, took / analysis, total - 1, 100 * balance.results.front().share,
                exactness);
}

} // namespace

int main(int argc, char** argv)
{
    const RatioOptions options = ParseRatioOptions(argc, argv);
    wxInitializer toolkit;
    std::printf("Balance of a quiz of %d questions against its analysis (median of %d):\n",
                options.questions, options.rounds);
    Compare("chain quiz", MakeQuiz(options.questions), options.rounds);
    Compare("densely linked", DenseQuiz(options.questions), options.rounds);
    Compare("restart chain", RestartQuiz(options.questions), options.rounds);
    Compare("one way out, 20 each", OneWayOutQuiz(options.questions, 20), options.rounds);
    Compare("one way out, 3 each", OneWayOutQuiz(options.questions, 3), options.rounds);
    std::printf("  goal: balance well under a second, a fraction of the analysis\n");
    return 0;
}
