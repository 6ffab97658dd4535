// The X11 side of a host, for the editor checks: our own connection to the server, the
// window a host gives an editor to live in, and a pointer driven through XTest as a user
// would drive it.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace validator {

class XConnection {
public:
    // Opens $DISPLAY; fails the check when it cannot.
    XConnection();
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    Display* display() const { return display_; }
    // Empty when $DISPLAY can be opened, otherwise why not.
    static std::string unavailableReason();

private:
    Display* display_ = nullptr;
};

class HostWindow {
public:
    // A top-level window at the root's origin, mapped and viewable when this returns.
    HostWindow(XConnection& connection, int width, int height);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    Window id() const { return window_; }
    // What effEditOpen takes: the window id in a pointer.
    void* handle() const;
    void destroy();
    // The windows the editor put inside.
    std::vector<Window> children() const;
    // Drops whatever events arrived on our connection.
    void drainEvents();

private:
    Display* display_;
    Window window_ = 0;
    bool alive_ = false;
};

// The centre of a window on the root, if the window still exists.
bool windowCentre(Display* display, Window window, int& rootX, int& rootY);

class FakePointer {
public:
    // Fails the check's precondition (a skip) when the server lacks XTest.
    explicit FakePointer(XConnection& connection);
    void moveTo(int rootX, int rootY);
    void button(bool pressed);

private:
    Display* display_;
};

}  // namespace validator
