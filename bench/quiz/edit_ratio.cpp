// Editing a large quiz: one edit and the re-reading of the edited tree into
// what the views show (questions, findings, map outline, progress figures),
// against reading the same quiz from its file's bytes; and the editor's
// save (new file, flushed to disk, renamed over the old one) against the
// writer's own Save of the same document to memory and to a file.
// Edits and reading: processor time of the process. Saves: also wall time,
// since waiting for the disk is part of a save. Linux only for now.
// Run: edit_ratio [--questions=N] [--rounds=N]
#include "bench_quiz.h"
#include "quiz/question_table.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_document.h"
#include "quiz/quiz_progress.h"
#include "widgets/xml_document_ex.h"

#include <wx/filename.h>
#include <wx/init.h>
#include <wx/mstream.h>

#include <algorithm>
#include <chrono>
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

struct Times
{
    double cpu;
    double wall;
};

Times Measure(const std::function<bool()>& work)
{
    const auto cpu = [] {
        timespec time{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
        return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
    };
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = cpu();
    if (!work())
    {
        std::fprintf(stderr, "a step failed\n");
        std::exit(1);
    }
    const double cpuEnd = cpu();
    const std::chrono::duration<double, std::milli> wall =
        std::chrono::steady_clock::now() - wallStart;
    return Times{cpuEnd - cpuStart, wall.count()};
}

// What the views need after an edit: the quiz read from the tree with its
// findings and outline, and the progress figures.
bool ReadForViews(const QuizDocument& document)
{
    QuestionTable table;
    QuizFileCheck check;
    QuizOutline outline;
    const bool playable = document.Read(table, check, &outline);
    return playable && QuizProgressMap(table).size() > 0;
}

} // namespace

int main(int argc, char** argv)
{
    const RatioOptions options = ParseRatioOptions(argc, argv);
    const int questions = options.questions;
    const int rounds = options.rounds;
    wxInitializer toolkit;
    const std::string xml = MakeQuiz(questions);
    const wxString folder = wxFileName::GetTempDir();
    const wxString path = wxFileName::CreateTempFileName(folder + wxS("/mindprism-edit"));
    const wxString writerPath = path + wxS(".writer");
    wxString error;
    std::unique_ptr<QuizDocument> document =
        QuizDocument::Open(xml.data(), xml.size(), path, error);
    if (!document)
    {
        std::fprintf(stderr, "%s\n", static_cast<const char*>(error.utf8_str()));
        return 1;
    }
    std::printf("Quiz of %d questions, %.1f MB, %d rounds\n", questions, xml.size() / 1e6, rounds);

    std::map<std::string, std::vector<Times>> times;
    std::vector<std::unique_ptr<QuizEdit>> edits;
    for (int round = 0; round < rounds; ++round)
    {
        const size_t question = size_t(questions / 2 + round);
        times["edit"].push_back(Measure([&] {
            edits.push_back(document->SetAnswerText(question, 1, wxString::Format("edit %d", round)));
            return edits.back() && edits.back()->Do();
        }));
        times["read"].push_back(Measure([&] { return ReadForViews(*document); }));
        times["retarget"].push_back(Measure([&] {
            edits.push_back(document->SetQuestionId(question, wxString::Format("x%d", round)));
            return edits.back() && edits.back()->Do();
        }));
        times["bytes"].push_back(Measure([&] {
            QuestionTable table;
            QuizFileCheck check;
            QuizOutline outline;
            return LoadCheckedQuizBytes(xml.data(), xml.size(), path, table, check, &outline) &&
                   QuizProgressMap(table).size() > 0;
        }));
        times["memory"].push_back(Measure([&] {
            wxMemoryOutputStream stream;
            return document->Xml().Save(stream, 1);
        }));
        times["file"].push_back(Measure([&] { return document->Xml().Save(writerPath, 1); }));
        times["save"].push_back(Measure([&] { return document->Save(path, error); }));
    }
    const auto cpu = [&](const char* name) {
        std::vector<double> values;
        for (const Times& t : times[name])
            values.push_back(t.cpu);
        return Median(values);
    };
    const auto wall = [&](const char* name) {
        std::vector<double> values;
        for (const Times& t : times[name])
            values.push_back(t.wall);
        return Median(values);
    };
    const double bytes = cpu("bytes");
    std::printf("Medians, processor time:\n");
    std::printf("  read from the file's bytes (base)  %8.1f ms\n", bytes);
    std::printf("  edit: change answer text           %8.3f ms\n", cpu("edit"));
    std::printf("  edit: change ID, retargeting       %8.3f ms\n", cpu("retarget"));
    std::printf("  read the edited tree for the views %8.1f ms  %5.2f x base\n", cpu("read"),
                cpu("read") / bytes);
    std::printf("  edit + read (goal: under 100 ms)   %8.1f ms\n", cpu("edit") + cpu("read"));
    const double memory = cpu("memory");
    std::printf("Saving (processor / wall):\n");
    std::printf("  writer to memory (base)            %8.1f / %8.1f ms\n", memory, wall("memory"));
    std::printf("  writer to a file                   %8.1f / %8.1f ms  %5.2f x base (wall)\n",
                cpu("file"), wall("file"), wall("file") / wall("memory"));
    std::printf("  QuizDocument::Save (new, renamed)  %8.1f / %8.1f ms  %5.2f x base (wall)\n",
                cpu("save"), wall("save"), wall("save") / wall("memory"));
    wxRemoveFile(path);
    wxRemoveFile(writerPath);
    return 0;
}
