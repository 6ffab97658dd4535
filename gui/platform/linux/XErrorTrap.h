// Xlib's default error handler ends the process, which in a plug-in is the host. While a
// trap lives, errors on its connection are recorded instead; errors on other connections
// go to the handler that was installed before, which the trap puts back when it ends.
#pragma once

#include <X11/Xlib.h>

namespace VSTGUI::platform {

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    // Waits for the server to report everything sent so far, then restores the handler.
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // True when an error on this connection arrived (call sync() first for calls just made).
    bool caught() const { return errorCount > 0; }
    void sync();

private:
    static int handle(Display* display, XErrorEvent* error);

    Display* display;
    XErrorTrap* enclosing;
    int (*previousHandler)(Display*, XErrorEvent*);
    int errorCount = 0;
};

}  // namespace VSTGUI::platform
