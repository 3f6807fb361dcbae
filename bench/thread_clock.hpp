#pragma once

#include <ctime>

// Processor time of this thread: the machine may be shared, and waiting for a core is not our cost.
inline double thread_seconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}
