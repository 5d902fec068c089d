// The quiz on screen, as one model that every window observes: the quizzes
// on offer, which one is current, where the player stands, and for a quiz
// the user opened, the version of its file read with its findings and map
// outline. Windows send it commands and redraw when it says what changed;
// none of them keeps quiz state of its own. GUI-free.
#pragma once

#include "quiz/check_report.h"
#include "quiz/content_digest.h"
#include "quiz/navigator.h"
#include "quiz/quiz_document.h"
#include "quiz/observer.h"
#include "quiz/quiz_list.h"
#include "quiz/quiz_progress.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QuizCheckWorker;
class wxXmlDocument;
struct QuizBalance;
struct QuizOutline;

// What changed, as flags; a command publishes one message with all of them.
struct SessionChange
{
    enum : unsigned
    {
        Quizzes = 1,    // the quizzes on offer (an opened file took its place)
        Quiz = 2,       // which quiz is current
        Question = 4,   // the question on screen, or the answer selected on it
        Status = 8,     // the place, the figures or the notice
        Problems = 16,  // the opened quiz's findings or the state of its file
        Map = 32,       // the version of the current quiz the map shows
        Document = 64,  // the document of the current quiz was replaced (another
                        // quiz, a new one, the file read again): edits made
                        // to the one before no longer apply
        Unsaved = 128   // whether the opened quiz has unsaved edits
    };
    unsigned what = 0;

    bool Has(unsigned flags) const { return (what & flags) != 0; }
};

// One version of an opened quiz, as read (from its file or from the edited
// document): what was found in it and its outline.
struct QuizVersion
{
    FileIdentity content;  // of the file's bytes it was read from; unknown for a document's
    FindingList findings;
    std::shared_ptr<const QuizOutline> outline;
    // Of the outline: worked out with it in the background, else when first
    // asked for (see QuizSession::Balance).
    std::shared_ptr<const QuizBalance> balance;
};

// A quiz the user opened from a file, and how its file stands. Two facts
// are kept apart: the file's content that the quiz in play is based on
// (what a save expects to find on disk), and the last version that can be
// played.
struct OpenedQuiz
{
    enum class FileState
    {
        Read,    // the version played is the file's content, or the edited document's
        Gone,    // the file is gone; the last version read is played
        Broken   // the file (or the edited document) does not read as a quiz
                 // now; the last good version is played
    };

    wxString path;  // full path; empty for a new quiz not saved yet
    // The file's name ("Untitled quiz" for a new one): its title in the quiz
    // choice when the quiz names itself with no TITLE.
    wxString name;
    // The file's bytes as last read from it or written to it, for what is
    // played and edited: another content on disk is another program's.
    FileIdentity base;
    QuizVersion version;  // the one played
    FileState state = FileState::Read;
    // While Broken: why, for a message, and what was found in what cannot
    // be played.
    wxString error;
    QuizVersion broken;
};

// The content of the file at `path` now; unknown when there is none or it
// cannot be read.
FileIdentity FileIdentityOnDisk(const wxString& path);

class QuizSession : public Publisher<SessionChange>
{
public:
    // The file a built-in quiz is read from (the edition for the interface
    // language, where the run-time files are).
    using BuiltInPath = std::function<wxString(const QuizEntry&)>;
    // The outcome of FileChanged.
    enum class FileCheck
    {
        Done,     // read, or nothing to read
        Conflict  // another program changed the file while the opened
                  // quiz has unsaved edits: nothing was read; the author
                  // chooses KeepEdits or TakeFile
    };
    // A save: where, and what the author already agreed to.
    struct SaveRequest
    {
        wxString path;
        // What the file at `path` is expected to hold; unknown: the opened
        // quiz's base when it is that file, else nothing is expected.
        FileIdentity expected;
        bool overwriteChanged = false;   // write over another program's change
        bool overwriteReadOnly = false;  // write over a read-only file
    };
    enum class SaveOutcome
    {
        Saved,
        Failed,         // nothing written; the error says why
        ChangedOnDisk,  // the file is not what the quiz is based on: nothing written
        ReadOnly        // the file is read only: nothing written
    };

    // The built-in quizzes are read into `document`, which the caller owns.
    QuizSession(std::vector<QuizEntry> builtIns, BuiltInPath builtInPath,
                wxXmlDocument& document);
    ~QuizSession();
    QuizSession(const QuizSession&) = delete;
    QuizSession& operator=(const QuizSession&) = delete;

    // ---- The quizzes on offer
    const std::vector<QuizEntry>& Quizzes() const { return m_quizzes; }
    // The chosen quiz: it decides how the quiz ends, also when its file did
    // not load and another quiz's question is on screen.
    int CurrentIndex() const { return m_index; }
    const QuizEntry& CurrentQuiz() const { return m_quizzes[m_index]; }
    bool OpenedShown() const { return !CurrentQuiz().IsBuiltIn(); }
    // The opened quiz (whether shown or not); null before one is opened.
    const OpenedQuiz* Opened() const { return m_opened.get(); }

    // ---- Commands
    // Reads built-in quiz `index` (a switch reads its file again, adding
    // its questions to those of the built-in quizzes read before) and starts
    // it. For the opened quiz: reads the file when it changed and starts it;
    // false, changing nothing, when it cannot be read as a quiz (`error`
    // says why, naming the file).
    bool Switch(int index, wxString* error = nullptr);
    // Reads the file as a quiz of its own, offered after the built-in
    // quizzes in place of the one opened before, and starts it. False,
    // changing nothing, when it cannot be read as a quiz.
    bool Open(const wxString& path, wxString& error);
    // Shows the entry question of the quiz in play; without one, nothing
    // changes.
    void Reset();
    // Follows answer `choice` of the question on screen.
    QuizNavigator::Step Next(int choice);
    void Prev();
    // Shows question `id` of the opened quiz, played from there as from a
    // fresh start; false, changing nothing, when the opened quiz is not
    // shown or has no such question.
    bool GoTo(const wxString& id);
    // The answer selected on screen, kept for a reload.
    void Select(int answer) { m_selection = answer; }
    // The opened file may have changed on disk: it is read again, and a new
    // content replaces the quiz, keeping the player's place. The editor's
    // own saves do not count as changes.
    FileCheck FileChanged();
    // Frees question records no view shows any longer (after a reload, once
    // the new question is on screen).
    void ReleaseDisplaced();

    // ---- Writing a quiz
    // The document of the current quiz, for the editor: the opened quiz's,
    // read from its file when first asked for, or a built-in quiz's file,
    // read only. Null, with DocumentError() saying why, when the file cannot
    // be read as a quiz file. Shared: whoever holds it across an event loop
    // (a dialog) keeps it alive, though the session may have replaced it
    // meanwhile (and said so with SessionChange::Document).
    std::shared_ptr<QuizDocument> Document();
    const wxString& DocumentError() const { return m_documentError; }
    bool DocumentReadOnly() const { return !OpenedShown(); }
    // The opened quiz's document, whether shown or not; null before one is
    // asked for.
    const std::shared_ptr<QuizDocument>& EditedDocument() const { return m_edited; }
    // Whether the opened quiz has edits not saved, typing included, or its
    // document is the only copy left (the file is gone).
    bool HasUnsavedEdits() const;
    // Text is being typed into the opened quiz's document that differs from
    // it: an unsaved edit already, before it becomes one.
    void SetTyping(bool typing);
    bool Typing() const { return m_typing; }
    // Starts an untitled quiz (one question, two answers) as the opened
    // quiz, in place of the one opened before.
    void NewQuiz();
    // The file's content found in conflict may be written over by a save
    // of the edits; until then it is no longer a change.
    void KeepEdits();
    // Drops the unsaved edits and plays the file as it is now.
    void TakeFile();
    // Saves the current quiz's document to `request.path`, after looking at
    // the disk: another program's content there, or a read-only file, is
    // written over only when the request says so. A read-only built-in
    // quiz's document is written as a copy.
    SaveOutcome Save(const SaveRequest& request, wxString& error);

    // ---- Where the player stands
    const QuizNavigator& Navigator() const { return m_navigator; }
    const Question* Current() const { return m_navigator.Current(); }
    int Selection() const { return m_selection; }
    // The question on screen counted from 1 (answered so far, plus it).
    size_t Place() const { return m_navigator.Answered() + 1; }
    // How far the ends are from the question on screen, within its own
    // quiz; null when no end can be reached or the question is no longer
    // part of it.
    const QuizProgress* Progress() const;
    // After an answer of the opened quiz whose target names no question:
    // that target, until the player moves on; empty otherwise.
    const wxString& MissingTarget() const { return m_missingTarget; }
    // Whether the question on screen is one of the opened quiz's.
    bool OpenedQuestionShown() const;
    // The result the quiz shown describes for an ending answer (see
    // QuizResults::ForAnswer); null for a built-in quiz and where it
    // describes none. Valid until the opened quiz is read again.
    const QuizResult* DescribedResult(const Answer& ending) const;

    // ---- What the map shows
    // The outline of the current quiz's version; null when its file cannot
    // be read as a quiz. A built-in quiz's is read when first asked for
    // after a switch.
    std::shared_ptr<const QuizOutline> MapOutline();
    // The balance of results of that outline; null without one.
    std::shared_ptr<const QuizBalance> Balance();

    // ---- Checking edits in the background
    // Hands `work` to the thread that owns the session, to run soon (a
    // window's CallAfter). Called on another thread: it must be safe there.
    using Poster = std::function<void(std::function<void()>)>;
    // From now on the edited document of a quiz of at least `threshold`
    // questions is read and checked on a thread of its own, from a snapshot:
    // an edit shows at once on the question on screen when it touched only
    // that question, and the findings, the balance, the map and the other
    // questions follow when the check is done, newer edits superseding
    // older checks. Smaller quizzes are read at once, as without it.
    void CheckInBackground(Poster poster, size_t threshold = 500);
    // Whether the quiz on screen has edits not checked yet: its findings,
    // balance and map are of an earlier version until then.
    bool Checking() const { return m_checking != 0 && OpenedShown(); }
    // Waits for the check under way and shows its result now (for tests,
    // benchmarks, and whoever needs the findings of the last edit).
    void FinishChecking();

private:
    struct Read;  // one reading of the opened file
    // Reads the file at `path` into `read`; false when it cannot be read.
    // With `known`, a content the opened quiz is based on (or already found
    // broken) is not parsed again.
    bool ReadFile(const wxString& path, Read& read, bool known = true) const;
    // Makes a good reading the opened quiz's version and its base; true
    // when that changed the opened quiz's title.
    bool Adopt(Read& read);
    // The opened quiz's entry titled by its TITLE, else its file's name;
    // true when the title changed.
    bool RetitleOpened();
    void LoadBuiltIn(const QuizEntry& quiz);
    // Starts the quiz in play; false, changing nothing, without an entry.
    bool Start();
    void ClearNotice() { m_missingTarget.clear(); }
    // Plays `read` in place of the opened quiz's version, keeping the
    // player's place, and says so.
    void Replay(Read& read, unsigned also);
    // The edited document's content made the opened quiz's version, at once
    // or in the background; `change` says what the edit touched (null: all).
    void DocumentEdited(const QuizDocumentChange* change = nullptr);
    // The edited document read here and now, and made the version.
    void DocumentRead();
    // A reading of the edited document (`playable` when it can be played)
    // made the opened quiz's version, the broken one else.
    void EditedRead(Read& read, bool playable);
    // The question on screen read again from the document, when `question`
    // is the element it was read from; false when it is not shown.
    bool ShowEdited(size_t question);
    // The background check's result, when it is the newest edit's.
    void TakeChecked();
    // Frees what the window no longer shows, off this thread where it can.
    void Discard(std::shared_ptr<void> garbage);
    void DocumentSaved();
    // Offers `opened` after the built-in quizzes, in place of the quiz
    // opened before, and starts it.
    void Offer(const QuizEntry& opened);
    // Makes `document` the opened quiz's and follows its edits.
    void Edit(std::shared_ptr<QuizDocument> document);
    // Drops the opened quiz's document (and its history); true when there was one.
    bool DropEdited();

    std::vector<QuizEntry> m_quizzes;
    BuiltInPath m_builtInPath;
    wxXmlDocument& m_document;
    int m_index = 0;

    QuizNavigator m_navigator;
    int m_selection = wxNOT_FOUND;
    wxString m_missingTarget;

    // The built-in quizzes share one table, each switch adding on top.
    QuestionTable m_builtIn{100};
    QuizProgressMap m_builtInProgress;
    std::shared_ptr<const QuizOutline> m_builtInOutline;
    bool m_builtInOutlineRead = false;

    // The opened quiz has a table of its own, the same object for every
    // version, so that a record still on screen outlives its version.
    std::unique_ptr<OpenedQuiz> m_opened;
    QuestionTable m_openedTable{100};
    QuizProgressMap m_openedProgress;

    std::shared_ptr<QuizDocument> m_edited;           // the opened quiz's, once asked for
    std::shared_ptr<QuizDocument> m_builtInDocument;  // the built-in quiz shown, read only
    bool m_builtInDocumentRead = false;
    wxString m_documentError;
    bool m_typing = false;          // see SetTyping
    bool m_editedBroken = false;    // the edited document cannot be played
    bool m_editedOverwritten = false;  // a copy of another quiz was saved over its file
    FileIdentity m_askedAbout;      // the file's content last found in conflict
    FileIdentity m_accepted;        // a content on disk the author agreed to write over
    Publisher<QuizDocumentChange>::Subscription m_editedSubscription;

    std::shared_ptr<const QuizBalance> m_balance;     // see Balance
    std::shared_ptr<const QuizOutline> m_balanceOf;   // the outline it is of
    std::unique_ptr<QuizCheckWorker> m_checker;      // see CheckInBackground
    size_t m_backgroundFrom = 0;
    unsigned long m_checking = 0;  // the check asked for last, until taken
    // Gone with the session: work posted by the checker's thread then does nothing.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
