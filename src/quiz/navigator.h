// Navigation through a loaded quiz: the current and previous question and the
// rules of Next, Prev, Reset and switching. Windows map it to their controls.
#pragma once

#include "quiz/question_table.h"

class wxXmlDocument;

class QuizNavigator
{
public:
    struct Step
    {
        enum Kind
        {
            NoChoice,  // no answer selected, nothing changed
            Moved,     // `question` is now current and must be shown
            Stayed,    // the target names no question; the screen stays
            Ended      // the answer ends the quiz; `answer` is the one chosen
        };
        Kind kind = NoChoice;
        Question* question = nullptr;
        const Answer* answer = nullptr;
    };

    QuizNavigator() = default;
    QuizNavigator(const QuizNavigator&) = delete;
    QuizNavigator& operator=(const QuizNavigator&) = delete;

    QuestionTable& Questions() { return m_questions; }
    const QuestionTable& Questions() const { return m_questions; }
    Question* Current() const { return m_currentQuestion; }
    Question* Previous() const { return m_previousQuestion; }

    // Adds the quiz file's questions to the table (later files win on equal
    // IDs) and frees records that are displaced and no longer pointed at.
    // False when the file could not be loaded; the table is then unchanged.
    bool Load(wxXmlDocument& document, const wxString& path);

    // Makes the entry question current and returns it; null, changing
    // nothing, when the table has none.
    Question* Start();

    // Follows answer number `choice` of the current question (wxNOT_FOUND
    // when nothing is selected).
    Step Next(int choice);

    // Steps back one question along the back links; returns the question to
    // show, or null when there is nowhere to go.
    Question* Prev();

private:
    QuestionTable m_questions{100};
    Question* m_previousQuestion = nullptr;  // where Prev goes next
    Question* m_currentQuestion = nullptr;   // the question on display
};
