// The window beneath a frame, as the toolkit sees it. A platform window (X11 here, an
// off-screen surface in tests) reports input and paint requests to its FrameEvents and
// draws only when asked to, on the thread that made it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gui/CButtonState.h"
#include "gui/CRect.h"
#include "gui/KeyCode.h"

namespace VSTGUI {
class CDrawContext;
}

namespace VSTGUI::platform {

class FrameEvents {
public:
    virtual void platformDrawRect(CDrawContext& context, const CRect& rect) = 0;
    virtual CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseCancel() = 0;
    virtual bool platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                                      const CButtonState& buttons) = 0;
    virtual int32_t platformOnKeyDown(KeyCode& key) = 0;
    virtual int32_t platformOnKeyUp(KeyCode& key) = 0;

protected:
    ~FrameEvents() = default;
};

class PlatformFrame {
public:
    virtual ~PlatformFrame() = default;

    // Adds a rectangle to the region repainted by the next paintInvalidRegion.
    virtual void invalidRect(const CRect& rect) = 0;
    // Reads what the window system reported since the last call and hands it to the
    // frame's events; never blocks.
    virtual void processEvents() = 0;
    // Repaints the invalid region through FrameEvents::platformDrawRect.
    virtual void paintInvalidRegion() = 0;
    // While a modal dialog holds the thread: repaints what the window system asks to have
    // repainted and answers other programs' clipboard requests; clicks and keys made in
    // the window meanwhile are dropped.
    virtual void serveWhileModal() = 0;
    virtual bool getCurrentMousePosition(CPoint& where) = 0;
    virtual bool getCurrentMouseButtons(CButtonState& buttons) = 0;

    // The system clipboard's plain text. Setting it answers other programs from then on;
    // reading waits a little for the owner's answer. False when there is none.
    virtual bool setClipboardText(const std::string& text) = 0;
    virtual bool getClipboardText(std::string& text) = 0;

    // The native window handle (an X11 window id), 0 when there is none.
    virtual uintptr_t nativeWindow() const = 0;

    // Shows or hides the window; it is shown when made.
    virtual void setVisible(bool visible) = 0;
    // A file descriptor that becomes readable when the window system has events for the
    // window, for hosts that wait on it (processEvents reads them); -1 when there is none.
    virtual int eventFileDescriptor() const = 0;
};

// Makes the platform window for a frame inside `parent` (a native window handle; null for
// a top-level window). Null when no window can be made (no display, say).
using PlatformFrameFactory = std::unique_ptr<PlatformFrame> (*)(FrameEvents& events,
                                                                const CRect& size, void* parent);

// The window system's own, which the build chooses (X11 on Linux, Win32 on Windows).
std::unique_ptr<PlatformFrame> createNativeFrame(FrameEvents& events, const CRect& size,
                                                 void* parent);

PlatformFrameFactory platformFrameFactory();
// Tests replace the window system with off-screen frames; null restores the default.
void setPlatformFrameFactory(PlatformFrameFactory factory);

}  // namespace VSTGUI::platform
