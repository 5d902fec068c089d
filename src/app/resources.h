// Where the program finds its run-time files (data, img, locales). Decided
// once at start-up, so no other code guesses at paths.
#pragma once

#include <wx/string.h>

namespace Resources
{

// Picks the folder: the working folder when it holds data, img and locales
// (then every path stays relative, as it always was), else the executable's
// folder, else the installed share folder beside it.
void Locate();

// Uses `dir` from now on (tests, and callers that know better).
void SetDir(const wxString& dir);

// The chosen folder; empty means the working folder.
wxString Dir();

// `relative` (written with either separator) inside the chosen folder.
wxString Path(const wxString& relative);

} // namespace Resources
