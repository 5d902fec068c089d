// Letting a watcher go on Windows. Its folder reads are overlapped I/O that
// the system may still complete into the watcher's buffers after it is
// deleted (seen under Wine as a crash on closing the window). The watch is
// removed, and the watcher itself, a few hundred bytes, is left to the
// process: windows that watch are closed once, as the program ends.
#include "ui/watcher_end.h"

#include <wx/fswatcher.h>

void EndWatcher(std::unique_ptr<wxFileSystemWatcherBase> watcher)
{
    if (!watcher)
        return;
    watcher->RemoveAll();
    (void)watcher.release();
}
