// Running a program through cmd.exe, with a wide command line so that names
// in any script reach the program intact.
#include "run_program.h"

#include <wx/filename.h>

#include <cstdio>

ProgramRun RunProgram(const wxString& program, const wxString& arguments)
{
    // cmd.exe drops the first and the last quote of the whole line when
    // there are more than two: an outer pair keeps the inner ones.
    const wxString native = wxFileName(program).GetFullPath();
    const wxString command =
        wxS("\"") + ShellQuoted(native) + wxS(" ") + arguments + wxS(" 2>&1\"");
    ProgramRun run{-1, std::string()};
    FILE* pipe = _wpopen(command.wc_str(), L"rb");
    if (!pipe)
        return run;
    run.out = ReadToEnd(pipe);
    run.status = _pclose(pipe);
    return run;
}

wxString ShellQuoted(const wxString& argument)
{
    // File names cannot hold double quotes on Windows.
    return wxS("\"") + argument + wxS("\"");
}
