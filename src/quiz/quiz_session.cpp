// The model of the quiz on screen.
#include "quiz/quiz_session.h"

#include "quiz/check_worker.h"
#include "quiz/content_digest.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_document.h"
#include "quiz/quiz_file.h"
#include "quiz/safe_save.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

namespace
{

FileIdentity IdentityOf(const std::vector<char>& bytes)
{
    return FileIdentity::Of(bytes.data(), bytes.size());
}

bool SamePath(const wxString& one, const wxString& other)
{
    return !one.empty() && !other.empty() && wxFileName(one).SameAs(wxFileName(other));
}

} // namespace

FileIdentity FileIdentityOnDisk(const wxString& path)
{
    if (!wxFileName::FileExists(path))
        return FileIdentity{};
    std::vector<char> bytes;
    QuizFileCheck check;
    wxLogNull quiet;
    if (!ReadQuizVersion(path, bytes, check))
        return FileIdentity{};
    return IdentityOf(bytes);
}

struct QuizSession::Read
{
    QuizFileCheck check;
    QuestionTable table{100};
    QuizVersion version;
    bool same = false;        // the content the quiz is based on: nothing was parsed
    bool sameBroken = false;  // the content already found broken: nothing was parsed
    // The table's figures, when worked out with it in the background.
    QuizProgressMap progress;
    bool progressKnown = false;
    // The check's table, taken in place of `table`, when read in the background.
    QuestionTable* checked = nullptr;
};

QuizSession::QuizSession(std::vector<QuizEntry> builtIns, BuiltInPath builtInPath,
                         wxXmlDocument& document)
    : m_quizzes(std::move(builtIns)), m_builtInPath(std::move(builtInPath)), m_document(document)
{
    m_navigator.Play(m_builtIn);
}

QuizSession::~QuizSession() = default;

bool QuizSession::ReadFile(const wxString& path, Read& read, bool known) const
{
    std::vector<char> bytes;
    if (!ReadQuizVersion(path, bytes, read.check))
        return false;
    read.version.content = IdentityOf(bytes);
    if (known && m_opened && m_opened->path == path)
    {
        if (read.version.content == m_opened->base &&
            m_opened->state != OpenedQuiz::FileState::Gone)
        {
            read.same = true;
            return true;
        }
        if (m_opened->state == OpenedQuiz::FileState::Broken &&
            read.version.content == m_opened->broken.content)
        {
            read.sameBroken = true;
            read.check.error = m_opened->error;
            return false;
        }
    }
    auto outline = std::make_shared<QuizOutline>();
    const bool loaded =
        LoadCheckedQuizBytes(bytes.data(), bytes.size(), path, read.table, read.check, outline.get());
    read.version.findings = read.check.report.findings;
    if (loaded)
        read.version.outline = std::move(outline);
    return loaded;
}

bool QuizSession::Adopt(Read& read)
{
    if (read.same)
        return false;
    if (read.version.content.known)
        m_opened->base = read.version.content;
    Discard(std::make_shared<QuizVersion>(std::move(m_opened->version)));
    m_opened->version = std::move(read.version);
    m_opened->state = OpenedQuiz::FileState::Read;
    m_opened->error.clear();
    Discard(std::make_shared<QuizVersion>(std::move(m_opened->broken)));
    m_opened->broken = QuizVersion{};
    m_openedTable.Replace(read.checked ? *read.checked : read.table);
    if (read.progressKnown)
    {
        m_openedProgress = std::move(read.progress);
        m_openedProgress.Rebind(m_openedTable);
    }
    else
        m_openedProgress = QuizProgressMap(m_openedTable);
    return RetitleOpened();
}

bool QuizSession::RetitleOpened()
{
    if (!m_opened || m_quizzes.empty() || m_quizzes.back().IsBuiltIn())
        return false;
    // One line in the choice and the window's title, however it was typed.
    wxString title;
    bool blank = false;
    for (const wxUniChar c : m_openedTable.Results().title)
    {
        if (wxIsspace(c))
        {
            blank = !title.empty();
            continue;
        }
        if (blank)
            title += ' ';
        blank = false;
        title += c;
    }
    if (title.empty())
        title = m_opened->name;
    if (m_quizzes.back().title == title)
        return false;
    m_quizzes.back().title = title;
    return true;
}

const QuizResult* QuizSession::DescribedResult(const Answer& ending) const
{
    return OpenedShown() ? m_openedTable.Results().ForAnswer(ending.text) : nullptr;
}

void QuizSession::LoadBuiltIn(const QuizEntry& quiz)
{
    QuestionTable file;
    if (LoadQuiz(m_document, m_builtInPath(quiz), file))
    {
        m_builtIn.Adopt(file);
        m_navigator.ReleaseDisplaced(m_builtIn);
        m_builtInProgress = QuizProgressMap(m_builtIn);
    }
    m_builtInOutline.reset();
    m_builtInOutlineRead = false;
}

bool QuizSession::Start()
{
    Question* entry = m_navigator.Start();
    if (entry)
        m_selection = entry->answers.empty() ? wxNOT_FOUND : 0;
    return entry != nullptr;
}

bool QuizSession::Switch(int index, wxString* error)
{
    if (index < 0 || static_cast<size_t>(index) >= m_quizzes.size())
        return false;
    const QuizEntry& quiz = m_quizzes[index];
    bool retitled = false;
    if (quiz.IsBuiltIn())
    {
        m_index = index;
        LoadBuiltIn(quiz);
        m_navigator.Play(m_builtIn);
    }
    else if (m_edited && (HasUnsavedEdits() || m_opened->path.empty()))
    {
        // Unsaved edits are what is played; the file is compared with them
        // by FileChanged.
        m_index = index;
        m_navigator.Play(m_openedTable);
    }
    else
    {
        Read read;
        if (!ReadFile(quiz.path, read))
        {
            if (error)
                *error = read.check.error;
            return false;
        }
        m_index = index;
        // A document read before holds the old content.
        if (!read.same)
            DropEdited();
        retitled = Adopt(read);
        m_navigator.Play(m_openedTable);
    }
    ClearNotice();
    m_builtInDocument.reset();
    m_builtInDocumentRead = false;
    SessionChange change{SessionChange::Quiz | SessionChange::Status | SessionChange::Problems |
                         SessionChange::Map | SessionChange::Document};
    if (retitled)
        change.what |= SessionChange::Quizzes;
    // Without an entry question the screen stays as it was.
    if (Start())
        change.what |= SessionChange::Question;
    Publish(change);
    ReleaseDisplaced();
    return true;
}

bool QuizSession::Open(const wxString& path, wxString& error)
{
    wxFileName file(path);
    file.MakeAbsolute();
    const wxString fullPath = file.GetFullPath();
    // Read whole: what is played may be edits the file does not hold.
    Read read;
    if (!ReadFile(fullPath, read, false))
    {
        error = read.check.error;
        return false;
    }
    if (!m_opened)
        m_opened = std::make_unique<OpenedQuiz>();
    DropEdited();
    *m_opened = OpenedQuiz{};
    m_opened->path = fullPath;
    Adopt(read);

    Offer(QuizEntry{file.GetFullName(), wxString(), fullPath, QuizEnding::MessageBox});
    return true;
}

void QuizSession::Offer(const QuizEntry& opened)
{
    // One opened quiz at a time: it takes the entry after the built-in ones.
    size_t builtIns = 0;
    while (builtIns < m_quizzes.size() && m_quizzes[builtIns].IsBuiltIn())
        ++builtIns;
    m_quizzes.resize(builtIns);
    m_quizzes.push_back(opened);
    m_opened->name = opened.title;
    RetitleOpened();
    m_index = static_cast<int>(builtIns);
    m_navigator.Play(m_openedTable);
    ClearNotice();
    Start();
    Publish(SessionChange{SessionChange::Quizzes | SessionChange::Quiz | SessionChange::Question |
                          SessionChange::Status | SessionChange::Problems | SessionChange::Map |
                          SessionChange::Document});
    ReleaseDisplaced();
}

void QuizSession::Reset()
{
    ClearNotice();
    if (Start())
        Publish(SessionChange{SessionChange::Question | SessionChange::Status});
}

QuizNavigator::Step QuizSession::Next(int choice)
{
    m_selection = choice;
    const QuizNavigator::Step step = m_navigator.Next(choice);
    const bool hadNotice = !m_missingTarget.empty();
    ClearNotice();
    switch (step.kind)
    {
        case QuizNavigator::Step::Moved:
            m_selection = step.question->answers.empty() ? wxNOT_FOUND : 0;
            Publish(SessionChange{SessionChange::Question | SessionChange::Status});
            return step;
        case QuizNavigator::Step::Stayed:
            // The built-in quizzes stay silently; an author learns why.
            if (OpenedQuestionShown())
                m_missingTarget = step.answer->target;
            break;
        case QuizNavigator::Step::NoChoice:
        case QuizNavigator::Step::Ended:
            break;
    }
    if (hadNotice || !m_missingTarget.empty())
        Publish(SessionChange{SessionChange::Status});
    return step;
}

void QuizSession::Prev()
{
    if (Question* back = m_navigator.Prev())
    {
        m_selection = back->answers.empty() ? wxNOT_FOUND : 0;
        ClearNotice();
        Publish(SessionChange{SessionChange::Question | SessionChange::Status});
    }
}

bool QuizSession::GoTo(const wxString& id)
{
    if (!OpenedShown() || id.empty() || !m_openedTable.FindQuestion(id))
        return false;
    // Played from there as from a fresh start: no way back, counted anew.
    QuizPlace place;
    place.current = id;
    m_navigator.Play(m_openedTable);
    m_selection = m_navigator.MoveTo(place).selection;
    ClearNotice();
    Publish(SessionChange{SessionChange::Question | SessionChange::Status});
    return true;
}

QuizSession::FileCheck QuizSession::FileChanged()
{
    if (!m_opened || m_opened->path.empty())
        return FileCheck::Done;
    OpenedQuiz& opened = *m_opened;
    const SessionChange fileState{SessionChange::Problems | SessionChange::Map};
    if (!wxFileName::FileExists(opened.path))
    {
        // The document (if any) is the only copy now: an unsaved edit.
        if (OpenedShown() && opened.state != OpenedQuiz::FileState::Gone)
        {
            opened.state = OpenedQuiz::FileState::Gone;
            Publish(SessionChange{fileState.what | SessionChange::Unsaved});
        }
        else if (m_edited)
            Publish(SessionChange{SessionChange::Unsaved});
        return FileCheck::Done;
    }
    if (HasUnsavedEdits())
    {
        // Whatever quiz is on screen: the edits are kept until the author
        // chose, and the file is only compared, with what they are based on
        // and what was asked about or agreed to before.
        const FileIdentity now = FileIdentityOnDisk(opened.path);
        if (!now.known || now == opened.base || now == m_askedAbout || now == m_accepted)
            return FileCheck::Done;
        m_askedAbout = now;
        return FileCheck::Conflict;
    }
    // A quiz not on show is read again when it is chosen.
    if (!OpenedShown())
        return FileCheck::Done;
    Read read;
    if (!ReadFile(opened.path, read))
    {
        if (read.sameBroken)
            return FileCheck::Done;
        // The last good version stays in play, and so does its base: edits
        // made to it are not based on this content.
        opened.state = OpenedQuiz::FileState::Broken;
        opened.error = read.check.error;
        opened.broken = std::move(read.version);
        Publish(fileState);
        return FileCheck::Done;
    }
    if (read.same)
    {
        // Broken for a while, the file is what the quiz is based on again.
        if (opened.state == OpenedQuiz::FileState::Broken && !m_editedBroken)
        {
            opened.state = OpenedQuiz::FileState::Read;
            opened.error.clear();
            opened.broken = QuizVersion{};
            Publish(fileState);
        }
        return FileCheck::Done;
    }
    // The editor shows the file as it is now; its history, with nothing
    // unsaved, goes with the content it was made on. A file come back as it
    // was keeps it.
    unsigned also = 0;
    if (read.version.content != opened.base && DropEdited())
        also = SessionChange::Document;
    Replay(read, also);
    return FileCheck::Done;
}

void QuizSession::Replay(Read& read, unsigned also)
{
    const QuizPlace place = m_navigator.Place(m_selection);
    const bool placeInFile = OpenedQuestionShown();
    if (Adopt(read))
        also |= SessionChange::Quizzes;
    m_navigator.Play(m_openedTable);
    if (placeInFile)
        m_selection = m_navigator.MoveTo(place).selection;
    ClearNotice();
    Publish(SessionChange{SessionChange::Question | SessionChange::Status | SessionChange::Problems |
                          SessionChange::Map | also});
}

bool QuizSession::HasUnsavedEdits() const
{
    if (!m_edited)
        return false;
    if (m_edited->IsModified() || m_typing || m_editedOverwritten)
        return true;
    // Another program took the file away: the document is its only copy.
    return !m_opened->path.empty() && !wxFileName::FileExists(m_opened->path);
}

void QuizSession::SetTyping(bool typing)
{
    typing = typing && m_edited && OpenedShown();
    if (typing == m_typing)
        return;
    m_typing = typing;
    Publish(SessionChange{SessionChange::Unsaved});
}

void QuizSession::KeepEdits()
{
    // Written over when the author saves; until then no longer a change.
    m_accepted = m_askedAbout;
}

void QuizSession::TakeFile()
{
    if (!m_opened || !DropEdited())
        return;
    // Read whole, whatever it was compared with before.
    m_opened->base = FileIdentity{};
    if (OpenedShown())
    {
        Read read;
        if (ReadFile(m_opened->path, read))
        {
            Replay(read, SessionChange::Document | SessionChange::Unsaved);
            ReleaseDisplaced();
            return;
        }
        // Not a quiz now: the last good version stays, as for any broken save.
        if (!read.sameBroken)
        {
            m_opened->state = OpenedQuiz::FileState::Broken;
            m_opened->error = read.check.error;
            m_opened->broken = std::move(read.version);
        }
    }
    Publish(SessionChange{SessionChange::Document | SessionChange::Unsaved |
                          SessionChange::Problems | SessionChange::Map});
}

bool QuizSession::DropEdited()
{
    m_typing = false;
    m_editedBroken = false;
    m_editedOverwritten = false;
    m_askedAbout = FileIdentity{};
    m_accepted = FileIdentity{};
    // A check under way is of what goes now.
    if (m_checker)
        m_checker->Cancel();
    m_checking = 0;
    if (!m_edited)
        return false;
    m_editedSubscription.Reset();
    m_edited.reset();
    return true;
}

std::shared_ptr<QuizDocument> QuizSession::Document()
{
    m_documentError.clear();
    if (!OpenedShown())
    {
        if (!m_builtInDocumentRead)
        {
            m_builtInDocumentRead = true;
            m_builtInDocument = QuizDocument::OpenFile(m_builtInPath(CurrentQuiz()), m_documentError);
        }
        if (!m_builtInDocument && m_documentError.empty())
            m_documentError = _("The quiz cannot be read.");
        return m_builtInDocument;
    }
    if (m_edited)
        return m_edited;
    std::vector<char> bytes;
    QuizFileCheck check;
    if (!ReadQuizVersion(m_opened->path, bytes, check))
    {
        m_documentError = check.error;
        return nullptr;
    }
    std::unique_ptr<QuizDocument> document =
        QuizDocument::Open(bytes.data(), bytes.size(), m_opened->path, m_documentError);
    if (!document)
        return nullptr;
    const FileIdentity content = IdentityOf(bytes);
    const bool changed = content != m_opened->base;
    m_opened->base = content;
    Edit(std::move(document));
    // The file changed since it was played: what the editor shows is played.
    if (changed)
        DocumentEdited();
    return m_edited;
}

void QuizSession::Edit(std::shared_ptr<QuizDocument> document)
{
    DropEdited();
    m_edited = std::move(document);
    m_editedSubscription = m_edited->Subscribe([this](const QuizDocumentChange& change) {
        if (change.kind == QuizDocumentChange::Saved)
            DocumentSaved();
        else
            DocumentEdited(&change);
    });
}

void QuizSession::DocumentEdited(const QuizDocumentChange* change)
{
    if (m_checker && m_edited->QuestionCount() >= m_backgroundFrom)
    {
        // The views say they are checking from the first edit of a burst on.
        unsigned what = SessionChange::Unsaved;
        if (!Checking())
            what |= SessionChange::Problems | SessionChange::Map;
        m_checking = m_checker->Request(m_edited->Snapshot());
        if (change && change->kind == QuizDocumentChange::Question && ShowEdited(change->question))
            what |= SessionChange::Question | SessionChange::Status;
        // The record displaced by ShowEdited goes with the check's table:
        // freeing it now would cost a walk of every record.
        Publish(SessionChange{what});
        return;
    }
    DocumentRead();
}

void QuizSession::DocumentRead()
{
    Read read;
    auto outline = std::make_shared<QuizOutline>();
    const bool playable = m_edited->Read(read.table, read.check, outline.get());
    read.version.findings = read.check.report.findings;
    if (playable)
        read.version.outline = std::move(outline);
    EditedRead(read, playable);
}

void QuizSession::EditedRead(Read& read, bool playable)
{
    m_editedBroken = !playable;
    if (!playable)
    {
        // Not a quiz to play (no question 1001 with an answer): the last
        // playable content stays on screen, the findings say why.
        m_opened->state = OpenedQuiz::FileState::Broken;
        m_opened->error = read.check.error;
        m_opened->broken = std::move(read.version);
        Publish(SessionChange{SessionChange::Problems | SessionChange::Map | SessionChange::Unsaved});
        return;
    }
    if (!OpenedShown())
    {
        const unsigned retitled = Adopt(read) ? unsigned{SessionChange::Quizzes} : 0u;
        Publish(SessionChange{SessionChange::Problems | SessionChange::Map | SessionChange::Unsaved |
                              retitled});
        return;
    }
    Replay(read, SessionChange::Unsaved);
    ReleaseDisplaced();
}

bool QuizSession::ShowEdited(size_t question)
{
    // Only the record on screen is read: the other questions, the figures
    // and the findings come with the check.
    const Question* current = Current();
    if (!OpenedQuestionShown() || m_openedTable.FindQuestion(current->id) != current)
        return false;
    std::unique_ptr<Question> record = m_edited->PlayedQuestion(question, current->id);
    if (!record)
        return false;
    record->backId = current->backId;
    const QuizPlace place = m_navigator.Place(m_selection);
    const Question& stored = m_openedTable.Store(std::move(record));
    m_openedProgress.Follow(current, &stored);
    m_navigator.Play(m_openedTable);
    m_selection = m_navigator.MoveTo(place).selection;
    ClearNotice();
    return true;
}

void QuizSession::CheckInBackground(Poster poster, size_t threshold)
{
    m_backgroundFrom = threshold;
    const std::weak_ptr<bool> alive = m_alive;
    m_checker = std::make_unique<QuizCheckWorker>([this, alive, poster = std::move(poster)] {
        poster([this, alive] {
            if (alive.lock())
                TakeChecked();
        });
    });
}

void QuizSession::FinishChecking()
{
    if (!m_checker || m_checking == 0)
        return;
    m_checker->Wait();
    TakeChecked();
}

void QuizSession::TakeChecked()
{
    if (!m_checker || m_checking == 0)
        return;
    const std::unique_ptr<QuizCheckWorker::Result> result = m_checker->Take();
    // Taken already, or an older edit's, overtaken on its way here.
    if (!result || result->generation != m_checking || !m_edited)
        return;
    m_checking = 0;
    if (result->unread)
    {
        DocumentRead();
        return;
    }
    Read read;
    read.checked = &result->table;
    read.check = std::move(result->check);
    read.version.findings = read.check.report.findings;
    read.version.outline = result->outline;
    read.version.balance = result->balance;
    read.progress = std::move(result->progress);
    read.progressKnown = result->playable;
    EditedRead(read, result->playable);
}

void QuizSession::DocumentSaved()
{
    OpenedQuiz& opened = *m_opened;
    // What is on disk now is what the edits are based on; the version
    // played, good or not, stays what it is.
    opened.base = FileIdentity{m_edited->SavedDigest(), m_edited->SavedSize(), true};
    m_askedAbout = FileIdentity{};
    m_accepted = FileIdentity{};
    m_typing = false;
    m_editedOverwritten = false;
    unsigned what = SessionChange::Status | SessionChange::Unsaved;
    if (opened.state == OpenedQuiz::FileState::Gone)
    {
        opened.state = m_editedBroken ? OpenedQuiz::FileState::Broken : OpenedQuiz::FileState::Read;
        what |= SessionChange::Problems | SessionChange::Map;
    }
    if (opened.path != m_edited->Path())
    {
        // Saved under another name: the entry is that file now.
        wxFileName file(m_edited->Path());
        opened.path = file.GetFullPath();
        QuizEntry& entry = m_quizzes.back();
        opened.name = file.GetFullName();
        entry.title = opened.name;
        entry.path = opened.path;
        RetitleOpened();
        what |= SessionChange::Quizzes | SessionChange::Quiz;
    }
    Publish(SessionChange{what});
}

QuizSession::SaveOutcome QuizSession::Save(const SaveRequest& request, wxString& error)
{
    const std::shared_ptr<QuizDocument> document = Document();
    if (!document)
    {
        error = m_documentError;
        return SaveOutcome::Failed;
    }
    wxFileName file(request.path);
    file.MakeAbsolute();
    const wxString path = file.GetFullPath();
    FileIdentity expected = request.expected;
    const bool own = document == m_edited && SamePath(path, m_opened->path);
    if (!expected.known && own)
        expected = m_opened->base;
    if (expected.known && !request.overwriteChanged)
    {
        // Looked at right before writing: whatever the author saw last, a
        // content another program wrote since is not lost unasked.
        const FileIdentity now = FileIdentityOnDisk(path);
        if (now.known && now != expected && !(own && now == m_accepted))
            return SaveOutcome::ChangedOnDisk;
    }
    if (!request.overwriteReadOnly && wxFileName::FileExists(path) && IsReadOnlyFile(path))
        return SaveOutcome::ReadOnly;
    if (!document->Save(path, error))
        return SaveOutcome::Failed;
    // Another document (a built-in quiz's copy) written over the opened
    // quiz's file: the opened quiz's document is its only copy now.
    if (m_edited && document != m_edited && SamePath(path, m_opened->path))
    {
        m_editedOverwritten = true;
        Publish(SessionChange{SessionChange::Unsaved});
    }
    return SaveOutcome::Saved;
}

void QuizSession::NewQuiz()
{
    if (!m_opened)
        m_opened = std::make_unique<OpenedQuiz>();
    DropEdited();
    *m_opened = OpenedQuiz{};
    Edit(QuizDocument::New());
    Read read;
    auto outline = std::make_shared<QuizOutline>();
    m_edited->Read(read.table, read.check, outline.get());
    read.version.findings = read.check.report.findings;
    read.version.outline = std::move(outline);
    Adopt(read);
    Offer(QuizEntry{_("Untitled quiz"), wxString(), wxString(), QuizEnding::MessageBox});
}

void QuizSession::ReleaseDisplaced()
{
    m_navigator.ReleaseDisplaced(m_builtIn);
    if (m_checker)
        Discard(std::make_shared<std::vector<std::unique_ptr<Question>>>(
            m_navigator.TakeDisplaced(m_openedTable)));
    else
        m_navigator.ReleaseDisplaced(m_openedTable);
}

void QuizSession::Discard(std::shared_ptr<void> garbage)
{
    // Freed by the checker's thread when there is one.
    if (m_checker)
        m_checker->Discard(std::move(garbage));
}

const QuizProgress* QuizSession::Progress() const
{
    const Question* current = Current();
    if (!current)
        return nullptr;
    if (m_navigator.CurrentTable() == &m_openedTable)
        return m_openedProgress.Find(current);
    return m_builtInProgress.Find(current);
}

bool QuizSession::OpenedQuestionShown() const
{
    return Current() && m_navigator.CurrentTable() == &m_openedTable;
}

std::shared_ptr<const QuizBalance> QuizSession::Balance()
{
    const std::shared_ptr<const QuizOutline> outline = MapOutline();
    if (!outline)
        return nullptr;
    if (OpenedShown() && m_opened->version.outline == outline && m_opened->version.balance)
        return m_opened->version.balance;
    if (m_balanceOf != outline)
    {
        m_balance = std::make_shared<const QuizBalance>(BalanceOf(*outline));
        m_balanceOf = outline;
    }
    return m_balance;
}

std::shared_ptr<const QuizOutline> QuizSession::MapOutline()
{
    if (OpenedShown())
        return m_opened->version.outline;
    if (!m_builtInOutlineRead)
    {
        m_builtInOutlineRead = true;
        auto outline = std::make_shared<QuizOutline>();
        wxLogNull quiet;  // the loader has said why already, when it read the quiz
        if (CheckQuizFile(m_builtInPath(CurrentQuiz()), outline.get()).summary)
            m_builtInOutline = std::move(outline);
    }
    return m_builtInOutline;
}
