// A quiz's title and results, read by the quiz rules.
#include "quiz/quiz_results.h"

#include "quiz/quiz_balance.h"
#include "quiz/quiz_rules.h"

size_t QuizResults::IndexOf(const wxString& name) const
{
    if (name.empty())
        return wxString::npos;
    for (size_t i = 0; i < results.size(); ++i)
        if (results[i].name == name)
            return i;
    return wxString::npos;
}

const QuizResult* QuizResults::Find(const wxString& name) const
{
    const size_t index = IndexOf(name);
    return index == wxString::npos ? nullptr : &results[index];
}

const QuizResult* QuizResults::ForAnswer(const wxString& answerText) const
{
    return results.empty() ? nullptr : Find(ResultOf(answerText));
}

QuizResults ReadResults(const ResultsRead& read)
{
    QuizResults quiz;
    if (const wxXmlNode* title = read.Title())
        quiz.title = LeafValue(*title);
    quiz.results.reserve(read.results.size());
    for (const wxXmlNode* element : read.results)
    {
        QuizResult result;
        result.name = ResultNameOf(*element);
        if (const wxXmlNode* text = LastQuizChild(*element, "TEXT"))
            result.text = LeafValue(*text);
        result.hasText = !result.text.empty();
        result.line = element->GetLineNumber();
        quiz.results.push_back(std::move(result));
    }
    return quiz;
}

wxString NamingResult(const wxString& answerText, const wxString& result, bool wholeNamesResult)
{
    const wxUniChar arrow(0x2192);
    const size_t at = answerText.rfind(arrow);
    wxString after = at == wxString::npos ? wxString() : answerText.substr(at + 1);
    if (at != wxString::npos && !after.Trim(true).Trim(false).empty())
        return answerText.substr(0, at + 1) + wxS(" ") + result;
    if (wholeNamesResult)
        return result;
    wxString text = answerText;
    text.Trim(true);
    if (at == wxString::npos)
        text << wxS(" ") << arrow;
    return text + wxS(" ") + result;
}
