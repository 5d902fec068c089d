// Following a file on disk.
#include "ui/file_follower.h"

#include "ui/watcher_end.h"

#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/fswatcher.h>
#include <wx/log.h>
#include <wx/timer.h>

#include <filesystem>
#include <system_error>

namespace
{

// How long the file must stay still before it is read again: editors save
// in several steps (write, rename, set attributes), and a half-written file
// should not be read.
constexpr int QUIET_MS = 250;
// The timers tell themselves apart by these.
constexpr int QUIET_TIMER = 1;
constexpr int POLL_TIMER = 2;
// How often the file is asked for where it cannot be watched.
constexpr int POLL_MS = 1000;

// The file a path names after every symbolic link on the way, in its name
// or its folders (editors write the target, so its folder is the one to
// watch). What cannot be resolved (a broken link) is kept as given.
wxString ResolveLinks(const wxString& path)
{
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(std::filesystem::u8path(path.utf8_string()), error);
    if (error || resolved.empty())
        return path;
    return wxString::FromUTF8(resolved.u8string());
}

} // namespace

FileFollower::FileFollower(std::function<void()> changed)
    : m_changed(std::move(changed)),
      m_quiet(std::make_unique<wxTimer>(this, QUIET_TIMER)),
      m_poll(std::make_unique<wxTimer>(this, POLL_TIMER))
{
    Bind(wxEVT_FSWATCHER, &FileFollower::OnFileSystemChange, this);
    Bind(wxEVT_TIMER, &FileFollower::OnQuiet, this, QUIET_TIMER);
    Bind(wxEVT_TIMER, &FileFollower::OnPoll, this, POLL_TIMER);
}

FileFollower::~FileFollower()
{
    m_quiet->Stop();
    m_poll->Stop();
    EndWatcher(std::move(m_watcher));
}

void FileFollower::Follow(const wxString& path)
{
    m_quiet->Stop();
    m_path = path;
    m_target = ResolveLinks(path);
    // The watcher hooks into the running event loop (on GTK it cannot be
    // made before one runs, as at start-up).
    CallAfter(&FileFollower::Watch);
}

void FileFollower::StopWatching()
{
    if (m_watcher && !m_watchedFolder.empty())
    {
        wxLogNull quiet;  // a folder that is gone cannot be let go without a word
        m_watcher->RemoveAll();
    }
    m_watchedFolder.clear();
}

void FileFollower::Watch()
{
    if (m_path.empty() || !wxEventLoopBase::GetActive())
        return;
    m_target = ResolveLinks(m_path);
    const wxString folder = wxFileName(m_target).GetPath();
    if (m_watcher && folder == m_watchedFolder)
        return;
    StopWatching();
    if (!m_watcher)
    {
        m_watcher = std::make_unique<wxFileSystemWatcher>();
        m_watcher->SetOwner(this);
    }
    // Editors save by writing a new file and renaming it over the old one,
    // which a watch on the file itself would lose: the folder is watched.
    // Reading the file must not count as a change: no access events.
    bool watching = false;
    if (wxFileName::DirExists(folder))
    {
        wxLogNull quiet;  // a folder that cannot be watched is asked instead
        watching = m_watcher->Add(wxFileName::DirName(folder),
                                  wxFSW_EVENT_CREATE | wxFSW_EVENT_DELETE | wxFSW_EVENT_RENAME |
                                      wxFSW_EVENT_MODIFY | wxFSW_EVENT_WARNING |
                                      wxFSW_EVENT_ERROR);
    }
    if (watching)
    {
        m_watchedFolder = folder;
        m_poll->Stop();
    }
    else if (!m_poll->IsRunning())
        m_poll->Start(POLL_MS);
}

void FileFollower::OnFileSystemChange(wxFileSystemWatcherEvent& event)
{
    if (m_path.empty())
        return;
    const wxFileName file(m_target);
    const wxFileName folder = wxFileName::DirName(m_watchedFolder);
    const int type = event.GetChangeType();
    // The folder itself removed or renamed: its watch is dead, even if a
    // folder of the same name comes back. A warning or error means changes
    // may have been lost.
    const bool aboutFolder = event.GetPath().SameAs(folder) ||
                             event.GetPath().GetFullPath() == folder.GetPath() ||
                             type == wxFSW_EVENT_ERROR || type == wxFSW_EVENT_WARNING;
    if (aboutFolder)
        m_folderChanged = true;
    if (aboutFolder || event.GetPath().SameAs(file) || event.GetNewPath().SameAs(file))
        m_quiet->StartOnce(QUIET_MS);
}

void FileFollower::OnQuiet(wxTimerEvent& event)
{
    if (m_folderChanged || (!m_watchedFolder.empty() && !wxFileName::DirExists(m_watchedFolder)))
    {
        m_folderChanged = false;
        StopWatching();
        Watch();
    }
    m_changed();
}

void FileFollower::OnPoll(wxTimerEvent& event)
{
    // Where the folder came back, it is watched again from now on; the
    // file may have changed meanwhile either way.
    Watch();
    m_changed();
}
