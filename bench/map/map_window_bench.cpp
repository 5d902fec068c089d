// Times the quiz map window on generated quizzes (see layered_quiz.h) of 20,
// 300 and 1,000 questions: from the command that opens it to the map drawn,
// and the longest time the event loop was held up meanwhile (the command
// itself, or one turn of the loop: handling the laid-out map, drawing it),
// then the time to draw the whole map at once (Fit). Then it opens the map
// again and presses Next ten times, one press every 0.4 s from the command
// on, so that the first presses meet the layout under way: the slowest
// press (from the press to the map window drawn) and the longest the loop
// was held up. Each size is measured on a quiet machine and with a busy loop
// keeping one core busy (another program, as a user's machine may have).
// Needs an X display.
// Run: map_window_bench [--questions=20,300,1000] [--busy=both|no|yes]
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
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A shell busy loop on the side, ended with the object (and by itself after
// five minutes, should the benchmark die first).
class BusyLoop
{
public:
    BusyLoop()
    {
        m_pid = fork();
        if (m_pid == 0)
        {
            execlp("timeout", "timeout", "300", "sh", "-c", "while :; do :; done", static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~BusyLoop()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    BusyLoop(const BusyLoop&) = delete;
    BusyLoop& operator=(const BusyLoop&) = delete;

private:
    pid_t m_pid = -1;
};

// One turn of the event loop; returns how long it took.
double Turn()
{
    const Clock::time_point turn = Clock::now();
    wxTheApp->ProcessPendingEvents();
    wxYield();
    return Since(turn);
}

bool MapDrawn(QuizMapLink& link)
{
    QuizMapCanvas* canvas = link.Window()->Canvas();
    if (!link.Map() || canvas->Map() != link.Map())
        return false;
    canvas->Refresh();
    canvas->Update();
    return true;
}

struct Figures
{
    double drawn = 0;    // seconds from the command to the map drawn
    double blocked = 0;  // longest the event loop was held up meanwhile
    double fit = 0;      // the whole map drawn at once (Fit)
    double press = 0;    // the slowest of ten Next presses
    double first = 0;    // the first press, while the layout is under way
    double pressBlocked = 0;  // longest the event loop was held up meanwhile
};

// Opens the map and waits for it to be drawn.
bool OpenAndDraw(QuizMapLink& link, Figures& figures)
{
    const Clock::time_point start = Clock::now();
    link.Open();
    figures.blocked = Since(start);
    for (;;)
    {
        const Clock::time_point turn = Clock::now();
        Turn();
        const bool arrived = MapDrawn(link);
        figures.blocked = std::max(figures.blocked, Since(turn));
        if (arrived)
            break;
        if (Since(start) > 120 || (!link.LayingOut() && !link.Map()))
            return false;
    }
    figures.drawn = Since(start);
    QuizMapCanvas* canvas = link.Window()->Canvas();
    const Clock::time_point fit = Clock::now();
    canvas->Fit();
    canvas->Update();
    figures.fit = Since(fit);
    return true;
}

// Opens the map and presses Next ten times while it lays out and after.
bool PressNext(QuizMapLink& link, QuizSession& session, Figures& figures)
{
    const Clock::time_point start = Clock::now();
    link.Open();
    figures.pressBlocked = Since(start);
    for (int press = 0; press < 10; ++press)
    {
        while (Since(start) < 0.4 * (press + 1))
            figures.pressBlocked = std::max(figures.pressBlocked, Turn());
        const Clock::time_point pressed = Clock::now();
        // The session tells the map, as it tells the main window.
        if (session.Next(0).kind != QuizNavigator::Step::Moved)
            session.Reset();
        link.Window()->Canvas()->Update();
        const double took = Since(pressed);
        figures.press = std::max(figures.press, took);
        if (press == 0)
            figures.first = took;
        figures.pressBlocked = std::max(figures.pressBlocked, took);
    }
    while (link.LayingOut() && Since(start) < 120)
        figures.pressBlocked = std::max(figures.pressBlocked, Turn());
    return link.Map() != nullptr;
}

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
        ok = OpenAndDraw(link, figures);
        link.Window()->Destroy();
    }
    wxYield();
    if (ok)
    {
        QuizMapLink link(owner, session);
        ok = PressNext(link, session, figures);
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
    std::vector<bool> busy{false, true};
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--questions=", 12) == 0)
        {
            sizes.clear();
            std::istringstream list(argv[i] + 12);
            for (std::string size; std::getline(list, size, ',');)
                sizes.push_back(std::atoi(size.c_str()));
        }
        else if (std::strcmp(argv[i], "--busy=no") == 0)
            busy = {false};
        else if (std::strcmp(argv[i], "--busy=yes") == 0)
            busy = {true};
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "map_window_bench: no display\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    int status = 0;
    for (const bool loaded : busy)
        for (const int questions : sizes)
        {
            Figures figures;
            bool ok = false;
            {
                std::unique_ptr<BusyLoop> other = loaded ? std::make_unique<BusyLoop>() : nullptr;
                ok = Measure(questions, figures);
            }
            const char* const machine = loaded ? "busy core" : "quiet";
            if (!ok)
            {
                std::fprintf(stderr, "map_window_bench: no map for %d questions (%s)\n", questions, machine);
                status = 1;
                continue;
            }
            std::printf("%5d questions, %-9s: map drawn %7.3f s after the command; event loop held up at most "
                        "%7.1f ms; Fit drawn in %6.1f ms\n",
                        questions, machine, figures.drawn, figures.blocked * 1000, figures.fit * 1000);
            std::printf("%5d questions, %-9s: ten Next presses from the command on: first %7.1f ms, slowest "
                        "%7.1f ms; event loop held up at most %7.1f ms\n",
                        questions, machine, figures.first * 1000, figures.press * 1000,
                        figures.pressBlocked * 1000);
            std::fflush(stdout);
        }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
