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
#include <fstream>
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

std::string g_root;       // temporary folder holding everything below
std::string g_configDir;  // XDG_CONFIG_HOME
std::string g_launches;   // file the stand-in browser appends its arguments to

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

// Makes a recording script the default handler of web and mail addresses,
// so that no test ever starts a real browser or mail program.
void InstallStandInBrowser()
{
    const std::string dataDir = g_root + "/data";
    const std::string script = g_root + "/record-launch";
    g_launches = g_root + "/launches.txt";
    std::filesystem::create_directories(dataDir + "/applications");
    WriteText(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + g_launches + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    WriteText(dataDir + "/applications/mindprism-test-browser.desktop",
              "[Desktop Entry]\nType=Application\nName=Recording browser\nNoDisplay=true\n"
              "Exec=" + script + " %u\n"
              "MimeType=x-scheme-handler/http;x-scheme-handler/https;x-scheme-handler/mailto;\n");
    WriteText(g_configDir + "/mimeapps.list",
              "[Default Applications]\n"
              "x-scheme-handler/http=mindprism-test-browser.desktop\n"
              "x-scheme-handler/https=mindprism-test-browser.desktop\n"
              "x-scheme-handler/mailto=mindprism-test-browser.desktop\n");
    setenv("XDG_DATA_HOME", dataDir.c_str(), 1);
}

} // namespace

std::vector<wxString> WaitForLaunches(size_t count, int timeoutMs)
{
    std::vector<wxString> lines;
    for (int waited = 0;; waited += 20)
    {
        lines.clear();
        std::ifstream in(g_launches);
        for (std::string line; std::getline(in, line);)
            lines.push_back(wxString::FromUTF8(line.c_str()));
        if (lines.size() >= count || waited >= timeoutMs)
            return lines;
        wxTheApp->ProcessPendingEvents();
        wxMilliSleep(20);
    }
}

void ForgetLaunches()
{
    std::filesystem::remove(g_launches);
}

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
    // The next Get() creates the store anew from the file.
    delete wxConfigBase::Set(nullptr);
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

    char pattern[] = "/tmp/mindprism-gui-test-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    g_root = pattern;
    g_configDir = g_root + "/config";
    std::filesystem::create_directories(g_configDir);
    setenv("XDG_CONFIG_HOME", g_configDir.c_str(), 1);
    InstallStandInBrowser();

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
    std::filesystem::remove_all(g_root);
    return result;
}
