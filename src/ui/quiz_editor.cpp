// The quiz editor pane.
#include "ui/quiz_editor.h"

#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"

#include <wx/aui/aui.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dataview.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <iterator>

namespace
{

const wxString PANE_NAME = wxS("QuizEditor");
const size_t SHOWN_START = 40;  // characters of a text shown in a list
// A choice lists every question as a target up to this many; a larger quiz
// gets a field for the target's ID instead, with the IDs to complete it: a
// menu of thousands of entries is slow to build and of no use to choose from.
const size_t MAX_TARGET_CHOICES = 300;
const int BALANCE_DELAY_MS = 250;

// The start of a text, on one line, for the outline and the targets.
wxString StartOf(const wxString& text)
{
    wxString line = text;
    line.Replace(wxS("\r"), wxS(" "));
    line.Replace(wxS("\n"), wxS(" "));
    line.Trim(true).Trim(false);
    if (line.length() > SHOWN_START)
        line = line.Left(SHOWN_START - 1) + wxS("…");
    return line;
}

wxString TargetLabel(const QuestionFields& question)
{
    return wxString::Format(wxS("%s · %s"), question.id, StartOf(question.text));
}

enum OutlineColumn
{
    COLUMN_ID,
    COLUMN_TEXT,
    COLUMN_PROBLEMS,
    COLUMN_COUNT
};

} // namespace

// The outline's rows, read from the document as they are drawn: a quiz of
// thousands of questions costs no more than the rows in view.
class OutlineModel : public wxDataViewVirtualListModel
{
public:
    explicit OutlineModel(const std::set<wxString>& marked) : m_marked(marked) {}

    void SetDocument(std::shared_ptr<const QuizDocument> document)
    {
        m_document = std::move(document);
        Reset(m_document ? static_cast<unsigned>(m_document->QuestionCount()) : 0);
    }

    unsigned GetColumnCount() const override { return COLUMN_COUNT; }
    wxString GetColumnType(unsigned) const override { return wxS("string"); }

    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override
    {
        if (!m_document || row >= m_document->QuestionCount())
        {
            value = wxString();
            return;
        }
        const QuestionFields fields = m_document->Fields(row);
        switch (column)
        {
            case COLUMN_ID:
                value = fields.id;
                break;
            case COLUMN_TEXT:
                value = StartOf(fields.text);
                break;
            default:
                value = m_marked.count(fields.id) ? _("problem") : wxString();
                break;
        }
    }

    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return false; }

private:
    std::shared_ptr<const QuizDocument> m_document;
    const std::set<wxString>& m_marked;
};

QuizEditorPane::QuizEditorPane(wxFrame& frame, wxAuiManager& manager, wxWindow& quiz,
                               QuizSession& session)
    : m_frame(frame), m_manager(manager), m_quiz(quiz), m_session(session)
{
    BuildControls();
    // A dock may take at most 30 % of the window's width by default: too
    // little for the form beside a quiz of 512 pixels.
    double widthShare = 0, heightShare = 0;
    m_manager.GetDockSizeConstraint(&widthShare, &heightShare);
    m_manager.SetDockSizeConstraint(0.6, heightShare);
    m_manager.AddPane(m_panel, wxAuiPaneInfo()
                                   .Name(PANE_NAME)
                                   .Caption(_("Quiz editor"))
                                   .Right()
                                   .CloseButton(false)
                                   .BestSize(m_panel->GetBestSize())
                                   .MinSize(frame.FromDIP(wxSize(360, -1)))
                                   .Hide());
    m_manager.Update();
    m_balanceTimer.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { ShowBalance(); });
    m_sessionSubscription =
        session.Subscribe([this](const SessionChange& change) { OnSessionChange(change); });
}

QuizEditorPane::~QuizEditorPane()
{
    m_balanceTimer.Stop();
    m_sessionSubscription.Reset();
    m_documentSubscription.Reset();
    if (m_model)
        m_model->SetDocument(nullptr);
}

void QuizEditorPane::BuildControls()
{
    m_panel = new wxPanel(&m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                          wxS("QuizEditor"));
    wxWindow* p = m_panel;
    const int gap = m_frame.FromDIP(5);
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);

    // Why the quiz cannot be changed, when it cannot; hidden otherwise.
    m_notice = new wxStaticText(p, wxID_ANY, wxString());
    m_notice->Hide();
    column->Add(m_notice, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);

    m_outline = new wxDataViewCtrl(p, wxID_ANY, wxDefaultPosition, m_frame.FromDIP(wxSize(460, 150)),
                                   wxDV_SINGLE | wxDV_ROW_LINES);
    m_outline->SetName(wxS("QuizOutline"));
    m_outline->SetLabel(_("Questions"));
    m_model = new OutlineModel(m_marked);
    m_outline->AssociateModel(m_model);
    m_model->DecRef();  // the outline holds it
    m_outline->AppendTextColumn(_("ID"), COLUMN_ID, wxDATAVIEW_CELL_INERT, m_frame.FromDIP(60));
    m_outline->AppendTextColumn(_("Question"), COLUMN_TEXT, wxDATAVIEW_CELL_INERT,
                                m_frame.FromDIP(310));
    m_outline->AppendTextColumn(_("Problems"), COLUMN_PROBLEMS, wxDATAVIEW_CELL_INERT,
                                m_frame.FromDIP(70));
    column->Add(m_outline, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);

    wxFlexGridSizer* form = new wxFlexGridSizer(2, gap, gap);
    form->AddGrowableCol(1);
    form->Add(new wxStaticText(p, wxID_ANY, _("Question I&D:")), 0, wxALIGN_CENTER_VERTICAL);
    m_idField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                               wxTE_PROCESS_ENTER, wxDefaultValidator, wxS("QuestionId"));
    form->Add(m_idField, 1, wxEXPAND);
    form->Add(new wxStaticText(p, wxID_ANY, _("Question te&xt:")), 0, wxALIGN_TOP);
    m_textField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition,
                                 m_frame.FromDIP(wxSize(-1, 54)), wxTE_MULTILINE,
                                 wxDefaultValidator, wxS("QuestionText"));
    form->Add(m_textField, 1, wxEXPAND);
    form->Add(new wxStaticText(p, wxID_ANY, _("Answer &list:")), 0, wxALIGN_TOP);
    // The answers' commands beside their list, so the form stays narrow.
    wxBoxSizer* answerRow = new wxBoxSizer(wxHORIZONTAL);
    m_answers = new wxListBox(p, wxID_ANY, wxDefaultPosition, m_frame.FromDIP(wxSize(-1, 110)), 0,
                              nullptr, wxLB_SINGLE, wxDefaultValidator, wxS("AnswerList"));
    answerRow->Add(m_answers, 1, wxEXPAND | wxRIGHT, gap);
    wxBoxSizer* answerButtons = new wxBoxSizer(wxVERTICAL);
    m_addAnswer = new wxButton(p, wxID_ANY, _("&Add answer"));
    m_removeAnswer = new wxButton(p, wxID_ANY, _("Re&move answer"));
    m_moveUp = new wxButton(p, wxID_ANY, _("Move &up"));
    m_moveDown = new wxButton(p, wxID_ANY, _("Move d&own"));
    for (wxButton* button : {m_addAnswer, m_removeAnswer, m_moveUp, m_moveDown})
        answerButtons->Add(button, 0, wxEXPAND);
    answerRow->Add(answerButtons, 0);
    form->Add(answerRow, 1, wxEXPAND);

    form->Add(new wxStaticText(p, wxID_ANY, _("Ans&wer text:")), 0, wxALIGN_CENTER_VERTICAL);
    m_answerField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxTE_PROCESS_ENTER, wxDefaultValidator, wxS("AnswerText"));
    form->Add(m_answerField, 1, wxEXPAND);
    form->Add(new wxStaticText(p, wxID_ANY, _("&Goes to:")), 0, wxALIGN_CENTER_VERTICAL);
    m_targetChoice = new wxChoice(p, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                  wxDefaultValidator, wxS("AnswerTarget"));
    m_targetField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxTE_PROCESS_ENTER, wxDefaultValidator, wxS("AnswerTargetId"));
    m_targetField->SetHint(_("ID of a question, or 0 to end the quiz"));
    m_targetField->Hide();
    wxBoxSizer* target = new wxBoxSizer(wxVERTICAL);
    target->Add(m_targetChoice, 0, wxEXPAND);
    target->Add(m_targetField, 0, wxEXPAND);
    form->Add(target, 1, wxEXPAND);
    column->Add(form, 0, wxEXPAND | wxALL, gap);

    wxBoxSizer* questionButtons = new wxBoxSizer(wxHORIZONTAL);
    m_addQuestion = new wxButton(p, wxID_ANY, _("Add quest&ion"));
    m_deleteQuestion = new wxButton(p, wxID_ANY, _("Dele&te question"));
    m_play = new wxButton(p, wxID_ANY, _("Pla&y from here"));
    for (wxButton* button : {m_addQuestion, m_deleteQuestion, m_play})
        questionButtons->Add(button, 0, wxRIGHT, gap);
    column->Add(questionButtons, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);

    // How often each result comes out when every answer is chosen at random.
    column->Add(new wxStaticText(p, wxID_ANY, _("&Balance of results:")), 0, wxLEFT | wxRIGHT, gap);
    m_balance = new wxListBox(p, wxID_ANY, wxDefaultPosition, m_frame.FromDIP(wxSize(-1, 96)), 0,
                              nullptr, wxLB_SINGLE, wxDefaultValidator, wxS("Balance"));
    column->Add(m_balance, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    p->SetSizerAndFit(column);

    m_outline->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, &QuizEditorPane::OnOutlineSelected, this);
    for (wxTextCtrl* field : {m_idField, m_textField, m_answerField, m_targetField})
    {
        field->Bind(wxEVT_KILL_FOCUS, &QuizEditorPane::OnFieldFocusLost, this);
        field->Bind(wxEVT_TEXT, &QuizEditorPane::OnFieldTyped, this);
    }
    for (wxTextCtrl* field : {m_idField, m_answerField, m_targetField})
        field->Bind(wxEVT_TEXT_ENTER, &QuizEditorPane::OnFieldEnter, this);
    m_targetField->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        CompleteTargets();
    });
    m_answers->Bind(wxEVT_LISTBOX, &QuizEditorPane::OnAnswerSelected, this);
    m_targetChoice->Bind(wxEVT_CHOICE, &QuizEditorPane::OnTargetChosen, this);
    m_addAnswer->Bind(wxEVT_BUTTON, &QuizEditorPane::OnAddAnswer, this);
    m_removeAnswer->Bind(wxEVT_BUTTON, &QuizEditorPane::OnRemoveAnswer, this);
    m_moveUp->Bind(wxEVT_BUTTON, &QuizEditorPane::OnMoveUp, this);
    m_moveDown->Bind(wxEVT_BUTTON, &QuizEditorPane::OnMoveDown, this);
    m_addQuestion->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AddQuestion(); });
    m_deleteQuestion->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DeleteQuestion(); });
    m_play->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PlayFromHere(); });
}

bool QuizEditorPane::IsShown() const
{
    return m_manager.GetPane(PANE_NAME).IsShown();
}

void QuizEditorPane::Show(bool show)
{
    wxAuiPaneInfo& pane = m_manager.GetPane(PANE_NAME);
    if (show && !m_bound)
        TakeDocument();
    if (show)
    {
        if (const Question* current = m_session.Current())
            SelectQuestion(current->id);
    }
    else
        CommitTyping();
    if (pane.IsShown() == show)
        return;
    // The pane takes its room from the window, not from the quiz: the
    // window grows by what the quiz would lose, and as tall as the form
    // needs; it gives both back after.
    const wxSize quizSize = m_quiz.GetSize();
    if (m_frame.IsMaximized() || m_frame.IsFullScreen())
    {
        m_growth = wxSize();
        pane.Show(show);
        m_manager.Update();
    }
    else if (show)
    {
        // Room first, so that the pane gets its best width.
        const wxSize best = m_panel->GetBestSize();
        m_growth = wxSize(best.x + m_frame.FromDIP(8), std::max(0, best.y - quizSize.y));
        m_frame.SetSize(m_frame.GetSize() + m_growth);
        pane.Show(true);
        m_manager.Update();
    }
    else
    {
        pane.Show(false);
        m_manager.Update();
        m_frame.SetSize(m_frame.GetSize() - m_growth);
        m_growth = wxSize();
    }
    if (show)
    {
        ScheduleBalance();
        m_outline->SetFocus();
    }
}

void QuizEditorPane::OnSessionChange(const SessionChange& change)
{
    if (change.Has(SessionChange::Document | SessionChange::Quiz))
    {
        m_bound = false;
        if (IsShown())
            TakeDocument();
        else
        {
            // Read again when shown; nothing of the old one is kept.
            m_documentSubscription.Reset();
            m_document = nullptr;
            m_model->SetDocument(nullptr);
        }
    }
    if (m_bound && change.Has(SessionChange::Problems))
        UpdateMarks();
    if (change.Has(SessionChange::Map | SessionChange::Quiz | SessionChange::Document))
        ScheduleBalance();
}

void QuizEditorPane::ScheduleBalance()
{
    // A moment after the edit is shown everywhere, once for a burst of
    // edits: a large quiz's balance takes a while to work out.
    if (IsShown())
        m_balanceTimer.StartOnce(BALANCE_DELAY_MS);
}

void QuizEditorPane::ShowBalance()
{
    wxArrayString rows;
    const std::shared_ptr<const QuizOutline> outline = m_session.MapOutline();
    // The quiz as written cannot be played: the figures are of the last
    // version that could, and the list says so first.
    const OpenedQuiz* opened = m_session.Opened();
    if (outline && m_session.OpenedShown() && opened->state == OpenedQuiz::FileState::Broken)
        rows.push_back(_("The quiz cannot be played as it stands (see Problems); "
                         "these figures are of its last playable version."));
    // The figures of the version before the last edits, until their check
    // is done.
    if (m_session.Checking())
        rows.push_back(_("Checking..."));
    if (const std::shared_ptr<const QuizBalance> balance = m_session.Balance())
        for (const wxString& row : BalanceRows(*balance))
            rows.push_back(row);
    if (m_balance->GetStrings() != rows)
        m_balance->Set(rows);
}

void QuizEditorPane::TakeDocument()
{
    m_documentSubscription.Reset();
    m_document = m_session.Document();
    m_bound = true;
    if (m_document)
        m_documentSubscription = m_document->Subscribe(
            [this](const QuizDocumentChange& change) { OnDocumentChange(change); });
    if (!m_document)
        m_notice->SetLabel(m_session.DocumentError());
    else if (m_session.DocumentReadOnly())
        m_notice->SetLabel(_("A built-in quiz cannot be changed. \"Save as...\" makes a copy you can edit."));
    else
        m_notice->SetLabel(wxString());
    m_notice->Wrap(m_outline->GetSize().x);
    m_notice->Show(!m_notice->GetLabel().empty());
    m_selected = -1;
    m_answer = -1;
    UpdateMarks();
    ShowAll();
    if (m_document && m_document->QuestionCount() > 0)
    {
        const Question* current = m_session.Current();
        if (!current || !SelectQuestion(current->id))
            Select(0);
    }
    m_panel->Layout();
}

void QuizEditorPane::UpdateMarks()
{
    std::set<wxString> marked;
    const OpenedQuiz* opened = m_session.Opened();
    if (opened && m_session.OpenedShown())
    {
        const FindingList& findings = opened->state == OpenedQuiz::FileState::Broken
                                          ? opened->broken.findings
                                          : opened->version.findings;
        for (const Finding& finding : findings)
            if (!finding.questionId.empty())
                marked.insert(finding.questionId);
    }
    if (marked == m_marked)
        return;
    // The rows whose mark comes or goes are told to the outline, which
    // redraws only what it is told changed.
    std::set<wxString> changed;
    std::set_symmetric_difference(marked.begin(), marked.end(), m_marked.begin(), m_marked.end(),
                                  std::inserter(changed, changed.end()));
    m_marked = std::move(marked);
    const size_t rows = m_document ? std::min<size_t>(m_document->QuestionCount(), m_model->GetCount()) : 0;
    for (size_t row = 0; row < rows; ++row)
        if (changed.count(m_document->Fields(row).id))
            m_model->RowChanged(static_cast<unsigned>(row));
}

void QuizEditorPane::ShowAll()
{
    m_model->SetDocument(m_document);
    ShowTargets();
    if (m_document && m_selected >= static_cast<int>(m_document->QuestionCount()))
        m_selected = static_cast<int>(m_document->QuestionCount()) - 1;
    if (m_selected >= 0)
        m_outline->Select(m_model->GetItem(m_selected));
    ShowForm();
}

void QuizEditorPane::ShowTargets()
{
    m_targets.clear();
    m_targets.push_back(wxS("0"));
    const size_t count = m_document ? m_document->QuestionCount() : 0;
    const bool choice = count <= MAX_TARGET_CHOICES;
    if (choice)
    {
        wxArrayString labels;
        labels.reserve(count + 1);
        labels.push_back(_("End of quiz"));
        for (size_t question = 0; question < count; ++question)
        {
            const QuestionFields fields = m_document->Fields(question);
            m_targets.push_back(fields.id);
            labels.push_back(TargetLabel(fields));
        }
        m_targetChoice->Set(labels);
    }
    else
    {
        for (size_t question = 0; question < count; ++question)
            m_targets.push_back(m_document->QuestionId(question));
        // The IDs the field offers are handed to it when it is typed in:
        // the toolkit's list of thousands is slow to build after each edit.
        m_targetChoice->Clear();
        m_completionStale = true;
        if (m_targetField->HasFocus())
            CompleteTargets();
    }
    if (m_targetChoice->IsShown() != choice)
    {
        m_targetChoice->Show(choice);
        m_targetField->Show(!choice);
        m_panel->Layout();
    }
}

void QuizEditorPane::CompleteTargets()
{
    if (!m_completionStale)
        return;
    m_completionStale = false;
    wxArrayString ids;
    ids.reserve(m_targets.size());
    for (size_t entry = 1; entry < m_targets.size(); ++entry)  // after the end's "0"
        ids.push_back(m_targets[entry]);
    m_targetField->AutoComplete(ids);
}

void QuizEditorPane::UpdateTarget(size_t question)
{
    const size_t entry = question + 1;
    if (!m_targetChoice->IsShown())
    {
        if (m_document && entry < m_targets.size())
            m_targets[entry] = m_document->QuestionId(question);
        m_completionStale = true;  // its ID may be another now
        return;
    }
    if (!m_document || entry >= m_targets.size() || entry >= m_targetChoice->GetCount())
        return;
    const QuestionFields fields = m_document->Fields(question);
    const wxString label = TargetLabel(fields);
    if (m_targetChoice->GetString(entry) != label)
        m_targetChoice->SetString(entry, label);
    m_targets[entry] = fields.id;
}

void QuizEditorPane::Select(int question)
{
    CommitTyping();
    if (!m_document || question < 0 || question >= static_cast<int>(m_document->QuestionCount()))
        question = -1;
    const bool other = question != m_selected;
    m_selected = question;
    if (other)
        m_answer = -1;
    if (question >= 0)
    {
        const wxDataViewItem item = m_model->GetItem(question);
        if (m_outline->GetSelection() != item)
            m_outline->Select(item);
        m_outline->EnsureVisible(item);
    }
    ShowForm();
}

bool QuizEditorPane::SelectQuestion(const wxString& id)
{
    if (!m_bound)
        TakeDocument();
    if (!m_document)
        return false;
    if (m_selected >= 0 && m_document->Fields(m_selected).id == id)
        return true;
    const size_t count = m_document->QuestionCount();
    for (size_t question = 0; question < count; ++question)
        if (m_document->Fields(question).id == id)
        {
            Select(static_cast<int>(question));
            return true;
        }
    return false;
}

void QuizEditorPane::ShowForm()
{
    QuestionFields fields;
    if (m_document && m_selected >= 0)
        fields = m_document->Fields(m_selected);
    // ChangeValue: showing a value is not typing it.
    if (m_idField->GetValue() != fields.id)
        m_idField->ChangeValue(fields.id);
    if (m_textField->GetValue() != fields.text)
        m_textField->ChangeValue(fields.text);
    wxArrayString rows;
    for (const AnswerFields& answer : fields.answers)
    {
        // Where it leads first: the text may be cut at the list's edge.
        const wxString text = StartOf(answer.text);
        if (answer.target == wxS("0"))
            rows.push_back(wxString::Format(_(L"End · %s"), text));
        else if (answer.target.empty())
            rows.push_back(wxString::Format(wxS("… · %s"), text));
        else
            rows.push_back(wxString::Format(wxS("%s · %s"), answer.target, text));
    }
    if (m_answers->GetStrings() != rows)
        m_answers->Set(rows);
    if (m_answer >= static_cast<int>(rows.size()))
        m_answer = static_cast<int>(rows.size()) - 1;
    if (m_answer < 0 && !rows.empty())
        m_answer = 0;
    if (m_answer >= 0)
        m_answers->SetSelection(m_answer);
    ShowAnswer();
    EnableControls();
    UpdateTyping();
}

void QuizEditorPane::ShowAnswer()
{
    AnswerFields answer;
    const bool any = m_document && m_selected >= 0 && m_answer >= 0;
    if (any)
    {
        const QuestionFields fields = m_document->Fields(m_selected);
        if (m_answer < static_cast<int>(fields.answers.size()))
            answer = fields.answers[m_answer];
    }
    if (m_answerField->GetValue() != answer.text)
        m_answerField->ChangeValue(answer.text);
    if (m_targetField->GetValue() != answer.target)
        m_targetField->ChangeValue(answer.target);
    // A target that names no question shows as it is, after the questions.
    const size_t questions = m_targets.size();
    while (m_targetChoice->GetCount() > questions)
        m_targetChoice->Delete(m_targetChoice->GetCount() - 1);
    if (!any)
    {
        m_targetChoice->SetSelection(wxNOT_FOUND);
        return;
    }
    const auto found = std::find(m_targets.begin(), m_targets.end(), answer.target);
    if (found != m_targets.end())
        m_targetChoice->SetSelection(static_cast<int>(found - m_targets.begin()));
    else
        m_targetChoice->SetSelection(m_targetChoice->Append(
            answer.target.empty() ? _("(none: as the answer before)")
                                  : wxString::Format(_("%s (no such question)"), answer.target)));
}

void QuizEditorPane::EnableControls()
{
    const bool editable = CanEdit();
    const bool question = editable && m_selected >= 0;
    const int answers = static_cast<int>(m_answers->GetCount());
    const bool answer = question && m_answer >= 0;
    // Redrawn when it changes: Windows keeps the old look of a field until
    // it is painted again.
    const auto setEditable = [](wxTextCtrl* field, bool on) {
        if (field->IsEditable() == on)
            return;
        field->SetEditable(on);
        field->Refresh();
    };
    setEditable(m_idField, question);
    setEditable(m_textField, question);
    setEditable(m_answerField, answer);
    m_targetChoice->Enable(answer);
    setEditable(m_targetField, answer);
    m_addAnswer->Enable(question);
    m_removeAnswer->Enable(answer);
    m_moveUp->Enable(answer && m_answer > 0);
    m_moveDown->Enable(answer && m_answer + 1 < answers);
    m_addQuestion->Enable(editable);
    m_deleteQuestion->Enable(question);
    m_play->Enable(m_document && m_selected >= 0 && !m_session.DocumentReadOnly());
}

bool QuizEditorPane::CanEdit() const
{
    return m_bound && m_document && !m_session.DocumentReadOnly();
}

void QuizEditorPane::ShowBalanceNow()
{
    m_balanceTimer.Stop();
    ShowBalance();
}

void QuizEditorPane::OnDocumentChange(const QuizDocumentChange& change)
{
    switch (change.kind)
    {
        case QuizDocumentChange::Question:
            if (change.question < m_model->GetCount())
                m_model->RowChanged(static_cast<unsigned>(change.question));
            UpdateTarget(change.question);
            if (static_cast<int>(change.question) != m_selected)
                Select(static_cast<int>(change.question));
            else
                ShowForm();
            break;
        case QuizDocumentChange::Questions:
            ShowAll();
            break;
        case QuizDocumentChange::Saved:
            break;
    }
}

bool QuizEditorPane::Submit(std::unique_ptr<QuizEdit> edit)
{
    if (!edit || !CanEdit())
        return false;
    return m_document->Submit(std::move(edit));
}

void QuizEditorPane::CommitTyping()
{
    if (!CanEdit() || m_selected < 0)
    {
        UpdateTyping();
        return;
    }
    const QuestionFields fields = m_document->Fields(m_selected);
    const size_t question = static_cast<size_t>(m_selected);
    // Each field that differs becomes its own edit.
    if (m_idField->GetValue() != fields.id)
        Submit(m_document->SetQuestionId(question, m_idField->GetValue()));
    if (m_textField->GetValue() != fields.text)
        Submit(m_document->SetQuestionText(question, m_textField->GetValue()));
    if (m_answer >= 0 && m_answer < static_cast<int>(fields.answers.size()) &&
        m_answerField->GetValue() != fields.answers[m_answer].text)
        Submit(m_document->SetAnswerText(question, m_answer, m_answerField->GetValue()));
    if (m_targetField->IsShown() && m_answer >= 0 &&
        m_answer < static_cast<int>(fields.answers.size()))
    {
        const wxString target = wxString(m_targetField->GetValue()).Trim(true).Trim(false);
        if (target != fields.answers[m_answer].target)
            Submit(m_document->SetAnswerTarget(question, m_answer, target));
    }
    // A value the document keeps otherwise (characters no file can hold
    // left out) is shown as kept.
    ShowForm();
}

bool QuizEditorPane::FieldsDiffer() const
{
    if (!CanEdit() || m_selected < 0)
        return false;
    const QuestionFields fields = m_document->Fields(m_selected);
    if (m_idField->GetValue() != fields.id || m_textField->GetValue() != fields.text)
        return true;
    if (m_answer < 0 || m_answer >= static_cast<int>(fields.answers.size()))
        return false;
    const AnswerFields& answer = fields.answers[m_answer];
    return m_answerField->GetValue() != answer.text ||
           (m_targetField->IsShown() &&
            wxString(m_targetField->GetValue()).Trim(true).Trim(false) != answer.target);
}

void QuizEditorPane::UpdateTyping()
{
    m_session.SetTyping(FieldsDiffer());
}

void QuizEditorPane::OnOutlineSelected(wxDataViewEvent& event)
{
    const wxDataViewItem item = m_outline->GetSelection();
    if (item.IsOk())
        Select(static_cast<int>(m_model->GetRow(item)));
}

void QuizEditorPane::OnFieldTyped(wxCommandEvent& event)
{
    event.Skip();
    UpdateTyping();
}

void QuizEditorPane::OnFieldEnter(wxCommandEvent& event)
{
    CommitTyping();
}

void QuizEditorPane::OnFieldFocusLost(wxFocusEvent& event)
{
    event.Skip();
    // After the focus moved: a click that lost it may be a selection that
    // changes what the fields show.
    CommitTyping();
}

void QuizEditorPane::OnAnswerSelected(wxCommandEvent& event)
{
    CommitTyping();
    m_answer = m_answers->GetSelection();
    ShowAnswer();
    EnableControls();
}

void QuizEditorPane::OnTargetChosen(wxCommandEvent& event)
{
    const int entry = m_targetChoice->GetSelection();
    if (!CanEdit() || m_selected < 0 || m_answer < 0 || entry < 0 ||
        entry >= static_cast<int>(m_targets.size()))
        return;
    Submit(m_document->SetAnswerTarget(m_selected, m_answer, m_targets[entry]));
}

void QuizEditorPane::OnAddAnswer(wxCommandEvent& event)
{
    if (!CanEdit() || m_selected < 0)
        return;
    CommitTyping();
    const size_t answers = m_document->Fields(m_selected).answers.size();
    if (Submit(m_document->AddAnswer(m_selected)))
    {
        m_answer = static_cast<int>(answers);
        ShowForm();
        m_answerField->SetFocus();
        m_answerField->SelectAll();
    }
}

void QuizEditorPane::OnRemoveAnswer(wxCommandEvent& event)
{
    if (!CanEdit() || m_selected < 0 || m_answer < 0)
        return;
    CommitTyping();
    Submit(m_document->RemoveAnswer(m_selected, m_answer));
}

void QuizEditorPane::OnMoveUp(wxCommandEvent& event)
{
    if (!CanEdit() || m_selected < 0 || m_answer <= 0)
        return;
    CommitTyping();
    const int answer = m_answer;
    if (Submit(m_document->MoveAnswerUp(m_selected, answer)))
    {
        m_answer = answer - 1;
        ShowForm();
    }
}

void QuizEditorPane::OnMoveDown(wxCommandEvent& event)
{
    if (!CanEdit() || m_selected < 0 || m_answer < 0)
        return;
    CommitTyping();
    const int answer = m_answer;
    if (Submit(m_document->MoveAnswerDown(m_selected, answer)))
    {
        m_answer = answer + 1;
        ShowForm();
    }
}

void QuizEditorPane::AddQuestion()
{
    if (!CanEdit())
        return;
    CommitTyping();
    if (Submit(m_document->AddQuestion()))
    {
        Select(static_cast<int>(m_document->QuestionCount()) - 1);
        m_textField->SetFocus();
        m_textField->SelectAll();
    }
}

void QuizEditorPane::DeleteQuestion()
{
    if (!CanEdit() || m_selected < 0)
        return;
    CommitTyping();
    const int question = m_selected;
    const size_t leading = m_document->AnswersLeadingTo(question);
    if (leading > 0)
    {
        const std::shared_ptr<QuizDocument> asked = m_document;
        wxMessageDialog dialog(
            &m_frame,
            wxString::Format(wxPLURAL("%zu answer leads here: it will lead nowhere.",
                                      "%zu answers lead here: they will lead nowhere.", leading),
                             leading) +
                wxS("\n\n") + _("Delete the question all the same? Undo brings it back."),
            _("Delete question"), wxYES_NO | wxNO_DEFAULT | wxICON_WARNING | wxCENTRE);
        dialog.SetYesNoLabels(_("&Delete"), _("Cancel"));
        // The dialog ran an event loop: the quiz may have been read again.
        if (dialog.ShowModal() != wxID_YES || m_document != asked || m_selected != question)
            return;
    }
    if (Submit(m_document->DeleteQuestion(question)))
        Select(std::min(question, static_cast<int>(m_document->QuestionCount()) - 1));
}

void QuizEditorPane::DuplicateQuestion()
{
    if (!CanEdit() || m_selected < 0)
        return;
    CommitTyping();
    const int question = m_selected;
    if (Submit(m_document->DuplicateQuestion(question)))
    {
        Select(question + 1);
        m_textField->SetFocus();
        m_textField->SelectAll();
    }
}

void QuizEditorPane::PlayFromHere()
{
    if (!m_document || m_selected < 0 || m_session.DocumentReadOnly())
        return;
    CommitTyping();
    m_session.GoTo(m_document->Fields(m_selected).id);
}

