#include "tools/artwork/Toggle.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Lighting.h"
#include "tools/artwork/Raster.h"
#include "tools/artwork/Shapes.h"

namespace artwork {
namespace {

constexpr double kNutRadius = 8.5;  // hexagon, corner to centre
constexpr double kBushingRadius = 5;
constexpr double kLeverReach = 17;   // how far the leaning lever's tip shows from the pivot
constexpr double kLeverLength = 24;  // its real length, for the height of its shadow
constexpr double kBaseRadius = 2.7, kTipRadius = 2.1, kBallRadius = 3.9;

// Across a polished rod (s from -1 to 1) the mirror shows a bright window streak left of
// centre, a weaker one on the right, and the dark room at the edges.
Colour chromeRod(double s, double along) {
    const double v =
        0.1 + 0.85 * std::exp(-std::pow((s + 0.35) / 0.2, 2)) + 0.3 * std::exp(-std::pow((s - 0.55) / 0.14, 2));
    const double edge = 1 - 0.6 * std::pow(std::abs(s), 4);
    return rgb8(235, 238, 244) * (v * edge * (0.85 + 0.15 * along));
}

}  // namespace

void drawToggle(cairo_t* cr, double cx, double cy, int lean) {
    const double reach = lean * kLeverReach;
    const double ball = lean == 0 ? kBallRadius * 1.25 : kBallRadius;
    const double tipHeight = lean == 0 ? kLeverLength : kLeverLength * 0.7;

    castShadow(
        cr, [&](cairo_t* c) { cairo_arc(c, cx, cy, kNutRadius, 0, 2 * kPi); }, 2.5, 1.2, 0.6);
    // The lever's shadow falls further from the nut the higher its point stands.
    castShadow(
        cr,
        [&](cairo_t* c) {
            // A tapered outline from the pivot's shadow to the ball's.
            const double tx = cx + tipHeight * kShadowPerHeightX, ty = cy + reach + tipHeight * kShadowPerHeightY;
            const double heading = std::atan2(ty - cy, tx - cx);
            cairo_arc(c, tx, ty, ball, heading - kPi / 2, heading + kPi / 2);
            cairo_arc(c, cx, cy, kBaseRadius, heading + kPi / 2, heading + 3 * kPi / 2);
            cairo_close_path(c);
        },
        0, 2.0, 0.45);

    const Material chrome{rgb8(80, 82, 86), 0.3, 1.0, 70, 0.9, {1, 1, 1}};
    const Material nut{rgb8(105, 107, 112), 0.3, 0.6, 30, 0.45, {1, 1, 1}};
    const int half = static_cast<int>(std::ceil(kNutRadius + kLeverReach + kBallRadius * 1.3)) + 2;
    paintShaded(cr, squareAround(cx, cy, 2 * half), 4, [&](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        // Ball tip first, then the shaft, the bushing and the nut beneath.
        const double bx = dx, by = dy - reach;
        const double rb = std::hypot(bx, by);
        if (rb < ball) {
            const double z = std::sqrt(ball * ball - rb * rb);
            return Pixel::opaque(shadeSurface(normalise({bx, by, z}), chrome));
        }
        if (lean != 0) {
            const double along = dy / reach;  // 0 at the pivot, 1 at the tip
            if (along >= 0 && along <= 1) {
                const double radius = kBaseRadius + (kTipRadius - kBaseRadius) * along;
                if (std::abs(dx) < radius) return Pixel::opaque(chromeRod(dx / radius, along));
            }
        }
        const double r = std::hypot(dx, dy);
        if (r < kBushingRadius) {
            const double t = r / kBushingRadius;
            const double slope = 1.4 * t * t;
            return Pixel::opaque(
                shadeSurface(normalise({dx / std::max(r, 1e-9) * slope, dy / std::max(r, 1e-9) * slope, 1}), chrome));
        }
        const double a = std::atan2(dy, dx);
        const double edge = kNutRadius * hexagonRadius(a + kPi / 6);  // flats at 0, 60, ... degrees
        if (r < edge) {
            const double t = (r - kBushingRadius) / (edge - kBushingRadius);
            const double slope = t > 0.75 ? 1.5 * (t - 0.75) / 0.25 : 0.0;
            // Chamfered corners: tilt by sector so each flat catches the light on its own.
            const double sector = std::round(a / (kPi / 3)) * (kPi / 3);
            const double fx = std::cos(sector), fy = std::sin(sector);
            return Pixel::opaque(shadeSurface(normalise({fx * slope, fy * slope, 1}), nut));
        }
        return Pixel{};
    });
}

}  // namespace artwork
