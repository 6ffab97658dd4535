// On Windows: the system's millisecond tick.
#include "gui/platform/Clock.h"

#include <windows.h>

namespace VSTGUI::platform {

uint32_t millisecondTicks() { return GetTickCount(); }

}  // namespace VSTGUI::platform
