// The quiz editor on a large quiz, in the real main window: opening the
// editor, and an edit typed into the form until the main window and the
// outline show it, as processor time of the window's thread (what a user
// waits for; the check and the map run on threads of their own); then what
// the window's thread spends showing the check's result (findings, figures,
// balance) and how long after the edit that comes; against the base of
// reading the same quiz from its file's bytes, measured in the same run. Then the window's Save against the writer's own Save of
// the same tree to a file. Needs an X display.
// Run: editor_bench [--questions=N] [--rounds=N]
#include "../quiz/bench_quiz.h"
#include "app/resources.h"
#include "quiz/question_table.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_progress.h"
#include "ui/main_frame.h"
#include "ui/quiz_editor.h"
#include "widgets/xml_document_ex.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{

class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

double ThreadMs()
{
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

double WallMs()
{
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The window's thread's time for `work` and the events it left to handle
// (redrawing included).
double GuiThreadMs(const std::function<void()>& work)
{
    const double start = ThreadMs();
    work();
    wxTheApp->ProcessPendingEvents();
    wxYield();
    return ThreadMs() - start;
}

} // namespace

int main(int argc, char** argv)
{
    const RatioOptions options = ParseRatioOptions(argc, argv);
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "editor_bench: no display\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    delete wxLog::SetActiveTarget(new wxLogStderr);  // no message boxes
    wxInitAllImageHandlers();
    Resources::SetDir(wxS(MINDPRISM_RUNTIME_DIR));

    const std::string xml = MakeQuiz(options.questions);
    const wxString path = wxFileName::CreateTempFileName(wxFileName::GetTempDir() + wxS("/mindprism-editor"));
    std::ofstream(path.fn_str(), std::ios::binary) << xml;
    std::printf("Quiz of %d questions, %.1f MB, %d rounds\n", options.questions, xml.size() / 1e6,
                options.rounds);

    auto* frame = new MindprismFrame(nullptr, wxID_ANY);
    frame->Show();
    wxYield();
    if (!frame->OpenQuiz(path))
        return 1;
    wxYield();

    const double open = GuiThreadMs([&] { frame->ShowEditor(true); });
    QuizEditorPane& editor = frame->Editor();
    std::vector<double> bytes, text, id, balance, saves, writer, saveWall, writerWall;
    std::vector<double> textChecked, idChecked, textCheckedWall, idCheckedWall;
    QuizSession& session = frame->Session();
    // The check's result shown: the window's thread's share, and the wall
    // time from `start` (the edit) to it.
    const auto checked = [&](double start, std::vector<double>& thread, std::vector<double>& wall) {
        thread.push_back(GuiThreadMs([&] { session.FinishChecking(); }));
        wall.push_back(WallMs() - start);
    };
    for (int round = 0; round < options.rounds; ++round)
    {
        bytes.push_back(GuiThreadMs([&] {
            QuestionTable table;
            QuizFileCheck check;
            QuizOutline outline;
            LoadCheckedQuizBytes(xml.data(), xml.size(), path, table, check, &outline);
            QuizProgressMap progress(table);
        }));
        // The question on screen, so that the main window redraws it too.
        double start = WallMs();
        text.push_back(GuiThreadMs([&] {
            editor.TextField()->ChangeValue(wxString::Format("Edited %d", round));
            editor.CommitTyping();
        }));
        checked(start, textChecked, textCheckedWall);
        // Worked out a moment after an edit; here at once, on its own.
        balance.push_back(GuiThreadMs([&] { editor.ShowBalanceNow(); }));
        // A question in the middle, which a thousand others may lead to.
        const wxString middle = wxString::Format("%d", 1001 + options.questions / 2);
        editor.SelectQuestion(round % 2 ? wxS("x") + middle : middle);
        start = WallMs();
        id.push_back(GuiThreadMs([&] {
            editor.IdField()->ChangeValue(round % 2 ? middle : wxS("x") + middle);
            editor.CommitTyping();
        }));
        checked(start, idChecked, idCheckedWall);
        editor.ShowBalanceNow();
        editor.SelectQuestion(wxS("1001"));
        wxString error;
        double wall = WallMs();
        saves.push_back(GuiThreadMs([&] { frame->SaveQuiz(); }));
        saveWall.push_back(WallMs() - wall);
        wall = WallMs();
        writer.push_back(GuiThreadMs([&] {
            wxXmlDocumentEx document;
            document.Load(path);
            wall = WallMs();  // the load is not the writer's
            document.Save(path + wxS(".writer"), 1);
        }));
        writerWall.push_back(WallMs() - wall);
    }
    const double base = Median(bytes);
    std::printf("Window thread, processor time (medians):\n");
    std::printf("  read the quiz from its bytes (base)       %8.1f ms\n", base);
    std::printf("  open the editor                           %8.1f ms  %5.2f x base\n", open,
                open / base);
    std::printf("  edit the question text, shown             %8.1f ms  %5.2f x base (goal: under 50 ms)\n",
                Median(text), Median(text) / base);
    std::printf("    then its check's result shown           %8.1f ms  %5.2f x base\n",
                Median(textChecked), Median(textChecked) / base);
    std::printf("  change its ID (every target retargeted)   %8.1f ms  %5.2f x base\n", Median(id),
                Median(id) / base);
    std::printf("    then its check's result shown           %8.1f ms  %5.2f x base\n",
                Median(idChecked), Median(idChecked) / base);
    std::printf("  then the balance of results               %8.1f ms  %5.2f x base\n",
                Median(balance), Median(balance) / base);
    std::printf("Wall time from the edit to its check's result shown (medians):\n");
    std::printf("  question text %8.1f ms, ID %8.1f ms\n", Median(textCheckedWall), Median(idCheckedWall));
    std::printf("Saving, wall time (medians):\n");
    std::printf("  the writer's own Save to a file (base)    %8.1f ms\n", Median(writerWall));
    std::printf("  File > Save (new file, renamed over)      %8.1f ms  %5.2f x base\n",
                Median(saveWall), Median(saveWall) / Median(writerWall));

    frame->Editor().TextField()->ChangeValue(wxString());
    delete frame;
    wxRemoveFile(path);
    wxRemoveFile(path + wxS(".writer"));
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
