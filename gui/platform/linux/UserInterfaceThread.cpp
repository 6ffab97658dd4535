// On Linux an editor's thread needs nothing set up.
#include "gui/platform/UserInterfaceThread.h"

namespace VSTGUI::platform {

UserInterfaceThread::UserInterfaceThread() = default;
UserInterfaceThread::~UserInterfaceThread() = default;

}  // namespace VSTGUI::platform
