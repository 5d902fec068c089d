// Quiz engine benchmarks. Each figure is compared with a baseline measured in
// the same run: loading against the toolkit's bare document load of the same
// file, a switch against a load, lookups in tables of different sizes, and
// navigation steps at the start of a large quiz against the same deep in it.
// Run: quiz_bench [--questions=N] [benchmark flags]
#include "bench_quiz.h"
#include "quiz/navigator.h"
#include "quiz/quiz_session.h"
#include "quiz/quiz_file.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/xml/xml.h>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace
{

int g_questions = 100000;
wxString g_quizPath;

std::string g_self;  // this program, started afresh for each measured load

// Loads the quiz once the way `mode` says ("bare", "quiz" or "none").
void LoadOnce(const std::string& mode)
{
    wxXmlDocument document;
    QuestionTable table;
    if (mode == "bare")
        document.Load(g_quizPath, wxS("UTF-8"), 0);
    else if (mode == "quiz")
        LoadQuiz(document, g_quizPath, table);
}

struct FreshLoad
{
    double milliseconds = -1;
    double peakKiB = -1;
};

// One load in a fresh process, as the application does it at start: in a
// process that already loaded and freed a quiz, the allocator's state
// favours whichever load runs later.
FreshLoad LoadInFreshProcess(const std::string& mode)
{
    const std::string command =
        "'" + g_self + "' --once=" + mode + " '" + std::string(g_quizPath.utf8_str()) + "'";
    FreshLoad result;
    if (FILE* pipe = popen(command.c_str(), "r"))
    {
        if (std::fscanf(pipe, "%lf %lf", &result.milliseconds, &result.peakKiB) != 2)
            result = FreshLoad();
        pclose(pipe);
    }
    return result;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// Bare document loads against quiz loads, alternating, in fresh processes.
void CompareFreshLoads(int rounds)
{
    std::map<std::string, std::vector<double>> times;
    std::map<std::string, double> peaks;
    for (int round = 0; round < rounds; ++round)
    {
        for (const char* mode : {"bare", "quiz", "none"})
        {
            const FreshLoad load = LoadInFreshProcess(mode);
            times[mode].push_back(load.milliseconds);
            peaks[mode] = load.peakKiB;
        }
    }
    const double bare = Median(times["bare"]);
    const double quiz = Median(times["quiz"]);
    std::printf("\nOne load in a fresh process (median of %d):\n", rounds);
    std::printf("  bare document load %8.0f ms, peak %6.0f MiB\n", bare,
                (peaks["bare"] - peaks["none"]) / 1024);
    std::printf("  LoadQuiz           %8.0f ms, peak %6.0f MiB\n", quiz,
                (peaks["quiz"] - peaks["none"]) / 1024);
    std::printf("  %-44s %6.2f   (goal: at most 1.3)\n", "LoadQuiz / bare document load",
                quiz / bare);
}

// Repeated in one process, both loads are timed with the release of what
// they built, as a switch to another quiz releases the one before.
void BareLoad(benchmark::State& state)
{
    for (auto _ : state)
    {
        wxXmlDocument document;
        benchmark::DoNotOptimize(document.Load(g_quizPath, wxS("UTF-8"), 0));
    }
}

void LoadWholeQuiz(benchmark::State& state)
{
    for (auto _ : state)
    {
        wxXmlDocument document;
        QuestionTable table;
        if (!LoadQuiz(document, g_quizPath, table) ||
            table.size() != static_cast<size_t>(g_questions))
            state.SkipWithError("quiz not loaded");
    }
}

// A load while the document still holds the previous quiz, as in the
// application: the toolkit keeps the old tree until the new one is parsed.
void ReloadQuiz(benchmark::State& state)
{
    wxXmlDocument document;
    auto table = std::make_unique<QuestionTable>();
    LoadQuiz(document, g_quizPath, *table);
    for (auto _ : state)
    {
        table = std::make_unique<QuestionTable>();
        if (!LoadQuiz(document, g_quizPath, *table))
            state.SkipWithError("quiz not loaded");
    }
}

// Lookups of random existing IDs in a table of state.range(0) questions.
void FindQuestion(benchmark::State& state)
{
    QuestionTable table;
    const int size = static_cast<int>(state.range(0));
    for (int k = 0; k < size; ++k)
    {
        auto question = std::make_unique<Question>();
        question->id = wxString::Format("%d", 1001 + k);
        table.Store(std::move(question));
    }
    std::mt19937 random(7);
    std::vector<wxString> keys;
    for (int i = 0; i < 4096; ++i)
        keys.push_back(wxString::Format("%d", 1001 + static_cast<int>(random() % size)));
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(table.FindQuestion(keys[i++ & 4095]));
}

// From question number state.range(0) of the big quiz, 1000 steps forward
// with Next and 1000 back with Prev.
void NextAndPrev(benchmark::State& state)
{
    static wxXmlDocument document;
    static QuestionTable table;
    static QuizNavigator navigator;
    static bool loaded = LoadQuiz(document, g_quizPath, table);
    navigator.Play(table);
    if (!loaded)
    {
        state.SkipWithError("quiz not loaded");
        return;
    }
    navigator.Start();
    for (int k = 1; k < state.range(0); ++k)
        navigator.Next(0);
    constexpr int STEPS = 1000;
    for (auto _ : state)
    {
        for (int i = 0; i < STEPS; ++i)
            benchmark::DoNotOptimize(navigator.Next(0));
        for (int i = 0; i < STEPS; ++i)
            benchmark::DoNotOptimize(navigator.Prev());
    }
    state.SetItemsProcessed(state.iterations() * 2 * STEPS);
}

// Switching quizzes: the session reads the file into the built-in quizzes'
// table again and starts it.
void SwitchQuiz(benchmark::State& state)
{
    wxXmlDocument document;
    QuizSession session({QuizEntry{wxS("big"), wxS("big"), wxString(), QuizEnding::MessageBox}},
                        [](const QuizEntry&) { return g_quizPath; }, document);
    session.Switch(0);
    session.Next(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(session.Switch(0));
}

// Collects the results to print ratios after the usual table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            m_times[run.run_name.function_name + (run.run_name.args.empty() ? "" : "/") +
                    run.run_name.args] = run.GetAdjustedRealTime();
    }
    void Ratio(const char* what, const std::string& measured, const std::string& baseline,
               const char* goal)
    {
        if (!m_times.count(measured) || !m_times.count(baseline))
            return;
        std::printf("%-46s %6.2f   (%s)\n", what, m_times[measured] / m_times[baseline], goal);
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    g_self = argv[0];
    if (argc == 3 && std::strncmp(argv[1], "--once=", 7) == 0)
    {
        wxInitializer toolkit;
        g_quizPath = wxString::FromUTF8(argv[2]);
        const auto start = std::chrono::steady_clock::now();
        LoadOnce(argv[1] + 7);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%.1f %ld\n", took.count(), usage.ru_maxrss);
        return 0;
    }
    for (int i = 1; i < argc; ++i)
    {
        if (std::strncmp(argv[i], "--questions=", 12) == 0)
        {
            g_questions = std::atoi(argv[i] + 12);
            for (int j = i; j < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            --i;
        }
    }
    benchmark::Initialize(&argc, argv);
    wxInitializer toolkit;

    g_quizPath = wxFileName::CreateTempFileName(wxS("mindprism-bench"));
    const std::string xml = MakeQuiz(g_questions);
    wxFFile(g_quizPath, "wb").Write(xml.data(), xml.size());
    std::printf("Quiz of %d questions, %.1f MB\n", g_questions, xml.size() / 1e6);

    const std::string n = std::to_string(g_questions);
    benchmark::RegisterBenchmark(("BareLoad/" + n).c_str(), BareLoad)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark(("LoadQuiz/" + n).c_str(), LoadWholeQuiz)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark(("ReloadQuiz/" + n).c_str(), ReloadQuiz)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark(("SwitchQuiz/" + n).c_str(), SwitchQuiz)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("FindQuestion", FindQuestion)
        ->Arg(1000)->Arg(g_questions)->Arg(10 * g_questions);
    const int deep = g_questions * 9 / 10;
    benchmark::RegisterBenchmark("NextAndPrev", NextAndPrev)->Arg(10)->Arg(deep);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (measured / baseline, same run):\n");
    reporter.Ratio("LoadQuiz / bare load, repeated in one process", "LoadQuiz/" + n,
                   "BareLoad/" + n, "goal: at most 1.3");
    reporter.Ratio("SwitchQuiz / ReloadQuiz", "SwitchQuiz/" + n, "ReloadQuiz/" + n,
                   "a switch costs a load: about 1");
    reporter.Ratio("SwitchQuiz / LoadQuiz into an empty document", "SwitchQuiz/" + n,
                   "LoadQuiz/" + n, "two quizzes in memory at the peak");
    const std::string big = std::to_string(10 * g_questions);
    reporter.Ratio(("FindQuestion in " + n + " / in 1000").c_str(), "FindQuestion/" + n,
                   "FindQuestion/1000", "the small table fits in the cache");
    reporter.Ratio(("FindQuestion in " + big + " / in " + n).c_str(), "FindQuestion/" + big,
                   "FindQuestion/" + n, "ten times the entries; a search would cost 10");
    reporter.Ratio(("Next+Prev at question " + std::to_string(deep) + " / at 10").c_str(),
                   "NextAndPrev/" + std::to_string(deep), "NextAndPrev/10",
                   "constant time: about 1");
    CompareFreshLoads(5);
    wxRemoveFile(g_quizPath);
    return 0;
}
