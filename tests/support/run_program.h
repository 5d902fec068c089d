// Runs a program through the platform's shell, as a user at a prompt would:
// one source file per platform.
#pragma once

#include <wx/string.h>

#include <string>

struct ProgramRun
{
    int status;       // the exit status, or -1 when it could not be run
    std::string out;  // standard output, then standard error, as bytes
};

// Runs `program` with `arguments` (already quoted, see ShellQuoted).
ProgramRun RunProgram(const wxString& program, const wxString& arguments);

// `argument` quoted for the shell, so blanks and other scripts pass whole.
wxString ShellQuoted(const wxString& argument);
