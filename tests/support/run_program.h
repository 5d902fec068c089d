// Runs a program as a user at a prompt would: through /bin/sh on Linux, with
// the wide command line cmd.exe would hand over on Windows. One source file
// per platform.
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
