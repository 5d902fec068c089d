// The main window's link to its quiz map.
#include "ui/quiz_map_link.h"

#include "map/map_render.h"
#include "map/map_worker.h"
#include "quiz/navigator.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"
#include "ui/quiz_map_window.h"

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace
{

using ResultPointer = std::shared_ptr<MapLayoutWorker::Result>;

} // namespace

bool QuizMapLink::FileStamp::operator==(const FileStamp& other) const
{
    return path == other.path && size == other.size &&
           modified.IsValid() == other.modified.IsValid() &&
           (!modified.IsValid() || modified == other.modified);
}

QuizMapLink::FileStamp QuizMapLink::StampOf(const wxString& path)
{
    // A missing file has neither time nor size, and differs from any
    // version that was there.
    wxLogNull quiet;
    FileStamp stamp;
    stamp.path = path;
    const wxFileName file(path);
    if (file.FileExists())
    {
        stamp.modified = file.GetModificationTime();
        stamp.size = file.GetSize();
    }
    return stamp;
}

QuizMapLink::QuizMapLink(wxWindow* owner, Jump jump) : m_owner(owner), m_jump(std::move(jump))
{
    Bind(wxEVT_THREAD, &QuizMapLink::OnLaidOut, this);
    // The worker calls from its own thread; the result comes here as an
    // event, handled on the window's thread.
    m_worker = std::make_unique<MapLayoutWorker>([this](std::unique_ptr<MapLayoutWorker::Result> result) {
        wxThreadEvent* event = new wxThreadEvent();
        event->SetPayload(ResultPointer(std::move(result)));
        wxQueueEvent(this, event);
    });
}

QuizMapLink::~QuizMapLink()
{
    // No result is delivered once the worker is gone; a layout under way
    // finishes on its own.
    m_worker.reset();
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

wxRect QuizMapLink::FirstPlace() const
{
    const wxRect owner = m_owner->GetRect();
    const int display = wxDisplay::GetFromWindow(m_owner);
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0 : unsigned(display)).GetClientArea();
    wxRect place(owner.GetRight() + m_owner->FromDIP(8), owner.y, m_owner->FromDIP(640),
                 std::max(owner.height, m_owner->FromDIP(480)));
    place.width = std::min(place.width, area.width);
    place.height = std::min(place.height, area.height);
    if (place.GetRight() > area.GetRight())
        place.x = std::max(area.x, area.GetRight() - place.width);
    if (place.GetBottom() > area.GetBottom())
        place.y = std::max(area.y, area.GetBottom() - place.height);
    return place;
}

void QuizMapLink::Open()
{
    if (m_window)
    {
        m_window->Iconize(false);
        m_window->Raise();
        return;
    }
    m_window = new QuizMapFrame(m_owner, m_rect.IsEmpty() ? FirstPlace() : m_rect);
    m_window->Bind(wxEVT_CLOSE_WINDOW, &QuizMapLink::OnWindowClosed, this);
    m_window->Canvas()->SetJump([this](const wxString& id) {
        if (m_canJump && m_jump)
            m_jump(id);
    });
    m_window->Show();
    Refresh();
}

void QuizMapLink::OnWindowClosed(wxCloseEvent& event)
{
    if (m_window)
    {
        m_rect = m_window->GetRect();
        m_window->Canvas()->SetJump(nullptr);
    }
    m_window = nullptr;
    event.Skip();
}

void QuizMapLink::Follow(const wxString& path, const wxString& title, bool canJump,
                         const QuizNavigator& navigator)
{
    m_path = path;
    m_title = title;
    m_canJump = canJump;
    // The place is taken when the window opens (the frame follows again then).
    if (!m_window)
        return;
    m_current = navigator.Current() ? navigator.Current()->id : wxString();
    m_wayBack = navigator.Place(wxNOT_FOUND).wayBack;
    Refresh();
}

void QuizMapLink::Refresh()
{
    // Nothing is laid out while nobody looks.
    if (!m_window)
        return;
    m_window->SetQuizTitle(m_title);
    const FileStamp stamp = StampOf(m_path);
    const bool shown = m_map && stamp == m_mapStamp;
    const bool coming = m_waiting && stamp == m_waitingStamp;
    // A version already read and found wanting is not read again.
    if (!shown && !coming && !(stamp == m_triedStamp))
        Read(stamp);
    QuizMapCanvas* canvas = m_window->Canvas();
    if (canvas->Map() != m_map.get())
        canvas->SetMap(m_map);
    m_window->SetStatus(m_status);
    Mark();
}

void QuizMapLink::Read(const FileStamp& stamp)
{
    m_triedStamp = stamp;
    m_waiting = 0;
    // Another quiz's map is of no use; a broken save of this one keeps the
    // last good map on show.
    if (m_map && m_mapStamp.path != stamp.path)
        m_map.reset();
    QuizOutline outline;
    const FileReport report = CheckQuizFile(stamp.path, &outline);
    if (!report.summary)
    {
        m_status = m_map ? _("The quiz file cannot be read as a quiz now; the map shows its last good version.")
                         : _("The quiz file cannot be read as a quiz.");
        return;
    }
    MapGraph graph = MakeMapGraph(outline);
    if (graph.nodes.size() > MAX_BOXES)
    {
        m_status = wxString::Format(_("This quiz is too large for a map: %d boxes, of at most %d."),
                                    int(graph.nodes.size()), int(MAX_BOXES));
        return;
    }
    m_waiting = m_worker->Request(std::move(graph));
    m_waitingStamp = stamp;
    m_status = _("Laying out the map...");
}

void QuizMapLink::Mark()
{
    if (!m_map || !m_window)
        return;
    m_marks = MarkPlace(m_map->graph, m_current, m_wayBack);
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
        m_mapStamp = m_waitingStamp;
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
