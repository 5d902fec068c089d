// Quiz navigation rules.
#include "quiz/navigator.h"

#include "quiz/quiz_file.h"

bool QuizNavigator::Load(wxXmlDocument& document, const wxString& path)
{
    if (!LoadQuiz(document, path, m_questions))
        return false;
    m_questions.ReleaseDisplaced({m_currentQuestion, m_previousQuestion});
    return true;
}

Question* QuizNavigator::Start()
{
    Question* entry = m_questions.FindQuestion(QUIZ_ENTRY_ID);
    if (entry)
        m_currentQuestion = entry;
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
    step.kind = Step::Moved;
    step.question = found;
    return step;
}

Question* QuizNavigator::Prev()
{
    Question* back = m_previousQuestion;
    if (!back)
        return nullptr;
    m_currentQuestion = back;
    m_previousQuestion = m_questions.FindQuestion(back->backId);
    return back;
}
