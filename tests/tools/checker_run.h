// Running the checker executable as authors and scripts run it.
#pragma once

#include "run_program.h"

#include <wx/string.h>

using Outcome = ProgramRun;

// Runs the checker as from a prompt with `arguments` (file names quoted
// with ShellQuoted); stderr is folded into `out`.
inline Outcome RunChecker(const wxString& arguments)
{
    return RunProgram(wxString::FromUTF8(MINDPRISM_CHECK_PROGRAM), arguments);
}
