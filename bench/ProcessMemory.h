// How much memory the process holds: bytes the allocator has handed out (small blocks
// and mapped ones), and resident pages.
#pragma once

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

namespace bench {

inline long heapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>(info.uordblks + info.hblkhd);
}

inline long residentBytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace bench
