// Starting a program with a wide command line, as cmd.exe would start it,
// but without cmd.exe: under Wine, its search for the program now and then
// failed to find one that was there ("Can't recognize ...", status 9009).
#include "run_program.h"

#include <wx/filename.h>

#include <windows.h>

#include <vector>

ProgramRun RunProgram(const wxString& program, const wxString& arguments)
{
    ProgramRun run{-1, std::string()};

    // A full path with its drive: a path without one depends on the
    // current drive.
    wxFileName name(program);
    name.MakeAbsolute();
    const wxString command = ShellQuoted(name.GetFullPath()) + wxS(" ") + arguments;
    std::vector<wchar_t> line(command.wc_str(), command.wc_str() + command.length() + 1);

    // One pipe for both standard output and standard error, as "2>&1" would.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0))
        return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    // Only the child may hold the write end, or reading never sees the end.
    CloseHandle(writeEnd);
    if (!started)
    {
        CloseHandle(readEnd);
        return run;
    }

    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
        run.out.append(buffer, read);
    CloseHandle(readEnd);

    DWORD status = 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    if (GetExitCodeProcess(process.hProcess, &status))
        run.status = static_cast<int>(status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

wxString ShellQuoted(const wxString& argument)
{
    // File names cannot hold double quotes on Windows.
    return wxS("\"") + argument + wxS("\"");
}
