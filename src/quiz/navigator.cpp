// Quiz navigation rules.
#include "quiz/navigator.h"

#include "quiz/quiz_file.h"

#include <wx/xml/xml.h>

#include <algorithm>
#include <unordered_set>

bool QuizNavigator::Load(wxXmlDocument& document, const wxString& path)
{
    QuestionTable file;
    if (!LoadQuiz(document, path, file))
        return false;
    TakeFile(file, path, false);
    return true;
}

bool QuizNavigator::Load(wxXmlDocument& document, const wxString& path, QuizFileCheck& check)
{
    QuestionTable file;
    if (!LoadCheckedQuiz(document, path, file, check))
        return false;
    TakeFile(file, path, false);
    return true;
}

QuizNavigator::ReloadResult QuizNavigator::Reload(wxXmlDocument& document, const wxString& path,
                                                  int selection, QuizFileCheck& check)
{
    QuestionTable file;
    if (!LoadCheckedQuiz(document, path, file, check))
        return ReloadResult{};
    const QuizPlace place = Place(selection);
    TakeFile(file, path, true);
    return MoveTo(place);
}

void QuizNavigator::TakeFile(QuestionTable& file, const wxString& path, bool replaceLast)
{
    // Questions of the file's last version that the new one lacks are taken
    // out; the others are displaced by the new records as they are adopted.
    if (replaceLast && path == m_lastFilePath)
        for (const wxString& id : m_lastFileIds)
            if (!file.FindQuestion(id))
                m_questions.Withdraw(id);
    m_lastFilePath = path;
    m_lastFileIds.clear();
    m_lastFileIds.reserve(file.size());
    for (const auto& entry : file.Index())
        m_lastFileIds.push_back(entry.first);
    m_questions.Adopt(file);
    if (!replaceLast)
        ReleaseDisplaced();
    m_progress = QuizProgressMap(m_questions);
}

void QuizNavigator::ReleaseDisplaced()
{
    m_questions.ReleaseDisplaced({m_currentQuestion, m_previousQuestion});
}

Question* QuizNavigator::Start()
{
    Question* entry = m_questions.FindQuestion(QUIZ_ENTRY_ID);
    if (entry)
    {
        m_currentQuestion = entry;
        m_answered = 0;
    }
    return entry;
}

QuizNavigator::Step QuizNavigator::Next(int choice)
{
    Step step;
    if (!m_currentQuestion || choice < 0 ||
        static_cast<size_t>(choice) >= m_currentQuestion->answers.size())
        return step;

    m_previousQuestion = m_currentQuestion;
    step.answer = &m_currentQuestion->answers[choice];
    if (step.answer->target == QUIZ_END_TARGET)
    {
        step.kind = Step::Ended;
        return step;
    }
    Question* found = m_questions.FindQuestion(step.answer->target);
    if (!found)
    {
        step.kind = Step::Stayed;
        return step;
    }
    m_currentQuestion = found;
    found->backId = m_previousQuestion->id;
    ++m_answered;
    step.kind = Step::Moved;
    step.question = found;
    return step;
}

Question* QuizNavigator::Prev()
{
    Question* back = m_previousQuestion;
    if (!back)
        return nullptr;
    // After an end or an answer leading nowhere, Prev first shows the same
    // question again: that takes nothing back.
    if (back != m_currentQuestion && m_answered > 0)
        --m_answered;
    m_currentQuestion = back;
    m_previousQuestion = m_questions.FindQuestion(back->backId);
    return back;
}

QuizPlace QuizNavigator::Place(int selection) const
{
    QuizPlace place;
    place.selection = selection;
    place.answered = m_answered;
    if (m_currentQuestion)
        place.current = m_currentQuestion->id;
    // The first step is the record Prev holds, which a load may have
    // displaced; the rest follow the back links as Prev does.
    std::unordered_set<const Question*> seen;
    for (const Question* back = m_previousQuestion; back;
         back = m_questions.FindQuestion(back->backId))
    {
        place.wayBack.push_back(back->id);
        if (!seen.insert(back).second)
            break;
    }
    return place;
}

QuizNavigator::ReloadResult QuizNavigator::MoveTo(const QuizPlace& place)
{
    ReloadResult result;
    result.loaded = true;
    Question* current = place.current.empty() ? nullptr : m_questions.FindQuestion(place.current);
    if (!current)
    {
        m_previousQuestion = nullptr;
        result.show = Start();
        result.restarted = true;
        result.selection = result.show && !result.show->answers.empty() ? 0 : wxNOT_FOUND;
        return result;
    }
    m_currentQuestion = current;
    m_answered = place.answered;
    result.show = current;
    if (current->answers.empty())
        result.selection = wxNOT_FOUND;
    else if (place.selection >= 0 && static_cast<size_t>(place.selection) < current->answers.size())
        result.selection = place.selection;
    else
        result.selection = 0;

    // Relink the way back through the records now stored, up to the first
    // question that is gone; the last one kept leads nowhere further,
    // unless the way back ends by meeting itself again (a loop of back
    // links), whose last link was set at its first visit.
    const std::vector<wxString>& way = place.wayBack;
    const bool loops =
        way.size() > 1 && std::find(way.begin(), way.end() - 1, way.back()) != way.end() - 1;
    Question* link = current;
    m_previousQuestion = nullptr;
    size_t kept = 0;
    for (; kept < way.size(); ++kept)
    {
        Question* back = m_questions.FindQuestion(way[kept]);
        if (!back)
            break;
        link->backId = way[kept];
        if (link == current)
            m_previousQuestion = back;
        link = back;
    }
    if (kept < way.size() || !loops)
        link->backId.clear();
    return result;
}
