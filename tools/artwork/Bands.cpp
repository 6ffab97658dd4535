#include "tools/artwork/Bands.h"

#include <cmath>

#include "tools/artwork/Layout.h"
#include "tools/artwork/Lighting.h"
#include "tools/artwork/Plate.h"
#include "tools/artwork/Shapes.h"

namespace artwork {
namespace {

// A rounded recess sunk into the surround, filled with a dark vertical gradient, its lower
// lip catching the light.
void drawRecess(cairo_t* cr, double x, double y, double w, double h, double radius, double top, double bottom) {
    const auto shape = [&](cairo_t* c) { roundedRectangle(c, x, y, w, h, radius); };
    shape(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(fill, 0, top, top * 1.1, top * 1.25);
    cairo_pattern_add_color_stop_rgb(fill, 1, bottom, bottom * 1.1, bottom * 1.25);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    insetShadow(cr, shape, 3, 0.85);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.09);
    cairo_move_to(cr, x + 3, y + h + 0.5);
    cairo_line_to(cr, x + w - 3, y + h + 0.5);
    cairo_stroke(cr);
}

// A key cap: dark enough for light grey titles, light enough for black ones while pressed.
void drawKey(cairo_t* cr, Box key) {
    const PlateShape cap{key.left + 0.5, key.top + 0.5, key.width() - 1.0, key.height() - 1.0, 3};
    castShadow(cr, [&](cairo_t* c) { platePath(c, cap); }, 2.5, 1.2, 0.9);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, key.top, 0, key.bottom);
    cairo_pattern_add_color_stop_rgb(body, 0, 0.36, 0.37, 0.39);
    cairo_pattern_add_color_stop_rgb(body, 0.12, 0.30, 0.31, 0.33);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.22, 0.225, 0.24);
    platePath(cr, cap);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Bevel: lit top edge, dark lower edge.
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
    cairo_move_to(cr, key.left + 3, key.top + 1.5);
    cairo_line_to(cr, key.right - 3, key.top + 1.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    platePath(cr, cap);
    cairo_stroke(cr);
}

void drawDryWetWell(cairo_t* cr) {
    const Box k = layout::kDryWetKnob;
    const double cx = k.centreX(), cy = k.centreY();
    const auto well = [&](cairo_t* c) { cairo_arc(c, cx, cy, 13.5, 0, 2 * kPi); };
    well(cr);
    cairo_set_source_rgb(cr, 0.03, 0.03, 0.035);
    cairo_fill(cr);
    insetShadow(cr, well, 2.5, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_arc(cr, cx, cy, 14, 0.1 * kPi, 0.9 * kPi);
    cairo_stroke(cr);
    // Eleven dots over the knob's sweep, the ends larger.
    for (int i = 0; i <= 10; ++i) {
        const double a = layout::knobAngle(i / 10.0), r = 16.5;
        cairo_arc(cr, cx + r * std::cos(a), cy + r * std::sin(a), i % 10 == 0 ? 1.1 : 0.65, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0.85, 0.85, 0.85, i % 10 == 0 ? 0.9 : 0.6);
        cairo_fill(cr);
    }
}

void drawReadoutWindow(cairo_t* cr) {
    const Box r = layout::kReadout;
    drawRecess(cr, r.left - 5, r.top - 5, r.width() + 10, r.height() + 10, 3, 0.045, 0.022);
}

}  // namespace

void drawBandFixtures(cairo_t* cr) {
    const auto& keys = layout::kPresetButtons;
    cairo_save(cr);
    // Two trays, one for the file keys and one for the clipboard keys.
    drawRecess(cr, keys[0].left - 4, keys[0].top - 4, keys[1].right - keys[0].left + 8, keys[0].height() + 8, 4, 0.035,
               0.03);
    drawRecess(cr, keys[2].left - 4, keys[2].top - 4, keys[3].right - keys[2].left + 8, keys[2].height() + 8, 4, 0.035,
               0.03);
    for (const Box& key : keys) drawKey(cr, key);
    drawDryWetWell(cr);
    drawReadoutWindow(cr);
    cairo_restore(cr);
}

}  // namespace artwork
