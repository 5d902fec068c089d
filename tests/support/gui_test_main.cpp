// Test main for window tests: starts the toolkit, keeps settings and the
// browser away from the user's own (gui_test_platform.h), and turns failed
// assertions and unexpected modal dialogs into test failures instead of
// message boxes.
#include "gui_test.h"
#include "gui_test_platform.h"
#include "test_support.h"

#include "app/resources.h"

#include <wx/app.h>
#include <wx/config.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace
{

class TestApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

// Consulted last: any modal dialog that reaches it was not expected by a
// wxTEST_DIALOG, and would otherwise wait forever for a user.
class UnexpectedDialogHook : public wxModalDialogHook
{
protected:
    int Enter(wxDialog* dialog) override
    {
        ADD_FAILURE() << "unexpected modal dialog: " << dialog->GetTitle().utf8_str();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "toolkit assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " "
        << msg.utf8_str();
}

std::filesystem::path g_launches;  // file the stand-in program appends its records to

} // namespace

std::vector<Launch> WaitForLaunches(size_t count, int timeoutMs)
{
    std::vector<Launch> launches;
    WaitFor([&] {
        launches.clear();
        std::ifstream in(g_launches, std::ios::binary);
        for (std::string record; std::getline(in, record, '\036');)
        {
            std::istringstream fields(record);
            Launch& launch = launches.emplace_back();
            for (std::string argument; std::getline(fields, argument, '\037');)
                launch.push_back(argument);
        }
        return launches.size() >= count;
    }, timeoutMs);
    return launches;
}

void ForgetLaunches()
{
    std::filesystem::remove(g_launches);
}

void SendCommand(wxWindow* source, wxEventType type, int intValue)
{
    wxCommandEvent event(type, source->GetId());
    event.SetEventObject(source);
    event.SetInt(intValue);
    source->HandleWindowEvent(event);
}

void Settle()
{
    for (int i = 0; i < 3; ++i)
    {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxMilliSleep(10);
    }
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    wxStopWatch watch;
    while (!condition())
    {
        if (watch.Time() > timeoutMs)
            return false;
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxMilliSleep(5);
    }
    return true;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    g_launches = std::filesystem::u8path(InstallStandIn());
    if (g_launches.empty())
    {
        RemoveTestPlatform();
        return 1;
    }

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "cannot start the toolkit: is an X display (DISPLAY) available?\n");
        RemoveTestPlatform();
        return 1;
    }
    wxTheApp->CallOnInit();
    wxSetAssertHandler(FailOnAssert);
    auto hook = std::make_unique<UnexpectedDialogHook>();
    hook->Register();

    UsePrivateSettingsStore();
    wxInitAllImageHandlers();
    Resources::SetDir(RuntimeDir());

    // Yielding dispatches the system's messages only through an active event
    // loop (on Windows; GTK does without): without one, tests waiting for
    // paint or mouse messages would wait in vain.
    int result;
    {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        result = RUN_ALL_TESTS();
    }

    hook->Unregister();
    wxTheApp->OnExit();
    // The store is written out before its place goes.
    delete wxConfigBase::Set(nullptr);
    wxEntryCleanup();
    RemoveTestPlatform();
    return result;
}
