// What ties the main window to its quiz map: the main window tells it the
// quiz on screen and where the player stands; it has the map laid out in
// the background when the quiz or its file changed, keeps the last good
// layout, and opens, feeds and remembers the map window.
#pragma once

#include "map/map_layout.h"

#include <wx/datetime.h>
#include <wx/event.h>
#include <wx/gdicmn.h>

#include <functional>
#include <memory>
#include <vector>

class MapLayoutWorker;
class QuizMapFrame;
class QuizNavigator;

class QuizMapLink : public wxEvtHandler
{
public:
    // Shows a question in the main window (play from here).
    using Jump = std::function<void(const wxString& id)>;

    QuizMapLink(wxWindow* owner, Jump jump);
    ~QuizMapLink() override;

    // False when this build cannot lay maps out; the reason, for the menu.
    static bool Available();
    static wxString Unavailable();

    // Opens the map window beside the owner, or brings it forward.
    void Open();

    // After every change of the quiz on screen or of the player's place:
    // the quiz's file, its title as the main window shows it, whether a
    // click on the map may show a question, and where the player stands.
    void Follow(const wxString& path, const wxString& title, bool canJump, const QuizNavigator& navigator);

    // The map window, while open.
    QuizMapFrame* Window() const { return m_window; }
    // The map on show (null before the first layout) and its marks.
    const QuizMap* Map() const { return m_map.get(); }
    const MapMarks& Marks() const { return m_marks; }
    // Whether a layout is under way for the window.
    bool LayingOut() const { return m_waiting != 0; }

private:
    // What identifies the file a map was made from: a save changes it.
    struct FileStamp
    {
        wxString path;
        wxDateTime modified;
        wxULongLong size;

        bool operator==(const FileStamp& other) const;
    };
    static FileStamp StampOf(const wxString& path);

    void Refresh();     // lays out again when the file changed, then marks
    void Read(const FileStamp& stamp);  // checks the file and asks for its layout
    void Mark();
    void OnLaidOut(wxThreadEvent& event);
    void OnWindowClosed(wxCloseEvent& event);
    wxRect FirstPlace() const;

    wxWindow* m_owner;
    Jump m_jump;
    std::unique_ptr<MapLayoutWorker> m_worker;
    QuizMapFrame* m_window = nullptr;
    wxRect m_rect;  // where the window was last, for the next time

    wxString m_path;
    wxString m_title;
    bool m_canJump = false;
    wxString m_current;
    std::vector<wxString> m_wayBack;

    std::shared_ptr<const QuizMap> m_map;
    FileStamp m_mapStamp;      // what m_map was made from
    FileStamp m_triedStamp;    // what the last attempt read, good or not
    unsigned long m_waiting = 0;  // the layout asked for, while under way
    FileStamp m_waitingStamp;
    MapMarks m_marks;
    wxString m_status;  // what the window says besides the map
};
