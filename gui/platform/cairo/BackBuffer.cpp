#include "gui/platform/cairo/BackBuffer.h"

#include <algorithm>
#include <cmath>

#include "gui/platform/PlatformFrame.h"
#include "gui/platform/cairo/CairoDrawContext.h"

namespace VSTGUI::platform {

BackBuffer::BackBuffer(int width, int height)
    : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1),
                                         std::max(height, 1))),
      invalidRegion(cairo_region_create()) {}

BackBuffer::~BackBuffer() {
    cairo_region_destroy(invalidRegion);
    cairo_surface_destroy(surface);
}

void BackBuffer::invalidRect(const CRect& rect) {
    const double left = std::max(0.0, std::floor(rect.left));
    const double top = std::max(0.0, std::floor(rect.top));
    const double right = std::min<double>(cairo_image_surface_get_width(surface), std::ceil(rect.right));
    const double bottom = std::min<double>(cairo_image_surface_get_height(surface), std::ceil(rect.bottom));
    if (!(right > left && bottom > top)) return;
    const cairo_rectangle_int_t pixels{static_cast<int>(left), static_cast<int>(top),
                                       static_cast<int>(right - left),
                                       static_cast<int>(bottom - top)};
    cairo_region_union_rectangle(invalidRegion, &pixels);
}

cairo_region_t* BackBuffer::paint(FrameEvents& events, const cairo_font_options_t* fontOptions) {
    cairo_region_t* painted = invalidRegion;
    invalidRegion = cairo_region_create();
    const int count = cairo_region_num_rectangles(painted);
    for (int i = 0; i < count; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(painted, i, &r);
        CairoDrawContext context(surface, fontOptions);
        const CRect rect(r.x, r.y, r.x + r.width, r.y + r.height);
        context.setClipRect(rect);
        events.platformDrawRect(context, rect);
    }
    cairo_surface_flush(surface);
    return painted;
}

}  // namespace VSTGUI::platform
