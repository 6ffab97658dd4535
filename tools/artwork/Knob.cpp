#include "tools/artwork/Knob.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Layout.h"
#include "tools/artwork/Lighting.h"
#include "tools/artwork/Raster.h"
#include "tools/artwork/Shapes.h"

namespace artwork {
namespace {

constexpr double kCapRadius = 32;
constexpr double kCapEdgeStart = 26.5;  // where the cap's rounded edge begins
constexpr double kSkirtLip = 41.5;      // where the skirt's outer lip begins
constexpr int kKnurls = 72;
constexpr double kCapHeight = 14;   // above the skirt, for the cap's shadow on it
constexpr double kSkirtHeight = 6;  // above the panel, for the knob's shadow
constexpr double kPointerInner = 8, kPointerOuter = 24.5, kPointerHalfWidth = 1.7;
constexpr double kIndexInner = 35.5, kIndexOuter = 43, kIndexHalfWidth = 1.1;

// Coverage of a stroke with round ends from radius r0 to r1 along the pointer direction, at
// (along, across) in the pointer's own coordinates.
bool onStroke(double along, double across, double r0, double r1, double halfWidth) {
    const double t = std::clamp(along, r0, r1);
    return std::hypot(along - t, across) <= halfWidth;
}

struct KnobShader {
    KnobFinish finish;
    double pointerAngle;

    const Material plastic{rgb8(14, 14, 16), 0.3, 0.32, 14, 0.26, {1, 1, 1}};
    // The pointer's paint lies in a flat groove and stays white on the shaded side too.
    const Material paint{rgb8(240, 238, 230), 0.85, 0.15, 28, 0.08, {1, 1, 1}};
    const Material gloss{rgb8(14, 14, 16), 0.3, 0.55, 45, 0.26, {1, 1, 1}};  // the polished chamfer
    const Material nickel{rgb8(96, 98, 104), 0.35, 0.5, 30, 0.3, {1, 1, 1}};

    // The knob's colour at a point at distance r and angle phi from its centre.
    Colour surface(double dx, double dy) const {
        const double r = std::hypot(dx, dy);
        const double phi = std::atan2(dy, dx);
        const double local = phi - pointerAngle;
        const double along = r * std::cos(local), across = r * std::sin(local);
        const double ux = r > 1e-9 ? dx / r : 0, uy = r > 1e-9 ? dy / r : 0;
        const auto tilt = [&](double radialSlope, double tangentialSlope) {
            // Slope > 0 means the surface falls away outwards.
            return normalise({ux * radialSlope - uy * tangentialSlope, uy * radialSlope + ux * tangentialSlope, 1});
        };

        if (r <= kCapEdgeStart) {
            // Top face: a gentle dome with spun rings, so the key light leaves a soft spot.
            const double rings = 0.02 * std::sin(r * 5.3) + 0.012 * std::sin(r * 11.7 + 1.3);
            const Vec3 n = tilt(0.5 * std::pow(r / kCapEdgeStart, 1.5) + rings, 0);
            const bool pointer = onStroke(along, across, kPointerInner, kPointerOuter, kPointerHalfWidth);
            if (finish == KnobFinish::Ringed && r > kCapEdgeStart - 2.2 && !pointer)
                return shadeSurface(tilt(0.3, 0), nickel);
            return pointer ? shadeSurface(tilt(0.1, 0), paint) : shadeSurface(n, plastic);
        }
        if (r <= kCapRadius) {
            // The cap's chamfered edge, rounding over into the side.
            const double t = (r - kCapEdgeStart) / (kCapRadius - kCapEdgeStart);
            return shadeSurface(tilt(0.7 + 3.5 * t * t, 0), gloss);
        }
        // Skirt: a shallow cone with a knurled lip, shaded by the cap standing on it.
        double slope = 0.3;
        double ridge = 0;
        if (r > kSkirtLip) {
            const double t = (r - kSkirtLip) / (kKnobSkirtRadius - kSkirtLip);
            slope += 2.6 * t * t;
            ridge = 0.35 * std::sin(kKnurls * local) * smoothstep(0.0, 0.4, t);
        }
        const bool index = onStroke(along, across, kIndexInner, kIndexOuter, kIndexHalfWidth);
        Colour c = index ? shadeSurface(tilt(0.2, 0), paint) : shadeSurface(tilt(slope, ridge), plastic);
        const double sx = dx - kCapHeight * kShadowPerHeightX, sy = dy - kCapHeight * kShadowPerHeightY;
        const double shade = 1 - smoothstep(-4.0, 3.0, std::hypot(sx, sy) - kCapRadius);
        const double crevice = 1 - smoothstep(0.0, 2.5, r - kCapRadius);
        return c * (1 - 0.55 * shade) * (1 - 0.5 * crevice);
    }

    Pixel operator()(double x, double y) const {
        const double dx = x - layout::kKnobCentreX, dy = y - layout::kKnobCentreY;
        if (std::hypot(dx, dy) <= kKnobSkirtRadius) return Pixel::opaque(surface(dx, dy));
        return Pixel{};
    }
};

// The knob's shadow on the panel, the same in every frame: a soft offset disc and a tight
// contact shadow at the rim.
Pixel shadowAt(double x, double y) {
    const double dx = x - layout::kKnobCentreX, dy = y - layout::kKnobCentreY;
    const double cast = std::hypot(dx - kSkirtHeight * kShadowPerHeightX, dy - kSkirtHeight * kShadowPerHeightY);
    const double soft = 0.55 * (1 - smoothstep(kKnobSkirtRadius - 6, kKnobSkirtRadius + 7, cast));
    const double contact = 0.6 * (1 - smoothstep(kKnobSkirtRadius - 1, kKnobSkirtRadius + 2.5, std::hypot(dx, dy)));
    const double a = 1 - (1 - soft) * (1 - contact);
    return {0, 0, 0, a};
}

}  // namespace

std::vector<Surface> knobFrames(KnobFinish finish) {
    Raster shadow(layout::kKnobWidth, layout::kKnobHeight);
    shadow.shade(2, shadowAt);
    std::vector<Surface> frames;
    for (int f = 0; f < layout::kKnobFrames; ++f) {
        const KnobShader shader{finish, layout::knobAngle(f / (layout::kKnobFrames - 1.0))};
        Raster knob(layout::kKnobWidth, layout::kKnobHeight);
        knob.shade(4, shader);
        for (int y = 0; y < knob.height(); ++y)
            for (int x = 0; x < knob.width(); ++x) knob.at(x, y) = knob.at(x, y).over(shadow.at(x, y));
        frames.push_back(knob.toSurface(false));
    }
    return frames;
}

}  // namespace artwork
