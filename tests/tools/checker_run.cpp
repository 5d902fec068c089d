// Running the checker through the shell.
#include "checker_run.h"

#include <sys/wait.h>

#include <cstdio>

Outcome RunChecker(const std::string& arguments)
{
    const std::string command = std::string(MINDPRISM_CHECK_PROGRAM) + " " + arguments + " 2>&1";
    Outcome run{-1, std::string()};
    FILE* pipe = popen(command.c_str(), "r");
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

std::string ShellQuoted(const wxString& path)
{
    return "'" + std::string(path.utf8_str()) + "'";
}
