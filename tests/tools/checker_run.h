// Running the checker executable as authors and scripts run it.
#pragma once

#include <wx/string.h>

#include <string>

struct Outcome
{
    int status;
    std::string out;
};

// Runs the checker through the shell; stderr is folded into `out`.
Outcome RunChecker(const std::string& arguments);

// A path as one shell word.
std::string ShellQuoted(const wxString& path);
