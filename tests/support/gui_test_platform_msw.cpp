// The window tests' platform on Windows: settings in a registry key of the
// process's own, and the stand-in program (stand_in_msw.cpp) registered in
// the registry's classes as the handler of web and mail addresses, web pages
// and mail. Everything is undone at the end. The registrations are the
// user's, not the process's: the build runs window tests one at a time here.
// (A Windows where the user picked a browser in the system's settings opens
// web addresses with that pick, whatever the classes say: these tests are
// meant for Wine and for machines without such a pick.)
#include "gui_test.h"
#include "gui_test_platform.h"

#include <wx/app.h>
#include <wx/string.h>

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace
{

const wchar_t SETTINGS_VENDOR[] = L"Mindprism tests";

std::filesystem::path g_root;  // the private scratch folder
std::wstring g_settingsApp;    // this process's settings key under the vendor's

// One string value set in the registry, and how to undo it.
struct Change
{
    HKEY root;
    std::wstring key, name;
    std::wstring createdKey;  // outermost key that did not exist before, if any
    bool hadValue = false;
    std::wstring oldValue;
};
std::vector<Change> g_changes;

// Sets value `name` of `key` to `value`, creating the keys on the way, and
// remembers what was there.
bool SetValue(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value)
{
    Change change{root, key, name, std::wstring(), false, std::wstring()};
    HKEY handle = nullptr;
    for (size_t end = key.find(L'\\');; end = key.find(L'\\', end + 1))
    {
        const std::wstring prefix = key.substr(0, end);
        DWORD disposition = 0;
        if (handle)
            RegCloseKey(handle);
        if (RegCreateKeyExW(root, prefix.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &handle,
                            &disposition) != ERROR_SUCCESS)
            return false;
        if (disposition == REG_CREATED_NEW_KEY && change.createdKey.empty())
            change.createdKey = prefix;
        if (end == std::wstring::npos)
            break;
    }
    wchar_t old[1024];
    DWORD size = sizeof old, type = 0;
    change.hadValue = RegQueryValueExW(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(old),
                                       &size) == ERROR_SUCCESS && type == REG_SZ;
    if (change.hadValue)
        change.oldValue.assign(old, wcsnlen(old, size / sizeof(wchar_t)));
    const bool set = RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(handle);
    g_changes.push_back(change);
    return set;
}

void UndoChanges()
{
    for (auto change = g_changes.rbegin(); change != g_changes.rend(); ++change)
    {
        if (!change->createdKey.empty())
            RegDeleteTreeW(change->root, change->createdKey.c_str());
        else if (change->hadValue)
            RegSetKeyValueW(change->root, change->key.c_str(), change->name.c_str(), REG_SZ,
                            change->oldValue.c_str(),
                            static_cast<DWORD>((change->oldValue.size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteKeyValueW(change->root, change->key.c_str(), change->name.c_str());
    }
    g_changes.clear();
}

// Registers `standIn` under `classes` (a key of `root` that feeds
// HKEY_CLASSES_ROOT): for web and mail addresses, as the system's shell
// opens them, and for the kinds of document the hyperlink's MIME lookup
// asks for, under extensions and program names of its own.
bool Register(HKEY root, const std::wstring& classes, const std::wstring& standIn)
{
    bool ok = true;
    for (const wchar_t* scheme : {L"http", L"https", L"mailto"})
    {
        ok = ok && SetValue(root, classes + scheme, L"URL Protocol", L"") &&
             SetValue(root, classes + scheme + L"\\shell\\open\\command", L"", L"\"" + standIn + L"\" \"%1\"");
    }
    const struct
    {
        const wchar_t *mimeType, *kind;
    } documents[] = {{L"text/html", L"html"}, {L"message/rfc822", L"mail"}};
    for (const auto& document : documents)
    {
        const std::wstring extension = std::wstring(L".mindprism-test-") + document.kind;
        const std::wstring program = std::wstring(L"MindprismTest.") + document.kind;
        ok = ok && SetValue(root, classes + program + L"\\shell\\open\\command", L"",
                            L"\"" + standIn + L"\" " + document.kind + L" \"%1\"") &&
             SetValue(root, classes + extension, L"", program) &&
             SetValue(root, classes + L"MIME\\Database\\Content Type\\" + document.mimeType, L"Extension",
                      extension);
    }
    return ok;
}

// True if HKEY_CLASSES_ROOT shows what Register() wrote.
bool ClassesShowRegistration()
{
    wchar_t extension[64];
    DWORD size = sizeof extension;
    return RegGetValueW(HKEY_CLASSES_ROOT, L"MIME\\Database\\Content Type\\text/html", L"Extension",
                        RRF_RT_REG_SZ, nullptr, extension, &size) == ERROR_SUCCESS &&
           std::wstring(extension) == L".mindprism-test-html";
}

std::string Utf8(const std::wstring& text)
{
    return std::string(wxString(text).utf8_str());
}

} // namespace

std::string InstallStandIn()
{
    wchar_t temp[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, temp))
        return std::string();
    std::random_device random;
    for (int attempt = 0; attempt < 100 && g_root.empty(); ++attempt)
    {
        wchar_t name[64];
        std::swprintf(name, 64, L"mindprism-gui-test-%08x", random());
        const std::filesystem::path folder = std::filesystem::path(temp) / name;
        if (CreateDirectoryW(folder.c_str(), nullptr))
            g_root = folder;
    }
    if (g_root.empty())
    {
        std::fprintf(stderr, "cannot create a private folder in the temporary folder\n");
        return std::string();
    }
    const std::filesystem::path launches = g_root / L"launches";
    SetEnvironmentVariableW(L"MINDPRISM_STAND_IN_LOG", launches.c_str());

    wchar_t standIn[MAX_PATH];
    if (!GetFullPathNameW(wxString::FromUTF8(MINDPRISM_STAND_IN).wc_str(), MAX_PATH, standIn, nullptr))
        return std::string();
    // Windows lays the user's classes over the machine's; Wine (8) does not,
    // and there the machine's (which Wine's user may change) take them.
    if (!Register(HKEY_CURRENT_USER, L"Software\\Classes\\", standIn) || !ClassesShowRegistration())
    {
        UndoChanges();
        if (!Register(HKEY_LOCAL_MACHINE, L"Software\\Classes\\", standIn) || !ClassesShowRegistration())
        {
            UndoChanges();
            std::fprintf(stderr, "cannot register the stand-in program in the registry's classes\n");
            return std::string();
        }
    }
    return Utf8(launches.wstring());
}

// HKEY_CURRENT_USER\Software\<vendor>\<application> is where the toolkit
// keeps the settings: a vendor name for the tests and an application name
// for this process.
void UsePrivateSettingsStore()
{
    g_settingsApp = L"run-" + std::to_wstring(GetCurrentProcessId());
    wxTheApp->SetVendorName(SETTINGS_VENDOR);
    wxTheApp->SetAppName(g_settingsApp);
}

void RemoveTestPlatform()
{
    UndoChanges();
    if (!g_settingsApp.empty())
    {
        const std::wstring vendor = std::wstring(L"Software\\") + SETTINGS_VENDOR;
        RegDeleteTreeW(HKEY_CURRENT_USER, (vendor + L"\\" + g_settingsApp).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, vendor.c_str());  // only once no other run's key is left
    }
    if (!g_root.empty())
    {
        std::error_code ignored;
        std::filesystem::remove_all(g_root, ignored);
    }
}

bool WaitForStartedProgramsToEnd(int timeoutMs)
{
    const DWORD self = GetCurrentProcessId();
    return WaitFor([self] {
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return false;
        PROCESSENTRY32W entry;
        entry.dwSize = sizeof entry;
        bool childRuns = false;
        for (bool more = Process32FirstW(snapshot, &entry); more && !childRuns;
             more = Process32NextW(snapshot, &entry))
            childRuns = entry.th32ParentProcessID == self && entry.th32ProcessID != self;
        CloseHandle(snapshot);
        return !childRuns;
    }, timeoutMs);
}
