// Test main for window tests: starts the toolkit (an X display is needed),
// keeps settings away from the user's own, and turns failed assertions and
// unexpected modal dialogs into test failures instead of message boxes.
#include "gui_test.h"
#include "test_support.h"

#include "app/resources.h"

#include <wx/app.h>
#include <wx/config.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
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

std::string g_configDir;

} // namespace

wxString TestConfigDir()
{
    return wxString::FromUTF8(g_configDir.c_str());
}

wxString TestConfigFile()
{
    return TestConfigDir() + wxS("/Mindprism.conf");
}

void ResetConfig()
{
    delete wxConfigBase::Set(nullptr);
    wxConfigBase::DontCreateOnDemand();
    wxConfigBase::Set(wxConfigBase::Create());
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

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    char pattern[] = "/tmp/mindprism-config-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    g_configDir = pattern;
    setenv("XDG_CONFIG_HOME", pattern, 1);

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "cannot start the toolkit: is an X display (DISPLAY) available?\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    wxSetAssertHandler(FailOnAssert);
    auto hook = std::make_unique<UnexpectedDialogHook>();
    hook->Register();

    wxTheApp->SetVendorName(wxS("Larkspan"));
    wxTheApp->SetAppName(wxS("Mindprism"));
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    wxInitAllImageHandlers();
    Resources::SetDir(RuntimeDir());

    const int result = RUN_ALL_TESTS();

    hook->Unregister();
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::filesystem::remove_all(g_configDir);
    return result;
}
