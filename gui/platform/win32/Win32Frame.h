// A frame's window on Windows: a child window of its own class inside the host's window
// (or a top-level window), on the thread that made it. The host's message loop hands it
// input; what changed is painted into a back buffer (a DIB section) by the drawing back end
// (Direct2D where it loads, GDI+ otherwise) and copied to the window, so nothing flickers.
// It never takes the keyboard focus: keys reach the editor through the host.
#pragma once

#include <windows.h>

#include <memory>

#include "gui/platform/PlatformFrame.h"
#include "gui/platform/win32/Canvas.h"

namespace VSTGUI::platform {

class Win32Frame : public PlatformFrame {
public:
    // Null when no window can be made in `parent`.
    static std::unique_ptr<PlatformFrame> create(FrameEvents& events, const CRect& size, void* parent);
    ~Win32Frame() override;

    void invalidRect(const CRect& rect) override;
    // The host's message loop delivers input; this only serves hosts whose loop does not
    // reach our thread's queue (a command-line host's idle).
    void processEvents() override;
    void paintInvalidRegion() override;
    void serveWhileModal() override { paintInvalidRegion(); }
    bool getCurrentMousePosition(CPoint& where) override;
    bool getCurrentMouseButtons(CButtonState& buttons) override;
    bool setClipboardText(const std::string& text) override;
    bool getClipboardText(std::string& text) override;
    uintptr_t nativeWindow() const override { return reinterpret_cast<uintptr_t>(window); }
    void setVisible(bool visible) override;
    int eventFileDescriptor() const override { return -1; }

private:
    Win32Frame(FrameEvents& events, int width, int height);
    bool createWindow(HWND parent);
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void mouseButton(bool down, CButtonState button, WPARAM wParam, LPARAM lParam);
    void blit(HDC target, HRGN region);

    FrameEvents& events;
    int width, height;
    HWND window = nullptr;
    bool registered = false;  // this frame's count in its window class
    HDC bufferDc = nullptr;
    HBITMAP buffer = nullptr;
    void* bufferPixels = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    HRGN invalid = nullptr;
    std::unique_ptr<Canvas> canvas;
    // The buttons of the gesture in progress (mouse captured), none between gestures.
    int heldButtons = 0;
};

}  // namespace VSTGUI::platform
