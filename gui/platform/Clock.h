// The system's millisecond counter: 32 bits, wrapping about every 49.7 days. Intervals are
// unsigned differences, which stay right across the wrap. Each platform has its own.
#pragma once

#include <cstdint>

namespace VSTGUI::platform {

uint32_t millisecondTicks();

}  // namespace VSTGUI::platform
