#include "tools/validator/XSession.h"

#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <thread>

#include "tools/validator/Verdict.h"

namespace validator {

namespace {

// Xlib's default error handler ends the process. Around our own requests that may
// concern a window the plug-in has just destroyed, errors are caught instead; the
// previous handler comes back at once so that the plug-in's own errors keep their fate.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        caught = false;
        previous_ = XSetErrorHandler(&ErrorTrap::handle);
    }
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    bool caughtError() {
        XSync(display_, False);
        return caught;
    }

private:
    static int handle(Display*, XErrorEvent*) {
        caught = true;
        return 0;
    }
    static inline bool caught = false;
    Display* display_;
    XErrorHandler previous_;
};

}  // namespace

XConnection::XConnection() {
    // A server may take a moment to drop the connections of a process that just ended.
    for (int attempt = 0; attempt < 50 && !display_; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        display_ = XOpenDisplay(nullptr);
    }
    if (!display_) fail("cannot open the X display");
}

XConnection::~XConnection() { XCloseDisplay(display_); }

std::string XConnection::unavailableReason() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return "no display: $DISPLAY is not set";
    Display* display = XOpenDisplay(nullptr);
    if (!display) return describe("no display: cannot open '%s'", name);
    XCloseDisplay(display);
    return {};
}

HostWindow::HostWindow(XConnection& connection, int width, int height)
    : display_(connection.display()) {
    const int screen = DefaultScreen(display_);
    window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, width, height, 0,
                                  BlackPixel(display_, screen), BlackPixel(display_, screen));
    alive_ = true;
    XSelectInput(display_, window_, StructureNotifyMask);
    XMapRaised(display_, window_);
    XSync(display_, False);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    XWindowAttributes attributes{};
    while (std::chrono::steady_clock::now() < giveUp) {
        XGetWindowAttributes(display_, window_, &attributes);
        if (attributes.map_state == IsViewable) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    drainEvents();
}

HostWindow::~HostWindow() { destroy(); }

void* HostWindow::handle() const {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_));
}

void HostWindow::destroy() {
    if (!alive_) return;
    alive_ = false;
    XDestroyWindow(display_, window_);
    XSync(display_, False);
    drainEvents();
}

std::vector<Window> HostWindow::children() const {
    std::vector<Window> found;
    if (!alive_) return found;
    Window root = 0, parent = 0;
    Window* list = nullptr;
    unsigned count = 0;
    XSync(display_, False);
    if (XQueryTree(display_, window_, &root, &parent, &list, &count) && list) {
        found.assign(list, list + count);
        XFree(list);
    }
    return found;
}

void HostWindow::drainEvents() {
    XEvent event;
    while (XPending(display_)) XNextEvent(display_, &event);
}

bool windowCentre(Display* display, Window window, int& rootX, int& rootY) {
    ErrorTrap trap(display);
    XWindowAttributes attributes{};
    Window child = 0;
    if (!XGetWindowAttributes(display, window, &attributes)) return false;
    if (!XTranslateCoordinates(display, window, attributes.root, attributes.width / 2,
                               attributes.height / 2, &rootX, &rootY, &child))
        return false;
    return !trap.caughtError();
}

FakePointer::FakePointer(XConnection& connection) : display_(connection.display()) {
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        skip("the X server has no XTest extension to drive the pointer");
}

void FakePointer::moveTo(int rootX, int rootY) {
    XTestFakeMotionEvent(display_, -1, rootX, rootY, CurrentTime);
    XSync(display_, False);
}

void FakePointer::button(bool pressed) {
    XTestFakeButtonEvent(display_, 1, pressed ? True : False, CurrentTime);
    XSync(display_, False);
}

}  // namespace validator
