// Running a program through /bin/sh.
#include "run_program.h"

#include <sys/wait.h>

#include <cstdio>

ProgramRun RunProgram(const wxString& program, const wxString& arguments)
{
    const wxString command = ShellQuoted(program) + wxS(" ") + arguments + wxS(" 2>&1");
    ProgramRun run{-1, std::string()};
    FILE* pipe = popen(command.utf8_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, read);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

wxString ShellQuoted(const wxString& argument)
{
    wxString quoted = argument;
    quoted.Replace(wxS("'"), wxS("'\\''"));
    return wxS("'") + quoted + wxS("'");
}
