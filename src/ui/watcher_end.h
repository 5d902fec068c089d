// How a window's file-system watcher is let go when the window closes.
#pragma once

#include <memory>

class wxFileSystemWatcherBase;

// Stops `watcher` following anything and lets it go.
void EndWatcher(std::unique_ptr<wxFileSystemWatcherBase> watcher);
