// The main window's link to its quiz map.
#include "ui/quiz_map_link.h"

#include "map/map_render.h"
#include "map/map_worker.h"
#include "quiz/navigator.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_list.h"
#include "ui/quiz_map_window.h"
#include "ui/window_support.h"

#include <wx/config.h>
#include <wx/display.h>

const wxString MAP_WINDOW_GROUP = wxS("/MapWindow");

namespace
{

using ResultPointer = std::shared_ptr<MapLayoutWorker::Result>;

// The window's place and size, under MAP_WINDOW_GROUP.
const wxString PLACE_KEYS[] = {wxS("X"), wxS("Y"), wxS("Width"), wxS("Height")};

// Why a map this large is not laid out for the window; empty when it is.
wxString Refusal(const MapWork& work)
{
    switch (FitOf(work))
    {
        case MapFit::TooManyBoxes:
            return wxString::Format(_("This quiz is too large for a map: %d boxes, of at most %d."),
                                    int(work.boxes), int(MAP_MAX_BOXES));
        case MapFit::TooManyArrows:
            return wxString::Format(
                _("This quiz has too many arrows for a map: %d arrows between %d boxes would take too long to lay out."),
                int(work.arrows), int(work.boxes));
        case MapFit::Fits:
            break;
    }
    return wxString();
}

} // namespace

QuizMapLink::QuizMapLink(wxWindow* owner, QuizSession& session)
    : m_owner(owner), m_session(session)
{
    Bind(wxEVT_THREAD, &QuizMapLink::OnLaidOut, this);
    // The worker calls from its own thread; the result comes here as an
    // event, handled on the window's thread.
    m_worker = std::make_unique<MapLayoutWorker>([this](std::unique_ptr<MapLayoutWorker::Result> result) {
        wxThreadEvent* event = new wxThreadEvent();
        event->SetPayload(ResultPointer(std::move(result)));
        wxQueueEvent(this, event);
    });
    m_subscription = session.Subscribe([this](const SessionChange& change) { OnSessionChange(change); });
}

QuizMapLink::~QuizMapLink()
{
    m_subscription.Reset();
    // No result is delivered once the worker is gone; a layout under way
    // finishes on its own.
    m_worker.reset();
    // The program quits (or the main window goes) with the map open: the
    // window goes with it, and opens there at the next start.
    RememberPlace();
    if (m_window)
        m_window->Canvas()->SetJump(nullptr);
}

bool QuizMapLink::Available()
{
    return MapRenderer::Available();
}

wxString QuizMapLink::Unavailable()
{
    return _("This build has no Graphviz to lay maps out.");
}

wxRect QuizMapLink::Place() const
{
    wxConfigBase* config = wxConfigBase::Get();
    int values[4] = {};
    bool known = true;
    for (int value = 0; value < 4; ++value)
        known = config->Read(MAP_WINDOW_GROUP + wxS("/") + PLACE_KEYS[value], &values[value]) && known;
    const wxRect remembered(values[0], values[1], values[2], values[3]);
    known = known && remembered.width > 0 && remembered.height > 0;
    if (known && ReachableOnAScreen(remembered, m_owner->FromDIP(wxSize(120, 32))))
        return remembered;
    const wxRect owner = m_owner->GetRect();
    const int display = wxDisplay::GetFromWindow(m_owner);
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0 : unsigned(display)).GetClientArea();
    const wxSize wanted = known ? remembered.GetSize()
                                : wxSize(m_owner->FromDIP(640), std::max(owner.height, m_owner->FromDIP(480)));
    return PlaceBeside(owner, wanted, m_owner->FromDIP(wxSize(360, 280)), area, m_owner->FromDIP(8));
}

void QuizMapLink::RememberPlace() const
{
    // A window made small or large by the system is not the place chosen.
    if (!m_window || m_window->IsIconized() || m_window->IsMaximized() || m_window->IsFullScreen())
        return;
    const wxRect rect = m_window->GetRect();
    const int values[4] = {rect.x, rect.y, rect.width, rect.height};
    wxConfigBase* config = wxConfigBase::Get();
    for (int value = 0; value < 4; ++value)
        config->Write(MAP_WINDOW_GROUP + wxS("/") + PLACE_KEYS[value], values[value]);
}

void QuizMapLink::Open()
{
    if (m_window)
    {
        m_window->Iconize(false);
        m_window->Raise();
        return;
    }
    m_window = new QuizMapFrame(m_owner, Place());
    m_window->Bind(wxEVT_CLOSE_WINDOW, &QuizMapLink::OnWindowClosed, this);
    // Save, Undo and the like work on the quiz from its map too.
    m_window->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& key) {
        if (!m_shortcuts || !m_shortcuts(key))
            key.Skip();
    });
    // A click plays from a question of a quiz the user opened only.
    m_window->Canvas()->SetJump([this](const wxString& id) {
        if (m_boxClick && m_boxClick(id))
            return;
        if (m_session.OpenedShown())
            m_session.GoTo(id);
    });
    m_window->Show();
    Refresh();
}

void QuizMapLink::OnWindowClosed(wxCloseEvent& event)
{
    if (m_window)
    {
        RememberPlace();
        m_window->Canvas()->SetJump(nullptr);
    }
    m_window = nullptr;
    event.Skip();
}

void QuizMapLink::OnSessionChange(const SessionChange& change)
{
    // Nothing is laid out while nobody looks; the window reads the session
    // when it opens.
    if (!m_window)
        return;
    if (change.Has(SessionChange::Quiz | SessionChange::Map))
        Refresh();
    else if (change.Has(SessionChange::Question))
        Mark();
}

wxString QuizMapLink::QuizKey() const
{
    const QuizEntry& quiz = m_session.CurrentQuiz();
    return quiz.IsBuiltIn() ? quiz.stem : quiz.path;
}

void QuizMapLink::Refresh()
{
    if (!m_window)
        return;
    m_window->SetQuizTitle(ShownTitle(m_session.CurrentQuiz()));
    const wxString quiz = QuizKey();
    // Another quiz's map is of no use, not even until this one's is laid out.
    if (m_map && m_mapQuiz != quiz)
    {
        m_map.reset();
        m_mapOutline.reset();
    }
    const std::shared_ptr<const QuizOutline> outline = m_session.MapOutline();
    if (!outline)
    {
        m_waiting = 0;  // a layout still under way is another quiz's
        m_status = _("The quiz file cannot be read as a quiz.");
    }
    else if (outline != m_tried || quiz != m_triedQuiz)
        Request(outline);
    else if (!m_waiting && m_map && m_mapOutline == outline)
        m_status.clear();
    // The session plays the last good version while the file is broken or
    // gone; the map shows that version and says so.
    const OpenedQuiz* opened = m_session.Opened();
    if (outline && m_session.OpenedShown() && opened->state != OpenedQuiz::FileState::Read &&
        !m_waiting)
        m_status = _("The quiz file cannot be read as a quiz now; the map shows its last good version.");
    // The map is of the version before the last edits until they are checked.
    if (m_session.Checking() && !m_waiting)
        m_status = _("Checking...");
    QuizMapCanvas* canvas = m_window->Canvas();
    if (canvas->Map() != m_map.get())
        canvas->SetMap(m_map);
    m_window->SetStatus(m_status);
    Mark();
}

void QuizMapLink::Request(const std::shared_ptr<const QuizOutline>& outline)
{
    m_tried = outline;
    m_triedQuiz = QuizKey();
    m_waiting = 0;
    // The shares as the session worked them out with the version, on the
    // checker's thread for an edit.
    const std::shared_ptr<const QuizBalance> balance = m_session.Balance();
    MapGraph graph = balance && outline == m_session.MapOutline() ? MakeMapGraph(*outline, *balance)
                                                                  : MakeMapGraph(*outline);
    if (const wxString refusal = Refusal(WorkFor(graph)); !refusal.empty())
    {
        m_status = refusal;
        return;
    }
    // Measured here, on the window's thread, as the canvas will draw them.
    m_text = MeasureMapText(graph, m_text);
    m_waiting = m_worker->Request(std::move(graph), m_text);
    m_status = _("Laying out the map...");
}

void QuizMapLink::Mark()
{
    if (!m_map || !m_window)
        return;
    const QuizNavigator& navigator = m_session.Navigator();
    const wxString current = navigator.Current() ? navigator.Current()->id : wxString();
    m_marks = MarkPlace(m_map->graph, current, navigator.Place(wxNOT_FOUND).wayBack);
    m_window->Canvas()->SetMarks(m_marks);
}

void QuizMapLink::OnLaidOut(wxThreadEvent& event)
{
    const ResultPointer result = event.GetPayload<ResultPointer>();
    // An answer to an older request, overtaken on its way here.
    if (!result || result->generation != m_waiting)
        return;
    m_waiting = 0;
    if (result->laidOut)
    {
        m_map = std::make_shared<const QuizMap>(std::move(result->map));
        m_mapOutline = m_tried;
        m_mapQuiz = m_triedQuiz;
        m_status.clear();
    }
    else
        m_status = wxString::Format(_("The map could not be laid out: %s"), wxString::FromUTF8(result->error));
    if (!m_window)
        return;
    m_window->Canvas()->SetMap(m_map);
    m_window->SetStatus(m_status);
    Mark();
}
