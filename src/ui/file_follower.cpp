// Following a file on disk.
#include "ui/file_follower.h"

#include "ui/watcher_end.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/fswatcher.h>
#include <wx/timer.h>

namespace
{

// How long the file must stay still before it is read again: editors save
// in several steps (write, rename, set attributes), and a half-written file
// should not be read.
constexpr int QUIET_MS = 250;

} // namespace

FileFollower::FileFollower(std::function<void()> changed)
    : m_changed(std::move(changed)), m_quiet(std::make_unique<wxTimer>(this))
{
    Bind(wxEVT_FSWATCHER, &FileFollower::OnFileSystemChange, this);
    Bind(wxEVT_TIMER, &FileFollower::OnQuiet, this);
}

FileFollower::~FileFollower()
{
    m_quiet->Stop();
    EndWatcher(std::move(m_watcher));
}

void FileFollower::Follow(const wxString& path)
{
    m_quiet->Stop();
    m_path = path;
    // The watcher hooks into the running event loop (on GTK it cannot be
    // made before one runs, as at start-up).
    CallAfter(&FileFollower::Watch);
}

void FileFollower::Watch()
{
    // Without a running loop (window tests) the file is not followed.
    if (m_path.empty() || !wxTheApp || !wxTheApp->IsMainLoopRunning())
        return;
    // Editors save by writing a new file and renaming it over the old one,
    // which a watch on the file itself would lose: the folder is watched.
    const wxString folder = wxFileName(m_path).GetPath();
    if (!m_watcher)
    {
        m_watcher = std::make_unique<wxFileSystemWatcher>();
        m_watcher->SetOwner(this);
    }
    else if (folder == m_watchedFolder)
        return;
    if (!m_watchedFolder.empty())
        m_watcher->Remove(wxFileName::DirName(m_watchedFolder));
    m_watchedFolder.clear();
    // Reading the file must not count as a change: no access events.
    if (m_watcher->Add(wxFileName::DirName(folder),
                       wxFSW_EVENT_CREATE | wxFSW_EVENT_DELETE | wxFSW_EVENT_RENAME |
                           wxFSW_EVENT_MODIFY | wxFSW_EVENT_WARNING))
        m_watchedFolder = folder;
}

void FileFollower::OnFileSystemChange(wxFileSystemWatcherEvent& event)
{
    if (m_path.empty())
        return;
    const wxFileName file(m_path);
    // A warning means changes may have been lost: read the file to be sure.
    if (event.GetChangeType() == wxFSW_EVENT_WARNING || event.GetPath().SameAs(file) ||
        event.GetNewPath().SameAs(file))
        m_quiet->StartOnce(QUIET_MS);
}

void FileFollower::OnQuiet(wxTimerEvent& event)
{
    m_changed();
}
