// Quiz navigation rules.
#include "quiz/navigator.h"

#include "quiz/quiz_file.h"

#include <algorithm>
#include <unordered_set>

QuizNavigator::Spot QuizNavigator::Find(QuestionTable* table, const wxString& id)
{
    if (!table || id.empty())
        return Spot{};
    Question* found = table->FindQuestion(id);
    return found ? Spot{found, table} : Spot{};
}

Question* QuizNavigator::Start()
{
    const Spot entry = Find(m_table, QUIZ_ENTRY_ID);
    if (entry.question)
    {
        m_current = entry;
        m_answered = 0;
    }
    return entry.question;
}

QuizNavigator::Step QuizNavigator::Next(int choice)
{
    Step step;
    Question* answered = m_current.question;
    if (!answered || choice < 0 || static_cast<size_t>(choice) >= answered->answers.size())
        return step;

    m_previous = m_current;
    step.answer = &answered->answers[choice];
    if (step.answer->target == QUIZ_END_TARGET)
    {
        step.kind = Step::Ended;
        return step;
    }
    const Spot found = Find(m_current.table, step.answer->target);
    if (!found.question)
    {
        step.kind = Step::Stayed;
        return step;
    }
    m_current = found;
    found.question->backId = answered->id;
    ++m_answered;
    step.kind = Step::Moved;
    step.question = found.question;
    return step;
}

Question* QuizNavigator::Prev()
{
    const Spot back = m_previous;
    if (!back.question)
        return nullptr;
    // After an end or an answer leading nowhere, Prev first shows the same
    // question again: that takes nothing back.
    if (back.question != m_current.question && m_answered > 0)
        --m_answered;
    m_current = back;
    m_previous = Find(back.table, back.question->backId);
    return back.question;
}

QuizPlace QuizNavigator::Place(int selection) const
{
    QuizPlace place;
    place.selection = selection;
    place.answered = m_answered;
    if (m_current.question)
        place.current = m_current.question->id;
    // The first step is the record Prev holds, which a load may have
    // displaced; the rest follow the back links as Prev does.
    std::unordered_set<const Question*> seen;
    for (Spot back = m_previous; back.question; back = Find(back.table, back.question->backId))
    {
        place.wayBack.push_back(back.question->id);
        if (!seen.insert(back.question).second)
            break;
    }
    return place;
}

QuizNavigator::ReloadResult QuizNavigator::MoveTo(const QuizPlace& place)
{
    ReloadResult result;
    result.loaded = true;
    const Spot current = Find(m_table, place.current);
    if (!current.question)
    {
        m_previous = Spot{};
        result.show = Start();
        result.restarted = true;
        result.selection = result.show && !result.show->answers.empty() ? 0 : wxNOT_FOUND;
        return result;
    }
    m_current = current;
    m_answered = place.answered;
    result.show = current.question;
    const size_t answers = current.question->answers.size();
    if (answers == 0)
        result.selection = wxNOT_FOUND;
    else if (place.selection >= 0 && static_cast<size_t>(place.selection) < answers)
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
    Question* link = current.question;
    m_previous = Spot{};
    size_t kept = 0;
    for (; kept < way.size(); ++kept)
    {
        const Spot back = Find(m_table, way[kept]);
        if (!back.question)
            break;
        link->backId = way[kept];
        // Only the first step is where Prev goes: after an end or an answer
        // leading nowhere that is the question on screen itself.
        if (kept == 0)
            m_previous = back;
        link = back.question;
    }
    if (kept < way.size() || !loops)
        link->backId.clear();
    return result;
}

void QuizNavigator::ReleaseDisplaced(QuestionTable& table) const
{
    table.ReleaseDisplaced({m_current.question, m_previous.question});
}

std::vector<std::unique_ptr<Question>> QuizNavigator::TakeDisplaced(QuestionTable& table) const
{
    return table.TakeDisplaced({m_current.question, m_previous.question});
}

void QuizNavigator::Forget(const QuestionTable& table)
{
    if (m_table == &table)
        m_table = nullptr;
    if (m_current.table == &table)
        m_current = Spot{};
    if (m_previous.table == &table)
        m_previous = Spot{};
}
