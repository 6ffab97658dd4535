#include "tools/tables/TablePlot.h"

#include <cairo.h>

#include <numbers>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "dsp/TubeTables.h"
#include "tools/tables/PublishedTableFigures.h"

namespace tubetables {
namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

struct FamilyLegend {
    const char* title;
    float gridOffset, gridSpan;    // predicted grid voltage = offset + span * g
    float plateOffset, plateSpan;  // predicted plate voltage = offset + span * a
};
constexpr FamilyLegend kFamilyLegend[kFamilies] = {
    {"A: first triode, grid current i0", -4.0f, 24.0f, 50.0f, 150.0f},
    {"B: first triode, plate current i1", -4.0f, 24.0f, 50.0f, 150.0f},
    {"C: second triode, grid current i2", 5.0f, 40.0f, 100.0f, 200.0f},
    {"D: second triode, plate current i3", 5.0f, 40.0f, 100.0f, 200.0f},
};

constexpr int kLastEntry = dsp::TubeTables::kGridPoints - 1;
constexpr int kCurvePoints = 2205;  // every 20th entry, enough for a smooth line

struct Rect {
    double x, y, width, height;
};

// Slice 0 dark blue through to slice 9 orange.
void setSliceColour(cairo_t* cr, int k) {
    const double t = k / 9.0;
    cairo_set_source_rgb(cr, 0.1 + 0.85 * t, 0.2 + 0.35 * t, 0.6 - 0.5 * t);
}

// A step of 1, 2 or 5 times a power of ten giving about five intervals over span.
double niceStep(double span) {
    const double raw = span / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw) return m * power;
    return 10.0 * power;
}

void text(cairo_t* cr, double x, double y, const char* s, double alignX) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s, &extents);
    cairo_move_to(cr, x - alignX * extents.width - extents.x_bearing, y);
    cairo_show_text(cr, s);
}

void drawPanel(cairo_t* cr, const dsp::TubeTables& tables, int family, Rect area) {
    const FamilyLegend& legend = kFamilyLegend[family];
    const Rect plot{area.x + 80, area.y + 40, area.width - 110, area.height - 110};

    double lowest = 0.0, highest = 0.0;  // milliamperes
    for (int k = 0; k < kSlices; ++k)
        for (int j = 0; j <= kLastEntry; ++j) {
            const double v = 1e3 * tables.slice(family, k)[j];
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
    const double step = niceStep(highest - lowest);
    const double bottom = lowest - 0.04 * (highest - lowest);
    const double top = highest + 0.06 * (highest - lowest);
    const auto px = [&](double g) { return plot.x + g * plot.width; };
    const auto py = [&](double mA) { return plot.y + plot.height * (top - mA) / (top - bottom); };

    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_font_size(cr, 17);
    text(cr, area.x + area.width / 2, area.y + 25, legend.title, 0.5);

    cairo_set_font_size(cr, 13);
    cairo_set_line_width(cr, 1);
    char label[64];
    for (double mA = std::ceil(bottom / step) * step; mA <= top; mA += step) {
        cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
        cairo_move_to(cr, plot.x, py(mA));
        cairo_line_to(cr, plot.x + plot.width, py(mA));
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        std::snprintf(label, sizeof label, "%.3g", std::abs(mA) < 1e-9 * step ? 0.0 : mA);
        text(cr, plot.x - 8, py(mA) + 4, label, 1.0);
    }
    for (int tick = 0; tick <= 4; ++tick) {
        const double g = tick / 4.0;
        cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
        cairo_move_to(cr, px(g), plot.y);
        cairo_line_to(cr, px(g), plot.y + plot.height);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        std::snprintf(label, sizeof label, "%.2f", g);
        text(cr, px(g), plot.y + plot.height + 18, label, 0.5);
        std::snprintf(label, sizeof label, "%g V", legend.gridOffset + legend.gridSpan * g);
        text(cr, px(g), plot.y + plot.height + 34, label, 0.5);
    }
    text(cr, plot.x + plot.width / 2, plot.y + plot.height + 56,
         "grid coordinate g (predicted grid voltage)", 0.5);
    cairo_save(cr);
    cairo_move_to(cr, area.x + 22, plot.y + plot.height / 2);
    cairo_rotate(cr, -std::numbers::pi / 2);
    text(cr, 0, 0, "current (mA)", 0.5);
    cairo_restore(cr);
    cairo_rectangle(cr, plot.x, plot.y, plot.width, plot.height);
    cairo_stroke(cr);

    cairo_save(cr);
    cairo_rectangle(cr, plot.x, plot.y, plot.width, plot.height);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.6);
    for (int k = 0; k < kSlices; ++k) {
        const float* entries = tables.slice(family, k);
        setSliceColour(cr, k);
        for (int n = 0; n <= kCurvePoints; ++n) {
            const int j = n * kLastEntry / kCurvePoints;
            cairo_line_to(cr, px(j / double(kLastEntry)), py(1e3 * entries[j]));
        }
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 1.8);
    for (int s = 0; s < 2; ++s)
        for (int e = 0; e < kFigureEntries; ++e) {
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_new_sub_path(cr);
            cairo_arc(cr, px(kFigureEntry[e] / double(kLastEntry)), py(1e3 * kFigure[family][s][e]),
                      6, 0, 2 * std::numbers::pi);
            cairo_stroke(cr);
        }
    cairo_restore(cr);

    // Slice key: plate voltage per colour, top left inside the plot.
    cairo_set_font_size(cr, 12);
    for (int k = 0; k < kSlices; ++k) {
        const double y = plot.y + 16 + 15 * k;
        setSliceColour(cr, k);
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, plot.x + 10, y - 4);
        cairo_line_to(cr, plot.x + 30, y - 4);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        std::snprintf(label, sizeof label, "slice %d: %.4g V", k,
                      legend.plateOffset + legend.plateSpan * k / 9.0);
        text(cr, plot.x + 36, y, label, 0.0);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, plot.x + 20, plot.y + 16 + 15 * kSlices - 4, 5, 0, 2 * std::numbers::pi);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    text(cr, plot.x + 36, plot.y + 16 + 15 * kSlices, "published values, slices 0 and 9", 0.0);
}

}  // namespace

bool plotTables(const dsp::TubeTables& tables, const std::string& path) {
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPlotWidth, kPlotHeight),
                    cairo_surface_destroy);
    Context cr(cairo_create(surface.get()), cairo_destroy);
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    cairo_select_font_face(cr.get(), "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    const double w = kPlotWidth / 2.0, h = kPlotHeight / 2.0;
    for (int family = 0; family < kFamilies; ++family)
        drawPanel(cr.get(), tables, family, Rect{(family % 2) * w, (family / 2) * h, w, h});
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return false;
    return cairo_surface_write_to_png(surface.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace tubetables
