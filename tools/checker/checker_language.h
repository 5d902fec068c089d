// The language the checker speaks: the one the user asks for, chosen as
// compilers choose theirs, read from the program's own catalogue.
#pragma once

#include <wx/string.h>

#include <functional>
#include <vector>

class wxArrayString;

// The languages the environment asks for, most wanted first, read as GNU
// gettext reads them: the list in LANGUAGE, then the locale (LC_ALL, else
// LC_MESSAGES, else LANG). A locale of C or POSIX asks for the untranslated
// texts, LANGUAGE notwithstanding. `variable` gives a variable's value,
// empty when unset.
std::vector<wxString> LanguagesFromEnvironment(const std::function<wxString(const char*)>& variable);

// The catalogue to read for `requested` among the `available` ones: the
// first requested language that has one, whole ("zh_CN") or by its language
// alone ("en_GB" reads "en"); an encoding or modifier is ignored
// ("zh_CN.UTF-8@x"). Empty for English, and when nothing requested has one.
wxString PickLanguage(const std::vector<wxString>& requested, const wxArrayString& available);

// Speaks the first of `requested` that has a catalogue beside the program
// (or in its installed share folder): its catalogue and the toolkit's are
// loaded for the rest of the run. Nothing requested: English.
void SpeakLanguage(const std::vector<wxString>& requested);

// The folder of the program's catalogues: beside the program in a build
// folder, else in the share folder of an installed copy.
wxString LocalesDir();

// The language the checker speaks ("zh_CN"); empty for English.
wxString SpokenLanguage();

// The languages the user asks for, as the platform states them (the
// environment on POSIX systems, the user's interface languages on Windows).
std::vector<wxString> RequestedLanguages();
