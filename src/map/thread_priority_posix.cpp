// Lower priority on Linux: a nice value is per thread there.
#include "map/thread_priority.h"

#include <cerrno>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

void LowerThisThreadsPriority()
{
    // Five steps nicer: the window comes first when it wakes, while a layout
    // still gets about a quarter of a processor that another program keeps
    // busy (ten steps made a 1,000-question map take 15 s instead of 5 s
    // beside a busy loop; 19 would nearly stop it).
    const id_t thread = id_t(syscall(SYS_gettid));
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, thread);
    if (errno == 0)
        setpriority(PRIO_PROCESS, thread, now + 5 > 19 ? 19 : now + 5);
}
