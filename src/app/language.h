// The interface-language setting: reading it at start-up, the choice dialog,
// writing it, and the command that changes it for the next start.
#pragma once

#include <wx/string.h>

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
// name) and flushes the store, so it survives the process.
void SaveUiLanguage(int language);

// The View > Language command: ask, store, tell the user to restart.
void ChangeUiLanguage();
