// A frame's window without a window system: the frame draws into memory, input comes
// from the caller, and the picture can be read back or written as PNG. For tests; it is
// not part of the plug-in.
#pragma once

#include <memory>
#include <string>

#include "gui/platform/PlatformFrame.h"
#include "gui/platform/cairo/BackBuffer.h"

namespace VSTGUI::platform {

class OffscreenFrame : public PlatformFrame {
public:
    OffscreenFrame(FrameEvents& events, const CRect& size);

    // The factory that tests install with setPlatformFrameFactory.
    static std::unique_ptr<PlatformFrame> create(FrameEvents& events, const CRect& size, void*);

    void invalidRect(const CRect& rect) override { backBuffer.invalidRect(rect); }
    void processEvents() override {}
    void paintInvalidRegion() override;
    void serveWhileModal() override { paintInvalidRegion(); }
    bool getCurrentMousePosition(CPoint& where) override;
    bool getCurrentMouseButtons(CButtonState& buttons) override;
    bool setClipboardText(const std::string& text) override;
    bool getClipboardText(std::string& text) override;
    uintptr_t nativeWindow() const override { return 0; }
    void setVisible(bool shown) override { visible = shown; }
    int eventFileDescriptor() const override { return -1; }
    bool isVisible() const { return visible; }

    void setMouse(const CPoint& where, const CButtonState& buttons = {});
    // 0xAARRGGBB of a pixel (premultiplied, as cairo keeps it).
    uint32_t pixel(int x, int y) const;
    bool writePng(const std::string& path) const;
    cairo_surface_t* getSurface() const { return backBuffer.getSurface(); }
    int paintCount() const { return paints; }

private:
    FrameEvents& events;
    BackBuffer backBuffer;
    CPoint mouse;
    CButtonState mouseButtons;
    int paints = 0;
    bool visible = true;
};

}  // namespace VSTGUI::platform
