// Command lines as Windows programs split them: double quotes group,
// backslashes are literal except before a quote. A Windows program gets one
// command line and splits it itself, so the arguments are quoted by those
// rules here: the toolkit's own quoting halves backslashes before a quote.
#include "widgets/command_split.h"

#include <wx/cmdline.h>

namespace
{

// Quotes `argument` so that a program splitting its command line by the
// C runtime's rules gets it back unchanged.
wxString Quoted(const wxString& argument)
{
    if (!argument.empty() && argument.find_first_of(wxS(" \t\n\v\"")) == wxString::npos)
        return argument;
    wxString quoted = wxS("\"");
    size_t backslashes = 0;
    for (const wxUniChar c : argument)
    {
        if (c == wxS('\\'))
        {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled and the quote escaped;
        // elsewhere they are literal.
        quoted.append(c == wxS('"') ? 2 * backslashes + 1 : backslashes, wxS('\\'));
        quoted += c;
        backslashes = 0;
    }
    // Before the closing quote they are doubled too.
    quoted.append(2 * backslashes, wxS('\\'));
    return quoted + wxS("\"");
}

} // namespace

wxArrayString SplitOpenCommand(const wxString& command)
{
    return wxCmdLineParser::ConvertStringToArgs(command, wxCMD_LINE_SPLIT_DOS);
}

long StartProgram(const wxArrayString& arguments, int flags)
{
    // A single command line goes to the system as it is.
    wxString commandLine;
    for (const wxString& argument : arguments)
        commandLine += (commandLine.empty() ? wxString() : wxString(wxS(" "))) + Quoted(argument);
    return wxExecute(commandLine, flags);
}
