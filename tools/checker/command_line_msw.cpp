// The command line on Windows: the narrow argv holds the names in the
// system's code page, which cannot spell every name (Chinese ones on a
// Western system), so the wide command line is read instead. The language
// is the user's interface language, as the system's own programs speak it.
#include "checker_language.h"
#include "command_line.h"


#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>

std::vector<std::string> CommandLineArguments(int, char**)
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(std::string(wxString(wide[i]).utf8_str()));
    LocalFree(wide);
    return arguments;
}

wxString FileNameFromArgument(const std::string& argument)
{
    return wxString::FromUTF8(argument.c_str(), argument.size());
}

void PrepareOutput()
{
    // The same bytes as elsewhere, line ends included; a console shows them
    // as UTF-8.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

std::vector<wxString> RequestedLanguages()
{
    // Asked of the system itself: the toolkit's list of them comes back
    // empty under Wine.
    std::vector<wxString> languages;
    ULONG count = 0;
    ULONG size = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return languages;
    std::vector<wchar_t> names(size);
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size))
        return languages;
    // "zh-CN\0en-US\0\0"
    for (const wchar_t* name = names.data(); *name; name += wcslen(name) + 1)
        languages.push_back(name);
    return languages;
}
