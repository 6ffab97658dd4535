#include "tools/artwork/Meter.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Layout.h"
#include "tools/artwork/Lighting.h"
#include "tools/artwork/Plate.h"
#include "tools/artwork/Raster.h"
#include "tools/artwork/Shapes.h"
#include "tools/artwork/Text.h"

namespace artwork {
namespace {

constexpr int kFaceWidth = 157, kFaceHeight = 102;
constexpr double kPivotX = kFaceWidth / 2.0, kPivotY = 122;
constexpr double kScaleRadius = 90;
constexpr double kNeedleStart = 16;  // below the window's lower edge: the pivot stays hidden
constexpr double kHalfSweep = 43 * kPi / 180;
constexpr double kFullScaleDb = 25;
constexpr double kBezel = 10;
const Colour kFaceInk = rgb8(28, 24, 20);
const Colour kRedZone = rgb8(196, 40, 30);

// The needle's angle from vertical (radians, positive to the right) for a reduction in dB.
double needleAngle(double reductionDb) { return kHalfSweep * (1 - 2 * reductionDb / kFullScaleDb); }

// Point at a radius along the direction of angle a from vertical.
double px(double radius, double a) { return kPivotX + radius * std::sin(a); }
double py(double radius, double a) { return kPivotY - radius * std::cos(a); }

// Warm ivory card, lit from behind by a lamp below the scale.
Pixel faceAt(double x, double y) {
    const Colour card = rgb8(244, 230, 192);
    const double lamp = std::exp(-(std::pow((x - kPivotX) / 95.0, 2) + std::pow((y - 70) / 70.0, 2)));
    const double edge = smoothstep(0, 22, std::min({x, kFaceWidth - x, y + 8.0, kFaceHeight - y + 8.0}));
    return Pixel::opaque(card * (0.78 + 0.26 * lamp) * (0.86 + 0.14 * edge) + rgb8(255, 170, 60) * (0.05 * lamp));
}

void drawScale(cairo_t* cr) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    // Red band over the heaviest reduction.
    cairo_set_source_rgb(cr, kRedZone.r, kRedZone.g, kRedZone.b);
    cairo_set_line_width(cr, 3.2);
    cairo_arc(cr, kPivotX, kPivotY, kScaleRadius + 2.2, -kPi / 2 + needleAngle(kFullScaleDb),
              -kPi / 2 + needleAngle(20));
    cairo_stroke(cr);

    cairo_set_source_rgb(cr, kFaceInk.r, kFaceInk.g, kFaceInk.b);
    cairo_set_line_width(cr, 0.9);
    cairo_arc(cr, kPivotX, kPivotY, kScaleRadius, -kPi / 2 - kHalfSweep, -kPi / 2 + kHalfSweep);
    cairo_stroke(cr);
    for (int db = 0; db <= kFullScaleDb; ++db) {
        const double a = needleAngle(db);
        const bool major = db % 5 == 0;
        cairo_set_line_width(cr, major ? 1.5 : 0.9);
        cairo_move_to(cr, px(kScaleRadius, a), py(kScaleRadius, a));
        cairo_line_to(cr, px(kScaleRadius + (major ? 8 : 4.5), a), py(kScaleRadius + (major ? 8 : 4.5), a));
        cairo_stroke(cr);
    }
    const TextStyle marks{Face::CondensedBold, 10, kFaceInk, 1.0, 0};
    for (int db = 0; db <= 20; db += 5) {
        const double a = needleAngle(db);
        drawTextCentred(cr, std::to_string(db), marks, px(kScaleRadius + 15, a), py(kScaleRadius + 15, a));
    }
    drawTextCentred(cr, "dB", {Face::SansBold, 10, kFaceInk, 0.9, 0}, kPivotX, 67);
    drawTextCentred(cr, "GAIN REDUCTION", {Face::Sans, 7, kFaceInk, 0.75, 1}, kPivotX, 81);
}

// Glass over the face: the housing's shadow along the upper and left edges, a faint sheen.
Surface glassOverlay() {
    Surface overlay = makeSurface(kFaceWidth, kFaceHeight);
    Context cr = makeContext(overlay.get());
    insetShadow(
        cr.get(), [](cairo_t* c) { cairo_rectangle(c, 0, 0, kFaceWidth, kFaceHeight); }, 7, 0.55);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, 0, 60, 100);
    cairo_pattern_add_color_stop_rgba(sheen, 0.0, 1, 1, 1, 0.16);
    cairo_pattern_add_color_stop_rgba(sheen, 0.45, 1, 1, 1, 0.05);
    cairo_pattern_add_color_stop_rgba(sheen, 0.46, 1, 1, 1, 0.0);
    cairo_set_source(cr.get(), sheen);
    cairo_paint(cr.get());
    cairo_pattern_destroy(sheen);
    return overlay;
}

void needlePath(cairo_t* cr, double a) {
    cairo_move_to(cr, px(kNeedleStart, a), py(kNeedleStart, a));
    cairo_line_to(cr, px(kScaleRadius + 7, a), py(kScaleRadius + 7, a));
}

}  // namespace

void drawMeterHousing(cairo_t* cr, Box window, const std::string& caption) {
    drawBezel(cr, window, kBezel, 6);

    const TextStyle style{Face::SansBold, 9, {}, 1.0, 1};
    const double width = measureText(caption, style).advance + 22;
    const PlateShape plate{std::round(window.centreX() - width / 2), window.bottom + kBezel + 6, std::round(width), 16,
                           2};
    drawNameplate(cr, plate, Metal::Aluminium, caption, style);
}

std::vector<Surface> meterFrames() {
    Raster card(kFaceWidth, kFaceHeight);
    card.shade(1, faceAt);
    Surface face = card.toSurface(true);
    {
        Context cr = makeContext(face.get());
        drawScale(cr.get());
    }
    Surface glass = glassOverlay();

    std::vector<Surface> frames;
    for (int f = 0; f < layout::kMeterFrames; ++f) {
        const double reduction = (1 - f / (layout::kMeterFrames - 1.0)) * kFullScaleDb;
        const double a = needleAngle(reduction);
        Surface frame = makeSurface(kFaceWidth, kFaceHeight, true);
        Context cr = makeContext(frame.get());
        paste(cr.get(), face.get(), 0, 0);
        castShadow(
            cr.get(),
            [&](cairo_t* c) {
                // The needle as a thin outline, to fill.
                const double nx = std::cos(a) * 0.8, ny = std::sin(a) * 0.8;
                cairo_move_to(c, px(kNeedleStart, a) - nx, py(kNeedleStart, a) - ny);
                cairo_line_to(c, px(kScaleRadius + 7, a) - nx, py(kScaleRadius + 7, a) - ny);
                cairo_line_to(c, px(kScaleRadius + 7, a) + nx, py(kScaleRadius + 7, a) + ny);
                cairo_line_to(c, px(kNeedleStart, a) + nx, py(kNeedleStart, a) + ny);
                cairo_close_path(c);
            },
            5, 1.2, 0.35);
        needlePath(cr.get(), a);
        cairo_set_line_width(cr.get(), 1.3);
        cairo_set_source_rgb(cr.get(), 0.06, 0.05, 0.05);
        cairo_stroke(cr.get());
        paste(cr.get(), glass.get(), 0, 0);
        frames.push_back(std::move(frame));
    }
    return frames;
}

}  // namespace artwork
