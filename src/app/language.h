// The interface-language setting: reading it at start-up, the choice dialog,
// writing it, and the command that changes it for the next start.
#pragma once

#include <wx/string.h>

class wxLocale;

// Domain of the interface's message catalogue (locales/<lang>/LC_MESSAGES/<domain>.mo).
extern const wxString UI_CATALOGUE;

// Key of the setting in the per-user configuration store.
extern const wxString UI_LANGUAGE_KEY;

// One offered language: the label shown, and the wxLanguage it stands for.
struct LanguageChoice
{
    wxString label;
    int language;
};

// The language to start with (a wxLanguage value). Asks the user and stores
// the answer when nothing is stored yet.
int GetUiLanguage();

// Shows the language choice; returns the chosen wxLanguage, or
// wxLANGUAGE_UNKNOWN when the user cancels.
int AskUiLanguage();

// Stores the language ("default" for the system language, else its canonical
// name) and flushes the store, so it survives the process; false when the
// store could not be written.
bool SaveUiLanguage(int language);

// Initialises `locale` for the interface language and adds the message
// catalogue `domain`. Translations work even when the C library lacks the
// locale (a fresh system has only C and C.utf8); that is not worth a
// message to the user, so nothing is reported.
void InitUiLocale(wxLocale& locale, int language, const wxString& domain);

// The View > Language command: ask, store, tell the user to restart.
void ChangeUiLanguage();
