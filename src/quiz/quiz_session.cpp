// The model of the quiz on screen.
#include "quiz/quiz_session.h"

#include "quiz/content_digest.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_document.h"
#include "quiz/quiz_file.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

namespace
{

std::uint64_t Digest(const std::vector<char>& bytes)
{
    ContentDigest digest;
    digest.Add(bytes.data(), bytes.size());
    return digest.Value();
}

} // namespace

struct QuizSession::Read
{
    QuizFileCheck check;
    QuestionTable table{100};
    QuizVersion version;
    bool same = false;        // the content of the version played: nothing was parsed
    bool sameBroken = false;  // the content already found broken: nothing was parsed
};

QuizSession::QuizSession(std::vector<QuizEntry> builtIns, BuiltInPath builtInPath,
                         wxXmlDocument& document)
    : m_quizzes(std::move(builtIns)), m_builtInPath(std::move(builtInPath)), m_document(document)
{
    m_navigator.Play(m_builtIn);
}

QuizSession::~QuizSession() = default;

bool QuizSession::ReadFile(const wxString& path, Read& read) const
{
    std::vector<char> bytes;
    if (!ReadQuizVersion(path, bytes, read.check))
        return false;
    read.version.digest = Digest(bytes);
    read.version.size = bytes.size();
    if (m_opened && m_opened->path == path)
    {
        if (read.version.SameContent(m_opened->version))
        {
            read.same = true;
            return true;
        }
        if (m_opened->state == OpenedQuiz::FileState::Broken &&
            read.version.SameContent(m_opened->broken))
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

void QuizSession::Adopt(Read& read)
{
    if (read.same)
    {
        m_opened->state = OpenedQuiz::FileState::Read;
        m_opened->error.clear();
        m_opened->broken = QuizVersion{};
        return;
    }
    m_opened->version = std::move(read.version);
    m_opened->state = OpenedQuiz::FileState::Read;
    m_opened->error.clear();
    m_opened->broken = QuizVersion{};
    m_openedTable.Replace(read.table);
    m_openedProgress = QuizProgressMap(m_openedTable);
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
    if (quiz.IsBuiltIn())
    {
        m_index = index;
        LoadBuiltIn(quiz);
        m_navigator.Play(m_builtIn);
    }
    else if (m_edited && (m_edited->IsModified() || m_opened->path.empty()))
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
        if (!read.same && m_edited)
        {
            m_editedSubscription.Reset();
            m_edited.reset();
        }
        Adopt(read);
        m_navigator.Play(m_openedTable);
    }
    ClearNotice();
    m_builtInDocument.reset();
    m_builtInDocumentRead = false;
    SessionChange change{SessionChange::Quiz | SessionChange::Status | SessionChange::Problems |
                         SessionChange::Map | SessionChange::Document};
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
    // What is played may be edits the file does not hold: read it whole.
    if (m_edited)
    {
        m_opened->version.digest = 0;
        m_opened->version.size = 0;
    }
    Read read;
    if (!ReadFile(fullPath, read))
    {
        error = read.check.error;
        return false;
    }
    if (!m_opened)
        m_opened = std::make_unique<OpenedQuiz>();
    m_editedSubscription.Reset();
    m_edited.reset();
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
    // A quiz not on show is read again when it is chosen; a new quiz has
    // no file yet.
    if (!m_opened || !OpenedShown() || m_opened->path.empty())
        return FileCheck::Done;
    OpenedQuiz& opened = *m_opened;
    const SessionChange fileState{SessionChange::Problems | SessionChange::Map};
    if (!wxFileName::FileExists(opened.path))
    {
        if (opened.state != OpenedQuiz::FileState::Gone)
        {
            opened.state = OpenedQuiz::FileState::Gone;
            Publish(fileState);
        }
        return FileCheck::Done;
    }
    if (HasUnsavedEdits())
    {
        // The edits are kept until the author chose; the file is only
        // compared, with what was saved or read and what was found before.
        std::vector<char> bytes;
        QuizFileCheck check;
        if (!ReadQuizVersion(opened.path, bytes, check))
            return FileCheck::Done;
        const std::uint64_t digest = Digest(bytes);
        if ((digest == opened.version.digest && bytes.size() == opened.version.size) ||
            (digest == m_conflictDigest && bytes.size() == m_conflictSize))
            return FileCheck::Done;
        m_conflictDigest = digest;
        m_conflictSize = bytes.size();
        return FileCheck::Conflict;
    }
    Read read;
    if (!ReadFile(opened.path, read))
    {
        if (read.sameBroken)
            return FileCheck::Done;
        opened.state = OpenedQuiz::FileState::Broken;
        opened.error = read.check.error;
        opened.broken = std::move(read.version);
        opened.broken.findings = read.check.report.findings;
        Publish(fileState);
        return FileCheck::Done;
    }
    if (read.same)
    {
        if (opened.state != OpenedQuiz::FileState::Read)
        {
            Adopt(read);
            Publish(fileState);
        }
        return FileCheck::Done;
    }
    // The editor shows the file as it is now; edits undone before are gone.
    unsigned also = 0;
    if (m_edited)
    {
        m_editedSubscription.Reset();
        m_edited.reset();
        also = SessionChange::Document;
    }
    Replay(read, also);
    return FileCheck::Done;
}

void QuizSession::Replay(Read& read, unsigned also)
{
    const QuizPlace place = m_navigator.Place(m_selection);
    const bool placeInFile = OpenedQuestionShown();
    Adopt(read);
    m_navigator.Play(m_openedTable);
    if (placeInFile)
        m_selection = m_navigator.MoveTo(place).selection;
    ClearNotice();
    Publish(SessionChange{SessionChange::Question | SessionChange::Status | SessionChange::Problems |
                          SessionChange::Map | also});
}

bool QuizSession::HasUnsavedEdits() const
{
    return m_edited && m_edited->IsModified();
}

void QuizSession::KeepEdits()
{
    // Saved over when the author saves; until then no longer a change.
    if (m_opened && m_conflictDigest != 0)
    {
        m_opened->version.digest = m_conflictDigest;
        m_opened->version.size = m_conflictSize;
    }
    m_conflictDigest = 0;
    m_conflictSize = 0;
}

void QuizSession::TakeFile()
{
    if (!m_opened || !m_edited)
        return;
    m_editedSubscription.Reset();
    m_edited.reset();
    m_conflictDigest = 0;
    m_conflictSize = 0;
    // Read whole, whatever it was compared with before.
    m_opened->version.digest = 0;
    m_opened->version.size = 0;
    if (FileChanged() == FileCheck::Done)
        Publish(SessionChange{SessionChange::Document});
}

QuizDocument* QuizSession::Document()
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
        return m_builtInDocument.get();
    }
    if (m_edited)
        return m_edited.get();
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
    const std::uint64_t digest = Digest(bytes);
    const bool changed = digest != m_opened->version.digest || bytes.size() != m_opened->version.size;
    m_opened->version.digest = digest;
    m_opened->version.size = bytes.size();
    Edit(std::move(document));
    // The file changed since it was played: what the editor shows is played.
    if (changed)
        DocumentEdited();
    return m_edited.get();
}

void QuizSession::Edit(std::unique_ptr<QuizDocument> document)
{
    m_editedSubscription.Reset();
    m_edited = std::move(document);
    m_conflictDigest = 0;
    m_conflictSize = 0;
    m_editedSubscription = m_edited->Subscribe([this](const QuizDocumentChange& change) {
        if (change.kind == QuizDocumentChange::Saved)
            DocumentSaved();
        else
            DocumentEdited();
    });
}

void QuizSession::DocumentEdited()
{
    Read read;
    auto outline = std::make_shared<QuizOutline>();
    const bool playable = m_edited->Read(read.table, read.check, outline.get());
    read.version.digest = m_opened->version.digest;
    read.version.size = m_opened->version.size;
    read.version.findings = read.check.report.findings;
    if (!playable)
    {
        // Not a quiz to play (no question 1001 with an answer): the last
        // playable content stays on screen, the findings say why.
        m_opened->state = OpenedQuiz::FileState::Broken;
        m_opened->error = read.check.error;
        m_opened->broken = std::move(read.version);
        Publish(SessionChange{SessionChange::Problems | SessionChange::Map});
        return;
    }
    read.version.outline = std::move(outline);
    if (!OpenedShown())
    {
        Adopt(read);
        Publish(SessionChange{SessionChange::Problems | SessionChange::Map});
        return;
    }
    Replay(read, 0);
    ReleaseDisplaced();
}

void QuizSession::DocumentSaved()
{
    OpenedQuiz& opened = *m_opened;
    opened.version.digest = m_edited->SavedDigest();
    opened.version.size = m_edited->SavedSize();
    m_conflictDigest = 0;
    m_conflictSize = 0;
    unsigned what = SessionChange::Status;
    if (opened.state == OpenedQuiz::FileState::Gone)
    {
        opened.state = OpenedQuiz::FileState::Read;
        what |= SessionChange::Problems;
    }
    if (opened.path != m_edited->Path())
    {
        // Saved under another name: the entry is that file now.
        wxFileName file(m_edited->Path());
        opened.path = file.GetFullPath();
        QuizEntry& entry = m_quizzes.back();
        entry.title = file.GetFullName();
        entry.path = opened.path;
        what |= SessionChange::Quizzes | SessionChange::Quiz;
    }
    Publish(SessionChange{what});
}

void QuizSession::NewQuiz()
{
    if (!m_opened)
        m_opened = std::make_unique<OpenedQuiz>();
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
    m_navigator.ReleaseDisplaced(m_openedTable);
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
