// The CLIPBOARD selection for one window of our own connection. Copying makes the window
// the owner and answers other programs' requests from the event pump; pasting asks the
// owner and waits a little for the answer. Windows of this process read each other's
// text directly: they share one thread, which could not answer while it waits.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace VSTGUI::platform {

class X11Clipboard {
public:
    X11Clipboard(Display* display, Window window);
    // Hands the text to a running clipboard manager, if we own the clipboard.
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    bool setText(const std::string& text, Time time);
    bool getText(std::string& text);
    // Selection events for the window; true when the event was one.
    bool handleEvent(XEvent& event);

    // How long a paste waits for the owner, and a close for the clipboard manager.
    static constexpr int kTimeoutMs = 1000;
    // Longest text taken from another program (longer ones are cut here).
    static constexpr long kMaxTextBytes = 1 << 20;

private:
    bool ownsClipboard() const;
    void answerRequest(const XSelectionRequestEvent& request);
    // Reads the reply to a conversion into `target`; false if refused or timed out.
    bool convert(Atom target, std::string& text);
    // Serves selection requests and exposures until a SelectionNotify for `selection`
    // arrives at the window, or the timeout passes.
    bool waitForNotify(Atom selection, XSelectionEvent& notify);
    void handOverToManager();

    Display* display;
    Window window;
    std::string ownText;
    Atom clipboard, targets, utf8String, text, property, clipboardManager, saveTargets, incr;
};

}  // namespace VSTGUI::platform
