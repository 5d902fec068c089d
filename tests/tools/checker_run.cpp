// Running the checker through the platform's shell.
#include "checker_run.h"

Outcome RunChecker(const wxString& arguments)
{
    return RunProgram(wxString::FromUTF8(MINDPRISM_CHECK_PROGRAM), arguments);
}
