// The command line on POSIX systems: file names are bytes, and the
// environment names the language.
#include "checker_language.h"
#include "command_line.h"

#include <wx/strconv.h>
#include <wx/utils.h>

namespace
{

// Names that are not UTF-8 are mapped to private characters and back, so
// that every name given opens the file it names.
wxMBConvUTF8 g_fileNames(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);

} // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

wxString FileNameFromArgument(const std::string& argument)
{
    // The way back to bytes, when the file is opened.
    wxConvFileName = &g_fileNames;
    return wxString(argument.c_str(), g_fileNames);
}

void PrepareOutput()
{
}

std::vector<wxString> RequestedLanguages()
{
    return LanguagesFromEnvironment([](const char* name) {
        wxString value;
        wxGetEnv(name, &value);
        return value;
    });
}
