// Splits a program's command line into its arguments by the rules of this
// platform's shell, so that each argument can be handed over as it is.
#pragma once

#include <wx/arrstr.h>

wxArrayString SplitOpenCommand(const wxString& command);
