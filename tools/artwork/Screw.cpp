#include "tools/artwork/Screw.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Lighting.h"
#include "tools/artwork/Shapes.h"

namespace artwork {

void drawScrew(cairo_t* cr, double cx, double cy, double radius, double turn) {
    castShadow(
        cr, [&](cairo_t* c) { cairo_arc(c, cx, cy, radius, 0, 2 * kPi); }, 2.0, 1.2, 0.7);

    const Material steel{rgb8(120, 123, 128), 0.25, 0.7, 40, 0.3, {1, 1, 1}};
    const Material socket{rgb8(28, 28, 30), 0.4, 0.2, 20, 0.1, {1, 1, 1}};
    const double socketSize = 0.5 * radius;
    const int size = static_cast<int>(std::ceil(2 * radius)) + 4;
    paintShaded(cr, squareAround(cx, cy, size), 4, [&](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        const double r = std::hypot(dx, dy);
        if (r > radius) return Pixel{};
        const double a = std::atan2(dy, dx);
        if (r < socketSize * hexagonRadius(a - turn)) {
            // The socket's walls: dark, lit a little on the side facing away from the light.
            const double lit = 0.5 + 0.5 * (dx * 0.4 + dy * 0.7) / std::max(r, 1e-6);
            return Pixel::opaque(shadeSurface({0, 0, 1}, socket) * (0.4 + 0.8 * lit * std::min(1.0, r / socketSize)));
        }
        // A low dome: the slope rises towards the rim.
        const double t = r / radius;
        const double slope = 0.9 * t + 1.4 * std::pow(t, 4);
        const Vec3 n = normalise({dx / std::max(r, 1e-6) * slope, dy / std::max(r, 1e-6) * slope, 1});
        return Pixel::opaque(shadeSurface(n, steel));
    });
}

}  // namespace artwork
