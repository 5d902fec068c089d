// Runs a program as a user at a prompt would: through /bin/sh on Linux, with
// the wide command line cmd.exe would hand over on Windows. One source file
// per platform.
#pragma once

#include <wx/string.h>

#include <cstdio>
#include <string>

struct ProgramRun
{
    int status;       // the exit status, or -1 when it could not be run
    std::string out;  // standard output, then standard error, as bytes
};

// Runs `program` with `arguments` (already quoted, see ShellQuoted).
ProgramRun RunProgram(const wxString& program, const wxString& arguments);

// Everything left in `stream`, as bytes (both platforms' files read pipes).
inline std::string ReadToEnd(FILE* stream)
{
    std::string bytes;
    char buffer[4096];
    size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        bytes.append(buffer, read);
    return bytes;
}

// `argument` quoted for the shell, so blanks and other scripts pass whole.
wxString ShellQuoted(const wxString& argument);
