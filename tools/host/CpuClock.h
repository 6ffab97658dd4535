// CPU time of the calling thread: what processing costs, untouched by time the thread
// spends waiting for a core that others on the machine hold.
#pragma once

#include <time.h>

namespace vsthost {

inline double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace vsthost
