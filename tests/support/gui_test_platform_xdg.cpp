// The window tests' platform on Linux: settings and the stand-in's desktop
// entries live in XDG folders inside a private folder under /tmp.
#include "gui_test.h"
#include "gui_test_platform.h"

#include <wx/app.h>
#include <wx/stdpaths.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::string g_root;  // the private folder holding everything below

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
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

// The stand-in is a shell script; desktop entries make it the desktop's
// handler of web and mail addresses, web pages and mail. Each start appends
// one record: every argument followed by a unit separator, then a record
// separator, written at once.
std::string InstallStandIn()
{
    g_root = MakeRootFolder();
    if (g_root.empty())
    {
        std::fprintf(stderr, "cannot create a private folder under /tmp\n");
        return std::string();
    }
    const std::string configDir = g_root + "/config";
    const std::string dataDir = g_root + "/data";
    const std::string standIn = g_root + "/stand-in";
    const std::string launches = g_root + "/launches";
    std::filesystem::create_directories(configDir);
    std::filesystem::create_directories(dataDir + "/applications");
    WriteText(standIn, "#!/bin/sh\n"
                         "record=\n"
                         "for argument in \"$@\"; do record=\"$record$argument$(printf '\\037')\"; done\n"
                         "printf '%s\\036' \"$record\" >> '" + launches + "'\n");
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
    WriteText(configDir + "/mimeapps.list",
              "[Default Applications]\n"
              "x-scheme-handler/http=mindprism-test-browser.desktop\n"
              "x-scheme-handler/https=mindprism-test-browser.desktop\n"
              "x-scheme-handler/mailto=mindprism-test-browser.desktop\n");
    setenv("XDG_CONFIG_HOME", configDir.c_str(), 1);
    setenv("XDG_DATA_HOME", dataDir.c_str(), 1);
    return launches;
}

// The settings file goes to the private XDG_CONFIG_HOME, as the program's
// own goes to the user's.
void UsePrivateSettingsStore()
{
    wxTheApp->SetVendorName(wxS("Larkspan"));
    wxTheApp->SetAppName(wxS("Mindprism"));
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
}

void RemoveTestPlatform()
{
    if (!g_root.empty())
        std::filesystem::remove_all(g_root);
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
