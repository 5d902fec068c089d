// Lower priority on Windows.
#include "map/thread_priority.h"

#include <windows.h>

void LowerThisThreadsPriority()
{
    // Below normal, not idle: a layout still gets on when the machine is busy.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}
