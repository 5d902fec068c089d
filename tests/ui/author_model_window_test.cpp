// The author model played through the main window, in its event loop: the
// editor's fields typed into, the menus and the toolbar's choice used, the
// window's own dialogs answered as the model chooses. What the window shows
// must agree with the session after every step.
#include "ui_test_util.h"

#include "author_model.h"
#include "quiz/quiz_document.h"
#include "quiz/quiz_session.h"
#include "ui/quiz_editor.h"

#include <wx/app.h>
#include <wx/dataview.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <string>

namespace
{

// Answers the window's dialogs for the model: each question the author is
// asked becomes one of its prompts; messages that only inform are closed.
class PromptAnswerer : public wxModalDialogHook
{
public:
    explicit PromptAnswerer(AuthorActor& actor) : m_actor(actor) { Register(); }
    ~PromptAnswerer() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override
    {
        // A file chooser: the author thinks again.
        if (dynamic_cast<wxFileDialog*>(dialog))
            return wxID_CANCEL;
        wxMessageDialog* box = dynamic_cast<wxMessageDialog*>(dialog);
        if (!box || !(box->GetMessageDialogStyle() & (wxYES_NO | wxCANCEL)))
            return wxID_OK;
        const wxString& message = box->GetMessage();
        if (message.Contains(wxS("Save the changes")))
            return Code(AuthorPrompt::UnsavedEdits, {wxID_YES, wxID_NO, wxID_CANCEL});
        if (message.Contains(wxS("since you opened or last saved")))
            return Code(AuthorPrompt::ChangedOnDisk, {wxID_YES, wxID_NO, wxID_HELP, wxID_CANCEL});
        if (message.Contains(wxS("your edits are not saved")))
            return Code(AuthorPrompt::Conflict, {wxID_YES, wxID_NO});
        if (message.Contains(wxS("read-only")) || message.Contains(wxS("after you chose it")))
            return Code(AuthorPrompt::ReadOnly, {wxID_YES, wxID_NO});
        return Code(AuthorPrompt::Losses, {wxID_YES, wxID_NO});
    }
    void Exit(wxDialog*) override {}

private:
    int Code(AuthorPrompt prompt, std::initializer_list<int> codes)
    {
        const unsigned answer = m_actor.Answer(prompt);
        return *(codes.begin() + std::min<size_t>(answer, codes.size() - 1));
    }

    AuthorActor& m_actor;
};

class FrameActor : public AuthorActor
{
public:
    explicit FrameActor(MindprismFrame& frame, const wxString& folder)
        : m_frame(frame), m_folder(folder)
    {
    }
    QuizSession& Session() override { return m_frame.Session(); }
    QuizEditorPane& Editor() const { return m_frame.Editor(); }

    void Type(size_t question, const wxString& text) override
    {
        if (Select(question))
            Editor().TextField()->SetValue(text);
    }
    wxString Typed() const override
    {
        QuizSession& session = m_frame.Session();
        const std::shared_ptr<QuizDocument>& document = session.EditedDocument();
        const int selected = Editor().Selected();
        if (!session.OpenedShown() || !document || !Editor().CanEdit() || selected < 0 ||
            selected >= static_cast<int>(document->QuestionCount()))
            return wxString();
        const wxString value = Editor().TextField()->GetValue();
        return value != document->Fields(selected).text ? value : wxString();
    }
    void Commit() override { Editor().CommitTyping(); }
    void Undo() override { Menu(wxID_UNDO); }
    void Redo() override { Menu(wxID_REDO); }
    void Renumber(size_t question, const wxString& id) override
    {
        Editor().CommitTyping();
        if (!Select(question))
            return;
        Editor().IdField()->SetValue(id);
        Editor().CommitTyping();
    }
    void Save() override
    {
        // An untitled quiz would ask where in a file chooser: named here.
        const std::shared_ptr<QuizDocument>& document = Session().EditedDocument();
        if (Session().OpenedShown() && document && document->Path().empty())
            m_frame.SaveQuizAs(FreshName());
        else
            m_frame.SaveQuiz();
    }
    void SaveAs(const wxString& path) override { m_frame.SaveQuizAs(path); }
    void Switch(int index) override
    {
        wxChoice* choice = FindByName<wxChoice>(&m_frame, "ID_CHOICE1");
        choice->SetSelection(index);
        SendCommand(choice, wxEVT_CHOICE, index);
    }
    void Open(const wxString& path) override { m_frame.OpenQuiz(path); }
    void New() override { m_frame.NewQuiz(); }
    void FileEvent() override { m_frame.ReloadOpenedQuiz(); }

    std::string ViewsDisagree() override
    {
        // What waits for the event loop: menus, a change heard during a dialog.
        wxTheApp->ProcessPendingEvents();
        wxYield();
        QuizSession& session = Session();
        const bool marked = m_frame.GetTitle().Contains(wxS(" - *"));
        if (marked != (session.OpenedShown() && session.HasUnsavedEdits()))
            return "the title's mark says " + std::to_string(marked);
        if (FindByName<wxChoice>(&m_frame, "ID_CHOICE1")->GetSelection() != session.CurrentIndex())
            return "the quiz choice shows another quiz";
        const Question* current = session.Current();
        if (current && FindByName<wxTextCtrl>(&m_frame, "ID_TEXTCTRL_Q")->GetValue() != current->text)
            return "the window shows another question text than the session's";
        const std::shared_ptr<QuizDocument>& document = session.EditedDocument();
        if (Editor().IsShown() && session.OpenedShown() && document && Editor().CanEdit())
        {
            const auto* model =
                static_cast<wxDataViewVirtualListModel*>(Editor().Outline()->GetModel());
            // The questions, the title, the results.
            if (model->GetCount() != document->QuestionCount() + 1 + document->ResultCount())
                return "the outline has " + std::to_string(model->GetCount()) + " rows";
        }
        return std::string();
    }

private:
    // Selects the opened quiz's question `question` in the editor (shown
    // first); false when there is none to select.
    bool Select(size_t question)
    {
        if (!Session().OpenedShown())
            return false;
        const std::shared_ptr<QuizDocument> document = Session().Document();
        if (!document || question >= document->QuestionCount())
            return false;
        if (!Editor().IsShown())
            m_frame.ShowEditor(true);
        if (Editor().Selected() != static_cast<int>(question))
            Editor().SelectQuestion(document->Fields(question).id);
        return true;
    }
    void Menu(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(&m_frame);
        m_frame.ProcessWindowEvent(event);
    }
    wxString FreshName()
    {
        wxString path;
        do
            path = wxFileName(m_folder, wxString::Format(wxS("untitled-%u.xml"), ++m_names)).GetFullPath();
        while (wxFileName::FileExists(path));
        return path;
    }

    MindprismFrame& m_frame;
    wxString m_folder;
    unsigned m_names = 0;
};

} // namespace

TEST(AuthorModelWindow, NothingIsLostAndEveryViewAgreesWhateverTheAuthorDoes)
{
    for (std::uint32_t seed = 1; seed <= 8; ++seed)
    {
        Resources::SetDir(RuntimeDir());
        TempDir work;
        MindprismFrame* frame = new MindprismFrame(nullptr, wxID_ANY);
        frame->Show();
        Settle();
        std::string broken;
        {
            FrameActor actor(*frame, work.Path());
            PromptAnswerer answerer(actor);
            SeededChoices choices(seed);
            AuthorModel model(actor, choices, work.Path());
            broken = model.Run(40);
        }
        delete frame;
        ASSERT_EQ(broken, "") << "seed " << seed;
    }
}
