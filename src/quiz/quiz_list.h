// The quizzes the program offers: what each is called, which file holds it
// and how it ends. The frame, the checker's tests and the shipped-quiz tests
// all take them from here, so a quiz is described in one place.
#pragma once

#include <wx/string.h>

#include <vector>

// How the last answer of a quiz is shown.
enum class QuizEnding
{
    ResultDialog,  // the answer above the result catalogue (the first quiz)
    MessageBox     // the answer alone, in a "Result" message box
};

struct QuizEntry
{
    // The title shown in the quiz choice. A built-in title is a source text,
    // translated where it is shown.
    wxString title;
    // A built-in quiz: the file stem below data/, e.g. "Quiz_000"; the file
    // read is the edition for the interface language.
    wxString stem;
    // A quiz the user opened: its file's full path (empty for a built-in
    // quiz, and for a new quiz not saved yet).
    wxString path;
    QuizEnding ending = QuizEnding::MessageBox;

    bool IsBuiltIn() const { return !stem.empty(); }
};

// The title a quiz shows in the choice and the titles, in the interface
// language.
wxString ShownTitle(const QuizEntry& quiz);

// The shipped quizzes, in the order of the quiz choice.
const std::vector<QuizEntry>& BuiltInQuizzes();
