#include "tools/artwork/Plate.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Lighting.h"
#include "tools/artwork/Noise.h"
#include "tools/artwork/Screw.h"
#include "tools/artwork/Shapes.h"

namespace artwork {
namespace {

constexpr double kBevel = 1.8;
constexpr double kPlateHeight = 2.5;  // above the faceplate, for its shadow

Colour metalColour(Metal metal) {
    switch (metal) {
        case Metal::Aluminium:
            return rgb8(178, 181, 186);
        case Metal::Brass:
            return rgb8(196, 160, 92);
        case Metal::Black:
            return rgb8(26, 27, 30);
    }
    return {};
}

// Signed distance from (px, py) to the plate's outline, negative inside.
double plateDistance(const PlateShape& p, double px, double py) {
    return roundedBoxDistance(p.x, p.y, p.width, p.height, p.radius, px, py);
}

}  // namespace

void platePath(cairo_t* cr, const PlateShape& p) { roundedRectangle(cr, p.x, p.y, p.width, p.height, p.radius); }

void drawPlate(cairo_t* cr, const PlateShape& plate, Metal metal) {
    castShadow(
        cr, [&](cairo_t* c) { platePath(c, plate); }, kPlateHeight, 2.0, 0.75);

    const int x0 = static_cast<int>(std::floor(plate.x)) - 1, y0 = static_cast<int>(std::floor(plate.y)) - 1;
    const Box area{x0, y0, x0 + static_cast<int>(std::ceil(plate.width)) + 3,
                   y0 + static_cast<int>(std::ceil(plate.height)) + 3};
    const Colour base = metalColour(metal);
    const Material material{base,
                            0.45,
                            metal == Metal::Black ? 0.3 : 0.5,
                            30,
                            metal == Metal::Black ? 0.2 : 0.35,
                            metal == Metal::Brass ? rgb8(255, 236, 200) : Colour{1, 1, 1}};
    const auto seed = static_cast<std::uint32_t>(x0 * 7919 + y0 * 104729);
    paintShaded(cr, area, 3, [&](double x, double y) {
        const double d = plateDistance(plate, x, y);
        if (d > 0) return Pixel{};
        // Brushed along the plate's length; the bevel rolls off outwards.
        const double streak = brushedGrain(x, y, seed, 50);
        const double slope = d > -kBevel ? 1.6 * std::pow(1 + d / kBevel, 2) : 0;
        double nx, ny;
        outwardDirection([&](double u, double v) { return plateDistance(plate, u, v); }, x, y, nx, ny);
        Material m = material;
        m.albedo = base * (1 + 0.08 * streak);
        return Pixel::opaque(shadeSurface(normalise({nx * slope, ny * slope, 1}), m));
    });
}

void drawBezel(cairo_t* cr, Box window, double border, double radius) {
    const PlateShape bezel{window.left - border, window.top - border, window.width() + 2 * border,
                           window.height() + 2 * border, radius};
    drawPlate(cr, bezel, Metal::Black);
    // A bright lip where the bezel turns down into the window, a dark seam at the window.
    cairo_save(cr);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.15);
    cairo_rectangle(cr, window.left - 1.5, window.top - 1.5, window.width() + 3, window.height() + 3);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_rectangle(cr, window.left - 0.5, window.top - 0.5, window.width() + 1, window.height() + 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawPlateScrews(cairo_t* cr, const PlateShape& plate, double inset, double radius) {
    const double turns[4] = {0.9, 0.2, 0.5, 1.3};
    int i = 0;
    for (double y : {plate.y + inset, plate.y + plate.height - inset})
        for (double x : {plate.x + inset, plate.x + plate.width - inset}) drawScrew(cr, x, y, radius, turns[i++]);
}

void drawNameplate(cairo_t* cr, const PlateShape& plate, Metal metal, const std::string& text, TextStyle style) {
    drawPlate(cr, plate, metal);
    style.colour = kLegendInk;
    drawEngravedText(cr, text, style, plate.x + 0.5 * plate.width, plate.y + 0.5 * plate.height);
}

}  // namespace artwork
