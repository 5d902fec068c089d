// Naming and choosing language editions of a quiz.
#include "quiz/quiz_edition.h"

#include <wx/filefn.h>

const wxString QUIZ_BASE_LANGUAGE = wxS("zh_CN");

namespace
{

bool IsLetters(const wxString& text, size_t least, size_t most, bool lowerOnly)
{
    if (text.length() < least || text.length() > most)
        return false;
    for (const wxUniChar c : text)
    {
        const bool lower = c >= 'a' && c <= 'z';
        const bool upper = c >= 'A' && c <= 'Z';
        if (!(lower || (upper && !lowerOnly)))
            return false;
    }
    return true;
}

bool LooksLikeLanguage(const wxString& tag)
{
    const wxString region = tag.AfterFirst('_');
    return IsLetters(tag.BeforeFirst('_'), 2, 3, true) &&
           (!tag.Contains(wxS("_")) || IsLetters(region, 2, 4, false));
}

} // namespace

wxString QuizEditionPath(const wxString& stem, const wxString& language)
{
    return wxS("data") + wxString(wxFILE_SEP_PATH) + stem + wxS('-') + language + wxS(".xml");
}

bool SplitEditionName(const wxString& fileName, wxString& stem, wxString& language)
{
    const wxString extension = wxS(".xml");
    if (!fileName.Lower().EndsWith(extension))
        return false;
    const wxString name = fileName.Left(fileName.length() - extension.length());
    const size_t dash = name.rfind('-');
    if (dash == wxString::npos || dash == 0 || !LooksLikeLanguage(name.substr(dash + 1)))
        return false;
    stem = name.Left(dash);
    language = name.substr(dash + 1);
    return true;
}

QuizEditionChoice ChooseQuizEdition(const wxString& stem, const wxString& language,
                                    const std::function<bool(const wxString&)>& exists)
{
    if (language.empty())
        return {QuizEditionPath(stem, QUIZ_BASE_LANGUAGE),
                wxS("no interface catalogue is loaded: the ") + QUIZ_BASE_LANGUAGE + wxS(" edition")};
    const wxString path = QuizEditionPath(stem, language);
    if (language == QUIZ_BASE_LANGUAGE || exists(path))
        return {path, wxS("the edition for the interface language ") + language};
    // The toolkit falls back the same way for catalogues.
    const wxString base = language.BeforeFirst('_');
    if (base != language && exists(QuizEditionPath(stem, base)))
        return {QuizEditionPath(stem, base), wxS("the edition for ") + base +
                                                 wxS(", the base of the interface language ") + language};
    const wxString missing = base != language ? language + wxS(" nor for ") + base : language;
    return {QuizEditionPath(stem, QUIZ_BASE_LANGUAGE),
            wxS("no edition for the interface language ") + missing + wxS(": the ") +
                QUIZ_BASE_LANGUAGE + wxS(" edition")};
}
