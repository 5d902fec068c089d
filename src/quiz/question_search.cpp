// Finding a question by its ID or its words.
#include "quiz/question_search.h"

#include "quiz/quiz_analysis.h"

#include <wx/tokenzr.h>

namespace
{

const size_t LABEL_TEXT = 50;  // characters of a question's text in its label

// The words of `typed`, lower-cased; blanks of every script separate them.
std::vector<wxString> WordsOf(const wxString& typed)
{
    std::vector<wxString> words;
    wxStringTokenizer tokens(typed.Lower(), wxString::FromUTF8(" \t\r\n\xE3\x80\x80"), wxTOKEN_STRTOK);
    while (tokens.HasMoreTokens())
        words.push_back(tokens.GetNextToken());
    return words;
}

bool HoldsEvery(const wxString& text, const std::vector<wxString>& words)
{
    if (words.empty())
        return false;
    const wxString lower = text.Lower();
    for (const wxString& word : words)
        if (lower.find(word) == wxString::npos)
            return false;
    return true;
}

} // namespace

wxString QuestionLabel(const wxString& id, const wxString& text)
{
    wxString line = text;
    line.Replace(wxS("\r"), wxS(" "));
    line.Replace(wxS("\n"), wxS(" "));
    line.Trim(true).Trim(false);
    if (line.length() > LABEL_TEXT)
        line = line.Left(LABEL_TEXT - 1) + wxString::FromUTF8("\xE2\x80\xA6");
    return id + wxString::FromUTF8(" \xC2\xB7 ") + line;
}

std::vector<wxString> QuestionsMatching(const QuizOutline& outline, const wxString& typed,
                                        size_t limit)
{
    std::vector<wxString> labels;
    const wxString start = wxString(typed).Trim(true).Trim(false).Lower();
    if (start.empty())
        return labels;
    const std::vector<wxString> words = WordsOf(typed);
    for (const QuizOutline::Box& box : outline.boxes)
    {
        if (labels.size() >= limit)
            break;
        if (box.id.Lower().StartsWith(start) || HoldsEvery(box.text, words))
            labels.push_back(QuestionLabel(box.id, box.text));
    }
    return labels;
}

wxString FindQuestion(const QuizOutline& outline, const wxString& typed)
{
    const wxString trimmed = wxString(typed).Trim(true).Trim(false);
    for (const wxString& id : {typed, trimmed})
        for (const QuizOutline::Box& box : outline.boxes)
            if (!id.empty() && box.id == id)
                return box.id;
    for (const QuizOutline::Box& box : outline.boxes)
        if (QuestionLabel(box.id, box.text) == trimmed)
            return box.id;
    const std::vector<wxString> words = WordsOf(typed);
    for (const QuizOutline::Box& box : outline.boxes)
        if (HoldsEvery(box.text, words))
            return box.id;
    return wxString();
}
