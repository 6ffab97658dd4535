#include "tools/artwork/DialScale.h"

#include <cmath>

#include "tools/artwork/Knob.h"
#include "tools/artwork/Print.h"

namespace artwork {
namespace {

constexpr double kArcRadius = kKnobSkirtRadius + 6;
constexpr double kMajorOuter = kArcRadius + 7;
constexpr double kMinorOuter = kArcRadius + 4;
constexpr double kLabelGap = 3.5;

void radialLine(cairo_t* cr, double cx, double cy, double angle, double r0, double r1, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, cx + r0 * std::cos(angle), cy + r0 * std::sin(angle));
    cairo_line_to(cr, cx + r1 * std::cos(angle), cy + r1 * std::sin(angle));
    cairo_stroke(cr);
}

}  // namespace

void printDialScale(cairo_t* cr, const layout::KnobPlace& knob) {
    const double cx = knob.centreX(), cy = knob.centreY();
    const int intervals = static_cast<int>(knob.marks.size()) - 1;
    // Minor ticks split each interval in five, or in two where the marks stand close.
    const int minorPerInterval = intervals > 6 ? 2 : 5;

    cairo_save(cr);
    print::setInk(cr, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, cx, cy, kArcRadius, layout::knobAngle(0), layout::knobAngle(1));
    cairo_stroke(cr);

    print::setInk(cr);
    for (int i = 0; i <= intervals * minorPerInterval; ++i) {
        const double angle = layout::knobAngle(static_cast<double>(i) / (intervals * minorPerInterval));
        if (i % minorPerInterval == 0)
            radialLine(cr, cx, cy, angle, kArcRadius - 0.5, kMajorOuter, 1.6);
        else
            radialLine(cr, cx, cy, angle, kArcRadius - 0.5, kMinorOuter, 1.0);
    }

    const TextStyle marks = print::scaleMarks();
    for (int i = 0; i <= intervals; ++i) {
        const double angle = layout::knobAngle(static_cast<double>(i) / intervals);
        const TextSize size = measureText(knob.marks[i], marks);
        // Keep the same gap between tick end and the label's box whatever its shape.
        const double c = std::cos(angle), s = std::sin(angle);
        const double reach =
            kMajorOuter + kLabelGap + 0.5 * size.advance * std::abs(c) + 0.5 * size.capHeight * std::abs(s);
        drawTextCentred(cr, knob.marks[i], marks, cx + reach * c, cy + reach * s);
    }

    const double captionY = cy + kKnobSkirtRadius + 17;
    drawText(cr, knob.caption, print::caption(), cx, captionY, Align::Centre);
    if (!knob.unit.empty()) drawText(cr, knob.unit, print::unit(), cx + 0.5, captionY + 12, Align::Centre);
    cairo_restore(cr);
}

}  // namespace artwork
