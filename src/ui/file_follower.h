// Follows one file on disk for a window: tells it once per burst of changes
// that the file was written, replaced, removed or came back.
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

private:
    void Watch();
    void OnFileSystemChange(wxFileSystemWatcherEvent& event);
    void OnQuiet(wxTimerEvent& event);

    std::function<void()> m_changed;
    wxString m_path;
    std::unique_ptr<wxFileSystemWatcherBase> m_watcher;  // made once an event loop runs
    wxString m_watchedFolder;
    std::unique_ptr<wxTimer> m_quiet;  // one call per burst of changes
};
