#include "gui/platform/linux/XErrorTrap.h"

#include <atomic>

namespace VSTGUI::platform {
namespace {

// The innermost trap. Xlib calls the handler on whichever thread reads an error, which
// may be one of the host's, so the pointer is read atomically.
std::atomic<XErrorTrap*> innermostTrap{nullptr};

}  // namespace

XErrorTrap::XErrorTrap(Display* display)
    : display(display), enclosing(innermostTrap.load()), previousHandler(nullptr) {
    innermostTrap.store(this);
    previousHandler = XSetErrorHandler(handle);
}

XErrorTrap::~XErrorTrap() {
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    innermostTrap.store(enclosing);
}

void XErrorTrap::sync() { XSync(display, False); }

int XErrorTrap::handle(Display* display, XErrorEvent* error) {
    for (XErrorTrap* trap = innermostTrap.load(); trap; trap = trap->enclosing) {
        if (trap->display == display) {
            ++trap->errorCount;
            return 0;
        }
    }
    // Not ours: the host's own handler decides.
    XErrorTrap* outermost = innermostTrap.load();
    while (outermost && outermost->enclosing) outermost = outermost->enclosing;
    return outermost && outermost->previousHandler ? outermost->previousHandler(display, error) : 0;
}

}  // namespace VSTGUI::platform
