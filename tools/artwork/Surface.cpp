#include "tools/artwork/Surface.h"

#include <stdexcept>

#include "tools/artwork/Shapes.h"

namespace artwork {

Surface makeSurface(int width, int height, bool opaque) {
    Surface s(cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot create a " + std::to_string(width) + "x" + std::to_string(height) + " image");
    return s;
}

Context makeContext(cairo_surface_t* surface) {
    Context cr(cairo_create(surface));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot create a drawing context");
    return cr;
}

Surface crop(cairo_surface_t* source, Box area, bool opaque) {
    Surface out = makeSurface(area.width(), area.height(), opaque);
    Context cr = makeContext(out.get());
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr.get(), source, -area.left, -area.top);
    cairo_paint(cr.get());
    cairo_surface_flush(out.get());
    return out;
}

void paste(cairo_t* cr, cairo_surface_t* image, double x, double y) {
    cairo_save(cr);
    cairo_set_source_surface(cr, image, x, y);
    cairo_paint(cr);
    cairo_restore(cr);
}

Surface stackFrames(const std::vector<Surface>& frames, bool opaque) {
    if (frames.empty()) throw std::runtime_error("a strip needs at least one frame");
    const int w = cairo_image_surface_get_width(frames.front().get());
    const int h = cairo_image_surface_get_height(frames.front().get());
    Surface strip = makeSurface(w, h * static_cast<int>(frames.size()), opaque);
    Context cr = makeContext(strip.get());
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        cairo_set_source_surface(cr.get(), frames[i].get(), 0, h * static_cast<double>(i));
        cairo_rectangle(cr.get(), 0, h * static_cast<double>(i), w, h);
        cairo_fill(cr.get());
    }
    cairo_surface_flush(strip.get());
    return strip;
}

void writePng(cairo_surface_t* image, const std::string& path) {
    cairo_surface_flush(image);
    if (cairo_surface_write_to_png(image, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, kPi / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

}  // namespace artwork
