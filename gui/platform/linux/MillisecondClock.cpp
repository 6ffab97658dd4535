// On Linux: the monotonic clock, in milliseconds.
#include "gui/platform/Clock.h"

#include <ctime>

namespace VSTGUI::platform {

uint32_t millisecondTicks() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t milliseconds =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(milliseconds);
}

}  // namespace VSTGUI::platform
