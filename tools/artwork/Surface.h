// Owning handles for cairo surfaces and contexts, and the few whole-image operations the
// artwork needs: cropping, pasting and stacking frames into a strip.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

namespace artwork {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

// Integer rectangle in window pixels: left, top, right, bottom.
struct Box {
    int left, top, right, bottom;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    double centreX() const { return 0.5 * (left + right); }
    double centreY() const { return 0.5 * (top + bottom); }
};

// Opaque images use RGB24 (written as RGB PNGs), images with transparency ARGB32.
Surface makeSurface(int width, int height, bool opaque = false);
Context makeContext(cairo_surface_t* surface);

// A copy of part of an image.
Surface crop(cairo_surface_t* source, Box area, bool opaque);
// Draws an image with its top-left corner at (x, y).
void paste(cairo_t* cr, cairo_surface_t* image, double x, double y);
// Frames of equal size stacked top to bottom, frame 0 at the top.
Surface stackFrames(const std::vector<Surface>& frames, bool opaque);

// Throws std::runtime_error when the file cannot be written.
void writePng(cairo_surface_t* image, const std::string& path);

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius);

}  // namespace artwork
