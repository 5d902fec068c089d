// Choosing and loading the checker's language.
#include "checker_language.h"

#include <wx/arrstr.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/tokenzr.h>
#include <wx/translation.h>

namespace
{

// The program's catalogue, which holds the engine's findings too.
const wxString CATALOGUE = wxS("Mindprism");

// "zh_CN.UTF-8@modifier" as a catalogue is named: "zh_CN"; "zh-CN" alike.
wxString CatalogueName(const wxString& language)
{
    wxString name = language.BeforeFirst('.').BeforeFirst('@');
    name.Replace(wxS("-"), wxS("_"));
    return name;
}

bool IsUntranslatedLocale(const wxString& locale)
{
    return locale == wxS("C") || locale == wxS("POSIX") || locale.StartsWith(wxS("C."));
}

} // namespace

wxString LocalesDir()
{
    const wxFileName program(wxStandardPaths::Get().GetExecutablePath());
    wxFileName beside(program.GetPath(), wxString());
    beside.AppendDir(wxS("locales"));
    if (beside.DirExists())
        return beside.GetPath();
    wxFileName installed(program.GetPath(), wxString());
    installed.RemoveLastDir();
    for (const char* dir : {"share", "mindprism", "locales"})
        installed.AppendDir(dir);
    return installed.GetPath();
}

wxString SpokenLanguage()
{
    wxTranslations* translations = wxTranslations::Get();
    if (!translations || !translations->IsLoaded(CATALOGUE))
        return wxString();
    return translations->GetBestTranslation(CATALOGUE);
}

std::vector<wxString> LanguagesFromEnvironment(const std::function<wxString(const char*)>& variable)
{
    wxString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        locale = variable(name);
        if (!locale.empty())
            break;
    }
    std::vector<wxString> languages;
    if (IsUntranslatedLocale(locale))
        return languages;
    wxStringTokenizer list(variable("LANGUAGE"), wxS(":"));
    while (list.HasMoreTokens())
    {
        const wxString language = list.GetNextToken();
        if (!language.empty())
            languages.push_back(language);
    }
    if (!locale.empty())
        languages.push_back(locale);
    return languages;
}

wxString PickLanguage(const std::vector<wxString>& requested, const wxArrayString& available)
{
    for (const wxString& language : requested)
    {
        const wxString name = CatalogueName(language);
        const wxString base = name.BeforeFirst('_');
        if (available.Index(name) != wxNOT_FOUND)
            return name;
        if (available.Index(base) != wxNOT_FOUND)
            return base;
        // The texts' own language needs no catalogue.
        if (base == wxS("en"))
            return wxString();
    }
    return wxString();
}

void SpeakLanguage(const std::vector<wxString>& requested)
{
    // The toolkit owns the translations once they are set.
    wxTranslations* translations = new wxTranslations;
    wxTranslations::Set(translations);
    if (requested.empty())
        return;
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(LocalesDir());
    const wxString language = PickLanguage(requested, translations->GetAvailableTranslations(CATALOGUE));
    if (language.empty())
        return;
    translations->SetLanguage(language);
    // The toolkit's texts reach the findings through what it logs.
    translations->AddStdCatalog();
    translations->AddCatalog(CATALOGUE);
}
