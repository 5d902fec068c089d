// Finding a question of a quiz by what an author types: its ID, or words of
// its text, as Go to question offers them while they are typed.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <vector>

struct QuizOutline;

// How a question is offered: "ID · the start of its text", on one line.
wxString QuestionLabel(const wxString& id, const wxString& text);

// The labels of the questions that `typed` may mean, in file order, at
// most `limit`: those whose ID starts with it, and those whose text holds
// every word of it; case is not regarded. Nothing for blank `typed`.
std::vector<wxString> QuestionsMatching(const QuizOutline& outline, const wxString& typed,
                                        size_t limit);

// The ID of the question `typed` names: an ID as typed, else without the
// blanks around it, else a question's label, else the first question whose
// text holds every word typed (case not regarded). Empty when none does.
wxString FindQuestion(const QuizOutline& outline, const wxString& typed);
