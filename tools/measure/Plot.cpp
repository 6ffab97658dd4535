#include "tools/measure/Plot.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>

#include "tools/host/ToolError.h"

namespace measure {

namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

struct Colour {
    double r, g, b;
};
// Distinct at a glance and for most colour-blind readers.
constexpr Colour kPalette[] = {{0.00, 0.45, 0.70}, {0.90, 0.38, 0.00}, {0.00, 0.62, 0.45}, {0.80, 0.47, 0.65},
                               {0.34, 0.71, 0.91}, {0.84, 0.20, 0.15}, {0.55, 0.45, 0.10}, {0.35, 0.35, 0.35},
                               {0.60, 0.30, 0.80}, {0.95, 0.75, 0.10}};
constexpr const char* kFont = "DejaVu Sans";

struct Box {
    double left, top, width, height;
};

// The range an axis shows, and where its ticks go.
struct Scale {
    double low, high;
    bool logarithmic;

    double fraction(double v) const {
        return logarithmic ? (std::log10(v) - std::log10(low)) / (std::log10(high) - std::log10(low))
                           : (v - low) / (high - low);
    }
};

double niceStep(double span) {
    const double raw = span / 6.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 2.5, 5.0})
        if (m * power >= raw) return m * power;
    return 10.0 * power;
}

Scale scaleFor(const Axis& axis, const std::vector<Series>& series, bool isX, std::optional<double> diagonal) {
    double low = INFINITY, high = -INFINITY;
    for (const Series& s : series)
        for (const auto& [x, y] : s.points) {
            const double v = isX ? x : y;
            if (!std::isfinite(v) || (axis.logarithmic && v <= 0.0)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (diagonal && !isX) low = std::min(low, *diagonal);
    if (!std::isfinite(low)) {
        low = axis.logarithmic ? 1.0 : 0.0;
        high = axis.logarithmic ? 10.0 : 1.0;
    }
    if (axis.minimum) low = *axis.minimum;
    if (axis.maximum) high = *axis.maximum;
    if (axis.logarithmic) {
        if (!axis.minimum) low = std::pow(10.0, std::floor(std::log10(low)));
        if (!axis.maximum) high = std::pow(10.0, std::ceil(std::log10(high)));
        // Six decades at most: what lies further below is a noise floor, not a shape.
        if (!axis.minimum) low = std::max(low, high * 1e-6);
        if (high <= low) high = low * 10.0;
        return {low, high, true};
    }
    if (high - low < 1e-9) {
        low -= 1.0;
        high += 1.0;
    }
    // The x axis spans the data; the y axis leaves room above and below it.
    if (isX) return {low, high, false};
    const double step = niceStep(high - low);
    if (!axis.minimum) low = std::floor(low / step - 0.05) * step;
    if (!axis.maximum) high = std::ceil(high / step + 0.05) * step;
    return {low, high, false};
}

// Major ticks carry labels: 1, 2 and 5 of each decade on a logarithmic axis (the decades
// alone on a wide one); the minor ones between them, there only.
std::vector<double> ticks(const Scale& scale, bool minor) {
    std::vector<double> values;
    if (scale.logarithmic) {
        // Over more than three decades only the decades carry labels.
        const bool wide = scale.high / scale.low > 1000.5;
        for (double decade = std::pow(10.0, std::floor(std::log10(scale.low))); decade <= scale.high; decade *= 10.0)
            for (int m = 1; m <= 9; ++m) {
                const bool major = m == 1 || (!wide && (m == 2 || m == 5));
                const double v = decade * m;
                if (major != minor && v >= scale.low * 0.9999 && v <= scale.high * 1.0001) values.push_back(v);
            }
        return values;
    }
    if (minor) return values;
    const double step = niceStep(scale.high - scale.low);
    for (double v = std::ceil(scale.low / step - 1e-9) * step; v <= scale.high + step * 1e-9; v += step)
        values.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    return values;
}

std::string tickText(double v, bool logarithmic) {
    char text[32];
    if (logarithmic && v >= 1000.0)
        std::snprintf(text, sizeof text, "%gk", v / 1000.0);
    else
        std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// `alignX` 0 puts the text's left edge at x, 1 its right edge; y is the baseline.
void showText(cairo_t* cr, double x, double y, const std::string& s, double alignX) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s.c_str(), &extents);
    cairo_move_to(cr, x - alignX * extents.width - extents.x_bearing, y);
    cairo_show_text(cr, s.c_str());
}

void font(cairo_t* cr, double size, bool bold = false) {
    cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

void setStyle(cairo_t* cr, const Series& series) {
    const Colour& c = kPalette[static_cast<std::size_t>(series.colour) % std::size(kPalette)];
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    cairo_set_line_width(cr, 2.2);
    const double dashed[] = {9.0, 5.0}, dotted[] = {2.0, 4.0};
    switch (series.style) {
        case LineStyle::solid:
            cairo_set_dash(cr, nullptr, 0, 0.0);
            break;
        case LineStyle::dashed:
            cairo_set_dash(cr, dashed, 2, 0.0);
            break;
        case LineStyle::dotted:
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_dash(cr, dotted, 2, 0.0);
            break;
    }
}

void drawPanel(cairo_t* cr, const Panel& panel, const Box& area) {
    const double titleSpace = panel.title.empty() ? 10.0 : 34.0;
    const Box plot{area.left + 78.0, area.top + titleSpace, area.width - 98.0, area.height - titleSpace - 60.0};
    if (!panel.title.empty()) {
        cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
        font(cr, 16.0, true);
        showText(cr, plot.left, area.top + 20.0, panel.title, 0.0);
    }
    const Scale xs = scaleFor(panel.x, panel.series, true, std::nullopt);
    const Scale ys = scaleFor(panel.y, panel.series, false, panel.diagonalFrom);
    const auto px = [&](double x) { return plot.left + xs.fraction(x) * plot.width; };
    const auto py = [&](double y) { return plot.top + (1.0 - ys.fraction(y)) * plot.height; };

    cairo_set_dash(cr, nullptr, 0, 0.0);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_rectangle(cr, plot.left, plot.top, plot.width, plot.height);
    cairo_fill(cr);
    // Grid: minor lines faint, major ones stronger, with their labels.
    cairo_set_line_width(cr, 1.0);
    for (const bool minor : {true, false}) {
        cairo_set_source_rgb(cr, minor ? 0.94 : 0.85, minor ? 0.94 : 0.85, minor ? 0.94 : 0.85);
        for (const double x : ticks(xs, minor)) {
            cairo_move_to(cr, std::round(px(x)) + 0.5, plot.top);
            cairo_line_to(cr, std::round(px(x)) + 0.5, plot.top + plot.height);
        }
        for (const double y : ticks(ys, minor)) {
            cairo_move_to(cr, plot.left, std::round(py(y)) + 0.5);
            cairo_line_to(cr, plot.left + plot.width, std::round(py(y)) + 0.5);
        }
        cairo_stroke(cr);
    }
    cairo_set_source_rgb(cr, 0.25, 0.25, 0.25);
    font(cr, 14.0);
    for (const double x : ticks(xs, false)) showText(cr, px(x), plot.top + plot.height + 22.0, tickText(x, xs.logarithmic), 0.5);
    for (const double y : ticks(ys, false)) showText(cr, plot.left - 8.0, py(y) + 5.0, tickText(y, ys.logarithmic), 1.0);
    font(cr, 15.0, true);
    showText(cr, plot.left + plot.width / 2.0, plot.top + plot.height + 50.0, panel.x.label, 0.5);
    cairo_save(cr);
    cairo_translate(cr, area.left + 22.0, plot.top + plot.height / 2.0);
    cairo_rotate(cr, -std::numbers::pi / 2.0);
    showText(cr, 0.0, 0.0, panel.y.label, 0.5);
    cairo_restore(cr);

    cairo_save(cr);
    cairo_rectangle(cr, plot.left, plot.top, plot.width, plot.height);
    cairo_clip(cr);
    if (panel.diagonalFrom) {
        const double from = *panel.diagonalFrom, to = xs.high;
        cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
        cairo_set_line_width(cr, 1.2);
        const double dash[] = {4.0, 4.0};
        cairo_set_dash(cr, dash, 2, 0.0);
        cairo_move_to(cr, px(from), py(from));
        cairo_line_to(cr, px(to), py(to));
        cairo_stroke(cr);
    }
    for (const Series& series : panel.series) {
        setStyle(cr, series);
        bool drawing = false;
        for (const auto& [x, y] : series.points) {
            const bool usable = std::isfinite(x) && std::isfinite(y) && (!xs.logarithmic || x > 0) && (!ys.logarithmic || y > 0);
            if (!usable) {
                drawing = false;
                continue;
            }
            if (drawing)
                cairo_line_to(cr, px(x), py(y));
            else
                cairo_move_to(cr, px(x), py(y));
            drawing = true;
        }
        cairo_stroke(cr);
        // Points of short series marked, so that the measured ones show.
        if (series.points.size() <= 40) {
            cairo_set_dash(cr, nullptr, 0, 0.0);
            for (const auto& [x, y] : series.points) {
                if (!std::isfinite(x) || !std::isfinite(y) || (xs.logarithmic && x <= 0) || (ys.logarithmic && y <= 0)) continue;
                cairo_arc(cr, px(x), py(y), 3.0, 0.0, 2.0 * std::numbers::pi);
                cairo_fill(cr);
            }
        }
    }
    cairo_restore(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, plot.left + 0.5, plot.top + 0.5, plot.width - 1.0, plot.height - 1.0);
    cairo_stroke(cr);

    // The legend, on a light box in the corner where it hides the fewest points.
    font(cr, 13.0);
    double widest = 0.0;
    for (const Series& series : panel.series) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, series.name.c_str(), &extents);
        widest = std::max(widest, extents.x_advance);
    }
    if (panel.series.empty()) return;
    const double rowHeight = 20.0;
    const double legendWidth = widest + 60.0, legendHeight = rowHeight * panel.series.size() + 8.0;
    Box legend{};
    long fewest = -1;
    for (const bool right : {false, true})
        for (const bool bottom : {false, true}) {
            const Box corner{right ? plot.left + plot.width - 10.0 - legendWidth : plot.left + 10.0,
                             bottom ? plot.top + plot.height - 10.0 - legendHeight : plot.top + 10.0, legendWidth,
                             legendHeight};
            long hidden = 0;
            for (const Series& series : panel.series)
                for (const auto& [x, y] : series.points) {
                    if (!std::isfinite(x) || !std::isfinite(y) || (xs.logarithmic && x <= 0) || (ys.logarithmic && y <= 0)) continue;
                    const double cx = px(x), cy = py(y);
                    hidden += cx >= corner.left && cx <= corner.left + corner.width && cy >= corner.top &&
                              cy <= corner.top + corner.height;
                }
            if (fewest < 0 || hidden < fewest) {
                fewest = hidden;
                legend = corner;
            }
        }
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.88);
    cairo_rectangle(cr, legend.left, legend.top, legend.width, legend.height);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
    cairo_stroke(cr);
    for (std::size_t i = 0; i < panel.series.size(); ++i) {
        const double y = legend.top + 4.0 + rowHeight * (i + 0.5);
        setStyle(cr, panel.series[i]);
        cairo_move_to(cr, legend.left + 8.0, y);
        cairo_line_to(cr, legend.left + 42.0, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
        showText(cr, legend.left + 50.0, y + 4.5, panel.series[i].name, 0.0);
    }
}

}  // namespace

void writeFigure(const Figure& figure, const std::string& path, int width, int height) {
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), &cairo_surface_destroy);
    Context context(cairo_create(surface.get()), &cairo_destroy);
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 0.975, 0.975, 0.965);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    // The title shrinks to fit when many plug-ins are named in it.
    for (double size = 22.0;; size -= 1.0) {
        font(cr, size, true);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, figure.title.c_str(), &extents);
        if (extents.x_advance <= width - 48.0 || size <= 12.0) break;
    }
    showText(cr, 24.0, 38.0, figure.title, 0.0);
    cairo_set_source_rgb(cr, 0.4, 0.4, 0.4);
    font(cr, 14.0);
    showText(cr, 24.0, 62.0, figure.subtitle, 0.0);
    const double top = 80.0;
    const double panelWidth = static_cast<double>(width) / std::max<std::size_t>(figure.panels.size(), 1);
    for (std::size_t i = 0; i < figure.panels.size(); ++i)
        drawPanel(cr, figure.panels[i], {panelWidth * i + 6.0, top, panelWidth - 12.0, height - top - 10.0});
    cairo_surface_flush(surface.get());
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw vsthost::ToolError("cannot write " + path);
}

}  // namespace measure
