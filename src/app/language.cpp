// Interface-language setting.
#include "app/language.h"

#include <wx/arrstr.h>
#include <wx/choicdlg.h>
#include <wx/config.h>
#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <clocale>

const wxString UI_CATALOGUE = wxS("Mindprism");
const wxString UI_LANGUAGE_KEY = wxS("ui_language");

namespace
{

// Marker for "use the system language".
const wxString DEFAULT_LANGUAGE = wxS("default");

// The toolkit translates its own texts without the C library's locale, but
// the libraries below it (GTK's stock buttons and dialogs) translate through
// the C library only. A UTF-8 locale plus LANGUAGE makes them follow too.
void FollowLanguageWithoutSystemLocale(int language)
{
    const wxLanguageInfo* info = wxLocale::GetLanguageInfo(language);
    if (!info)
        return;
    wxSetEnv(wxS("LANGUAGE"), info->CanonicalName);
    std::setlocale(LC_ALL, "C.UTF-8");
}

// The toolkit's single choice, centred, without parent, first row selected;
// the index chosen, or -1. This toolkit's wxGetSingleChoiceIndex ignores
// the list size it takes, and GTK then makes the list too low to show all
// three rows: the list gets that size, 200 by 150, itself.
int ChooseFromList(const wxString& message, const wxString& caption, const wxArrayString& rows)
{
    wxSingleChoiceDialog dialog(nullptr, message, caption, rows);
    for (wxWindow* child : dialog.GetChildren())
    {
        if (wxListBox* list = dynamic_cast<wxListBox*>(child))
            list->SetMinSize(dialog.FromDIP(wxSize(wxCHOICE_WIDTH, wxCHOICE_HEIGHT)));
    }
    dialog.GetSizer()->SetSizeHints(&dialog);
    dialog.Centre(wxBOTH);
    dialog.SetSelection(0);
    return dialog.ShowModal() == wxID_OK ? dialog.GetSelection() : -1;
}

} // namespace

int GetUiLanguage()
{
    // Defaults are recorded, so a missing key is written here, empty.
    const wxString stored = wxConfigBase::Get()->Read(UI_LANGUAGE_KEY, wxString());
    if (stored.empty())
    {
        const int chosen = AskUiLanguage();
        if (chosen == wxLANGUAGE_UNKNOWN)
            return wxLANGUAGE_DEFAULT;
        SaveUiLanguage(chosen);
        return chosen;
    }
    if (stored == DEFAULT_LANGUAGE)
        return wxLANGUAGE_DEFAULT;
    if (const wxLanguageInfo* info = wxLocale::FindLanguageInfo(stored))
        return info->Language;
    wxLogError(_("Uknown locale code '%s' in registry."), stored);
    return wxLANGUAGE_DEFAULT;
}

int AskUiLanguage()
{
    // Language names stay as written, so a user can find their own language
    // whatever interface is running.
    const LanguageChoice choices[] = {
        {_("(Use default language)"), wxLANGUAGE_DEFAULT},
        {wxS("Chinese (Simplified)"), wxLANGUAGE_CHINESE_SIMPLIFIED},
        {wxS("English"), wxLANGUAGE_ENGLISH},
        {wxString(), wxLANGUAGE_UNKNOWN},
    };
    wxArrayString labels;
    for (const LanguageChoice* row = choices; !row->label.empty(); ++row)
        labels.Add(row->label);

    const int index = ChooseFromList(_("Select your prefered language"), _("Language selection"),
                                     labels);
    if (index < 0)
        return wxLANGUAGE_UNKNOWN;
    return choices[index].language;
}

bool SaveUiLanguage(int language)
{
    if (language == wxLANGUAGE_UNKNOWN)
        return false;
    wxString value = DEFAULT_LANGUAGE;
    if (language != wxLANGUAGE_DEFAULT)
    {
        const wxLanguageInfo* info = wxLocale::GetLanguageInfo(language);
        if (!info)
            return false;
        value = info->CanonicalName;
    }
    wxConfigBase* config = wxConfigBase::Get();
    // The file store keeps writes in memory; the user is about to be told
    // to restart, so the choice must be on disk now.
    return config->Write(UI_LANGUAGE_KEY, value) && config->Flush();
}

void InitUiLocale(wxLocale& locale, int language, const wxString& domain)
{
    bool ok;
    {
        wxLogNull quiet;
        ok = locale.Init(language, wxLOCALE_LOAD_DEFAULT);
    }
    if (!ok && language != wxLANGUAGE_DEFAULT)
        FollowLanguageWithoutSystemLocale(language);
    locale.AddCatalog(domain);
}

void ChangeUiLanguage()
{
    const int chosen = AskUiLanguage();
    if (chosen == wxLANGUAGE_UNKNOWN)
        return;
    bool saved;
    {
        wxLogNull quiet;  // the message below says it in the user's words
        saved = SaveUiLanguage(chosen);
    }
    if (!saved)
    {
        // Telling the user to restart would promise what will not happen.
        wxMessageBox(_("The language could not be stored in your settings, so it stays as it is. "
                       "Check that your settings folder can be written."),
                     _("Language"), wxOK | wxCENTRE | wxICON_ERROR);
        return;
    }
    wxMessageBox(_("You must restart application for this change to take effect."),
                 _("Confirm"), wxOK | wxCENTRE | wxICON_INFORMATION);
}
