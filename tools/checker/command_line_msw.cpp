// The command line on Windows: the narrow argv holds the names in the
// system's code page, which cannot spell every name (Chinese ones on a
// Western system), so the wide command line is read instead. The language
// is the user's interface language, as the system's own programs speak it.
#include "checker_language.h"
#include "command_line.h"

#include <wx/uilocale.h>

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

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
    std::vector<wxString> languages;
    for (const wxString& tag : wxUILocale::GetPreferredUILanguages())
        languages.push_back(tag);
    return languages;
}
