#include "tools/artwork/Panel.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Layout.h"
#include "tools/artwork/Lighting.h"
#include "tools/artwork/Noise.h"
#include "tools/artwork/Screw.h"
#include "tools/artwork/Shapes.h"

namespace artwork {
namespace {

constexpr double kCornerRadius = 7;
constexpr double kBevelWidth = 3.5;
constexpr std::uint32_t kBrushSeed = 17, kCoatSeed = 29;

// Signed distance to the faceplate's rounded rectangle, negative inside.
double faceplateDistance(double x, double y) {
    const Box p = layout::kPanel;
    return roundedBoxDistance(p.left, p.top, p.width(), p.height(), kCornerRadius, x, y);
}

// Brushing streaks: long along x, fine across y.
double brushStreaks(double x, double y) {
    return 0.55 * fractalNoise(x / 140.0, y * 1.3, kBrushSeed, 3) +
           0.3 * fractalNoise(x / 30.0, y * 2.1, kBrushSeed + 7, 2) +
           0.15 * (2 * latticeRandom(static_cast<std::int64_t>(std::floor(x)), static_cast<std::int64_t>(std::floor(y)),
                                     kBrushSeed + 13) -
                   1);
}

// Black crinkle coat: a fine relief that catches the light.
Colour surroundAt(double x, double y) {
    const double e = 0.5;
    const auto height = [](double u, double v) { return fractalNoise(u / 1.3, v / 1.3, kCoatSeed, 2); };
    const double gx = (height(x + e, y) - height(x - e, y)) / (2 * e);
    const double gy = (height(x, y + e) - height(x, y - e)) / (2 * e);
    const Material coat{rgb8(20, 20, 23), 0.35, 0.05, 12, 0.05, {1, 1, 1}};
    return shadeSurface(normalise({-gx * 0.35, -gy * 0.35, 1}), coat);
}

// Broad light over the plate: brighter towards the upper left, a soft diagonal sheen.
double broadLight(double x, double y) {
    const Box p = layout::kPanel;
    const double u = (x - p.left) / p.width(), v = (y - p.top) / p.height();
    const double along = 0.55 * u + 0.45 * v;
    return 1.07 - 0.16 * along + 0.05 * std::exp(-std::pow((u * 0.7 + v * 0.3 - 0.28) / 0.12, 2));
}

// The faceplate's brushed metal, lit by the broad light.
Colour faceplateMetal(double x, double y) {
    const Colour base = rgb8(30, 52, 92);
    const double streak = brushStreaks(x, y);
    return base * (broadLight(x, y) * (1.0 + 0.07 * streak));
}

Colour faceplateAt(double x, double y) {
    const double d = faceplateDistance(x, y);
    // The edge is rounded over: tilted outwards, more steeply towards the rim.
    double slope = 0;
    double nx = 0, ny = 0;
    if (d > -kBevelWidth) {
        const double t = std::clamp(1 + d / kBevelWidth, 0.0, 1.0);
        slope = 2.2 * t * t;
        outwardDirection(faceplateDistance, x, y, nx, ny);
    }
    // Only the rim is shaded apart from the metal's broad light.
    const Material metal{faceplateMetal(x, y), 0.35, 0.35, 25, 0.22, rgb8(200, 215, 240)};
    return shadeRelief(normalise({nx * slope, ny * slope, 1}), metal);
}

}  // namespace

void paintPanel(cairo_t* cr) {
    Raster surround(layout::kWindowWidth, layout::kWindowHeight);
    surround.shade(1, [](double x, double y) { return Pixel::opaque(surroundAt(x, y)); });
    Surface ground = surround.toSurface(true);
    paste(cr, ground.get(), 0, 0);

    const Box p = layout::kPanel;
    castShadow(
        cr, [&](cairo_t* c) { roundedRectangle(c, p.left, p.top, p.width(), p.height(), kCornerRadius); }, 5, 4, 0.85);

    Raster plate(layout::kWindowWidth, layout::kWindowHeight);
    plate.shade(
        2, [](double x, double y) { return faceplateDistance(x, y) > 0 ? Pixel{} : Pixel::opaque(faceplateAt(x, y)); });
    Surface faceplate = plate.toSurface(false);
    paste(cr, faceplate.get(), 0, 0);

    const double inset = 17;
    const double turns[4] = {0.3, 1.1, 0.7, 0.1};
    int i = 0;
    for (double y : {p.top + inset, p.bottom - inset})
        for (double x : {p.left + inset, p.right - inset}) drawScrew(cr, x, y, 6.5, turns[i++]);
}

}  // namespace artwork
