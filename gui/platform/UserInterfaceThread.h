// What the platform needs on the thread that runs an editor, for as long as the editor
// exists: on Windows its OLE services (drag and drop, the shell's file dialogs); nothing
// elsewhere.
#pragma once

namespace VSTGUI::platform {

class UserInterfaceThread {
public:
    UserInterfaceThread();
    ~UserInterfaceThread();
    UserInterfaceThread(const UserInterfaceThread&) = delete;
    UserInterfaceThread& operator=(const UserInterfaceThread&) = delete;

private:
    [[maybe_unused]] bool initialised = false;  // read on Windows only
};

}  // namespace VSTGUI::platform
