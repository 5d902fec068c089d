// Command lines as Windows programs split them: double quotes group,
// backslashes are literal except before a quote.
#include "widgets/command_split.h"

#include <wx/cmdline.h>

wxArrayString SplitOpenCommand(const wxString& command)
{
    return wxCmdLineParser::ConvertStringToArgs(command, wxCMD_LINE_SPLIT_DOS);
}
