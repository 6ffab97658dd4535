// Decoded pixels in a cairo image surface.
#pragma once

#include <cairo.h>

#include "gui/platform/PlatformBitmap.h"

namespace VSTGUI::platform {

class CairoBitmap : public PlatformBitmap {
public:
    // Takes over the surface's reference.
    explicit CairoBitmap(cairo_surface_t* surface) : surface(surface) {}
    ~CairoBitmap() override { cairo_surface_destroy(surface); }
    CairoBitmap(const CairoBitmap&) = delete;
    CairoBitmap& operator=(const CairoBitmap&) = delete;

    int32_t getWidth() const override { return cairo_image_surface_get_width(surface); }
    int32_t getHeight() const override { return cairo_image_surface_get_height(surface); }
    cairo_surface_t* getSurface() const { return surface; }

private:
    cairo_surface_t* surface;
};

}  // namespace VSTGUI::platform
