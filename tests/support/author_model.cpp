// The author model and the actor that works the session directly.
#include "author_model.h"

#include "quiz/navigator.h"
#include "quiz/question_table.h"
#include "quiz/quiz_document.h"
#include "quiz/quiz_session.h"

#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <algorithm>

namespace
{

const char* const FILE_NAMES[] = {"quiz0.xml", "quiz1.xml", "quiz2.xml"};
constexpr unsigned FILE_COUNT = 3;

std::string Utf8(const wxString& text)
{
    return std::string(text.utf8_str());
}

// 1001 -> 1002 -> 1003 -> end.
std::string StartingQuiz(const wxString& token)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<questions>\n"
           "<QUESTION><ID>1001</ID><Q>one " + Utf8(token) + "</Q>"
           "<ANSWER><A>on</A><GOTO>1002</GOTO></ANSWER></QUESTION>\n"
           "<QUESTION><ID>1002</ID><Q>two</Q>"
           "<ANSWER><A>on</A><GOTO>1003</GOTO></ANSWER><ANSWER><A>stop</A><GOTO>0</GOTO></ANSWER>"
           "</QUESTION>\n"
           "<QUESTION><ID>1003</ID><Q>three</Q>"
           "<ANSWER><A>done</A><GOTO>0</GOTO></ANSWER></QUESTION>\n</questions>\n";
}

bool WriteFile(const wxString& path, const std::string& bytes)
{
    wxFFile file(path, "wb");
    return file.IsOpened() && file.Write(bytes.data(), bytes.size()) == bytes.size() && file.Close();
}

std::string ReadFile(const wxString& path)
{
    wxFFile file(path, "rb");
    std::string bytes;
    if (!file.IsOpened())
        return bytes;
    char buffer[4096];
    size_t got;
    while ((got = file.Read(buffer, sizeof buffer)) > 0)
        bytes.append(buffer, got);
    return bytes;
}

std::vector<std::pair<wxString, wxString>> QuestionsOf(const QuizDocument& document)
{
    std::vector<std::pair<wxString, wxString>> questions;
    for (size_t question = 0; question < document.QuestionCount(); ++question)
    {
        const QuestionFields fields = document.Fields(question);
        questions.emplace_back(fields.id, fields.text);
    }
    return questions;
}

bool Playable(const QuizDocument& document)
{
    for (size_t question = 0; question < document.QuestionCount(); ++question)
    {
        const QuestionFields fields = document.Fields(question);
        if (fields.id == wxS("1001"))
            return !fields.answers.empty();
    }
    return false;
}

} // namespace

unsigned AnswerCount(AuthorPrompt prompt)
{
    switch (prompt)
    {
        case AuthorPrompt::UnsavedEdits:
            return 3;
        case AuthorPrompt::ChangedOnDisk:
            return 4;
        case AuthorPrompt::Conflict:
        case AuthorPrompt::ReadOnly:
        case AuthorPrompt::Losses:
            return 2;
    }
    return 1;
}

// ---- SessionActor

void SessionActor::Type(size_t question, const wxString& text)
{
    if (!m_session.OpenedShown())
        return;
    const std::shared_ptr<QuizDocument> document = m_session.Document();
    if (!document || question >= document->QuestionCount())
        return;
    if (question != m_question)
        Commit();
    m_question = question;
    m_typed = text;
    m_typedInto = document.get();
    m_session.SetTyping(text != document->Fields(question).text);
}

void SessionActor::Commit()
{
    if (m_typed.empty())
        return;
    const std::shared_ptr<QuizDocument>& document = m_session.EditedDocument();
    if (m_session.OpenedShown() && document && document.get() == m_typedInto)
        document->Submit(document->SetQuestionText(m_question, m_typed));
    m_typed.clear();
    m_typedInto = nullptr;
    m_session.SetTyping(false);
}

void SessionActor::Undo()
{
    Commit();
    if (m_session.OpenedShown())
        if (const std::shared_ptr<QuizDocument> document = m_session.EditedDocument())
            document->Undo();
}

void SessionActor::Redo()
{
    Commit();
    if (m_session.OpenedShown())
        if (const std::shared_ptr<QuizDocument> document = m_session.EditedDocument())
            document->Redo();
}

void SessionActor::Renumber(size_t question, const wxString& id)
{
    Commit();
    if (!m_session.OpenedShown())
        return;
    if (const std::shared_ptr<QuizDocument> document = m_session.Document())
        document->Submit(document->SetQuestionId(question, id));
}

wxString SessionActor::FreshName(const wxString& stem)
{
    // A name chosen in a file chooser that warns before writing over a file:
    // one that is not there.
    wxString path;
    do
        path = wxFileName(m_folder, wxString::Format(wxS("%s-%u.xml"), stem, ++m_names)).GetFullPath();
    while (wxFileName::FileExists(path));
    return path;
}

bool SessionActor::Write(const wxString& path, bool own)
{
    const std::shared_ptr<QuizDocument> document = m_session.Document();
    if (!document)
        return false;
    if (!document->SaveLosses().empty() && !document->LossesAccepted())
    {
        if (Answer(AuthorPrompt::Losses) != 0)
            return false;
        document->AcceptLosses();
    }
    QuizSession::SaveRequest request;
    request.path = path;
    if (!own)
        request.expected = FileIdentityOnDisk(path);
    for (;;)
    {
        wxString error;
        switch (m_session.Save(request, error))
        {
            case QuizSession::SaveOutcome::Saved:
                return true;
            case QuizSession::SaveOutcome::Failed:
                return false;
            case QuizSession::SaveOutcome::ReadOnly:
                if (Answer(AuthorPrompt::ReadOnly) != 0)
                    return false;
                request.overwriteReadOnly = true;
                break;
            case QuizSession::SaveOutcome::ChangedOnDisk:
                switch (Answer(AuthorPrompt::ChangedOnDisk))
                {
                    case 0:
                        request.overwriteChanged = true;
                        break;
                    case 1:
                        if (!own)
                            return false;
                        m_session.TakeFile();
                        return false;
                    case 2:
                        if (!own)
                            return false;
                        SaveAs(FreshName(wxS("elsewhere")));
                        return false;
                    default:
                        return false;
                }
                break;
        }
    }
}

void SessionActor::Save()
{
    Commit();
    if (!m_session.OpenedShown())
        return;
    const std::shared_ptr<QuizDocument> document = m_session.Document();
    if (!document)
        return;
    if (document->Path().empty())
        SaveAs(FreshName(wxS("untitled")));
    else
        Write(document->Path(), true);
}

void SessionActor::SaveAs(const wxString& path)
{
    Commit();
    const OpenedQuiz* opened = m_session.Opened();
    const bool own = m_session.OpenedShown() && opened && !opened->path.empty() &&
                     wxFileName(path).SameAs(wxFileName(opened->path));
    const bool copy = m_session.DocumentReadOnly();
    if (Write(path, own) && copy)
        Open(path);
}

void SessionActor::Switch(int index)
{
    Commit();
    wxLogNull quiet;  // a file gone says so in a message box
    m_session.Switch(index);
    if (m_session.OpenedShown() && m_session.HasUnsavedEdits())
        FileEvent();
}

bool SessionActor::ConfirmUnsaved()
{
    Commit();
    if (!m_session.HasUnsavedEdits())
        return true;
    switch (Answer(AuthorPrompt::UnsavedEdits))
    {
        case 0:
        {
            const int opened = static_cast<int>(m_session.Quizzes().size()) - 1;
            if (m_session.CurrentIndex() != opened)
                m_session.Switch(opened);
            Save();
            return !m_session.HasUnsavedEdits();
        }
        case 1:
            return true;
        default:
            return false;
    }
}

void SessionActor::Open(const wxString& path)
{
    if (!ConfirmUnsaved())
        return;
    wxString error;
    wxLogNull quiet;
    m_session.Open(path, error);
}

void SessionActor::New()
{
    if (ConfirmUnsaved())
        m_session.NewQuiz();
}

void SessionActor::FileEvent()
{
    if (m_session.FileChanged() != QuizSession::FileCheck::Conflict)
        return;
    if (Answer(AuthorPrompt::Conflict) == 0)
        m_session.KeepEdits();
    else
    {
        m_typed.clear();
        m_session.TakeFile();
    }
}

// ---- AuthorModel

AuthorModel::AuthorModel(AuthorActor& actor, AuthorChoices& choices, const wxString& folder)
    : m_actor(actor), m_choices(choices), m_folder(folder)
{
    m_actor.Answer = [this](AuthorPrompt prompt) {
        const unsigned answer = m_choices.Next(AnswerCount(prompt));
        Note("  asked " + std::to_string(static_cast<int>(prompt)) + ", answered " +
             std::to_string(answer));
        // The answers that let go of something, explicitly.
        const bool dropsTyping = (prompt == AuthorPrompt::UnsavedEdits && answer == 1) ||
                                 (prompt == AuthorPrompt::ChangedOnDisk && answer == 1) ||
                                 (prompt == AuthorPrompt::Conflict && answer == 1);
        const bool dropsOther = (prompt == AuthorPrompt::ChangedOnDisk && answer == 0) ||
                                (prompt == AuthorPrompt::Conflict && answer == 0);
        if (dropsTyping)
            m_typedTokens.clear();
        // Discarding the edits or loading the file drops the whole document,
        // whoever wrote what it holds.
        if (dropsTyping)
            m_discarded = true;
        if (dropsOther)
            m_otherTokens.clear();
        return answer;
    };
    const wxString token = NewToken('o');
    WriteFile(FileName(0), StartingQuiz(token));
    m_otherTokens.insert(token);
    m_actor.Open(FileName(0));
}

wxString AuthorModel::FileName(unsigned which) const
{
    return wxFileName(m_folder, FILE_NAMES[which % FILE_COUNT]).GetFullPath();
}

std::string AuthorModel::Run(size_t steps)
{
    for (size_t step = 0; step < steps && !m_choices.Done(); ++step)
    {
        Step();
        if (m_discarded)
        {
            m_discarded = false;
            const Places places = Where();
            for (auto* tokens : {&m_typedTokens, &m_otherTokens})
                for (auto token = tokens->begin(); token != tokens->end();)
                    token = places.Kept(*token) ? std::next(token) : tokens->erase(token);
        }
        {
            QuizSession& session = m_actor.Session();
            const std::shared_ptr<QuizDocument>& document = session.EditedDocument();
            Note("    [quiz " + std::to_string(session.CurrentIndex()) + " shown, unsaved edits " +
                 std::to_string(session.HasUnsavedEdits()) + ", document " +
                 (document ? "of " + Utf8(document->Path()) + ", modified " +
                                 std::to_string(document->IsModified())
                           : std::string("none")) +
                 "]");
        }
        const std::string broken = Check();
        if (!broken.empty())
            return broken + "\n--- steps ---\n" + m_log;
    }
    return std::string();
}

void AuthorModel::Step()
{
    QuizSession& session = m_actor.Session();
    const std::shared_ptr<QuizDocument> document = session.EditedDocument();
    const size_t questions = document ? document->QuestionCount() : 3;
    const unsigned action = m_choices.Next(14);
    // The window hears of another program's writes a moment after them,
    // before the author does anything else.
    const bool otherProgram = action == 10 || action == 11;
    if (otherProgram)
        m_filePending = true;
    else if (m_filePending)
    {
        m_filePending = false;
        Note("  (the window hears of it)");
        m_actor.FileEvent();
    }
    switch (action)
    {
        case 0:
        case 1:
        {
            const size_t question = m_choices.Next(static_cast<unsigned>(std::max<size_t>(questions, 1)));
            const wxString token = NewToken('t');
            Note("type " + Utf8(token) + " into question " + std::to_string(question));
            // Added to what the field holds: the author takes nothing away.
            wxString text;
            const std::shared_ptr<QuizDocument> shown =
                session.OpenedShown() ? session.Document() : nullptr;
            if (!m_actor.Typed().empty() && question == m_typedQuestion)
                text = m_actor.Typed();
            else if (shown && question < shown->QuestionCount())
                text = shown->Fields(question).text;
            m_actor.Type(question, text + wxS(" ") + token);
            // Nothing to type into while a built-in quiz is shown.
            if (m_actor.Typed().Contains(token))
            {
                m_typedQuestion = question;
                m_typedTokens.insert(token);
            }
            break;
        }
        case 2:
            Note("commit");
            m_actor.Commit();
            break;
        case 3:
            Note("undo");
            m_typedTokens.clear();
            m_actor.Undo();
            break;
        case 4:
            Note("redo");
            m_actor.Redo();
            break;
        case 5:
            Note("save");
            m_actor.Save();
            break;
        case 6:
        {
            // One name in four is in a folder that is not there: a failing disk.
            const unsigned which = m_choices.Next(FILE_COUNT + 1);
            const wxString path = which == FILE_COUNT
                                      ? wxFileName(m_folder + wxS("/missing"), wxS("quiz.xml")).GetFullPath()
                                      : FileName(which);
            Note("save as " + Utf8(path));
            // Choosing a file that is there is choosing to write over it
            // (the file chooser asked): what only it held may go.
            std::set<wxString> there;
            const std::string bytes = ReadFile(path);
            for (const auto* tokens : {&m_typedTokens, &m_otherTokens})
                for (const wxString& token : *tokens)
                    if (bytes.find(Utf8(token)) != std::string::npos)
                        there.insert(token);
            m_actor.SaveAs(path);
            const Places places = Where();
            for (const wxString& token : there)
                if (!places.Kept(token))
                {
                    m_typedTokens.erase(token);
                    m_otherTokens.erase(token);
                }
            break;
        }
        case 7:
        {
            const int index = static_cast<int>(m_choices.Next(static_cast<unsigned>(session.Quizzes().size())));
            Note("switch to " + std::to_string(index));
            m_actor.Switch(index);
            break;
        }
        case 8:
        {
            const wxString path = FileName(m_choices.Next(FILE_COUNT));
            Note("open " + Utf8(path));
            m_actor.Open(path);
            break;
        }
        case 9:
            Note("new quiz");
            m_actor.New();
            break;
        case 10:
        {
            const wxString path = FileName(m_choices.Next(FILE_COUNT));
            const wxString token = NewToken('o');
            Note("another program writes " + Utf8(token) + " into " + Utf8(path));
            OtherProgramWrites(path, token);
            break;
        }
        case 11:
        {
            const wxString path = FileName(m_choices.Next(FILE_COUNT));
            Note("another program deletes " + Utf8(path));
            {
                wxLogNull quiet;
                wxRemoveFile(path);
            }
            ReleaseUnsavedOnDisk();
            break;
        }
        case 12:
            Note("the file changed");
            m_actor.FileEvent();
            break;
        case 13:
        {
            const wxString id = m_choices.Next(2) ? wxS("1000") : wxS("1001");
            Note("renumber the first question " + Utf8(id));
            m_actor.Renumber(0, id);
            break;
        }
    }
}

void AuthorModel::OtherProgramWrites(const wxString& path, const wxString& token)
{
    m_otherTokens.insert(token);
    wxString error;
    wxLogNull quiet;
    std::unique_ptr<QuizDocument> document = QuizDocument::OpenFile(path, error);
    if (!document || document->QuestionCount() == 0)
    {
        // A new file where there was none (or no quiz): with the delete
        // before it, the other program replaced what the author had there;
        // the editor then shows the file as it is, as for any change.
        WriteFile(path, StartingQuiz(token));
        ReleaseUnsavedOnDisk();
        return;
    }
    // Another editor: one text grows, everything else stays.
    const size_t question = m_choices.Next(static_cast<unsigned>(document->QuestionCount()));
    const wxString text = document->Fields(question).text + wxS(" ") + token;
    document->Submit(document->SetQuestionText(question, text));
    if (!document->Save(path, error))
        WriteFile(path, StartingQuiz(token));
}

void AuthorModel::ReleaseUnsavedOnDisk()
{
    // What the other program's act left nowhere on disk is gone by its hand,
    // not the author's, unless the document holds it as an unsaved edit (a
    // document without one is read again from its file when that changes).
    const bool unsaved = m_actor.Session().HasUnsavedEdits();
    const Places places = Where();
    for (auto* tokens : {&m_typedTokens, &m_otherTokens})
        for (auto token = tokens->begin(); token != tokens->end();)
            token = (unsaved ? places.Kept(*token) : places.OnDisk(*token)) ? std::next(token)
                                                                             : tokens->erase(token);
}

AuthorModel::Places AuthorModel::Where() const
{
    Places places;
    places.typed = m_actor.Typed();
    if (const std::shared_ptr<QuizDocument>& document = m_actor.Session().EditedDocument())
        for (const auto& question : QuestionsOf(*document))
            places.document += question.second + wxS("\n");
    wxArrayString files;
    wxDir::GetAllFiles(m_folder, &files, wxEmptyString, wxDIR_FILES);
    for (const wxString& file : files)
        places.disk += ReadFile(file) + "\n";
    return places;
}

bool AuthorModel::Places::OnDisk(const wxString& token) const
{
    return disk.find(Utf8(token)) != std::string::npos;
}

bool AuthorModel::Places::Kept(const wxString& token) const
{
    return typed.Contains(token) || document.Contains(token) || OnDisk(token);
}

std::string AuthorModel::Check()
{
    const Places places = Where();
    for (const auto* tokens : {&m_typedTokens, &m_otherTokens})
        for (const wxString& token : *tokens)
            if (!places.Kept(token))
                return "lost without a choice: " + Utf8(token);

    QuizSession& session = m_actor.Session();
    const std::shared_ptr<QuizDocument>& document = session.EditedDocument();
    const OpenedQuiz* opened = session.Opened();
    const bool unsaved =
        document && (document->IsModified() || !m_actor.Typed().empty() ||
                     (!opened->path.empty() && !wxFileName::FileExists(opened->path)));
    // (A copy of another quiz saved over the file counts too: the model
    // does not follow that, so only the mark's presence is checked.)
    if (unsaved && !session.HasUnsavedEdits())
        return "the unsaved mark says " + std::to_string(session.HasUnsavedEdits());
    if (document && session.OpenedShown() && opened->state != OpenedQuiz::FileState::Gone)
    {
        const bool playable = Playable(*document);
        if ((opened->state == OpenedQuiz::FileState::Broken) == playable)
            return "the file state does not say whether the document can be played";
        const QuestionTable* table = session.Navigator().CurrentTable();
        if (playable && table)
            for (const auto& question : QuestionsOf(*document))
            {
                const Question* played = table->FindQuestion(question.first);
                if (!played || played->text != question.second)
                    return "question " + Utf8(question.first) + " is played as " +
                           (played ? Utf8(played->text) : std::string("nothing")) + ", written as " +
                           Utf8(question.second);
            }
    }
    // A save this step: the file reads back as the document saved.
    if (document && document->SavedDigest() != 0 &&
        (document.get() != m_seenDocument || document->SavedDigest() != m_seenSave))
    {
        m_seenDocument = document.get();
        m_seenSave = document->SavedDigest();
        wxString error;
        wxLogNull quiet;
        std::unique_ptr<QuizDocument> onDisk = QuizDocument::OpenFile(document->Path(), error);
        if (!document->IsModified() && (!onDisk || QuestionsOf(*onDisk) != QuestionsOf(*document)))
            return "the file " + Utf8(document->Path()) + " does not read back as saved";
    }
    // The window has not heard of another program's change yet: what it
    // shows may lag until it does.
    return m_filePending ? std::string() : m_actor.ViewsDisagree();
}
