#include "gui/platform/linux/X11Clipboard.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <chrono>
#include <map>
#include <mutex>

#include "gui/platform/linux/XErrorTrap.h"

namespace VSTGUI::platform {
namespace {

// The texts our own windows own, by window id (ids are unique on one X server).
std::mutex ownersMutex;
std::map<Window, std::string>& ownedTexts() {
    static std::map<Window, std::string> texts;
    return texts;
}

struct WaitContext {
    Window window;
    Atom selection;
};

// Selection traffic and nothing else: a paste runs inside a control's callback, where
// handing on mouse or key input would re-enter the controls.
Bool isSelectionTraffic(Display*, XEvent* event, XPointer argument) {
    const auto* context = reinterpret_cast<const WaitContext*>(argument);
    if (event->type == SelectionRequest) return True;
    return event->type == SelectionNotify && event->xselection.requestor == context->window &&
           event->xselection.selection == context->selection;
}

}  // namespace

X11Clipboard::X11Clipboard(Display* display, Window window) : display(display), window(window) {
    clipboard = XInternAtom(display, "CLIPBOARD", False);
    targets = XInternAtom(display, "TARGETS", False);
    utf8String = XInternAtom(display, "UTF8_STRING", False);
    text = XInternAtom(display, "TEXT", False);
    property = XInternAtom(display, "MARVOLENZIK_CLIPBOARD", False);
    clipboardManager = XInternAtom(display, "CLIPBOARD_MANAGER", False);
    saveTargets = XInternAtom(display, "SAVE_TARGETS", False);
    incr = XInternAtom(display, "INCR", False);
}

X11Clipboard::~X11Clipboard() {
    if (ownsClipboard()) handOverToManager();
    std::lock_guard lock(ownersMutex);
    ownedTexts().erase(window);
}

bool X11Clipboard::ownsClipboard() const {
    return !ownText.empty() && XGetSelectionOwner(display, clipboard) == window;
}

bool X11Clipboard::setText(const std::string& newText, Time time) {
    ownText = newText;
    XSetSelectionOwner(display, clipboard, window, time);
    // The server refuses a time older than the current owner's. Our last event can be that
    // old (a copy by a key the host passed on, or after a file dialog), yet the user asked
    // for this copy now.
    if (XGetSelectionOwner(display, clipboard) != window)
        XSetSelectionOwner(display, clipboard, window, CurrentTime);
    const bool owner = XGetSelectionOwner(display, clipboard) == window;
    std::lock_guard lock(ownersMutex);
    if (owner)
        ownedTexts()[window] = newText;
    else
        ownedTexts().erase(window);
    return owner;
}

bool X11Clipboard::getText(std::string& result) {
    const Window owner = XGetSelectionOwner(display, clipboard);
    if (owner == None) return false;
    {
        std::lock_guard lock(ownersMutex);
        const auto found = ownedTexts().find(owner);
        if (found != ownedTexts().end()) {
            result = found->second;
            return true;
        }
    }
    return convert(utf8String, result) || convert(XA_STRING, result);
}

bool X11Clipboard::convert(Atom target, std::string& result) {
    XDeleteProperty(display, window, property);
    // At the current time: owners that refuse requests older than their ownership would
    // refuse our last event's time when they copied after it (a paste by a key the host
    // passed on carries no time of its own).
    XConvertSelection(display, clipboard, target, property, window, CurrentTime);
    XSelectionEvent notify{};
    if (!waitForNotify(clipboard, notify) || notify.property == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, kMaxTextBytes / 4, True,
                                          AnyPropertyType, &type, &format, &count, &remaining,
                                          &data);
    bool ok = false;
    // A transfer in pieces (INCR) is for texts far longer than any preset.
    if (status == Success && data && format == 8 && type != incr) {
        result.assign(reinterpret_cast<const char*>(data), count);
        ok = true;
    }
    if (data) XFree(data);
    return ok;
}

bool X11Clipboard::waitForNotify(Atom selection, XSelectionEvent& notify) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kTimeoutMs);
    WaitContext context{window, selection};
    for (;;) {
        XEvent event;
        // The deadline holds even while requests keep coming: any client can send them.
        while (Clock::now() < deadline &&
               XCheckIfEvent(display, &event, isSelectionTraffic,
                             reinterpret_cast<XPointer>(&context))) {
            if (event.type == SelectionNotify) {
                notify = event.xselection;
                return true;
            }
            handleEvent(event);
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        poll(&descriptor, 1, static_cast<int>(left));
    }
}

bool X11Clipboard::handleEvent(XEvent& event) {
    if (event.type == SelectionRequest) {
        answerRequest(event.xselectionrequest);
        return true;
    }
    if (event.type == SelectionClear && event.xselectionclear.window == window) {
        ownText.clear();
        std::lock_guard lock(ownersMutex);
        ownedTexts().erase(window);
        return true;
    }
    return event.type == SelectionNotify;
}

void X11Clipboard::answerRequest(const XSelectionRequestEvent& request) {
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    // Old clients name no property; the target then serves as one.
    const Atom destination = request.property != None ? request.property : request.target;
    reply.property = None;
    if (request.selection == clipboard && !ownText.empty()) {
        if (request.target == targets) {
            const Atom offered[] = {targets, utf8String, XA_STRING, text};
            XChangeProperty(display, request.requestor, destination, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 4);
            reply.property = destination;
        } else if (request.target == utf8String || request.target == XA_STRING ||
                   request.target == text) {
            // The text is ASCII, so every one of these encodings is the same bytes.
            const Atom type = request.target == text ? utf8String : request.target;
            XChangeProperty(display, request.requestor, destination, type, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(ownText.data()),
                            static_cast<int>(ownText.size()));
            reply.property = destination;
        }
    }
    XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
}

void X11Clipboard::handOverToManager() {
    if (XGetSelectionOwner(display, clipboardManager) == None) return;
    XConvertSelection(display, clipboardManager, saveTargets, None, window, CurrentTime);
    XSelectionEvent notify{};
    waitForNotify(clipboardManager, notify);
}

}  // namespace VSTGUI::platform
