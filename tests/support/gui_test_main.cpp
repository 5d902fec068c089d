// Test main for window tests: starts the toolkit (an X display is needed),
// keeps settings away from the user's own, and turns failed assertions and
// unexpected modal dialogs into test failures instead of message boxes.
#include "gui_test.h"
#include "test_support.h"

#include "app/resources.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/stdpaths.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

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
std::string g_launches;   // file the stand-in program appends its records to

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

// Installs the stand-in program and makes it the desktop's handler of web
// and mail addresses, web pages and mail. Each start appends one record:
// every argument followed by a unit separator, then a record separator,
// written at once.
void InstallStandInBrowser()
{
    const std::string dataDir = g_root + "/data";
    const std::string standIn = g_root + "/stand-in";
    g_launches = g_root + "/launches";
    std::filesystem::create_directories(dataDir + "/applications");
    WriteText(standIn, "#!/bin/sh\n"
                         "record=\n"
                         "for argument in \"$@\"; do record=\"$record$argument$(printf '\\037')\"; done\n"
                         "printf '%s\\036' \"$record\" >> '" + g_launches + "'\n");
    std::filesystem::permissions(standIn, std::filesystem::perms::owner_all);
    const auto entry = [&](const char* file, const std::string& exec, const char* mimeTypes) {
        WriteText(dataDir + "/applications/" + file,
                  "[Desktop Entry]\nType=Application\nName=Recording stand-in\nNoDisplay=true\n"
                  "Exec=" + exec + "\nMimeType=" + mimeTypes + "\n");
    };
    entry("mindprism-test-browser.desktop", standIn + " %u",
          "x-scheme-handler/http;x-scheme-handler/https;x-scheme-handler/mailto;");
    // What the MIME manager offers for web pages and mail, as browsers and
    // mail programs register themselves; "file://" before the address is
    // what a browser registered for files gets, which the caller must strip.
    entry("mindprism-test-html.desktop", "\"" + standIn + "\" html file://%u", "text/html;");
    entry("mindprism-test-mail.desktop", "\"" + standIn + "\" mail %u", "message/rfc822;");
    WriteText(g_configDir + "/mimeapps.list",
              "[Default Applications]\n"
              "x-scheme-handler/http=mindprism-test-browser.desktop\n"
              "x-scheme-handler/https=mindprism-test-browser.desktop\n"
              "x-scheme-handler/mailto=mindprism-test-browser.desktop\n");
    setenv("XDG_DATA_HOME", dataDir.c_str(), 1);
}

// A new private folder for this process. Its name is in lower case: the
// toolkit's MIME manager lower-cases the commands of the programs it reads
// from desktop entries, so the stand-in's path must survive that.
std::string MakeRootFolder()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        char name[64];
        std::snprintf(name, sizeof name, "/tmp/mindprism-gui-test-%08x", random());
        if (mkdir(name, 0700) == 0)
            return name;
    }
    return std::string();
}

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

bool WaitForStartedProgramsToEnd(int timeoutMs)
{
    const std::string self = std::to_string(getpid());
    return WaitFor([&self] {
        for (const auto& entry : std::filesystem::directory_iterator("/proc"))
        {
            std::ifstream stat(entry.path() / "stat");
            std::string line;
            if (!std::getline(stat, line))
                continue;
            // pid (name) state ppid ...: the name may hold blanks and parentheses.
            std::istringstream rest(line.substr(line.rfind(')') + 1));
            std::string state, parent;
            if (rest >> state >> parent && parent == self && state != "Z")
                return false;  // a child that has not ended (zombies have)
        }
        return true;
    }, timeoutMs);
}

wxString TestConfigFile()
{
    return wxString::FromUTF8(g_configDir + "/Mindprism.conf");
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

    g_root = MakeRootFolder();
    if (g_root.empty())
        return 1;
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
