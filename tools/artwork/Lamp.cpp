#include "tools/artwork/Lamp.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Lighting.h"
#include "tools/artwork/Shapes.h"

namespace artwork {
namespace {

constexpr double kLensShare = 0.7;  // lens radius over bezel radius
constexpr int kFacets = 12;

}  // namespace

void drawLamp(cairo_t* cr, double cx, double cy, double radius, Colour glass, bool lit) {
    castShadow(
        cr, [&](cairo_t* c) { cairo_arc(c, cx, cy, radius, 0, 2 * kPi); }, 3, 1.5, 0.6);
    if (lit) {
        // Light thrown onto the plate round the bezel.
        cairo_save(cr);
        cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, radius * 0.8, cx, cy, radius * 2.6);
        cairo_pattern_add_color_stop_rgba(halo, 0, glass.r, glass.g, glass.b, 0.55);
        cairo_pattern_add_color_stop_rgba(halo, 0.35, glass.r, glass.g, glass.b, 0.18);
        cairo_pattern_add_color_stop_rgba(halo, 1, glass.r, glass.g, glass.b, 0);
        cairo_set_source(cr, halo);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        cairo_arc(cr, cx, cy, radius * 2.6, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(halo);
        cairo_restore(cr);
    }

    const Material chrome{rgb8(70, 72, 76), 0.3, 0.9, 60, 0.85, {1, 1, 1}};
    const Material lens{glass * (lit ? 0.9 : 0.16), 0.5, 0.8, 80, 0.3, {1, 1, 1}};
    const double lensRadius = radius * kLensShare;
    const int size = static_cast<int>(std::ceil(2 * radius)) + 4;
    paintShaded(cr, squareAround(cx, cy, size), 4, [&](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        const double r = std::hypot(dx, dy);
        if (r > radius) return Pixel{};
        const double ux = dx / std::max(r, 1e-9), uy = dy / std::max(r, 1e-9);
        if (r > lensRadius) {
            // Chrome bezel: a rounded ring.
            const double t = (r - lensRadius) / (radius - lensRadius);
            const double slope = -2.2 * std::cos(kPi * t);
            return Pixel::opaque(shadeSurface(normalise({ux * slope, uy * slope, 1}), chrome));
        }
        // Lens: a faceted dome; lit, it glows hottest in the middle.
        const double a = std::atan2(dy, dx);
        const double facet = std::fmod(a * kFacets / (2 * kPi) + 100.0, 1.0) - 0.5;
        const double dome = 0.9 * r / lensRadius;
        const double tx = -uy, ty = ux;
        const Vec3 n = normalise({ux * dome + tx * facet * 0.18, uy * dome + ty * facet * 0.18, 1});
        Colour c = shadeSurface(n, lens);
        if (lit) {
            const double core = std::exp(-std::pow(r / (0.55 * lensRadius), 2));
            c = c + glass * (0.5 * core) + Colour{1, 1, 1} * (0.55 * core * core);
        }
        // The bezel's inner wall shades the lens edge.
        c = c * (1 - 0.5 * std::pow(r / lensRadius, 6));
        return Pixel::opaque(c);
    });
}

}  // namespace artwork
