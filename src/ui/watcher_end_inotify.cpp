// Letting a watcher go where it reads inotify: it is simply deleted.
#include "ui/watcher_end.h"

#include <wx/fswatcher.h>

void EndWatcher(std::unique_ptr<wxFileSystemWatcherBase> watcher)
{
    // Deleted here, as `watcher` goes out of scope.
}
