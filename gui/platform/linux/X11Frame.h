// A frame's window on X11: a child of the host's window (or a top-level window), on a
// connection of our own that is read only when the host calls idle, on the host's
// user-interface thread. It never takes the keyboard focus: keys reach the editor
// through the host. Every Xlib call runs under an error trap, so a window the host
// destroyed first costs nothing but a quiet end of drawing.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include <memory>

#include "gui/platform/PlatformFrame.h"
#include "gui/platform/cairo/BackBuffer.h"

namespace VSTGUI::platform {

class X11Clipboard;

class X11Frame : public PlatformFrame {
public:
    // Null when no display can be opened or the parent window does not exist.
    static std::unique_ptr<PlatformFrame> create(FrameEvents& events, const CRect& size,
                                                 void* parent);
    ~X11Frame() override;

    void invalidRect(const CRect& rect) override { backBuffer.invalidRect(rect); }
    void processEvents() override;
    void paintInvalidRegion() override;
    void serveWhileModal() override;
    bool getCurrentMousePosition(CPoint& where) override;
    bool getCurrentMouseButtons(CButtonState& buttons) override;
    bool setClipboardText(const std::string& text) override;
    bool getClipboardText(std::string& text) override;
    uintptr_t nativeWindow() const override { return window; }
    void setVisible(bool visible) override;
    int eventFileDescriptor() const override { return ConnectionNumber(display); }

private:
    X11Frame(FrameEvents& events, Display* display, const CRect& size);
    bool createWindow(Window parent);
    void dispatch(XEvent& event);
    void dispatchPointerMotion();
    bool queryPointer(CPoint& where, unsigned int& state);

    FrameEvents& events;
    Display* display;
    Window window = 0;
    int width;
    int height;
    BackBuffer backBuffer;
    Visual* windowVisual = nullptr;
    int depth = 0;
    GC gc = nullptr;
    cairo_font_options_t* fontOptions;
    std::unique_ptr<X11Clipboard> clipboard;
    Time lastEventTime = CurrentTime;
    bool motionPending = false;
    bool windowGone = false;
};

}  // namespace VSTGUI::platform
