// How the checker meets its platform's command line: file names in the
// arguments and the text it writes. One source file per platform.
#pragma once

#include <wx/string.h>

#include <string>
#include <vector>

// The arguments after the program name, as UTF-8 (on Windows, read from the
// wide command line, so names in any script survive) or, elsewhere, as the
// bytes given.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The file an argument names, for opening it.
wxString FileNameFromArgument(const std::string& argument);

// Makes standard output take UTF-8 bytes as they are written.
void PrepareOutput();
