// What ties the quiz session to its map window: it has the current quiz's
// version laid out in the background when the session reads a new one,
// keeps the last good layout, marks where the player stands, and opens,
// feeds and remembers the map window.
#pragma once

#include "map/map_layout.h"
#include "quiz/quiz_session.h"

#include <wx/event.h>
#include <wx/gdicmn.h>

#include <functional>
#include <memory>

// Group of the settings where the map window's place and size are kept.
extern const wxString MAP_WINDOW_GROUP;

class MapLayoutWorker;
class QuizMapFrame;
struct QuizOutline;

class QuizMapLink : public wxEvtHandler
{
public:
    QuizMapLink(wxWindow* owner, QuizSession& session);
    ~QuizMapLink() override;

    // False when this build cannot lay maps out; the reason, for the menu.
    static bool Available();
    static wxString Unavailable();

    // Opens the map window where it was last, or beside the owner; or
    // brings it forward.
    void Open();
    // What a click on a question's box does first: true when it was taken
    // care of; otherwise the opened quiz plays from that question.
    void SetBoxClick(std::function<bool(const wxString&)> click) { m_boxClick = std::move(click); }
    // What a key pressed in the map window is offered to first (the owner's
    // menu shortcuts): true when it was taken.
    void SetShortcuts(std::function<bool(wxKeyEvent&)> shortcuts) { m_shortcuts = std::move(shortcuts); }

    // The map window, while open.
    QuizMapFrame* Window() const { return m_window; }
    // The map on show (null before the first layout) and its marks.
    const QuizMap* Map() const { return m_map.get(); }
    const MapMarks& Marks() const { return m_marks; }
    // Whether a layout is under way for the window.
    bool LayingOut() const { return m_waiting != 0; }

private:
    void OnSessionChange(const SessionChange& change);
    void Refresh();  // the session's version: laid out when new, then marked
    void Request(const std::shared_ptr<const QuizOutline>& outline);
    void Mark();
    void OnLaidOut(wxThreadEvent& event);
    void OnWindowClosed(wxCloseEvent& event);
    // Where the window opens: where it was, while a screen shows that
    // place, else beside the owner.
    wxRect Place() const;
    void RememberPlace() const;
    // Names the quiz a version belongs to: a version of another quiz
    // replaces the map at once instead of showing beside its marks.
    wxString QuizKey() const;

    wxWindow* m_owner;
    QuizSession& m_session;
    std::unique_ptr<MapLayoutWorker> m_worker;
    QuizMapFrame* m_window = nullptr;

    std::shared_ptr<const QuizMap> m_map;
    wxString m_mapQuiz;                              // QuizKey of m_map
    std::shared_ptr<const QuizOutline> m_mapOutline;  // the version m_map was made from
    std::shared_ptr<const QuizOutline> m_tried;      // the last version asked for, good or not
    wxString m_triedQuiz;
    unsigned long m_waiting = 0;  // the layout asked for, while under way
    MapMarks m_marks;
    std::shared_ptr<const MapTextMetrics> m_text;  // the characters measured so far
    wxString m_status;  // what the window says besides the map
    std::function<bool(const wxString&)> m_boxClick;
    std::function<bool(wxKeyEvent&)> m_shortcuts;
    QuizSession::Subscription m_subscription;
};
