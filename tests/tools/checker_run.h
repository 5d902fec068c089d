// Running the checker executable as authors and scripts run it.
#pragma once

#include "run_program.h"

#include <wx/string.h>

using Outcome = ProgramRun;

// Runs the checker as from a prompt with `arguments` (file names quoted
// with ShellQuoted); stderr is folded into `out`.
Outcome RunChecker(const wxString& arguments);
