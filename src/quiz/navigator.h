// Navigation through a quiz: the current and previous question and the
// rules of Next, Prev, Reset and switching. It plays over tables it does
// not own (see QuizSession); windows map it to their controls.
#pragma once

#include "quiz/question_table.h"

#include <cstddef>
#include <vector>

// Where the player stands, by question IDs only, so that it survives the
// records being replaced by a reload of the quiz file.
struct QuizPlace
{
    wxString current;  // the question on screen; empty before the first Start
    // The questions Prev would show, nearest first. It ends at a question
    // with no way back, or repeats the first ID met twice where the back
    // links loop.
    std::vector<wxString> wayBack;
    int selection = wxNOT_FOUND;  // the answer selected on screen
    size_t answered = 0;          // questions answered so far (see Answered)
};

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

    // Where the player is after a reload (see MoveTo).
    struct ReloadResult
    {
        bool loaded = false;  // false: nothing changed
        Question* show = nullptr;  // the question to put on screen (null only if none)
        int selection = wxNOT_FOUND;  // the answer to select on it
        bool restarted = false;  // the question on screen was gone: back at 1001
    };

    QuizNavigator() = default;
    QuizNavigator(const QuizNavigator&) = delete;
    QuizNavigator& operator=(const QuizNavigator&) = delete;

    // The table the quiz started next is played over. Each question the
    // navigator points at keeps the table it was found in: a question
    // reached by Prev after a switch still plays on in its own quiz.
    void Play(QuestionTable& table) { m_table = &table; }
    QuestionTable* Table() const { return m_table; }

    Question* Current() const { return m_current.question; }
    Question* Previous() const { return m_previous.question; }
    // The table the question on screen was found in (null before Start).
    QuestionTable* CurrentTable() const { return m_current.table; }

    // Makes the entry question of the table in play current and returns
    // it; null, changing nothing, when it has none. The answered count
    // starts again.
    Question* Start();

    // Follows answer number `choice` of the current question (wxNOT_FOUND
    // when nothing is selected), looking its target up in the current
    // question's table.
    Step Next(int choice);

    // Steps back one question along the back links; returns the question to
    // show, or null when there is nowhere to go. An empty back link leads
    // nowhere, even where a question without ID is stored under it.
    Question* Prev();

    // Questions answered so far: one more for every Next that moves, one
    // less for every Prev that shows another question (never below 0), 0
    // after Start. Counted, not measured along the back links, which loop.
    size_t Answered() const { return m_answered; }

    // The player's place, with the answer `selection` selected on screen.
    QuizPlace Place(int selection) const;

    // Puts the player at `place` in the table in play: its question stays
    // current if its ID is found, with the same answer selected where that
    // index exists (else the first), and the way back is kept up to the
    // first question no longer found. If the question is gone, the quiz
    // starts again at the entry (answered 0, no way back).
    ReloadResult MoveTo(const QuizPlace& place);

    // Frees the records `table` displaced, except those the navigator
    // points at.
    void ReleaseDisplaced(QuestionTable& table) const;
    // The same, handing the records over, to be freed elsewhere.
    std::vector<std::unique_ptr<Question>> TakeDisplaced(QuestionTable& table) const;

    // Forgets every question of `table`, which is about to go.
    void Forget(const QuestionTable& table);

private:
    struct Spot
    {
        Question* question = nullptr;
        QuestionTable* table = nullptr;
    };
    // The question `id` names in `table`; none for an empty ID.
    static Spot Find(QuestionTable* table, const wxString& id);

    QuestionTable* m_table = nullptr;  // the quiz in play
    Spot m_previous;                   // where Prev goes next
    Spot m_current;                    // the question on display
    size_t m_answered = 0;
};
