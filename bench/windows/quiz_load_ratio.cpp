// The quiz load against the toolkit's bare XML load of the same file, timed
// in one process (under Wine, where Google Benchmark is not built). Prints
// the median of each and their ratio.
// Run: quiz_load_ratio [QUESTIONS]   (default 20000)
#include "quiz/question_table.h"
#include "quiz/quiz_file.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/stopwatch.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{

// A quiz where every question leads to the next, to the one after, or ends.
std::string ChainQuiz(int questions)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<questions>\n";
    for (int k = 0; k < questions; ++k)
    {
        const std::string id = std::to_string(1001 + k);
        xml += "<QUESTION><ID>" + id + "</ID><Q>第 " + id + " 题：你最想做的第一件事是什么？</Q>";
        for (int step : {1, 2, 0})
        {
            const std::string to = step && k + step < questions ? std::to_string(1001 + k + step)
                                                               : std::string("0");
            xml += "<ANSWER><A>约上朋友出门吃早午餐 (" + to + ")</A><GOTO>" + to + "</GOTO></ANSWER>";
        }
        xml += "</QUESTION>\n";
    }
    return xml + "</questions>\n";
}

double MedianMs(const std::function<void()>& load, int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i)
    {
        wxStopWatch watch;
        load();
        times.push_back(watch.TimeInMicro().ToDouble() / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    const int questions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    const wxString path = wxFileName::CreateTempFileName(wxS("mindprism-bench"));
    const std::string xml = ChainQuiz(questions);
    wxFFile(path, "wb").Write(xml.data(), xml.size());

    const double bare = MedianMs([&] {
        wxXmlDocument document;
        document.Load(path, wxS("UTF-8"), 0);
    }, 5);
    const double quiz = MedianMs([&] {
        wxXmlDocument document;
        QuestionTable table;
        LoadQuiz(document, path, table);
    }, 5);
    wxRemoveFile(path);

    std::printf("Quiz of %d questions, %.1f MB\n", questions, xml.size() / 1e6);
    std::printf("  bare document load %8.1f ms\n  LoadQuiz           %8.1f ms\n", bare, quiz);
    std::printf("  LoadQuiz / bare document load: %.2f\n", quiz / bare);
    return 0;
}
