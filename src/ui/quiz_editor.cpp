// The quiz editor pane.
#include "ui/quiz_editor.h"

#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "ui/list_focus.h"
#include "quiz/quiz_file.h"
#include "ui/label_measure.h"
#include "ui/list_rows.h"
#include "ui/window_support.h"

#include <wx/aui/aui.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dataview.h>
#include <wx/frame.h>
#include <wx/gbsizer.h>
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
const int BALANCE_ROWS = 12;  // results shown without scrolling
const int OUTLINE_HEIGHT = 150;       // pixels at 96 DPI
const int OUTLINE_LEAST_HEIGHT = 80;

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
    OutlineModel(const std::set<wxString>& marked, const std::set<int>& markedResults)
        : m_marked(marked), m_markedResults(markedResults)
    {
    }

    void SetDocument(std::shared_ptr<const QuizDocument> document)
    {
        m_document = std::move(document);
        Reset(Rows());
    }

    // The questions, then the quiz's title, then its results: the file's order.
    unsigned Rows() const
    {
        return m_document ? static_cast<unsigned>(m_document->QuestionCount() + 1 +
                                                  m_document->ResultCount())
                          : 0;
    }

    unsigned GetColumnCount() const override { return COLUMN_COUNT; }
    wxString GetColumnType(unsigned) const override { return wxS("string"); }

    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override
    {
        value = wxString();
        if (!m_document)
            return;
        const size_t questions = m_document->QuestionCount();
        if (row == questions)
        {
            const wxString title = m_document->Title();
            if (column == COLUMN_ID)
                value = _("Title");
            else if (column == COLUMN_TEXT)
                value = title.empty() ? _("(no title)") : StartOf(title);
            return;
        }
        if (row > questions)
        {
            const int result = static_cast<int>(row - questions - 1);
            const wxString name = m_document->Result(result).name;
            if (column == COLUMN_ID)
                value = _("Result");
            else if (column == COLUMN_TEXT)
                value = name.empty() ? _("(no name)") : StartOf(name);
            else
                value = m_markedResults.count(result) ? _("problem") : wxString();
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
    const std::set<int>& m_markedResults;
};

QuizEditorPane::QuizEditorPane(wxFrame& frame, wxAuiManager& manager, QuizSession& session)
    : m_frame(frame), m_manager(manager), m_session(session)
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
                                   // Outside the Problems pane's layer: the
                                   // editor keeps its height when that pane
                                   // shows below the quiz.
                                   .Layer(1)
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

    m_outline = new wxDataViewCtrl(p, wxID_ANY, wxDefaultPosition,
                                   m_frame.FromDIP(wxSize(460, OUTLINE_HEIGHT)),
                                   wxDV_SINGLE | wxDV_ROW_LINES);
    m_outline->SetName(wxS("QuizOutline"));
    // It gives up rows, down to a few, when the balance's note shows in a
    // window no taller; the pane opens with room for its first size.
    m_outline->SetMinSize(m_frame.FromDIP(wxSize(460, OUTLINE_LEAST_HEIGHT)));
    m_outline->SetLabel(_("Questions"));
    m_model = new OutlineModel(m_marked, m_markedResults);
    m_outline->AssociateModel(m_model);
    m_model->DecRef();  // the outline holds it
    m_outline->AppendTextColumn(_("ID"), COLUMN_ID, wxDATAVIEW_CELL_INERT, m_frame.FromDIP(60));
    m_outline->AppendTextColumn(_("Question"), COLUMN_TEXT, wxDATAVIEW_CELL_INERT,
                                m_frame.FromDIP(310));
    m_outline->AppendTextColumn(_("Problems"), COLUMN_PROBLEMS, wxDATAVIEW_CELL_INERT,
                                m_frame.FromDIP(70));
    column->Add(m_outline, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);

    // The answer list spans the form, as wide as the player's list and the
    // room where each row says where it leads; its commands go below it.
    // Each label comes before its field, which its mnemonic focuses.
    wxGridBagSizer* form = new wxGridBagSizer(gap, gap);
    int row = 0;
    const auto Label = [&](const wxString& text, int flags) {
        form->Add(new wxStaticText(p, wxID_ANY, text), wxGBPosition(row, 0), wxDefaultSpan, flags);
    };
    const auto Field = [&](wxWindow* field) {
        form->Add(field, wxGBPosition(row++, 1), wxDefaultSpan, wxEXPAND);
    };
    const wxGBSpan across(1, 2);
    Label(_("Question I&D:"), wxALIGN_CENTER_VERTICAL);
    m_idField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                               wxTE_PROCESS_ENTER, wxDefaultValidator, wxS("QuestionId"));
    Field(m_idField);
    Label(_("Question te&xt:"), wxALIGN_TOP);
    m_textField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition,
                                 m_frame.FromDIP(wxSize(-1, 54)), wxTE_MULTILINE,
                                 wxDefaultValidator, wxS("QuestionText"));
    Field(m_textField);
    form->Add(new wxStaticText(p, wxID_ANY, _("Answer &list:")), wxGBPosition(row++, 0), across);
    m_answers = new wxListBox(p, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE,
                              wxDefaultValidator, wxS("AnswerList"));
    const int leadsWidth = std::max(m_answers->GetTextExtent(wxString::Format(_(L"End · %s"), wxString())).x,
                                    m_answers->GetTextExtent(wxS("99999 · ")).x);
    FocusRowsFromLabel(m_answers);
    m_answers->SetInitialSize(wxSize(m_frame.FromDIP(ANSWER_LIST_WIDTH) + leadsWidth, m_frame.FromDIP(110)));
    form->Add(m_answers, wxGBPosition(row++, 0), across, wxEXPAND);
    wxBoxSizer* answerButtons = new wxBoxSizer(wxHORIZONTAL);
    m_addAnswer = new wxButton(p, wxID_ANY, _("&Add answer"));
    m_removeAnswer = new wxButton(p, wxID_ANY, _("Re&move answer"));
    m_moveUp = new wxButton(p, wxID_ANY, _("Move &up"));
    m_moveDown = new wxButton(p, wxID_ANY, _("Move d&own"));
    for (wxButton* button : {m_addAnswer, m_removeAnswer, m_moveUp, m_moveDown})
        answerButtons->Add(button, 0, wxRIGHT, gap);
    form->Add(answerButtons, wxGBPosition(row++, 0), across);

    Label(_("Ans&wer text:"), wxALIGN_CENTER_VERTICAL);
    m_answerField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxTE_PROCESS_ENTER, wxDefaultValidator, wxS("AnswerText"));
    Field(m_answerField);
    Label(_("&Goes to:"), wxALIGN_CENTER_VERTICAL);
    m_targetChoice = new wxChoice(p, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                  wxDefaultValidator, wxS("AnswerTarget"));
    m_targetField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxTE_PROCESS_ENTER, wxDefaultValidator, wxS("AnswerTargetId"));
    m_targetField->SetHint(_("ID of a question, or 0 to end the quiz"));
    m_targetField->Hide();
    wxBoxSizer* target = new wxBoxSizer(wxVERTICAL);
    target->Add(m_targetChoice, 0, wxEXPAND);
    target->Add(m_targetField, 0, wxEXPAND);
    form->Add(target, wxGBPosition(row++, 1), wxDefaultSpan, wxEXPAND);
    // The result an ending names, from the quiz's results.
    m_resultLabel = new wxStaticText(p, wxID_ANY, _("&Concludes with:"));
    form->Add(m_resultLabel, wxGBPosition(row, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL);
    m_resultChoice = new wxChoice(p, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                  wxDefaultValidator, wxS("AnswerResult"));
    Field(m_resultChoice);
    form->AddGrowableCol(1);
    column->Add(form, 0, wxEXPAND | wxALL, gap);
    m_questionForm = form;

    wxBoxSizer* questionButtons = new wxBoxSizer(wxHORIZONTAL);
    m_addQuestion = new wxButton(p, wxID_ANY, _("Add quest&ion"));
    m_deleteQuestion = new wxButton(p, wxID_ANY, _("Dele&te question"));
    m_play = new wxButton(p, wxID_ANY, _("Pla&y from here"));
    for (wxButton* button : {m_addQuestion, m_deleteQuestion, m_play})
        questionButtons->Add(button, 0, wxRIGHT, gap);
    column->Add(questionButtons, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);
    m_questionButtons = questionButtons;
    // Reached after the question's buttons, so that the keys that walk the
    // form stay as they were for questions that do not end.
    m_resultLabel->MoveAfterInTabOrder(m_play);
    m_resultChoice->MoveAfterInTabOrder(m_resultLabel);

    // How often each result comes out when every answer is chosen at random.
    column->Add(new wxStaticText(p, wxID_ANY, _("&Balance of results:")), 0, wxLEFT | wxRIGHT, gap);
    m_balance = new wxListBox(p, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE,
                              wxDefaultValidator, wxS("Balance"));
    FocusRowsFromLabel(m_balance);
    // A list the keys reach has a row to start from.
    m_balance->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        if (m_balance->GetSelection() == wxNOT_FOUND && !m_balance->IsEmpty())
            m_balance->SetSelection(0);
    });
    // Said above the figures, wrapped, when they are not of the quiz as it
    // stands; made after the list, so that the label's key still reaches the
    // list (the toolkit points it at the next window made).
    m_balanceNote = new wxStaticText(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                     wxS("BalanceNote"));
    m_balanceNote->Hide();
    FitBalance();
    column->Add(m_balanceNote, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);
    column->Add(m_balance, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    m_column = column;
    BuildResultForms(p, column, gap);
    p->SetSizerAndFit(column);

    // The note wraps anew at the pane's new width, once the pane is laid out.
    m_panel->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (m_balanceNote->IsShown())
            CallAfter([this] { FitBalance(); });
    });
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
    m_resultChoice->Bind(wxEVT_CHOICE, &QuizEditorPane::OnResultChosen, this);
    m_addAnswer->Bind(wxEVT_BUTTON, &QuizEditorPane::OnAddAnswer, this);
    m_removeAnswer->Bind(wxEVT_BUTTON, &QuizEditorPane::OnRemoveAnswer, this);
    m_moveUp->Bind(wxEVT_BUTTON, &QuizEditorPane::OnMoveUp, this);
    m_moveDown->Bind(wxEVT_BUTTON, &QuizEditorPane::OnMoveDown, this);
    m_addQuestion->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AddQuestion(); });
    m_deleteQuestion->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DeleteQuestion(); });
    m_play->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PlayFromHere(); });
}

void QuizEditorPane::BuildResultForms(wxWindow* p, wxBoxSizer* column, int gap)
{
    // In place of the question's form, and reached from the outline as it is.
    wxWindow* previous = m_outline;
    const auto inOrder = [&previous](wxWindow* window) {
        window->MoveAfterInTabOrder(previous);
        previous = window;
        return window;
    };
    const auto label = [&](const wxString& text) { return inOrder(new wxStaticText(p, wxID_ANY, text)); };

    wxFlexGridSizer* titleForm = new wxFlexGridSizer(2, gap, gap);
    titleForm->AddGrowableCol(1);
    titleForm->Add(label(_("Qui&z title:")), 0, wxALIGN_CENTER_VERTICAL);
    m_titleField = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                  wxTE_PROCESS_ENTER, wxDefaultValidator, wxS("QuizTitle"));
    m_titleField->SetHint(_("Shown in the quiz choice and the window's title"));
    titleForm->Add(inOrder(m_titleField), 1, wxEXPAND);

    wxFlexGridSizer* resultForm = new wxFlexGridSizer(2, gap, gap);
    resultForm->AddGrowableCol(1);
    resultForm->Add(label(_("Result n&ame:")), 0, wxALIGN_CENTER_VERTICAL);
    m_resultName = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                  wxTE_PROCESS_ENTER, wxDefaultValidator, wxS("ResultName"));
    resultForm->Add(inOrder(m_resultName), 1, wxEXPAND);
    resultForm->Add(label(_("Result te&xt:")), 0, wxALIGN_TOP);
    m_resultText = new wxTextCtrl(p, wxID_ANY, wxString(), wxDefaultPosition,
                                  m_frame.FromDIP(wxSize(-1, 150)), wxTE_MULTILINE, wxDefaultValidator,
                                  wxS("ResultText"));
    resultForm->Add(inOrder(m_resultText), 1, wxEXPAND);

    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_addResult = new wxButton(p, wxID_ANY, _("A&dd result"), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, wxS("ResultAdd"));
    m_deleteResult = new wxButton(p, wxID_ANY, _("De&lete result"), wxDefaultPosition, wxDefaultSize,
                                  0, wxDefaultValidator, wxS("ResultDelete"));
    for (wxButton* button : {m_addResult, m_deleteResult})
        buttons->Add(inOrder(button), 0, wxRIGHT, gap);

    // Where the question's form is, before the balance.
    size_t at = 0;
    while (column->GetItem(at)->GetSizer() != m_questionForm)
        ++at;
    column->Insert(at, titleForm, 0, wxEXPAND | wxALL, gap);
    column->Insert(at + 1, resultForm, 0, wxEXPAND | wxALL, gap);
    column->Insert(at + 2, buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);
    m_titleForm = titleForm;
    m_resultForm = resultForm;
    m_resultButtons = buttons;
    column->Hide(titleForm);
    column->Hide(resultForm);
    column->Hide(buttons);

    for (wxTextCtrl* field : {m_titleField, m_resultName, m_resultText})
    {
        field->Bind(wxEVT_KILL_FOCUS, &QuizEditorPane::OnFieldFocusLost, this);
        field->Bind(wxEVT_TEXT, &QuizEditorPane::OnFieldTyped, this);
    }
    for (wxTextCtrl* field : {m_titleField, m_resultName})
        field->Bind(wxEVT_TEXT_ENTER, &QuizEditorPane::OnFieldEnter, this);
    m_addResult->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AddResult(); });
    m_deleteResult->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { DeleteResult(); });
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
    // needs, within its display; it gives both back after.
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
        m_growth = GrowWithinDisplay(m_frame, wxSize(best.x + m_frame.FromDIP(8), 0));
        pane.Show(true);
        m_manager.Update();
        const int height = best.y + m_frame.FromDIP(OUTLINE_HEIGHT - OUTLINE_LEAST_HEIGHT);
        m_growth += GrowWithinDisplay(m_frame, wxSize(0, std::max(0, height - m_panel->GetSize().y)));
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
    // version that could, and the note above them says so.
    const OpenedQuiz* opened = m_session.Opened();
    const bool broken = outline && m_session.OpenedShown() && opened->state == OpenedQuiz::FileState::Broken;
    m_balanceNote->SetLabel(broken ? _("The quiz cannot be played as it stands (see Problems); "
                                       "these figures are of its last playable version.")
                                   : wxString());
    // The figures of the version before the last edits, until their check
    // is done.
    if (m_session.Checking())
        rows.push_back(_("Checking..."));
    if (const std::shared_ptr<const QuizBalance> balance = m_session.Balance())
        for (const wxString& row : BalanceRows(*balance))
            rows.push_back(row);
    if (m_balance->GetStrings() != rows)
        m_balance->Set(rows);
    m_balanceNote->Show(broken);
    FitBalance();
}

void QuizEditorPane::FitBalance()
{
    // A dozen results in view whatever the quiz has, so that the form keeps
    // its place as results come and go; the note whole at the list's width.
    const bool empty = m_balance->IsEmpty();
    if (empty)
        m_balance->Append(wxS("0 %"));  // a row to measure
    const int rowHeight = ListRowHeight(m_balance);
    if (empty)
        m_balance->Clear();
    const int border = m_balance->GetSize().y - m_balance->GetClientSize().y;
    const wxSize best(-1, BALANCE_ROWS * rowHeight + std::max(0, border) + m_frame.FromDIP(4));
    bool changed = m_balance->GetMinSize() != best;
    if (changed)
        m_balance->SetMinSize(best);
    if (m_balanceNote->IsShown())
    {
        const int width = std::max(m_balance->GetSize().x, m_frame.FromDIP(200));
        const wxSize note = MeasureWrappedLabel(m_balanceNote, width);
        changed = changed || m_balanceNote->GetMinSize() != note;
        m_balanceNote->SetMinSize(note);
        m_balanceNote->Wrap(width);
    }
    if (changed || m_balanceNote->IsShown() != m_balanceNoteShown)
        m_panel->Layout();
    m_balanceNoteShown = m_balanceNote->IsShown();
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
    m_titleSelected = false;
    m_result = -1;
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
    std::set<int> markedResults;
    const OpenedQuiz* opened = m_session.Opened();
    if (opened && m_session.OpenedShown())
    {
        const FindingList& findings = opened->state == OpenedQuiz::FileState::Broken
                                          ? opened->broken.findings
                                          : opened->version.findings;
        for (const Finding& finding : findings)
        {
            if (!finding.questionId.empty())
                marked.insert(finding.questionId);
            else if (finding.result >= 0)
                markedResults.insert(finding.result);
        }
    }
    if (markedResults != m_markedResults)
    {
        std::set<int> changed;
        std::set_symmetric_difference(markedResults.begin(), markedResults.end(), m_markedResults.begin(),
                                      m_markedResults.end(), std::inserter(changed, changed.end()));
        m_markedResults = std::move(markedResults);
        const size_t questions = m_document ? m_document->QuestionCount() : 0;
        for (const int result : changed)
            if (questions + 1 + result < m_model->GetCount())
                m_model->RowChanged(static_cast<unsigned>(questions + 1 + result));
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
    const int results = m_document ? static_cast<int>(m_document->ResultCount()) : 0;
    if (m_result >= results)
    {
        // The last result went: the title's row takes its place.
        m_result = results - 1;
        m_titleSelected = m_result < 0 && m_document;
    }
    if (m_selected >= 0)
        m_outline->Select(m_model->GetItem(m_selected));
    else if (m_document && (m_titleSelected || m_result >= 0))
        m_outline->Select(m_model->GetItem(
            static_cast<unsigned>(m_document->QuestionCount() + (m_titleSelected ? 0 : 1 + m_result))));
    ShowForm();
    ShowForms();
}

void QuizEditorPane::ShowForms()
{
    const bool question = !m_titleSelected && m_result < 0;
    const int shown = question ? 0 : m_titleSelected ? 1 : 2;
    if (shown != m_formShown)
    {
        // Showing a sizer shows all its windows: the target's two controls
        // are then put right.
        m_formShown = shown;
        m_questionFormShown = question;
        m_column->Show(m_questionForm, question, true);
        m_column->Show(m_questionButtons, question, true);
        m_column->Show(m_titleForm, m_titleSelected, true);
        m_column->Show(m_resultForm, m_result >= 0, true);
        m_column->Show(m_resultButtons, !question, true);
        ShowTargetControls();
        m_panel->Layout();
    }
    ShowResultForm();
    // The fields now hold what the row holds: nothing is being typed.
    UpdateTyping();
}

void QuizEditorPane::ShowResultForm()
{
    const bool any = m_document != nullptr;
    const wxString title = any ? m_document->Title() : wxString();
    if (m_titleField->GetValue() != title)
        m_titleField->ChangeValue(title);
    ResultFields result;
    if (any && m_result >= 0)
        result = m_document->Result(m_result);
    if (m_resultName->GetValue() != result.name)
        m_resultName->ChangeValue(result.name);
    if (m_resultText->GetValue() != result.text)
        m_resultText->ChangeValue(result.text);
    const bool editable = CanEdit();
    for (wxTextCtrl* field : {m_titleField, m_resultName, m_resultText})
        if (field->IsEditable() != editable)
        {
            field->SetEditable(editable);
            field->Refresh();
        }
    m_addResult->Enable(editable);
    m_deleteResult->Enable(editable && m_result >= 0);
}

void QuizEditorPane::ShowResultChoice()
{
    wxArrayString names;
    int chosen = wxNOT_FOUND;
    QuestionFields fields;
    if (m_document && m_selected >= 0)
        fields = m_document->Fields(m_selected);
    const bool ending = m_answer >= 0 && m_answer < static_cast<int>(fields.answers.size()) &&
                        fields.answers[m_answer].target == QUIZ_END_TARGET;
    const size_t results = m_document ? m_document->ResultCount() : 0;
    if (ending)
    {
        const wxString named = ResultOf(fields.answers[m_answer].text);
        for (size_t result = 0; result < results; ++result)
        {
            const wxString name = m_document->Result(result).name;
            names.push_back(name);
            if (chosen == wxNOT_FOUND && wxString(name).Trim(true).Trim(false) == named)
                chosen = static_cast<int>(result);
        }
        // What it names now, when that is none of the quiz's results.
        if (chosen == wxNOT_FOUND && results > 0)
        {
            names.push_back(wxString::Format(_("%s (no such result)"), named));
            chosen = static_cast<int>(results);
        }
    }
    if (m_resultChoice->GetStrings() != names)
        m_resultChoice->Set(names);
    m_resultChoice->SetSelection(chosen);
    m_resultChoice->Enable(CanEdit() && ending && results > 0);
    // Its key leads nowhere while the choice cannot be used.
    m_resultLabel->Enable(m_resultChoice->IsEnabled());
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
    m_targetByChoice = choice;
    ShowTargetControls();
}

void QuizEditorPane::ShowTargetControls()
{
    // Neither while the title's or a result's form is shown.
    const bool choice = m_questionFormShown && m_targetByChoice;
    const bool field = m_questionFormShown && !m_targetByChoice;
    if (m_targetChoice->IsShown() != choice || m_targetField->IsShown() != field)
    {
        m_targetChoice->Show(choice);
        m_targetField->Show(field);
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
    if (!m_targetByChoice)
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
    if (question >= 0)
    {
        m_titleSelected = false;
        m_result = -1;
    }
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
    ShowForms();
}

void QuizEditorPane::SelectRow(unsigned row)
{
    if (!m_document)
        return;
    const size_t questions = m_document->QuestionCount();
    if (row < questions)
        Select(static_cast<int>(row));
    else if (row == questions)
        SelectTitle();
    else
        SelectResult(static_cast<int>(row - questions - 1));
}

bool QuizEditorPane::SelectTitle()
{
    if (!m_bound)
        TakeDocument();
    if (!m_document)
        return false;
    CommitTyping();
    m_selected = -1;
    m_answer = -1;
    m_titleSelected = true;
    m_result = -1;
    const wxDataViewItem item = m_model->GetItem(static_cast<unsigned>(m_document->QuestionCount()));
    if (m_outline->GetSelection() != item)
        m_outline->Select(item);
    m_outline->EnsureVisible(item);
    ShowForm();
    ShowForms();
    return true;
}

bool QuizEditorPane::SelectResult(int result)
{
    if (!m_bound)
        TakeDocument();
    if (!m_document || result < 0 || result >= static_cast<int>(m_document->ResultCount()))
        return false;
    CommitTyping();
    m_selected = -1;
    m_answer = -1;
    m_titleSelected = false;
    m_result = result;
    const wxDataViewItem item =
        m_model->GetItem(static_cast<unsigned>(m_document->QuestionCount() + 1 + result));
    if (m_outline->GetSelection() != item)
        m_outline->Select(item);
    m_outline->EnsureVisible(item);
    ShowForm();
    ShowForms();
    return true;
}

bool QuizEditorPane::SelectQuestion(const wxString& id, int answer)
{
    if (!m_bound)
        TakeDocument();
    if (!m_document)
        return false;
    int found = -1;
    if (m_selected >= 0 && m_document->Fields(m_selected).id == id)
        found = m_selected;
    const size_t count = m_document->QuestionCount();
    for (size_t question = 0; found < 0 && question < count; ++question)
        if (m_document->Fields(question).id == id)
            found = static_cast<int>(question);
    if (found < 0)
        return false;
    if (found != m_selected)
        Select(found);
    if (answer >= 0 && answer < static_cast<int>(m_answers->GetCount()) && answer != m_answer)
    {
        CommitTyping();
        m_answer = answer;
        ShowForm();
    }
    return true;
}

void QuizEditorPane::FocusSelection(bool onAnswer)
{
    if (onAnswer && m_answers->GetSelection() != wxNOT_FOUND)
        m_answers->SetFocus();
    else
        m_outline->SetFocus();
}

bool QuizEditorPane::TargetExists(const wxString& target) const
{
    return target.empty() || target == wxS("0") ||
           std::find(m_targets.begin(), m_targets.end(), target) != m_targets.end();
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
        else if (!TargetExists(answer.target))
            // Marked in words, at the front where the list never cuts it:
            // a screen reader reads the row as it is.
            rows.push_back(wxString::Format(wxS("⚠ %s · %s"),
                                            wxString::Format(_("%s (no such question)"), answer.target), text));
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
    // The row's mark, said whole where the pointer rests.
    if (any && !TargetExists(answer.target))
        m_answers->SetToolTip(wxString::Format(
            _("This answer leads to question %s, which this quiz does not have"), answer.target));
    else
        m_answers->UnsetToolTip();
    // A target that names no question shows as it is, after the questions.
    const size_t questions = m_targets.size();
    while (m_targetChoice->GetCount() > questions)
        m_targetChoice->Delete(m_targetChoice->GetCount() - 1);
    ShowResultChoice();
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
            answer.target.empty() ? _("(none: same as the previous answer)")
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
        case QuizDocumentChange::Results:
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

void QuizEditorPane::CommitResultTyping()
{
    if (!CanEdit())
        return;
    if (m_titleSelected && m_titleField->GetValue() != m_document->Title())
        Submit(m_document->SetTitle(m_titleField->GetValue()));
    if (m_result >= 0 && m_result < static_cast<int>(m_document->ResultCount()))
    {
        // A name left empty is refused: the field shows the name again.
        if (m_resultName->GetValue() != m_document->Result(m_result).name)
            Submit(m_document->SetResultName(m_result, m_resultName->GetValue()));
        if (m_resultText->GetValue() != m_document->Result(m_result).text)
            Submit(m_document->SetResultText(m_result, m_resultText->GetValue()));
    }
    ShowResultForm();
}

void QuizEditorPane::CommitTyping()
{
    if (m_titleSelected || m_result >= 0)
        CommitResultTyping();
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
    if (!m_targetByChoice && m_answer >= 0 &&
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
    if (!CanEdit())
        return false;
    if (m_titleSelected)
        return m_titleField->GetValue() != m_document->Title();
    if (m_result >= 0)
    {
        const ResultFields result = m_document->Result(m_result);
        return m_resultName->GetValue() != result.name || m_resultText->GetValue() != result.text;
    }
    if (m_selected < 0)
        return false;
    const QuestionFields fields = m_document->Fields(m_selected);
    if (m_idField->GetValue() != fields.id || m_textField->GetValue() != fields.text)
        return true;
    if (m_answer < 0 || m_answer >= static_cast<int>(fields.answers.size()))
        return false;
    const AnswerFields& answer = fields.answers[m_answer];
    return m_answerField->GetValue() != answer.text ||
           (!m_targetByChoice &&
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
        SelectRow(m_model->GetRow(item));
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
    // Taken first: committing what was typed shows the form again, with
    // the answer selected until now, and the author's choice was lost (the
    // next edit of "the answer" then wrote over the one before).
    const int chosen = m_answers->GetSelection();
    CommitTyping();
    if (chosen == wxNOT_FOUND || chosen >= static_cast<int>(m_answers->GetCount()))
        return;
    m_answer = chosen;
    m_answers->SetSelection(m_answer);
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

void QuizEditorPane::OnResultChosen(wxCommandEvent& event)
{
    const int entry = m_resultChoice->GetSelection();
    if (!CanEdit() || m_selected < 0 || m_answer < 0 || entry < 0 ||
        entry >= static_cast<int>(m_document->ResultCount()))
        return;
    CommitTyping();
    Submit(m_document->SetAnswerResult(m_selected, m_answer, entry));
}

void QuizEditorPane::AddResult()
{
    if (!CanEdit())
        return;
    CommitTyping();
    if (Submit(m_document->AddResult()))
    {
        SelectResult(static_cast<int>(m_document->ResultCount()) - 1);
        m_resultName->SetFocus();
        m_resultName->SelectAll();
    }
}

bool QuizEditorPane::AskToDelete(const wxString& why, const wxString& caption)
{
    const std::shared_ptr<QuizDocument> asked = m_document;
    wxMessageDialog dialog(&m_frame, why, caption, wxYES_NO | wxNO_DEFAULT | wxICON_WARNING | wxCENTRE);
    dialog.SetYesNoLabels(_("&Delete"), _("Cancel"));
    // The dialog ran an event loop: the quiz may have been read again.
    return dialog.ShowModal() == wxID_YES && m_document == asked;
}

void QuizEditorPane::DeleteResult()
{
    if (!CanEdit() || m_result < 0)
        return;
    CommitTyping();
    const int result = m_result;
    const size_t naming = m_document->EndingsNaming(result);
    if (naming > 0 &&
        (!AskToDelete(wxString::Format(wxPLURAL("%zu ending names this result: it will name none.",
                                                "%zu endings name this result: they will name none.",
                                                naming),
                                       naming) +
                          wxS("\n\n") + _("Delete the result all the same? Undo brings it back."),
                      _("Delete result")) ||
         m_result != result))
        return;
    if (Submit(m_document->DeleteResult(result)))
    {
        if (m_document->ResultCount() > 0)
            SelectResult(std::min(result, static_cast<int>(m_document->ResultCount()) - 1));
        else
            SelectTitle();
    }
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
    if (leading > 0 &&
        (!AskToDelete(wxString::Format(wxPLURAL("%zu answer leads here: it will lead nowhere.",
                                                "%zu answers lead here: they will lead nowhere.", leading),
                                       leading) +
                          wxS("\n\n") + _("Delete the question all the same? Undo brings it back."),
                      _("Delete question")) ||
         m_selected != question))
        return;
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

