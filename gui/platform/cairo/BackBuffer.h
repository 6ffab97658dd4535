// The window's pixels in memory and the region of them that needs repainting. Frames
// paint here and then show the painted region, so nothing on screen ever flickers.
#pragma once

#include <cairo.h>

#include "gui/CRect.h"

namespace VSTGUI::platform {

class FrameEvents;

class BackBuffer {
public:
    BackBuffer(int width, int height);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Adds the whole pixels that `rect` touches.
    void invalidRect(const CRect& rect);
    bool hasInvalidRegion() const { return !cairo_region_is_empty(invalidRegion); }
    // Repaints the invalid region, rectangle by rectangle, and returns it (the caller
    // destroys it); the invalid region is empty afterwards.
    cairo_region_t* paint(FrameEvents& events, const cairo_font_options_t* fontOptions);

    cairo_surface_t* getSurface() const { return surface; }

private:
    cairo_surface_t* surface;
    cairo_region_t* invalidRegion;
};

}  // namespace VSTGUI::platform
