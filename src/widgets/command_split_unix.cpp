// Command lines as a POSIX shell splits them: quotes and backslashes. A
// program started from an argument array gets each argument as it is.
#include "widgets/command_split.h"

#include <wx/cmdline.h>

#include <vector>

wxArrayString SplitOpenCommand(const wxString& command)
{
    return wxCmdLineParser::ConvertStringToArgs(command, wxCMD_LINE_SPLIT_UNIX);
}

long StartProgram(const wxArrayString& arguments, int flags)
{
    std::vector<const wchar_t*> argv;
    for (const wxString& argument : arguments)
        argv.push_back(argument.wc_str());
    argv.push_back(nullptr);
    return wxExecute(argv.data(), flags);
}
