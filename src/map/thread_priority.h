// Lowers the calling thread's scheduling priority below the window's, so
// that background work never keeps the window waiting for a processor.
// One file per platform, chosen by cmake/Platform.cmake.
#pragma once

// Best effort: where the system refuses, the thread keeps its priority.
void LowerThisThreadsPriority();
