// On Windows: OLE, once per editor, on the thread that makes it (a single-threaded
// apartment, as drag and drop and the shell's dialogs want).
#include "gui/platform/UserInterfaceThread.h"

#include <ole2.h>

namespace VSTGUI::platform {

// S_FALSE (already initialised on this thread) counts too: every success is paired.
UserInterfaceThread::UserInterfaceThread() : initialised(SUCCEEDED(OleInitialize(nullptr))) {}

UserInterfaceThread::~UserInterfaceThread() {
    if (initialised) OleUninitialize();
}

}  // namespace VSTGUI::platform
