#include "gui/platform/linux/X11Frame.h"

#include <X11/Xutil.h>

#include <cmath>

#include "gui/platform/linux/DesktopFontOptions.h"
#include "gui/platform/linux/X11Clipboard.h"
#include "gui/platform/linux/X11Keys.h"
#include "gui/platform/linux/XErrorTrap.h"

namespace VSTGUI::platform {
namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | PointerMotionHintMask | StructureNotifyMask |
                            LeaveWindowMask;

constexpr int kMostEventsPerCall = 1000;

int pixels(double length) { return std::max(1, static_cast<int>(std::lround(length))); }

// Whether a button other than the event's own is down (the state is the one before the event).
bool otherButtonsHeld(const XButtonEvent& button) {
    constexpr unsigned kPointerButtons = Button1Mask | Button2Mask | Button3Mask;
    const unsigned own = button.button >= Button1 && button.button <= Button3
                             ? Button1Mask << (button.button - Button1)
                             : 0;
    return (button.state & kPointerButtons & ~own) != 0;
}

}  // namespace

std::unique_ptr<PlatformFrame> createNativeFrame(FrameEvents& events, const CRect& size,
                                                 void* parent) {
    return X11Frame::create(events, size, parent);
}

std::unique_ptr<PlatformFrame> X11Frame::create(FrameEvents& events, const CRect& size,
                                                void* parent) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    std::unique_ptr<X11Frame> frame(new X11Frame(events, display, size));
    if (!frame->createWindow(reinterpret_cast<Window>(parent))) return nullptr;
    return frame;
}

X11Frame::X11Frame(FrameEvents& events, Display* display, const CRect& size)
    : events(events),
      display(display),
      width(pixels(size.getWidth())),
      height(pixels(size.getHeight())),
      backBuffer(width, height),
      fontOptions(desktopFontOptions(display)) {}

bool X11Frame::createWindow(Window parent) {
    XErrorTrap trap(display);
    const bool topLevel = parent == 0;
    if (topLevel) parent = DefaultRootWindow(display);
    XSetWindowAttributes attributes{};
    // No background: the server leaves exposed areas alone until we paint them.
    attributes.background_pixmap = None;
    attributes.event_mask = kEventMask | (topLevel ? KeyPressMask | KeyReleaseMask : 0);
    window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    trap.sync();
    XWindowAttributes created{};
    if (trap.caught() || !XGetWindowAttributes(display, window, &created)) {
        windowGone = true;
        return false;
    }
    if (topLevel) XStoreName(display, window, "Marvolenzik");
    // The pixels go to the window as they are in memory: 32 bits each, red, green and
    // blue in the usual places, as every current X server's true-colour visuals have them.
    const Visual* visual = created.visual;
    if ((created.depth != 24 && created.depth != 32) || visual->red_mask != 0xff0000 ||
        visual->green_mask != 0xff00 || visual->blue_mask != 0xff) {
        XDestroyWindow(display, window);
        window = 0;
        return false;
    }
    depth = created.depth;
    windowVisual = created.visual;
    gc = XCreateGC(display, window, 0, nullptr);
    clipboard = std::make_unique<X11Clipboard>(display, window);
    XMapWindow(display, window);
    XFlush(display);
    return true;
}

X11Frame::~X11Frame() {
    {
        XErrorTrap trap(display);
        clipboard.reset();
        if (gc) XFreeGC(display, gc);
        // The host may have destroyed its window, and ours with it, already.
        if (window && !windowGone) XDestroyWindow(display, window);
    }
    cairo_font_options_destroy(fontOptions);
    XCloseDisplay(display);
}

void X11Frame::processEvents() {
    XErrorTrap trap(display);
    // Bounded, so that a client flooding the window with events cannot hold the host's
    // thread; the rest waits for the next idle.
    for (int handled = 0; handled < kMostEventsPerCall && XPending(display); ++handled) {
        XEvent event;
        XNextEvent(display, &event);
        dispatch(event);
    }
    dispatchPointerMotion();
}

void X11Frame::dispatch(XEvent& event) {
    if (clipboard && clipboard->handleEvent(event)) return;
    // Motion is reported once per idle with the latest position, but never after a
    // button event that followed it.
    if (event.type != MotionNotify) dispatchPointerMotion();
    switch (event.type) {
        case Expose:
            invalidRect(CRect(event.xexpose.x, event.xexpose.y,
                              event.xexpose.x + event.xexpose.width,
                              event.xexpose.y + event.xexpose.height));
            break;
        case MotionNotify:
            motionPending = true;
            lastEventTime = event.xmotion.time;
            break;
        case ButtonPress:
        case ButtonRelease: {
            const XButtonEvent& button = event.xbutton;
            lastEventTime = button.time;
            CPoint where(button.x, button.y);
            const CButtonState modifiers = buttonsFromX11State(button.state);
            if (button.button >= 4 && button.button <= 7) {
                if (event.type == ButtonRelease) break;
                const bool vertical = button.button <= 5;
                // Away from the user (button 4) and to the right (button 7) count up.
                const float distance = button.button == 4 || button.button == 7 ? 1.0f : -1.0f;
                events.platformOnMouseWheel(where, vertical ? kMouseWheelAxisY : kMouseWheelAxisX,
                                            distance, modifiers.getModifierState());
            } else if (otherButtonsHeld(button)) {
                // One press and one release per gesture: a button pressed while another is
                // held, or released while another still is, would start a second gesture
                // over the first or end it early, and the host would never get its end-edit.
                break;
            } else if (event.type == ButtonPress) {
                events.platformOnMouseDown(
                    where, CButtonState(modifiers.state | buttonFlagFromX11(button.button)));
            } else {
                events.platformOnMouseUp(where, modifiers);
            }
            break;
        }
        case LeaveNotify:
            // Someone else grabbed the pointer: a drag in progress is over.
            if (event.xcrossing.mode == NotifyGrab) events.platformOnMouseCancel();
            break;
        case KeyPress:
        case KeyRelease: {
            lastEventTime = event.xkey.time;
            KeyCode key = keyFromX11(event.xkey);
            if (event.type == KeyPress)
                events.platformOnKeyDown(key);
            else
                events.platformOnKeyUp(key);
            break;
        }
        case DestroyNotify:
            if (event.xdestroywindow.window == window) {
                windowGone = true;
                events.platformOnMouseCancel();
            }
            break;
        default:
            break;
    }
}

namespace {

// Motion is not among it: without a button held it moves nothing, and taking a motion hint
// without asking for the pointer would stop the server reporting motion.
bool isInput(int type) {
    return type == ButtonPress || type == ButtonRelease || type == KeyPress || type == KeyRelease;
}

// Repaints and clipboard requests are served while a dialog runs; input is taken to be dropped.
Bool isTakenWhileModal(Display*, XEvent* event, XPointer) {
    return event->type == Expose || event->type == SelectionRequest ||
           event->type == SelectionClear || isInput(event->type);
}

}  // namespace

void X11Frame::serveWhileModal() {
    {
        XErrorTrap trap(display);
        XEvent event;
        // Input made while the dialog runs is dropped: handed on now it would re-enter the
        // control whose action opened the dialog, and kept for later it would act once the
        // dialog is gone (a second LOAD clicked on a dialog hidden behind the host).
        for (int handled = 0; handled < kMostEventsPerCall &&
                              XCheckIfEvent(display, &event, isTakenWhileModal, nullptr);
             ++handled) {
            if (!isInput(event.type)) dispatch(event);
        }
    }
    paintInvalidRegion();
}

void X11Frame::dispatchPointerMotion() {
    if (!motionPending) return;
    motionPending = false;
    CPoint where;
    unsigned int state = 0;
    // Asking for the position also lets the server report the next motion.
    if (queryPointer(where, state)) events.platformOnMouseMoved(where, buttonsFromX11State(state));
}

bool X11Frame::queryPointer(CPoint& where, unsigned int& state) {
    if (windowGone) return false;
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &state))
        return false;
    where = CPoint(x, y);
    return true;
}

void X11Frame::paintInvalidRegion() {
    if (windowGone || !backBuffer.hasInvalidRegion()) return;
    XErrorTrap trap(display);
    cairo_region_t* painted = backBuffer.paint(events, fontOptions);
    cairo_surface_t* surface = backBuffer.getSurface();
    XImage* image = XCreateImage(display, windowVisual, static_cast<unsigned>(depth), ZPixmap, 0,
                                 reinterpret_cast<char*>(cairo_image_surface_get_data(surface)),
                                 static_cast<unsigned>(cairo_image_surface_get_width(surface)),
                                 static_cast<unsigned>(cairo_image_surface_get_height(surface)), 32,
                                 cairo_image_surface_get_stride(surface));
    if (image) {
        // cairo keeps the pixels in the machine's byte order; Xlib converts if the server's differs.
        image->byte_order = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? LSBFirst : MSBFirst;
        const int count = cairo_region_num_rectangles(painted);
        for (int i = 0; i < count; ++i) {
            cairo_rectangle_int_t r;
            cairo_region_get_rectangle(painted, i, &r);
            XPutImage(display, window, gc, image, r.x, r.y, r.x, r.y, static_cast<unsigned>(r.width),
                      static_cast<unsigned>(r.height));
        }
        image->data = nullptr;  // the back buffer's, not the image's
        XDestroyImage(image);
    }
    cairo_region_destroy(painted);
    XFlush(display);
}

bool X11Frame::getCurrentMousePosition(CPoint& where) {
    XErrorTrap trap(display);
    unsigned int state = 0;
    return queryPointer(where, state);
}

bool X11Frame::getCurrentMouseButtons(CButtonState& buttons) {
    XErrorTrap trap(display);
    CPoint where;
    unsigned int state = 0;
    if (!queryPointer(where, state)) return false;
    buttons = buttonsFromX11State(state);
    return true;
}

void X11Frame::setVisible(bool visible) {
    if (windowGone) return;
    XErrorTrap trap(display);
    if (visible)
        XMapWindow(display, window);
    else
        XUnmapWindow(display, window);
    XFlush(display);
}

bool X11Frame::setClipboardText(const std::string& text) {
    if (windowGone || !clipboard) return false;
    XErrorTrap trap(display);
    return clipboard->setText(text, lastEventTime);
}

bool X11Frame::getClipboardText(std::string& text) {
    if (windowGone || !clipboard) return false;
    XErrorTrap trap(display);
    return clipboard->getText(text);
}

}  // namespace VSTGUI::platform
