// Reloading an opened quiz after the author saved it: reading the file, the
// checker's findings, the progress figures and carrying the player's place
// over, against the toolkit's bare load of the same file in the same run.
// The window's redrawing is not included: it shows one question. Freeing
// the old version's records comes after the new question is on screen, so
// it is timed apart (and in the total).
// Times are processor time of the process. Linux only for now.
// Run: reload_ratio [--questions=N] [--rounds=N]
#include "bench_quiz.h"
#include "quiz/quiz_session.h"
#include "quiz/question_table.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_progress.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace
{

// The processor time the work took, in milliseconds: on a machine shared
// with other jobs, waiting for a core is not the work's cost.
double Milliseconds(const std::function<bool()>& work)
{
    const auto now = [] {
        timespec time{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
        return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
    };
    const double start = now();
    if (!work())
    {
        std::fprintf(stderr, "a load failed\n");
        std::exit(1);
    }
    return now() - start;
}

} // namespace

int main(int argc, char** argv)
{
    const RatioOptions options = ParseRatioOptions(argc, argv);
    const int questions = options.questions;
    const int rounds = options.rounds;
    wxInitializer toolkit;
    const wxString path = wxFileName::CreateTempFileName(wxS("mindprism-reload"));
    const std::string xml = MakeQuiz(questions);
    wxFFile(path, "wb").Write(xml.data(), xml.size());
    std::printf("Quiz of %d questions, %.1f MB, %d rounds\n", questions, xml.size() / 1e6, rounds);

    // The toolkit's bare load keeps its document from one round to the
    // next, as the session keeps its table: each load also frees what the
    // one before left.
    wxXmlDocument bareDocument;
    wxXmlDocument builtInDocument;
    QuizSession session({}, [](const QuizEntry&) { return wxString(); }, builtInDocument);
    wxString error;
    if (!session.Open(path, error))
    {
        std::fprintf(stderr, "%s\n", static_cast<const char*>(error.utf8_str()));
        return 1;
    }
    for (int k = 0; k < questions / 2; ++k)
        session.Next(0);

    std::map<std::string, std::vector<double>> times;
    for (int round = 0; round < rounds; ++round)
    {
        // A save: new content, so that the session reads it as a new version.
        const std::string saved = xml + "<!-- save " + std::to_string(round) + " -->";
        wxFFile(path, "wb").Write(saved.data(), saved.size());
        times["bare"].push_back(
            Milliseconds([&] { return bareDocument.Load(path, wxS("UTF-8"), 0); }));
        times["reload"].push_back(Milliseconds([&] {
            session.FileChanged();
            return session.Opened()->state == OpenedQuiz::FileState::Read &&
                   session.Progress() != nullptr;
        }));
        // After the window has shown the new question.
        times["release"].push_back(Milliseconds([&] {
            session.ReleaseDisplaced();
            return true;
        }));
        // Its parts, on their own.
        QuestionTable table;
        QuizFileCheck check;
        times["checked"].push_back(
            Milliseconds([&] { return LoadCheckedQuiz(path, table, check); }));
        times["progress"].push_back(Milliseconds([&] { return QuizProgressMap(table).size() > 0; }));
        times["check file"].push_back(
            Milliseconds([&] { return CheckQuizFile(path).summary.has_value(); }));
    }
    const double bare = Median(times["bare"]);
    std::printf("Medians:\n");
    std::printf("  wxXmlDocument::Load (bare)         %8.1f ms\n", bare);
    std::printf("  QuizSession::FileChanged          %8.1f ms  %5.2f x bare  (goal: at most 1.5)\n",
                Median(times["reload"]), Median(times["reload"]) / bare);
    std::vector<double> total;
    for (size_t i = 0; i < times["reload"].size(); ++i)
        total.push_back(times["reload"][i] + times["release"][i]);
    std::printf("  then ReleaseDisplaced              %8.1f ms\n", Median(times["release"]));
    std::printf("  Reload + ReleaseDisplaced          %8.1f ms  %5.2f x bare\n", Median(total),
                Median(total) / bare);
    std::printf("    of which LoadCheckedQuiz         %8.1f ms  %5.2f x bare\n",
                Median(times["checked"]), Median(times["checked"]) / bare);
    std::printf("    of which QuizProgressMap         %8.1f ms  %5.2f x bare\n",
                Median(times["progress"]), Median(times["progress"]) / bare);
    std::printf("  CheckQuizFile alone (a 2nd read)   %8.1f ms  %5.2f x bare\n",
                Median(times["check file"]), Median(times["check file"]) / bare);
    wxRemoveFile(path);
    return 0;
}
