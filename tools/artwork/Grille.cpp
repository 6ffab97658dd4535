#include "tools/artwork/Grille.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Layout.h"
#include "tools/artwork/Lighting.h"
#include "tools/artwork/Noise.h"
#include "tools/artwork/Plate.h"
#include "tools/artwork/Raster.h"
#include "tools/artwork/Shapes.h"

namespace artwork {
namespace {

constexpr double kBezel = 7;
constexpr int kSlots = 20;
constexpr double kSlotPitch = 12, kSlotWidth = 6.4;
constexpr double kSlotTop = 13, kSlotBottom = 80;
constexpr int kTubes = 4;
constexpr double kRimWidth = 1.3;

// Light energy to colour as a hot filament looks: red when faint, orange, then yellow-white.
Colour glowColour(double energy) {
    return {1 - std::exp(-2.6 * energy), 1 - std::exp(-0.95 * energy), 1 - std::exp(-0.32 * energy)};
}

struct GrilleShader {
    double level;  // 0 cold to 1 fully glowing
    double width;
    std::uint32_t seed;

    double firstSlotX() const { return 0.5 * (width - ((kSlots - 1) * kSlotPitch + kSlotWidth)); }

    // Signed distance to the nearest slot (a vertical stadium), negative inside.
    double slotDistance(double x, double y) const {
        const double x0 = firstSlotX() + 0.5 * kSlotWidth;
        const int i = std::clamp(static_cast<int>(std::lround((x - x0) / kSlotPitch)), 0, kSlots - 1);
        const double cx = x0 + i * kSlotPitch, r = 0.5 * kSlotWidth;
        const double cy = std::clamp(y, kSlotTop + r, kSlotBottom - r);
        return std::hypot(x - cx, y - cy) - r;
    }

    // What lies behind the grille: dark chassis, tube glass and the heaters' glow.
    Colour interior(double x, double y) const {
        double energy = 0.0;
        Colour glass{};
        for (int t = 0; t < kTubes; ++t) {
            // Each tube stands behind a slot, so its filament shows.
            const double tx = firstSlotX() + 0.5 * kSlotWidth + kSlotPitch * (2 + 5 * t);
            const double dx = x - tx;
            // Envelope: faint reflections near its sides.
            const double side = std::abs(dx) / 19.0;
            if (side < 1) glass = glass + rgb8(120, 130, 150) * (0.10 * std::exp(-std::pow((side - 0.72) / 0.09, 2)));
            // Heater glow through the plate's window, a wider halo, the filament itself.
            energy += 1.6 * std::exp(-std::pow(dx / 9.0, 2) - std::pow((y - 50) / 15.0, 2));
            energy += 0.45 * std::exp(-std::pow(dx / 24.0, 2) - std::pow((y - 48) / 30.0, 2));
            energy += 4.0 * std::exp(-std::pow(dx / 1.3, 2)) * smoothstep(32, 38, y) * (1 - smoothstep(62, 68, y));
        }
        const Colour chassis = rgb8(10, 9, 9);
        return chassis + glass * (0.35 + 0.65 * level) + glowColour(energy * level * level * 1.1 + 0.06 * level);
    }

    Colour plateAt(double x, double y) const { return rgb8(30, 31, 35) * (1 + 0.1 * brushedGrain(x, y, seed, 60)); }

    Pixel operator()(double x, double y) const {
        const double d = slotDistance(x, y);
        if (d < 0) {
            // Inside a slot: the plate's cut edge is lit by the glow, the upper wall shades the
            // view in.
            const double wall = 1 - smoothstep(0, kRimWidth, -d);
            const Colour warm = glowColour(0.8 * level * level) * 0.3;
            const double shade = 1 - 0.5 * smoothstep(4, 0, y - kSlotTop - 0.5 * kSlotWidth + 3);
            return Pixel::opaque(mix(interior(x, y) * shade, rgb8(20, 20, 22) + warm, wall * 0.8));
        }
        // Plate: the rim of each cut rolls into the slot, catching the key light below and
        // facing away from it above; the glow warms the plate a little round the slots.
        const Material m{plateAt(x, y), 0.4, 0.3, 25, 0.25, {1, 1, 1}};
        Colour c = m.albedo;
        if (d < kRimWidth) {
            double nx, ny;
            outwardDirection([this](double u, double v) { return slotDistance(u, v); }, x, y, nx, ny);
            const double slope = -1.4 * std::pow(1 - d / kRimWidth, 2);
            c = shadeRelief(normalise({nx * slope, ny * slope, 1}), m);
        }
        const double field =
            std::max({firstSlotX() - x, x - (width - firstSlotX()), kSlotTop - y, y - kSlotBottom, 0.0});
        const double spill = std::exp(-std::pow(field / 5.0, 2)) * std::exp(-std::pow(d / 4.0, 2));
        return Pixel::opaque(c + glowColour(0.9 * level * level) * (0.2 * spill));
    }
};

}  // namespace

void drawGrilleHousing(cairo_t* cr, Box window) { drawBezel(cr, window, kBezel, 5); }

std::vector<Surface> grilleFrames(Box window) {
    std::vector<Surface> frames;
    for (int k = 0; k < layout::kGrilleFrames; ++k) {
        const GrilleShader shader{k / (layout::kGrilleFrames - 1.0), static_cast<double>(window.width()),
                                  static_cast<std::uint32_t>(window.left * 31 + window.top)};
        Raster raster(window.width(), window.height());
        raster.shade(3, shader);
        Surface frame = raster.toSurface(true);
        Context cr = makeContext(frame.get());
        insetShadow(
            cr.get(), [&](cairo_t* c) { cairo_rectangle(c, 0, 0, window.width(), window.height()); }, 5, 0.6);
        frames.push_back(std::move(frame));
    }
    return frames;
}

}  // namespace artwork
