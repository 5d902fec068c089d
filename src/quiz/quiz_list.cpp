// The shipped quizzes.
#include "quiz/quiz_list.h"

#include <wx/intl.h>

const std::vector<QuizEntry>& BuiltInQuizzes()
{
    static const std::vector<QuizEntry> quizzes{
        {wxTRANSLATE(L"你具备哪种动物潜质？"), wxS("Quiz_000"), wxString(), QuizEnding::ResultDialog},
        {wxTRANSLATE(L"你的内在星座是什么？"), wxS("Quiz_001"), wxString(), QuizEnding::MessageBox},
    };
    return quizzes;
}

wxString ShownTitle(const QuizEntry& quiz)
{
    return quiz.IsBuiltIn() ? wxGetTranslation(quiz.title) : quiz.title;
}
