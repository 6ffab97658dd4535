#include "gui/platform/cairo/OffscreenFrame.h"

#include <cmath>

namespace VSTGUI::platform {
namespace {

// One clipboard for every off-screen frame of the process, as a desktop has one.
std::string& offscreenClipboard() {
    static std::string text;
    return text;
}

}  // namespace

OffscreenFrame::OffscreenFrame(FrameEvents& events, const CRect& size)
    : events(events),
      backBuffer(static_cast<int>(std::lround(size.getWidth())),
                 static_cast<int>(std::lround(size.getHeight()))) {}

std::unique_ptr<PlatformFrame> OffscreenFrame::create(FrameEvents& events, const CRect& size,
                                                      void*) {
    return std::make_unique<OffscreenFrame>(events, size);
}

void OffscreenFrame::paintInvalidRegion() {
    if (!backBuffer.hasInvalidRegion()) return;
    cairo_region_destroy(backBuffer.paint(events, nullptr));
    ++paints;
}

bool OffscreenFrame::getCurrentMousePosition(CPoint& where) {
    where = mouse;
    return true;
}

bool OffscreenFrame::getCurrentMouseButtons(CButtonState& buttons) {
    buttons = mouseButtons;
    return true;
}

bool OffscreenFrame::setClipboardText(const std::string& text) {
    offscreenClipboard() = text;
    return true;
}

bool OffscreenFrame::getClipboardText(std::string& text) {
    text = offscreenClipboard();
    return !text.empty();
}

void OffscreenFrame::setMouse(const CPoint& where, const CButtonState& buttons) {
    mouse = where;
    mouseButtons = buttons;
}

uint32_t OffscreenFrame::pixel(int x, int y) const {
    cairo_surface_t* surface = backBuffer.getSurface();
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) ||
        y >= cairo_image_surface_get_height(surface))
        return 0;
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x];
}

bool OffscreenFrame::writePng(const std::string& path) const {
    return cairo_surface_write_to_png(backBuffer.getSurface(), path.c_str()) ==
           CAIRO_STATUS_SUCCESS;
}

}  // namespace VSTGUI::platform
