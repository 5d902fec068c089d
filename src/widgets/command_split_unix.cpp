// Command lines as a POSIX shell splits them: quotes and backslashes.
#include "widgets/command_split.h"

#include <wx/cmdline.h>

wxArrayString SplitOpenCommand(const wxString& command)
{
    return wxCmdLineParser::ConvertStringToArgs(command, wxCMD_LINE_SPLIT_UNIX);
}
