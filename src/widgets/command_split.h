// Open commands: split into their arguments by the rules of this platform's
// shell, and started with each argument handed over exactly as it is.
#pragma once

#include <wx/arrstr.h>
#include <wx/utils.h>

wxArrayString SplitOpenCommand(const wxString& command);

// Starts the program arguments[0] with the other arguments, each arriving
// unchanged; `flags` as for wxExecute. Returns what wxExecute returns.
long StartProgram(const wxArrayString& arguments, int flags = wxEXEC_ASYNC);
