// Navigation through a loaded quiz: the current and previous question and the
// rules of Next, Prev, Reset and switching. Windows map it to their controls.
#pragma once

#include "quiz/question_table.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_progress.h"

#include <cstddef>
#include <vector>

class wxXmlDocument;

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

    // Where the player is after a reload (see Reload).
    struct ReloadResult
    {
        bool loaded = false;  // false: nothing changed, the check says why
        Question* show = nullptr;  // the question to put on screen (null only if none)
        int selection = wxNOT_FOUND;  // the answer to select on it
        bool restarted = false;  // the question on screen was gone: back at 1001
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
    // False when the file could not be loaded; the table is then unchanged
    // and the toolkit's log says why. For the built-in quizzes.
    bool Load(wxXmlDocument& document, const wxString& path);

    // The same for a quiz the user opened: the file is read once, both for
    // playing and for the checker's findings, which go into `check` with the
    // reason of a failure instead of the log. A file without a question 1001
    // that has an answer is refused. Call Start afterwards, as after Load.
    bool Load(wxXmlDocument& document, const wxString& path, QuizFileCheck& check);

    // Reads the file last loaded again after it changed, keeping the
    // player's place: afterwards the table holds the new file, so questions
    // only its old version had are no longer found (given another path, it
    // loads that file on top, as Load does, and keeps the place the same way). The place is mapped as
    // MoveTo does from Place(selection). When the file does not load (the
    // check says why), nothing changes: the last good quiz stays. The old
    // version's records stay alive, so what is on screen stays valid, until
    // ReleaseDisplaced: call it once the new question is shown (freeing
    // them costs about a fifth of a reload, which the player need not wait
    // for). Call it while that file's quiz is the one played: the place
    // carried over is the player's in the whole table.
    ReloadResult Reload(wxXmlDocument& document, const wxString& path, int selection,
                        QuizFileCheck& check);

    // Frees the records displaced by loads, except the current and previous
    // question's. Load does it itself; Reload leaves it to the caller.
    void ReleaseDisplaced();

    // Makes the entry question current and returns it; null, changing
    // nothing, when the table has none. The answered count starts again.
    Question* Start();

    // Follows answer number `choice` of the current question (wxNOT_FOUND
    // when nothing is selected).
    Step Next(int choice);

    // Steps back one question along the back links; returns the question to
    // show, or null when there is nowhere to go.
    Question* Prev();

    // Questions answered so far: one more for every Next that moves, one
    // less for every Prev that shows another question (never below 0), 0
    // after Start. Counted, not measured along the back links, which loop.
    size_t Answered() const { return m_answered; }

    // The player's place, with the answer `selection` selected on screen.
    QuizPlace Place(int selection) const;

    // Puts the player at `place` in the quiz now in the table: its question
    // stays current if its ID is found, with the same answer selected where
    // that index exists (else the first), and the way back is kept up to
    // the first question no longer found. If the question is gone, the quiz
    // starts again at the entry (answered 0, no way back).
    ReloadResult MoveTo(const QuizPlace& place);

    // The figures of every question in the table, rebuilt by every load.
    const QuizProgressMap& Progress() const { return m_progress; }

private:
    // Puts the questions of a freshly loaded file into the table on top of
    // what is there, first taking out those the same file stored when it
    // was the last loaded, if `replaceLast`.
    void TakeFile(QuestionTable& file, const wxString& path, bool replaceLast);

    QuestionTable m_questions{100};
    Question* m_previousQuestion = nullptr;  // where Prev goes next
    Question* m_currentQuestion = nullptr;   // the question on display
    size_t m_answered = 0;
    wxString m_lastFilePath;                          // the file loaded last
    std::vector<wxString> m_lastFileIds;              // the IDs it stored
    QuizProgressMap m_progress;
};
