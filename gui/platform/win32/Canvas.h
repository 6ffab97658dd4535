// The drawing back end of a Windows frame: paints regions of the frame's back buffer (a
// top-down 32-bit DIB section selected into a device context) through the frame's events.
#pragma once

#include <windows.h>

#include <memory>

namespace VSTGUI::platform {

class FrameEvents;

// The back buffer: its device context, and its pixels (premultiplied BGRA, top row first).
struct BackBufferView {
    HDC dc;
    void* pixels;
    int width, height;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // Draws each rectangle of `region` of the back buffer.
    virtual void paint(const BackBufferView& buffer, HRGN region, FrameEvents& events) = 0;
};

// Direct2D with DirectWrite where both load, GDI+ otherwise; null when neither works.
std::unique_ptr<Canvas> createCanvas();
std::unique_ptr<Canvas> createDirect2DCanvas();  // null where Direct2D does not load
std::unique_ptr<Canvas> createGdiplusCanvas();

// For tests only (no setting of the shipped plug-in reaches it): frames made from now on
// draw with GDI+ even where Direct2D loads, as wine's Direct2D leaves parts out.
void drawWithGdiplusOnly(bool only);

}  // namespace VSTGUI::platform
