// The edition of a built-in quiz for the interface language.
#include "app/quiz_edition_file.h"

#include "app/language.h"
#include "app/resources.h"
#include "quiz/quiz_edition.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/translation.h>

wxString CatalogueLanguage()
{
    // Asked of the catalogue, not the setting: for the system language the
    // toolkit has already resolved which catalogue fits, and a language
    // without a catalogue shows source texts, whose quizzes are zh_CN.
    wxTranslations* translations = wxTranslations::Get();
    if (!translations || !translations->IsLoaded(UI_CATALOGUE))
        return wxString();
    return translations->GetBestTranslation(UI_CATALOGUE);
}

wxString BuiltInQuizFile(const wxString& stem)
{
    const QuizEditionChoice choice =
        ChooseQuizEdition(stem, CatalogueLanguage(), [](const wxString& relative) {
            return wxFileName::FileExists(Resources::Path(relative));
        });
    const wxString path = Resources::Path(choice.path);
    wxLogTrace(wxS("mindprism"), wxS("quiz %s: reading '%s', %s"), stem, path, choice.why);
    return path;
}
