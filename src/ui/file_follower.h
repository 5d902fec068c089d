// Follows one file on disk for a window: tells it once per burst of changes
// that the file was written, replaced, removed or came back. It watches the
// file's real folder (through symbolic links), watches again when that
// folder comes back after being removed, and where the system cannot
// watch, asks once a second instead (the window tells a new content from
// the same by reading it).
#pragma once

#include <wx/event.h>
#include <wx/string.h>

#include <functional>
#include <memory>

class wxFileSystemWatcherBase;
class wxFileSystemWatcherEvent;
class wxTimer;
class wxTimerEvent;

class FileFollower : public wxEvtHandler
{
public:
    // `changed` runs a moment after the last change seen.
    explicit FileFollower(std::function<void()> changed);
    ~FileFollower() override;
    FileFollower(const FileFollower&) = delete;
    FileFollower& operator=(const FileFollower&) = delete;

    // Follows the file at `path` (a full path) from now on, instead of the
    // one before; a change of that one still waiting is dropped.
    void Follow(const wxString& path);

    // The folder watched, after links; empty while the file is asked for
    // once a second instead.
    const wxString& WatchedFolder() const { return m_watchedFolder; }
    // The file followed, after links.
    const wxString& Target() const { return m_target; }

private:
    void Watch();
    void StopWatching();
    void OnFileSystemChange(wxFileSystemWatcherEvent& event);
    void OnQuiet(wxTimerEvent& event);
    void OnPoll(wxTimerEvent& event);

    std::function<void()> m_changed;
    wxString m_path;    // as given
    wxString m_target;  // the file itself, links resolved
    std::unique_ptr<wxFileSystemWatcherBase> m_watcher;  // made once an event loop runs
    wxString m_watchedFolder;
    bool m_folderChanged = false;      // the folder itself went or came back
    std::unique_ptr<wxTimer> m_quiet;  // one call per burst of changes
    std::unique_ptr<wxTimer> m_poll;   // while watching fails
};
