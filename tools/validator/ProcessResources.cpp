#include "tools/validator/ProcessResources.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace validator {

std::size_t residentBytes() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    unsigned long size = 0, resident = 0;
    const int read = std::fscanf(statm, "%lu %lu", &size, &resident);
    std::fclose(statm);
    return read == 2 ? resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

int openDescriptors() {
    std::error_code error;
    int count = 0;
    for (std::filesystem::directory_iterator entry("/proc/self/fd", error), end; !error && entry != end;
         entry.increment(error))
        ++count;
    return count;
}

}  // namespace validator
