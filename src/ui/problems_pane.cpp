// The Problems pane.
#include "ui/problems_pane.h"

#include "ui/window_support.h"

#include <wx/aui/aui.h>
#include <wx/dataview.h>
#include <wx/frame.h>
#include <wx/settings.h>

namespace
{

const wxString PANE_NAME = wxS("Problems");

} // namespace

ProblemsPane::ProblemsPane(wxFrame& frame, wxAuiManager& manager, wxWindow& quiz, long id,
                           QuizSession& session)
    : m_frame(frame), m_manager(manager), m_quiz(quiz), m_session(session)
{
    // A list a screen reader can walk row by row: the toolkit's data view
    // is the platform's own list on GTK (its list control is drawn by the
    // toolkit and unseen by the accessibility bus), and the status bar is
    // not read on every platform.
    m_list = new wxDataViewListCtrl(&frame, id, wxDefaultPosition, frame.FromDIP(wxSize(512, 110)),
                                    wxDV_SINGLE | wxDV_ROW_LINES, wxDefaultValidator);
    m_list->SetName(wxS("ID_DATAVIEW_PROBLEMS"));
    // Where the toolkit draws the list itself (Windows), its window text is
    // the name a screen reader announces.
    m_list->SetLabel(_("Problems"));
    m_list->AppendTextColumn(_("Line"), wxDATAVIEW_CELL_INERT, frame.FromDIP(48), wxALIGN_RIGHT);
    m_list->AppendTextColumn(_("Kind"), wxDATAVIEW_CELL_INERT, frame.FromDIP(72));
    m_list->AppendTextColumn(_("Message"), wxDATAVIEW_CELL_INERT, frame.FromDIP(380));
    // The caption is drawn on a light shade of the window's face colour, but
    // in the system's colour for an inactive title bar's text, which goes
    // with that title bar's own colour: light on a dark grey in the classic
    // Windows look, so the word all but vanished. The face's text colour
    // reads on it everywhere.
    m_manager.GetArtProvider()->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_TEXT_COLOUR,
                                          wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    m_manager.AddPane(m_list, wxAuiPaneInfo()
                                  .Name(PANE_NAME)
                                  .Caption(_("Problems"))
                                  .Bottom()
                                  .CloseButton(false)
                                  .BestSize(frame.FromDIP(wxSize(512, 110)))
                                  .MinSize(frame.FromDIP(wxSize(-1, 80)))
                                  .Hide());
    m_manager.Update();
    m_list->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &ProblemsPane::OnActivated, this);
    m_subscription = session.Subscribe([this](const SessionChange& change) {
        if (change.Has(SessionChange::Quiz | SessionChange::Problems))
            Update();
    });
}

void ProblemsPane::Update()
{
    std::vector<Row> rows;
    const OpenedQuiz* opened = m_session.Opened();
    if (!opened || !m_session.OpenedShown())
    {
        Show(rows);
        return;
    }
    const FindingList* findings = &opened->version.findings;
    switch (opened->state)
    {
        case OpenedQuiz::FileState::Read:
            break;
        case OpenedQuiz::FileState::Gone:
            findings = nullptr;
            rows.push_back(Row{wxString(), _("warning"),
                               wxString::Format(_("The file \"%s\" is gone; the quiz on screen is its last version."),
                                                opened->path),
                               wxString()});
            break;
        case OpenedQuiz::FileState::Broken:
        {
            wxString why = opened->error;
            why.Replace(wxS("\n"), wxS(" "));  // one row, one line
            rows.push_back(Row{wxString(), _("error"),
                               wxString::Format(_("Not reloaded, the quiz on screen stays: %s"), why),
                               wxString()});
            findings = &opened->broken.findings;
            break;
        }
    }
    if (findings)
    {
        const wxString error = _("error");
        const wxString warning = _("warning");
        for (const Finding& finding : *findings)
            // Parts added by the editor have no line yet.
            rows.push_back(Row{finding.line >= 1 ? wxString::Format(wxS("%ld"), finding.line)
                                                 : wxString(),
                               finding.severity == Severity::Error ? error : warning,
                               finding.WindowMessage(), finding.questionId, finding.answer, finding.result});
    }
    // The rows are of the version before the last edits until their check
    // is done; a pane with nothing to list stays hidden meanwhile.
    if (m_session.Checking() && !rows.empty())
        rows.insert(rows.begin(), Row{wxString(), wxString(), _("Checking..."), wxString()});
    Show(rows);
}

void ProblemsPane::Show(const std::vector<Row>& rows)
{
    // The rows go into a new store that the list then takes whole: row by
    // row, the list would redraw thousands of times for a large quiz.
    wxDataViewListStore* store = new wxDataViewListStore();
    for (int column = 0; column < 3; ++column)
        store->AppendColumn(wxS("string"));
    m_questions.clear();
    m_answers.clear();
    m_results.clear();
    for (const Row& row : rows)
    {
        wxVector<wxVariant> values;
        values.push_back(row.line);
        values.push_back(row.kind);
        values.push_back(row.message);
        store->AppendItem(values);
        m_questions.push_back(row.questionId);
        m_answers.push_back(row.answer);
        m_results.push_back(row.result);
    }
    m_list->AssociateModel(store);
    store->DecRef();  // the list holds it now
    wxAuiPaneInfo& pane = m_manager.GetPane(PANE_NAME);
    const bool show = !rows.empty();
    if (pane.IsShown() == show)
        return;
    // The pane takes its room from the quiz, so the window keeps its size
    // as the pane comes and goes. Only what the quiz cannot give (a window
    // at its smallest) the window grows by, once: it keeps that room after.
    const int quizBefore = m_quiz.GetSize().y;
    pane.Show(show);
    m_manager.Update();
    if (!show)
        return;
    // The quiz's best size is its sizer's least (the manager keeps no least
    // size for the centre); the pane wants its best height besides its
    // caption and sash, which a small window denies it.
    const int taken = quizBefore - m_quiz.GetSize().y;
    const int lacking = m_quiz.GetBestSize().y + taken + (pane.best_size.y - m_list->GetSize().y) - quizBefore;
    if (lacking > 0)
    {
        // Shown again once the window is larger, the pane is docked at its best height.
        pane.Show(false);
        m_manager.Update();
        GrowWithinDisplay(m_frame, wxSize(0, lacking));
        pane.Show(true);
        m_manager.Update();
    }
}

void ProblemsPane::OnActivated(wxDataViewEvent& event)
{
    const int row = m_list->ItemToRow(event.GetItem());
    if (row < 0 || static_cast<size_t>(row) >= m_questions.size())
        return;
    if (m_questions[row].empty())
    {
        if (m_results[row] >= 0 && m_goToResult)
            m_goToResult(m_results[row]);
        return;
    }
    if (m_goThere)
        m_goThere(m_questions[row], m_answers[row]);
    else
        m_session.GoTo(m_questions[row]);
}
