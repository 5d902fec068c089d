// Times the quiz map window on generated quizzes (see layered_quiz.h) of 20,
// 300 and 1,000 questions: from the command that opens it to the map drawn,
// and the longest time the event loop was held up meanwhile (the command
// itself, or one turn of the loop: handling the laid-out map, drawing it),
// and then the time to draw the whole map at once (Fit).
// Needs an X display. Run: map_window_bench [--questions=20,300,1000]
#include "layered_quiz.h"
#include "quiz/quiz_session.h"
#include "ui/quiz_map_link.h"
#include "ui/quiz_map_window.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

struct Figures
{
    double drawn = 0;    // seconds from the command to the map drawn
    double blocked = 0;  // longest the event loop was held up
    double fit = 0;      // the whole map drawn at once (Fit)
};

bool Measure(int questions, Figures& figures)
{
    const wxString path = wxFileName::CreateTempFileName(wxS("map_window_bench"));
    {
        std::ofstream file(std::string(path.utf8_str()), std::ios::binary);
        file << LayeredQuiz(questions, 20);
    }
    // The quiz opened in a session, as the main window opens a file.
    wxXmlDocument document;
    QuizSession session({}, [](const QuizEntry&) { return wxString(); }, document);
    wxString error;
    if (!session.Open(path, error))
        return false;
    wxFrame* owner = new wxFrame(nullptr, wxID_ANY, wxS("owner"), wxPoint(0, 0), wxSize(400, 300));
    owner->Show();
    wxYield();
    bool ok = true;
    {
        QuizMapLink link(owner, session);
        const Clock::time_point start = Clock::now();
        link.Open();
        figures.blocked = Since(start);
        for (;;)
        {
            const Clock::time_point turn = Clock::now();
            wxTheApp->ProcessPendingEvents();
            wxYield();
            QuizMapCanvas* canvas = link.Window()->Canvas();
            const bool arrived = link.Map() && canvas->Map() == link.Map();
            if (arrived)
            {
                canvas->Refresh();
                canvas->Update();
            }
            figures.blocked = std::max(figures.blocked, Since(turn));
            if (arrived)
                break;
            if (Since(start) > 120 || (!link.LayingOut() && !link.Map()))
            {
                ok = false;
                break;
            }
        }
        figures.drawn = Since(start);
        QuizMapCanvas* canvas = link.Window()->Canvas();
        const Clock::time_point fit = Clock::now();
        canvas->Fit();
        canvas->Update();
        figures.fit = Since(fit);
        link.Window()->Destroy();
    }
    owner->Destroy();
    wxYield();
    wxRemoveFile(path);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes{20, 300, 1000};
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--questions=", 12) == 0)
        {
            sizes.clear();
            std::istringstream list(argv[i] + 12);
            for (std::string size; std::getline(list, size, ',');)
                sizes.push_back(std::atoi(size.c_str()));
        }
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "map_window_bench: no display\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    int status = 0;
    for (const int questions : sizes)
    {
        Figures figures;
        if (!Measure(questions, figures))
        {
            std::fprintf(stderr, "map_window_bench: no map for %d questions\n", questions);
            status = 1;
            continue;
        }
        std::printf("%5d questions: map drawn %7.3f s after the command; event loop held up at most %6.1f ms; "
                    "Fit drawn in %6.1f ms\n",
                    questions, figures.drawn, figures.blocked * 1000, figures.fit * 1000);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
