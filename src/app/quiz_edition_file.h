// Which file a built-in quiz is read from: the edition for the interface
// language in force, found where the run-time files are.
#pragma once

#include <wx/string.h>

// Canonical name of the language whose catalogue the interface speaks
// ("zh_CN", "en"; "en" too when the system language en_GB resolved to it),
// or empty when no catalogue is loaded and the source texts show.
wxString CatalogueLanguage();

// Full path of the edition of built-in quiz `stem` for CatalogueLanguage();
// `WXTRACE=mindprism` tells which file and why.
wxString BuiltInQuizFile(const wxString& stem);
